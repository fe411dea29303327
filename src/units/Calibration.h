#pragma once
// A user's measurement of one monitor: the guide laid over something of
// known size, width and height each on its own, gives the monitor's true
// pixels per millimetre. Stored in the settings file's own section, one line
// per monitor:
//
//   [Calibration]
//   DEL2005-S2C8FJ8255K5E=324/85.6 204/53.98
//
// pixels over millimetres for the width, then for the height, "-" for a side
// not measured. Always with a decimal point: a comma would be taken for the
// space between the sides, and the line must read the same in every locale.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "units/Units.h"

namespace lumetra {

inline constexpr std::string_view kCalibrationSection = "Calibration";

// The ready choice: a payment card is 85.60 x 53.98 mm the world over.
inline constexpr std::int64_t kCardWidthNanometres = 85'600'000;
inline constexpr std::int64_t kCardHeightNanometres = 53'980'000;

// A measurement is taken over at least this many pixels and this length,
// and must give between 13 and 1000 pixels to the inch.
inline constexpr std::int32_t kFewestMeasuredPixels = 10;
inline constexpr std::int64_t kShortestKnownNanometres = 1'000'000;  // 1 mm
inline constexpr long double kFewestPixelsPerMm = 0.5L;
inline constexpr long double kMostPixelsPerMm = 40.0L;

struct Calibration {
    std::optional<PixelDensity> width;
    std::optional<PixelDensity> height;
    bool Empty() const { return !width && !height; }
    friend bool operator==(const Calibration&, const Calibration&) = default;
};

// `pixels` measured over `nanometres`, when that is a measurement to trust.
std::optional<PixelDensity> MeasuredDensity(std::int64_t pixels, std::int64_t nanometres);

// The card's width and height as the guide measured them.
Calibration CardCalibration(std::int32_t widthPixels, std::int32_t heightPixels);

// Every calibrated monitor's by its identity (MonitorIdentity).
using Calibrations = std::map<std::string, Calibration, std::less<>>;
// A file holding more lines than this is not one this program wrote: the
// rest are ignored.
inline constexpr std::size_t kMostCalibrations = 64;

// MonitorIdentity takes at most this much of each part it is made of; the
// longest it gives is "PATH-" and two parts.
inline constexpr std::size_t kLongestIdentityPart = 128;
inline constexpr std::size_t kLongestMonitorIdentity = 6 + 2 * kLongestIdentityPart;

// Whether a key of the section is one MonitorIdentity gives: capital
// letters, digits and "&_.-", not empty and not overlong.
bool IsMonitorIdentity(std::string_view key);

// "324/85.6 204/53.98"; "-" for a side not measured.
std::string FormatCalibration(const Calibration& calibration);
// The value of a line; nothing when it is not one this program wrote or
// could have written, or holds no side at all.
std::optional<Calibration> ParseCalibration(std::string_view value);

}  // namespace lumetra
