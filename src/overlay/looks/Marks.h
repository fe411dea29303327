#pragma once
// What the looks share: the drawing context, the marks every look draws from
// and the value labels along the margins.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "canvas/Canvas.h"
#include "overlay/looks/Geometry.h"
#include "overlay/looks/Looks.h"

namespace lumetra {

struct LookContext {
    LookSettings settings;  // within the settings' bounds
    OrientFrame frame;
    const LangTable& lang;
    Canvas& canvas;
};

// Move to the first point, then line to each following one.
void Polyline(Canvas& canvas, std::initializer_list<Point> points);
void Line(Canvas& canvas, Point from, Point to);

void DrawOutline(const LookContext& look);
void DrawCentreLines(const LookContext& look);
void DrawPlusMark(const LookContext& look, Point at);
void DrawMidpointMarks(const LookContext& look);

// Labels; the caller draws them only when ShowValues is on.
void DrawSizeReadout(const LookContext& look);
void DrawHalfLabels(const LookContext& look);
void DrawWidthSteps(const LookContext& look);
void DrawHalfWidthSteps(const LookContext& look);

// A label centred on x above the top edge, its bottom at y = B + 17.
void DrawTopLabel(const LookContext& look, std::int32_t x, std::string_view text);
// Vertical text (font angle 90) in the band from column x, centred on y.
void DrawVerticalLabel(const LookContext& look, std::int32_t x, std::int32_t y, std::string_view text);

// A length along the width or the height of the measured area, in the unit
// the labels measure in.
std::string AcrossText(const LookContext& look, std::int64_t pixels);
std::string DownText(const LookContext& look, std::int64_t pixels);
// StepText with its lengths in that unit.
std::string StepLengths(const LookContext& look, std::int32_t start);

// The reduced working ratio of the step texts and the step looks.
double StepRatio(const LookContext& look);

}  // namespace lumetra
