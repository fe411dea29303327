#pragma once
// Canvas on a GDI device context.
#include <optional>
#include <vector>

// First, so that the platform's TextOut macro is gone before Canvas is declared.
#include "win32/GdiHandles.h"

#include "canvas/Canvas.h"
#include "canvas/DibWriter.h"

namespace lumetra {

class FrameIcons;

// Draws on a DC it does not own. Pens and fonts it creates stay its own and
// the DC's previous pen and font are selected back when it goes.
class GdiCanvas final : public Canvas {
public:
    // pictures may be null; then DrawIcon draws nothing.
    GdiCanvas(HDC dc, const FrameIcons* pictures) noexcept;
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
    void TextHalo(int x, int y, std::string_view text) override;
    void BoxTextHalo(const Rect& box, std::string_view text, BoxPlacement placement) override;
    void SetFontAngle(float degrees) override;
    void SetPenColor(Color color) override;
    void SetPenWidth(int width) override;
    void SetFontHeight(int height) override;
    void SetTextColor(Color color) override;
    void Fill(const Rect& area, Color color) override;
    void DrawIcon(FrameIcon picture, int x, int y) override;

    // Takes ownership of font and makes it the current font.
    void AdoptFont(UniqueFont font);

    // From now on lines, ellipse outlines and plain fills in a plain colour are written
    // straight into pixels (bits not null), which must be the bitmap selected
    // into the DC, and nothing else may draw on the DC: far cheaper than
    // GDI's LineTo on some systems, and the same pixels. Other lines are
    // held and drawn by GDI in one call. FinishLines draws everything held
    // and must come before the bitmap is read.
    void DrawLinesInto(DibPixels pixels);
    void FinishLines();

private:
    template <typename Owner>
    void Replace(Owner& owned, SelectGuard& guard, Owner fresh);
    // False when GDI has to draw the line from cursor_ to (x, y).
    bool WriteLine(int x, int y);
    // False when GDI has to fill the area.
    bool HoldFill(const Rect& area, Color color);
    // Adds a line from cursor_ to (x, y) to the lines GDI draws later.
    void HoldPathPoint(int x, int y);
    // A line wider than one pixel drawn by GDI itself, with the same pixels
    // as the direct writes: 1-pixel copies side by side and filled squares.
    void DrawWideLine(POINT from, POINT to);
    void FillSquare(POINT centre, const UniqueBrush& brush);
    // Makes font the current font, freeing the one before.
    void ReplaceFont(UniqueFont font);
    // Replaces the current font with its description changed by `change`,
    // unless that leaves it as it is.
    template <typename Change>
    void ChangeFont(Change change);
    // The outline of what draw(maskDc, dx, dy) draws moved by (dx, dy),
    // written straight into the pixels: the text, expected within `cell`, is
    // drawn once into a mask and its outline stamped from it, rather than
    // drawn by GDI eight times. False when it is left to GDI.
    template <typename Draw>
    bool StampHalo(const Rect& cell, Draw draw);
    // The current font's angle in tenths of a degree; -1 when unknown.
    int FontEscapement() const;
    // A mask of at least width x height pixels, its top `height` rows
    // cleared, for white text in the DC's text settings; false when none can
    // be had.
    bool PrepareMask(int width, int height);
    // Held pixels go first, so that GDI draws over them.
    void BeforeGdiDraws();
    // Before pixels are written directly: only when GDI has drawn since.
    void FlushGdi();

    HDC dc_;
    const FrameIcons* icons_;
    // The current point while lines are written directly or held; the DC's
    // own one is left behind.
    POINT cursor_{};
    bool gdiUnflushed_ = false;
    DibWriter writer_{[this] { FlushGdi(); }};
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
    int penWidth_ = 1;
    UniqueFont font_;
    SelectGuard fontGuard_;
    std::optional<Color> textColor_;
    // The halo's mask: a DC of its own with a top-down DIB, kept between
    // labels and grown to the largest, and the current font, borrowed. The
    // guards put back the DC's own objects before either is freed.
    UniqueMemoryDc maskDc_;
    UniqueBitmap maskBitmap_;
    SelectGuard maskBitmapGuard_;
    SelectGuard maskFontGuard_;
    HGDIOBJ maskFont_ = nullptr;
    DibPixels mask_;
};

}  // namespace lumetra
