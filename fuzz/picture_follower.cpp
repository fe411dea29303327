// The picture follower on screens built from arbitrary bytes: a background,
// rectangles of flat colour or noise, masked rectangles, any first picture
// (or a guide waiting for one) and a history of looks at any region of any
// monitor, with display changes between them. Every answer must be one the
// shell can apply: a move overlaps the last place, a picture found for a
// waiting guide lies under its centre, a wider look stays on the monitor
// and is asked only when allowed, and staying or waiting keeps the place.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "overlay/fit/PictureFit.h"
#include "overlay/fit/PictureFollower.h"

namespace {

using lumetra::Rect;

constexpr int kMaxSide = 320;

Rect AnyRect(FuzzedDataProvider& in, int width, int height) {
    const int left = in.ConsumeIntegralInRange(-16, width);
    const int top = in.ConsumeIntegralInRange(-16, height);
    return {left, top, left + in.ConsumeIntegralInRange(-2, width + 16),
            top + in.ConsumeIntegralInRange(-2, height + 16)};
}

bool Overlap(const Rect& a, const Rect& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegralInRange(1, kMaxSide);
    const int height = in.ConsumeIntegralInRange(1, kMaxSide);
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                                      in.ConsumeIntegral<std::uint32_t>());
    const auto paint = [&] {
        for (int shapes = in.ConsumeIntegralInRange(0, 5); shapes > 0; --shapes) {
            const Rect r = AnyRect(in, width, height);
            const std::uint32_t colour = in.ConsumeIntegral<std::uint32_t>();
            const unsigned noise = in.ConsumeIntegralInRange(0u, 200u);
            std::uint32_t seed = colour;
            for (int y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y) {
                for (int x = std::max(r.left, 0); x < std::min(r.right, width); ++x) {
                    seed = seed * 1664525u + 1013904223u;
                    screen[static_cast<std::size_t>(y) * width + x] =
                        colour + (noise == 0 ? 0 : (seed >> 8) % noise * 0x010101u);
                }
            }
        }
    };
    // A look at part of the screen, as the shell copies it: rows `stride` apart.
    const auto look = [&](lumetra::PictureFollower& follower, const Rect& wanted, const Rect& monitor, bool mayWiden) {
        const Rect area{std::clamp(wanted.left, 0, width), std::clamp(wanted.top, 0, height),
                        std::clamp(wanted.right, 0, width), std::clamp(wanted.bottom, 0, height)};
        const int w = std::max(area.right - area.left, 0);
        const int h = std::max(area.bottom - area.top, 0);
        lumetra::IgnoreMask mask(w, h);
        for (int masks = in.ConsumeIntegralInRange(0, 3); masks > 0; --masks) mask.MarkRect(AnyRect(in, w, h));
        if (in.ConsumeBool()) mask.AddGuide(AnyRect(in, w, h));
        const std::size_t first = static_cast<std::size_t>(std::min(area.top, height - 1)) * width +
                                  static_cast<std::size_t>(std::min(area.left, width - 1));
        const lumetra::ScreenRegion region{{std::span<const std::uint32_t>(screen).subspan(first), w, h, width},
                                           {area.left, area.top},
                                           in.ConsumeBool() ? &mask : nullptr};
        return follower.Decide(region, monitor, mayWiden);
    };

    paint();
    lumetra::PictureFollower follower;
    if (in.ConsumeBool()) {
        follower.Seek(AnyRect(in, width, height));
    } else {
        const lumetra::IgnoreMask none(width, height);
        follower.Start({{screen, width, height, width}, {0, 0}, &none}, AnyRect(in, width, height));
    }
    for (int steps = in.ConsumeIntegralInRange(1, 6); steps > 0 && in.remaining_bytes() > 0; --steps) {
        paint();
        if (in.ConsumeIntegralInRange(0, 7) == 0) {
            follower.Displaced(AnyRect(in, width, height));
            FUZZ_CHECK(follower.Waiting(), "a display change not waited through");
        }
        const Rect monitor = in.ConsumeBool() ? Rect{0, 0, width, height} : AnyRect(in, width, height);
        const Rect before = follower.Picture();
        const bool seeking = follower.Seeking();
        const bool mayWiden = in.ConsumeBool();
        const Rect wanted = in.ConsumeBool() ? follower.Region(monitor) : AnyRect(in, width, height);
        const lumetra::FollowAnswer answer = look(follower, wanted, monitor, mayWiden);
        switch (answer.step) {
            case lumetra::FollowStep::Move:
                FUZZ_CHECK(answer.rect.left < answer.rect.right && answer.rect.top < answer.rect.bottom,
                           "moved to an empty place");
                FUZZ_CHECK(Overlap(answer.rect, before), "moved out of reach");
                FUZZ_CHECK(follower.Picture() == answer.rect && !follower.Waiting(), "the move not taken");
                break;
            case lumetra::FollowStep::Found: {
                const int x = before.left + (before.right - before.left) / 2;
                const int y = before.top + (before.bottom - before.top) / 2;
                FUZZ_CHECK(seeking, "a picture found for a guide that had one");
                FUZZ_CHECK(
                    answer.rect.left <= x && x < answer.rect.right && answer.rect.top <= y && y < answer.rect.bottom,
                    "a picture found that is not under the guide's centre");
                FUZZ_CHECK(follower.Picture() == answer.rect && !follower.Waiting() && !follower.Seeking(),
                           "the picture found not taken");
                break;
            }
            case lumetra::FollowStep::Widen:
                FUZZ_CHECK(mayWiden, "a wider look asked when not allowed");
                FUZZ_CHECK(answer.rect.left >= monitor.left && answer.rect.top >= monitor.top &&
                               answer.rect.right <= monitor.right && answer.rect.bottom <= monitor.bottom,
                           "a wider look off the monitor");
                FUZZ_CHECK(follower.Picture() == before, "a wider look moved the picture");
                break;
            case lumetra::FollowStep::Stay:
            case lumetra::FollowStep::Lost:
                FUZZ_CHECK(answer.rect == before && follower.Picture() == before, "staying moved the picture");
                FUZZ_CHECK((answer.step == lumetra::FollowStep::Lost) == follower.Waiting(), "waiting not told");
                break;
        }
        std::vector<lumetra::ScreenImage> strips;
        for (const Rect& r : follower.Strips(monitor)) {
            const Rect s{std::clamp(r.left, 0, width), std::clamp(r.top, 0, height), std::clamp(r.right, 0, width),
                         std::clamp(r.bottom, 0, height)};
            if (s.right <= s.left || s.bottom <= s.top) continue;
            strips.push_back({std::span<const std::uint32_t>(screen).subspan(static_cast<std::size_t>(s.top) * width +
                                                                             static_cast<std::size_t>(s.left)),
                              s.right - s.left, s.bottom - s.top, width});
        }
        (void)follower.LookDue(strips);
    }
    return 0;
}
