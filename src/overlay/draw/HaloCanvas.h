#pragma once
// The halo's pass of a look: everything it draws goes to the target in the
// colours and pen width the target holds already, and every label becomes
// its one-pixel outline (Canvas::TextHalo).
#include "canvas/Canvas.h"

namespace lumetra {

class HaloCanvas final : public Canvas {
public:
    // The target must outlive this canvas.
    explicit HaloCanvas(Canvas& target) : target_(target) {}

    void MoveTo(int x, int y) override { target_.MoveTo(x, y); }
    void LineTo(int x, int y) override { target_.LineTo(x, y); }
    void Ellipse(const Rect& box) override { target_.Ellipse(box); }
    void TextOut(int x, int y, std::string_view text) override;
    TextSize TextExtent(std::string_view text) override { return target_.TextExtent(text); }
    void BoxText(const Rect& box, std::string_view text, BoxPlacement placement) override;
    void SetFontAngle(float degrees) override { target_.SetFontAngle(degrees); }
    void SetFontHeight(int height) override { target_.SetFontHeight(height); }
    // The halo keeps its own colours and width.
    void SetPenColor(Color) override {}
    void SetPenWidth(int) override {}
    void SetTextColor(Color) override {}
    void Fill(const Rect& area, Color color) override { target_.Fill(area, color); }
    void DrawIcon(FrameIcon picture, int x, int y) override { target_.DrawIcon(picture, x, y); }

private:
    Canvas& target_;
};

}  // namespace lumetra
