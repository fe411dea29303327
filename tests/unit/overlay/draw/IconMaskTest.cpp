#include "overlay/draw/IconMask.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace lumetra::test {
namespace {

struct SplitCase {
    const char* name;
    std::uint32_t onBlack;
    std::uint32_t onWhite;
    bool transparent;
};

// A picture drawn with its mask: transparent pixels show the background,
// opaque ones their own colour whatever lies beneath, black and white too.
const std::array<SplitCase, 7> kSplitCases{{
    {"transparent", 0x00000000, 0x00FFFFFF, true},
    {"transparent, alpha bytes set by the drawing", 0xFF000000, 0x00FFFFFF, true},
    {"opaque black", 0x00000000, 0x00000000, false},
    {"opaque white", 0x00FFFFFF, 0x00FFFFFF, false},
    {"opaque grey", 0x00808080, 0x00808080, false},
    {"opaque near-black against near-white", 0x00000001, 0x00FFFFFE, false},
    {"opaque with alpha byte", 0xFF123456, 0xFF123456, false},
}};

// The target after the two blits: AND with the mask, then OR with the colour.
std::uint32_t Compose(std::uint32_t target, std::uint32_t colour, std::uint32_t mask) {
    return (target & mask) | colour;
}

TEST(IconMaskTest, BlitsOfTheSplitGiveWhatTheMaskedDrawingGives) {
    const std::array<std::uint32_t, 4> targets{0x00000000, 0x00FFFFFF, 0x00FF00FF, 0x00123456};
    for (const SplitCase& c : kSplitCases) {
        SCOPED_TRACE(c.name);
        std::array<std::uint32_t, 1> colour{0xDEADBEEF};
        std::array<std::uint32_t, 1> mask{0xDEADBEEF};
        const std::array<std::uint32_t, 1> onBlack{c.onBlack};
        const std::array<std::uint32_t, 1> onWhite{c.onWhite};
        EXPECT_EQ(SplitIconMask(onBlack, onWhite, colour, mask), c.transparent);
        for (const std::uint32_t target : targets) {
            const std::uint32_t expected = c.transparent ? target : c.onBlack;
            EXPECT_EQ(Compose(target, colour[0], mask[0]), expected) << std::hex << "over " << target;
        }
    }
}

TEST(IconMaskTest, SplittingInPlaceGivesTheSameAsIntoSeparateSpans) {
    std::vector<std::uint32_t> onBlack;
    std::vector<std::uint32_t> onWhite;
    for (const SplitCase& c : kSplitCases) {
        onBlack.push_back(c.onBlack);
        onWhite.push_back(c.onWhite);
    }
    std::vector<std::uint32_t> colour(onBlack.size());
    std::vector<std::uint32_t> mask(onBlack.size());
    const bool separate = SplitIconMask(onBlack, onWhite, colour, mask);
    EXPECT_EQ(SplitIconMask(onBlack, onWhite, onBlack, onWhite), separate);
    EXPECT_EQ(onBlack, colour);
    EXPECT_EQ(onWhite, mask);
}

TEST(IconMaskTest, AnswersWhetherAnyPixelOfTheWholePictureIsTransparent) {
    struct Row {
        const char* name;
        std::vector<std::uint32_t> onBlack;
        std::vector<std::uint32_t> onWhite;
        bool anyTransparent;
    };
    const std::array<Row, 4> rows{{
        {"all opaque", {0x808080, 0x000000, 0xFFFFFF}, {0x808080, 0x000000, 0xFFFFFF}, false},
        {"last pixel transparent", {0x808080, 0x000000, 0x000000}, {0x808080, 0x000000, 0xFFFFFF}, true},
        {"first pixel transparent", {0x000000, 0x808080}, {0xFFFFFF, 0x808080}, true},
        {"empty", {}, {}, false},
    }};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::uint32_t> colour(row.onBlack.size());
        std::vector<std::uint32_t> mask(row.onBlack.size());
        EXPECT_EQ(SplitIconMask(row.onBlack, row.onWhite, colour, mask), row.anyTransparent);
    }
}

TEST(IconMaskTest, SplitsNoMoreThanTheShortestSpanHolds) {
    const std::array<std::uint32_t, 3> onBlack{0x000000, 0x000000, 0x000000};
    const std::array<std::uint32_t, 2> onWhite{0x000000, 0x000000};  // opaque black, twice
    std::array<std::uint32_t, 3> colour{1, 1, 1};
    std::array<std::uint32_t, 3> mask{1, 1, 1};
    // The third pixel has no drawing on white: it is neither split nor read.
    EXPECT_FALSE(SplitIconMask(onBlack, onWhite, colour, mask));
    EXPECT_EQ(colour, (std::array<std::uint32_t, 3>{0, 0, 1}));
    EXPECT_EQ(mask, (std::array<std::uint32_t, 3>{kMaskClear, kMaskClear, 1}));
}

}  // namespace
}  // namespace lumetra::test
