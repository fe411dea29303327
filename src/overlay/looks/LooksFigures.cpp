// Looks 8 to 13: circles, centred steps, inset frames, page canon, armature
// and the golden-ratio cross.
#include <string>

#include "common/Numbers.h"
#include "overlay/looks/Looks.h"
#include "overlay/looks/Marks.h"

namespace lumetra {

namespace {

// A horizontal pair of lines at CY +- b and a vertical pair at CX +- a.
void DrawHorizontalPair(const LookContext& look, std::int32_t b) {
    const OrientFrame& f = look.frame;
    Line(look.canvas, {f.X0, f.CY + b}, {f.X1, f.CY + b});
    Line(look.canvas, {f.X0, f.CY - b}, {f.X1, f.CY - b});
}

void DrawVerticalPair(const LookContext& look, std::int32_t a) {
    const OrientFrame& f = look.frame;
    Line(look.canvas, {f.CX + a, f.Y0}, {f.CX + a, f.Y1});
    Line(look.canvas, {f.CX - a, f.Y0}, {f.CX - a, f.Y1});
}

std::int32_t Scaled(std::int32_t value, double r) { return Nearest(static_cast<long double>(value) * r); }

// Widths of the bands between neighbouring frames, on the left side, until
// one no longer fits its band.
void DrawBandLabels(const LookContext& look, std::int32_t d0, double r) {
    constexpr int kLimit = 50;
    const LookSettings& s = look.settings;
    std::int32_t prev = d0;
    int k = 0;
    while (true) {
        const std::int32_t d = Scaled(prev, r);
        const std::string text = AcrossText(look, prev - d);
        const std::int32_t cx = look.canvas.TextExtent(text).cx;
        look.canvas.TextOut(s.border + d + 1 + Half(prev - d) - Half(cx), look.frame.CY, text);
        if (prev - d < cx) return;
        prev = d;
        ++k;
        if (k > kLimit || d < s.gridSize) return;
    }
}

}  // namespace

void LookCircles(const LookContext& look) {
    constexpr int kLimit = 100;
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    DrawOutline(look);
    DrawCentreLines(look);
    for (const std::int32_t p : RatioSteps(Half(s.width), StepRatio(look), kLimit, s.gridSize)) {
        look.canvas.Ellipse({f.CX - p, f.CY - p, f.CX + p + 1, f.CY + p + 1});
    }
    if (!s.showValues) return;
    DrawSizeReadout(look);
    DrawHalfLabels(look);
    DrawHalfWidthSteps(look);
}

void LookCentredSteps(const LookContext& look) {
    const LookSettings& s = look.settings;
    const double q = EffectiveRatio(s.ratio);
    const double r = ReducedRatio(q);
    DrawOutline(look);
    DrawMidpointMarks(look);
    std::int32_t a = Nearest(static_cast<long double>(Half(s.width)) * r * r);
    std::int32_t b = Nearest(static_cast<long double>(Half(s.height)) * r * r);
    DrawHorizontalPair(look, b);
    DrawVerticalPair(look, a);
    a = Scaled(a, r);
    b = Scaled(b, r);
    DrawHorizontalPair(look, b);
    DrawVerticalPair(look, a);
    // Only the pair across the longer side at the first level.
    if (q > 1.0) {
        DrawHorizontalPair(look, Scaled(Half(s.height), r));
    } else {
        DrawVerticalPair(look, Scaled(Half(s.width), r));
    }
    if (!s.showValues) return;
    DrawSizeReadout(look);
    DrawHalfLabels(look);
}

void LookInsetFrames(const LookContext& look) {
    constexpr int kLimit = 50;
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    const double r = StepRatio(look);
    DrawOutline(look);
    DrawCentreLines(look);
    const std::int32_t d0 = Nearest(static_cast<long double>(s.width) * r * r * r * r);
    for (const std::int32_t d : RatioSteps(d0, r, kLimit, s.gridSize)) {
        const std::int32_t left = f.X0 + d * f.DX;
        const std::int32_t right = f.X1 - d * f.DX;
        const std::int32_t top = f.Y0 + d * f.DY;
        const std::int32_t bottom = f.Y1 - d * f.DY;
        Polyline(look.canvas, {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}});
    }
    if (!s.showValues) return;
    DrawSizeReadout(look);
    DrawBandLabels(look, d0, r);
}

void LookPageCanon(const LookContext& look) {
    const LookSettings& s = look.settings;
    const double q = EffectiveRatio(s.ratio);
    // The spread is laid out from the top-left whatever the orientation. A
    // portrait page fills the measured area and its facing page lies beyond.
    // The vertical module divides the page height in nine, like the width.
    const bool portrait = q >= 1.0;
    const std::int32_t gx = portrait ? s.width / 9 : s.width / 18;
    const std::int32_t gy = s.height / 9;
    LookContext page = look;
    OrientFrame& f = page.frame;
    f = ComputeOrientFrame(s.width, s.height, s.border, 0);
    if (portrait) {
        f.X1 = s.border + 2 * s.width;
        f.CX = s.border + s.width;
    }
    Canvas& c = look.canvas;
    DrawOutline(page);
    DrawCentreLines(page);
    const std::int32_t blockTop = f.Y0 + gy;
    const std::int32_t blockBottom = f.Y1 - 2 * gy;
    Polyline(c, {{f.X0 + 2 * gx, blockTop},
                 {f.CX - gx, blockTop},
                 {f.CX - gx, blockBottom},
                 {f.X0 + 2 * gx, blockBottom},
                 {f.X0 + 2 * gx, blockTop}});
    Polyline(c, {{f.X1 - 2 * gx, blockTop},
                 {f.CX + gx, blockTop},
                 {f.CX + gx, blockBottom},
                 {f.X1 - 2 * gx, blockBottom},
                 {f.X1 - 2 * gx, blockTop}});
    Polyline(c, {{f.X0, f.Y1}, {f.CX, f.Y0}, {f.X1, f.Y1}});
    Line(c, {f.X0, f.Y1}, {f.X1, f.Y0});
    Line(c, {f.X0, f.Y0}, {f.X1, f.Y1});
    if (!s.showValues) return;

    DrawSizeReadout(page);
    // A module is a length along its axis, the times a count.
    const auto product = [&page](std::int32_t module, int times, bool across) {
        const auto length = [&](std::int64_t pixels) {
            return across ? AcrossText(page, pixels) : DownText(page, pixels);
        };
        std::string text = length(module);
        text += 'x';
        text += std::to_string(times);
        text += '=';
        text += length(std::int64_t{module} * times);
        return text;
    };
    std::string block = "(";
    block += product(gy, 6, false);
    block += ")x(";
    block += product(gx, 6, true);
    block += ')';
    const std::int32_t middle = Half(f.CX);
    c.TextOut(middle, f.Y0 + Half(gy) - 5, product(gy, 1, false));
    c.TextOut(middle + 5, f.CY + 1, block);
    c.TextOut(middle, f.Y1 - gy - 5, product(gy, 2, false));
    c.SetFontAngle(90);
    c.TextOut(s.border + gx - 5, f.CY - 2, product(gx, 2, true));
    DrawHalfLabels(page);
}

void LookArmature(const LookContext& look) {
    const OrientFrame& f = look.frame;
    Canvas& c = look.canvas;
    DrawOutline(look);
    DrawCentreLines(look);
    Line(c, {f.X0, f.Y1}, {f.X1, f.Y0});
    Line(c, {f.X0, f.Y0}, {f.X1, f.Y1});
    Polyline(c, {{f.X0, f.Y1}, {f.CX, f.Y0}, {f.X1, f.Y1}});
    Polyline(c, {{f.X1, f.Y0}, {f.CX, f.Y1}, {f.X0, f.Y0}});
    Polyline(c, {{f.X0, f.Y0}, {f.X1, f.CY}, {f.X0, f.Y1}});
    Polyline(c, {{f.X1, f.Y0}, {f.X0, f.CY}, {f.X1, f.Y1}});
    Polyline(c, {{f.X0, f.CY}, {f.CX, f.Y0}, {f.X1, f.CY}, {f.CX, f.Y1}, {f.X0, f.CY}});
    if (!look.settings.showValues) return;
    DrawSizeReadout(look);
    DrawHalfLabels(look);
}

void LookPhiCross(const LookContext& look) {
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    DrawOutline(look);
    // Each line lies the golden-ratio share of the size from the far edge.
    const long double w = static_cast<long double>(s.width) * InvPhi;
    const long double h = static_cast<long double>(s.height) * InvPhi;
    const std::int32_t x = Nearest(f.DX == 1 ? f.X1 - w : f.X1 + w);
    const std::int32_t y = Nearest(f.DY == 1 ? f.Y1 - h : f.Y1 + h);
    Line(look.canvas, {x, f.Y0}, {x, f.Y1});
    Line(look.canvas, {f.X0, y}, {f.X1, y});
    if (s.showValues) DrawSizeReadout(look);
}

}  // namespace lumetra
