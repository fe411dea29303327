#include "overlay/looks/Marks.h"

#include <string>

#include "common/Numbers.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"

namespace lumetra {

void Polyline(Canvas& canvas, std::initializer_list<Point> points) {
    bool first = true;
    for (const Point& p : points) {
        if (first) {
            canvas.MoveTo(p.x, p.y);
            first = false;
        } else {
            canvas.LineTo(p.x, p.y);
        }
    }
}

void Line(Canvas& canvas, Point from, Point to) { Polyline(canvas, {from, to}); }

void DrawOutline(const LookContext& look) {
    const OrientFrame& f = look.frame;
    Polyline(look.canvas, {{f.X0, f.Y0}, {f.X1, f.Y0}, {f.X1, f.Y1}, {f.X0, f.Y1}, {f.X0, f.Y0}});
}

void DrawCentreLines(const LookContext& look) {
    const OrientFrame& f = look.frame;
    Line(look.canvas, {f.CX, f.Y0}, {f.CX, f.Y1});
    Line(look.canvas, {f.X0, f.CY}, {f.X1, f.CY});
}

void DrawPlusMark(const LookContext& look, Point at) {
    Line(look.canvas, {at.x - 8, at.y}, {at.x + 8, at.y});
    Line(look.canvas, {at.x, at.y - 8}, {at.x, at.y + 8});
}

void DrawMidpointMarks(const LookContext& look) {
    const OrientFrame& f = look.frame;
    Line(look.canvas, {f.CX - 8, f.CY - 8}, {f.CX + 8, f.CY + 8});
    Line(look.canvas, {f.CX - 8, f.CY + 8}, {f.CX + 8, f.CY - 8});
    for (const Point& p : {Point{f.CX, f.Y0}, Point{f.CX, f.Y1}, Point{f.X0, f.CY}, Point{f.X1, f.CY}}) {
        DrawPlusMark(look, p);
    }
    DrawCentreLines(look);
}

void DrawSizeReadout(const LookContext& look) {
    const LookSettings& s = look.settings;
    look.canvas.SetFontAngle(0);
    const std::string text = SizeReadoutText(s.units, s.width, s.height, look.lang);
    look.canvas.TextOut(s.border + 3, s.border + s.height + 17, text);
}

void DrawHalfLabels(const LookContext& look) {
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    Canvas& canvas = look.canvas;
    canvas.SetFontAngle(0);
    const auto drawAbove = [&](std::int32_t centre, std::int32_t value) {
        const std::string text = AcrossText(look, value);
        canvas.TextOut(centre - Half(canvas.TextExtent(text).cx), s.border + 6, text);
    };
    drawAbove(f.CX - Quarter(s.width), Half(s.width));
    drawAbove(f.CX + Quarter(s.width), s.width - Half(s.width));
    canvas.SetFontAngle(90);
    DrawVerticalLabel(look, s.border - 11, f.CY - Quarter(s.height), DownText(look, Half(s.height)));
    DrawVerticalLabel(look, s.border - 11, f.CY + Quarter(s.height), DownText(look, s.height - Half(s.height)));
}

void DrawWidthSteps(const LookContext& look) {
    const OrientFrame& f = look.frame;
    Canvas& canvas = look.canvas;
    canvas.SetFontAngle(0);
    const std::string first = StepLengths(look, look.settings.width);
    const TextSize size = canvas.TextExtent(first);
    const std::int32_t x = f.DX > 0 ? f.X0 + 2 : f.X0 - 2 - size.cx;
    const std::int32_t y = f.DY > 0 ? f.Y0 + 2 : f.Y0 - 2 - 2 * size.cy;
    canvas.TextOut(x, y, first);
    canvas.TextOut(x, y + size.cy, StepLengths(look, Half(look.settings.width)));
}

void DrawHalfWidthSteps(const LookContext& look) {
    const OrientFrame& f = look.frame;
    Canvas& canvas = look.canvas;
    canvas.SetFontAngle(0);
    const std::string text = StepLengths(look, Half(look.settings.width));
    const TextSize size = canvas.TextExtent(text);
    const std::int32_t x = f.DX < 0 ? f.X1 + 2 : f.X1 - 2 - size.cx;
    const std::int32_t y = f.DY < 0 ? f.Y1 + 2 : f.Y1 - 2 - size.cy;
    canvas.TextOut(x, y, text);
}

void DrawTopLabel(const LookContext& look, std::int32_t x, std::string_view text) {
    look.canvas.BoxText({x, 16, x, look.settings.border + 17}, text, BoxPlacement::CentreBottom);
}

void DrawVerticalLabel(const LookContext& look, std::int32_t x, std::int32_t y, std::string_view text) {
    look.canvas.TextOut(x, y + Half(look.canvas.TextExtent(text).cx), text);
}

std::string AcrossText(const LookContext& look, std::int64_t pixels) {
    return AcrossText(look.settings.units, pixels, look.settings.width);
}

std::string DownText(const LookContext& look, std::int64_t pixels) {
    return DownText(look.settings.units, pixels, look.settings.height);
}

std::string StepLengths(const LookContext& look, std::int32_t start) {
    const LookUnits& units = look.settings.units;
    if (units.unit == Unit::DevicePixels) return StepText(start, StepRatio(look));
    // A decimal comma would run into the list's own commas.
    return StepText(start, StepRatio(look), [&look](std::int32_t length) { return AcrossText(look, length); },
                    units.decimalSeparator == ',' ? ';' : ',');
}

double StepRatio(const LookContext& look) { return ReducedRatio(EffectiveRatio(look.settings.ratio)); }

}  // namespace lumetra
