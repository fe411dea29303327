#include "overlay/lookfiles/LookFileDraw.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "common/Numbers.h"
#include "overlay/draw/CaptionStrip.h"
#include "overlay/lookfiles/LookFile.h"
#include "overlay/looks/Looks.h"
#include "overlay/looks/Marks.h"

namespace lumetra {
namespace {

// Arcs get a segment for about every three pixels of their length.
constexpr long double kArcPixelsPerSegment = 3.0L;
// A copy of a repeat is drawn while it comes within half a pixel of the
// measured area, where rounding would put it on the edge.
constexpr long double kEdgeSlack = 0.5L;

// The measured area's sides, which any length may name.
struct Sides {
    long double width;
    long double height;
    long double shorter;
    long double longer;
};

// A distance from the origin corner in pixels, along a span.
long double Distance(const LookLength& length, long double span, const Sides& sides) {
    long double distance = static_cast<long double>(length.fraction) * span + static_cast<long double>(length.pixels);
    // A file without side terms places every point by fraction and pixels alone.
    for (const auto& [fraction, side] :
         {std::pair{length.ofWidth, sides.width}, std::pair{length.ofHeight, sides.height},
          std::pair{length.ofShorter, sides.shorter}, std::pair{length.ofLonger, sides.longer}}) {
        if (fraction != 0) distance += static_cast<long double>(fraction) * side;
    }
    return distance;
}

// What the strokes of one pass cost to write, in the pixels the pen covers
// on the window: a stroke reaching far beyond it costs what it shows, and
// what a pass may cost grows with the window, so that no file can make a
// paint cost more than a few times filling the window does.
class PaintBudget {
public:
    explicit PaintBudget(const LookSettings& s)
        // The halo's pass draws two pixels wider than the lines.
        : pen_(std::max(s.lineWidth, 1) + (s.halo ? 2 : 0)) {
        const long double reach = pen_ / 2 + 1;
        const long double width = static_cast<long double>(s.width) + 2 * s.border;
        const long double height = static_cast<long double>(s.height) + 2 * s.border + kCaptionRows;
        window_ = {-reach, -reach, width + reach, height + reach};
        left_ = std::max(kSmallestPaintBudget, width * height * kBudgetPerWindowPixel);
    }

    // Each point of an arc is worked out with its sine and cosine.
    bool SpendArcPoints(int points) { return Spend(points * kArcPointCost); }

    // Whether an ellipse's outline, or chords within `sagitta` times its
    // radii inside it, may show on the window.
    bool RingMeetsWindow(long double cx, long double cy, long double rx, long double ry, long double sagitta) const {
        if (cx + rx < window_.left || cx - rx > window_.right || cy + ry < window_.top || cy - ry > window_.bottom) {
            return false;
        }
        return !HoldsWindow(rx * (1 - sagitta), ry * (1 - sagitta), cx, cy);
    }

    bool SpendPath(const std::vector<Point>& points) {
        long double cost = kStrokeCost * (static_cast<long double>(points.size()) - 1);
        for (std::size_t i = 1; i < points.size(); ++i) cost += SegmentCost(points[i - 1], points[i]);
        return Spend(cost);
    }

    // An outline's walk to the farthest row the window shows, and its two
    // sides on the rows and columns of the window's part of its box.
    bool SpendEllipse(const Rect& box) {
        const long double left = std::max<long double>(box.left, window_.left);
        const long double right = std::min<long double>(box.right, window_.right);
        const long double top = std::max<long double>(box.top, window_.top);
        const long double bottom = std::min<long double>(box.bottom, window_.bottom);
        if (left >= right || top >= bottom) return Spend(kStrokeCost);
        const long double rx = (static_cast<long double>(box.right) - box.left) / 2;
        const long double ry = (static_cast<long double>(box.bottom) - box.top) / 2;
        const long double middle = (static_cast<long double>(box.top) + box.bottom) / 2;
        const long double rows =
            std::min(ry, std::max(std::fabs(window_.top - middle), std::fabs(window_.bottom - middle)));
        const long double flat = ry > 0 ? rows / ry : 1;
        const long double walk = rows + rx * (1 - std::sqrt(std::max(0.0L, 1 - flat * flat)));
        if (HoldsWindow(rx, ry, (static_cast<long double>(box.left) + box.right) / 2, middle)) {
            return Spend(kStrokeCost + walk);
        }
        // Each row it reaches is written for each pixel of the pen across,
        // its runs at a fraction of that.
        return Spend(kStrokeCost + walk + 2 * (bottom - top) * pen_ + 2 * (right - left) * pen_ * kRunShare);
    }

private:
    struct Window {
        long double left;
        long double top;
        long double right;
        long double bottom;
    };

    // Where lines write whole runs of a row or a column at once, a pixel
    // costs a fraction of one that a slanted line writes on its own.
    static constexpr long double kRunShare = 1.0L / 16;
    static constexpr long double kBudgetPerWindowPixel = 1.0L / 8;
    static constexpr long double kSmallestPaintBudget = 1 << 18;
    // Working out a stroke and handing it on costs about what writing so
    // many pixels does, an arc's point with its sine and cosine more.
    static constexpr long double kStrokeCost = 8;
    static constexpr long double kArcPointCost = 32;

    // Whether the window lies wholly inside the outline, clear of its pen:
    // then it shows nothing of it.
    bool HoldsWindow(long double rx, long double ry, long double cx, long double cy) const {
        const long double inner = pen_ / 2 + 1;
        if (rx <= inner || ry <= inner) return false;
        for (const long double x : {window_.left, window_.right}) {
            for (const long double y : {window_.top, window_.bottom}) {
                const long double u = (x - cx) / (rx - inner);
                const long double v = (y - cy) / (ry - inner);
                if (u * u + v * v >= 1) return false;
            }
        }
        return true;
    }

    bool Spend(long double cost) {
        if (cost > left_) return false;
        left_ -= cost;
        return true;
    }

    // The length of the part within the window, clipped as parameters t
    // along the line from a to b, times the pen.
    long double SegmentCost(Point a, Point b) const {
        const long double dx = static_cast<long double>(b.x) - a.x;
        const long double dy = static_cast<long double>(b.y) - a.y;
        long double t0 = 0;
        long double t1 = 1;
        const auto clip = [&](long double p, long double q) {
            if (p == 0) {
                if (q < 0) t1 = -1;
                return;
            }
            const long double t = q / p;
            if (p < 0) {
                t0 = std::max(t0, t);
            } else {
                t1 = std::min(t1, t);
            }
        };
        clip(-dx, a.x - window_.left);
        clip(dx, window_.right - a.x);
        clip(-dy, a.y - window_.top);
        clip(dy, window_.bottom - a.y);
        if (t1 <= t0) return 0;
        const long double shown = (t1 - t0) * std::max(std::fabs(dx), std::fabs(dy)) * pen_;
        return dx == 0 || dy == 0 ? shown * kRunShare : shown;
    }

    long double pen_;
    Window window_{};
    long double left_ = 0;
};

struct Extent {
    long double lo = 0;
    long double hi = 0;
};

class LookFilePainter {
public:
    explicit LookFilePainter(const LookContext& look)
        : look_(look),
          width_(look.settings.width),
          height_(look.settings.height),
          shorter_(std::min(look.settings.width, look.settings.height)),
          sides_{width_, height_, shorter_, std::max(width_, height_)},
          paint_(look.settings) {}

    // False once the stroke budget is spent.
    bool Draw(const LookElement& element) {
        const long double stepX = Distance(element.repeatStep.x, width_, sides_);
        const long double stepY = Distance(element.repeatStep.y, height_, sides_);
        auto [first, last] = CopiesToDraw(element, stepX, stepY);
        for (long double k = first; k <= last; ++k) {
            if (!DrawCopy(element, k * stepX, k * stepY)) return false;
        }
        return true;
    }

private:
    // The first and last copy of a repeat that reach the measured area; a
    // single element is drawn wherever it lies.
    std::pair<long double, long double> CopiesToDraw(const LookElement& element, long double stepX,
                                                     long double stepY) const {
        if (element.repeatCount <= 1) return {0, 0};
        long double first = 0;
        long double last = element.repeatCount - 1;
        const auto limit = [&](Extent extent, long double step, long double span) {
            const long double lo = -kEdgeSlack - extent.hi;
            const long double hi = span + kEdgeSlack - extent.lo;
            if (step == 0) {
                if (lo > 0 || hi < 0) last = -1;
                return;
            }
            const long double a = lo / step;
            const long double b = hi / step;
            first = std::max(first, std::ceil(step > 0 ? a : b));
            last = std::min(last, std::floor(step > 0 ? b : a));
        };
        limit(ExtentOf(element, true), stepX, width_);
        limit(ExtentOf(element, false), stepY, height_);
        // A step that rounds to nothing would draw every copy on the first.
        if (stepX == 0 && stepY == 0) last = std::min(last, first);
        return {first, last};
    }

    Extent ExtentOf(const LookElement& element, bool alongX) const {
        const long double span = alongX ? width_ : height_;
        const long double start = Distance(alongX ? element.points[0].x : element.points[0].y, span, sides_);
        Extent extent{start, start};
        for (const LookPoint& p : element.points) {
            const long double d = Distance(alongX ? p.x : p.y, span, sides_);
            extent.lo = std::min(extent.lo, d);
            extent.hi = std::max(extent.hi, d);
        }
        if (HasRadii(element)) {
            const long double r = alongX ? RadiusX(element) : RadiusY(element);
            extent.lo -= r;
            extent.hi += r;
        }
        return extent;
    }

    static bool HasRadii(const LookElement& element) {
        return element.shape == LookShape::Circle || element.shape == LookShape::Ellipse ||
               element.shape == LookShape::Arc;
    }
    // A radius such as "50%-8px" on a span too small for it is none.
    long double RadiusX(const LookElement& element) const {
        return std::max(0.0L, Distance(element.radiusX, element.round ? shorter_ : width_, sides_));
    }
    long double RadiusY(const LookElement& element) const {
        return element.round ? RadiusX(element) : std::max(0.0L, Distance(element.radiusY, height_, sides_));
    }

    Point At(long double dx, long double dy) const {
        const OrientFrame& f = look_.frame;
        return {Nearest(f.X0 + f.DX * dx), Nearest(f.Y0 + f.DY * dy)};
    }
    Point At(const LookPoint& p, long double ox, long double oy) const {
        return At(Distance(p.x, width_, sides_) + ox, Distance(p.y, height_, sides_) + oy);
    }

    bool Spend(std::int64_t strokes) {
        if (strokes > budget_) return false;
        budget_ -= strokes;
        return true;
    }

    void Path(const std::vector<Point>& points) {
        look_.canvas.MoveTo(points.front().x, points.front().y);
        for (std::size_t i = 1; i < points.size(); ++i) look_.canvas.LineTo(points[i].x, points[i].y);
    }

    bool DrawCopy(const LookElement& element, long double ox, long double oy) {
        std::vector<Point> points;
        for (const LookPoint& p : element.points) points.push_back(At(p, ox, oy));
        switch (element.shape) {
            case LookShape::Line:
            case LookShape::Polyline: break;
            case LookShape::Polygon: points.push_back(points.front()); break;
            case LookShape::Rect:
                points = {points[0], {points[1].x, points[0].y}, points[1], {points[0].x, points[1].y}, points[0]};
                break;
            case LookShape::Circle:
            case LookShape::Ellipse: return DrawEllipse(element, points.front());
            case LookShape::Arc: return DrawArc(element, ox, oy);
            case LookShape::Text: return DrawLabel(element, points.front());
        }
        if (!Spend(static_cast<std::int64_t>(points.size()) - 1) || !paint_.SpendPath(points)) return false;
        Path(points);
        return true;
    }

    bool DrawEllipse(const LookElement& element, Point centre) {
        const std::int32_t rx = Nearest(RadiusX(element));
        const std::int32_t ry = Nearest(RadiusY(element));
        const Rect box{centre.x - rx, centre.y - ry, centre.x + rx + 1, centre.y + ry + 1};
        if (!Spend(1) || !paint_.SpendEllipse(box)) return false;
        look_.canvas.Ellipse(box);
        return true;
    }

    bool DrawArc(const LookElement& element, long double ox, long double oy) {
        const long double rx = RadiusX(element);
        const long double ry = RadiusY(element);
        const long double sweep = (static_cast<long double>(element.toDegrees) - element.fromDegrees) * Pi / 180;
        const long double length = std::fabs(sweep) * std::max(rx, ry);
        const long double wanted = std::ceil(length / kArcPixelsPerSegment);
        const int cap = std::max(1, static_cast<int>(std::ceil(kMaxArcSegments * std::fabs(sweep) / (2 * Pi))));
        const int segments = std::clamp(wanted < cap ? static_cast<int>(wanted) : cap, 1, cap);
        if (!Spend(segments)) return false;
        const long double cx = Distance(element.points[0].x, width_, sides_) + ox;
        const long double cy = Distance(element.points[0].y, height_, sides_) + oy;
        // Its chords lie within a sagitta inside the curve: an arc whose
        // ring misses the window draws nothing there, and is not worked out.
        const OrientFrame& f = look_.frame;
        const long double sagitta = 1 - std::cos(std::fabs(sweep) / segments / 2);
        if (!paint_.RingMeetsWindow(f.X0 + f.DX * cx, f.Y0 + f.DY * cy, rx, ry, sagitta)) return true;
        if (!paint_.SpendArcPoints(segments + 1)) return false;
        const long double from = static_cast<long double>(element.fromDegrees) * Pi / 180;
        std::vector<Point> points;
        for (int i = 0; i <= segments; ++i) {
            const long double angle = from + sweep * i / segments;
            points.push_back(At(cx + rx * std::cos(angle), cy + ry * std::sin(angle)));
        }
        if (!paint_.SpendPath(points)) return false;
        Path(points);
        return true;
    }

    bool DrawLabel(const LookElement& element, Point anchor) {
        if (!look_.settings.showValues) return true;
        if (!Spend(1)) return false;
        Canvas& canvas = look_.canvas;
        canvas.SetFontAngle(0);
        const TextSize size = canvas.TextExtent(element.text);
        canvas.TextOut(anchor.x - Half(size.cx), anchor.y - Half(size.cy), element.text);
        return true;
    }

    const LookContext& look_;
    const long double width_;
    const long double height_;
    const long double shorter_;
    const Sides sides_;
    PaintBudget paint_;
    std::int64_t budget_ = kMaxLookStrokes;
};

}  // namespace

void DrawUserLook(const LookContext& look, const UserLook& guide) {
    LookFilePainter painter(look);
    for (const LookElement& element : guide.elements) {
        if (!painter.Draw(element)) return;
    }
}

void RenderUserLook(const LookSettings& settings, const UserLook& guide, const LangTable& lang, Canvas& canvas) {
    RenderLayers(settings, lang, canvas, [&guide](const LookContext& look) { DrawUserLook(look, guide); });
}

}  // namespace lumetra
