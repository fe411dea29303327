#include "overlay/looks/Geometry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "common/Numbers.h"
#include "support/RecordingCanvas.h"

namespace lumetra::test {
namespace {

using ::testing::ElementsAre;

TEST(GeometryTest, OrientFramePutsTheOriginInTheChosenCorner) {
    struct Case {
        std::int32_t orientMode;
        OrientFrame expected;
    };
    const Case cases[] = {
        {0, {12, 408, 1, 28, 273, 1, 210, 150}},   {1, {408, 12, -1, 28, 273, 1, 210, 150}},
        {2, {408, 12, -1, 273, 28, -1, 210, 150}}, {3, {12, 408, 1, 273, 28, -1, 210, 150}},
        {7, {12, 408, 1, 273, 28, -1, 210, 150}},  {-1, {12, 408, 1, 273, 28, -1, 210, 150}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComputeOrientFrame(396, 245, 12, c.orientMode), c.expected) << c.orientMode;
    }
}

TEST(GeometryTest, RatioPresetsMatchTheirBitPatterns) {
    const std::uint64_t expected[kRatioPresetCount] = {
        0x3FE3C6EF372FE950,
        0x3FF9E3779B97F4A7,
        std::bit_cast<std::uint64_t>(0.5),
        std::bit_cast<std::uint64_t>(2.0),
        0x3FD5555555555555,
        std::bit_cast<std::uint64_t>(3.0),
        std::bit_cast<std::uint64_t>(0.75),
        0x3FF5555555555555,
        0x3FE5555555555555,
        std::bit_cast<std::uint64_t>(1.5),
        0x3FE6A09E667F3BCD,
        0x3FF6A09E667F3BCD,
        std::bit_cast<std::uint64_t>(1.0),
        std::bit_cast<std::uint64_t>(0.5625),
        0x3FFC71C71C71C71C,
        0x3FDAC73AE9819B50,
        0x40031EB851EB851F,
    };
    for (std::size_t i = 0; i < kRatioPresetCount; ++i) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(RatioPresets()[i]), expected[i]) << "preset " << i;
    }
    EXPECT_EQ(std::bit_cast<std::uint64_t>(InvPhi), 0x3FE3C6EF372FE950u);
}

TEST(GeometryTest, TypedRatioAcceptance) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        bool accepted;
    };
    const Case cases[] = {
        {1.0005, false}, {1.0, false},  {0.9995, false}, {3.1, false},          {3.09, true},
        {2.39, true},    {0.5, true},   {0.01, true},    {0.0099, false},       {0.0, false},
        {-0.5, false},   {-inf, false}, {inf, false},    {std::nan(""), false}, {1e-300, false},
    };
    for (const Case& c : cases) EXPECT_EQ(AcceptsTypedRatio(c.value), c.accepted) << c.value;
}

TEST(GeometryTest, WorkingRatios) {
    struct Case {
        double ratio;
        double q;
        double r;
        double spiralFactor;
    };
    const Case cases[] = {
        {InvPhi, InvPhi, InvPhi, 1.6180339887498947},
        {1.0, InvPhi, InvPhi, 1.6180339887498947},
        {2.39, 2.39, 0.41841004184100417, 2.39},
        {0.5, 0.5, 0.5, 2.0},
        // Ratios no look can draw fall back to the golden ratio.
        {0.0, InvPhi, InvPhi, 1.6180339887498947},
        {-2.0, InvPhi, InvPhi, 1.6180339887498947},
        {std::numeric_limits<double>::infinity(), InvPhi, InvPhi, 1.6180339887498947},
        {std::nan(""), InvPhi, InvPhi, 1.6180339887498947},
    };
    for (const Case& c : cases) {
        const double q = EffectiveRatio(c.ratio);
        EXPECT_EQ(q, c.q) << c.ratio;
        EXPECT_EQ(ReducedRatio(q), c.r) << c.ratio;
        EXPECT_EQ(static_cast<double>(SpiralFactor(q)), c.spiralFactor) << c.ratio;
    }
}

TEST(GeometryTest, SpiralRatesShrinkTheRadiusByTheFactorPerTurn) {
    const long double factor = SpiralFactor(InvPhi);
    const double quarter = QuarterTurnRate(factor);
    const double full = FullTurnRate(factor);
    EXPECT_NEAR(198.0 * std::exp(quarter * 1.5707963267948966), 122.37, 0.01);
    EXPECT_NEAR(198.0 * std::exp(full * 6.283185307179586), 122.37, 0.01);
}

TEST(GeometryTest, PhiAndThirdOffsetsOfSignedSpans) {
    struct Case {
        std::int32_t span;
        std::int32_t phi;
        std::int32_t third;
    };
    const Case cases[] = {{396, 245, 132},    {-396, -245, -132}, {397, 245, 132},
                          {-397, -245, -132}, {245, 151, 81},     {0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(PhiOffset(c.span), c.phi) << c.span;
        EXPECT_EQ(ThirdOffset(c.span), c.third) << c.span;
    }
}

TEST(GeometryTest, RatioStepsStopAtTheMinimumOrTheCountLimit) {
    struct Case {
        std::int32_t start;
        double r;
        int limit;
        std::int32_t minimum;
        std::vector<std::int32_t> expected;
    };
    std::vector<std::int32_t> slow;
    for (std::int32_t d = 396; d >= 296; --d) slow.push_back(d);
    const Case cases[] = {
        {396, InvPhi, 100, 8, {396, 245, 151, 93, 57, 35, 22, 14, 9}},
        {245, InvPhi, 100, 8, {245, 151, 93, 57, 35, 22, 14, 9}},
        {198, InvPhi, 100, 8, {198, 122, 75, 46, 28, 17, 11}},
        {58, InvPhi, 50, 60, {58}},
        {5, InvPhi, 100, 8, {5}},
        {396, 0.998, 100, 8, slow},
        {396, 1e-300, 100, 3, {396}},
        {0, InvPhi, 100, 3, {0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RatioSteps(c.start, c.r, c.limit, c.minimum), c.expected) << c.start << " " << c.r;
    }
}

TEST(GeometryTest, StepTextListsTheStepAboveAndAtMostTwentyBelow) {
    struct Case {
        std::int32_t start;
        double r;
        std::string expected;
    };
    const Case cases[] = {
        {396, InvPhi, "641,396,245,151,93,57,35,22,14,9,6,4,2"},
        {198, InvPhi, "320,198,122,75,46,28,17,11,7,4,2"},
        {2, InvPhi, "3,2"},
        {2, 0.7, "3,2"},
        {396, 0.998, "397,396,395,394,393,392,391,390,389,388,387,386,385,384,383,382,381,380,379,378,377,376"},
        {0, InvPhi, "0,0"},
        {396, 1e-300, "2147483647,396"},
    };
    for (const Case& c : cases) EXPECT_EQ(StepText(c.start, c.r), c.expected) << c.start;
}

TEST(GeometryTest, SpiralPathEndsAtTheMinimumRadiusOrTheSegmentLimit) {
    struct Case {
        double rate;
        std::int32_t minRadius;
        std::size_t segments;
    };
    const Case cases[] = {
        {0.0, 0, 4001},  // never shrinks: only the segment limit ends it
        {0.0, 199, 0},   // starts below the minimum: the start point only
        {-1e300, 3, 0},  // collapses at once
        {QuarterTurnRate(SpiralFactor(0.998)), 3, 4001},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        SpiralPath(canvas, {210, 150}, SpiralCourse(198.0, c.rate, c.minRadius), {0.0, 1});
        EXPECT_THAT(canvas.moves, ElementsAre(Point{408, 150})) << c.rate;
        EXPECT_EQ(canvas.segments.size(), c.segments) << c.rate;
    }
}

TEST(GeometryTest, SpiralPathTurnsWithItsSense) {
    struct Case {
        int sense;
        Point firstEnd;
    };
    // From the right-hand point, clockwise on screen goes down, the other way up.
    const Case cases[] = {{1, {408, 160}}, {-1, {408, 140}}};
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        SpiralPath(canvas, {210, 150}, SpiralCourse(198.0, 0.0, 8), {0.0, c.sense});
        ASSERT_FALSE(canvas.segments.empty());
        EXPECT_EQ(canvas.segments.front().to, c.firstEnd) << c.sense;
    }
}

// The path straight from its definition: every point from exp, cos and sin
// of its own stored angle, each evaluated by the C library.
std::vector<Point> SpiralByDefinition(Point centre, double startRadius, double rate, SpiralStart start,
                                      std::int32_t minRadius) {
    const auto radiusAt = [&](double theta) {
        return static_cast<double>(std::exp(static_cast<long double>(rate) * theta) * startRadius);
    };
    const auto pointAt = [&](double angle, double radius) {
        const long double a = angle;
        return Point{centre.x + Nearest(std::cos(a) * radius), centre.y + Nearest(std::sin(a) * radius)};
    };
    std::vector<Point> points{pointAt(start.angle, radiusAt(0.0))};
    double theta = 0.0;
    for (int i = 0; i < kMaxSpiralSegments; ++i) {
        theta = static_cast<double>(theta + 0.05L);
        const double radius = radiusAt(theta);
        if (minRadius > radius) break;
        const long double angle = static_cast<long double>(start.sense) * theta + start.angle;
        points.push_back(pointAt(static_cast<double>(angle), radius));
    }
    return points;
}

std::vector<Point> PathPoints(const RecordingCanvas& canvas) {
    std::vector<Point> points(canvas.moves.begin(), canvas.moves.end());
    for (const auto& segment : canvas.segments) points.push_back(segment.to);
    return points;
}

TEST(GeometryTest, SharedSpiralCourseDrawsEveryStartAsItsDefinitionDoes) {
    struct Case {
        double rate;
        double startRadius;
        std::int32_t minRadius = 3;
    };
    const Case cases[] = {
        {QuarterTurnRate(SpiralFactor(0.998)), 198.0},  // the 4001-step limit
        {QuarterTurnRate(SpiralFactor(0.998)), 8192.0},
        {QuarterTurnRate(SpiralFactor(0.998)), 960.0, 2},  // look 6 on a guide 1920 pixels wide
        {FullTurnRate(SpiralFactor(0.998)), 1920.0},
        {FullTurnRate(SpiralFactor(0.998)), 540.0, 12},  // the slow spiral at its step limit
        {QuarterTurnRate(SpiralFactor(InvPhi)), 960.0},
        {FullTurnRate(SpiralFactor(2.39)), 540.0},
        {QuarterTurnRate(SpiralFactor(0.01)), 8192.0},   // collapses within a turn
        {FullTurnRate(SpiralFactor(1.0001)), 1.0e6, 0},  // beyond the radii doubles settle
        {0.01, 198.0, 0},                                // growing
        {-1e300, 198.0},                                 // collapses at once
        {-0.5, 0.0, 0},                                  // no radius at all
        {0.0, 77.0},                                     // a circle to the limit
    };
    std::vector<SpiralStart> starts;  // the eight distinct entries of the start table
    for (const bool portrait : {false, true}) {
        for (int mode = 0; mode < 4; ++mode) {
            for (int spiral = 1; spiral <= 4; ++spiral) {
                const SpiralStart start = SpiralStarts(spiral, portrait, mode);
                if (std::find(starts.begin(), starts.end(), start) == starts.end()) {
                    starts.push_back(start);
                }
            }
        }
    }
    ASSERT_EQ(starts.size(), 8u);
    for (const Case& c : cases) {
        const SpiralTrack course = SpiralCourse(c.startRadius, c.rate, c.minRadius);
        for (const SpiralStart& start : starts) {
            RecordingCanvas canvas;
            SpiralPath(canvas, {972, 568}, course, start);
            ASSERT_EQ(PathPoints(canvas), SpiralByDefinition({972, 568}, c.startRadius, c.rate, start, c.minRadius))
                << "rate " << c.rate << " radius " << c.startRadius << " angle " << start.angle << " sense "
                << start.sense;
        }
    }
}

TEST(GeometryTest, SpiralCourseStaysCloseToTheExactValuesOfItsAngles) {
    // Carried from step to step, the radii, cosines and sines must stay
    // within the doubt that lets double arithmetic settle a point's pixel.
    struct Case {
        double startRadius;
        double rate;
        std::int32_t minRadius;
    };
    const Case cases[] = {
        {540.0, FullTurnRate(SpiralFactor(0.998)), 12},
        {8192.0, QuarterTurnRate(SpiralFactor(0.998)), 3},
        {960.0, QuarterTurnRate(SpiralFactor(InvPhi)), 3},
        {1.0e6, FullTurnRate(SpiralFactor(1.0001)), 0},
        {198.0, 0.01, 0},
        {77.0, 0.0, 8},
    };
    constexpr double kDoubt = 0x1p-44;
    for (const Case& c : cases) {
        const SpiralTrack course = SpiralCourse(c.startRadius, c.rate, c.minRadius);
        ASSERT_FALSE(course.steps.empty());
        for (const SpiralStep& step : course.steps) {
            const long double theta = step.theta;
            const long double radius = std::exp(static_cast<long double>(c.rate) * theta) * c.startRadius;
            ASSERT_LE(std::fabs(step.radius - radius), radius * kDoubt) << c.startRadius << " theta " << step.theta;
            ASSERT_LE(std::fabs(step.cos - std::cos(theta)), kDoubt) << c.startRadius << " theta " << step.theta;
            ASSERT_LE(std::fabs(step.sin - std::sin(theta)), kDoubt) << c.startRadius << " theta " << step.theta;
        }
    }
}

TEST(GeometryTest, SpiralStartsOutsideTheFourModesAllStartClockwiseAtZero) {
    for (const bool portrait : {false, true}) {
        for (int spiral = 1; spiral <= 4; ++spiral) {
            EXPECT_EQ(SpiralStarts(spiral, portrait, 7), (SpiralStart{0.0, 1}));
            EXPECT_EQ(SpiralStarts(spiral, portrait, -1), (SpiralStart{0.0, 1}));
        }
    }
}

}  // namespace
}  // namespace lumetra::test
