#include "overlay/lookfiles/LookLibrary.h"
#include "overlay/draw/CaptionStrip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "canvas/IconMask.h"
#include "canvas/SheetPixels.h"
#include "overlay/fit/PictureFit.h"
#include "overlay/input/Interaction.h"
#include "settings/AppSettings.h"
#include "support/RecordingCanvas.h"

namespace lumetra::test {
namespace {

constexpr int kWidth = 396;
constexpr int kHeight = 245;
constexpr int kBorder = 12;

void Configure(TSettings& settings) {
    settings.SetLock(false);
    settings.SetWidth(kWidth);
    settings.SetHeight(kHeight);
    settings.SetBorder(kBorder);
    settings.SetSFrame(true);
    settings.SetLookMode(1);
}

// The button picture's pixel under each pixel of the strip at a DPI, as the
// frame pictures are scaled: each pixel holds the 96-dpi column and row.
std::vector<std::uint32_t> ScaledButtonPicture(int width, int height) {
    std::vector<std::uint32_t> source(64 * 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 64; ++x)
            source[static_cast<std::size_t>(y * 64 + x)] = static_cast<std::uint32_t>(x << 8 | y);
    }
    std::vector<std::uint32_t> scaled(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    ScaleBlockNearest(SheetPixels(source.data(), 64, 16), 0, 64, 16, SheetPixels(scaled.data(), width, height), 0,
                      width, height);
    return scaled;
}

TEST(CaptionStripTest, EveryZoneScalesWithTheMonitorsDpi) {
    struct Case {
        int dpi;
        int rows;
        int buttonStrip;
        int cell;
        int topLeftGrip;
        int bottomRightGrip;  // also the caption band
        Rect close;           // in the button strip
    };
    const Case cases[] = {
        {96, 16, 64, 11, 12, 24, {52, 4, 60, 12}},     // exactly as ever
        {120, 20, 80, 14, 15, 30, {65, 5, 75, 15}},    // 125 %: halves of lengths round away from zero
        {144, 24, 96, 17, 18, 36, {78, 6, 90, 18}},    // 150 %
        {168, 28, 112, 19, 21, 42, {91, 7, 105, 21}},  // 175 %
        {192, 32, 128, 22, 24, 48, {104, 8, 120, 24}},
    };
    // Where each button's face lies on the 96-dpi picture, orientation to close.
    const int faces[] = {4, 13, 22, 31, 43, 52};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        const CaptionStrip strip = CaptionStripAt(c.dpi);
        EXPECT_EQ(strip.rows, c.rows);
        EXPECT_EQ(strip.buttonStripWidth, c.buttonStrip);
        EXPECT_EQ(strip.cellHeight, c.cell);
        EXPECT_EQ(strip.buttons[5], c.close);
        // The caption text's cell fits its box, and the box the strip.
        EXPECT_GE(strip.textBox.bottom - strip.textBox.top, strip.cellHeight);
        EXPECT_LE(strip.textBox.bottom, strip.rows);

        TSettings settings(1280);
        Configure(settings);
        const FrameSize frame = OverlayFrameSize(settings, c.dpi);
        EXPECT_EQ(frame, (FrameSize{kWidth + 2 * kBorder, kHeight + 2 * kBorder + c.rows}));
        const int fw = frame.width;
        const int fh = frame.height;
        const int left = fw - c.buttonStrip;

        // Each pixel of the strip is a button's hit zone exactly where the
        // scaled picture shows that button's face.
        const std::vector<std::uint32_t> picture = ScaledButtonPicture(c.buttonStrip, c.rows);
        for (int y = 0; y < c.rows; ++y) {
            for (int x = 0; x < c.buttonStrip; ++x) {
                const std::uint32_t source = picture[static_cast<std::size_t>(y * c.buttonStrip + x)];
                const int sx = static_cast<int>(source >> 8);
                const int sy = static_cast<int>(source & 0xFF);
                HitZone expected = HitZone::Body;
                for (int i = 0; i < 6; ++i) {
                    if (faces[i] <= sx && sx < faces[i] + 8 && 4 <= sy && sy < 12) expected = static_cast<HitZone>(i);
                }
                const HitZone zone = ZoneAt(left + x, y, fw, fh, false, c.dpi);
                ASSERT_EQ(zone, expected) << "strip pixel " << x << "," << y;
            }
        }

        // The grips and, for presses only, the caption band.
        const int tl = c.topLeftGrip;
        const int br = c.bottomRightGrip;
        EXPECT_EQ(ZoneAt(tl - 1, tl - 1, fw, fh, true, c.dpi), HitZone::TopLeftGrip);
        EXPECT_EQ(ZoneAt(tl, tl - 1, fw, fh, true, c.dpi), HitZone::CaptionBand);
        EXPECT_EQ(ZoneAt(tl, tl - 1, fw, fh, false, c.dpi), HitZone::Body);
        EXPECT_EQ(ZoneAt(100, br - 1, fw, fh, true, c.dpi), HitZone::CaptionBand);
        EXPECT_EQ(ZoneAt(100, br, fw, fh, true, c.dpi), HitZone::Body);
        EXPECT_EQ(ZoneAt(fw - br, fh - br, fw, fh, false, c.dpi), HitZone::BottomRightGrip);
        EXPECT_EQ(ZoneAt(fw - br - 1, fh - 1, fw, fh, false, c.dpi), HitZone::Body);
        EXPECT_EQ(ZoneAt(fw - 1, fh - br - 1, fw, fh, false, c.dpi), HitZone::Body);

        // The measured area lies Border and the strip in; a fit puts the
        // window where that area is the picture, and the inverse agrees.
        const Point window{300, 240};
        const Point origin = MeasuredOrigin(window, kBorder, strip);
        EXPECT_EQ(origin, (Point{300 + kBorder, 240 + c.rows + kBorder}));
        EXPECT_EQ(WindowTopLeftFor(origin, kBorder, strip), window);
        const GuidePlacement fit =
            PlacementOnPicture(settings, {origin.x, origin.y, origin.x + 200, origin.y + 100}, c.dpi);
        EXPECT_EQ(fit.position, window);
    }
}

TEST(CaptionStripTest, TheLookKeepsItsDevicePixelsBelowTheScaledStrip) {
    TSettings settings(1280);
    Configure(settings);
    RecordingCanvas at96;
    ComposeBuffer(GuidePictureOf(settings, true, 96), LookLibrary{}, LangTable{}, at96);
    for (const int dpi : {120, 144, 168, 192}) {
        SCOPED_TRACE(dpi);
        const CaptionStrip strip = CaptionStripAt(dpi);
        const FrameSize frame = OverlayFrameSize(settings, dpi);
        RecordingCanvas canvas;
        ComposeBuffer(GuidePictureOf(settings, true, dpi), LookLibrary{}, LangTable{}, canvas);

        // Every line of the look, moved down with the measured area only.
        const int down = strip.rows - 16;
        auto expected = at96.SegmentEnds();
        for (auto& ends : expected) {
            ends[1] += down;
            ends[3] += down;
        }
        EXPECT_EQ(canvas.SegmentEnds(), expected);

        // The strip's pictures and caption at their scaled places and size.
        std::vector<Point> right, grip;
        for (const auto& call : canvas.pictures) {
            if (call.picture == FrameIcon::TRCorner) right.push_back(call.at);
            if (call.picture == FrameIcon::BRCorner) grip.push_back(call.at);
        }
        EXPECT_EQ(right, (std::vector<Point>{{frame.width - strip.buttonStripWidth, 0}}));
        EXPECT_EQ(grip,
                  (std::vector<Point>{{frame.width - strip.bottomRightGrip, frame.height - strip.bottomRightGrip}}));
        bool captioned = false;
        for (const auto& call : canvas.boxTexts) {
            if (call.placement != BoxPlacement::LeftMiddleEllipsis) continue;
            captioned = true;
            EXPECT_EQ(call.box, (Rect{strip.textBox.left, strip.textBox.top, frame.width - strip.buttonStripWidth,
                                      strip.textBox.bottom}));
            EXPECT_EQ(call.height, strip.cellHeight);
        }
        EXPECT_TRUE(captioned);
    }
}

TEST(GuideRectForDpiTest, OnAnotherMonitorOnlyTheStripChanges) {
    // Two monitors stacked: 96 dpi above y 1000, the given DPI below; a
    // window's DPI is that of the monitor holding more of it.
    const auto stacked = [](int below) {
        return [below](const Rect& r) {
            const int above = std::clamp(1000, r.top, r.bottom) - r.top;
            return above >= r.bottom - r.top - above ? 96 : below;
        };
    };
    const auto anywhere = [](int dpi) { return [dpi](const Rect&) { return dpi; }; };
    struct Case {
        const char* what;
        int from;
        int to;
        std::function<int(const Rect&)> monitorDpi;
        Rect window;
        Rect expected;
    };
    // A guide of 400 x 300 with a border of 10: its measured area's top-left
    // is (110, top + rows + 10).
    const Case cases[] = {
        {"onto 200 %: the window grows upward", 96, 192, anywhere(192), {100, 200, 520, 536}, {100, 184, 520, 536}},
        {"and back", 192, 96, anywhere(96), {100, 184, 520, 536}, {100, 200, 520, 536}},
        {"between two scaled monitors", 144, 120, anywhere(120), {100, 200, 520, 544}, {100, 204, 520, 544}},
        {"left of the main monitor", 120, 168, anywhere(168), {-900, -40, -480, 300}, {-900, -48, -480, 300}},
        // 168 rows above the edge and 168 below it at 192 dpi; at 96 dpi
        // the top would move 16 rows down and hand the window back to the
        // monitor below, so the top stays and the bottom moves up.
        {"across stacked monitors", 192, 96, stacked(192), {100, 832, 520, 1168}, {100, 832, 520, 1152}},
        {"across stacked monitors, mostly below", 96, 192, stacked(192), {100, 900, 520, 1236}, {100, 884, 520, 1236}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Rect placed = GuideRectForDpi(c.window, c.from, c.to, c.monitorDpi);
        EXPECT_EQ(placed, c.expected);
        EXPECT_EQ(c.monitorDpi(placed), c.to);
        // The strip's change is the window's change of height.
        EXPECT_EQ((placed.bottom - placed.top) - (c.window.bottom - c.window.top),
                  CaptionStripAt(c.to).rows - CaptionStripAt(c.from).rows);
    }
}

}  // namespace
}  // namespace lumetra::test
