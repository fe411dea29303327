#pragma once
// Draws a guide read from a file (see GuideFile.h) in the orientation frame,
// as the built-in looks draw: lines and curves with the canvas's pen, labels
// only when the measurements are shown.
#include <cstdint>

namespace lumetra {

struct LookContext;
struct UserGuide;

// Pen strokes per paint (a line segment, an ellipse or a label each); what a
// guide would draw beyond them is left out, as is what would take a pass
// beyond its share of the window's pixels (see GuideDraw.cpp), so no file
// can stall a paint.
inline constexpr std::int64_t kMaxGuideStrokes = 65536;
// A full turn of an arc at most; shorter or smaller arcs take fewer.
inline constexpr int kMaxArcSegments = 256;

void DrawUserGuide(const LookContext& look, const UserGuide& guide);

}  // namespace lumetra
