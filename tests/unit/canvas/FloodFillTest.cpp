#include "canvas/FloodFill.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::test {
namespace {

// Pictures as text: G the border grey, . a light face, o another colour,
// R the fill.
std::vector<Color> FrameIcon(const std::vector<std::string>& rows) {
    std::vector<Color> pixels;
    for (const std::string& row : rows)
        for (char c : row)
            pixels.push_back(c == 'G'   ? Rgb(128, 128, 128)
                             : c == 'R' ? Rgb(255, 0, 0)
                             : c == 'o' ? Rgb(10, 20, 30)
                                        : Rgb(244, 244, 244));
    return pixels;
}

TEST(FloodFill, StaysInsideTheBorder) {
    struct Case {
        const char* name;
        std::vector<std::string> before;
        Point seed;
        Color fill;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"glyph keeps its own pocket",
         {"GGGGGG", "G....G", "G.GG.G", "G.G.GG", "G.GG.G", "GGGGGG"},
         {1, 1},
         Rgb(255, 0, 0),
         {"GGGGGG", "GRRRRG", "GRGGRG", "GRG.GG", "GRGG.G", "GGGGGG"}},
        {"no leak through a diagonal gap",
         {"GGG...", "G.G...", "GG.G..", "...G..", "......"},
         {1, 1},
         Rgb(255, 0, 0),
         {"GGG...", "GRG...", "GG.G..", "...G..", "......"}},
        {"other colours inside are filled too",
         {"GGGG", "G.oG", "GGGG"},
         {1, 1},
         Rgb(255, 0, 0),
         {"GGGG", "GRRG", "GGGG"}},
        {"open area stops at the picture's edge",
         {"....", ".GG.", "...."},
         {0, 0},
         Rgb(255, 0, 0),
         {"RRRR", "RGGR", "RRRR"}},
        {"fill colour already present ends the walk",
         {"GGGG", "G..G", "GGGG"},
         {1, 1},
         Rgb(244, 244, 244),
         {"GGGG", "G..G", "GGGG"}},
        {"seed on the border paints nothing", {"GGG", "G.G", "GGG"}, {0, 1}, Rgb(255, 0, 0), {"GGG", "G.G", "GGG"}},
        {"seed outside paints nothing", {"...", "..."}, {3, 0}, Rgb(255, 0, 0), {"...", "..."}},
        {"negative seed paints nothing", {"...", "..."}, {-1, 1}, Rgb(255, 0, 0), {"...", "..."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Color> pixels = FrameIcon(c.before);
        const int width = static_cast<int>(c.before[0].size());
        FillBounded(pixels, width, static_cast<int>(c.before.size()), c.seed, Rgb(128, 128, 128), c.fill);
        EXPECT_EQ(pixels, FrameIcon(c.after));
    }
}

// A picture shorter than its stated size is left alone, not overrun.
TEST(FloodFill, IgnoresAShortPicture) {
    std::vector<Color> pixels = FrameIcon({"...."});
    FillBounded(pixels, 4, 2, {0, 0}, Rgb(128, 128, 128), Rgb(255, 0, 0));
    EXPECT_EQ(pixels, FrameIcon({"...."}));
}

}  // namespace
}  // namespace lumetra::test
