// Guides from files on the recording canvas at the look tests' size (396 x
// 245, border 12): every element in each orientation, repeats, labels, the
// halo and the bound on what one paint draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "overlay/lookfiles/LookFileDraw.h"
#include "overlay/lookfiles/LookFile.h"
#include "overlay/looks/Looks.h"
#include "settings/AppSettings.h"
#include "support/LookExamples.h"

namespace lumetra::test {
namespace {

UserLook Guide(const std::string& text) {
    LookFileParse parse = ParseLookFile(text);
    EXPECT_TRUE(parse.errors.empty()) << text << ": " << parse.errors.front().message;
    return std::move(parse.guide);
}

RecordingCanvas Drawn(const std::string& text, const LookSettings& settings) {
    LangTable lang;
    RecordingCanvas canvas;
    RenderUserLook(settings, Guide(text), lang, canvas);
    return canvas;
}

std::vector<Rect> Boxes(const RecordingCanvas& canvas) {
    std::vector<Rect> boxes;
    for (const auto& e : canvas.ellipses) boxes.push_back(e.box);
    return boxes;
}

TEST(LookFileDrawTest, PathsTurnWithTheOrientation) {
    struct Case {
        const char* text;
        int orient;
        std::vector<Ends> expected;
    };
    const std::vector<Case> cases = {
        {"line 0.25 0 0.25 1", 0, {{111, 28, 111, 273}}},
        {"line 0.25 0 0.25 1", 1, {{309, 28, 309, 273}}},
        {"line 0.25 0 0.25 1", 2, {{309, 273, 309, 28}}},
        {"line 0.25 0 0.25 1", 3, {{111, 273, 111, 28}}},
        // 39.6 and 356.4 pixels in: rounded to the nearest pixel either way.
        {"rect 10% 20% 90% 80%", 0, {{52, 77, 368, 77}, {368, 77, 368, 224}, {368, 224, 52, 224}, {52, 224, 52, 77}}},
        {"rect 10% 20% 90% 80%", 1, {{368, 77, 52, 77}, {52, 77, 52, 224}, {52, 224, 368, 224}, {368, 224, 368, 77}}},
        {"rect 10% 20% 90% 80%", 2, {{368, 224, 52, 224}, {52, 224, 52, 77}, {52, 77, 368, 77}, {368, 77, 368, 224}}},
        {"rect 10% 20% 90% 80%", 3, {{52, 224, 368, 224}, {368, 224, 368, 77}, {368, 77, 52, 77}, {52, 77, 52, 224}}},
        {"polyline 0 0 0.5 1 1 0", 0, {{12, 28, 210, 273}, {210, 273, 408, 28}}},
        {"polyline 0 0 0.5 1 1 0", 1, {{408, 28, 210, 273}, {210, 273, 12, 28}}},
        {"polyline 0 0 0.5 1 1 0", 2, {{408, 273, 210, 28}, {210, 28, 12, 273}}},
        {"polyline 0 0 0.5 1 1 0", 3, {{12, 273, 210, 28}, {210, 28, 408, 273}}},
        {"polygon 0 0 1 0 0 1", 0, {{12, 28, 408, 28}, {408, 28, 12, 273}, {12, 273, 12, 28}}},
        {"polygon 0 0 1 0 0 1", 1, {{408, 28, 12, 28}, {12, 28, 408, 273}, {408, 273, 408, 28}}},
        {"polygon 0 0 1 0 0 1", 2, {{408, 273, 12, 273}, {12, 273, 408, 28}, {408, 28, 408, 273}}},
        {"polygon 0 0 1 0 0 1", 3, {{12, 273, 408, 273}, {408, 273, 12, 28}, {12, 28, 12, 273}}},
        // Pixels count from the origin corner along the frame, as fractions do.
        {"line 8px 8px 50% 100px", 0, {{20, 36, 210, 128}}},
        {"line 8px 8px 50% 100px", 2, {{400, 265, 210, 173}}},
        // Side terms measure along the side they name whatever the axis: the
        // 245-pixel square on the short side, and its diagonal at 45 degrees.
        {"line 100%h 0 100%h 1", 0, {{257, 28, 257, 273}}},
        {"line 100%h 0 100%h 1", 1, {{163, 28, 163, 273}}},
        {"line 0 0 100%short 100%short", 0, {{12, 28, 257, 273}}},
        {"line 100%-100%h 0 1 100%w-100%long", 3, {{163, 273, 408, 273}}},
        {"line 0 50%w 1 50%w", 0, {{12, 226, 408, 226}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Drawn(c.text, Example(0, c.orient)).SegmentEnds(), c.expected) << c.text << " orient " << c.orient;
    }
}

TEST(LookFileDrawTest, RabatmentWrittenAsAFileDrawsAsTheLook) {
    // The manual's example: X measured by the height makes the squares on
    // the short side, in every orientation.
    const std::string rabatment =
        "line 100%h 0 100%h 1\nline 100%-100%h 0 100%-100%h 1\nline 0 0 100%h 1\nline 0 1 100%h 0\n"
        "line 100%-100%h 0 1 1\nline 100%-100%h 1 1 0\n";
    for (int orient = 0; orient < 4; ++orient) {
        const std::vector<Ends> look = Render(Example(16, orient)).SegmentEnds();
        std::vector<Ends> expected(look.begin() + 4, look.end());
        std::vector<Ends> drawn = Drawn(rabatment, Example(0, orient)).SegmentEnds();
        const auto ordered = [](std::vector<Ends> ends) {
            for (Ends& e : ends) {
                if (std::make_pair(e[2], e[3]) < std::make_pair(e[0], e[1])) e = {e[2], e[3], e[0], e[1]};
            }
            std::sort(ends.begin(), ends.end());
            return ends;
        };
        EXPECT_EQ(ordered(drawn), ordered(expected)) << "orient " << orient;
    }
}

TEST(LookFileDrawTest, CirclesAndEllipsesTurnWithTheOrientation) {
    struct Case {
        const char* text;
        int orient;
        Rect expected;
    };
    // The circle's radius counts from the shorter side (245), an ellipse's
    // from the width (0.125 x 396 = 49.5, to even: 50) and the height; the
    // centre 150.5 rows down rounds to even as well.
    const std::vector<Case> cases = {
        {"circle 0.25 0.25 20px", 0, {91, 69, 132, 110}},
        {"circle 0.25 0.25 20px", 1, {289, 69, 330, 110}},
        {"circle 0.25 0.25 20px", 2, {289, 192, 330, 233}},
        {"circle 0.25 0.25 20px", 3, {91, 192, 132, 233}},
        {"circle 0.5 0.5 0.25", 0, {149, 89, 272, 212}},
        {"circle 0.5 0.5 0.25", 2, {149, 89, 272, 212}},
        {"ellipse 0.75 0.5 0.125 0.25", 0, {259, 89, 360, 212}},
        {"ellipse 0.75 0.5 0.125 0.25", 1, {61, 89, 162, 212}},
        {"ellipse 0.75 0.5 0.125 0.25", 2, {61, 89, 162, 212}},
        {"ellipse 0.75 0.5 0.125 0.25", 3, {259, 89, 360, 212}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Boxes(Drawn(c.text, Example(0, c.orient))), std::vector<Rect>{c.expected})
            << c.text << " orient " << c.orient;
    }
}

TEST(LookFileDrawTest, ArcsAreBoundedPolylinesOnTheirCurve) {
    struct Case {
        const char* text;
        int orient;
        Point start;
        Point end;
        Point centre;
        double radiusX;
        double radiusY;
        std::size_t segments;
    };
    // A quarter turn of 100 pixels is 157 pixels long: 53 segments of at most
    // 3 pixels; a full turn of the wide ellipse is held to 256.
    const std::vector<Case> cases = {
        {"arc 0 0 100px 0 90", 0, {112, 28}, {12, 128}, {12, 28}, 100, 100, 53},
        {"arc 0 0 100px 0 90", 1, {308, 28}, {408, 128}, {408, 28}, 100, 100, 53},
        {"arc 0 0 100px 0 90", 2, {308, 273}, {408, 173}, {408, 273}, 100, 100, 53},
        {"arc 0 0 100px 0 90", 3, {112, 273}, {12, 173}, {12, 273}, 100, 100, 53},
        {"arc 0.5 0.5 0.5 0.5 180 -180", 0, {12, 150}, {12, 150}, {210, 150}, 198, 122.5, 256},
        {"arc 1 1 10px 90 90", 0, {408, 283}, {408, 283}, {408, 273}, 10, 10, 1},
    };
    for (const Case& c : cases) {
        const RecordingCanvas canvas = Drawn(c.text, Example(0, c.orient));
        const std::string name = std::string(c.text) + " orient " + std::to_string(c.orient);
        ASSERT_EQ(canvas.segments.size(), c.segments) << name;
        EXPECT_EQ(canvas.segments.front().from, c.start) << name;
        EXPECT_EQ(canvas.segments.back().to, c.end) << name;
        for (const auto& s : canvas.segments) {
            const double u = (s.to.x - c.centre.x) / c.radiusX;
            const double v = (s.to.y - c.centre.y) / c.radiusY;
            EXPECT_NEAR(std::hypot(u, v), 1.0, 1.0 / c.radiusY) << name;
        }
    }
}

TEST(LookFileDrawTest, RepeatsDrawTheCopiesThatReachTheArea) {
    struct Case {
        const char* text;
        int orient;
        std::vector<int> positions;  // x of each vertical line, y of each horizontal one
    };
    std::vector<int> baseline;
    for (int y = 28; y <= 268; y += 8) baseline.push_back(y);
    std::vector<int> baselineUp;
    for (int y = 273; y >= 33; y -= 8) baselineUp.push_back(y);
    const std::vector<Case> cases = {
        {"line 0 0 1 0 repeat 0 8px", 0, baseline},
        {"line 0 0 1 0 repeat 0 8px", 2, baselineUp},
        {"line 0 0 0 1 repeat 0.25 0", 0, {12, 111, 210, 309, 408}},
        {"line 0 0 0 1 repeat 0.25 0", 1, {408, 309, 210, 111, 12}},
        {"line 0 0 0 1 repeat 0.25 0 2", 0, {12, 111}},
        // Copies before the area are skipped, not counted as the end.
        {"line -1 0 -1 1 repeat 0.5 0", 0, {12, 210, 408}},
        {"line 1 0 1 1 repeat -100px 0", 0, {408, 308, 208, 108}},
        // 0.3333 x 3 falls short of the edge by less than half a pixel.
        {"line 0 0 0 1 repeat 0.3333 0", 0, {12, 144, 276, 408}},
        {"line 2 0 2 1 repeat 0.25 0 4", 0, {}},
    };
    for (const Case& c : cases) {
        const RecordingCanvas canvas = Drawn(c.text, Example(0, c.orient));
        std::vector<int> positions;
        for (const auto& s : canvas.segments) positions.push_back(s.from.x == s.to.x ? s.from.x : s.from.y);
        EXPECT_EQ(positions, c.positions) << c.text << " orient " << c.orient;
    }
}

TEST(LookFileDrawTest, LabelsShowWithTheMeasurementsCentredOnTheirPoint) {
    struct Case {
        int orient;
        bool values;
        std::vector<Placed> expected;
    };
    // "Top" is 18 x 11 on the recording canvas.
    const std::vector<Case> cases = {
        {0, true, {{201, 23, "Top", 0}}},
        {1, true, {{201, 23, "Top", 0}}},
        {2, true, {{201, 268, "Top", 0}}},
        {3, true, {{201, 268, "Top", 0}}},
        {0, false, {}},
    };
    for (const Case& c : cases) {
        LookSettings s = Example(0, c.orient);
        s.showValues = c.values;
        const RecordingCanvas canvas = Drawn("text 0.5 0 \"Top\"", s);
        EXPECT_EQ(PlacedTexts(canvas), c.expected) << c.orient;
        for (const auto& t : canvas.texts) EXPECT_EQ(t.color, kExampleValues);
    }
}

TEST(LookFileDrawTest, WidthAndHaloApplyAsToTheLooks) {
    LookSettings s = WithValues(Example(0));
    s.lineWidth = 3;
    s.halo = true;
    s.haloColor = 0x00FF00;
    const RecordingCanvas canvas = Drawn("line 0 0 1 1\ncircle 0.5 0.5 0.1\ntext 0.5 0.5 \"c\"", s);
    ASSERT_EQ(canvas.segments.size(), 2u);
    EXPECT_EQ(canvas.segments[0].color, 0x00FF00u);
    EXPECT_EQ(canvas.segments[0].width, 5);
    EXPECT_EQ(canvas.segments[1].color, kExampleLines);
    EXPECT_EQ(canvas.segments[1].width, 3);
    ASSERT_EQ(canvas.ellipses.size(), 2u);
    EXPECT_EQ(canvas.ellipses[0].width, 5);
    EXPECT_EQ(canvas.ellipses[1].color, kExampleLines);
    // The halo's label at its eight neighbours, then the label itself.
    ASSERT_EQ(canvas.texts.size(), 9u);
    EXPECT_EQ(canvas.texts.back().color, kExampleValues);
    EXPECT_LT(canvas.segments[0].order, canvas.segments[1].order);
}

TEST(LookFileDrawTest, OnePaintDrawsAtMostTheStrokeBound) {
    std::string full;
    // One-pixel lines on the largest window, which leaves room for every
    // stroke: the stroke bound comes first.
    for (std::size_t i = 0; i < kMaxLookElements; ++i) full += "line 0 0 1px 0 repeat 0 0.001px\n";
    std::string arcs;
    // Arcs on the window: those beyond it are not worked out at all.
    for (std::size_t i = 0; i < kMaxLookElements; ++i) arcs += "arc 0.5 0.5 0.45 -180 180 repeat 1px 0\n";
    struct Case {
        std::string text;
        std::int32_t size;
        std::int64_t fewest;
        std::int64_t most;
    };
    const std::vector<Case> cases = {
        {full, kMaxDimension, kMaxLookStrokes, kMaxLookStrokes},
        // Whole arcs only: the last one that fits may leave some strokes over.
        {arcs, kMaxDimension, kMaxLookStrokes - kMaxArcSegments + 1, kMaxLookStrokes},
        // 16385 columns and rows would fit the area; each repeat stops at its bound.
        {"line 0 0 0 1 repeat 1px 0\nline 0 0 1 0 repeat 0 1px", kMaxDimension, 2 * kMaxLookRepeat, 2 * kMaxLookRepeat},
    };
    for (const Case& c : cases) {
        LookSettings s = Example(0);
        s.width = c.size;
        s.height = c.size;
        const auto drawn = static_cast<std::int64_t>(Drawn(c.text, s).segments.size());
        EXPECT_GE(drawn, c.fewest) << c.text.substr(0, 40);
        EXPECT_LE(drawn, c.most) << c.text.substr(0, 40);
    }
}

TEST(LookFileDrawTest, OnePaintCostsWhatItsWindowAllows) {
    // The strokes' pixels on the window, times the pen, up to an eighth of
    // the window's pixels a pass: about 140 full-width lines at 1920 x 1080
    // (a window of 1944 x 1120), a tenth of them with the halo's wider pen.
    // What lies beyond the window costs little (lines passing outside a
    // corner, circles holding the window), and the shipped guides
    // draw whole at the widest pen with the halo.
    const std::string across = "line -100%-16384px 0 200%+16384px 100% repeat 0 1px\n";
    const std::string beyond =
        "line -100% 50% 50% 200% repeat -1px 0 900\n"
        "circle 50% 50% 200%+16384px repeat 1px 0 200\n";
    struct Case {
        const char* what;
        std::string text;
        std::int32_t width;
        std::int32_t height;
        std::int32_t lineWidth;
        bool halo;
        std::size_t fewest;
        std::size_t most;
    };
    std::vector<Case> cases = {
        {"long lines", across, 1920, 1080, 1, false, 120, 160},
        {"long lines, wide pen and halo", across, 1920, 1080, 8, true, 2 * 12, 2 * 16},
        {"long lines at 4K", across, 3840, 2160, 1, false, 240, 320},
        {"nothing on the window", beyond, 1920, 1080, 8, true, 2 * (900 + 200), 2 * (900 + 200)},
    };
    for (const char* file : {"baseline.guide", "columns.guide", "title-safe.guide"}) {
        std::ifstream in(std::string(LUMETRA_SOURCE_DIR) + "/guides/" + file, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        ASSERT_FALSE(text.empty()) << file;
        for (const std::int32_t width : {1920, 3840}) {
            LookSettings thin = Example(0);
            thin.width = width;
            thin.height = width * 9 / 16;
            const RecordingCanvas whole = Drawn(text, thin);
            const std::size_t strokes = 2 * (whole.segments.size() + whole.ellipses.size());
            cases.push_back({file, text, thin.width, thin.height, kMaxLineWidth, true, strokes, strokes});
        }
    }
    for (const Case& c : cases) {
        LookSettings s = Example(0);
        s.width = c.width;
        s.height = c.height;
        s.lineWidth = c.lineWidth;
        s.halo = c.halo;
        const RecordingCanvas canvas = Drawn(c.text, s);
        const std::size_t drawn = canvas.segments.size() + canvas.ellipses.size();
        EXPECT_GE(drawn, c.fewest) << c.what << " " << c.width;
        EXPECT_LE(drawn, c.most) << c.what << " " << c.width;
    }
}

TEST(LookFileDrawTest, HostileSizesStayWithinReach) {
    const std::string everything =
        "line -1 -1 2 2\npolygon -1 -1 2 -1 2 2\nrect -16384px -16384px 16384px 16384px\n"
        "circle 2 2 2\nellipse -1 2 2 2\narc 2 -1 2 2 -360 0\ntext 2 2 \"x\"\n"
        "line 0 0 1 0 repeat 0 -1px\nline 0 0 0 1 repeat 0.0001 0.0001\n";
    for (const std::int32_t size : {0, 1, 58, kMaxDimension, kMaxDimension + 1, -5}) {
        for (int orient = 0; orient < 4; ++orient) {
            LookSettings s = WithValues(Example(0, orient));
            s.width = size;
            s.height = size;
            s.border = kMaxBorder;
            const RecordingCanvas canvas = Drawn(everything, s);
            constexpr int kReach = 6 * kMaxDimension;
            for (const auto& seg : canvas.segments) {
                for (const Point p : {seg.from, seg.to}) {
                    EXPECT_LE(std::abs(p.x), kReach) << size;
                    EXPECT_LE(std::abs(p.y), kReach) << size;
                }
            }
            for (const auto& e : canvas.ellipses) EXPECT_LE(std::abs(e.box.right), kReach) << size;
            EXPECT_LE(static_cast<std::int64_t>(canvas.segments.size()), 2 * kMaxLookStrokes);
        }
    }
}

}  // namespace
}  // namespace lumetra::test
