#pragma once
// Lengths on the screen in the unit the user reads them in: the monitor's
// own pixels, the scaled pixels an interface is laid out in, millimetres,
// centimetres, inches, points, or per cent of the measured side.
//
// A physical length needs the monitor's pixel density. It is held as an
// exact ratio (so many pixels to so many nanometres), never as a rounded
// factor, so that a length exactly halfway between two read-outs is known
// to be halfway and is rounded like every other half: to the even neighbour.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/Dpi.h"

namespace lumetra {

// The values of the Units setting, in this order.
enum class Unit : std::int32_t {
    DevicePixels = 0,
    ScaledPixels = 1,
    Millimetres = 2,
    Centimetres = 3,
    Inches = 4,
    Points = 5,
    PerCent = 6,
};
inline constexpr std::int32_t kUnitCount = 7;

// A setting's value as a unit: anything outside 0..6 reads as device pixels,
// the behaviour of a file written before units existed.
Unit UnitOf(std::int32_t value);
// Millimetres, centimetres, inches and points: the units that need the
// monitor's size.
bool IsPhysical(Unit unit);
// The unit's symbol as the read-outs and the exports write it: "px", "mm",
// "cm", "in", "pt", "%"; scaled pixels are pixels too.
std::string_view UnitSymbol(Unit unit);

inline constexpr std::int64_t kNanometresPerMillimetre = 1'000'000;
inline constexpr std::int64_t kNanometresPerInch = 25'400'000;

// `pixels` device pixels span `nanometres`. The bounds keep every exact
// product below 2^63.
struct PixelDensity {
    std::int64_t pixels = 0;
    std::int64_t nanometres = 0;

    static constexpr std::int64_t kMostPixels = std::int64_t{1} << 24;
    static constexpr std::int64_t kMostNanometres = std::int64_t{1} << 33;  // 8.5 m

    bool Valid() const {
        return pixels > 0 && pixels <= kMostPixels && nanometres > 0 && nanometres <= kMostNanometres;
    }
    long double PerMillimetre() const {
        return static_cast<long double>(pixels) * kNanometresPerMillimetre / static_cast<long double>(nanometres);
    }
    friend bool operator==(const PixelDensity&, const PixelDensity&) = default;
};

// What Windows takes a monitor of `dpi` to be when it knows nothing better:
// dpi pixels to the inch.
constexpr PixelDensity NominalDensity(std::int32_t dpi = kDefaultDpi) {
    return {dpi > 0 ? dpi : kDefaultDpi, kNanometresPerInch};
}

// A monitor's pixels per metre, as a PNG header carries them; 0 for an
// invalid density.
std::uint32_t PixelsPerMetre(const PixelDensity& density);

// Everything a length along one axis needs to be read in any unit.
struct LengthScale {
    std::int32_t dpi = kDefaultDpi;           // scaled pixels
    PixelDensity density = NominalDensity();  // physical units
    std::int32_t side = 0;                    // per cent: the measured side in device pixels
};

// A read-out: `scaled` / 10^decimals, rounded half to even from the exact
// value. Device pixels are whole, scaled pixels whole where they are whole
// and else with one decimal, millimetres, points and per cent one decimal,
// centimetres and inches two.
struct Reading {
    std::int64_t scaled = 0;
    int decimals = 0;
    friend bool operator==(const Reading&, const Reading&) = default;
};

// Lengths beyond this many device pixels read as this many: no screen is
// that wide, and the bound keeps the arithmetic exact.
inline constexpr std::int64_t kLongestReadLength = std::int64_t{1} << 24;

// An invalid density reads as the nominal 96 pixels to the inch, a dpi of 0
// or less as 96, a side of 0 or less gives 0 %.
Reading ReadingOf(std::int64_t pixels, Unit unit, const LengthScale& scale);
// "309.3", "-2.54", "500", with the user's decimal separator.
std::string FormatReading(const Reading& reading, char decimalSeparator);
std::string FormatLength(std::int64_t pixels, Unit unit, const LengthScale& scale, char decimalSeparator);

// A value in `unit` as device pixels, to the nearest, halves to the even
// neighbour; beyond the 32-bit range it saturates. `mantissa` / 10^decimals
// is the value, kept apart so that a typed decimal stays exact.
std::int32_t ToDevicePixels(std::int64_t mantissa, int decimals, Unit unit, const LengthScale& scale);

// What an export's pixels measure: the unit chosen and the monitor's
// density along each side.
struct ExportDensity {
    Unit unit = Unit::DevicePixels;
    PixelDensity width = NominalDensity();
    PixelDensity height = NominalDensity();
};

// The resolution, in pixels per inch as the system's imaging component
// takes it, at which a PNG export carries the monitor's pixels per metre
// in its header; nothing unless a physical unit is chosen: the file then
// holds no resolution, as it always did.
struct PngResolution {
    double across = 0;
    double down = 0;
    friend bool operator==(const PngResolution&, const PngResolution&) = default;
};
std::optional<PngResolution> PngResolutionOf(const ExportDensity& density);

// A length as the size of a file that another program places at true size,
// "150.2mm", "5.91in", with the read-out's decimals and always a point;
// empty for a unit that is not physical.
std::string PhysicalLength(std::int64_t pixels, Unit unit, const PixelDensity& density);

// Why a typed length was refused.
enum class LengthError {
    None,
    Empty,       // nothing but blanks
    NotANumber,  // not a decimal number with the user's separator
    OtherUnit,   // a number followed by another unit's symbol
};

struct TypedLength {
    std::int32_t pixels = 0;
    LengthError error = LengthError::None;
    friend bool operator==(const TypedLength&, const TypedLength&) = default;
};

// Reads what the user typed for a length in `unit`: blanks around it, an
// optional sign, digits with at most one decimal separator (the user's
// own, no grouping), and optionally the unit's own symbol after it, as the
// read-out writes it ("150.2 mm"), or `localSymbol`, the language's word for
// it. Another unit's symbol is refused rather than converted: "px" typed
// while millimetres are shown would say nothing about which pixels.
TypedLength ParseLength(std::string_view text, Unit unit, const LengthScale& scale, char decimalSeparator,
                        std::string_view localSymbol = {});

}  // namespace lumetra
