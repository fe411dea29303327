#include "overlay/draw/HaloCanvas.h"

namespace lumetra {

void HaloCanvas::TextOut(int x, int y, std::string_view text) { target_.TextHalo(x, y, text); }

void HaloCanvas::BoxText(const Rect& box, std::string_view text, BoxPlacement placement) {
    target_.BoxTextHalo(box, text, placement);
}

}  // namespace lumetra
