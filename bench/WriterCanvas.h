#pragma once
// A canvas whose lines, ellipses and fills go through the direct pixel writes
// into a plain bitmap, as the back buffer's do; labels and pictures are left
// out. Lets the writes be measured natively, and counted under callgrind.
#include <cstdint>
#include <vector>

#include "bench/CountingCanvas.h"
#include "canvas/Canvas.h"
#include "canvas/DibWriter.h"

namespace lumetra::bench {

class WriterCanvas final : public Canvas {
public:
    WriterCanvas(int width, int height)
        : bits_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)), writer_([] {}) {
        writer_.Retarget({bits_.data(), width, height});
    }

    void MoveTo(int x, int y) override { at_ = {x, y}; }
    void LineTo(int x, int y) override {
        writer_.Line(at_.x, at_.y, x, y, pen_, penWidth_);
        at_ = {x, y};
    }
    void Ellipse(const Rect& box) override { writer_.Ellipse(box, pen_, penWidth_); }
    void TextOut(int, int, std::string_view) override {}
    TextSize TextExtent(std::string_view text) override {
        return {static_cast<int>(text.size()) * CountingCanvas::kGlyphWidth, CountingCanvas::kCellHeight};
    }
    void BoxText(const Rect&, std::string_view, BoxPlacement) override {}
    void SetFontAngle(float) override {}
    void SetPenColor(Color color) override { pen_ = color; }
    void SetPenWidth(int width) override { penWidth_ = width; }
    void SetFontHeight(int) override {}
    void SetTextColor(Color) override {}
    void Fill(const Rect& area, Color color) override {
        writer_.WriteHeld();
        writer_.HoldFill(area, color);
    }
    void DrawIcon(FrameIcon, int, int) override {}

    // Writes whatever is still held, as the back buffer does before it is shown.
    void Finish() { writer_.WriteHeld(); }
    const std::vector<std::uint32_t>& Bits() const { return bits_; }

private:
    std::vector<std::uint32_t> bits_;
    DibWriter writer_;
    Point at_;
    std::uint32_t pen_ = 0;
    int penWidth_ = 1;
};

}  // namespace lumetra::bench
