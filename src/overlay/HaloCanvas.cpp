#include "overlay/HaloCanvas.h"

#include <array>

namespace lumetra {
namespace {

constexpr std::array<Point, 8> kNeighbours{
    {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}};

}  // namespace

void HaloCanvas::TextOut(int x, int y, std::string_view text) {
    for (const Point& d : kNeighbours) target_.TextOut(x + d.x, y + d.y, text);
}

void HaloCanvas::BoxText(const Rect& box, std::string_view text, BoxPlacement placement) {
    for (const Point& d : kNeighbours) {
        target_.BoxText({box.left + d.x, box.top + d.y, box.right + d.x, box.bottom + d.y}, text, placement);
    }
}

}  // namespace lumetra
