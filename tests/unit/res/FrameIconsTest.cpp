// The frame pictures as the program relies on them: sizes, the grey outline
// that keeps a highlight's flood fill inside its button, the glyph pixels,
// the caption shading, and no pixel that the windows would key out.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "../../../res/icongen/PixelArt.h"

namespace lumetra::test {
namespace {

using namespace icongen;

using Points = std::set<std::pair<int, int>>;

constexpr Pixel kGrey{128, 128, 128, true};

Image LoadIconArt(const std::string& name) {
    std::ifstream in(std::string(LUMETRA_SOURCE_DIR) + "/res/art/" + name + ".txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ParseResult result = ParsePixelArt(text.str());
    EXPECT_TRUE(result.image) << name << ": " << result.error;
    return result.image ? std::move(*result.image) : Image{};
}

// What a fill bounded by the grey colour reaches from (x, y), four-connected
// like the system's flood fill.
Points FloodFill(const Image& image, int x, int y) {
    Points filled;
    std::vector<std::pair<int, int>> todo = {{x, y}};
    while (!todo.empty()) {
        const auto [px, py] = todo.back();
        todo.pop_back();
        if (px < 0 || py < 0 || px >= image.width || py >= image.height) continue;
        if (image.At(px, py) == kGrey || !filled.insert({px, py}).second) continue;
        todo.insert(todo.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
    }
    return filled;
}

Points GreyPixelsIn(const Image& image, int left, int top, int size) {
    Points grey;
    for (int y = top; y < top + size; ++y)
        for (int x = left; x < left + size; ++x)
            if (image.At(x, y) == kGrey) grey.insert({x, y});
    return grey;
}

struct Button {
    const char* picture;
    int left;  // 8 x 8 interior in rows 4..11
    Points glyph;
};

const std::vector<Button>& Buttons() {
    static const std::vector<Button> buttons = {
        {"ZTRCORNER", 4, {}},
        {"ZTRCORNER",
         13,
         {{14, 5},
          {15, 5},
          {14, 6},
          {15, 6},
          {14, 9},
          {15, 9},
          {14, 10},
          {15, 10},
          {18, 5},
          {17, 6},
          {19, 6},
          {18, 9},
          {17, 10},
          {19, 10}}},
        {"ZTRCORNER",
         22,
         {{24, 5},
          {24, 6},
          {24, 7},
          {24, 8},
          {24, 9},
          {24, 10},
          {27, 5},
          {27, 6},
          {27, 7},
          {27, 8},
          {27, 9},
          {27, 10},
          {26, 6},
          {28, 6},
          {23, 9},
          {25, 9}}},
        {"ZTRCORNER", 31, {{34, 5}, {35, 5}, {33, 6}, {36, 6}, {36, 7}, {34, 8}, {35, 8}, {34, 10}, {35, 10}}},
        {"ZTRCORNER", 43, {{45, 10}, {46, 10}, {47, 10}, {48, 10}}},
        {"ZTRCORNER",
         52,
         {{53, 5},
          {54, 6},
          {55, 7},
          {56, 8},
          {57, 9},
          {58, 10},
          {58, 5},
          {57, 6},
          {56, 7},
          {55, 8},
          {54, 9},
          {53, 10}}},
        {"ZTRCORNER2", 4, {{7, 5}, {8, 5}, {6, 6}, {9, 6}, {9, 7}, {7, 8}, {8, 8}, {7, 10}, {8, 10}}},
        {"ZTRCORNER2",
         25,
         {{26, 5},
          {31, 5},
          {27, 6},
          {30, 6},
          {28, 7},
          {29, 7},
          {28, 8},
          {29, 8},
          {27, 9},
          {30, 9},
          {26, 10},
          {31, 10}}},
    };
    return buttons;
}

TEST(FrameIconsTest, HaveTheirSizesAndNoKeyColour) {
    const struct {
        const char* name;
        int width;
        int height;
    } cases[] = {
        {"ZTLCORNER", 16, 16},  {"ZCAPTION", 32, 16},   {"ZTRCORNER", 64, 16}, {"ZBRCORNER", 24, 24},
        {"ZTLCORNERS", 16, 16}, {"ZTRCORNER2", 37, 16}, {"Lumetra32", 32, 32}, {"Lumetra16", 16, 16},
    };
    for (const auto& c : cases) {
        const Image image = LoadIconArt(c.name);
        EXPECT_EQ(image.width, c.width) << c.name;
        EXPECT_EQ(image.height, c.height) << c.name;
        for (const Pixel& p : image.pixels) {
            EXPECT_FALSE(p == (Pixel{254, 0, 254, true})) << c.name;
            EXPECT_FALSE(p == (Pixel{142, 109, 146, true})) << c.name;
        }
    }
}

TEST(FrameIconsTest, HighlightFillStaysInsideEachButton) {
    for (const Button& button : Buttons()) {
        const Image image = LoadIconArt(button.picture);
        const Points filled = FloodFill(image, button.left, 4);
        EXPECT_FALSE(filled.empty()) << button.picture << " " << button.left;
        for (const auto& [x, y] : filled) {
            EXPECT_TRUE(x >= button.left && x < button.left + 8 && y >= 4 && y < 12)
                << button.picture << " " << button.left << " leaks to " << x << "," << y;
        }
        // The face is light, not the key colour, so the outline is opaque grey.
        for (int x = button.left - 1; x <= button.left + 8; ++x)
            EXPECT_TRUE(image.At(x, 3) == kGrey && image.At(x, 12) == kGrey) << button.picture << " " << x;
    }
}

TEST(FrameIconsTest, GlyphsAreExactlyTheListedGreyPixels) {
    for (const Button& button : Buttons()) {
        const Image image = LoadIconArt(button.picture);
        EXPECT_EQ(GreyPixelsIn(image, button.left, 4, 8), button.glyph) << button.picture << " " << button.left;
    }
}

TEST(FrameIconsTest, CaptionShadingRunsFromGreyEdgesThroughWhiteToFadingGreys) {
    const Image caption = LoadIconArt("ZCAPTION");
    for (int y = 0; y < 16; ++y) {
        const Pixel row = caption.At(0, y);
        for (int x = 1; x < caption.width; ++x) EXPECT_EQ(caption.At(x, y), row) << x << "," << y;
    }
    EXPECT_EQ(caption.At(0, 0), kGrey);
    EXPECT_EQ(caption.At(0, 15), kGrey);
    EXPECT_EQ(caption.At(0, 1), (Pixel{255, 255, 255, true}));
    EXPECT_EQ(caption.At(0, 2), (Pixel{233, 233, 233, true}));
    EXPECT_EQ(caption.At(0, 13), (Pixel{219, 219, 219, true}));
    EXPECT_EQ(caption.At(0, 14), (Pixel{171, 171, 171, true}));
    for (int y = 3; y <= 13; ++y) {
        const Pixel above = caption.At(0, y - 1);
        const Pixel here = caption.At(0, y);
        EXPECT_TRUE(here.r < above.r && here.r == here.g && here.g == here.b) << y;
    }
}

TEST(FrameIconsTest, PanelDimmedBoxIsOutlinedInLightGrey) {
    const Image image = LoadIconArt("ZTRCORNER2");
    constexpr Pixel kDim{207, 207, 207, true};
    for (int x = 15; x <= 23; ++x) {
        EXPECT_EQ(image.At(x, 3), kDim) << x;
        EXPECT_EQ(image.At(x, 12), kDim) << x;
    }
    for (int y = 3; y <= 12; ++y) {
        EXPECT_EQ(image.At(15, y), kDim) << y;
        EXPECT_EQ(image.At(24, y), kGrey) << y;  // the close box's left side
    }
    for (int x = 16; x <= 23; ++x) EXPECT_EQ(image.At(x, 10) == kDim, x >= 18 && x <= 21) << x;
}

TEST(FrameIconsTest, GripIsAnLOfEightPixelBars) {
    const Image grip = LoadIconArt("ZBRCORNER");
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) EXPECT_FALSE(grip.At(x, y).opaque) << x << "," << y;
    }
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(grip.At(16 + i % 8, i).opaque) << i;
        EXPECT_TRUE(grip.At(i, 16 + i % 8).opaque) << i;
    }
}

}  // namespace
}  // namespace lumetra::test

namespace lumetra::test {
namespace {

using namespace icongen;

// The program's icon at every size the system asks for between 100 % and
// 300 % (small icons of 16 to 48 pixels, the large one of 32), and the
// notification area's click-through variant at the same sizes: the same
// frame and lines, with the light square see-through.
TEST(IconFramesTest, EverySizeHasTheIconAndItsClickThroughVariant) {
    constexpr Pixel kLight{250, 250, 250, true};
    for (const int size : {16, 20, 24, 32, 40, 48}) {
        SCOPED_TRACE(size);
        const Image icon = LoadIconArt("Lumetra" + std::to_string(size));
        const Image through = LoadIconArt("ClickThrough" + std::to_string(size));
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        ASSERT_EQ(through.width, size);
        ASSERT_EQ(through.height, size);
        int light = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const bool edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
                EXPECT_TRUE(!edge || icon.At(x, y) == kGrey) << x << "," << y << ": the frame";
                if (icon.At(x, y) == kLight) {
                    ++light;
                    EXPECT_FALSE(through.At(x, y).opaque) << x << "," << y;
                } else {
                    EXPECT_EQ(through.At(x, y), icon.At(x, y)) << x << "," << y;
                }
            }
        }
        EXPECT_GT(light, size * size / 2) << "the square is mostly light";
    }
}

// The waiting variant: the program's icon with a clock in its lower right,
// which leaves the rest of the icon as it is.
TEST(IconFramesTest, EverySizeHasAWaitingVariantWithAClock) {
    constexpr Pixel kAmber{255, 176, 0, true};
    for (const int size : {16, 20, 24, 32, 40, 48}) {
        SCOPED_TRACE(size);
        const Image icon = LoadIconArt("Lumetra" + std::to_string(size));
        const Image waiting = LoadIconArt("Waiting" + std::to_string(size));
        ASSERT_EQ(waiting.width, size);
        ASSERT_EQ(waiting.height, size);
        int amber = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if (x < size / 3 || y < size / 3) {
                    EXPECT_EQ(waiting.At(x, y), icon.At(x, y)) << x << "," << y;
                }
                if (waiting.At(x, y) == kAmber) ++amber;
            }
        }
        EXPECT_GT(amber, size * size / 16) << "the clock shows";
    }
}

}  // namespace
}  // namespace lumetra::test
