#include "overlay/fit/SettledCopy.h"

#include <algorithm>
#include <cstddef>

namespace lumetra {
namespace {

constexpr std::int64_t kDrawnPixelsToTell = 64;

// Copies that agree without the guide, before they count as ones the system
// leaves the guide out of: one more than a window on its way to its place
// would usually give (Windows' case; Wine's, before its copies showed the
// guide once).
constexpr int kAgreeingWithoutGuide = 2;

}  // namespace

GuideInCopy GuideShownIn(const ScreenImage& screen, Point at, std::span<const std::uint32_t> picture, int stride,
                         int width, int height, std::uint32_t key) {
    const int left = std::max(at.x, 0);
    const int top = std::max(at.y, 0);
    const long long right = std::min<long long>(static_cast<long long>(at.x) + width, screen.width);
    const long long bottom = std::min<long long>(static_cast<long long>(at.y) + height, screen.height);
    std::int64_t drawnPixels = 0;
    for (int y = top; y < bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y - at.y) * static_cast<std::size_t>(stride);
        for (int x = left; x < right; ++x) {
            const std::size_t from = row + static_cast<std::size_t>(x - at.x);
            if (from >= picture.size()) break;
            // The top byte is no part of a pixel.
            const std::uint32_t drawn = picture[from] & 0x00FFFFFFu;
            if (drawn == (key & 0x00FFFFFFu)) continue;
            const std::uint32_t shown =
                screen.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(screen.stride) +
                              static_cast<std::size_t>(x)] &
                0x00FFFFFFu;
            if (drawn != shown) return GuideInCopy::NotAsDrawn;
            ++drawnPixels;
        }
    }
    return drawnPixels < kDrawnPixelsToTell ? GuideInCopy::Unchecked : GuideInCopy::AsDrawn;
}

bool CopySettling::Settled(bool copiesAgree, GuideInCopy guide) {
    if (!copiesAgree) {
        agreeingWithout_ = 0;
        return false;  // a window was still reaching the screen (both systems)
    }
    switch (guide) {
        case GuideInCopy::Unchecked: return true;
        case GuideInCopy::AsDrawn:
            // Wine (and any system that copies layered windows): the guide
            // is where the mask says.
            copiesShowGuides_ = true;
            return true;
        case GuideInCopy::NotAsDrawn:
            // Where copies have shown the guide, it is still moving (Wine);
            // where they never have, the system leaves it out (Windows), and
            // the mask covers its place either way.
            if (copiesShowGuides_) return false;
            return ++agreeingWithout_ >= kAgreeingWithoutGuide;
    }
    return false;
}

}  // namespace lumetra
