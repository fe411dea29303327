#include "units/Units.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <optional>

#include "common/Numbers.h"

namespace lumetra {
namespace {

// value * 10^decimals = pixels * num / den, exactly.
struct Factor {
    std::int64_t num = 1;
    std::int64_t den = 1;
    int decimals = 0;
};

PixelDensity UsableDensity(const PixelDensity& density) { return density.Valid() ? density : NominalDensity(); }

std::int32_t UsableDpi(std::int32_t dpi) { return dpi > 0 ? dpi : kDefaultDpi; }

// The factors for physical units, from nanometres per pixel N / P:
//   mm * 10  = px * N / (P * 100000)
//   cm * 100 = the same
//   in * 100 = px * N / (P * 254000)
//   pt * 10  = px * N * 720 / (P * 25400000) = px * N * 9 / (P * 317500)
Factor ReadingFactor(Unit unit, const LengthScale& scale, std::int64_t pixels) {
    const PixelDensity d = UsableDensity(scale.density);
    const std::int32_t dpi = UsableDpi(scale.dpi);
    switch (unit) {
        case Unit::DevicePixels: return {1, 1, 0};
        case Unit::ScaledPixels:
            if (pixels * kDefaultDpi % dpi == 0) return {kDefaultDpi, dpi, 0};
            return {10 * kDefaultDpi, dpi, 1};
        case Unit::Millimetres: return {d.nanometres, d.pixels * 100'000, 1};
        case Unit::Centimetres: return {d.nanometres, d.pixels * 100'000, 2};
        case Unit::Inches: return {d.nanometres, d.pixels * 254'000, 2};
        case Unit::Points: return {d.nanometres * 9, d.pixels * 317'500, 1};
        case Unit::PerCent: return {1000, std::max(scale.side, 1), 1};
    }
    return {1, 1, 0};
}

// num / den rounded half to even; den > 0 and |num| below 2^63.
std::int64_t DivideHalfEven(std::int64_t num, std::int64_t den) {
    const bool negative = num < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(num) : static_cast<std::uint64_t>(num);
    const auto divisor = static_cast<std::uint64_t>(den);
    std::uint64_t quotient = magnitude / divisor;
    const std::uint64_t twiceRest = 2 * (magnitude % divisor);
    if (twiceRest > divisor || (twiceRest == divisor && quotient % 2 != 0)) ++quotient;
    const auto result = static_cast<std::int64_t>(quotient);
    return negative ? -result : result;
}

// The factor that turns a value in `unit` into device pixels:
// pixels = value * num / den.
struct Inverse {
    long double num = 1;
    long double den = 1;
};

Inverse PixelsPerUnit(Unit unit, const LengthScale& scale) {
    const PixelDensity d = UsableDensity(scale.density);
    const auto p = static_cast<long double>(d.pixels);
    const auto n = static_cast<long double>(d.nanometres);
    switch (unit) {
        case Unit::DevicePixels: return {1, 1};
        case Unit::ScaledPixels: return {static_cast<long double>(UsableDpi(scale.dpi)), kDefaultDpi};
        case Unit::Millimetres: return {p * kNanometresPerMillimetre, n};
        case Unit::Centimetres: return {p * 10 * kNanometresPerMillimetre, n};
        case Unit::Inches: return {p * kNanometresPerInch, n};
        case Unit::Points: return {p * kNanometresPerInch, n * 72};
        case Unit::PerCent: return {static_cast<long double>(scale.side), 100};
    }
    return {1, 1};
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The most digits a typed value keeps exactly.
constexpr int kMostTypedDigits = 18;

struct Decimal {
    std::int64_t mantissa = 0;
    int decimals = 0;
};

// "-12.5" with the given separator: optional sign, digits, at most one
// separator with digits on at least one side of it.
std::optional<Decimal> ReadDecimal(std::string_view text, char separator) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    Decimal value;
    bool seenSeparator = false;
    bool seenDigit = false;
    int significant = 0;
    for (const char c : text) {
        if (c == separator && !seenSeparator) {
            seenSeparator = true;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        seenDigit = true;
        if (value.mantissa == 0 && c == '0' && !seenSeparator) continue;  // leading zeros
        if (++significant > kMostTypedDigits) return std::nullopt;
        value.mantissa = value.mantissa * 10 + (c - '0');
        if (seenSeparator) ++value.decimals;
    }
    if (!seenDigit) return std::nullopt;
    if (negative) value.mantissa = -value.mantissa;
    return value;
}

constexpr std::array<std::string_view, 6> kKnownSymbols = {"px", "mm", "cm", "in", "pt", "%"};

}  // namespace

Unit UnitOf(std::int32_t value) {
    return value >= 0 && value < kUnitCount ? static_cast<Unit>(value) : Unit::DevicePixels;
}

bool IsPhysical(Unit unit) {
    return unit == Unit::Millimetres || unit == Unit::Centimetres || unit == Unit::Inches || unit == Unit::Points;
}

std::string_view UnitSymbol(Unit unit) {
    switch (unit) {
        case Unit::DevicePixels:
        case Unit::ScaledPixels: return "px";
        case Unit::Millimetres: return "mm";
        case Unit::Centimetres: return "cm";
        case Unit::Inches: return "in";
        case Unit::Points: return "pt";
        case Unit::PerCent: return "%";
    }
    return "px";
}

std::uint32_t PixelsPerMetre(const PixelDensity& density) {
    if (!density.Valid()) return 0;
    // A PNG header holds at most 2^31 - 1.
    constexpr std::int64_t most = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::uint32_t>(
        std::min(DivideHalfEven(density.pixels * 1'000'000'000, density.nanometres), most));
}

std::optional<PngResolution> PngResolutionOf(const ExportDensity& density) {
    if (!IsPhysical(density.unit)) return std::nullopt;
    const std::uint32_t across = PixelsPerMetre(density.width);
    const std::uint32_t down = PixelsPerMetre(density.height);
    if (across == 0 || down == 0) return std::nullopt;
    // The encoder writes the nearest whole number of pixels per metre.
    constexpr double kMetresPerInch = 0.0254;
    return PngResolution{across * kMetresPerInch, down * kMetresPerInch};
}

Reading ReadingOf(std::int64_t pixels, Unit unit, const LengthScale& scale) {
    const std::int64_t length = std::clamp(pixels, -kLongestReadLength, kLongestReadLength);
    if (unit == Unit::PerCent && scale.side <= 0) return {0, 1};
    const Factor factor = ReadingFactor(unit, scale, length);
    return {DivideHalfEven(length * factor.num, factor.den), factor.decimals};
}

std::string FormatReading(const Reading& reading, char decimalSeparator) {
    const bool negative = reading.scaled < 0;
    std::string digits = std::to_string(negative ? 0 - static_cast<std::uint64_t>(reading.scaled)
                                                 : static_cast<std::uint64_t>(reading.scaled));
    const auto decimals = static_cast<std::size_t>(std::max(reading.decimals, 0));
    if (digits.size() <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
    std::string text = negative ? "-" : "";
    text += digits.substr(0, digits.size() - decimals);
    if (decimals > 0) {
        text += decimalSeparator;
        text += digits.substr(digits.size() - decimals);
    }
    return text;
}

std::string FormatLength(std::int64_t pixels, Unit unit, const LengthScale& scale, char decimalSeparator) {
    return FormatReading(ReadingOf(pixels, unit, scale), decimalSeparator);
}

std::string PhysicalLength(std::int64_t pixels, Unit unit, const PixelDensity& density) {
    if (!IsPhysical(unit)) return {};
    return FormatLength(pixels, unit, {kDefaultDpi, density, 0}, '.') + std::string(UnitSymbol(unit));
}

std::int32_t ToDevicePixels(std::int64_t mantissa, int decimals, Unit unit, const LengthScale& scale) {
    const Inverse inverse = PixelsPerUnit(unit, scale);
    long double power = 1;
    for (int i = 0; i < decimals; ++i) power *= 10;
    // One division last, so that an exact half stays exact.
    return Nearest(static_cast<long double>(mantissa) * inverse.num / (power * inverse.den));
}

TypedLength ParseLength(std::string_view text, Unit unit, const LengthScale& scale, char decimalSeparator,
                        std::string_view localSymbol) {
    std::string_view rest = Trimmed(text);
    if (rest.empty()) return {0, LengthError::Empty};
    // The number ends where the first character that no number holds begins.
    std::size_t end = 0;
    while (end < rest.size() && (std::isdigit(static_cast<unsigned char>(rest[end])) || rest[end] == decimalSeparator ||
                                 (end == 0 && (rest[end] == '-' || rest[end] == '+')))) {
        ++end;
    }
    const std::string_view symbol = Trimmed(rest.substr(end));
    if (!symbol.empty() && !SameLetters(symbol, UnitSymbol(unit)) &&
        !(!localSymbol.empty() && SameLetters(symbol, Trimmed(localSymbol)))) {
        const bool known = std::any_of(kKnownSymbols.begin(), kKnownSymbols.end(),
                                       [&](std::string_view s) { return SameLetters(symbol, s); });
        return {0, known ? LengthError::OtherUnit : LengthError::NotANumber};
    }
    const std::optional<Decimal> value = ReadDecimal(rest.substr(0, end), decimalSeparator);
    if (!value) return {0, LengthError::NotANumber};
    return {ToDevicePixels(value->mantissa, value->decimals, unit, scale), LengthError::None};
}

}  // namespace lumetra
