#pragma once
// A Canvas that writes an SVG document, for the command-line exporter.
//
// Coordinates stay the overlay's client pixels; the document's viewBox picks
// the part that is shown. Lines keep the pixel rules of the screen canvas as
// closely as SVG allows: connected LineTo calls become one polyline through
// pixel centres, an axis-aligned open end covers its start pixel fully and
// stops short of its end pixel, and a path that returns to its start becomes
// a polygon, so every corner is covered exactly once. Wider lines are
// strokes of that width with square caps and mitred corners, from the centre
// of the first pixel to that of the last (to the end point of a slanted
// line), half a pixel down and right for an even width, so that they cover
// about the pixels the screen canvas fills.
//
// Texts are the program's UTF-8 and written as UTF-8, whatever the system's
// code page. TextExtent has no real font and uses the per-character estimate
// of EstimateTextWidth.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/Canvas.h"
#include "units/Units.h"

namespace lumetra {

// The cell height of the overlay's font, and the baseline within the cell.
inline constexpr int kSvgCellHeight = 11;
inline constexpr int kSvgBaseline = 9;

// Approximate advance of Tahoma with an 11-pixel cell, in pixels:
// 3 for blanks, most punctuation and the narrow letters "fijlrt", 8 for
// "mwMW%@", 6 for other capitals, 11 (a full cell) for the ideographs,
// kana and Hangul of East Asian scripts and 5 for every other character
// (digits, lower-case letters, other letters of any script).
int EstimateTextWidth(std::string_view text);

// "#rrggbb" for a 0x00BBGGRR colour; the top byte is ignored.
std::string SvgColor(Color color);

// The text as XML character data in UTF-8: markup characters as entities,
// control characters as blanks since XML cannot carry them, a byte that is no
// UTF-8 as U+FFFD.
std::string EscapeXmlText(std::string_view text);

class SvgCanvas final : public Canvas {
public:
    // view: the client area shown; the document is view's width by height.
    explicit SvgCanvas(const Rect& view);

    // The complete document with everything drawn so far.
    std::string Document();

    // Gives the document the size its pixels have on the monitor,
    // width="150.2mm" with the view box still in pixels, so that a layout
    // program places it at true size; a unit that is not physical keeps the
    // pixel counts.
    void SetPhysicalSize(const ExportDensity& density);

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(const Rect& box) override;
    void TextOut(int x, int y, std::string_view text) override;
    TextSize TextExtent(std::string_view text) override;
    void BoxText(const Rect& box, std::string_view text, BoxPlacement placement) override;
    void SetFontAngle(float degrees) override;
    void SetPenColor(Color color) override;
    void SetPenWidth(int width) override;
    void SetFontHeight(int height) override;
    void SetTextColor(Color color) override;
    void Fill(const Rect& area, Color color) override;
    // Exports carry no pictures.
    void DrawIcon(FrameIcon picture, int x, int y) override;

private:
    std::int64_t ViewWidth() const;
    std::int64_t ViewHeight() const;
    void FlushPath();
    void WriteText(int x, int top, std::string_view text, std::string_view anchor);
    std::string StrokeAttributes() const;
    // Half pixels that centre a stroke of the pen's width on its pixels.
    std::int64_t StrokeShift() const { return penWidth_ % 2 == 0 ? 1 : 0; }
    int Baseline() const;

    Rect view_;
    // The width and height attributes; empty for the pixel counts.
    std::string width_;
    std::string height_;
    std::string body_;
    Point current_;
    // The polyline being built: the pixels it runs through, in order.
    std::vector<Point> path_;
    Color pen_ = 0;
    int penWidth_ = 1;
    int cellHeight_ = kSvgCellHeight;
    Color text_ = 0;
    std::int32_t angleTenths_ = 0;
};

}  // namespace lumetra
