#include "canvas/FloodFill.h"

#include <cstddef>

namespace lumetra {

void FillBounded(std::vector<Color>& pixels, int width, int height, Point seed, Color border, Color fill) {
    if (width <= 0 || height <= 0) return;
    const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (pixels.size() < count) return;
    const auto index = [width](int x, int y) {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    };
    // Visited marks, not the fill colour, stop the walk: the fill may equal
    // colours already in the area.
    std::vector<bool> seen(count, false);
    std::vector<Point> pending{seed};
    while (!pending.empty()) {
        const Point p = pending.back();
        pending.pop_back();
        if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height) continue;
        const std::size_t i = index(p.x, p.y);
        if (seen[i] || pixels[i] == border) continue;
        seen[i] = true;
        pixels[i] = fill;
        pending.insert(pending.end(), {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}});
    }
}

}  // namespace lumetra
