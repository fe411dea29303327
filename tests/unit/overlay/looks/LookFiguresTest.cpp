// Looks 7 to 13 on the example overlay of LookExamples.h.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "support/LookExamples.h"

namespace lumetra::test {
namespace {

using ::testing::ElementsAre;

constexpr double kPortraitGolden = 1.6180339887498947;

std::vector<Ends> Concat(std::initializer_list<std::vector<Ends>> parts) {
    std::vector<Ends> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(LookFiguresTest, SlowSpiralShrinksByTheRatioOncePerTurn) {
    const RecordingCanvas canvas = Render(WithValues(Example(7)));
    const std::vector<Ends> ends = canvas.SegmentEnds();
    ASSERT_GT(ends.size(), 7u + 126u);
    EXPECT_EQ(std::vector<Ends>(ends.begin() + 4, ends.begin() + 7),
              (std::vector<Ends>{{202, 150, 218, 150}, {210, 142, 210, 158}, {12, 150, 210, 150}}));
    ASSERT_EQ(canvas.moves.size(), 5u);
    EXPECT_EQ(canvas.moves[4], (Point{12, 150}));
    // The first step turns clockwise: up from the left edge.
    EXPECT_LT(ends[7][3], 150);
    // Spiral segments 124 and 125 end at the angles 6.25 and 6.3, around one turn.
    const double x = (ends[7 + 124][2] + ends[7 + 125][2]) / 2.0 - 210;
    const double y = (ends[7 + 124][3] + ends[7 + 125][3]) / 2.0 - 150;
    EXPECT_NEAR(std::hypot(x, y), 122, 1.5);
    EXPECT_THAT(PlacedTexts(canvas), ElementsAre(Placed{214, 260, "320,198,122,75,46,28,17,11,7,4,2", 0}));
}

TEST(LookFiguresTest, CirclesShrinkAboutTheCentre) {
    const RecordingCanvas canvas = Render(Example(8));
    std::vector<Rect> boxes;
    for (const auto& e : canvas.ellipses) boxes.push_back(e.box);
    std::vector<Rect> expected;
    for (const int p : {198, 122, 75, 46, 28, 17, 11}) {
        expected.push_back({210 - p, 150 - p, 211 + p, 151 + p});
    }
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(boxes.front(), (Rect{12, -48, 409, 349}));
    EXPECT_EQ(canvas.SegmentEnds(), Concat({kExampleOutline, kExampleCentreLines}));
}

TEST(LookFiguresTest, CentredStepsAtThreeLevels) {
    const std::vector<Ends> midpointMarks = {{202, 142, 218, 158}, {202, 158, 218, 142}, {202, 28, 218, 28},
                                             {210, 20, 210, 36},   {202, 273, 218, 273}, {210, 265, 210, 281},
                                             {4, 150, 20, 150},    {12, 142, 12, 158},   {400, 150, 416, 150},
                                             {408, 142, 408, 158}, {210, 28, 210, 273},  {12, 150, 408, 150}};
    const std::vector<Ends> inner = {{12, 197, 408, 197}, {12, 103, 408, 103}, {286, 28, 286, 273},
                                     {134, 28, 134, 273}, {12, 179, 408, 179}, {12, 121, 408, 121},
                                     {257, 28, 257, 273}, {163, 28, 163, 273}};
    struct Case {
        double ratio;
        std::vector<Ends> firstLevel;
    };
    const Case cases[] = {
        {InvPhi, {{332, 28, 332, 273}, {88, 28, 88, 273}}},
        {kPortraitGolden, {{12, 225, 408, 225}, {12, 75, 408, 75}}},
    };
    for (const Case& c : cases) {
        LookSettings s = Example(9);
        s.ratio = c.ratio;
        EXPECT_EQ(Render(s).SegmentEnds(), Concat({kExampleOutline, midpointMarks, inner, c.firstLevel})) << c.ratio;
    }
}

TEST(LookFiguresTest, InsetFramesAndTheirBandLabels) {
    struct Case {
        std::int32_t grid;
        std::vector<int> insets;
        std::vector<Placed> bandLabels;
    };
    const Case cases[] = {
        {8, {58, 36, 22, 14, 9}, {{54, 150, "22", 0}, {36, 150, "14", 0}, {28, 150, "8", 0}, {21, 150, "5", 0}}},
        {60, {58}, {{54, 150, "22", 0}}},
    };
    for (const Case& c : cases) {
        LookSettings s = WithValues(Example(10));
        s.gridSize = c.grid;
        const RecordingCanvas canvas = Render(s);
        const std::vector<Ends> frames = SegmentsFrom(canvas, 6);
        ASSERT_EQ(frames.size(), 4 * c.insets.size()) << c.grid;
        for (std::size_t i = 0; i < c.insets.size(); ++i) {
            const int d = c.insets[i];
            EXPECT_THAT(std::vector<Ends>(frames.begin() + static_cast<std::ptrdiff_t>(4 * i),
                                          frames.begin() + static_cast<std::ptrdiff_t>(4 * i + 4)),
                        ElementsAre(Ends{12 + d, 28 + d, 408 - d, 28 + d}, Ends{408 - d, 28 + d, 408 - d, 273 - d},
                                    Ends{408 - d, 273 - d, 12 + d, 273 - d}, Ends{12 + d, 273 - d, 12 + d, 28 + d}))
                << "inset " << d;
        }
        std::vector<Placed> texts = PlacedTexts(canvas);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front(), (Placed{15, 274, "396 x 245", 0}));
        texts.erase(texts.begin());
        EXPECT_EQ(texts, c.bandLabels) << c.grid;
    }
}

TEST(LookFiguresTest, PageCanonOnANineModulePage) {
    const RecordingCanvas canvas = Render(WithValues(Example(11)));
    const std::vector<Ends> expected = Concat({
        kExampleOutline,
        kExampleCentreLines,
        {{56, 55, 188, 55}, {188, 55, 188, 219}, {188, 219, 56, 219}, {56, 219, 56, 55}},
        {{364, 55, 232, 55}, {232, 55, 232, 219}, {232, 219, 364, 219}, {364, 219, 364, 55}},
        {{12, 273, 210, 28}, {210, 28, 408, 273}, {12, 273, 408, 28}, {12, 28, 408, 273}},
    });
    EXPECT_EQ(canvas.SegmentEnds(), expected);
    EXPECT_THAT(PlacedTexts(canvas),
                ElementsAre(Placed{15, 274, "396 x 245", 0}, Placed{105, 36, "27x1=27", 0},
                            Placed{110, 151, "(27x6=162)x(22x6=132)", 0}, Placed{105, 241, "27x2=54", 0},
                            Placed{29, 148, "22x2=44", 90}, Placed{102, 18, "198", 0}, Placed{300, 18, "198", 0},
                            Placed{1, 98, "122", 90}, Placed{1, 220, "123", 90}));
}

TEST(LookFiguresTest, PageCanonIgnoresTheOrientation) {
    const RecordingCanvas upright = Render(WithValues(Example(11, 0)));
    for (const std::int32_t mode : {1, 2, 3, 7}) {
        const RecordingCanvas turned = Render(WithValues(Example(11, mode)));
        EXPECT_EQ(turned.SegmentEnds(), upright.SegmentEnds()) << mode;
        EXPECT_EQ(PlacedTexts(turned), PlacedTexts(upright)) << mode;
    }
}

TEST(LookFiguresTest, PortraitPageCanonPutsTheSpineOnTheRightEdge) {
    LookSettings s = Example(11);
    s.ratio = kPortraitGolden;
    const std::vector<Ends> ends = Render(s).SegmentEnds();
    ASSERT_GE(ends.size(), 8u);
    EXPECT_EQ(ends[0], (Ends{12, 28, 804, 28}));
    EXPECT_EQ(ends[4], (Ends{408, 28, 408, 273}));
    // Outer margin 2 x 44, inner margin 44.
    EXPECT_EQ(ends[6], (Ends{100, 55, 364, 55}));
}

// Segments with their end points ordered, sorted: the picture regardless of
// the order and direction in which it was drawn.
std::vector<Ends> Undirected(std::vector<Ends> ends) {
    for (Ends& e : ends) {
        if (std::make_pair(e[2], e[3]) < std::make_pair(e[0], e[1])) {
            std::swap(e[0], e[2]);
            std::swap(e[1], e[3]);
        }
    }
    std::sort(ends.begin(), ends.end());
    return ends;
}

TEST(LookFiguresTest, ArmatureIsTheSameInEveryOrientation) {
    const std::vector<Ends> expected = Concat({
        kExampleOutline,
        kExampleCentreLines,
        {{12, 273, 408, 28}, {12, 28, 408, 273}},
        {{12, 273, 210, 28}, {210, 28, 408, 273}, {408, 28, 210, 273}, {210, 273, 12, 28}},
        {{12, 28, 408, 150}, {408, 150, 12, 273}, {408, 28, 12, 150}, {12, 150, 408, 273}},
        {{12, 150, 210, 28}, {210, 28, 408, 150}, {408, 150, 210, 273}, {210, 273, 12, 150}},
    });
    EXPECT_EQ(Render(Example(12)).SegmentEnds(), expected);
    for (const std::int32_t mode : {1, 2, 3}) {
        EXPECT_EQ(Undirected(Render(Example(12, mode)).SegmentEnds()), Undirected(expected)) << mode;
    }
}

TEST(LookFiguresTest, PhiCrossNearestTheOriginCorner) {
    struct Case {
        std::int32_t orientMode;
        std::vector<Ends> lines;
    };
    const Case cases[] = {
        {0, {{163, 28, 163, 273}, {12, 122, 408, 122}}},
        {2, {{257, 273, 257, 28}, {408, 179, 12, 179}}},
    };
    for (const Case& c : cases) {
        LookSettings s = Example(13, c.orientMode);
        s.ratio = 2.39;  // the cross always divides by the golden ratio
        EXPECT_EQ(SegmentsFrom(Render(s), 4), c.lines) << c.orientMode;
    }
}

}  // namespace
}  // namespace lumetra::test
