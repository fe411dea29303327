#pragma once
// Draws a look read from a file (see LookFile.h) in the orientation frame,
// as the built-in looks draw: lines and curves with the canvas's pen, labels
// only when the measurements are shown.
#include <cstdint>

namespace lumetra {

class Canvas;
class LangTable;
struct LookContext;
struct LookSettings;
struct UserLook;

// Pen strokes per paint (a line segment, an ellipse or a label each); what a
// guide would draw beyond them is left out, as is what would take a pass
// beyond its share of the window's pixels (PaintBudget in LookFileDraw.cpp),
// so no file can stall a paint.
inline constexpr std::int64_t kMaxLookStrokes = 65536;
// A full turn of an arc at most; shorter or smaller arcs take fewer.
inline constexpr int kMaxArcSegments = 256;

void DrawUserLook(const LookContext& look, const UserLook& guide);
// Draws a guide read from a file as a look is drawn, halo and widths alike;
// LookMode plays no part.
void RenderUserLook(const LookSettings& settings, const UserLook& guide, const LangTable& lang, Canvas& canvas);

}  // namespace lumetra
