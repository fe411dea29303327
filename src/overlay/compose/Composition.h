#pragma once
// The composition the user sees, to take away: the screen inside a guide's
// measured area with the guide's drawing on top, or the drawing alone as a
// layer; its file name; and the named ratio nearest to a picture's size.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "overlay/looks/Lengths.h"
#include "units/Units.h"

namespace lumetra {

class LangTable;
class TSettings;
struct LookLibrary;

// Rows of 32-bit DIB pixels (0xAARRGGBB), `stride` pixels apart.
struct PixelRows {
    std::span<const std::uint32_t> pixels;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// The screen with the guide on top, both of the same size: the guide's
// pixel wherever it drew (any colour but `key`), the screen's elsewhere; every
// pixel opaque. Rows of `width` pixels; empty when the two do not fit
// together or a block's pixels run short.
std::vector<std::uint32_t> ComposeOverScreen(const PixelRows& screen, const PixelRows& guide, std::uint32_t key);

// The guide's drawing alone: its pixels opaque, the key colour fully
// transparent (0). Empty as above.
std::vector<std::uint32_t> GuideLayer(const PixelRows& guide, std::uint32_t key);

// The guide's drawing alone as an SVG document of the measured area's size,
// drawn as the exporter draws it: the same widths, halo and labels; with a
// physical unit, sized as the measured area is on its monitor.
std::string GuideLayerSvg(const TSettings& settings, const LookLibrary& looks, const LangTable& lang,
                          const ExportDensity& density = {});

// "Golden spiral 640x427.png": the look's name and the size, with every
// character a Windows file name cannot hold replaced, and "Lumetra" for a
// name with nothing left.
std::string CompositionFileName(std::string_view lookName, int width, int height, std::string_view extension);

// What a save dialog's answer is saved as: a name that ends in the extension
// of an offered type (in any letter case) takes that type; any other name
// gets the extension of the type chosen in the list (the first for an index
// past them), so the file always says what it holds.
struct SavedFile {
    std::string path;
    std::size_t type = 0;
    friend bool operator==(const SavedFile&, const SavedFile&) = default;
};
SavedFile ChooseFileType(const std::string& path, std::span<const std::string_view> extensions, std::size_t listed);

// The size and the nearest named ratio with its deviation, "640 x 427 - 3 : 2
// (+0.06 %)", from the preset ratios and the common print and screen ones,
// each either way round; beyond 1 % the ratio as a decimal only, "1.27 : 1".
// The size in the unit `units` chooses, "500 × 309.3 px - golden ratio
// (+0.10 %)", where the size read-out shows one.
std::string PictureRatioText(int width, int height, const LangTable& lang, char decimalSeparator,
                             const LookUnits& units = {});

}  // namespace lumetra
