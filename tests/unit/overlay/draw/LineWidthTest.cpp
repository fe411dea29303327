// Wide lines, the halo and the label size: on the recording canvas (what the
// looks ask for) and in the direct pixel writes (what the screen shows).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "overlay/compose/Compose.h"
#include "canvas/DibWriter.h"
#include "overlay/looks/Looks.h"
#include "settings/AppSettings.h"
#include "support/LookExamples.h"

namespace lumetra::test {
namespace {

using PixelSet = std::set<std::pair<int, int>>;

constexpr std::uint32_t kInk = 0x00FF0000;

// The pixels the writer draws for one line on a width x height bitmap, shifted
// by `offset` so that a line partly off a small bitmap lies wholly on this one.
PixelSet Drawn(Point from, Point to, int width, int bitmapWidth, int bitmapHeight, int offset = 0) {
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(bitmapWidth) * static_cast<std::size_t>(bitmapHeight));
    DibWriter writer([] {});
    writer.Retarget({bits.data(), bitmapWidth, bitmapHeight});
    EXPECT_TRUE(writer.Line(from.x + offset, from.y + offset, to.x + offset, to.y + offset, kInk, width));
    writer.WriteHeld();
    PixelSet pixels;
    for (int y = 0; y < bitmapHeight; ++y) {
        for (int x = 0; x < bitmapWidth; ++x) {
            if (bits[static_cast<std::size_t>(y * bitmapWidth + x)] == kInk) pixels.insert({x - offset, y - offset});
        }
    }
    return pixels;
}

// The rule of the canvas applied to the 1-pixel line, clipped to the bitmap.
PixelSet Widened(Point from, Point to, int width, int bitmapWidth, int bitmapHeight) {
    constexpr int kRoom = 64;
    const PixelSet thin = Drawn(from, to, 1, bitmapWidth + 2 * kRoom, bitmapHeight + 2 * kRoom, kRoom);
    const PenSpread spread = SpreadOf(width);
    const bool xMajor = std::abs(to.x - from.x) > std::abs(to.y - from.y);
    PixelSet wide;
    const auto add = [&](int x, int y) {
        if (0 <= x && x < bitmapWidth && 0 <= y && y < bitmapHeight) wide.insert({x, y});
    };
    for (const auto& [x, y] : thin) {
        for (int d = -spread.before; d <= spread.after; ++d) add(xMajor ? x : x + d, xMajor ? y + d : y);
    }
    const Point last = LastLinePixel(from, to);
    for (const Point corner : {from, last}) {
        for (int dy = -spread.before; dy <= spread.after; ++dy) {
            for (int dx = -spread.before; dx <= spread.after; ++dx) add(corner.x + dx, corner.y + dy);
        }
    }
    return wide;
}

TEST(WideLines, EachPixelWidensAcrossTheLineWithSquareCapsAtTheBitmapsEdges) {
    constexpr int kWidth = 40;
    constexpr int kHeight = 30;
    struct Case {
        const char* name;
        Point from;
        Point to;
    };
    const Case cases[] = {
        {"horizontal along the top edge", {5, 0}, {30, 0}},
        {"horizontal leftwards along the bottom edge", {38, 29}, {-6, 29}},
        {"vertical along the right edge", {39, 3}, {39, 40}},
        {"vertical just off the left edge", {-1, 25}, {-1, 2}},
        {"shallow slant into the left edge", {-10, 3}, {25, 14}},
        {"steep slant out of the bottom", {20, 5}, {27, 45}},
        {"diagonal to the bottom-right corner", {15, 5}, {45, 35}},
        {"slant up and left", {35, 28}, {3, 17}},
    };
    for (const Case& c : cases) {
        for (int width = 1; width <= kMaxLineWidth; ++width) {
            EXPECT_EQ(Drawn(c.from, c.to, width, kWidth, kHeight), Widened(c.from, c.to, width, kWidth, kHeight))
                << c.name << ", width " << width;
        }
    }
}

TEST(WideLines, OddWidthsAreCentredAndEvenOnesGrowDownAndRight) {
    const PixelSet three = Drawn({2, 10}, {20, 10}, 3, 30, 30);
    const PixelSet four = Drawn({2, 10}, {20, 10}, 4, 30, 30);
    EXPECT_TRUE(three.count({10, 9}) && three.count({10, 11}) && !three.count({10, 12}) && !three.count({10, 8}));
    EXPECT_TRUE(four.count({10, 9}) && four.count({10, 12}) && !four.count({10, 8}) && !four.count({10, 13}));
}

TEST(WideLines, LastLinePixelIsTheLastOneTheWalkDraws) {
    for (int dy = -13; dy <= 13; ++dy) {
        for (int dx = -13; dx <= 13; ++dx) {
            if (dx == 0 || dy == 0) continue;
            const Point from{20, 20};
            const Point to{20 + dx, 20 + dy};
            const Point last = LastLinePixel(from, to);
            const int major = std::max(std::abs(dx), std::abs(dy));
            EXPECT_TRUE(Drawn(from, to, 1, 41, 41).count({last.x, last.y})) << dx << ", " << dy;
            EXPECT_EQ(std::max(std::abs(last.x - from.x), std::abs(last.y - from.y)), major - 1) << dx << ", " << dy;
        }
    }
}

LookSettings Lined(std::int32_t look, std::int32_t width, bool halo) {
    LookSettings s = WithValues(Example(look));
    s.lineWidth = width;
    s.halo = halo;
    s.haloColor = 0x000000;
    return s;
}

TEST(Halo, EveryLookDrawsItsOwnLinesOverAWiderHaloAndEachLabelOverEightCopies) {
    for (std::int32_t look = 0; look < kLookCount; ++look) {
        const RecordingCanvas plain = Render(Lined(look, 1, false));
        const RecordingCanvas haloed = Render(Lined(look, 3, true));
        const std::size_t lines = plain.segments.size();
        ASSERT_EQ(haloed.segments.size(), 2 * lines) << look;
        ASSERT_EQ(haloed.ellipses.size(), 2 * plain.ellipses.size()) << look;
        ASSERT_EQ(haloed.texts.size(), 9 * plain.texts.size()) << look;
        ASSERT_EQ(haloed.boxTexts.size(), 9 * plain.boxTexts.size()) << look;
        const std::vector<Ends> ends = haloed.SegmentEnds();
        EXPECT_EQ(std::vector<Ends>(ends.begin() + static_cast<std::ptrdiff_t>(lines), ends.end()), plain.SegmentEnds())
            << look;
        EXPECT_EQ(std::vector<Ends>(ends.begin(), ends.begin() + static_cast<std::ptrdiff_t>(lines)),
                  plain.SegmentEnds())
            << look;
        for (std::size_t i = 0; i < haloed.segments.size(); ++i) {
            const bool beneath = i < lines;
            EXPECT_EQ(haloed.segments[i].width, beneath ? 5 : 3) << look << " segment " << i;
            EXPECT_EQ(haloed.segments[i].color, beneath ? 0x000000u : kExampleLines) << look << " segment " << i;
        }
        // Everything of the halo lies beneath the first line of the look.
        const std::size_t firstLine = lines > 0 ? haloed.segments[lines].order : haloed.ellipses.back().order;
        for (std::size_t i = 0; i < 8 * plain.texts.size(); ++i) {
            EXPECT_LT(haloed.texts[i].order, firstLine) << look;
            EXPECT_EQ(haloed.texts[i].color, 0x000000u) << look;
            const auto& label = plain.texts[i / 8];
            EXPECT_LE(std::abs(haloed.texts[i].at.x - label.at.x) + std::abs(haloed.texts[i].at.y - label.at.y), 2);
        }
    }
}

TEST(Halo, AutomaticColourContrastsWithTheLines) {
    struct Case {
        Color lines;
        Color halo;
    };
    const Case cases[] = {
        {0xFFFFFF, 0x000000}, {0x000000, 0xFFFFFF}, {0x4040FF, 0x000000},  // factory red: light enough
        {0x800000, 0xFFFFFF},                                              // dark blue
        {0x00FFFF, 0x000000},                                              // yellow
        {0x008000, 0xFFFFFF},                                              // dark green
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ContrastingColor(c.lines), c.halo) << std::hex << c.lines;
        TSettings s(1920);
        s.SetLinesColor(c.lines);
        EXPECT_EQ(LookSettingsOf(s).haloColor, c.halo) << std::hex << c.lines;
        s.SetHaloColor(0x00FF00);
        EXPECT_EQ(LookSettingsOf(s).haloColor, 0x00FF00u) << std::hex << c.lines;
    }
}

TEST(LabelSize, AutomaticScalesWithTheMonitorAndEverySizeStaysInBounds) {
    struct Case {
        std::int32_t labelSize;
        std::int32_t dpi;
        std::int32_t cell;
    };
    const Case cases[] = {
        {11, 144, 11},
        {16, 96, 16},
        {kAutoLabelSize, 96, 11},
        {kAutoLabelSize, 144, 16},  // 16.5 to even
        {kAutoLabelSize, 120, 14},
        {kAutoLabelSize, 0, 11},
        {kAutoLabelSize, -96, 11},
        {kAutoLabelSize, 100000, 44},
        {1000, 96, 24},
        {-3, 96, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LabelCellHeight(c.labelSize, c.dpi), c.cell) << c.labelSize << " at " << c.dpi;
    }
}

TEST(LabelSize, LabelsKeepTheirAnchorsAndGrowFromThem) {
    LookSettings large = WithValues(Example(2));
    large.labelHeight = 16;
    const RecordingCanvas small = Render(WithValues(Example(2)));
    const RecordingCanvas grown = Render(large);
    ASSERT_FALSE(small.texts.empty());
    // The size read-out, first of the labels, keeps its corner.
    EXPECT_EQ(grown.texts.front().at, small.texts.front().at);
    EXPECT_EQ(grown.texts.front().height, 16);
    EXPECT_EQ(small.texts.front().height, 11);
}

TEST(LookHostileLines, WidthsAndLabelsOutOfBoundsAreBroughtIn) {
    for (const auto& [asked, drawn] : {std::pair{0, 1}, std::pair{-3, 1}, std::pair{1000, 8}, std::pair{5, 5}}) {
        LookSettings s = Example(3);
        s.lineWidth = asked;
        s.labelHeight = asked;
        const RecordingCanvas canvas = Render(s);
        ASSERT_FALSE(canvas.segments.empty());
        EXPECT_EQ(canvas.segments.front().width, drawn) << asked;
        EXPECT_GE(canvas.fontHeight, kMinLabelSize) << asked;
        EXPECT_LE(canvas.fontHeight, kMaxAutoLabelHeight) << asked;
    }
}

}  // namespace
}  // namespace lumetra::test
