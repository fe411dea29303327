// Looks 5 to 7: logarithmic spirals about the centre of the measured area.

#include "common/Numbers.h"
#include "overlay/looks/Looks.h"
#include "overlay/looks/Marks.h"

namespace lumetra {

namespace {

// The course shared by every spiral of a look: it grows from the half width
// of a landscape ratio or the half height of a portrait one.
SpiralTrack Course(const LookContext& look, double q, double rate) {
    const std::int32_t side = q >= 1.0 ? look.settings.height : look.settings.width;
    return SpiralCourse(Half(side), rate, look.settings.gridSize);
}

// Spiral number `spiral` of the start table about the centre.
void DrawSpiral(const LookContext& look, double q, const SpiralTrack& course, int spiral) {
    const SpiralStart start = SpiralStarts(spiral, q >= 1.0, look.settings.orientMode);
    SpiralPath(look.canvas, {look.frame.CX, look.frame.CY}, course, start);
}

void DrawSpiralLabels(const LookContext& look) {
    if (!look.settings.showValues) return;
    DrawSizeReadout(look);
    DrawHalfLabels(look);
    DrawHalfWidthSteps(look);
}

}  // namespace

void LookSpiral(const LookContext& look) {
    const double q = EffectiveRatio(look.settings.ratio);
    DrawOutline(look);
    DrawCentreLines(look);
    DrawSpiral(look, q, Course(look, q, QuarterTurnRate(SpiralFactor(q))), 1);
    DrawSpiralLabels(look);
}

void LookFourSpirals(const LookContext& look) {
    const double q = EffectiveRatio(look.settings.ratio);
    DrawOutline(look);
    DrawCentreLines(look);
    const SpiralTrack course = Course(look, q, QuarterTurnRate(SpiralFactor(q)));
    for (int spiral = 1; spiral <= 4; ++spiral) DrawSpiral(look, q, course, spiral);
    DrawSpiralLabels(look);
}

void LookSlowSpiral(const LookContext& look) {
    const double q = EffectiveRatio(look.settings.ratio);
    const OrientFrame& f = look.frame;
    DrawOutline(look);
    DrawPlusMark(look, {f.CX, f.CY});
    Line(look.canvas, {f.X0, f.CY}, {f.CX, f.CY});
    DrawSpiral(look, q, Course(look, q, FullTurnRate(SpiralFactor(q))), 1);
    if (!look.settings.showValues) return;
    look.canvas.SetFontAngle(0);
    DrawHalfWidthSteps(look);
}

}  // namespace lumetra
