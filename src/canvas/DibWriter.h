#pragma once
// Lines and plain fills written straight into the pixels of a 32-bit top-down
// DIB, the same pixels GDI would draw.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "common/Types.h"

namespace lumetra {

// The last pixel GDI's 1-pixel line from `from` to `to` draws (the end itself
// is left out); `from` for a line of no length.
Point LastLinePixel(Point from, Point to);

// The pixels a pen of `width` adds on either side of a 1-pixel line, across
// its main direction: `before` towards smaller coordinates, `after` beyond.
struct PenSpread {
    int before = 0;
    int after = 0;
};
PenSpread SpreadOf(int width);

// The width to give a 32-bit bitmap that is to hold at least `width` pixels a
// row: rounded up to an odd number of 64-byte cache lines. A row a whole
// number of 4 KiB pages long (a 4096-pixel virtual screen's, say) puts a
// column's pixels in the same few cache sets, and a steep line written
// straight into such a bitmap evicts its own rows as it goes. Widths too
// large to pad are returned as they are.
int CacheFriendlyWidth(int width);

// The pixels of a 32-bit top-down DIB section.
struct DibPixels {
    std::uint32_t* bits = nullptr;  // nullptr: GDI draws every line
    int width = 0;
    int height = 0;
};

// Writes lines and plain fills into pixels it does not own; wider lines as
// the canvas defines them (a run across the main direction at each pixel,
// squares at the first and last pixel). A fill
// and the vertical lines after it are held back and written together row by
// row: a column at a time is slow on a large bitmap, and one pass over it is
// half the memory traffic of two. Slanted lines are held too, and everything
// held is written a row at a time: a spiral's pixels lie on rows far apart,
// and written as drawn each would miss the cache. A short slanted line is held
// whole and walked once every row it reaches is written, while those rows are
// still in the cache; a long 1-pixel one as pieces of its walk each as short,
// a long wider one as the pixels it covers on each row.
// Horizontal lines are held as runs, so that a grid is written in one pass,
// and ellipses as their outlines' runs, so that concentric circles are too.
class DibWriter {
public:
    // beforeWrite runs before any pixel is written, so that whoever else
    // draws on the pixels can finish first.
    explicit DibWriter(std::function<void()> beforeWrite);

    // Nothing may be held: WriteHeld first.
    void Retarget(DibPixels pixels);
    bool Active() const { return pixels_.bits != nullptr; }

    // Like LineTo: from (x0, y0) up to but not including (x, y). False when
    // the line has to be left to GDI. Held lines are written in no order
    // among themselves, so a line in another pixel than the held ones writes
    // them first; a held fill stays held beneath it.
    bool Line(int x0, int y0, int x, int y, std::uint32_t pixel, int width = 1);
    // The outline GDI's Ellipse draws with a 1-pixel pen on the rectangle it
    // is given (right and bottom excluded; a turned-around one is put right),
    // widened as the canvas widens it: copies moved by each of the pen's
    // spread offsets along x and along y. Held as a line is. False when GDI
    // has to draw it: a box 2 pixels or less across, where GDI draws a
    // rectangle, or one too large.
    bool Ellipse(const Rect& box, std::uint32_t pixel, int width = 1);
    // Writes pixel at every place next to a set (non-zero) pixel of mask,
    // whose top-left lies at (left, top), clipped to the bitmap: the mask's
    // pixels moved by each of the eight one-pixel steps, a one-pixel
    // outline. Written at once, over everything drawn before it.
    void WriteOutline(const DibPixels& mask, int left, int top, std::uint32_t pixel);
    // Holds a non-empty area, clipped to the bitmap. It covers everything drawn
    // before it, so nothing may be held: WriteHeld first.
    void HoldFill(const Rect& area, std::uint32_t pixel);
    void WriteHeld();

private:
    // Both in heldPixel_.
    bool WriteStraightLine(int x0, int y0, int x, int y, PenSpread spread);
    bool WriteSlantedLine(int x0, int y0, int x, int y, int width);
    void WriteHeldRow(int y);
    // Holds pixels first..last of row y, clipped to the bitmap.
    void HoldSpan(int y, long long first, long long last);
    // Widens the rows WriteHeld goes through to first..last.
    void HoldRows(int first, int last);
    bool HoldsLines() const {
        return !heldRuns_.empty() || heldSlantedCount_ != 0 || heldSegmentCount_ != 0 || heldSpanCount_ != 0 ||
               !heldEllipses_.empty();
    }
    // Walks the short slanted lines held in band `band` into the bitmap.
    void WriteHeldSegments(std::size_t band);

    // Clipped vertical lines not yet written, by their columns: consecutive
    // ones over the same rows first..last share a run, so that writing a row
    // checks each run once rather than each line, and skips a run that a
    // held row run covers on that row.
    struct ColumnRun {
        int first;
        int last;
        int left;  // the run's columns lie in left..right
        int right;
        std::size_t end;  // of its columns in heldColumns_; the previous run's end begins them
    };
    void HoldColumn(int x, int first, int last);

    std::function<void()> beforeWrite_;
    DibPixels pixels_;
    std::vector<int> heldColumns_;
    std::vector<ColumnRun> heldRuns_;
    // A clipped fill not yet written, always older than the held columns.
    struct Block {
        int left;
        int top;
        int right;  // excluded, as is bottom
        int bottom;
        std::uint32_t pixel;
    };
    std::optional<Block> heldFill_;
    // Slanted-line pixels not yet written: their columns, per row.
    std::vector<std::vector<int>> heldSlanted_;
    std::size_t heldSlantedCount_ = 0;
    // Short slanted lines, the pen's spread included, not yet written: by the
    // band their top row on the bitmap lies in, each reaching at most a few
    // bands below it.
    // A taller 1-pixel line is held as pieces of it, each its steps
    // firstStep..lastStep of the whole line's walk.
    struct HeldSegment {
        int x0;
        int y0;
        int dx;
        int dy;
        int width;
        bool clipped;  // partly off the bitmap
        long long firstStep = 0;
        long long lastStep = -1;  // before firstStep: the whole line
    };
    // Holds a 1-pixel slanted line too tall to be held whole as pieces short
    // enough to be.
    void HoldPieces(int x0, int y0, int dx, int dy, bool clipped);
    std::vector<std::vector<HeldSegment>> heldSegments_;
    std::size_t heldSegmentCount_ = 0;
    // Runs of horizontal lines not yet written, per row.
    struct Span {
        int first;
        int last;
    };
    std::vector<std::vector<Span>> heldSpans_;
    std::size_t heldSpanCount_ = 0;
    // The rows the held slanted pixels and runs lie on.
    int heldTop_ = INT_MAX;
    int heldBottom_ = INT_MIN;
    // The colour of every line held, the fill's aside.
    std::uint32_t heldPixel_ = 0;
    // Ellipses not yet written: each one's box and pen, and the runs of one
    // quadrant of its outline, one per row outwards from the middle row, in
    // heldQuadrantRuns_ from begin on.
    struct QuadrantRun {
        int low;
        int high;
    };
    struct HeldEllipse {
        long long left;
        long long right;
        long long top;
        long long lastBoxRow;  // top + h - 1
        long long middle;      // the middle row's offset from top, h / 2
        int firstRow;          // the rows it writes, on the bitmap
        int lastRow;
        PenSpread spread;
        std::size_t begin;
        std::size_t runs;
    };
    // The quadrant's run on row y of the bitmap, if it has one there.
    const QuadrantRun* QuadrantRunAt(const HeldEllipse& ellipse, long long y) const;
    // Row y of an ellipse drawn with a pen wider than a pixel.
    void WriteWideEllipseRow(const HeldEllipse& ellipse, int y, std::span<std::uint32_t> row) const;
    std::vector<HeldEllipse> heldEllipses_;
    std::vector<QuadrantRun> heldQuadrantRuns_;
};

}  // namespace lumetra
