#include "common/WindowPlace.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace lumetra {
namespace {

// Windows parks a minimised top-level window here.
constexpr int kMinimisedCoordinate = -32000;

std::int64_t Width(const Rect& r) { return std::int64_t{r.right} - r.left; }
std::int64_t Height(const Rect& r) { return std::int64_t{r.bottom} - r.top; }

// The gap between two ranges along one axis; 0 where they meet.
std::int64_t Gap(std::int64_t begin, std::int64_t end, std::int64_t otherBegin, std::int64_t otherEnd) {
    if (end <= otherBegin) return otherBegin - end;
    if (otherEnd <= begin) return begin - otherEnd;
    return 0;
}

std::int64_t Overlap(std::int64_t begin, std::int64_t end, std::int64_t otherBegin, std::int64_t otherEnd) {
    return std::max<std::int64_t>(0, std::min(end, otherEnd) - std::max(begin, otherBegin));
}

bool Reachable(const Rect& window, std::int64_t strip, const Rect& area) {
    const std::int64_t wide = Overlap(window.left, window.right, area.left, area.right);
    const std::int64_t high = Overlap(window.top, window.top + strip, area.top, area.bottom);
    return wide >= std::min<std::int64_t>(kReachableWidth, Width(window)) && high >= (strip + 1) / 2;
}

// As far as it takes along one axis to lie inside the area; the start of the
// area for a window longer than it.
int Inside(std::int64_t begin, std::int64_t length, std::int64_t areaBegin, std::int64_t areaEnd) {
    const std::int64_t latest = std::max(areaBegin, areaEnd - length);
    return static_cast<int>(std::clamp(begin, areaBegin, latest));
}

}  // namespace

std::optional<Point> KeepOnScreen(const Rect& window, int strip, std::span<const Rect> workAreas) {
    const std::int64_t rows = std::clamp<std::int64_t>(strip, 1, std::max<std::int64_t>(Height(window), 1));
    const Rect* nearest = nullptr;
    std::pair<std::int64_t, std::int64_t> best{};  // squared gap, then less overlap first
    for (const Rect& area : workAreas) {
        if (Width(area) <= 0 || Height(area) <= 0) continue;
        if (Reachable(window, rows, area)) return std::nullopt;
        const std::int64_t dx = Gap(window.left, window.right, area.left, area.right);
        const std::int64_t dy = Gap(window.top, window.bottom, area.top, area.bottom);
        const std::int64_t overlap = Overlap(window.left, window.right, area.left, area.right) *
                                     Overlap(window.top, window.bottom, area.top, area.bottom);
        const std::pair<std::int64_t, std::int64_t> rank{dx * dx + dy * dy, -overlap};
        if (nearest == nullptr || rank < best) {
            nearest = &area;
            best = rank;
        }
    }
    if (nearest == nullptr) return std::nullopt;
    return Point{Inside(window.left, Width(window), nearest->left, nearest->right),
                 Inside(window.top, Height(window), nearest->top, nearest->bottom)};
}

void WindowPlace::Moved(Point topLeft, bool minimised) {
    if (minimised || (topLeft.x <= kMinimisedCoordinate && topLeft.y <= kMinimisedCoordinate)) return;
    restored_ = topLeft;
}

std::optional<Point> WindowPlace::Show() { return std::exchange(hiddenAt_, std::nullopt); }

}  // namespace lumetra
