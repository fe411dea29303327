// Looks 5 to 7: logarithmic spirals about the centre of the measured area.
#include "common/Numbers.h"
#include "overlay/Looks.h"
#include "overlay/Marks.h"

namespace lumetra {

namespace {

// Spiral number `spiral` of the start table, growing from the half width of
// a landscape ratio or the half height of a portrait one.
void DrawSpiral(const LookContext& look, double q, double rate, int spiral) {
    const bool portrait = q >= 1.0;
    const SpiralStart start = SpiralStarts(spiral, portrait, look.settings.orientMode);
    SpiralSpec shape;
    shape.centre = {look.frame.CX, look.frame.CY};
    shape.startRadius = Half(portrait ? look.settings.height : look.settings.width);
    shape.rate = rate;
    shape.startAngle = start.angle;
    shape.sense = start.sense;
    shape.minRadius = look.settings.gridSize;
    SpiralPath(look.canvas, shape);
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
    DrawSpiral(look, q, QuarterTurnRate(SpiralFactor(q)), 1);
    DrawSpiralLabels(look);
}

void LookFourSpirals(const LookContext& look) {
    const double q = EffectiveRatio(look.settings.ratio);
    DrawOutline(look);
    DrawCentreLines(look);
    const double rate = QuarterTurnRate(SpiralFactor(q));
    for (int spiral = 1; spiral <= 4; ++spiral) DrawSpiral(look, q, rate, spiral);
    DrawSpiralLabels(look);
}

void LookSlowSpiral(const LookContext& look) {
    const double q = EffectiveRatio(look.settings.ratio);
    const OrientFrame& f = look.frame;
    DrawOutline(look);
    DrawPlusMark(look, {f.CX, f.CY});
    Line(look.canvas, {f.X0, f.CY}, {f.CX, f.CY});
    DrawSpiral(look, q, FullTurnRate(SpiralFactor(q)), 1);
    if (!look.settings.showValues) return;
    look.canvas.SetFontAngle(0);
    DrawHalfWidthSteps(look);
}

}  // namespace lumetra
