#include "overlay/DibWriter.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <span>
#include <utility>

#include "overlay/SheetPixels.h"

namespace lumetra {
namespace {

constexpr std::size_t kMostHeldColumns = 1024;
// Rows written together: a band of a 4K-wide bitmap stays in the cache.
constexpr int kBandRows = 32;
// Bounds the memory held slanted lines take, whatever the settings.
constexpr std::size_t kMostHeldSlantedPixels = std::size_t{1} << 20;
// Longer slanted lines are left to GDI: the direct writes walk every pixel,
// on the bitmap or not, and their error terms must not overflow.
constexpr int kLongestWrittenLine = 1 << 16;
// Far beyond any pen the settings allow; keeps the caps' squares small.
constexpr int kWidestWrittenLine = 64;

// Whether a slanted line from the origin to (dx, dy) takes the pixel on the
// minor axis's next row or column where it passes exactly between two:
// GDI's rule, by octant.
bool TakesBias(long long dx, long long dy) {
    if (dy > 0) return dx < 0 && -dx <= dy;  // steep, to the left and down
    if (dx < 0) return true;                  // to the left and up
    return dx > -dy;                          // shallow, to the right and up
}

bool OnBitmap(const DibPixels& pixels, int x, int y) {
    return 0 <= x && x < pixels.width && 0 <= y && y < pixels.height;
}

// GDI's Bresenham line from (x0, y0) by (dx, dy), end excluded, with its
// choice where the line passes exactly between two pixels: plot(x, y) for
// each of its pixels in drawing order, on the bitmap or not. The steps are
// taken without a branch on the error: a spiral's lines are millions of
// pixels whose steps follow no pattern.
template <typename Plot>
void WalkSlantedLine(int x0, int y0, int dx, int dy, Plot plot) {
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const int major = xMajor ? std::abs(dx) : std::abs(dy);
    const int minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int bias = TakesBias(dx, dy) ? 1 : 0;
    const int stepX = dx > 0 ? 1 : -1;
    const int stepY = dy > 0 ? 1 : -1;
    int error = 2 * minor - major;
    const int errorAfterMinorStep = 2 * minor - 2 * major;
    const int errorAfterMajorStep = 2 * minor;
    int x = x0;
    int y = y0;
    for (int step = 0; step < major; ++step) {
        plot(x, y);
        const bool minorStep = error + bias > 0;
        error += minorStep ? errorAfterMinorStep : errorAfterMajorStep;
        x += xMajor || minorStep ? stepX : 0;
        y += !xMajor || minorStep ? stepY : 0;
    }
}

// Every pixel of a line of `width` (see Canvas::SetPenWidth), in drawing
// order, on the bitmap or not; a pixel may come more than once.
template <typename Plot>
void WalkWideLine(int x0, int y0, int dx, int dy, int width, Plot plot) {
    if (width <= 1) {
        WalkSlantedLine(x0, y0, dx, dy, plot);
        return;
    }
    const PenSpread spread = SpreadOf(width);
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const auto square = [&](int x, int y) {
        for (int sy = y - spread.before; sy <= y + spread.after; ++sy) {
            for (int sx = x - spread.before; sx <= x + spread.after; ++sx) plot(sx, sy);
        }
    };
    square(x0, y0);
    int lastX = x0;
    int lastY = y0;
    WalkSlantedLine(x0, y0, dx, dy, [&](int x, int y) {
        for (int d = -spread.before; d <= spread.after; ++d) plot(xMajor ? x : x + d, xMajor ? y + d : y);
        lastX = x;
        lastY = y;
    });
    square(lastX, lastY);
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

DibWriter::DibWriter(std::function<void()> beforeWrite) : beforeWrite_(std::move(beforeWrite)) {}

void DibWriter::Retarget(DibPixels pixels) {
    pixels_ = pixels;
    // Offsets within a band must fit in 32 bits.
    const bool bandable = pixels.bits != nullptr && pixels.width <= static_cast<int>(UINT32_MAX / kBandRows);
    heldSlanted_.resize(bandable ? static_cast<std::size_t>(pixels.height / kBandRows + 1) : 0);
}

bool DibWriter::Line(int x0, int y0, int x, int y, std::uint32_t pixel, int width) {
    if (x0 == x || y0 == y) return WriteStraightLine(x0, y0, x, y, pixel, SpreadOf(width));
    return WriteSlantedLine(x0, y0, x, y, pixel, std::clamp(width, 1, kWidestWrittenLine));
}

bool DibWriter::WriteSlantedLine(int x0, int y0, int x, int y, std::uint32_t pixel, int width) {
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
    heldSlantedPixel_ = pixel;  // held lines share it
    const bool clipped = left < 0 || right >= pixels_.width || top < 0 || bottom >= pixels_.height;
    if (!heldSlanted_.empty()) {
        const auto bitmapWidth = static_cast<std::uint32_t>(pixels_.width);
        std::size_t held = 0;
        WalkWideLine(x0, y0, x - x0, y - y0, width, [&](int px, int py) {
            if (clipped && !OnBitmap(pixels_, px, py)) return;
            const auto rowInBand = static_cast<std::uint32_t>(py & (kBandRows - 1));
            heldSlanted_[static_cast<std::size_t>(py) / kBandRows].push_back(
                rowInBand * bitmapWidth + static_cast<std::uint32_t>(px));
            ++held;
        });
        heldSlantedCount_ += held;
        if (heldSlantedCount_ >= kMostHeldSlantedPixels) WriteHeld();
        return true;
    }
    WriteHeld();  // a later line covers an earlier one where they cross
    beforeWrite_();
    const SheetPixels bitmap(pixels_.bits, pixels_.width, pixels_.height);
    WalkWideLine(x0, y0, x - x0, y - y0, width, [&](int px, int py) {
        if (!clipped || OnBitmap(pixels_, px, py)) bitmap.Row(py, px, 1)[0] = pixel;
    });
    return true;
}

bool DibWriter::WriteStraightLine(int x0, int y0, int x, int y, std::uint32_t pixel, PenSpread spread) {
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
        for (int column = acrossFirst; column <= acrossLast; ++column) HoldColumn(column, first, last, pixel);
        return true;
    }
    WriteHeld();  // a later line covers an earlier one where they cross
    beforeWrite_();
    const SheetPixels bitmap(pixels_.bits, pixels_.width, pixels_.height);
    for (int row = acrossFirst; row <= acrossLast; ++row) {
        const auto pixels = bitmap.Row(row, first, last - first + 1);
        std::fill(pixels.begin(), pixels.end(), pixel);
    }
    return true;
}

void DibWriter::HoldColumn(int x, int first, int last, std::uint32_t pixel) {
    if (heldRuns_.empty() || heldRuns_.back().first != first || heldRuns_.back().last != last) {
        heldRuns_.push_back({first, last, heldColumns_.size()});
    }
    heldColumns_.push_back({x, pixel});
    heldRuns_.back().end = heldColumns_.size();
    // Bounds the rows-times-runs work of one WriteHeld.
    if (heldColumns_.size() >= kMostHeldColumns) WriteHeld();
}

void DibWriter::HoldFill(const Rect& area, std::uint32_t pixel) {
    const Block block{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, pixels_.width),
                      std::min(area.bottom, pixels_.height), pixel};
    if (block.left < block.right && block.top < block.bottom) heldFill_ = block;
}

void DibWriter::WriteHeld() {
    if (heldRuns_.empty() && !heldFill_ && heldSlantedCount_ == 0) return;
    beforeWrite_();
    int top = heldFill_ ? heldFill_->top : INT_MAX;
    int bottom = heldFill_ ? heldFill_->bottom - 1 : INT_MIN;
    for (const ColumnRun& run : heldRuns_) {
        top = std::min(top, run.first);
        bottom = std::max(bottom, run.last);
    }
    // Band by band, the fill first in each: it is older than every held
    // line, and the lines held with it share one colour (the canvas writes them
    // before its pen colour changes), so their order among themselves is moot.
    const auto bandSize = static_cast<std::size_t>(pixels_.width) * kBandRows;
    for (int band = 0; band <= pixels_.height / kBandRows; ++band) {
        const int bandTop = band * kBandRows;
        for (int y = std::max(top, bandTop); y <= std::min(bottom, bandTop + kBandRows - 1); ++y) WriteHeldRow(y);
        if (static_cast<std::size_t>(band) >= heldSlanted_.size()) continue;
        std::vector<std::uint32_t>& slanted = heldSlanted_[static_cast<std::size_t>(band)];
        std::uint32_t* const bandPixels = pixels_.bits + static_cast<std::size_t>(band) * bandSize;
        for (const std::uint32_t offset : slanted) bandPixels[offset] = heldSlantedPixel_;
        slanted.clear();
    }
    heldSlantedCount_ = 0;
    heldColumns_.clear();
    heldRuns_.clear();
    heldFill_.reset();
}

void DibWriter::WriteHeldRow(int y) {
    const auto row = SheetPixels(pixels_.bits, pixels_.width, pixels_.height).Row(y, 0, pixels_.width);
    if (heldFill_ && heldFill_->top <= y && y < heldFill_->bottom) {
        std::fill(row.begin() + heldFill_->left, row.begin() + heldFill_->right, heldFill_->pixel);
    }
    // In drawing order, so that a later line wins where two meet.
    const std::span<const ColumnPixel> columns(heldColumns_);
    std::size_t begin = 0;
    for (const ColumnRun& run : heldRuns_) {
        if (run.first <= y && y <= run.last) {
            for (const ColumnPixel& column : columns.subspan(begin, run.end - begin)) {
                row[static_cast<std::size_t>(column.x)] = column.pixel;
            }
        }
        begin = run.end;
    }
}

}  // namespace lumetra
