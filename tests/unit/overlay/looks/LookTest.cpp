// Looks 0 to 6 and the look dispatch, on the example overlay of LookExamples.h.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "overlay/looks/Looks.h"
#include "settings/AppSettings.h"
#include "support/LookExamples.h"

namespace lumetra::test {
namespace {

using ::testing::ElementsAre;

TEST(LookTest, GridStartsOnTheOriginEdgesAndStopsBeforeTheFarOnes) {
    struct Case {
        std::int32_t orientMode;
        Ends firstVertical;
        Ends lastVertical;
        Ends firstHorizontal;
        Ends lastHorizontal;
    };
    const Case cases[] = {
        {0, {12, 28, 12, 273}, {404, 28, 404, 273}, {12, 28, 408, 28}, {12, 268, 408, 268}},
        {1, {408, 28, 408, 273}, {16, 28, 16, 273}, {408, 28, 12, 28}, {408, 268, 12, 268}},
        {2, {408, 273, 408, 28}, {16, 273, 16, 28}, {408, 273, 12, 273}, {408, 33, 12, 33}},
    };
    for (const Case& c : cases) {
        const std::vector<Ends> ends = Render(Example(0, c.orientMode)).SegmentEnds();
        ASSERT_EQ(ends.size(), 50u + 31u) << c.orientMode;
        EXPECT_EQ(ends[0], c.firstVertical) << c.orientMode;
        EXPECT_EQ(ends[49], c.lastVertical) << c.orientMode;
        EXPECT_EQ(ends[50], c.firstHorizontal) << c.orientMode;
        EXPECT_EQ(ends[80], c.lastHorizontal) << c.orientMode;
    }
}

TEST(LookTest, GridLabelsNamePositionsAtLeastNineteenPixelsApart) {
    const auto positions = [](int from, int to, int step) {
        std::vector<std::string> texts;
        for (int i = from; i <= to; i += step) texts.push_back(std::to_string(i));
        return texts;
    };
    struct Case {
        std::int32_t orientMode;
        std::int32_t grid;
        std::vector<std::string> labels;
        Rect firstBox;
    };
    const Case cases[] = {
        // 0 lies on the left corner and is skipped; 384 is never reached.
        {0, 8, positions(24, 360, 24), {36, 16, 36, 29}},
        {1, 8, positions(0, 360, 24), {408, 16, 408, 29}},
        {0, 20, positions(20, 380, 20), {32, 16, 32, 29}},
    };
    for (const Case& c : cases) {
        LookSettings s = WithValues(Example(0, c.orientMode));
        s.gridSize = c.grid;
        const RecordingCanvas canvas = Render(s);
        EXPECT_EQ(canvas.BoxTextStrings(), c.labels) << c.orientMode << " " << c.grid;
        ASSERT_FALSE(canvas.boxTexts.empty());
        EXPECT_EQ(canvas.boxTexts[0].box, c.firstBox);
        EXPECT_EQ(canvas.boxTexts[0].placement, BoxPlacement::CentreBottom);
    }
}

TEST(LookTest, GridReadoutAndVerticalLabels) {
    const std::vector<Placed> texts = PlacedTexts(Render(WithValues(Example(0))));
    ASSERT_EQ(texts.size(), 1u + 10u);
    EXPECT_EQ(texts[0], (Placed{15, 274, "Grid 8", 0}));
    EXPECT_EQ(texts[1], (Placed{1, 31, "0", 90}));
    EXPECT_EQ(texts[2], (Placed{1, 58, "24", 90}));
    EXPECT_EQ(texts[10], (Placed{1, 253, "216", 90}));
}

TEST(LookTest, RatioStepLinesShrinkFromTheFarEdges) {
    const std::vector<Ends> expected = {
        {408, 28, 408, 273}, {257, 28, 257, 273}, {163, 28, 163, 273}, {105, 28, 105, 273}, {69, 28, 69, 273},
        {47, 28, 47, 273},   {34, 28, 34, 273},   {26, 28, 26, 273},   {21, 28, 21, 273},   {12, 28, 12, 273},
        {12, 273, 408, 273}, {12, 179, 408, 179}, {12, 121, 408, 121}, {12, 85, 408, 85},   {12, 63, 408, 63},
        {12, 50, 408, 50},   {12, 42, 408, 42},   {12, 37, 408, 37},   {12, 28, 408, 28},
    };
    EXPECT_EQ(Render(Example(1)).SegmentEnds(), expected);
    LookSettings square = Example(1);
    square.ratio = 1.0;
    EXPECT_EQ(Render(square).SegmentEnds(), expected);
}

TEST(LookTest, RatioStepsNearOneEndOnTheCountLimit) {
    LookSettings s = Example(1);
    s.ratio = 0.998;
    const std::vector<Ends> ends = Render(s).SegmentEnds();
    ASSERT_GE(ends.size(), 102u);
    for (int i = 0; i <= 100; ++i) {
        EXPECT_EQ(ends[static_cast<std::size_t>(i)], (Ends{408 - i, 28, 408 - i, 273})) << i;
    }
    EXPECT_EQ(ends[101], (Ends{12, 28, 12, 273}));
}

TEST(LookTest, RatioStepLabelsNamePositionsAboveAndLengthsBelow) {
    const RecordingCanvas canvas = Render(WithValues(Example(1)));
    std::vector<Placed> above;
    std::vector<Placed> below;
    for (const auto& t : canvas.boxTexts) {
        const bool top = t.placement == BoxPlacement::CentreBottom;
        EXPECT_EQ(t.box, top ? (Rect{t.box.left, 16, t.box.left, 29}) : (Rect{t.box.left, 273, t.box.left, 274}));
        (top ? above : below).push_back({t.box.left, 0, t.text, t.angle});
    }
    EXPECT_THAT(above, ElementsAre(Placed{408, 0, "396", 0}, Placed{257, 0, "245", 0}, Placed{163, 0, "151", 0},
                                   Placed{105, 0, "93", 0}, Placed{69, 0, "57", 0}, Placed{47, 0, "35", 0},
                                   Placed{34, 0, "22", 0}));
    EXPECT_THAT(below, ElementsAre(Placed{332, 0, "151", 0}, Placed{210, 0, "94", 0}, Placed{134, 0, "58", 0},
                                   Placed{87, 0, "36", 0}, Placed{58, 0, "22", 0}, Placed{40, 0, "13", 0},
                                   Placed{30, 0, "8", 0}));
    const std::vector<Placed> side = PlacedTexts(canvas);
    ASSERT_EQ(side.size(), 12u);
    EXPECT_EQ(side[0], (Placed{1, 282, "245", 90}));
    EXPECT_EQ(side[2], (Placed{408, 232, "94", 90}));
    EXPECT_EQ(side[11], (Placed{408, 49, "8", 90}));
}

TEST(LookTest, HalvesDrawOutlineCentreLinesAndTheirLabels) {
    const RecordingCanvas canvas = Render(WithValues(Example(2)));
    std::vector<Ends> expected = kExampleOutline;
    expected.insert(expected.end(), kExampleCentreLines.begin(), kExampleCentreLines.end());
    EXPECT_EQ(canvas.SegmentEnds(), expected);
    EXPECT_THAT(PlacedTexts(canvas),
                ElementsAre(Placed{15, 274, "396 x 245", 0}, Placed{102, 18, "198", 0}, Placed{300, 18, "198", 0},
                            Placed{1, 98, "122", 90}, Placed{1, 220, "123", 90},
                            Placed{14, 30, "641,396,245,151,93,57,35,22,14,9,6,4,2", 0},
                            Placed{14, 41, "320,198,122,75,46,28,17,11,7,4,2", 0}));
}

TEST(LookTest, HalfLabelsGiveTheSmallerHalfToTheLeft) {
    LookSettings s = WithValues(Example(2));
    s.width = 397;
    const std::vector<std::string> texts = Render(s).TextStrings();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[1], "198");
    EXPECT_EQ(texts[2], "199");
}

TEST(LookTest, WidthStepsGrowAwayFromTheOriginCorner) {
    struct Case {
        std::int32_t orientMode;
        Point first;
        Point second;
    };
    // The first text is 38 characters (228 pixels) wide.
    const Case cases[] = {
        {0, {14, 30}, {14, 41}},
        {1, {178, 30}, {178, 41}},
        {2, {178, 249}, {178, 260}},
        {3, {14, 249}, {14, 260}},
    };
    for (const Case& c : cases) {
        const RecordingCanvas canvas = Render(WithValues(Example(2, c.orientMode)));
        ASSERT_EQ(canvas.texts.size(), 7u);
        EXPECT_EQ(canvas.texts[5].at, c.first) << c.orientMode;
        EXPECT_EQ(canvas.texts[6].at, c.second) << c.orientMode;
    }
}

TEST(LookTest, ThirdsAndGoldenLinesMarkEachOther) {
    struct Case {
        std::int32_t lookMode;
        std::vector<Ends> lines;
        std::vector<Point> marks;
    };
    const Case cases[] = {
        {3,
         {{144, 28, 144, 273}, {12, 109, 408, 109}, {276, 28, 276, 273}, {12, 192, 408, 192}},
         {{257, 179}, {163, 179}, {163, 122}, {257, 122}, {210, 150}}},
        {4,
         {{257, 28, 257, 273}, {12, 179, 408, 179}, {163, 28, 163, 273}, {12, 122, 408, 122}},
         {{144, 109}, {276, 109}, {276, 192}, {144, 192}, {210, 150}}},
    };
    for (const Case& c : cases) {
        std::vector<Ends> expected = kExampleOutline;
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        for (const Point& p : c.marks) {
            expected.push_back({p.x - 8, p.y, p.x + 8, p.y});
            expected.push_back({p.x, p.y - 8, p.x, p.y + 8});
        }
        LookSettings s = WithValues(Example(c.lookMode));
        s.ratio = 2.39;  // these looks always divide by the golden ratio
        const RecordingCanvas canvas = Render(s);
        EXPECT_EQ(canvas.SegmentEnds(), expected) << c.lookMode;
        EXPECT_THAT(canvas.TextStrings(), ElementsAre("396 x 245"));
    }
}

TEST(LookTest, SpiralStartsOnTheEdgeMiddleAndTurnsTowardTheNext) {
    struct Case {
        double ratio;
        Point start;
        Point quarterTurn;  // within two pixels
    };
    const Case cases[] = {
        {InvPhi, {12, 150}, {210, 28}},               // clockwise, up toward the top
        {1.6180339887498947, {210, 28}, {134, 150}},  // counter-clockwise, toward the left
    };
    for (const Case& c : cases) {
        LookSettings s = Example(5);
        s.ratio = c.ratio;
        const RecordingCanvas canvas = Render(s);
        ASSERT_EQ(canvas.moves.size(), 4u);
        EXPECT_EQ(canvas.moves[3], c.start);
        const std::vector<Ends> spiral = SegmentsFrom(canvas, 6);
        ASSERT_GT(spiral.size(), 40u);
        // Segments 30 and 31 end at the angles 1.55 and 1.6, around a quarter turn.
        EXPECT_NEAR((spiral[30][2] + spiral[31][2]) / 2.0, c.quarterTurn.x, 2) << c.ratio;
        EXPECT_NEAR((spiral[30][3] + spiral[31][3]) / 2.0, c.quarterTurn.y, 2) << c.ratio;
    }
}

TEST(LookTest, SpiralWiderThanItsStartDrawsNoSegment) {
    LookSettings s = Example(5);
    s.gridSize = 199;
    const RecordingCanvas canvas = Render(s);
    EXPECT_EQ(canvas.segments.size(), 6u);
    EXPECT_EQ(canvas.moves.size(), 4u);
}

TEST(LookTest, FourSpiralsStartAQuarterTurnApart) {
    struct Case {
        std::int32_t orientMode;
        std::vector<Point> starts;
    };
    const Case cases[] = {
        {0, {{12, 150}, {408, 150}, {210, -48}, {210, 348}}},
        {2, {{408, 150}, {12, 150}, {210, 348}, {210, -48}}},
        {7, {{408, 150}, {408, 150}, {408, 150}, {408, 150}}},
    };
    for (const Case& c : cases) {
        const RecordingCanvas canvas = Render(Example(6, c.orientMode));
        ASSERT_EQ(canvas.moves.size(), 7u) << c.orientMode;
        EXPECT_EQ(std::vector<Point>(canvas.moves.begin() + 3, canvas.moves.end()), c.starts) << c.orientMode;
    }
}

TEST(LookTest, LabelsOnlyWithShowValuesAndAfterEveryLine) {
    for (std::int32_t look = 0; look < kLookCount; ++look) {
        const RecordingCanvas plain = Render(Example(look));
        EXPECT_TRUE(plain.texts.empty() && plain.boxTexts.empty()) << look;

        const RecordingCanvas labelled = Render(WithValues(Example(look)));
        EXPECT_EQ(labelled.SegmentEnds(), plain.SegmentEnds()) << look;
        ASSERT_FALSE(labelled.texts.empty()) << look;
        std::size_t lastLine = 0;
        for (const auto& s : labelled.segments) lastLine = std::max(lastLine, s.order);
        for (const auto& e : labelled.ellipses) lastLine = std::max(lastLine, e.order);
        for (const auto& t : labelled.texts) EXPECT_GT(t.order, lastLine) << look;
        for (const auto& t : labelled.boxTexts) EXPECT_GT(t.order, lastLine) << look;
    }
}

TEST(LookTest, LinesInLinesColourAndLabelsInValuesColour) {
    for (std::int32_t look = 0; look < kLookCount; ++look) {
        const RecordingCanvas canvas = Render(WithValues(Example(look)));
        for (const auto& s : canvas.segments) ASSERT_EQ(s.color, kExampleLines) << look;
        for (const auto& e : canvas.ellipses) ASSERT_EQ(e.color, kExampleLines) << look;
        for (const auto& t : canvas.texts) ASSERT_EQ(t.color, kExampleValues) << look;
        for (const auto& t : canvas.boxTexts) ASSERT_EQ(t.color, kExampleValues) << look;
    }
}

TEST(LookTest, LookModesOutsideTheBuiltInLooksDrawNothing) {
    for (const std::int32_t look : {kLookCount, -1, 1000}) {
        const RecordingCanvas canvas = Render(WithValues(Example(look)));
        EXPECT_TRUE(canvas.segments.empty() && canvas.moves.empty() && canvas.ellipses.empty() &&
                    canvas.texts.empty() && canvas.boxTexts.empty())
            << look;
    }
}

TEST(LookTest, RendersTheSettingsObject) {
    TSettings settings(1920);
    settings.SetLookMode(2);
    settings.SetWidth(300);
    settings.SetBorder(20);
    settings.SetLinesColor(0x123456);
    LangTable lang;
    RecordingCanvas canvas;
    RenderLook(LookSettingsOf(settings), lang, canvas);
    const int right = 20 + 300;
    const int bottom = 20 + 16 + settings.Height();
    ASSERT_GE(canvas.segments.size(), 4u);
    EXPECT_EQ(canvas.SegmentEnds()[1], (Ends{right, 36, right, bottom}));
    EXPECT_EQ(canvas.segments[0].color, 0x123456u);
}

}  // namespace
}  // namespace lumetra::test
