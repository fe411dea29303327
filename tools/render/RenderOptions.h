#pragma once
// The command line of lumetra-render: what each option means, how its value
// is read and checked, and the help text that documents them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Types.h"
#include "units/Units.h"

namespace lumetra {

// Each side's pixel density, as --pixels-per-mm gives it.
struct SideDensities {
    PixelDensity width;
    PixelDensity height;
    friend bool operator==(const SideDensities&, const SideDensities&) = default;
};

struct RenderOptions {
    std::optional<std::int32_t> look;
    std::optional<std::int32_t> orient;
    std::optional<std::int32_t> width;
    std::optional<std::int32_t> height;
    std::optional<std::int32_t> border;
    std::optional<std::int32_t> grid;
    std::optional<double> ratio;
    std::optional<bool> values;
    std::optional<Color> linesColor;
    std::optional<Color> valuesColor;
    std::optional<std::int32_t> lineWidth;
    std::optional<bool> halo;
    std::optional<Color> haloColor;         // kAutoHaloColor: automatic
    std::optional<std::int32_t> labelSize;  // kAutoLabelSize: automatic
    std::optional<Unit> unit;
    std::optional<SideDensities> pixelsPerMm;
    std::optional<std::string> settingsFile;
    std::optional<std::string> langFile;
    std::optional<std::string> guideFile;  // draw this guide file instead of a look
    std::optional<std::string> checkFile;  // only check this guide file
    std::optional<std::string> outputFile;
    bool help = false;
};

// The options, or a one-line message saying what is wrong with them.
struct ParsedOptions {
    RenderOptions options;
    std::string error;
};

// args excludes the program name. Each option takes its value as the next
// argument or after "=" ("--look 5", "--look=5").
ParsedOptions ParseRenderOptions(const std::vector<std::string>& args);

// A decimal integer: optional "-", digits, nothing else. Numbers beyond
// 64 bits come back as the nearest 64-bit limit, so range checks report them.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text);
// Height over width as a decimal with a point ("0.5625"), or width:height
// ("16:9"); only finite values from kMinExportRatio to kMaxExportRatio.
std::optional<double> ParseRatio(std::string_view text);
// "#RRGGBB", or the decimal 0x00BBGGRR value the settings file stores.
std::optional<Color> ParseColor(std::string_view text);
// The Units setting's number 0 to 6, or its symbol: px, scaled, mm, cm, in,
// pt, %.
std::optional<Unit> ParseUnit(std::string_view text);
// Pixels per millimetre as a decimal with a point, one for both sides
// ("3.78") or the width's and the height's ("3.78x3.80"), each from
// kMinExportPixelsPerMm to kMaxExportPixelsPerMm, kept to the whole pixel
// per metre.
std::optional<SideDensities> ParsePixelsPerMm(std::string_view text);

// A 100:1 strip either way; beyond that one side rounds to a line.
inline constexpr double kMinExportRatio = 0.01;
inline constexpr double kMaxExportRatio = 100.0;

// From 13 to 1000 pixels to the inch, as a calibration may give.
inline constexpr double kMinExportPixelsPerMm = 0.5;
inline constexpr double kMaxExportPixelsPerMm = 40.0;

std::string RenderHelp();

}  // namespace lumetra
