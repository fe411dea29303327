#include "overlay/fit/PictureFit.h"

#include <algorithm>
#include <cstddef>

#include "overlay/draw/CaptionStrip.h"
#include "settings/AppSettings.h"

namespace lumetra {

GuidePlacement CurrentPlacement(const TSettings& settings, Point position) {
    return {position, settings.Width(), settings.Height(), settings.Ratio(), settings.Lock()};
}

GuidePlacement PlacementOnPicture(const TSettings& settings, const Rect& picture, int dpi) {
    const std::int32_t width = picture.right - picture.left;
    const std::int32_t height = picture.bottom - picture.top;
    const Point position = WindowTopLeftFor({picture.left, picture.top}, settings.Border(), CaptionStripAt(dpi));
    return {position, width, height, static_cast<double>(height) / width, true};
}

IgnoreMask::IgnoreMask(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      bytes_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0) {}

Rect IgnoreMask::Clipped(const Rect& area) const {
    return {std::clamp(area.left, 0, width_), std::clamp(area.top, 0, height_), std::clamp(area.right, 0, width_),
            std::clamp(area.bottom, 0, height_)};
}

void IgnoreMask::MarkDrawn(Point at, std::span<const std::uint32_t> picture, int stride, int width, int height,
                           std::uint32_t key) {
    // Wide enough for any window place: a window far off the image marks nothing.
    const auto edge = [](int origin, int size) {
        return static_cast<int>(std::clamp<long long>(static_cast<long long>(origin) + size, -1, 1LL << 30));
    };
    const Rect area = Clipped({at.x, at.y, edge(at.x, width), edge(at.y, height)});
    for (int y = area.top; y < area.bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y - at.y) * static_cast<std::size_t>(stride);
        for (int x = area.left; x < area.right; ++x) {
            const std::size_t from = row + static_cast<std::size_t>(x - at.x);
            if (from >= picture.size()) return;
            if (picture[from] != key)
                bytes_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] =
                    1;
        }
    }
}

void IgnoreMask::MarkRect(const Rect& area) {
    const Rect clipped = Clipped(area);
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        const auto row = bytes_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
        std::fill(row + clipped.left, row + std::max(clipped.left, clipped.right), std::uint8_t{1});
    }
}

bool SameScreen(const ScreenImage& a, const ScreenImage& b) {
    if (a.width != b.width || a.height != b.height || a.width <= 0 || a.height <= 0) return false;
    const auto holds = [](const ScreenImage& image) {
        return image.stride >= image.width && image.pixels.size() >= static_cast<std::size_t>(image.height - 1) *
                                                                             static_cast<std::size_t>(image.stride) +
                                                                         static_cast<std::size_t>(image.width);
    };
    if (!holds(a) || !holds(b)) return false;
    for (int y = 0; y < a.height; ++y) {
        const auto row = [y](const ScreenImage& image) {
            const auto start = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.stride);
            return image.pixels.subspan(start, static_cast<std::size_t>(image.width));
        };
        const auto rowA = row(a);
        const auto rowB = row(b);
        // The top byte is not part of a pixel.
        for (std::size_t x = 0; x < rowA.size(); ++x) {
            if (((rowA[x] ^ rowB[x]) & 0x00FFFFFFu) != 0) return false;
        }
    }
    return true;
}

bool SameWithin(const ScreenImage& whole, Point wholeOrigin, const ScreenImage& part, Point partOrigin) {
    const auto holds = [](const ScreenImage& image) {
        return image.width > 0 && image.height > 0 && image.stride >= image.width &&
               image.pixels.size() >=
                   static_cast<std::size_t>(image.height - 1) * static_cast<std::size_t>(image.stride) +
                       static_cast<std::size_t>(image.width);
    };
    if (!holds(whole) || !holds(part)) return false;
    const long long left = static_cast<long long>(partOrigin.x) - wholeOrigin.x;
    const long long top = static_cast<long long>(partOrigin.y) - wholeOrigin.y;
    if (left < 0 || top < 0 || left + part.width > whole.width || top + part.height > whole.height) return false;
    for (int y = 0; y < part.height; ++y) {
        const std::uint32_t* a =
            part.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(part.stride);
        const std::uint32_t* b = whole.pixels.data() +
                                 static_cast<std::size_t>(top + y) * static_cast<std::size_t>(whole.stride) +
                                 static_cast<std::size_t>(left);
        // The top byte is not part of a pixel.
        for (int x = 0; x < part.width; ++x) {
            if (((a[x] ^ b[x]) & 0x00FFFFFFu) != 0) return false;
        }
    }
    return true;
}

std::optional<Rect> FindPictureFrom(const ScreenImage& image, Point origin, const IgnoreMask& drawn,
                                    std::span<const Point> starts) {
    for (const Point start : starts) {
        const PictureQuery query{
            {start.x - origin.x, start.y - origin.y}, drawn.Bytes(), drawn.Guides(), kMinWidth, kMinPictureHeight};
        if (const std::optional<Rect> found = FindPicture(image, query)) {
            return Rect{found->left + origin.x, found->top + origin.y, found->right + origin.x,
                        found->bottom + origin.y};
        }
    }
    return std::nullopt;
}

void FitUndo::Remember(const GuidePlacement& before, const GuidePlacement& after) {
    before_ = before;
    after_ = after;
}

std::optional<GuidePlacement> FitUndo::Take(const GuidePlacement& now) {
    std::optional<GuidePlacement> before;
    before.swap(before_);
    if (before && now == after_) return before;
    return std::nullopt;
}

}  // namespace lumetra
