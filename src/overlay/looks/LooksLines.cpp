// Looks 0 to 4: the grid, the ratio steps, halves, thirds and golden-ratio lines.
#include <string>

#include "common/Numbers.h"
#include "lang/Format.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/looks/Looks.h"
#include "overlay/looks/Marks.h"

namespace lumetra {

namespace {

// Labels at least 19 pixels apart along one axis of the grid: calls
// label(position) for the positions 0, ... that qualify, before extent.
template <typename Label>
void ForEachGridLabel(std::int32_t step, std::int32_t extent, Label label) {
    std::int32_t i = 0;
    std::int32_t last = 0;
    do {
        i += step;
        if (i - last > 18) {
            label(last);
            last = i;
        }
    } while (i < extent);
}

// Position labels of the step lines along one axis, and the lengths of the
// segments between them, wherever they fit. position(d, text) answers
// whether it drew; length writes a length along the axis.
template <typename Position, typename Segment>
void ForEachStepLabel(const LookContext& look, std::int32_t start, double r,
                      std::string (*length)(const LookContext&, std::int64_t), Position position, Segment segment) {
    constexpr int kLimit = 100;
    std::int32_t d = start;
    std::int32_t prev = start;
    std::int32_t free = start + 100;
    int k = 0;
    do {
        const std::string at = length(look, d);
        if (free - d > look.canvas.TextExtent(at).cx && position(d, at)) free = d;
        const std::string size = length(look, prev - d);
        if (prev - d > look.canvas.TextExtent(size).cx) {
            segment(Half(prev + d), size);
            free = d;
        }
        prev = d;
        d = Nearest(static_cast<long double>(d) * r);
        ++k;
    } while (k <= kLimit && d >= look.settings.gridSize);
}

// Lines at one pair of offsets from both edges of each axis, points marked at
// another pair, and the centre marked.
void DrawDivisions(const LookContext& look, Point line, Point mark) {
    const OrientFrame& f = look.frame;
    Canvas& c = look.canvas;
    DrawOutline(look);
    Line(c, {f.X0 + line.x, f.Y0}, {f.X0 + line.x, f.Y1});
    Line(c, {f.X0, f.Y0 + line.y}, {f.X1, f.Y0 + line.y});
    Line(c, {f.X1 - line.x, f.Y0}, {f.X1 - line.x, f.Y1});
    Line(c, {f.X0, f.Y1 - line.y}, {f.X1, f.Y1 - line.y});
    DrawPlusMark(look, {f.X0 + mark.x, f.Y0 + mark.y});
    DrawPlusMark(look, {f.X1 - mark.x, f.Y0 + mark.y});
    DrawPlusMark(look, {f.X1 - mark.x, f.Y1 - mark.y});
    DrawPlusMark(look, {f.X0 + mark.x, f.Y1 - mark.y});
    DrawPlusMark(look, {f.CX, f.CY});
    if (look.settings.showValues) DrawSizeReadout(look);
}

Point ThirdOffsets(const OrientFrame& f) { return {ThirdOffset(f.X1 - f.X0), ThirdOffset(f.Y1 - f.Y0)}; }

Point PhiOffsets(const OrientFrame& f) { return {PhiOffset(f.X1 - f.X0), PhiOffset(f.Y1 - f.Y0)}; }

}  // namespace

void LookGrid(const LookContext& look) {
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    Canvas& c = look.canvas;
    std::int32_t i = 0;
    do {
        const std::int32_t x = f.X0 + i * f.DX;
        Line(c, {x, f.Y0}, {x, f.Y1});
        i += s.gridSize;
    } while (i < s.width);
    std::int32_t j = 0;
    do {
        const std::int32_t y = f.Y0 + j * f.DY;
        Line(c, {f.X0, y}, {f.X1, y});
        j += s.gridSize;
    } while (j < s.height);
    if (!s.showValues) return;

    c.SetFontAngle(0);
    ForEachGridLabel(s.gridSize, s.width, [&](std::int32_t last) {
        const std::int32_t x = f.X0 + last * f.DX;
        // Kept clear of the corner where the vertical labels run.
        if (x > s.border + 8) DrawTopLabel(look, x, AcrossText(look, last));
    });
    c.TextOut(s.border + 3, s.border + s.height + 17,
              FormatTemplate(look.lang.Text(texts::MGridSize), {std::int64_t{s.gridSize}}));
    c.SetFontAngle(90);
    ForEachGridLabel(s.gridSize, s.height, [&](std::int32_t last) {
        DrawVerticalLabel(look, s.border - 11, f.Y0 + last * f.DY, DownText(look, last));
    });
}

void LookRatioSteps(const LookContext& look) {
    constexpr int kLimit = 100;
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    Canvas& c = look.canvas;
    const double r = StepRatio(look);
    for (const std::int32_t d : RatioSteps(s.width, r, kLimit, s.gridSize)) {
        Line(c, {f.X0 + d * f.DX, f.Y0}, {f.X0 + d * f.DX, f.Y1});
    }
    Line(c, {f.X0, f.Y0}, {f.X0, f.Y1});
    for (const std::int32_t d : RatioSteps(s.height, r, kLimit, s.gridSize)) {
        Line(c, {f.X0, f.Y0 + d * f.DY}, {f.X1, f.Y0 + d * f.DY});
    }
    Line(c, {f.X0, f.Y0}, {f.X1, f.Y0});
    if (!s.showValues) return;

    c.SetFontAngle(0);
    ForEachStepLabel(
        look, s.width, r, AcrossText,
        [&](std::int32_t d, const std::string& text) {
            const std::int32_t x = f.X0 + d * f.DX;
            if (x <= s.border + 8) return false;
            DrawTopLabel(look, x, text);
            return true;
        },
        [&](std::int32_t middle, const std::string& text) {
            const std::int32_t x = f.X0 + middle * f.DX;
            const std::int32_t bottom = s.border + 16 + s.height;
            c.BoxText({x, bottom, x, bottom + 1}, text, BoxPlacement::CentreTop);
        });
    c.SetFontAngle(90);
    ForEachStepLabel(
        look, s.height, r, DownText,
        [&](std::int32_t d, const std::string& text) {
            DrawVerticalLabel(look, s.border - 11, f.Y0 + d * f.DY, text);
            return true;
        },
        [&](std::int32_t middle, const std::string& text) {
            DrawVerticalLabel(look, s.border + s.width, f.Y0 + middle * f.DY, text);
        });
}

void LookHalves(const LookContext& look) {
    DrawOutline(look);
    DrawCentreLines(look);
    if (!look.settings.showValues) return;
    DrawSizeReadout(look);
    DrawHalfLabels(look);
    DrawWidthSteps(look);
}

void LookThirds(const LookContext& look) { DrawDivisions(look, ThirdOffsets(look.frame), PhiOffsets(look.frame)); }

void LookPhiLines(const LookContext& look) { DrawDivisions(look, PhiOffsets(look.frame), ThirdOffsets(look.frame)); }

}  // namespace lumetra
