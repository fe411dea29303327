#pragma once
// The drawing surface every look, the caption strip and the exporter draw on.
// Implementations: GdiCanvas (a DIB-section back buffer or a window, Windows),
// RecordingCanvas (tests) and SvgCanvas (the command-line exporter).
#include <array>
#include <string_view>

#include "common/Types.h"

namespace lumetra {

struct TextSize {
    int cx = 0;  // along the reading direction
    int cy = 0;  // the cell height
    friend bool operator==(const TextSize&, const TextSize&) = default;
};

// The program's frame pictures, drawn at their own size with their masks.
enum class FrameIcon { TLCorner, Caption, TRCorner, BRCorner, TLCornerS, TRCorner2 };

// How BoxText places a single line against its box. None of them clips.
enum class BoxPlacement {
    CentreBottom,        // centred on the box's x, bottom against box.bottom
    CentreTop,           // centred on the box's x, top against box.top
    LeftMiddleEllipsis,  // left-aligned, vertically centred, end cut with an ellipsis
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void MoveTo(int x, int y) = 0;
    // Draws from the current point with the pen, excluding the end pixel.
    virtual void LineTo(int x, int y) = 0;
    // Outline of the ellipse inscribed in the box (right and bottom excluded).
    virtual void Ellipse(const Rect& box) = 0;
    // Text whose cell starts at (x, y); at 90 degrees it reads upward from y.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    virtual TextSize TextExtent(std::string_view text) = 0;
    virtual void BoxText(const Rect& box, std::string_view text, BoxPlacement placement) = 0;
    // A one-pixel outline of the text TextOut or BoxText would draw: the
    // same text at each of its eight neighbouring places. A backend that can
    // tell where the text's pixels lie may draw the outline in one go.
    virtual void TextHalo(int x, int y, std::string_view text) {
        for (const Point& d : kHaloSteps) TextOut(x + d.x, y + d.y, text);
    }
    virtual void BoxTextHalo(const Rect& box, std::string_view text, BoxPlacement placement) {
        for (const Point& d : kHaloSteps) {
            BoxText({box.left + d.x, box.top + d.y, box.right + d.x, box.bottom + d.y}, text, placement);
        }
    }
    // Only 0 and 90 are used.
    virtual void SetFontAngle(float degrees) = 0;
    virtual void SetPenColor(Color color) = 0;
    // Lines and ellipse outlines from now on, in pixels (1 and more): each
    // pixel of the 1-pixel line widens across the line's main direction to
    // the pixels c - (width - 1) / 2 ... c + width / 2, and an axis-aligned
    // or slanted line gets a width x width square at its first and its last
    // pixel (square caps, which also fill every corner of a polyline).
    virtual void SetPenWidth(int width) = 0;
    // The text cell's height in pixels, the font's face kept.
    virtual void SetFontHeight(int height) = 0;
    virtual void SetTextColor(Color color) = 0;
    virtual void Fill(const Rect& area, Color color) = 0;
    virtual void DrawIcon(FrameIcon picture, int x, int y) = 0;

private:
    static constexpr std::array<Point, 8> kHaloSteps{
        {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}};
};

}  // namespace lumetra
