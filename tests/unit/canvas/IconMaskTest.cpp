#include "canvas/IconMask.h"

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

// A picture of distinct pixels (its index), scaled into a sheet that holds
// other blocks on either side, which the copy must leave alone.
TEST(IconMaskTest, ScalingCopiesEachSourcePixelIntoWholeBlocksWithoutBlending) {
    struct Case {
        const char* name;
        int width, height, toWidth, toHeight;
        std::vector<int> columns;  // the source column each target column shows
        std::vector<int> rows;
    };
    const std::array<Case, 4> cases{{
        {"100 %: the same picture", 3, 2, 3, 2, {0, 1, 2}, {0, 1}},
        {"200 %: every pixel a 2 x 2 block", 3, 2, 6, 4, {0, 0, 1, 1, 2, 2}, {0, 0, 1, 1}},
        {"150 %: every other pixel doubled, none lost", 4, 2, 6, 3, {0, 1, 1, 2, 3, 3}, {0, 1, 1}},
        {"125 %: a 16-pixel strip becomes 20", 16, 1, 20, 1,
         {0, 1, 2, 2, 3, 4, 5, 6, 6, 7, 8, 9, 10, 10, 11, 12, 13, 14, 14, 15}, {0}},
    }};
    constexpr std::uint32_t kUntouched = 0xDEADBEEF;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint32_t> source(static_cast<std::size_t>(c.width * c.height));
        for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<std::uint32_t>(i);
        const int sheetWidth = c.toWidth + 2;
        std::vector<std::uint32_t> target(static_cast<std::size_t>(sheetWidth * c.toHeight), kUntouched);
        ScaleBlockNearest(SheetPixels(source.data(), c.width, c.height), 0, c.width, c.height,
                          SheetPixels(target.data(), sheetWidth, c.toHeight), 1, c.toWidth, c.toHeight);
        for (int y = 0; y < c.toHeight; ++y) {
            EXPECT_EQ(target[static_cast<std::size_t>(y * sheetWidth)], kUntouched);
            EXPECT_EQ(target[static_cast<std::size_t>(y * sheetWidth + sheetWidth - 1)], kUntouched);
            for (int x = 0; x < c.toWidth; ++x) {
                const std::uint32_t want = static_cast<std::uint32_t>(c.rows[y] * c.width + c.columns[x]);
                EXPECT_EQ(target[static_cast<std::size_t>(y * sheetWidth + 1 + x)], want) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace lumetra::test
