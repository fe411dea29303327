// When a copy of the screen is one to search, whether the system puts this
// program's layered windows into its copies (Wine) or leaves them out
// (Windows without CAPTUREBLT).
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "overlay/fit/SettledCopy.h"

namespace lumetra::test {
namespace {

// A window's picture on a copy of the screen: each pixel it drew must show
// there; its key-coloured ones show what lies beneath, and what lies off
// the copy is not looked at.
TEST(SettledCopy, TheCopyShowsAWindowOnlyWhereItsDrawnPixelsAre) {
    constexpr std::uint32_t kKey = 0x00FE00FE;
    constexpr int kLine = 70;   // the window's drawn pixels: its top row
    constexpr int kWidth = 80;  // of the copy
    constexpr int kHeight = 4;
    std::vector<std::uint32_t> window(2 * kLine, kKey);
    for (int x = 0; x < kLine; ++x) window[static_cast<std::size_t>(x)] = 7;
    const auto screen = [](Point lineAt, std::uint32_t beneath) {
        std::vector<std::uint32_t> pixels(kWidth * kHeight, beneath);
        for (int x = 0; x < kLine; ++x) pixels[static_cast<std::size_t>(lineAt.y * kWidth + lineAt.x + x)] = 7;
        return pixels;
    };
    const std::vector<std::uint32_t> leftOut(kWidth * kHeight, 9);
    const struct {
        const char* name;
        std::vector<std::uint32_t> pixels;
        Point at;
        std::uint32_t topByte;  // of every pixel on the copy
        GuideInCopy shown;
    } cases[] = {
        {"where it is", screen({1, 1}, 9), {1, 1}, 0, GuideInCopy::AsDrawn},
        {"the top byte set", screen({1, 1}, 9), {1, 1}, 0xFF000000u, GuideInCopy::AsDrawn},
        {"still a row higher", screen({1, 0}, 9), {1, 1}, 0, GuideInCopy::NotAsDrawn},
        {"still a column to the left", screen({0, 1}, 9), {1, 1}, 0, GuideInCopy::NotAsDrawn},
        {"left out of the copy", leftOut, {1, 1}, 0, GuideInCopy::NotAsDrawn},
        {"half off the copy's left", screen({0, 1}, 9), {-1, 1}, 0, GuideInCopy::AsDrawn},
        // Ten drawn pixels that the scene beneath could match by chance.
        {"almost wholly off the copy", screen({0, 1}, 9), {-60, 1}, 0, GuideInCopy::Unchecked},
    };
    for (const auto& c : cases) {
        std::vector<std::uint32_t> pixels = c.pixels;
        for (std::uint32_t& pixel : pixels) pixel |= c.topByte;
        EXPECT_EQ(GuideShownIn({pixels, kWidth, kHeight, kWidth}, c.at, window, kLine, kLine, 2, kKey), c.shown)
            << c.name;
    }
}

// One fit's copies, one after another: whether each agreed with the one
// before it and what it showed of the guide; the fit settles at the copy
// marked so, or not at all.
struct SettlingCase {
    const char* name;
    bool earlierFitShowedGuide;  // a fit before this one saw the guide as drawn (Wine)
    std::vector<std::pair<bool, GuideInCopy>> copies;
    int settlesAt;  // index into copies; -1: never
    bool showsGuidesAfter;
};

TEST(SettledCopy, CopiesSettleWhetherOrNotTheSystemCopiesTheGuides) {
    using G = GuideInCopy;
    const SettlingCase cases[] = {
        {"Wine: agreeing and showing the guide", false, {{true, G::AsDrawn}}, 0, true},
        {"a changing screen never settles", false, {{false, G::AsDrawn}, {false, G::Unchecked}}, -1, false},
        {"a blending guide: agreement is enough", false, {{true, G::Unchecked}}, 0, false},
        // Opacity 100 on Windows: the guide is never in the copy.
        {"Windows: the guide left out of agreeing copies",
         false,
         {{true, G::NotAsDrawn}, {true, G::NotAsDrawn}},
         1,
         false},
        {"Windows: a change in between starts the count again",
         false,
         {{true, G::NotAsDrawn}, {false, G::NotAsDrawn}, {true, G::NotAsDrawn}, {true, G::NotAsDrawn}},
         3,
         false},
        // Wine after a fit that saw the guide: a copy without it is one
        // taken while the guide was still moving.
        {"Wine: the guide still on its way",
         true,
         {{true, G::NotAsDrawn}, {true, G::NotAsDrawn}, {true, G::NotAsDrawn}},
         -1,
         true},
        {"Wine: the guide arrives", true, {{true, G::NotAsDrawn}, {true, G::AsDrawn}}, 1, true},
    };
    for (const SettlingCase& c : cases) {
        CopySettling settling;
        if (c.earlierFitShowedGuide) {
            settling.Begin();
            ASSERT_TRUE(settling.Settled(true, G::AsDrawn)) << c.name;
        }
        settling.Begin();
        int settled = -1;
        for (std::size_t i = 0; i < c.copies.size() && settled < 0; ++i) {
            if (settling.Settled(c.copies[i].first, c.copies[i].second)) settled = static_cast<int>(i);
        }
        EXPECT_EQ(settled, c.settlesAt) << c.name;
        EXPECT_EQ(settling.CopiesShowGuides(), c.showsGuidesAfter) << c.name;
    }
}

// A fit that gave up part-way leaves nothing behind for the next one.
TEST(SettledCopy, EachFitCountsItsOwnCopies) {
    CopySettling settling;
    settling.Begin();
    EXPECT_FALSE(settling.Settled(true, GuideInCopy::NotAsDrawn));
    settling.Begin();
    EXPECT_FALSE(settling.Settled(true, GuideInCopy::NotAsDrawn));
    EXPECT_TRUE(settling.Settled(true, GuideInCopy::NotAsDrawn));
}

}  // namespace
}  // namespace lumetra::test
