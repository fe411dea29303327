#pragma once
// A canvas that only counts what it is asked to draw, so a benchmark of the
// looks measures the looks and not a drawing backend.
#include <cstdint>

#include "canvas/Canvas.h"

namespace lumetra::bench {

class CountingCanvas final : public Canvas {
public:
    // Tahoma's cell height; an average glyph width stands in for measuring.
    static constexpr int kCellHeight = 11;
    static constexpr int kGlyphWidth = 6;

    void MoveTo(int, int) override { ++moves; }
    void LineTo(int, int) override { ++lines; }
    void Ellipse(const Rect&) override { ++ellipses; }
    void TextOut(int, int, std::string_view) override { ++texts; }
    TextSize TextExtent(std::string_view text) override {
        ++extents;
        return {static_cast<int>(text.size()) * kGlyphWidth, kCellHeight};
    }
    void BoxText(const Rect&, std::string_view, BoxPlacement) override { ++texts; }
    void SetFontAngle(float) override { ++stateChanges; }
    void SetPenColor(Color) override { ++stateChanges; }
    void SetPenWidth(int) override { ++stateChanges; }
    void SetFontHeight(int) override { ++stateChanges; }
    void SetTextColor(Color) override { ++stateChanges; }
    void Fill(const Rect&, Color) override { ++fills; }
    void DrawIcon(FrameIcon, int, int) override { ++pictures; }

    std::int64_t moves = 0;
    std::int64_t lines = 0;
    std::int64_t ellipses = 0;
    std::int64_t texts = 0;
    std::int64_t extents = 0;
    std::int64_t stateChanges = 0;
    std::int64_t fills = 0;
    std::int64_t pictures = 0;
};

}  // namespace lumetra::bench
