#include "overlay/compose/Composition.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <optional>

#include "lang/Format.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/compose/Compose.h"
#include "overlay/compose/LookCatalogue.h"
#include "overlay/draw/SvgCanvas.h"
#include "settings/AppSettings.h"

namespace lumetra {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kColourBits = 0x00FFFFFFu;

bool Fits(const PixelRows& rows) {
    if (rows.width < 0 || rows.height < 0 || rows.stride < rows.width) return false;
    if (rows.width == 0 || rows.height == 0) return true;
    const std::size_t needed = static_cast<std::size_t>(rows.height - 1) * static_cast<std::size_t>(rows.stride) +
                               static_cast<std::size_t>(rows.width);
    return rows.pixels.size() >= needed;
}

std::size_t At(const PixelRows& rows, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(rows.stride) + static_cast<std::size_t>(x);
}

// A named ratio, long side over short.
struct NamedRatio {
    double value;
    int longSide;  // "3 : 2"; 0: a name of its own
    int shortSide;
    TextKey nameKey;  // its text, where it has no sides
};

// The preset ratios and the common print and screen formats.
constexpr NamedRatio kNamedRatios[] = {
    {1.0, 1, 1, {}},
    {5.0 / 4.0, 5, 4, {}},
    {4.0 / 3.0, 4, 3, {}},
    {7.0 / 5.0, 7, 5, {}},
    {1.4142135623730951, 0, 0, texts::MRatioASeries},
    {3.0 / 2.0, 3, 2, {}},
    {16.0 / 10.0, 16, 10, {}},
    {1.6180339887498949, 0, 0, texts::MRatioGolden},
    {16.0 / 9.0, 16, 9, {}},
    {2.0, 2, 1, {}},
    {21.0 / 9.0, 21, 9, {}},
    {2.39, 0, 0, {}},
    {3.0, 3, 1, {}},
};
constexpr double kNamedWithin = 1.0;  // percent

std::string Decimal(double value, char separator) { return FormatTemplate("%.2f", {value}, separator); }

}  // namespace

std::vector<std::uint32_t> ComposeOverScreen(const PixelRows& screen, const PixelRows& guide, std::uint32_t key) {
    if (!Fits(screen) || !Fits(guide) || screen.width != guide.width || screen.height != guide.height) return {};
    std::vector<std::uint32_t> out;
    out.reserve(static_cast<std::size_t>(guide.width) * static_cast<std::size_t>(guide.height));
    for (int y = 0; y < guide.height; ++y) {
        for (int x = 0; x < guide.width; ++x) {
            const std::uint32_t drawn = guide.pixels[At(guide, x, y)] & kColourBits;
            const std::uint32_t shown = drawn != (key & kColourBits) ? drawn : screen.pixels[At(screen, x, y)];
            out.push_back((shown & kColourBits) | kOpaque);
        }
    }
    return out;
}

std::vector<std::uint32_t> GuideLayer(const PixelRows& guide, std::uint32_t key) {
    if (!Fits(guide)) return {};
    std::vector<std::uint32_t> out;
    out.reserve(static_cast<std::size_t>(guide.width) * static_cast<std::size_t>(guide.height));
    for (int y = 0; y < guide.height; ++y) {
        for (int x = 0; x < guide.width; ++x) {
            const std::uint32_t drawn = guide.pixels[At(guide, x, y)] & kColourBits;
            out.push_back(drawn == (key & kColourBits) ? 0u : drawn | kOpaque);
        }
    }
    return out;
}

std::string GuideLayerSvg(const TSettings& settings, const LookLibrary& looks, const LangTable& lang,
                          const ExportDensity& density) {
    // In the looks' own pixels, below a strip of 96-dpi rows.
    const Point origin = MeasuredOrigin({0, 0}, settings.Border(), CaptionStripAt(kDefaultDpi));
    SvgCanvas canvas({origin.x, origin.y, origin.x + settings.Width(), origin.y + settings.Height()});
    canvas.SetPhysicalSize(density);
    RenderChosenLook(looks, LookSettingsOf(settings), lang, canvas);
    return canvas.Document();
}

std::string CompositionFileName(std::string_view lookName, int width, int height, std::string_view extension) {
    std::string name;
    for (const char c : lookName) {
        const auto byte = static_cast<unsigned char>(c);
        const bool forbidden = byte < 32 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
        name += forbidden ? '_' : c;
    }
    // Windows drops trailing dots and blanks, and leading blanks read badly.
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    while (!name.empty() && name.front() == ' ') name.erase(name.begin());
    if (name.empty()) name = "Lumetra";
    return name + " " + std::to_string(width) + "x" + std::to_string(height) + std::string(extension);
}

SavedFile ChooseFileType(const std::string& path, std::span<const std::string_view> extensions, std::size_t listed) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.find_last_of("\\/");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        const std::string_view typed = std::string_view(path).substr(dot + 1);
        for (std::size_t i = 0; i < extensions.size(); ++i) {
            const std::string_view offered = extensions[i];
            const bool same =
                typed.size() == offered.size() &&
                std::equal(typed.begin(), typed.end(), offered.begin(), [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                });
            if (same) return {path, i};
        }
    }
    if (extensions.empty()) return {path, 0};
    const std::size_t type = listed < extensions.size() ? listed : 0;
    return {path + "." + std::string(extensions[type]), type};
}

std::string PictureRatioText(int width, int height, const LangTable& lang, char decimalSeparator,
                             const LookUnits& units) {
    const std::int64_t w = width;
    const std::int64_t h = height;
    if (width <= 0 || height <= 0) return FormatTemplate(lang.Text(texts::MPictureSize), {w, h});
    const bool upright = height > width;
    const double actual = upright ? static_cast<double>(height) / width : static_cast<double>(width) / height;
    const NamedRatio* nearest = nullptr;
    for (const NamedRatio& ratio : kNamedRatios) {
        const double distance = std::fabs(std::log(actual / ratio.value));
        if (nearest == nullptr || distance < std::fabs(std::log(actual / nearest->value))) {
            nearest = &ratio;
        }
    }
    // As the program's ratios go, short side over long: a picture a little
    // taller than 3 : 2 deviates upwards.
    const double deviation = (nearest->value / actual - 1.0) * 100.0;
    // The size as the size read-out writes it: the templates of today keep
    // their integers, a unit has templates of its own.
    const bool inUnit = SizeShowsUnit(units);
    const std::string across = AcrossText(units, width, width);
    const std::string down = DownText(units, height, height);
    const std::string symbol = inUnit ? UnitSymbolText(lang, units.unit) : std::string();
    if (std::fabs(deviation) > kNamedWithin) {
        const std::string value = Decimal(actual, decimalSeparator);
        const std::string ratio = upright ? "1 : " + value : value + " : 1";
        if (inUnit) return FormatTemplate(lang.Text(texts::MPictureRatioDecimalUnit), {across, down, symbol, ratio});
        return FormatTemplate(lang.Text(texts::MPictureRatioDecimal), {w, h, ratio});
    }
    std::string name;
    if (!nearest->nameKey.key.empty()) {
        name = lang.Text(nearest->nameKey);
    } else {
        const std::string longSide =
            nearest->longSide > 0 ? std::to_string(nearest->longSide) : Decimal(nearest->value, decimalSeparator);
        const std::string shortSide = nearest->longSide > 0 ? std::to_string(nearest->shortSide) : "1";
        name = upright ? shortSide + " : " + longSide : longSide + " : " + shortSide;
    }
    // Our own sign: the formatter knows no '+' flag.
    const std::string signedDeviation = (deviation < 0 ? "-" : "+") + Decimal(std::fabs(deviation), decimalSeparator);
    if (inUnit) {
        return FormatTemplate(lang.Text(texts::MPictureRatioUnit), {across, down, symbol, name, signedDeviation});
    }
    return FormatTemplate(lang.Text(texts::MPictureRatio), {w, h, name, signedDeviation});
}

}  // namespace lumetra
