#include "panel/PanelController.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "lang/Format.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/compose/Compose.h"
#include "overlay/looks/Geometry.h"
#include "panel/CalibrationPanel.h"
#include "overlay/looks/Lengths.h"
#include "panel/PanelLists.h"
#include "settings/IniValues.h"
#include "settings/SettingsFile.h"

namespace lumetra {
namespace {

// Spin positions are signed 16-bit.
constexpr int kMaxSpinPosition = std::numeric_limits<std::int16_t>::max();
constexpr double kPresetTolerance = 0.001;

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// What the user typed into a size or grid field: a decimal integer, an
// optional minus sign and digits, with blanks around it. The settings file's
// reader is laxer ("$10", "0x10"), which is no way to type a size.
std::optional<std::int32_t> TypedInteger(const std::string& text) {
    const std::string number = Trimmed(text);
    const std::size_t digits = number.starts_with('-') ? 1 : 0;
    if (number.size() == digits || number.find_first_not_of("0123456789", digits) != std::string::npos) {
        return std::nullopt;
    }
    return ParseIniInt(number);
}

// What the user typed into the ratio box, when it may become Ratio.
std::optional<double> TypedRatio(const std::string& text, char decimalSeparator) {
    std::string number = Trimmed(text);
    if (number.starts_with('+')) number.erase(0, 1);
    const std::optional<double> value = ParseIniReal(number, decimalSeparator);
    if (!value || !AcceptsTypedRatio(*value)) return std::nullopt;
    return value;
}

}  // namespace

int SpinField::MoveTo(std::int64_t position) {
    position_ = static_cast<int>(std::clamp<std::int64_t>(position, minimum_, maximum_));
    return position_;
}

int SpinField::ReadFrom(const std::string& text) {
    const std::optional<std::int32_t> value = TypedInteger(text);
    if (value && *value >= minimum_ && *value <= maximum_) position_ = *value;
    return position_;
}

PanelController::PanelController(TSettings& settings, const LookLibrary& looks, LangTable& texts,
                                 const SettingsFile& files, IOverlaySink& overlay, IPanelView& view,
                                 std::int32_t primaryScreenWidth)
    : settings_(&settings),
      looks_(looks),
      texts_(texts),
      files_(files),
      overlay_(&overlay),
      view_(view),
      size_(0, static_cast<int>(std::clamp<std::int64_t>(2 * std::int64_t{primaryScreenWidth}, 0, kMaxSpinPosition))),
      gridSize_(0, kMaxGridSize),
      lineWidth_(kMinLineWidth, kMaxLineWidth) {}

void PanelController::Start(const std::vector<std::string>& languageFiles) {
    UpdatePosition();
    ShowGuideValues();
    FillLanguages(languageFiles);
    ReloadLanguage();
}

void PanelController::Rebind(TSettings& settings, IOverlaySink& overlay) {
    if (settings_ != &settings) {
        settings_->SetPanel(nullptr);
        settings_ = &settings;
        settings_->SetPanel(this);
    }
    overlay_ = &overlay;
    if (calibration_) calibration_->Bind(settings);
    ShowGuideValues();
}

void PanelController::AttachCalibration(CalibrationController* calibration) {
    calibration_ = calibration;
    if (calibration_) calibration_->Bind(*settings_);
}

// Every control that shows a setting of the guide. The options list holds
// two of them (the labels and the caption strip switches) among shared ones.
void PanelController::ShowGuideValues() {
    UpdateOpacity();
    UpdateColors();
    UpdateSnapTo();
    UpdateLook();
    UpdateRatio();
    UpdateOrientation();
    UpdateGridSize();
    UpdateOptions();
}

void PanelController::ShowGuideNumber(int number, int count) {
    guideNumber_ = number;
    guideCount_ = count;
    view_.RepaintAll();
}

char PanelController::DecimalSeparator() const { return files_.Platform().DecimalSeparator(); }

// ---- refreshes -------------------------------------------------------------

void PanelController::UpdatePosition() { view_.MoveTo({settings_->SX(), settings_->SY()}); }

void PanelController::UpdateOptions() {
    view_.ShowOptions(AdvancedOptions(*settings_));
    ShowUnits();
    view_.EnableHints(settings_->ShowHints());
    UpdateOpacity();
    ShowWorkOptions();
    if (calibration_) calibration_->Refresh();
}

// Click-through and following are the guide's own; capture hiding and the
// hot keys are the program's, and the panel takes capture hiding for itself
// as well.
void PanelController::ShowWorkOptions() {
    view_.ShowClickThrough(settings_->ClickThrough());
    view_.ShowFollow(settings_->FollowPicture());
    const bool available = view_.CaptureHidingAvailable();
    view_.ShowCaptureHiding(settings_->HideFromCapture(), available);
    if (available) view_.ExcludeFromCapture(settings_->HideFromCapture());
    UpdateHotKeys();
}

void PanelController::AttachStartWithWindows(IStartWithWindows* startWithWindows) {
    startWithWindows_ = startWithWindows;
    UpdateStartWithWindows();
}

void PanelController::UpdateStartWithWindows() {
    view_.ShowStartWithWindows(startWithWindows_ != nullptr ? startWithWindows_->Shown()
                                                            : StartWithWindowsBox{false, false});
}

// The box shows what the registry holds afterwards, whether or not the
// change was made.
void PanelController::StartWithWindowsCheckBoxClick(bool checked) {
    if (startWithWindows_ != nullptr) startWithWindows_->Change(checked);
    UpdateStartWithWindows();
}

void PanelController::UpdateOpacity() {
    const std::int32_t opacity = settings_->Opacity();
    const bool blends = settings_->SettingsOpacity() && OpacityBlends(opacity);
    view_.SetBlending(blends ? std::optional<std::uint8_t>(OpacityAlpha(opacity)) : std::nullopt);
    view_.ShowOpacity(std::clamp(opacity, 0, 100));
}

void PanelController::UpdateGridSize() { ShowGridSize(settings_->GridSize()); }

void PanelController::UpdateColors() {
    view_.ShowColor(PanelColorBox::Lines, ColorEntryFor(settings_->LinesColor()), settings_->LinesColor());
    view_.ShowColor(PanelColorBox::Values, ColorEntryFor(settings_->ValuesColor()), settings_->ValuesColor());
    // The lines' width, halo and labels tell the panel as the colours do.
    ShowLineWidth();
    view_.ShowHalo(settings_->Halo());
    view_.ShowColor(PanelColorBox::Halo, HaloEntryFor(settings_->HaloColor()), settings_->HaloColor());
    view_.SelectListItem(PanelList::LabelSize, LabelSizeEntryFor(settings_->LabelSize()));
}

void PanelController::UpdateLook() {
    const std::int32_t look = settings_->LookMode();
    if (look >= 0 && look < settings_->LookCount()) view_.SelectListItem(PanelList::Look, look);
}

void PanelController::UpdateOrientation() {
    const std::int32_t orient = settings_->OrientMode();
    view_.SelectListItem(PanelList::Orientation, orient >= 0 && orient < kOrientCount ? orient : -1);
}

void PanelController::UpdateLock() {
    const bool widthLeads = settings_->LockWidth();
    view_.ShowLock(widthLeads, settings_->Lock());
    // A switched choice shows the other dimension, as its click would.
    if (std::exchange(widthLeadsShown_, widthLeads) != widthLeads) ShowSize(Leading());
}

void PanelController::UpdateSnapTo() {
    widthLeadsShown_ = settings_->LockWidth();
    view_.ShowLock(widthLeadsShown_, settings_->Lock());
    ShowSize(Leading());
}

void PanelController::UpdateRatio() {
    const double ratio = settings_->Ratio();
    const auto& presets = RatioPresets();
    for (std::size_t i = 0; i < presets.size(); ++i) {
        if (std::fabs(presets[i] - ratio) < kPresetTolerance) {
            view_.SelectListItem(PanelList::Ratio, static_cast<int>(i));
            return;
        }
    }
    // Every run without a preset adds the value again; items stay all run.
    const std::string text = FormatIniReal(ratio, DecimalSeparator());
    view_.SetRatioText(text);
    view_.AddListItem(PanelList::Ratio, text);
}

void PanelController::UpdateSizeField() { ShowSize(Leading()); }

void PanelController::ShowUnits() {
    view_.SelectListItem(PanelList::Units, static_cast<int>(UnitOf(settings_->Units())));
}

// ---- size field ------------------------------------------------------------

std::int32_t PanelController::Leading() const {
    return settings_->LockWidth() ? settings_->Width() : settings_->Height();
}

void PanelController::SetLeading(std::int32_t value) {
    if (settings_->LockWidth()) {
        settings_->SetWidth(value);
    } else {
        settings_->SetHeight(value);
    }
}

std::optional<Unit> PanelController::SizeFieldUnit() const {
    const Unit unit = UnitOf(settings_->Units());
    if (unit == Unit::DevicePixels || unit == Unit::PerCent) return std::nullopt;
    return unit;
}

// Moving the spin rewrites the edit, which counts as a change of the field.
void PanelController::ShowSize(std::int32_t value) {
    const int position = size_.MoveTo(value);
    if (const std::optional<Unit> unit = SizeFieldUnit()) {
        shownSize_ =
            FormatLength(position, *unit, overlay_->MeasuringScale(settings_->LockWidth()), DecimalSeparator());
        view_.ShowSpinValue(PanelSpin::Size, position, shownSize_);
    } else {
        view_.ShowSpinPosition(PanelSpin::Size, position);
    }
    SizeEditChange();
}

TypedLength PanelController::TypedSize(const std::string& text, Unit unit) const {
    return ParseLength(text, unit, overlay_->MeasuringScale(settings_->LockWidth()), DecimalSeparator(),
                       UnitSymbolText(texts_, unit));
}

int PanelController::ReadSize(const std::string& text) {
    const std::optional<Unit> unit = SizeFieldUnit();
    if (!unit) return size_.ReadFrom(text);
    if (text == shownSize_) return size_.Position();
    const TypedLength typed = TypedSize(text, *unit);
    if (typed.error == LengthError::None && typed.pixels >= 0 && typed.pixels <= size_.Maximum()) {
        size_.MoveTo(typed.pixels);
    }
    return size_.Position();
}

std::int32_t PanelController::CommittedSize(const std::string& text, Unit unit) const {
    // The text as shown stands for the position shown.
    if (text == shownSize_) return size_.Position();
    const TypedLength typed = TypedSize(text, unit);
    if (typed.error != LengthError::None) {
        throw NotALengthError(
            FormatTemplate(texts_.Text(texts::MSNotALength), {text, UnitSymbolText(texts_, unit)}, DecimalSeparator()));
    }
    return typed.pixels;
}

bool PanelController::SizeSpinStep(int delta) {
    if (!SizeFieldUnit()) return false;
    ShowSize(ReadSize(view_.SpinText(PanelSpin::Size)) + delta);
    return true;
}

void PanelController::SizeEditKeyDown(FieldKey key) {
    if (key != FieldKey::Enter) {
        editsLive_ = false;
        return;
    }
    editsLive_ = true;
    CommitSize();
}

void PanelController::SizeEditExit() {
    editsLive_ = true;
    CommitSize();
}

void PanelController::CommitSize() {
    const std::string text = view_.SpinText(PanelSpin::Size);
    std::int32_t typed = 0;
    if (const std::optional<Unit> unit = SizeFieldUnit()) {
        typed = CommittedSize(text, *unit);
    } else if (const std::optional<std::int32_t> integer = TypedInteger(text)) {
        typed = *integer;
    } else {
        throw ConversionError(text);
    }
    if (typed >= size_.Maximum()) return;
    ShowSize(typed);
    const int position = size_.Position();
    if (position < size_.Maximum()) SetLeading(position);
}

void PanelController::SizeEditChange() {
    if (!editsLive_ || inSizeChange_) return;
    inSizeChange_ = true;
    const int position = ReadSize(view_.SpinText(PanelSpin::Size));
    if (position < size_.Maximum()) {
        SetLeading(position);
        overlay_->ApplySize();
        overlay_->RefreshLook();
    }
    inSizeChange_ = false;
}

void PanelController::WidthRadioClick() {
    if (settings_->LockWidth()) return;
    settings_->SetLockWidth(true);
    ShowSize(settings_->Width());
}

void PanelController::HeightRadioClick() {
    if (!settings_->LockWidth()) return;
    settings_->SetLockWidth(false);
    ShowSize(settings_->Height());
}

// ---- grid field ------------------------------------------------------------

void PanelController::ShowGridSize(std::int32_t value) {
    view_.ShowSpinPosition(PanelSpin::GridSize, gridSize_.MoveTo(value));
    GridSizeEditChange();
}

void PanelController::ApplyGridSize() {
    settings_->SetGridSize(gridSize_.ReadFrom(view_.SpinText(PanelSpin::GridSize)));
    overlay_->RefreshLook();
}

void PanelController::GridSizeEditKeyDown(FieldKey key) {
    // Enter leaves EditsLive as it is: after it, changes apply again only
    // once the field has lost the focus.
    if (key == FieldKey::Enter) {
        ApplyGridSize();
    } else {
        editsLive_ = false;
    }
}

void PanelController::GridSizeEditExit() {
    editsLive_ = true;
    ApplyGridSize();
}

void PanelController::GridSizeEditChange() {
    if (!editsLive_ || inGridChange_) return;
    inGridChange_ = true;
    ApplyGridSize();
    inGridChange_ = false;
}

// ---- the other controls ----------------------------------------------------

void PanelController::RatioComboBoxSelect(int index, const std::string& text) {
    const auto& presets = RatioPresets();
    if (index >= 0 && index < static_cast<int>(presets.size())) {
        settings_->SetRatio(presets[static_cast<std::size_t>(index)]);
    } else if (const std::optional<double> typed = TypedRatio(text, DecimalSeparator())) {
        settings_->SetRatio(*typed);
    }
    overlay_->RefreshLook();
}

void PanelController::RatioComboBoxEnter(int selection, const std::string& selectedItem, const std::string& text) {
    RatioComboBoxSelect(selection >= 0 && selectedItem == text ? selection : -1, text);
}

void PanelController::LockCheckBoxClick(bool checked) {
    settings_->SetLock(checked);
    settings_->ApplyLock();
}

void PanelController::LookComboBoxChange(int index) {
    if (index >= 0 && index < settings_->LookCount()) settings_->SetLookMode(index);
}

void PanelController::OrientationComboBoxChange(int index) {
    if (index >= 0 && index < kOrientCount) settings_->SetOrientMode(index);
}

void PanelController::UnitsComboBoxChange(int index) {
    if (index >= 0 && index < kUnitCount) settings_->SetUnits(index);
}

void PanelController::LinesColorBoxChange(Color color) { settings_->SetLinesColor(color); }

void PanelController::ValuesColorBoxChange(Color color) { settings_->SetValuesColor(color); }

// ---- line width field -----------------------------------------------------

// Rewriting the field while the user types in it would put the caret back at
// its start: it is rewritten only when it shows something else.
void PanelController::ShowLineWidth() {
    const int width = lineWidth_.MoveTo(settings_->LineWidth());
    if (view_.SpinText(PanelSpin::LineWidth) != std::to_string(width)) {
        view_.ShowSpinPosition(PanelSpin::LineWidth, width);
    }
}

void PanelController::LineWidthEditChange() {
    settings_->SetLineWidth(lineWidth_.ReadFrom(view_.SpinText(PanelSpin::LineWidth)));
}

void PanelController::LineWidthEditDone() { ShowLineWidth(); }

void PanelController::HaloCheckBoxClick(bool checked) { settings_->SetHalo(checked); }

void PanelController::HaloColorBoxChange(Color color) { settings_->SetHaloColor(color); }

void PanelController::LabelSizeComboBoxChange(int index) {
    if (const std::optional<std::int32_t> size = LabelSizeOfEntry(index)) settings_->SetLabelSize(*size);
}

void PanelController::OpacityTrackBarChange(int position) { settings_->SetOpacity(position); }

void PanelController::ClickThroughCheckBoxClick(bool checked) { settings_->SetClickThrough(checked); }

void PanelController::FollowCheckBoxClick(bool checked) { settings_->SetFollowPicture(checked); }

// Where the system cannot hide windows from captures the box is greyed; a
// click that reaches it all the same leaves the setting as it is.
void PanelController::CaptureCheckBoxClick(bool checked) {
    if (view_.CaptureHidingAvailable()) settings_->SetHideFromCapture(checked);
    ShowWorkOptions();
}

void PanelController::AdvCheckListBoxClickCheck(const AdvancedChecks& checks) {
    ApplyAdvancedOptions(*settings_, checks);
}

void PanelController::RestoreButtonClick() { settings_->RestoreDefaults(); }

void PanelController::LangComboBoxChange(const std::string& name) { settings_->SetLang(name); }

}  // namespace lumetra
