#pragma once
// Canvas on a GDI device context.
#include <cstdint>
#include <optional>
#include <vector>

// First, so that the platform's TextOut macro is gone before Canvas is declared.
#include "overlay/win32/GdiHandles.h"

#include "overlay/Canvas.h"

namespace lumetra {

class FramePictures;

// Draws on a DC it does not own. Pens and fonts it creates stay its own and
// the DC's previous pen and font are selected back when it goes.
class GdiCanvas final : public Canvas {
public:
    // The pixels of the 32-bit top-down DIB section selected into the DC.
    struct DibPixels {
        std::uint32_t* bits = nullptr;  // nullptr: GDI draws every line
        int width = 0;
        int height = 0;
    };

    // pictures may be null; then DrawPicture draws nothing.
    GdiCanvas(HDC dc, const FramePictures* pictures) noexcept;
    ~GdiCanvas() override = default;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;
    GdiCanvas(GdiCanvas&&) = delete;
    GdiCanvas& operator=(GdiCanvas&&) = delete;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(const Rect& box) override;
    void TextOut(int x, int y, std::string_view text) override;
    TextSize TextExtent(std::string_view text) override;
    void BoxText(const Rect& box, std::string_view text, BoxPlacement placement) override;
    void SetFontAngle(float degrees) override;
    void SetPenColor(Color color) override;
    void SetTextColor(Color color) override;
    void Fill(const Rect& area, Color color) override;
    void DrawPicture(Picture picture, int x, int y) override;

    // Takes ownership of font and makes it the current font.
    void AdoptFont(UniqueFont font);

    // From now on horizontal and vertical lines and plain fills are written
    // straight into pixels (bits not null), which must be the bitmap selected
    // into the DC and nothing else may draw on the DC: far cheaper than GDI's
    // LineTo on some systems, and the same pixels. A fill and the vertical
    // lines after it are held back and written together row by row: a column
    // at a time is slow on a large bitmap, and one pass over it is half the
    // memory traffic of two. Other lines are held and drawn by GDI in one
    // call. Slanted lines in a plain colour are held too, as the pixels
    // they cover, and everything held is written a band of rows at a time:
    // a spiral's pixels lie on rows far apart, and written as drawn each
    // would miss the cache. FinishLines draws everything held and must come
    // before the bitmap is read.
    void DrawLinesInto(DibPixels pixels);
    void FinishLines();

private:
    template <typename Owner>
    void Replace(Owner& owned, SelectGuard& guard, Owner fresh);
    // False when GDI has to draw the line from cursor_ to (x, y).
    bool WriteLine(int x, int y);
    bool WriteStraightLine(int x, int y);
    bool WriteSlantedLine(int x, int y);
    void HoldSlantedLine(int dx, int dy, bool clipped);
    // False when GDI has to fill the area.
    bool HoldFill(const Rect& area, Color color);
    // Adds a line from cursor_ to (x, y) to the lines GDI draws later.
    void HoldPathPoint(int x, int y);
    void WriteHeldPixels();
    void WriteHeldRow(int y);
    // Held pixels go first, so that GDI draws over them.
    void BeforeGdiDraws();
    // Before pixels are written directly: only when GDI has drawn since.
    void FlushGdi();

    // Clipped vertical lines not yet written, in drawing order: consecutive
    // ones over the same rows first..last share a run, so that writing a row
    // checks each run once rather than each line.
    struct ColumnPixel {
        int x;
        std::uint32_t pixel;
    };
    struct ColumnRun {
        int first;
        int last;
        std::size_t end;  // of its columns in heldColumns_; the previous run's end begins them
    };
    void HoldColumn(int x, int first, int last, std::uint32_t pixel);

    HDC dc_;
    const FramePictures* pictures_;
    DibPixels pixels_;
    // The current point while lines are written directly or held; the DC's
    // own one is left behind.
    POINT cursor_{};
    bool gdiUnflushed_ = false;
    std::vector<ColumnPixel> heldColumns_;
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
    // Slanted-line pixels not yet written, all of the held columns' colour:
    // per band of rows, in drawing order, each as its offset from the band's
    // first pixel. No bands when the bitmap is too wide for such offsets;
    // its slanted lines are then written at once.
    std::vector<std::vector<std::uint32_t>> heldSlanted_;
    std::size_t heldSlantedCount_ = 0;
    std::uint32_t heldSlantedPixel_ = 0;
    // Lines GDI draws later, newer than every held pixel: polylines of
    // heldPathCounts_ points each; pathOpen_ while the last one ends at cursor_.
    std::vector<POINT> heldPath_;
    std::vector<DWORD> heldPathCounts_;
    bool pathOpen_ = false;
    // Each guard is declared after its object so that it deselects the
    // object before the object is freed.
    UniquePen pen_;
    SelectGuard penGuard_;
    std::optional<Color> penColor_;
    UniqueFont font_;
    SelectGuard fontGuard_;
};

}  // namespace lumetra
