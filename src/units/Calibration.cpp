#include "units/Calibration.h"

#include <charconv>

namespace lumetra {
namespace {

// Millimetres are written to the nanometre at most.
constexpr int kMostDecimals = 6;

std::string Millimetres(std::int64_t nanometres) {
    std::string text = std::to_string(nanometres / kNanometresPerMillimetre);
    std::string decimals = std::to_string(nanometres % kNanometresPerMillimetre);
    decimals.insert(0, kMostDecimals - decimals.size(), '0');
    while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
    if (!decimals.empty()) text += '.' + decimals;
    return text;
}

std::string Side(const std::optional<PixelDensity>& density) {
    if (!density) return "-";
    return std::to_string(density->pixels) + '/' + Millimetres(density->nanometres);
}

// Plain digits, nothing else.
std::optional<std::int64_t> Digits(std::string_view text, std::size_t most) {
    if (text.empty() || text.size() > most || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "85.6" as nanometres: digits, optionally a point and up to six digits.
std::optional<std::int64_t> ReadMillimetres(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::optional<std::int64_t> whole = Digits(text.substr(0, point), 5);
    if (!whole) return std::nullopt;
    std::int64_t nanometres = *whole * kNanometresPerMillimetre;
    if (point == std::string_view::npos) return nanometres;
    std::string_view fraction = text.substr(point + 1);
    if (fraction.empty() || fraction.size() > kMostDecimals) return std::nullopt;
    const std::optional<std::int64_t> decimals = Digits(fraction, kMostDecimals);
    if (!decimals) return std::nullopt;
    std::int64_t scale = kNanometresPerMillimetre;
    for (std::size_t i = 0; i < fraction.size(); ++i) scale /= 10;
    return nanometres + *decimals * scale;
}

// "324/85.6", or "-" for a side not measured (the outer optional says
// whether the text reads at all).
std::optional<std::optional<PixelDensity>> ReadSide(std::string_view text) {
    if (text == "-") return std::optional<PixelDensity>();
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::optional<std::int64_t> pixels = Digits(text.substr(0, slash), 8);
    const std::optional<std::int64_t> nanometres = ReadMillimetres(text.substr(slash + 1));
    if (!pixels || !nanometres) return std::nullopt;
    const std::optional<PixelDensity> density = MeasuredDensity(*pixels, *nanometres);
    if (!density) return std::nullopt;
    return std::optional<PixelDensity>(density);
}

}  // namespace

std::optional<PixelDensity> MeasuredDensity(std::int64_t pixels, std::int64_t nanometres) {
    const PixelDensity density{pixels, nanometres};
    if (pixels < kFewestMeasuredPixels || nanometres < kShortestKnownNanometres || !density.Valid()) {
        return std::nullopt;
    }
    const long double perMm = density.PerMillimetre();
    if (perMm < kFewestPixelsPerMm || perMm > kMostPixelsPerMm) return std::nullopt;
    return density;
}

bool IsMonitorIdentity(std::string_view key) {
    if (key.empty() || key.size() > kLongestMonitorIdentity) return false;
    return key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789&_.-") == std::string_view::npos;
}

Calibration CardCalibration(std::int32_t widthPixels, std::int32_t heightPixels) {
    return {MeasuredDensity(widthPixels, kCardWidthNanometres), MeasuredDensity(heightPixels, kCardHeightNanometres)};
}

std::string FormatCalibration(const Calibration& calibration) {
    return Side(calibration.width) + ' ' + Side(calibration.height);
}

std::optional<Calibration> ParseCalibration(std::string_view value) {
    const std::size_t blank = value.find(' ');
    if (blank == std::string_view::npos) return std::nullopt;
    const auto width = ReadSide(value.substr(0, blank));
    const auto height = ReadSide(value.substr(blank + 1));
    if (!width || !height) return std::nullopt;
    const Calibration calibration{*width, *height};
    if (calibration.Empty()) return std::nullopt;
    return calibration;
}

}  // namespace lumetra
