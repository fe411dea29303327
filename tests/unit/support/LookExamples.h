#pragma once
// The overlay the look tests draw on: 396 x 245 with a 12-pixel border and an
// 8-pixel grid, so X0 = 12, X1 = 408, Y0 = 28, Y1 = 273 and the centre is
// (210, 150) in orientation 0. Texts are measured by RecordingCanvas.
#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "lang/LangTable.h"
#include "overlay/looks/Looks.h"
#include "support/RecordingCanvas.h"

namespace lumetra::test {

using Ends = std::array<int, 4>;

inline constexpr Color kExampleLines = 0x4040FF;
inline constexpr Color kExampleValues = 0x838383;

inline LookSettings Example(std::int32_t lookMode, std::int32_t orientMode = 0) {
    LookSettings s;
    s.width = 396;
    s.height = 245;
    s.border = 12;
    s.gridSize = 8;
    s.orientMode = orientMode;
    s.lookMode = lookMode;
    s.ratio = InvPhi;
    s.linesColor = kExampleLines;
    s.valuesColor = kExampleValues;
    return s;
}

inline LookSettings WithValues(LookSettings s) {
    s.showValues = true;
    return s;
}

inline RecordingCanvas Render(const LookSettings& settings) {
    LangTable lang;
    lang.Merge("MWidthHeight", "%d x %d");
    lang.Merge("MGridSize", "Grid %d");
    RecordingCanvas canvas;
    RenderLook(settings, lang, canvas);
    return canvas;
}

inline std::vector<Ends> SegmentsFrom(const RecordingCanvas& canvas, std::size_t first) {
    const std::vector<Ends> all = canvas.SegmentEnds();
    if (first >= all.size()) return {};
    return {all.begin() + static_cast<std::ptrdiff_t>(first), all.end()};
}

// A text with where and at which angle it was drawn.
struct Placed {
    int x = 0;
    int y = 0;
    std::string text;
    float angle = 0;
    friend bool operator==(const Placed&, const Placed&) = default;
};

inline void PrintTo(const Placed& p, std::ostream* os) {
    *os << "\"" << p.text << "\" at (" << p.x << ", " << p.y << ") angle " << p.angle;
}

inline std::vector<Placed> PlacedTexts(const RecordingCanvas& canvas) {
    std::vector<Placed> placed;
    for (const auto& t : canvas.texts) placed.push_back({t.at.x, t.at.y, t.text, t.angle});
    return placed;
}

inline const std::vector<Ends> kExampleOutline = {
    {12, 28, 408, 28}, {408, 28, 408, 273}, {408, 273, 12, 273}, {12, 273, 12, 28}};
inline const std::vector<Ends> kExampleCentreLines = {{210, 28, 210, 273}, {12, 150, 408, 150}};

}  // namespace lumetra::test
