#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// The generator lives outside src/ because it is a build tool, not a part of
// the program.
#include "../../../res/icongen/PixelArt.h"

namespace lumetra::test {
namespace {

using namespace icongen;

constexpr const char* kLegend =
    "# a comment\n"
    ". = transparent\n"
    "G = 128 128 128\n"
    "\n"
    "r=255 0 9\n";

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

unsigned U16(const std::vector<std::uint8_t>& bytes, std::size_t at) { return bytes[at] | bytes[at + 1] << 8; }

TEST(PixelArtTest, ParsesLegendAndRows) {
    const ParseResult result = ParsePixelArt(std::string(kLegend) + "pixels\r\n.Gr\r\nrG.\r\n");
    ASSERT_TRUE(result.image) << result.error;
    const Image& image = *result.image;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.At(0, 0), Pixel{});
    EXPECT_EQ(image.At(1, 0), (Pixel{128, 128, 128, true}));
    EXPECT_EQ(image.At(2, 0), (Pixel{255, 0, 9, true}));
    EXPECT_EQ(image.At(0, 1), (Pixel{255, 0, 9, true}));
    EXPECT_EQ(image.At(2, 1), Pixel{});
}

TEST(PixelArtTest, RejectsMalformedPictures) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"G = 1 2 3\nGG\n", "line 2: expected"},
        {"G = 1 2 3\n", "no 'pixels' line"},
        {"G = 1 2 3\npixels\n\n", "no pixel rows"},
        {"G = 1 2 3\npixels\nGG\nG\n", "line 4: row of 1 pixels, expected 2"},
        {"G = 1 2 3\npixels\nGx\n", "line 3: 'x' not in the legend"},
        {"G = 1 2 3\nG = 4 5 6\npixels\nG\n", "line 2: 'G' defined twice"},
        {"G = 1 2 256\npixels\nG\n", "line 1: bad colour"},
        {"G = 1 2\npixels\nG\n", "line 1: bad colour"},
        {"G = 1 2 3 4\npixels\nG\n", "line 1: bad colour"},
        {"G = 1 -2 3\npixels\nG\n", "line 1: bad colour"},
        {"G = clear\npixels\nG\n", "line 1: bad colour"},
        {"G 1 2 3\npixels\nG\n", "line 1: expected"},
        {"G = 99999999999999999999 0 0\npixels\nG\n", "line 1: bad colour"},
    };
    for (const auto& c : cases) {
        const ParseResult result = ParsePixelArt(c.text);
        EXPECT_FALSE(result.image) << c.text;
        EXPECT_NE(result.error.find(c.error), std::string::npos) << c.text << " gave " << result.error;
    }
}

TEST(PixelArtTest, RejectsPicturesTooLargeForAnIcon) {
    const std::string legend = "G = 1 2 3\npixels\n";
    const struct {
        int width;
        int height;
        bool fits;
    } cases[] = {{256, 1, true}, {257, 1, false}, {1, 256, true}, {1, 257, false}};
    for (const auto& c : cases) {
        std::string text = legend;
        for (int y = 0; y < c.height; ++y) text += std::string(static_cast<std::size_t>(c.width), 'G') + "\n";
        EXPECT_EQ(ParsePixelArt(text).image.has_value(), c.fits) << c.width << " x " << c.height;
    }
}

TEST(IcoTest, DirectoryDescribesEveryImage) {
    const Image wide = *ParsePixelArt(std::string(kLegend) + "pixels\n" + std::string(37, 'G') + "\n").image;
    const Image square = *ParsePixelArt(std::string(kLegend) + "pixels\nGG\nG.\n").image;
    const std::vector<std::uint8_t> ico = EncodeIco({wide, square});

    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u);
    EXPECT_EQ(U16(ico, 4), 2u);
    const struct {
        int width;
        int height;
        std::uint32_t bytes;  // header, colour rows, mask rows padded to 4 bytes
    } expected[] = {{37, 1, 40 + 37 * 4 + 8}, {2, 2, 40 + 2 * 2 * 4 + 2 * 4}};
    std::uint32_t offset = 6 + 2 * 16;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], expected[i].width);
        EXPECT_EQ(ico[entry + 1], expected[i].height);
        EXPECT_EQ(U16(ico, entry + 6), 32u);
        EXPECT_EQ(U32(ico, entry + 8), expected[i].bytes);
        EXPECT_EQ(U32(ico, entry + 12), offset);
        EXPECT_EQ(U32(ico, offset + 4), static_cast<std::uint32_t>(expected[i].width));
        EXPECT_EQ(U32(ico, offset + 8), static_cast<std::uint32_t>(2 * expected[i].height));
        offset += expected[i].bytes;
    }
    EXPECT_EQ(ico.size(), offset);
}

TEST(IcoTest, ColourRowsRunBottomUpAndTheMaskAgreesWithAlpha) {
    // Row 0: transparent, red; row 1: grey, transparent.
    const Image image = *ParsePixelArt(std::string(kLegend) + "pixels\n.r\nG.\n").image;
    const std::vector<std::uint8_t> ico = EncodeIco({image});
    const std::size_t colours = 6 + 16 + 40;
    const std::vector<std::uint8_t> bgra(ico.begin() + colours, ico.begin() + colours + 16);
    EXPECT_EQ(bgra, (std::vector<std::uint8_t>{128, 128, 128, 255, 0, 0, 0, 0,  // bottom row first
                                               0, 0, 0, 0, 9, 0, 255, 255}));
    const std::size_t mask = colours + 16;
    // One bit a pixel, leftmost in the high bit, set where transparent.
    EXPECT_EQ(ico[mask], 0x40);      // bottom row: . at x = 1
    EXPECT_EQ(ico[mask + 4], 0x80);  // top row: . at x = 0
    EXPECT_EQ(ico.size(), mask + 8);
}

}  // namespace
}  // namespace lumetra::test
