// Looks 14 to 18, the crop-tool guides, on the example overlay of LookExamples.h.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "overlay/looks/Geometry.h"
#include "settings/AppSettings.h"
#include "support/LookExamples.h"

namespace lumetra::test {
namespace {

using ::testing::ElementsAre;

// The segments with each one's ends in a fixed order, sorted: the picture
// regardless of the order and direction it was drawn in.
std::vector<Ends> FrameIcon(const RecordingCanvas& canvas) {
    std::vector<Ends> ends = canvas.SegmentEnds();
    for (Ends& e : ends) {
        if (std::make_pair(e[2], e[3]) < std::make_pair(e[0], e[1])) e = {e[2], e[3], e[0], e[1]};
    }
    std::sort(ends.begin(), ends.end());
    return ends;
}

std::vector<Ends> WithOutline(std::vector<Ends> lines) {
    lines.insert(lines.begin(), kExampleOutline.begin(), kExampleOutline.end());
    return lines;
}

// The five aspect frames, from 1:1 to 16:9, each closed from its top-left
// corner; they do not depend on the orientation.
const std::vector<Ends> kExampleAspectFrames = {
    {87, 28, 332, 28},   {332, 28, 332, 273}, {332, 273, 87, 273}, {87, 273, 87, 28},   {57, 28, 363, 28},
    {363, 28, 363, 273}, {363, 273, 57, 273}, {57, 273, 57, 28},   {46, 28, 373, 28},   {373, 28, 373, 273},
    {373, 273, 46, 273}, {46, 273, 46, 28},   {26, 28, 394, 28},   {394, 28, 394, 273}, {394, 273, 26, 273},
    {26, 273, 26, 28},   {12, 39, 408, 39},   {408, 39, 408, 262}, {408, 262, 12, 262}, {12, 262, 12, 39}};

TEST(LookCropTest, StraightLooksAtTheExampleSize) {
    struct Case {
        std::int32_t look;
        std::int32_t orient;
        std::vector<Ends> lines;  // after the outline, in drawing order
    };
    const std::vector<Case> cases = {
        // 45 degrees from each corner to the far side, 245 across.
        {14, 0, {{12, 28, 257, 273}, {408, 28, 163, 273}, {12, 273, 257, 28}, {408, 273, 163, 28}}},
        // The same lines, each started from the corner the orientation puts first.
        {14, 1, {{408, 28, 163, 273}, {12, 28, 257, 273}, {408, 273, 163, 28}, {12, 273, 257, 28}}},
        {14, 2, {{408, 273, 163, 28}, {12, 273, 257, 28}, {408, 28, 163, 273}, {12, 28, 257, 273}}},
        {14, 3, {{12, 273, 257, 28}, {408, 273, 163, 28}, {12, 28, 257, 273}, {408, 28, 163, 273}}},
        // The rising diagonal and the perpendiculars onto it from the other
        // corners, their feet at 0.277 and 0.723 of it.
        {15, 0, {{12, 273, 408, 28}, {12, 28, 122, 205}, {408, 273, 298, 96}}},
        {15, 1, {{408, 273, 12, 28}, {408, 28, 298, 205}, {12, 273, 122, 96}}},
        {15, 2, {{408, 28, 12, 273}, {408, 273, 298, 96}, {12, 28, 122, 205}}},
        {15, 3, {{12, 28, 408, 273}, {12, 273, 122, 96}, {408, 28, 298, 205}}},
        // The inner edges of the two 245-pixel squares, then their diagonals.
        {16,
         0,
         {{257, 28, 257, 273},
          {163, 28, 163, 273},
          {12, 28, 257, 273},
          {12, 273, 257, 28},
          {163, 28, 408, 273},
          {163, 273, 408, 28}}},
        {16,
         1,
         {{163, 28, 163, 273},
          {257, 28, 257, 273},
          {408, 28, 163, 273},
          {408, 273, 163, 28},
          {257, 28, 12, 273},
          {257, 273, 12, 28}}},
        {16,
         2,
         {{163, 273, 163, 28},
          {257, 273, 257, 28},
          {408, 273, 163, 28},
          {408, 28, 163, 273},
          {257, 273, 12, 28},
          {257, 28, 12, 273}}},
        {16,
         3,
         {{257, 273, 257, 28},
          {163, 273, 163, 28},
          {12, 273, 257, 28},
          {12, 28, 257, 273},
          {163, 273, 408, 28},
          {163, 28, 408, 273}}},
        // The frames are centred on the area, whichever corner is the origin.
        {18, 1, kExampleAspectFrames},
        {18, 2, kExampleAspectFrames},
        {18, 3, kExampleAspectFrames},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SegmentsFrom(Render(Example(c.look, c.orient)), 4), c.lines)
            << "look " << c.look << " orient " << c.orient;
    }
}

TEST(LookCropTest, SymmetricLooksDrawTheSameInEveryOrientation) {
    struct Case {
        std::int32_t look;
        std::vector<std::int32_t> sameAsZero;
    };
    const Case cases[] = {{14, {1, 2, 3}}, {15, {2}}, {16, {1, 2, 3}}, {18, {1, 2, 3}}};
    for (const Case& c : cases) {
        const std::vector<Ends> zero = FrameIcon(Render(Example(c.look, 0)));
        for (const std::int32_t orient : c.sameAsZero) {
            EXPECT_EQ(FrameIcon(Render(Example(c.look, orient))), zero) << c.look << " " << orient;
        }
    }
    // The harmonious triangles mirror with the origin's side.
    EXPECT_NE(FrameIcon(Render(Example(15, 1))), FrameIcon(Render(Example(15, 0))));
}

TEST(LookCropTest, PortraitAreasTakeTheSquaresOffTheTopAndBottom) {
    LookSettings s = Example(16);
    s.width = 245;
    s.height = 396;  // X1 = 257, Y1 = 424
    EXPECT_EQ(SegmentsFrom(Render(s), 4), (std::vector<Ends>{{12, 273, 257, 273},
                                                             {12, 179, 257, 179},
                                                             {12, 28, 257, 273},
                                                             {257, 28, 12, 273},
                                                             {12, 179, 257, 424},
                                                             {257, 179, 12, 424}}));
    s.lookMode = 14;
    EXPECT_EQ(SegmentsFrom(Render(s), 4),
              (std::vector<Ends>{{12, 28, 257, 273}, {257, 28, 12, 273}, {12, 424, 257, 179}, {257, 424, 12, 179}}));
    s.showValues = true;
    EXPECT_THAT(PlacedTexts(Render(s)),
                ElementsAre(Placed{15, 425, "245 x 396", 0}, Placed{1, 282, "245", 90}, Placed{1, 188, "151", 90}));
}

TEST(LookCropTest, GoldenRectanglesWhirlInwardWithAnUnbrokenSpiral) {
    // Cells of 244.7, 151.4, 93.5, 57.8, 35.7 ... cut clockwise from the
    // left, each at 1/phi of what is left; nine, down to a few pixels.
    const std::vector<Ends> cutLines = {{257, 28, 257, 273},  {257, 179, 408, 179}, {315, 179, 315, 273},
                                        {257, 215, 315, 215}, {292, 179, 292, 215}, {292, 202, 315, 202},
                                        {301, 202, 301, 215}};
    const RecordingCanvas canvas = Render(WithValues(Example(17)));
    const std::vector<Ends> ends = canvas.SegmentEnds();
    ASSERT_GT(ends.size(), 4 + cutLines.size());
    EXPECT_EQ(std::vector<Ends>(ends.begin() + 4, ends.begin() + 11), cutLines);
    // Nine arcs, the first from the bottom-left corner, each going on from
    // where the one before ended.
    ASSERT_EQ(canvas.moves.size(), 1u + 9u + 9u);
    EXPECT_EQ(canvas.moves[10], (Point{12, 273}));
    for (std::size_t i = 14; i < ends.size(); ++i) {
        EXPECT_EQ((std::array<int, 2>{ends[i][0], ends[i][1]}), (std::array<int, 2>{ends[i - 1][2], ends[i - 1][3]}))
            << "segment " << i;
    }
    // The first arc is a quarter circle of radius 245 about (257, 273): the
    // area is all but golden.
    for (std::size_t i = 13; i < 13 + 61; ++i) {
        EXPECT_NEAR(std::hypot(ends[i][2] - 257, ends[i][3] - 273), 245, 1.0) << i;
    }
    EXPECT_EQ(ends[13 + 60][2], 257);
    EXPECT_EQ(ends[13 + 60][3], 28);
    EXPECT_EQ(canvas.TextStrings(), (std::vector<std::string>{"396 x 245", "245", "151", "93", "58", "36", "22"}));
}

TEST(LookCropTest, GoldenRectanglesTurnIntoTheCornerOfTheOrientation) {
    struct Case {
        std::int32_t orient;
        std::vector<Ends> cutLines;
        Point end;  // of the spiral
    };
    const Case cases[] = {
        {0,
         {{257, 28, 257, 273},
          {257, 179, 408, 179},
          {315, 179, 315, 273},
          {257, 215, 315, 215},
          {292, 179, 292, 215},
          {292, 202, 315, 202},
          {301, 202, 301, 215}},
         {298, 202}},
        {1,
         {{163, 28, 163, 273},
          {163, 179, 12, 179},
          {105, 179, 105, 273},
          {163, 215, 105, 215},
          {128, 179, 128, 215},
          {128, 202, 105, 202},
          {119, 202, 119, 215}},
         {122, 202}},
        {2,
         {{163, 273, 163, 28},
          {163, 122, 12, 122},
          {105, 122, 105, 28},
          {163, 86, 105, 86},
          {128, 122, 128, 86},
          {128, 99, 105, 99},
          {119, 99, 119, 86}},
         {122, 99}},
        {3,
         {{257, 273, 257, 28},
          {257, 122, 408, 122},
          {315, 122, 315, 28},
          {257, 86, 315, 86},
          {292, 122, 292, 86},
          {292, 99, 315, 99},
          {301, 99, 301, 86}},
         {298, 99}},
    };
    for (const Case& c : cases) {
        const std::vector<Ends> ends = Render(Example(17, c.orient)).SegmentEnds();
        ASSERT_GT(ends.size(), 4 + c.cutLines.size()) << c.orient;
        EXPECT_EQ(std::vector<Ends>(ends.begin() + 4, ends.begin() + 11), c.cutLines) << c.orient;
        EXPECT_EQ((Point{ends.back()[2], ends.back()[3]}), c.end) << c.orient;
    }
}

TEST(LookCropTest, GoldenRectanglesAreGoldenSectionsOfAnyFrame) {
    // Where the squares of a golden area would fall, at any ratio: the first
    // cut at 1/phi of the long side, the second at 1/phi of the short side,
    // both from the origin's edges; the spiral unbroken into the corner
    // opposite the origin, at about 0.724 of each side, down to cells of a
    // few pixels whatever the grid step.
    struct Case {
        const char* ratio;
        std::int32_t width;
        std::int32_t height;
    };
    const Case cases[] = {{"1.618", 396, 245},  {"3:2", 360, 240},         {"2:1", 400, 200},
                          {"2.39:1", 478, 200}, {"upright 2:3", 240, 360}, {"upright 1:2.39", 200, 478}};
    for (const Case& c : cases) {
        for (std::int32_t orient = 0; orient < 4; ++orient) {
            for (const std::int32_t grid : {kMinGridSize, kMaxGridSize}) {
                LookSettings s = Example(17, orient);
                s.width = c.width;
                s.height = c.height;
                s.gridSize = grid;
                const std::string what =
                    std::string(c.ratio) + " orient " + std::to_string(orient) + " grid " + std::to_string(grid);
                const RecordingCanvas canvas = Render(s);
                const std::vector<Ends> ends = canvas.SegmentEnds();
                // Distances from the origin corner along the long (a) and the
                // short side (b).
                const bool right = orient == 0 || orient == 3;
                const bool down = orient == 0 || orient == 1;
                const Point origin{right ? 12 : 12 + c.width, down ? 28 : 28 + c.height};
                const auto along = [&](int x, int y) {
                    const int u = std::abs(x - origin.x);
                    const int v = std::abs(y - origin.y);
                    return c.width >= c.height ? std::array<int, 2>{u, v} : std::array<int, 2>{v, u};
                };
                const int longSide = std::max(c.width, c.height);
                const int shortSide = std::min(c.width, c.height);
                ASSERT_GT(ends.size(), 6u) << what;
                const std::array<int, 2> first = along(ends[4][0], ends[4][1]);
                const std::array<int, 2> second = along(ends[5][0], ends[5][1]);
                EXPECT_EQ(first[0], std::lround(longSide * InvPhi)) << what;
                EXPECT_EQ(along(ends[4][2], ends[4][3])[0], first[0]) << what;
                EXPECT_EQ(second[1], std::lround(shortSide * InvPhi)) << what;
                EXPECT_EQ(along(ends[5][2], ends[5][3])[1], second[1]) << what;
                // The outline, then one move to each cut line and each arc.
                const std::size_t cells = (canvas.moves.size() - 1) / 2;
                EXPECT_GE(cells, 8u) << what;
                const std::size_t firstArc = 4 + cells;
                for (std::size_t i = firstArc + 1; i < ends.size(); ++i) {
                    ASSERT_EQ((std::array<int, 2>{ends[i][0], ends[i][1]}),
                              (std::array<int, 2>{ends[i - 1][2], ends[i - 1][3]}))
                        << what << " segment " << i;
                }
                const std::array<int, 2> end = along(ends.back()[2], ends.back()[3]);
                EXPECT_NEAR(end[0], 0.724 * longSide, 4) << what;
                EXPECT_NEAR(end[1], 0.724 * shortSide, 4) << what;
            }
        }
    }
}

TEST(LookCropTest, HostileSizesKeepEveryLineInsideTheArea) {
    struct Case {
        std::int32_t look;
        std::int32_t width;
        std::int32_t height;
        std::int32_t grid;
        std::size_t segments;     // the outline's four included
        std::vector<Ends> first;  // the first lines after the outline, in orientation 0
    };
    const std::vector<Case> cases = {
        // A square area (X1 = 257, Y1 = 273): the diagonals from both ends;
        // both feet at the centre, (122.5, 122.5) rounded to even; both
        // squares are the area; nine golden cells, the first 151.4 across.
        {14, 245, 245, 8, 8, {{12, 28, 257, 273}, {257, 28, 12, 273}, {12, 273, 257, 28}, {257, 273, 12, 28}}},
        {15, 245, 245, 8, 7, {{12, 273, 257, 28}, {12, 28, 134, 150}, {257, 273, 134, 150}}},
        {16,
         245,
         245,
         8,
         10,
         {{257, 28, 257, 273},
          {12, 28, 12, 273},
          {12, 28, 257, 273},
          {12, 273, 257, 28},
          {12, 28, 257, 273},
          {12, 273, 257, 28}}},
        {17, 245, 245, 8, 173, {{163, 28, 163, 273}}},
        {18, 245, 245, 8, 24, {}},
        // No height: every line shrinks onto the one edge; no square fits.
        {14, 396, 0, 8, 8, {}},
        {15, 396, 0, 8, 7, {}},
        {16, 396, 0, 8, 10, {}},
        {17, 396, 0, 3, 4, {}},
        {18, 396, 0, 8, 24, {}},
        // The widest strip (X1 = 16396, Y1 = 86): 58-pixel squares at both
        // ends; the perpendiculars' feet round onto the far corners; golden
        // cells at 10125.9 and 35.8 first; the 5:4 frame is 72.5 wide,
        // rounded to even.
        {14, 16384, 58, 8, 8, {{12, 28, 70, 86}, {16396, 28, 16338, 86}, {12, 86, 70, 28}, {16396, 86, 16338, 28}}},
        {15, 16384, 58, 8, 7, {{12, 86, 16396, 28}, {12, 28, 12, 86}, {16396, 86, 16396, 28}}},
        {16,
         16384,
         58,
         8,
         10,
         {{70, 28, 70, 86},
          {16338, 28, 16338, 86},
          {12, 28, 70, 86},
          {12, 86, 70, 28},
          {16338, 28, 16396, 86},
          {16338, 86, 16396, 28}}},
        {17, 16384, 58, 8, 394, {{10138, 28, 10138, 86}, {10138, 64, 16396, 64}}},
        {18,
         16384,
         58,
         8,
         24,
         {{8175, 28, 8233, 28},
          {8233, 28, 8233, 86},
          {8233, 86, 8175, 86},
          {8175, 86, 8175, 28},
          {8168, 28, 8240, 28},
          {8240, 28, 8240, 86},
          {8240, 86, 8168, 86},
          {8168, 86, 8168, 28}}},
        // The largest grid step: no square is that large; the others ignore it,
        // the golden cells too.
        {14, 396, 245, kMaxGridSize, 8, {}},
        {15, 396, 245, kMaxGridSize, 7, {}},
        {16, 396, 245, kMaxGridSize, 10, {}},
        {17, 396, 245, kMaxGridSize, 173, {}},
        {18, 396, 245, kMaxGridSize, 24, {}},
    };
    for (const Case& c : cases) {
        for (std::int32_t orient = 0; orient < 4; ++orient) {
            LookSettings s = Example(c.look, orient);
            s.width = c.width;
            s.height = c.height;
            s.gridSize = c.grid;
            const std::vector<Ends> ends = Render(s).SegmentEnds();
            const std::string what = "look " + std::to_string(c.look) + " " + std::to_string(c.width) + " x " +
                                     std::to_string(c.height) + " grid " + std::to_string(c.grid) + " orient " +
                                     std::to_string(orient);
            EXPECT_EQ(ends.size(), c.segments) << what;
            for (const Ends& e : ends) {
                for (const int i : {0, 2}) {
                    ASSERT_TRUE(e[i] >= 12 && e[i] <= 12 + c.width && e[i + 1] >= 28 && e[i + 1] <= 28 + c.height)
                        << what << ": (" << e[i] << ", " << e[i + 1] << ")";
                }
            }
            if (orient == 0 && ends.size() >= 4 + c.first.size()) {
                EXPECT_EQ(
                    std::vector<Ends>(ends.begin() + 4, ends.begin() + 4 + static_cast<std::ptrdiff_t>(c.first.size())),
                    c.first)
                    << what;
            }
        }
    }
}

TEST(LookCropTest, AspectFramesAreCentredAndNamed) {
    const RecordingCanvas canvas = Render(WithValues(Example(18)));
    EXPECT_EQ(canvas.SegmentEnds(), WithOutline(kExampleAspectFrames));
    // A name that would cover one placed before moves down below it.
    EXPECT_THAT(PlacedTexts(canvas),
                ElementsAre(Placed{15, 274, "396 x 245", 0}, Placed{90, 30, "1:1", 0}, Placed{60, 30, "5:4", 0},
                            Placed{49, 41, "4:3", 0}, Placed{29, 30, "3:2", 0}, Placed{15, 41, "16:9", 0}));

    LookSettings portrait = WithValues(Example(18));
    portrait.width = 245;
    portrait.height = 396;
    const std::vector<std::string> names = Render(portrait).TextStrings();
    EXPECT_EQ(names, (std::vector<std::string>{"245 x 396", "1:1", "4:5", "3:4", "2:3", "9:16"}));
}

}  // namespace
}  // namespace lumetra::test
