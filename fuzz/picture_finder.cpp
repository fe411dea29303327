// The picture finder on screens built from arbitrary bytes: a background,
// rectangles of flat colour or noise (pictures, frames, neighbours), masked
// rectangles and grid lines, any start and smallest size, any stride. A
// found rectangle must lie in the image, reach the smallest size and hold
// the start; looked for again under a guide fitted to it (its outline on
// the edges, its caption strip above), as following does, the same holds.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "FuzzCheck.h"
#include "overlay/fit/PictureFinder.h"

namespace {

using lumetra::Rect;

constexpr int kMaxSide = 256;

Rect AnyRect(FuzzedDataProvider& in, int width, int height) {
    const int left = in.ConsumeIntegralInRange(-8, width);
    const int top = in.ConsumeIntegralInRange(-8, height);
    return {left, top, left + in.ConsumeIntegralInRange(0, width + 8), top + in.ConsumeIntegralInRange(0, height + 8)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegralInRange(1, kMaxSide);
    const int height = in.ConsumeIntegralInRange(1, kMaxSide);
    const int stride = width + in.ConsumeIntegralInRange(0, 3);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height),
                                      in.ConsumeIntegral<std::uint32_t>());
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    const auto each = [&](const Rect& r, auto&& visit) {
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y) {
            for (int x = std::max(r.left, 0); x < std::min(r.right, width); ++x) visit(x, y);
        }
    };
    for (int shapes = in.ConsumeIntegralInRange(0, 6); shapes > 0; --shapes) {
        const Rect r = AnyRect(in, width, height);
        const std::uint32_t colour = in.ConsumeIntegral<std::uint32_t>();
        const unsigned noise = in.ConsumeIntegralInRange(0u, 64u);
        std::uint32_t seed = colour;
        each(r, [&](int x, int y) {
            seed = seed * 1664525u + 1013904223u;
            const std::uint32_t jitter = noise == 0 ? 0 : (seed >> 8) % noise * 0x010101u;
            pixels[static_cast<std::size_t>(y) * stride + x] = colour + jitter;
        });
    }
    for (int masks = in.ConsumeIntegralInRange(0, 4); masks > 0; --masks) {
        each(AnyRect(in, width, height), [&](int x, int y) { mask[static_cast<std::size_t>(y) * width + x] = 1; });
    }
    if (const int period = in.ConsumeIntegralInRange(0, 8); period > 1) {
        each({0, 0, width, height}, [&](int x, int y) {
            if (x % period == 0 || y % period == 0) mask[static_cast<std::size_t>(y) * width + x] = 1;
        });
    }
    lumetra::PictureQuery query;
    query.start = {in.ConsumeIntegralInRange(-2, width + 1), in.ConsumeIntegralInRange(-2, height + 1)};
    query.minWidth = in.ConsumeIntegralInRange(-1, 80);
    query.minHeight = in.ConsumeIntegralInRange(-1, 40);
    // Guide areas anywhere, on the image or beyond it.
    std::vector<Rect> guides;
    for (int count = in.ConsumeIntegralInRange(0, 3); count > 0; --count) {
        guides.push_back(AnyRect(in, width + 64, height + 64));
        guides.back().left -= 32;
        guides.back().top -= 32;
    }
    if (in.ConsumeBool()) {
        query.ignore = mask;
        query.guides = guides;
    }
    const auto check = [&](const lumetra::PictureQuery& asked) {
        const std::optional<Rect> found = lumetra::FindPicture({pixels, width, height, stride}, asked);
        if (!found) return found;
        const Rect& r = *found;
        FUZZ_CHECK(0 <= r.left && r.left < r.right && r.right <= width, "the rectangle leaves the image across");
        FUZZ_CHECK(0 <= r.top && r.top < r.bottom && r.bottom <= height, "the rectangle leaves the image down");
        FUZZ_CHECK(r.right - r.left >= asked.minWidth && r.bottom - r.top >= asked.minHeight,
                   "below the smallest size");
        FUZZ_CHECK(
            r.left <= asked.start.x && asked.start.x < r.right && r.top <= asked.start.y && asked.start.y < r.bottom,
            "the rectangle misses the start");
        FUZZ_CHECK(r.left > 0 || r.top > 0 || r.right < width || r.bottom < height, "the whole image found");
        return found;
    };
    const std::optional<Rect> found = check(query);
    if (!found || !in.ConsumeBool()) return 0;
    // The guide fitted to it: outline on the first column and row and after
    // the last, the caption strip on the sixteen rows above.
    std::vector<std::uint8_t> fitted(mask.size(), 0);
    const Rect& r = *found;
    each({r.left, r.top, r.left + 1, r.bottom + 1},
         [&](int x, int y) { fitted[static_cast<std::size_t>(y) * width + x] = 1; });
    each({r.right, r.top, r.right + 1, r.bottom + 1},
         [&](int x, int y) { fitted[static_cast<std::size_t>(y) * width + x] = 1; });
    each({r.left, r.top - 16, r.right + 1, r.top + 1},
         [&](int x, int y) { fitted[static_cast<std::size_t>(y) * width + x] = 1; });
    each({r.left, r.bottom, r.right + 1, r.bottom + 1},
         [&](int x, int y) { fitted[static_cast<std::size_t>(y) * width + x] = 1; });
    const std::array<Rect, 1> guide{r};
    lumetra::PictureQuery again = query;
    again.ignore = fitted;
    again.guides = guide;
    (void)check(again);
    return 0;
}
