// Looks 14 to 18: the composition guides of crop tools. Every point is worked
// out in frame units (u across from the origin edge, v down from it) and
// placed through the orientation frame, so the looks turn with it.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "common/Numbers.h"
#include "overlay/looks/Geometry.h"
#include "overlay/looks/Looks.h"
#include "overlay/looks/Marks.h"

namespace lumetra {

namespace {

Point At(const OrientFrame& f, long double u, long double v) {
    return {f.X0 + Nearest(u) * f.DX, f.Y0 + Nearest(v) * f.DY};
}

// Where the squares on the short side end, as distances from the origin
// edge: labelled above the top edge of a landscape area, in the left margin
// of a portrait one.
void DrawSquareEdgeLabels(const LookContext& look) {
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    const std::int32_t side = std::min(s.width, s.height);
    if (s.width >= s.height) {
        look.canvas.SetFontAngle(0);
        for (const std::int32_t d : {side, s.width - side}) {
            DrawTopLabel(look, f.X0 + d * f.DX, AcrossText(look, d));
        }
        return;
    }
    look.canvas.SetFontAngle(90);
    for (const std::int32_t d : {side, s.height - side}) {
        DrawVerticalLabel(look, s.border - 11, f.Y0 + d * f.DY, DownText(look, d));
    }
}

// The foot of the perpendicular from p onto the line through a and b.
std::array<long double, 2> Foot(std::array<long double, 2> p, std::array<long double, 2> a,
                                std::array<long double, 2> b) {
    const long double du = b[0] - a[0];
    const long double dv = b[1] - a[1];
    const long double length2 = du * du + dv * dv;
    if (length2 == 0) return a;
    const long double t = ((p[0] - a[0]) * du + (p[1] - a[1]) * dv) / length2;
    return {a[0] + t * du, a[1] + t * dv};
}

// The sides a whirling cell is cut from, clockwise in orientation 0 of a
// landscape area.
enum class Side { Left, Top, Right, Bottom };

Side Next(Side side) { return static_cast<Side>((static_cast<int>(side) + 1) % 4); }

// In frame units, along the area's long side (a) and its short side (b).
struct Box {
    long double a0 = 0;
    long double b0 = 0;
    long double a1 = 0;
    long double b1 = 0;
};

// The cell cut off one side of what is left, at 1/phi of what is left across
// that side, and what is left after it: a square where the area is golden,
// the same section of the frame at any other ratio.
struct Cut {
    Side side = Side::Left;
    Box cell;
    Box rest;
};

Cut CutCell(const Box& box, Side side) {
    const long double across = (box.a1 - box.a0) * InvPhi;
    const long double down = (box.b1 - box.b0) * InvPhi;
    Cut cut{side, box, box};
    switch (side) {
        case Side::Left: cut.cell.a1 = cut.rest.a0 = box.a0 + across; break;
        case Side::Top: cut.cell.b1 = cut.rest.b0 = box.b0 + down; break;
        case Side::Right: cut.cell.a0 = cut.rest.a1 = box.a1 - across; break;
        case Side::Bottom: cut.cell.b0 = cut.rest.b1 = box.b1 - down; break;
    }
    return cut;
}

// Places a point of the long and short sides' frame: a portrait area is the
// landscape drawing mirrored about its diagonal, so the spiral turns into the
// corner opposite the origin either way.
class GoldenFrame {
public:
    explicit GoldenFrame(const LookContext& look)
        : frame_(look.frame), portrait_(look.settings.width < look.settings.height) {}
    Point operator()(long double a, long double b) const { return portrait_ ? At(frame_, b, a) : At(frame_, a, b); }

private:
    const OrientFrame& frame_;
    bool portrait_;
};

// The quarter of an ellipse through a cell, centred on its corner on the cut
// line, with the cell's width and height as its radii: from where the arc of
// the cell before ended to where the next one starts.
void DrawQuarterArc(const LookContext& look, const GoldenFrame& at, const Cut& cut) {
    constexpr int kMaxSegments = 64;
    // From the centre: the start and the end direction (a, b, a, b), each
    // side's turned a quarter clockwise from the side's before it.
    constexpr std::array<std::array<int, 4>, 4> kDirections = {{
        {-1, 0, 0, -1},  // left
        {0, -1, 1, 0},   // top
        {1, 0, 0, 1},    // right
        {0, 1, -1, 0},   // bottom
    }};
    const auto& d = kDirections[static_cast<std::size_t>(cut.side)];
    const Box& q = cut.cell;
    const long double ra = q.a1 - q.a0;
    const long double rb = q.b1 - q.b0;
    // The corner both directions point away from.
    const long double ca = d[0] + d[2] < 0 ? q.a1 : q.a0;
    const long double cb = d[1] + d[3] < 0 ? q.b1 : q.b0;
    const int segments = std::clamp(static_cast<int>(std::max(ra, rb) / 4), 4, kMaxSegments);
    for (int i = 0; i <= segments; ++i) {
        const long double t = Pi / 2 * i / segments;
        const long double c = std::cos(t);
        const long double n = std::sin(t);
        const Point p = at(ca + ra * (c * d[0] + n * d[2]), cb + rb * (c * d[1] + n * d[3]));
        if (i == 0) {
            look.canvas.MoveTo(p.x, p.y);
        } else {
            look.canvas.LineTo(p.x, p.y);
        }
    }
}

// Each cell's depth across its cut, in its middle, while it fits.
void DrawCellSizes(const LookContext& look, const GoldenFrame& at, const std::vector<Cut>& cuts) {
    Canvas& canvas = look.canvas;
    canvas.SetFontAngle(0);
    for (const Cut& cut : cuts) {
        const Box& q = cut.cell;
        const bool across = cut.side == Side::Left || cut.side == Side::Right;
        const std::int32_t depth = Nearest(across ? q.a1 - q.a0 : q.b1 - q.b0);
        // The frame lays a portrait area's first axis down the screen.
        const bool horizontal = across != (look.settings.width < look.settings.height);
        const std::string text = horizontal ? AcrossText(look, depth) : DownText(look, depth);
        const TextSize extent = canvas.TextExtent(text);
        const long double room = std::min(q.a1 - q.a0, q.b1 - q.b0);
        if (extent.cx + 4 > room || extent.cy + 4 > room) return;
        const Point centre = at((q.a0 + q.a1) / 2, (q.b0 + q.b1) / 2);
        canvas.TextOut(centre.x - Half(extent.cx), centre.y - Half(extent.cy), text);
    }
}

// The first of the rectangles that box overlaps, or nullptr.
const Rect* Covered(const Rect& box, const Rect* rects, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Rect& r = rects[i];
        if (box.left < r.right && r.left < box.right && box.top < r.bottom && r.top < box.bottom) return &r;
    }
    return nullptr;
}

}  // namespace

void LookDiagonalMethod(const LookContext& look) {
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    const long double w = s.width;
    const long double h = s.height;
    const long double d = std::min(w, h);
    DrawOutline(look);
    Line(look.canvas, At(f, 0, 0), At(f, d, d));
    Line(look.canvas, At(f, w, 0), At(f, w - d, d));
    Line(look.canvas, At(f, 0, h), At(f, d, h - d));
    Line(look.canvas, At(f, w, h), At(f, w - d, h - d));
    if (!s.showValues) return;
    DrawSizeReadout(look);
    DrawSquareEdgeLabels(look);
}

void LookHarmoniousTriangles(const LookContext& look) {
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    const long double w = s.width;
    const long double h = s.height;
    DrawOutline(look);
    Line(look.canvas, At(f, 0, h), At(f, w, 0));
    for (const std::array<long double, 2> corner : {std::array<long double, 2>{0, 0}, {w, h}}) {
        const auto foot = Foot(corner, {0, h}, {w, 0});
        Line(look.canvas, At(f, corner[0], corner[1]), At(f, foot[0], foot[1]));
    }
    if (s.showValues) DrawSizeReadout(look);
}

void LookRabatment(const LookContext& look) {
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    const long double w = s.width;
    const long double h = s.height;
    const long double d = std::min(w, h);
    DrawOutline(look);
    // The inner edges of the two squares, then their diagonals.
    if (s.width >= s.height) {
        Line(look.canvas, At(f, d, 0), At(f, d, h));
        Line(look.canvas, At(f, w - d, 0), At(f, w - d, h));
        for (const long double u : {0.0L, w - d}) {
            Line(look.canvas, At(f, u, 0), At(f, u + d, h));
            Line(look.canvas, At(f, u, h), At(f, u + d, 0));
        }
    } else {
        Line(look.canvas, At(f, 0, d), At(f, w, d));
        Line(look.canvas, At(f, 0, h - d), At(f, w, h - d));
        for (const long double v : {0.0L, h - d}) {
            Line(look.canvas, At(f, 0, v), At(f, w, v + d));
            Line(look.canvas, At(f, w, v), At(f, 0, v + d));
        }
    }
    if (!s.showValues) return;
    DrawSizeReadout(look);
    DrawSquareEdgeLabels(look);
}

void LookGoldenRectangles(const LookContext& look) {
    constexpr int kMaxCells = 64;
    // What is left is cut while a cell of a few pixels still comes off it.
    constexpr long double kSmallestRest = 4;
    const LookSettings& s = look.settings;
    const GoldenFrame at(look);
    std::vector<Cut> cuts;
    Box rest{0, 0, static_cast<long double>(std::max(s.width, s.height)),
             static_cast<long double>(std::min(s.width, s.height))};
    // The first cell comes off the left of a landscape area (off the top of
    // a portrait one); the rest follow clockwise (anticlockwise).
    for (Side side = Side::Left;
         static_cast<int>(cuts.size()) < kMaxCells && std::min(rest.a1 - rest.a0, rest.b1 - rest.b0) >= kSmallestRest;
         side = Next(side)) {
        cuts.push_back(CutCell(rest, side));
        rest = cuts.back().rest;
    }
    DrawOutline(look);
    for (const Cut& cut : cuts) {
        const Box& q = cut.cell;
        switch (cut.side) {
            case Side::Left: Line(look.canvas, at(q.a1, q.b0), at(q.a1, q.b1)); break;
            case Side::Right: Line(look.canvas, at(q.a0, q.b0), at(q.a0, q.b1)); break;
            case Side::Top: Line(look.canvas, at(q.a0, q.b1), at(q.a1, q.b1)); break;
            case Side::Bottom: Line(look.canvas, at(q.a0, q.b0), at(q.a1, q.b0)); break;
        }
    }
    for (const Cut& cut : cuts) DrawQuarterArc(look, at, cut);
    if (!s.showValues) return;
    DrawSizeReadout(look);
    DrawCellSizes(look, at, cuts);
}

void LookAspectFrames(const LookContext& look) {
    struct Aspect {
        std::int32_t across;
        std::int32_t down;
    };
    constexpr std::array<Aspect, 5> kAspects = {{{1, 1}, {5, 4}, {4, 3}, {3, 2}, {16, 9}}};
    const LookSettings& s = look.settings;
    const OrientFrame& f = look.frame;
    const bool wide = s.width >= s.height;
    const std::int32_t left = std::min(f.X0, f.X1);
    const std::int32_t top = std::min(f.Y0, f.Y1);
    std::array<Rect, kAspects.size()> frames;
    std::array<std::string, kAspects.size()> names;
    DrawOutline(look);
    for (std::size_t i = 0; i < kAspects.size(); ++i) {
        // Each frame turned to the area's own way, as large as fits, centred.
        const std::int32_t a = wide ? kAspects[i].across : kAspects[i].down;
        const std::int32_t b = wide ? kAspects[i].down : kAspects[i].across;
        const bool fullHeight = std::int64_t{s.width} * b >= std::int64_t{s.height} * a;
        const std::int32_t fw = fullHeight ? Nearest(static_cast<long double>(s.height) * a / b) : s.width;
        const std::int32_t fh = fullHeight ? s.height : Nearest(static_cast<long double>(s.width) * b / a);
        const std::int32_t x = left + Half(s.width - fw);
        const std::int32_t y = top + Half(s.height - fh);
        frames[i] = {x, y, x + fw, y + fh};
        names[i] = std::to_string(a) + ":" + std::to_string(b);
        Polyline(look.canvas, {{x, y}, {x + fw, y}, {x + fw, y + fh}, {x, y + fh}, {x, y}});
    }
    if (!s.showValues) return;
    DrawSizeReadout(look);
    // Each name inside its frame's top-left corner, moved down below any
    // name placed before that it would cover.
    std::array<Rect, kAspects.size()> placed;
    for (std::size_t i = 0; i < kAspects.size(); ++i) {
        const TextSize size = look.canvas.TextExtent(names[i]);
        Rect box{frames[i].left + 3, frames[i].top + 2, frames[i].left + 3 + size.cx, frames[i].top + 2 + size.cy};
        // Each move goes down past one earlier name, so this ends.
        for (const Rect* covered = Covered(box, placed.data(), i); covered != nullptr;
             covered = Covered(box, placed.data(), i)) {
            box.top = covered->bottom;
            box.bottom = box.top + size.cy;
        }
        placed[i] = box;
        look.canvas.TextOut(box.left, box.top, names[i]);
    }
}

}  // namespace lumetra
