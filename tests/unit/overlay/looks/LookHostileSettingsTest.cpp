// Settings a hand-edited file can carry: every look must finish with a
// bounded amount of drawing and coordinates that never wrap around.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "settings/AppSettings.h"
#include "support/LookExamples.h"

namespace lumetra::test {
namespace {

// Four spirals of at most 4001 segments plus their frame, or a 3-pixel grid
// across 16384 pixels both ways: nothing draws more.
constexpr std::size_t kMaxSegments = 4 * 4001 + 100;
constexpr std::size_t kMaxGridSegments = 2 * (16384 / 3 + 1);
constexpr std::size_t kMaxLabels = 2000;
// The right page of a portrait page canon reaches furthest: B + 2W.
constexpr int kCoordinateLimit = 3 * (kMaxDimension + kMaxBorder);

bool Within(const Point& p) { return std::abs(p.x) <= kCoordinateLimit && std::abs(p.y) <= kCoordinateLimit; }

void ExpectBounded(const RecordingCanvas& canvas, const std::string& what) {
    EXPECT_LE(canvas.segments.size(), std::max(kMaxSegments, kMaxGridSegments)) << what;
    EXPECT_LE(canvas.ellipses.size(), 101u) << what;
    EXPECT_LE(canvas.texts.size() + canvas.boxTexts.size(), kMaxLabels) << what;
    for (const auto& s : canvas.segments) {
        ASSERT_TRUE(Within(s.from) && Within(s.to)) << what;
    }
    for (const auto& e : canvas.ellipses) {
        ASSERT_TRUE(Within({e.box.left, e.box.top}) && Within({e.box.right, e.box.bottom})) << what;
    }
    for (const auto& t : canvas.texts) ASSERT_TRUE(Within(t.at)) << what;
}

TEST(LookHostileSettingsTest, EveryLookFinishesWithinBounds) {
    struct Size {
        std::int32_t width;
        std::int32_t height;
        std::int32_t border;
        std::int32_t grid;
    };
    const Size sizes[] = {
        {58, 58, 0, 3},
        {58, 0, 0, 3},
        {16384, 16384, 1024, 3},
        {16384, 58, 0, 32766},
        // Beyond what the setters allow: brought back into bounds.
        {-5, 1 << 30, -3, 0},
    };
    const double ratios[] = {1e-300, 1e300, 0.998, 5e-324, std::numeric_limits<double>::max()};
    for (const Size& size : sizes) {
        for (const double ratio : ratios) {
            for (const std::int32_t orientMode : {0, 2, 7}) {
                for (std::int32_t look = 0; look < kLookCount; ++look) {
                    LookSettings s = WithValues(Example(look, orientMode));
                    s.width = size.width;
                    s.height = size.height;
                    s.border = size.border;
                    s.gridSize = size.grid;
                    s.ratio = ratio;
                    ExpectBounded(Render(s), "look " + std::to_string(look) + " ratio " + std::to_string(ratio) +
                                                 " width " + std::to_string(size.width));
                }
            }
        }
    }
}

TEST(LookHostileSettingsTest, FinestGridOnTheWidestOverlay) {
    LookSettings s = WithValues(Example(0));
    s.width = 16384;
    s.height = 58;
    s.gridSize = 3;
    const RecordingCanvas canvas = Render(s);
    // Lines at 0, 3, ..., 16383 across and 0, 3, ..., 57 down.
    EXPECT_EQ(canvas.segments.size(), 5462u + 20u);
    EXPECT_EQ(canvas.segments[5461].from, (Point{12 + 16383, 28}));
}

TEST(LookHostileSettingsTest, ExtremeRatiosStopEveryStepSequenceAtItsStart) {
    struct Case {
        std::int32_t lookMode;
        std::size_t segments;
        std::size_t ellipses;
    };
    const Case cases[] = {
        {1, 4, 0},                          // the far and the origin edge of each axis
        {5, 6, 0},                          // outline and centre lines; the spiral collapses at once
        {6, 6, 0},   {7, 7, 0}, {8, 6, 1},  // the first circle only
        {10, 10, 0},                        // one frame, inset by 0
    };
    for (const double ratio : {1e-300, 1e300}) {
        for (const Case& c : cases) {
            LookSettings s = Example(c.lookMode);
            s.ratio = ratio;
            const RecordingCanvas canvas = Render(s);
            EXPECT_EQ(canvas.segments.size(), c.segments) << c.lookMode << " " << ratio;
            EXPECT_EQ(canvas.ellipses.size(), c.ellipses) << c.lookMode << " " << ratio;
        }
    }
}

TEST(LookHostileSettingsTest, UndrawableRatiosDrawTheGoldenRatio) {
    const double golden = InvPhi;
    for (const std::int32_t look : {1, 5, 8, 9, 10}) {
        LookSettings reference = WithValues(Example(look));
        reference.ratio = golden;
        const RecordingCanvas expected = Render(reference);
        for (const double ratio : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
            LookSettings s = reference;
            s.ratio = ratio;
            const RecordingCanvas canvas = Render(s);
            EXPECT_EQ(canvas.SegmentEnds(), expected.SegmentEnds()) << look << " " << ratio;
            EXPECT_EQ(canvas.TextStrings(), expected.TextStrings()) << look << " " << ratio;
        }
    }
}

}  // namespace
}  // namespace lumetra::test
