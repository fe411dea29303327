#include "canvas/DibWriter.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <span>
#include <utility>

#include "canvas/SheetPixels.h"

namespace lumetra {
namespace {

// Writing a row checks every held run of columns, but only the columns of
// the runs that cross it: runs are bounded tightly, columns loosely, so that
// a fine grid of wide lines is written in one pass over the bitmap.
constexpr std::size_t kMostHeldRuns = 1024;
constexpr std::size_t kMostHeldColumns = std::size_t{1} << 16;
// Bounds the memory held slanted lines take, whatever the settings.
constexpr std::size_t kMostHeldSlantedPixels = std::size_t{1} << 20;
constexpr std::size_t kMostHeldSegments = std::size_t{1} << 16;
// Rows of a band, and how many bands below its own a band's short lines
// reach at most: they are walked once all of those are written, while the
// rows are still in the cache. Most of a spiral's steps on a 1920 x 1080
// screen are no taller than the rows they may reach.
constexpr int kBandRows = 32;
constexpr int kBandsReached = 2;
constexpr int kReachedRows = kBandRows * kBandsReached;
// Longer slanted lines are left to GDI: the direct writes walk every pixel,
// on the bitmap or not, and their error terms must not overflow.
constexpr int kLongestWrittenLine = 1 << 16;
// Far beyond any pen the settings allow; keeps the caps' squares small.
constexpr int kWidestWrittenLine = 64;
// Bounds the memory held runs of horizontal lines take.
constexpr std::size_t kMostHeldSpans = std::size_t{1} << 18;
// Bounds the ellipses a row checks and the memory their outlines take.
constexpr std::size_t kMostHeldEllipses = 256;
constexpr std::size_t kMostHeldQuadrantRuns = std::size_t{1} << 18;

// Whether a slanted line from the origin to (dx, dy) takes the pixel on the
// minor axis's next row or column where it passes exactly between two:
// GDI's rule, by octant.
bool TakesBias(long long dx, long long dy) {
    if (dy > 0) return dx < 0 && -dx <= dy;  // steep, to the left and down
    if (dx < 0) return true;                 // to the left and up
    return dx > -dy;                         // shallow, to the right and up
}

bool OnBitmap(const DibPixels& pixels, int x, int y) {
    return 0 <= x && x < pixels.width && 0 <= y && y < pixels.height;
}

// Floor and ceiling of a / b for b > 0.
long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
long long CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

// The steps of a line's walk, first to last, both included.
struct Steps {
    long long first;
    long long last;
};

// Columns and rows, lo to hi, both included.
struct Clip {
    long long columnLo;
    long long columnHi;
    long long rowLo;
    long long rowHi;
};

// The steps of the line from (x0, y0) by (dx, dy) whose pixels may lie
// within the clip: exactly along the major axis, a step or two early and
// late along the minor one, where the walk rounds. Empty when none may.
Steps StepsWithin(int x0, int y0, int dx, int dy, const Clip& clip) {
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const long long major = xMajor ? std::abs(dx) : std::abs(dy);
    const long long minor = xMajor ? std::abs(dy) : std::abs(dx);
    // The distances along each axis from the start, in the line's direction.
    const auto towards = [](long long start, int delta, long long lo, long long hi) {
        return delta > 0 ? Steps{lo - start, hi - start} : Steps{start - hi, start - lo};
    };
    const Steps alongX = towards(x0, dx, clip.columnLo, clip.columnHi);
    const Steps alongY = towards(y0, dy, clip.rowLo, clip.rowHi);
    const Steps alongMajor = xMajor ? alongX : alongY;
    const Steps alongMinor = xMajor ? alongY : alongX;
    // The minor offset after k steps lies within half a pixel of
    // k * minor / major.
    const long long firstByMinor = FloorDiv((alongMinor.first - 1) * major, minor) - 1;
    const long long lastByMinor = CeilDiv((alongMinor.last + 1) * major, minor) + 1;
    return {std::max({0LL, alongMajor.first, firstByMinor}), std::min({major - 1, alongMajor.last, lastByMinor})};
}

// Where GDI's Bresenham line from (x0, y0) by (dx, dy) is after `k` steps of
// its walk, with its choice where the line passes exactly between two
// pixels, and how it goes on from there.
class SlantedWalk {
public:
    SlantedWalk(int x0, int y0, int dx, int dy, long long k)
        : xMajor(std::abs(dx) > std::abs(dy)), stepX(dx > 0 ? 1 : -1), stepY(dy > 0 ? 1 : -1) {
        const long long major = xMajor ? std::abs(dx) : std::abs(dy);
        const long long minor = xMajor ? std::abs(dy) : std::abs(dx);
        const long long bias = TakesBias(dx, dy) ? 1 : 0;
        // After k steps the walk has taken n minor steps, its error term
        // grown by 2 minor each step and shrunk by 2 major each minor step.
        // None yet at the start, where most walks begin.
        const long long n = k == 0 ? 0 : (2 * k * minor + major - 1 + bias) / (2 * major);
        const long long error = 2 * minor - major + 2 * minor * k - 2 * major * n;
        shortfall_ = static_cast<int>(-(error + bias));
        growth_ = static_cast<int>(2 * minor);
        shrink_ = static_cast<int>(2 * major);
        x = static_cast<int>(x0 + (xMajor ? k : n) * stepX);
        y = static_cast<int>(y0 + (xMajor ? n : k) * stepY);
    }

    // All bits set when the next step moves along the minor axis too, else
    // none, with the error term moved on. The walks mask their minor step
    // with it rather than choose by it: a spiral's lines are millions of
    // pixels whose steps follow no pattern, and a branch on each would miss
    // its guess about every third pixel. Shifting the negative shortfall
    // right copies its sign into every bit, and the mask takes the shrink
    // back in: three operations from one step to the next.
    int Step() {
        const int mask = shortfall_ >> 31;
        shortfall_ += (shrink_ & mask) - growth_;
        return mask;
    }

    const bool xMajor;
    const int stepX;
    const int stepY;
    int x = 0;  // the pixel after k steps
    int y = 0;

private:
    // How far the error term, with the line's bias, falls short of a minor
    // step: negative when the next step takes one.
    int shortfall_ = 0;
    int growth_ = 0;
    int shrink_ = 0;
};

// GDI's Bresenham line from (x0, y0) by (dx, dy), end excluded: plot(x, y)
// for each of its pixels from step `steps.first` to `steps.last`, in drawing
// order, on the bitmap or not.
template <typename Plot>
void WalkSlantedLine(int x0, int y0, int dx, int dy, Steps steps, Plot plot) {
    if (steps.first > steps.last) return;
    SlantedWalk walk(x0, y0, dx, dy, steps.first);
    for (long long step = steps.first; step <= steps.last; ++step) {
        plot(walk.x, walk.y);
        const int minorStep = walk.Step();
        walk.x += walk.xMajor ? walk.stepX : walk.stepX & minorStep;
        walk.y += walk.xMajor ? walk.stepY & minorStep : walk.stepY;
    }
}

// The same walk for steps whose pixels all lie on the bitmap, written
// straight into its rows: each step moves one pixel along the main axis,
// and a minor step one more across it.
void WriteWalkOnBitmap(const SheetPixels& sheet, int x0, int y0, int dx, int dy, Steps steps, std::uint32_t pixel) {
    if (steps.first > steps.last) return;
    SlantedWalk walk(x0, y0, dx, dy, steps.first);
    const std::ptrdiff_t alongRow = walk.stepX;
    const std::ptrdiff_t alongColumn = walk.stepY * sheet.Stride();
    const std::ptrdiff_t major = walk.xMajor ? alongRow : alongColumn;
    const std::ptrdiff_t minor = walk.xMajor ? alongColumn : alongRow;
    std::uint32_t* at = sheet.Row(walk.y, walk.x, 1).data();
    for (long long step = steps.first; step <= steps.last; ++step) {
        *at = pixel;
        at += major + (minor & walk.Step());
    }
}

// Every pixel of a line of `width` (see Canvas::SetPenWidth) that may lie
// on the bitmap, in drawing order; a pixel may come more than once, and
// some beside the bitmap. Only the steps whose pixels the pen spreads onto
// it are walked, so a line reaching far beyond costs what it shows.
template <typename Plot>
void WalkWideLine(int x0, int y0, int dx, int dy, int width, const DibPixels& pixels, Plot plot) {
    const PenSpread spread = width <= 1 ? PenSpread{} : SpreadOf(width);
    const Clip clip{-spread.after, pixels.width - 1LL + spread.before, -spread.after,
                    pixels.height - 1LL + spread.before};
    const Steps steps = StepsWithin(x0, y0, dx, dy, clip);
    if (width <= 1) {
        WalkSlantedLine(x0, y0, dx, dy, steps, plot);
        return;
    }
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const auto square = [&](Point at) {
        const long long top = std::max<long long>(at.y - spread.before, 0);
        const long long bottom = std::min<long long>(at.y + spread.after, pixels.height - 1LL);
        const long long left = std::max<long long>(at.x - spread.before, 0);
        const long long right = std::min<long long>(at.x + spread.after, pixels.width - 1LL);
        for (long long sy = top; sy <= bottom; ++sy) {
            for (long long sx = left; sx <= right; ++sx) plot(static_cast<int>(sx), static_cast<int>(sy));
        }
    };
    square({x0, y0});
    WalkSlantedLine(x0, y0, dx, dy, steps, [&](int x, int y) {
        for (int d = -spread.before; d <= spread.after; ++d) plot(xMajor ? x : x + d, xMajor ? y + d : y);
    });
    square(LastLinePixel({x0, y0}, {x0 + dx, y0 + dy}));
}

// One row of an ellipse's outline: its left half's run and its right half's,
// as one run where they touch, clipped to the row.
inline void WriteOutlineRow(std::span<std::uint32_t> row, std::uint32_t pixel, long long leftFirst, long long leftLast,
                            long long rightFirst, long long rightLast) {
    const long long lastColumn = static_cast<long long>(row.size()) - 1;
    std::uint32_t* const bits = row.data();
    const auto write = [&](long long first, long long last) {
        const long long to = std::min(last, lastColumn);
        for (long long x = std::max(first, 0LL); x <= to; ++x) bits[x] = pixel;
    };
    if (leftLast + 1 >= rightFirst) {
        write(std::min(leftFirst, rightFirst), std::max(leftLast, rightLast));
    } else {
        write(leftFirst, leftLast);
        write(rightFirst, rightLast);
    }
}

}  // namespace

PenSpread SpreadOf(int width) {
    const int w = std::max(width, 1);
    return {(w - 1) / 2, w / 2};
}

Point LastLinePixel(Point from, Point to) {
    const long long dx = static_cast<long long>(to.x) - from.x;
    const long long dy = static_cast<long long>(to.y) - from.y;
    if (dx == 0 && dy == 0) return from;
    const bool xMajor = std::llabs(dx) > std::llabs(dy);
    const long long major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const long long minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    // The walk's minor offset after k steps is k * minor / major rounded to
    // the nearest, ties away from the start where the line takes the bias.
    const long long k = major - 1;
    const long long bias = TakesBias(dx, dy) ? 1 : 0;
    const long long n = (2 * k * minor + major - 1 + bias) / (2 * major);
    const long long alongX = xMajor ? k : n;
    const long long alongY = xMajor ? n : k;
    return {static_cast<int>(from.x + (dx > 0 ? alongX : -alongX)),
            static_cast<int>(from.y + (dy > 0 ? alongY : -alongY))};
}

int CacheFriendlyWidth(int width) {
    constexpr long long kLinePixels = 16;  // 64 bytes of 32-bit pixels
    const long long lines = (std::max(width, 0) + kLinePixels - 1) / kLinePixels;
    const long long padded = (lines | 1) * kLinePixels;
    return padded <= INT_MAX ? static_cast<int>(padded) : width;
}

DibWriter::DibWriter(std::function<void()> beforeWrite) : beforeWrite_(std::move(beforeWrite)) {}

void DibWriter::Retarget(DibPixels pixels) {
    pixels_ = pixels;
    const std::size_t rows = pixels.bits != nullptr ? static_cast<std::size_t>(std::max(pixels.height, 0)) : 0;
    heldSlanted_.resize(rows);
    heldSegments_.resize((rows + kBandRows - 1) / kBandRows);
    heldSpans_.resize(rows);
}

bool DibWriter::Line(int x0, int y0, int x, int y, std::uint32_t pixel, int width) {
    if (pixel != heldPixel_ && HoldsLines()) WriteHeld();
    heldPixel_ = pixel;  // everything held shares it
    if (x0 == x || y0 == y) return WriteStraightLine(x0, y0, x, y, SpreadOf(width));
    return WriteSlantedLine(x0, y0, x, y, std::clamp(width, 1, kWidestWrittenLine));
}

bool DibWriter::WriteSlantedLine(int x0, int y0, int x, int y, int width) {
    // Measured wide: far-apart ends must not overflow.
    if (std::llabs(static_cast<long long>(x) - x0) > kLongestWrittenLine ||
        std::llabs(static_cast<long long>(y) - y0) > kLongestWrittenLine) {
        return false;
    }
    // Wholly off the bitmap, the pen's spread included: nothing to draw.
    const PenSpread spread = SpreadOf(width);
    const long long left = static_cast<long long>(std::min(x0, x)) - spread.before;
    const long long right = static_cast<long long>(std::max(x0, x)) + spread.after;
    const long long top = static_cast<long long>(std::min(y0, y)) - spread.before;
    const long long bottom = static_cast<long long>(std::max(y0, y)) + spread.after;
    if (right < 0 || left >= pixels_.width || bottom < 0 || top >= pixels_.height) return true;
    const bool clipped = left < 0 || right >= pixels_.width || top < 0 || bottom >= pixels_.height;
    const int firstRow = static_cast<int>(std::max(top, 0LL));
    HoldRows(firstRow, static_cast<int>(std::min<long long>(bottom, pixels_.height - 1)));
    if (bottom - top < kReachedRows) {
        heldSegments_[static_cast<std::size_t>(firstRow / kBandRows)].push_back(
            {x0, y0, x - x0, y - y0, width, clipped});
        if (++heldSegmentCount_ >= kMostHeldSegments) WriteHeld();
        return true;
    }
    if (width == 1) {
        HoldPieces(x0, y0, x - x0, y - y0, clipped);
        return true;
    }
    std::size_t held = 0;
    WalkWideLine(x0, y0, x - x0, y - y0, width, pixels_, [&](int px, int py) {
        if (clipped && !OnBitmap(pixels_, px, py)) return;
        heldSlanted_[static_cast<std::size_t>(py)].push_back(px);
        ++held;
    });
    heldSlantedCount_ += held;
    if (heldSlantedCount_ >= kMostHeldSlantedPixels) WriteHeld();
    return true;
}

void DibWriter::HoldPieces(int x0, int y0, int dx, int dy, bool clipped) {
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const long long major = xMajor ? std::abs(dx) : std::abs(dy);
    const Steps steps = clipped ? StepsWithin(x0, y0, dx, dy, Clip{0, pixels_.width - 1LL, 0, pixels_.height - 1LL})
                                : Steps{0, major - 1};
    const long long minor = xMajor ? std::abs(dy) : std::abs(dx);
    const long long bias = TakesBias(dx, dy) ? 1 : 0;
    // The row the walk is on after k steps (see WalkSlantedLine).
    const auto rowAt = [&](long long k) {
        const long long along = xMajor ? (2 * k * minor + major - 1 + bias) / (2 * major) : k;
        return y0 + (dy > 0 ? along : -along);
    };
    // A piece's steps each move a row at most, so it covers fewer rows
    // than a short line may and reaches no further below its band. Its top
    // row is where it starts on a line going down, where it ends on one
    // going up.
    constexpr long long kPieceSteps = kReachedRows - 1;
    for (long long first = steps.first; first <= steps.last; first += kPieceSteps) {
        const long long last = std::min(steps.last, first + kPieceSteps - 1);
        const long long top = std::clamp(rowAt(dy > 0 ? first : last), 0LL, pixels_.height - 1LL);
        heldSegments_[static_cast<std::size_t>(top / kBandRows)].push_back({x0, y0, dx, dy, 1, clipped, first, last});
        ++heldSegmentCount_;
    }
    if (heldSegmentCount_ >= kMostHeldSegments) WriteHeld();
}

bool DibWriter::Ellipse(const Rect& box, std::uint32_t pixel, int width) {
    const long long left = std::min(box.left, box.right);
    const long long right = std::max(box.left, box.right);
    const long long top = std::min(box.top, box.bottom);
    const long long bottom = std::max(box.top, box.bottom);
    const long long w = right - left;
    const long long h = bottom - top;
    if (w == 0 || h == 0) return true;  // GDI draws nothing
    if (w <= 2 || h <= 2 || w > kLongestWrittenLine || h > kLongestWrittenLine || width > kWidestWrittenLine) {
        return false;
    }
    const PenSpread spread = SpreadOf(width);
    if (right - 1 + spread.after < 0 || left - spread.before >= pixels_.width) return true;
    if (pixel != heldPixel_ && HoldsLines()) WriteHeld();
    heldPixel_ = pixel;  // everything held shares it
    // One quadrant, from the right end of the middle row outwards to the
    // middle column, with GDI's error terms: the other three mirror it
    // about the box's middle. Each row's pixels are one run.
    const std::size_t begin = heldQuadrantRuns_.size();
    const long long a = w - 1;
    const long long b = h - 1;
    long long stepX = 4 * b * b * (1 - a);
    long long stepY = 4 * a * a * (1 + b % 2);
    long long error = stepX + stepY + a * a * (b % 2);
    long long qx = a;
    long long qy = h / 2;
    // The rows the bitmap shows, the pen's spread included, lie at most this
    // far from the middle: the walk stops there, so that an outline reaching
    // far beyond the bitmap costs what it shows.
    const long long shownFirst = -static_cast<long long>(spread.after);
    const long long shownLast = pixels_.height - 1LL + spread.before;
    const long long farthest = std::max(top + h - 1 - shownFirst, shownLast - top) - h / 2;
    while (qx >= w / 2 && qy - h / 2 <= farthest) {
        if (heldQuadrantRuns_.size() - begin <= static_cast<std::size_t>(qy - h / 2)) {
            heldQuadrantRuns_.push_back({static_cast<int>(qx), static_cast<int>(qx)});
        } else {
            heldQuadrantRuns_.back().low = static_cast<int>(qx);
        }
        const long long twice = 2 * error;
        if (twice >= stepX) {
            --qx;
            stepX += 8 * b * b;
            error += stepX;
        }
        if (twice <= stepY) {
            ++qy;
            stepY += 8 * a * a;
            error += stepY;
        }
    }
    const long long lastOffset = h / 2 + static_cast<long long>(heldQuadrantRuns_.size() - begin) - 1;
    const long long firstRow = std::max(top + h - 1 - lastOffset - spread.before, 0LL);
    const long long lastRow = std::min<long long>(top + lastOffset + spread.after, pixels_.height - 1);
    if (firstRow > lastRow) {
        heldQuadrantRuns_.resize(begin);
        return true;
    }
    // Held and written a row at a time with everything else: concentric
    // circles cross every row, and written one after the other each would
    // go through the whole bitmap again.
    heldEllipses_.push_back({left, right, top, top + h - 1, h / 2, static_cast<int>(firstRow),
                             static_cast<int>(lastRow), spread, begin, heldQuadrantRuns_.size() - begin});
    HoldRows(static_cast<int>(firstRow), static_cast<int>(lastRow));
    if (heldEllipses_.size() >= kMostHeldEllipses || heldQuadrantRuns_.size() >= kMostHeldQuadrantRuns) WriteHeld();
    return true;
}

const DibWriter::QuadrantRun* DibWriter::QuadrantRunAt(const HeldEllipse& ellipse, long long y) const {
    // From the middle row outwards, the same up and down.
    const long long offset = std::max(y - ellipse.top, ellipse.lastBoxRow - y) - ellipse.middle;
    return static_cast<unsigned long long>(offset) < ellipse.runs
               ? &heldQuadrantRuns_[ellipse.begin + static_cast<std::size_t>(offset)]
               : nullptr;
}

void DibWriter::WriteWideEllipseRow(const HeldEllipse& ellipse, int y, std::span<std::uint32_t> row) const {
    // The copies moved along x widen this row's own run; those moved along y
    // bring the runs of the rows around it. Along each half of the outline
    // the runs of neighbouring rows touch, so each half stays one run: the
    // right half's from left + low to left + high, the left half's mirrored
    // about the box's middle.
    const QuadrantRun* own = QuadrantRunAt(ellipse, y);
    const PenSpread spread = ellipse.spread;
    long long low = own != nullptr ? own->low : LLONG_MAX;
    long long high = own != nullptr ? own->high : LLONG_MIN;
    for (int d = -spread.before; d <= spread.after; ++d) {
        if (d == 0) continue;
        if (const QuadrantRun* moved = QuadrantRunAt(ellipse, static_cast<long long>(y) - d)) {
            low = std::min<long long>(low, moved->low);
            high = std::max<long long>(high, moved->high);
        }
    }
    if (low > high) return;  // no run reaches this row
    const long long ownLow = own != nullptr ? own->low : LLONG_MAX;
    const long long ownHigh = own != nullptr ? own->high : LLONG_MIN;
    WriteOutlineRow(row, heldPixel_, ellipse.right - 1 - std::max(high, ownHigh + spread.before),
                    ellipse.right - 1 - std::min(low, ownLow - spread.after),
                    ellipse.left + std::min(low, ownLow - spread.before),
                    ellipse.left + std::max(high, ownHigh + spread.after));
}

void DibWriter::WriteOutline(const DibPixels& mask, int left, int top, std::uint32_t pixel) {
    WriteHeld();
    beforeWrite_();
    const SheetPixels source(mask.bits, mask.width, mask.height);
    const SheetPixels target(pixels_.bits, pixels_.width, pixels_.height);
    for (int my = 0; my < mask.height; ++my) {
        // Measured wide: the mask may lie anywhere.
        const long long y = static_cast<long long>(top) + my;
        if (y < -1 || y > pixels_.height) continue;  // no neighbour on the bitmap
        const long long firstRow = std::max(y - 1, 0LL);
        const long long lastRow = std::min<long long>(y + 1, pixels_.height - 1);
        const auto row = source.Row(my, 0, mask.width);
        for (int mx = 0; mx < mask.width; ++mx) {
            if (row[static_cast<std::size_t>(mx)] == 0) continue;
            const long long x = static_cast<long long>(left) + mx;
            const long long firstColumn = std::max(x - 1, 0LL);
            const long long lastColumn = std::min<long long>(x + 1, pixels_.width - 1);
            for (long long ty = firstRow; ty <= lastRow; ++ty) {
                for (long long tx = firstColumn; tx <= lastColumn; ++tx) {
                    if (tx != x || ty != y) target.Row(static_cast<int>(ty), static_cast<int>(tx), 1)[0] = pixel;
                }
            }
        }
    }
}

void DibWriter::HoldSpan(int y, long long first, long long last) {
    const long long from = std::max(first, 0LL);
    const long long to = std::min<long long>(last, pixels_.width - 1);
    if (from > to) return;
    heldSpans_[static_cast<std::size_t>(y)].push_back({static_cast<int>(from), static_cast<int>(to)});
    ++heldSpanCount_;
}

void DibWriter::HoldRows(int first, int last) {
    heldTop_ = std::min(heldTop_, first);
    heldBottom_ = std::max(heldBottom_, last);
}

bool DibWriter::WriteStraightLine(int x0, int y0, int x, int y, PenSpread spread) {
    const bool horizontal = y0 == y;

    // Like LineTo: from the start up to but not including the end, widened
    // by the pen's square caps; measured wide, as the ends may lie anywhere.
    const int start = horizontal ? x0 : y0;
    const int end = horizontal ? x : y;
    if (start == end) return true;  // empty: nothing, not even a cap
    const long long along0 = (start < end ? static_cast<long long>(start) : end + 1LL) - spread.before;
    const long long along1 = (start < end ? end - 1LL : static_cast<long long>(start)) + spread.after;
    const long long across = horizontal ? y : x;
    const int lengthLimit = horizontal ? pixels_.width : pixels_.height;
    const int acrossLimit = horizontal ? pixels_.height : pixels_.width;
    const int first = static_cast<int>(std::max(along0, 0LL));
    const int last = static_cast<int>(std::min<long long>(along1, lengthLimit - 1));
    const int acrossFirst = static_cast<int>(std::max(across - spread.before, 0LL));
    const int acrossLast = static_cast<int>(std::min<long long>(across + spread.after, acrossLimit - 1));
    if (acrossFirst > acrossLast || first > last) return true;

    if (!horizontal) {
        for (int column = acrossFirst; column <= acrossLast; ++column) HoldColumn(column, first, last);
        return true;
    }
    // Held as runs, so that a row's columns and runs are written together.
    for (int row = acrossFirst; row <= acrossLast; ++row) HoldSpan(row, first, last);
    HoldRows(acrossFirst, acrossLast);
    if (heldSpanCount_ >= kMostHeldSpans) WriteHeld();
    return true;
}

void DibWriter::HoldColumn(int x, int first, int last) {
    if (heldRuns_.empty() || heldRuns_.back().first != first || heldRuns_.back().last != last) {
        heldRuns_.push_back({first, last, x, x, heldColumns_.size()});
    }
    ColumnRun& run = heldRuns_.back();
    run.left = std::min(run.left, x);
    run.right = std::max(run.right, x);
    heldColumns_.push_back(x);
    run.end = heldColumns_.size();
    if (heldRuns_.size() >= kMostHeldRuns || heldColumns_.size() >= kMostHeldColumns) WriteHeld();
}

void DibWriter::HoldFill(const Rect& area, std::uint32_t pixel) {
    const Block block{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, pixels_.width),
                      std::min(area.bottom, pixels_.height), pixel};
    if (block.left < block.right && block.top < block.bottom) heldFill_ = block;
}

void DibWriter::WriteHeld() {
    if (!heldFill_ && !HoldsLines()) return;
    beforeWrite_();
    int top = std::min(heldTop_, heldFill_ ? heldFill_->top : INT_MAX);
    int bottom = std::max(heldBottom_, heldFill_ ? heldFill_->bottom - 1 : INT_MIN);
    for (const ColumnRun& run : heldRuns_) {
        top = std::min(top, run.first);
        bottom = std::max(bottom, run.last);
    }
    // Row by row, so that everything on a row is written while the row is
    // in the cache. A band's short lines reach at most kBandsReached bands
    // below it: they are walked once everything else on all of them is written.
    int next = top;
    for (int band = top / kBandRows; band <= bottom / kBandRows; ++band) {
        const int through = std::min(bottom, (band + 1 + kBandsReached) * kBandRows - 1);
        for (; next <= through; ++next) WriteHeldRow(next);
        WriteHeldSegments(static_cast<std::size_t>(band));
    }
    heldSlantedCount_ = 0;
    heldSegmentCount_ = 0;
    heldSpanCount_ = 0;
    heldTop_ = INT_MAX;
    heldBottom_ = INT_MIN;
    heldColumns_.clear();
    heldRuns_.clear();
    heldEllipses_.clear();
    heldQuadrantRuns_.clear();
    heldFill_.reset();
}

void DibWriter::WriteHeldSegments(std::size_t band) {
    const SheetPixels sheet(pixels_.bits, pixels_.width, pixels_.height);
    const std::uint32_t pixel = heldPixel_;
    std::vector<HeldSegment>& segments = heldSegments_[band];
    for (const HeldSegment& segment : segments) {
        if (!segment.clipped && segment.width == 1) {
            const long long major = std::max(std::abs(segment.dx), std::abs(segment.dy));
            const Steps steps = segment.firstStep <= segment.lastStep ? Steps{segment.firstStep, segment.lastStep}
                                                                      : Steps{0, major - 1};
            WriteWalkOnBitmap(sheet, segment.x0, segment.y0, segment.dx, segment.dy, steps, pixel);
            continue;
        }
        const auto plot = [&](int x, int y) {
            if (!segment.clipped || OnBitmap(pixels_, x, y)) sheet.Row(y, x, 1)[0] = pixel;
        };
        if (segment.firstStep <= segment.lastStep) {
            WalkSlantedLine(segment.x0, segment.y0, segment.dx, segment.dy, {segment.firstStep, segment.lastStep},
                            plot);
        } else {
            WalkWideLine(segment.x0, segment.y0, segment.dx, segment.dy, segment.width, pixels_, plot);
        }
    }
    segments.clear();
}

void DibWriter::WriteHeldRow(int y) {
    const auto row = SheetPixels(pixels_.bits, pixels_.width, pixels_.height).Row(y, 0, pixels_.width);
    if (heldFill_ && heldFill_->top <= y && y < heldFill_->bottom) {
        std::fill(row.begin() + heldFill_->left, row.begin() + heldFill_->right, heldFill_->pixel);
    }
    // Every line held is of one colour, so their order is moot. A row a grid's
    // horizontal line covers needs none of its vertical lines' pixels.
    std::vector<Span>& spans = heldSpans_[static_cast<std::size_t>(y)];
    Span widest{0, -1};
    for (const Span& span : spans) {
        if (span.last - span.first > widest.last - widest.first) widest = span;
    }
    const std::span<const int> columns(heldColumns_);
    std::size_t begin = 0;
    for (const ColumnRun& run : heldRuns_) {
        if (run.first <= y && y <= run.last && (run.left < widest.first || widest.last < run.right)) {
            for (const int x : columns.subspan(begin, run.end - begin)) row[static_cast<std::size_t>(x)] = heldPixel_;
        }
        begin = run.end;
    }
    std::vector<int>& slanted = heldSlanted_[static_cast<std::size_t>(y)];
    for (const int x : slanted) row[static_cast<std::size_t>(x)] = heldPixel_;
    slanted.clear();
    for (const Span& span : spans) std::fill(row.begin() + span.first, row.begin() + span.last + 1, heldPixel_);
    spans.clear();
    for (const HeldEllipse& ellipse : heldEllipses_) {
        if (y < ellipse.firstRow || ellipse.lastRow < y) continue;
        if (ellipse.spread.before != 0 || ellipse.spread.after != 0) {
            WriteWideEllipseRow(ellipse, y, row);
        } else if (const QuadrantRun* own = QuadrantRunAt(ellipse, y)) {
            // A 1-pixel outline: the quadrant's run and its mirror image.
            WriteOutlineRow(row, heldPixel_, ellipse.right - 1 - own->high, ellipse.right - 1 - own->low,
                            ellipse.left + own->low, ellipse.left + own->high);
        }
    }
}

}  // namespace lumetra
