#pragma once
// A look drawn lower down on the target: every place moves down by the same
// rows. The looks place the measured area below a caption strip of 96-dpi
// rows; a taller strip moves their whole picture down with the measured area.
#include "canvas/Canvas.h"

namespace lumetra {

class ShiftedCanvas final : public Canvas {
public:
    // The target must outlive this canvas.
    ShiftedCanvas(Canvas& target, int rows) : target_(target), rows_(rows) {}

    void MoveTo(int x, int y) override { target_.MoveTo(x, y + rows_); }
    void LineTo(int x, int y) override { target_.LineTo(x, y + rows_); }
    void Ellipse(const Rect& box) override { target_.Ellipse(Shifted(box)); }
    void TextOut(int x, int y, std::string_view text) override { target_.TextOut(x, y + rows_, text); }
    TextSize TextExtent(std::string_view text) override { return target_.TextExtent(text); }
    void BoxText(const Rect& box, std::string_view text, BoxPlacement placement) override {
        target_.BoxText(Shifted(box), text, placement);
    }
    // The target's own outline, which a backend may draw in one go.
    void TextHalo(int x, int y, std::string_view text) override { target_.TextHalo(x, y + rows_, text); }
    void BoxTextHalo(const Rect& box, std::string_view text, BoxPlacement placement) override {
        target_.BoxTextHalo(Shifted(box), text, placement);
    }
    void SetFontAngle(float degrees) override { target_.SetFontAngle(degrees); }
    void SetPenColor(Color color) override { target_.SetPenColor(color); }
    void SetPenWidth(int width) override { target_.SetPenWidth(width); }
    void SetFontHeight(int height) override { target_.SetFontHeight(height); }
    void SetTextColor(Color color) override { target_.SetTextColor(color); }
    void Fill(const Rect& area, Color color) override { target_.Fill(Shifted(area), color); }
    void DrawIcon(FrameIcon picture, int x, int y) override { target_.DrawIcon(picture, x, y + rows_); }

private:
    Rect Shifted(const Rect& r) const { return {r.left, r.top + rows_, r.right, r.bottom + rows_}; }

    Canvas& target_;
    int rows_;
};

}  // namespace lumetra
