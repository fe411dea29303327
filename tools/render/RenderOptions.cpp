#include "tools/render/RenderOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/Numbers.h"
#include "settings/AppSettings.h"

namespace lumetra {
namespace {

// Stores a checked value, or says why it cannot be taken.
using ValueHandler = std::string (*)(RenderOptions& options, std::string_view value);

struct OptionRule {
    std::string_view name;
    std::string_view meta;  // empty: the option takes no value
    std::string_view help;
    ValueHandler handler;
};

std::string Quoted(std::string_view value) {
    std::string quoted(1, '\'');
    quoted += value;
    quoted += '\'';
    return quoted;
}

std::string TakeNumber(std::optional<std::int32_t>& field, std::string_view value, std::int32_t lo, std::int32_t hi) {
    const auto number = ParseWholeNumber(value);
    if (!number) return Quoted(value) + " is not a whole number";
    if (*number < lo || *number > hi) {
        return Quoted(value) + " is out of range (" + std::to_string(lo) + " to " + std::to_string(hi) + ")";
    }
    field = static_cast<std::int32_t>(*number);
    return {};
}

std::string TakeColor(std::optional<Color>& field, std::string_view value) {
    field = ParseColor(value);
    return field ? std::string() : Quoted(value) + " is not a colour (#RRGGBB or 0 to 16777215)";
}

std::string TakeSwitch(std::optional<bool>& field, std::string_view value) {
    if (value == "on")
        field = true;
    else if (value == "off")
        field = false;
    else
        return Quoted(value) + " is neither on nor off";
    return {};
}

const std::array<OptionRule, 23>& OptionRules() {
    static const std::array<OptionRule, 23> rules = {{
        {"--look", "N",
         "look 0 to 18 (0 grid, 1 ratio steps, 2 halves, 3 thirds, 4 golden-ratio\n"
         "lines, 5 spiral, 6 four spirals, 7 full-turn spiral, 8 circles, 9 centred\n"
         "steps, 10 inset frames, 11 page canon, 12 armature, 13 golden-ratio cross,\n"
         "14 diagonal method, 15 harmonious triangles, 16 rabatment, 17 golden\n"
         "rectangles, 18 aspect-ratio frames)",
         [](RenderOptions& o, std::string_view v) { return TakeNumber(o.look, v, 0, kBuiltInLookCount - 1); }},
        {"--orient", "N",
         "orientation 0 to 3: origin corner top-left, top-right, bottom-right,\n"
         "bottom-left",
         [](RenderOptions& o, std::string_view v) { return TakeNumber(o.orient, v, 0, 3); }},
        {"--ratio", "R",
         "height over width, as a decimal (0.5625) or as width:height (16:9),\n"
         "0.01 to 100; applied before the sizes",
         [](RenderOptions& o, std::string_view v) {
             o.ratio = ParseRatio(v);
             return o.ratio ? std::string() : Quoted(v) + " is not a ratio from 0.01 to 100 (0.5625 or 16:9)";
         }},
        {"--width", "N",
         "width of the measured area, 58 to 16384 pixels; with the ratio lock\n"
         "on, the width leads and the height follows from the ratio",
         [](RenderOptions& o, std::string_view v) { return TakeNumber(o.width, v, kMinWidth, kMaxDimension); }},
        {"--height", "N",
         "height of the measured area, up to 16384 pixels and at least 58 times\n"
         "the ratio; alone, with the lock on, the height leads and the width\n"
         "follows; together with --width, the lock is switched off and both\n"
         "sizes are used as given",
         [](RenderOptions& o, std::string_view v) { return TakeNumber(o.height, v, 1, kMaxDimension); }},
        {"--border", "N", "margin around the measured area, 0 to 1024 pixels",
         [](RenderOptions& o, std::string_view v) { return TakeNumber(o.border, v, 0, kMaxBorder); }},
        {"--grid", "N", "grid step, 3 to 32766 pixels; no step finer than it is drawn",
         [](RenderOptions& o, std::string_view v) { return TakeNumber(o.grid, v, kMinGridSize, kMaxGridSize); }},
        {"--values", "on|off", "draw the measurements",
         [](RenderOptions& o, std::string_view v) { return TakeSwitch(o.values, v); }},
        {"--lines-color", "C",
         "colour of the lines: #RRGGBB, or the decimal value of the settings\n"
         "file (red in the lowest byte)",
         [](RenderOptions& o, std::string_view v) { return TakeColor(o.linesColor, v); }},
        {"--values-color", "C", "colour of the measurements, as --lines-color",
         [](RenderOptions& o, std::string_view v) { return TakeColor(o.valuesColor, v); }},
        {"--line-width", "N", "width of every line, circle and spiral, 1 to 8 pixels",
         [](RenderOptions& o, std::string_view v) { return TakeNumber(o.lineWidth, v, kMinLineWidth, kMaxLineWidth); }},
        {"--halo", "on|off",
         "a one-pixel outline in the halo colour around every line and\n"
         "measurement, drawn beneath them",
         [](RenderOptions& o, std::string_view v) { return TakeSwitch(o.halo, v); }},
        {"--halo-color", "C",
         "colour of the halo, as --lines-color, or auto: black or white,\n"
         "whichever stands out more from the lines",
         [](RenderOptions& o, std::string_view v) {
             if (v == "auto") {
                 o.haloColor = kAutoHaloColor;
                 return std::string();
             }
             return TakeColor(o.haloColor, v);
         }},
        {"--label-size", "N",
         "cell height of the measurements' font, 8 to 24 pixels, or auto\n"
         "(11 at 96 DPI, as the exporter knows no monitor)",
         [](RenderOptions& o, std::string_view v) {
             if (v == "auto") {
                 o.labelSize = kAutoLabelSize;
                 return std::string();
             }
             return TakeNumber(o.labelSize, v, kMinLabelSize, kMaxLabelSize);
         }},
        {"--units", "U",
         "the unit of the document's size: 0 or px device pixels, 1 or scaled\n"
         "scaled pixels, 2 or mm, 3 or cm, 4 or in, 5 or pt (1/72 inch), 6 or %\n"
         "per cent; with mm, cm, in or pt the SVG's width and height are its\n"
         "true size (width=\"104.8mm\"), the view box staying in pixels",
         [](RenderOptions& o, std::string_view v) {
             o.unit = ParseUnit(v);
             return o.unit ? std::string() : Quoted(v) + " is not a unit (0 to 6, px, scaled, mm, cm, in, pt, %)";
         }},
        {"--pixels-per-mm", "R",
         "the monitor's pixels per millimetre for the true size, 0.5 to 40, for\n"
         "both sides (3.78) or the width's and the height's (3.78x3.80);\n"
         "without it 96 pixels to the inch (3.78), as the exporter knows no monitor",
         [](RenderOptions& o, std::string_view v) {
             o.pixelsPerMm = ParsePixelsPerMm(v);
             return o.pixelsPerMm ? std::string()
                                  : Quoted(v) + " is not a number of pixels per millimetre from 0.5 to 40 (3.78)";
         }},
        {"--settings", "FILE",
         "start from this settings file (Lumetra.user.settings) instead of the\n"
         "first-run settings; the options above apply on top of it",
         [](RenderOptions& o, std::string_view v) {
             o.settingsFile = std::string(v);
             return std::string();
         }},
        {"--lang", "FILE",
         "a language file (.lng) for the labels, read over English.lng; English.lng\n"
         "is looked for beside this tool, then in the source tree's lang folder",
         [](RenderOptions& o, std::string_view v) {
             o.langFile = std::string(v);
             return std::string();
         }},
        {"--guide", "FILE",
         "draw this guide file (.guide) instead of a look; the sizes, the\n"
         "orientation and the line and label options apply as to a look",
         [](RenderOptions& o, std::string_view v) {
             o.guideFile = std::string(v);
             return std::string();
         }},
        {"--check", "FILE",
         "only read this guide file and print each error as FILE:LINE: message\n"
         "(FILE: message for the file as a whole), or one line saying it is OK",
         [](RenderOptions& o, std::string_view v) {
             o.checkFile = std::string(v);
             return std::string();
         }},
        {"-o", "FILE",
         "write the SVG to FILE (replaced whole) instead of the standard output;\n"
         "'-' is the standard output",
         [](RenderOptions& o, std::string_view v) {
             o.outputFile = std::string(v);
             return std::string();
         }},
        {"--output", "FILE", "the same as -o",
         [](RenderOptions& o, std::string_view v) {
             o.outputFile = std::string(v);
             return std::string();
         }},
        {"--help", "", "show this text",
         [](RenderOptions& o, std::string_view) {
             o.help = true;
             return std::string();
         }},
    }};
    return rules;
}

// A decimal with a point in fixed notation only: no signs, exponents,
// "inf" or "nan".
std::optional<double> ReadPositive(std::string_view part) {
    double value = 0;
    const char* end = part.data() + part.size();
    if (part.empty() || part.find_first_not_of("0123456789.") != std::string_view::npos) return std::nullopt;
    const auto [stop, error] = std::from_chars(part.data(), end, value, std::chars_format::fixed);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::optional<PixelDensity> ReadPixelsPerMm(std::string_view text) {
    const std::optional<double> perMm = ReadPositive(text);
    if (!perMm || *perMm < kMinExportPixelsPerMm || *perMm > kMaxExportPixelsPerMm) return std::nullopt;
    constexpr std::int64_t kMetre = 1000 * kNanometresPerMillimetre;
    return PixelDensity{Nearest(static_cast<long double>(*perMm) * 1000), kMetre};
}

const OptionRule* FindOption(std::string_view name) {
    for (const OptionRule& option : OptionRules()) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

}  // namespace

std::optional<std::int64_t> ParseWholeNumber(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || stop != end) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        return text[0] == '-' ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    }
    if (error != std::errc()) return std::nullopt;
    return value;
}

std::optional<double> ParseRatio(std::string_view text) {
    std::optional<double> ratio;
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        ratio = ReadPositive(text);
    } else {
        const auto width = ReadPositive(text.substr(0, colon));
        const auto height = ReadPositive(text.substr(colon + 1));
        if (width && height && *width > 0) ratio = *height / *width;
    }
    if (!ratio || !std::isfinite(*ratio) || *ratio < kMinExportRatio || *ratio > kMaxExportRatio) return std::nullopt;
    return ratio;
}

std::optional<Color> ParseColor(std::string_view text) {
    if (!text.empty() && text[0] == '#') {
        const std::string_view hex = text.substr(1);
        std::uint32_t rgb = 0;
        const char* end = hex.data() + hex.size();
        const auto [stop, error] = std::from_chars(hex.data(), end, rgb, 16);
        if (hex.size() != 6 || error != std::errc() || stop != end) return std::nullopt;
        return Rgb(rgb >> 16, rgb >> 8, rgb);
    }
    const auto value = ParseWholeNumber(text);
    if (!value || *value < 0 || *value > 0xFFFFFF) return std::nullopt;
    return static_cast<Color>(*value);
}

std::optional<Unit> ParseUnit(std::string_view text) {
    static constexpr std::array<std::string_view, kUnitCount> kNames = {"px", "scaled", "mm", "cm", "in", "pt", "%"};
    for (std::int32_t i = 0; i < kUnitCount; ++i) {
        if (text == kNames[static_cast<std::size_t>(i)] || text == std::to_string(i)) return UnitOf(i);
    }
    return std::nullopt;
}

std::optional<SideDensities> ParsePixelsPerMm(std::string_view text) {
    const std::size_t x = text.find('x');
    const std::optional<PixelDensity> width = ReadPixelsPerMm(text.substr(0, x));
    const std::optional<PixelDensity> height =
        x == std::string_view::npos ? width : ReadPixelsPerMm(text.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return SideDensities{*width, *height};
}

ParsedOptions ParseRenderOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        std::optional<std::string_view> value;
        if (const auto equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string_view::npos) {
            value = arg.substr(equals + 1);
            arg = arg.substr(0, equals);
        }
        const OptionRule* option = FindOption(arg);
        if (option == nullptr) {
            parsed.error = "unknown option " + Quoted(arg) + " (see --help)";
            return parsed;
        }
        if (option->meta.empty() && value) {
            parsed.error = std::string(option->name) + " takes no value";
            return parsed;
        }
        if (!option->meta.empty() && !value) {
            if (i + 1 >= args.size()) {
                parsed.error = std::string(option->name) + " needs a value (" + std::string(option->meta) + ")";
                return parsed;
            }
            value = args[++i];
        }
        const std::string problem = option->handler(parsed.options, value.value_or(""));
        if (!problem.empty()) {
            parsed.error = std::string(option->name) + ": " + problem;
            return parsed;
        }
    }
    return parsed;
}

std::string RenderHelp() {
    std::string help =
        "Usage: lumetra-render [options]\n"
        "\n"
        "Draws one look of Velmora Lumetra's proportion guides, or a guide file, as an SVG\n"
        "document: the measured area with its margins (the overlay's caption strip is left\n"
        "out), lines and measurements as the overlay draws them, on a transparent background.\n"
        "\n"
        "Options (each value as the next argument or after '='):\n";
    for (const OptionRule& option : OptionRules()) {
        std::string head = "  " + std::string(option.name);
        if (!option.meta.empty()) {
            head += ' ';
            head += option.meta;
        }
        head.resize(std::max<std::size_t>(head.size() + 1, 22), ' ');
        help += head;
        for (const char c : option.help) {
            help += c;
            if (c == '\n') help += std::string(22, ' ');
        }
        help += '\n';
    }
    help +=
        "\n"
        "Without --settings the first-run settings hold: look 1, orientation 0, 396 x 245\n"
        "pixels with the golden ratio locked and the width leading, border 12, grid 8,\n"
        "measurements on. A settings file's ratio may use a decimal comma.\n"
        "\n"
        "Exit status: 0 done, 1 the output could not be written, 2 a wrong option or an\n"
        "input file that cannot be read, 3 a guide file with errors.\n"
        "\n"
        "Example:\n"
        "  lumetra-render --look 5 --orient 1 --ratio 16:9 --width 640 -o spiral.svg\n"
        "  lumetra-render --guide baseline.guide --line-width 2 -o baseline.svg\n"
        "  lumetra-render --check baseline.guide\n";
    return help;
}

}  // namespace lumetra
