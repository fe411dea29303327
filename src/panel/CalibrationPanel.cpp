#include "panel/CalibrationPanel.h"

#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "settings/AppSettings.h"
#include "units/Calibration.h"

namespace lumetra {
namespace {

// Lengths are typed to the micrometre: read as "pixels" of this density.
constexpr std::int64_t kNanometresPerMicrometre = 1000;
constexpr LengthScale kMicrometres{kDefaultDpi, PixelDensity{1, kNanometresPerMicrometre}, 0};

constexpr std::int64_t kCardSides[] = {kCardWidthNanometres, kCardHeightNanometres};

std::size_t Index(KnownSide side) { return side == KnownSide::Width ? 0 : 1; }

// A length as device pixels at a density, to the nearest.
std::int32_t PixelsFor(std::int64_t nanometres, const PixelDensity& density) {
    return ToDevicePixels(nanometres / kNanometresPerMicrometre, 3, Unit::Millimetres, {kDefaultDpi, density, 0});
}

}  // namespace

bool SizeIsUnknown(const MonitorFacts& facts) { return DensityOf(facts).source == SizeSource::Assumed; }

Unit KnownLengthUnit(std::int32_t units) {
    const Unit unit = UnitOf(units);
    return IsPhysical(unit) ? unit : Unit::Millimetres;
}

void CalibrationController::Bind(TSettings& settings) {
    settings_ = &settings;
    open_ = false;
    view_.ShowCalibration(false);
    Refresh();
}

void CalibrationController::Refresh() {
    // Asking the monitor costs: only the open group shows the note.
    if (open_) view_.ShowSizeUnknown(SizeIsUnknown(monitor_.MeasuringMonitor()));
}

void CalibrationController::CalibrateClick(char decimalSeparator) {
    open_ = !open_;
    if (open_) ShowCard(decimalSeparator);
    view_.ShowCalibration(open_);
    Refresh();
}

void CalibrationController::ShowCard(char decimalSeparator) {
    if (settings_ == nullptr) return;
    const Unit unit = KnownLengthUnit(settings_->Units());
    const std::string symbol = texts_.Text(texts::MUnitSymbol.Key(static_cast<std::int32_t>(unit)));
    for (const KnownSide side : {KnownSide::Width, KnownSide::Height}) {
        const std::int64_t micrometres = kCardSides[Index(side)] / kNanometresPerMicrometre;
        cardTexts_[Index(side)] = FormatLength(micrometres, unit, kMicrometres, decimalSeparator) + ' ' + symbol;
        view_.ShowKnown(side, cardTexts_[Index(side)]);
    }
}

void CalibrationController::CardClick(char decimalSeparator) {
    if (settings_ == nullptr) return;
    ShowCard(decimalSeparator);
    const MonitorDensity density = DensityOf(monitor_.MeasuringMonitor());
    settings_->SetWidth(PixelsFor(kCardWidthNanometres, density.width));
    settings_->SetHeight(PixelsFor(kCardHeightNanometres, density.height));
}

std::optional<std::int64_t> CalibrationController::KnownNanometres(KnownSide side, char decimalSeparator) const {
    const std::string text = view_.KnownText(side);
    if (text == cardTexts_[Index(side)]) return kCardSides[Index(side)];
    const Unit unit = KnownLengthUnit(settings_->Units());
    const std::string symbol = texts_.Text(texts::MUnitSymbol.Key(static_cast<std::int32_t>(unit)));
    const TypedLength typed = ParseLength(text, unit, kMicrometres, decimalSeparator, symbol);
    if (typed.error != LengthError::None || typed.pixels <= 0) return std::nullopt;
    return std::int64_t{typed.pixels} * kNanometresPerMicrometre;
}

void CalibrationController::ConfirmClick(char decimalSeparator) {
    if (settings_ == nullptr || !open_) return;
    const auto measured = [&](KnownSide side, std::int32_t pixels) -> std::optional<PixelDensity> {
        const std::optional<std::int64_t> nanometres = KnownNanometres(side, decimalSeparator);
        return nanometres ? MeasuredDensity(pixels, *nanometres) : std::nullopt;
    };
    const Calibration calibration{measured(KnownSide::Width, settings_->Width()),
                                  measured(KnownSide::Height, settings_->Height())};
    const std::string identity = monitor_.MeasuringMonitor().identity;
    if (calibration.Empty() || !IsMonitorIdentity(identity)) return;
    open_ = false;
    view_.ShowCalibration(false);
    settings_->SetCalibration(identity, calibration);
    Refresh();
}

}  // namespace lumetra
