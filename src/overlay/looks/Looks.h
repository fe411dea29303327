#pragma once
// The built-in looks. Each one is a pure function of the settings, the string
// table and a canvas.
#include <cstdint>
#include <functional>

#include "common/Dpi.h"
#include "common/Types.h"
#include "canvas/Canvas.h"
#include "overlay/looks/Geometry.h"
#include "overlay/looks/Lengths.h"

namespace lumetra {

class LangTable;
struct LookContext;

// What the looks read from the settings, copied at each paint. RenderLook
// brings every size into the settings' bounds before drawing, so a look never
// sees a value that could overflow or loop without end.
struct LookSettings {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t border = 0;
    std::int32_t gridSize = 0;
    std::int32_t orientMode = 0;
    std::int32_t lookMode = 0;
    double ratio = InvPhi;
    bool showValues = false;
    Color linesColor = 0;
    Color valuesColor = 0;
    std::int32_t lineWidth = 1;
    bool halo = false;
    Color haloColor = 0;            // resolved: never automatic
    std::int32_t labelHeight = 11;  // resolved: the cell height in pixels
    LookUnits units;                // what the labels measure in
};

// Black or white, whichever contrasts more with the colour (by relative
// luminance).
Color ContrastingColor(Color color);
// The label cell height for a LabelSize: automatic scales the factory size
// by dpi / 96, rounded half to even and kept within the label bounds.
std::int32_t LabelCellHeight(std::int32_t labelSize, std::int32_t dpi);

// Draws the look numbered LookMode; a LookMode outside the built-in looks
// draws nothing.
// With the halo on, the look is drawn twice: first in the halo colour, each
// line two pixels wider and each label at its eight neighbouring places, then
// as without it on top, so that crossings keep the lines' colour.
void RenderLook(const LookSettings& settings, const LangTable& lang, Canvas& canvas);
// The halo's pass beneath, then the drawing itself in the lines' and
// measurements' colours; an empty draw only sets the canvas up.
void RenderLayers(const LookSettings& settings, const LangTable& lang, Canvas& canvas,
                  const std::function<void(const LookContext&)>& draw);

inline constexpr std::int32_t kLookCount = kBuiltInLookCount;

// A built-in look: how it draws and the language key of its name.
struct BuiltInLook {
    void (*draw)(const LookContext& look);
    const char* nameKey;
};
// The built-in looks by LookMode (their table is common/BuiltInLooks.inc).
const BuiltInLook& BuiltInLookAt(std::int32_t lookMode);

// The looks' drawings, one for each row of their table, called by RenderLook
// with the pen and text colours set.
#define LOOK(draw, key) void draw(const LookContext& look);
#include "common/BuiltInLooks.inc"
#undef LOOK

}  // namespace lumetra
