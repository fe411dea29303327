#include "overlay/lookfiles/LookLibrary.h"
#include "overlay/compose/Compose.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "lang/LangTable.h"
#include "settings/AppSettings.h"
#include "support/RecordingCanvas.h"

namespace lumetra::test {
namespace {

struct Layout {
    std::int32_t width;
    std::int32_t height;
    std::int32_t border;
};

void Configure(TSettings& settings, Layout layout, bool frame, std::int32_t look = 1, std::int32_t orient = 0) {
    settings.SetLock(false);
    settings.SetWidth(layout.width);
    settings.SetHeight(layout.height);
    settings.SetBorder(layout.border);
    settings.SetSFrame(frame);
    settings.SetLookMode(look);
    settings.SetOrientMode(orient);
}

std::vector<RecordingCanvas::IconCall> IconsOf(const RecordingCanvas& canvas, FrameIcon picture) {
    std::vector<RecordingCanvas::IconCall> found;
    for (const auto& call : canvas.pictures) {
        if (call.picture == picture) found.push_back(call);
    }
    return found;
}

// The caption is the one text cut with an ellipsis; look labels are centred.
std::vector<RecordingCanvas::BoxTextCall> CaptionTexts(const RecordingCanvas& canvas) {
    std::vector<RecordingCanvas::BoxTextCall> found;
    for (const auto& call : canvas.boxTexts) {
        if (call.placement == BoxPlacement::LeftMiddleEllipsis) found.push_back(call);
    }
    return found;
}

TEST(OverlayFrameSizeTest, AddsBordersAndTheCaptionStrip) {
    struct Case {
        Layout layout;
        FrameSize expected;
    };
    const Case cases[] = {
        {{396, 245, 12}, {420, 285}},
        {{58, 58, 29}, {116, 132}},
        {{100, 80, 0}, {100, 96}},
    };
    for (const Case& c : cases) {
        TSettings settings(1280);
        Configure(settings, c.layout, true);
        EXPECT_EQ(OverlayFrameSize(settings), c.expected) << c.layout.width << "x" << c.layout.height;
    }
}

TEST(OpacityAlphaTest, RoundsHalvesToEvenAndBlendsBelowFullOpacity) {
    struct Case {
        std::int32_t opacity;
        int alpha;
        bool blends;
    };
    const Case cases[] = {
        {0, 0, true},    {10, 26, true},  {30, 76, true},    {50, 128, true}, {70, 178, true},
        {90, 230, true}, {99, 252, true}, {100, 255, false}, {-5, 0, true},   {150, 255, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpacityAlpha(c.opacity), c.alpha) << "opacity " << c.opacity;
        EXPECT_EQ(OpacityBlends(c.opacity), c.blends) << "opacity " << c.opacity;
    }
}

TEST(ComposeBufferTest, FillsTheWholeFrameWithTheKeyColourBeforeAnythingElse) {
    TSettings settings(1280);
    Configure(settings, {396, 245, 12}, true);
    RecordingCanvas canvas;
    ComposeBuffer(GuidePictureOf(settings, true), LookLibrary{}, LangTable{}, canvas);

    ASSERT_FALSE(canvas.fills.empty());
    EXPECT_EQ(canvas.fills.front().area, (Rect{0, 0, 420, 285}));
    EXPECT_EQ(canvas.fills.front().color, 0x00FE00FEu);
    EXPECT_EQ(canvas.fills.front().order, 0u);
    ASSERT_FALSE(canvas.segments.empty());  // look 1 draws lines over the background
}

TEST(ComposeBufferTest, TilesTheCaptionStripUpToTheButtonStrip) {
    struct Case {
        Layout layout;
        std::vector<int> tiles;
        int buttonStrip;
        Point grip;
    };
    const Case cases[] = {
        // 48 <= 116 - 64, so the second tile is drawn and the buttons cover part of it.
        {{58, 58, 29}, {16, 48}, 52, {92, 108}},
        {{58, 58, 27}, {16, 48}, 48, {88, 104}},
        {{59, 58, 26}, {16}, 47, {87, 102}},
        // Narrower than the strip itself: the first tile is still drawn.
        {{58, 58, 0}, {16}, -6, {34, 50}},
        {{396, 245, 12}, {16, 48, 80, 112, 144, 176, 208, 240, 272, 304, 336}, 356, {396, 261}},
    };
    for (const Case& c : cases) {
        TSettings settings(1280);
        Configure(settings, c.layout, true);
        RecordingCanvas canvas;
        ComposeBuffer(GuidePictureOf(settings, true), LookLibrary{}, LangTable{}, canvas);

        std::vector<int> tiles;
        for (const auto& call : IconsOf(canvas, FrameIcon::Caption)) {
            EXPECT_EQ(call.at.y, 0);
            tiles.push_back(call.at.x);
        }
        EXPECT_EQ(tiles, c.tiles) << "width " << c.layout.width << " border " << c.layout.border;

        const auto left = IconsOf(canvas, FrameIcon::TLCorner);
        const auto right = IconsOf(canvas, FrameIcon::TRCorner);
        const auto grip = IconsOf(canvas, FrameIcon::BRCorner);
        ASSERT_EQ(left.size(), 1u);
        ASSERT_EQ(right.size(), 1u);
        ASSERT_EQ(grip.size(), 1u);
        EXPECT_EQ(left[0].at, (Point{0, 0}));
        EXPECT_EQ(right[0].at, (Point{c.buttonStrip, 0}));
        EXPECT_EQ(grip[0].at, c.grip);
        // The button strip lies over the last tile, the grip over the look.
        EXPECT_GT(right[0].order, IconsOf(canvas, FrameIcon::Caption).back().order);
        EXPECT_GT(grip[0].order, canvas.segments.back().order);
    }
}

TEST(ComposeBufferTest, CaptionNamesTheLookInTheActivationColour) {
    LangTable lang;
    lang.Merge("MSLook1", "Ratio steps");
    lang.Merge("MSLook13", "Golden cross");
    lang.Merge("MSLook18", "Aspect-ratio frames");
    lang.Merge("MClickThroughMark", "(click-through)");
    lang.Merge("MFollowMark", "(follows)");
    lang.Merge("MFollowWaitingMark", "(waits)");
    struct Case {
        std::int32_t look;
        bool active;
        std::string text;
        Color color;
        bool clickThrough = false;
        bool follow = false;
        bool waiting = false;
    };
    const Case cases[] = {
        {1, true, "Velmora Lumetra - Ratio steps", 0x00808080},
        {1, false, "Velmora Lumetra - Ratio steps", 0x00C0C0C0},
        {13, true, "Velmora Lumetra - Golden cross", 0x00808080},
        {0, false, "Velmora Lumetra - MSLook0", 0x00C0C0C0},  // no text loaded: the key
        {18, true, "Velmora Lumetra - Aspect-ratio frames", 0x00808080},
        {kBuiltInLookCount, true, "Velmora Lumetra - ", 0x00808080},
        {-1, true, "Velmora Lumetra - ", 0x00808080},
        // The mark leads, where the ellipsis of a narrow guide never reaches.
        {1, true, "(click-through) Velmora Lumetra - Ratio steps", 0x00808080, true},
        {13, false, "(click-through) Velmora Lumetra - Golden cross", 0x00C0C0C0, true},
        {-1, true, "(click-through) Velmora Lumetra - ", 0x00808080, true},
        // Following says so, and says when it waits for its picture.
        {1, true, "(follows) Velmora Lumetra - Ratio steps", 0x00808080, false, true},
        {1, true, "(click-through) (waits) Velmora Lumetra - Ratio steps", 0x00808080, true, true, true},
        {1, true, "Velmora Lumetra - Ratio steps", 0x00808080, false, false, true},
    };
    for (const Case& c : cases) {
        TSettings settings(1280);
        Configure(settings, {396, 245, 12}, true);
        settings.SetShowValues(true);
        settings.SetLookMode(c.look);
        settings.SetClickThrough(c.clickThrough);
        settings.SetFollowPicture(c.follow);
        RecordingCanvas canvas;
        canvas.fontAngle = 90;
        ComposeBuffer(GuidePictureOf(settings, c.active, 96, c.waiting), LookLibrary{}, lang, canvas);

        const auto captions = CaptionTexts(canvas);
        ASSERT_EQ(captions.size(), 1u) << "look " << c.look;
        const auto& caption = captions[0];
        EXPECT_EQ(caption.text, c.text) << "look " << c.look;
        EXPECT_EQ(caption.box, (Rect{14, 1, 356, 15}));
        EXPECT_EQ(caption.color, c.color);
        EXPECT_EQ(caption.angle, 0.0f);
    }
}

TEST(ComposeBufferTest, FrameOffLeavesTheCaptionStripTransparent) {
    TSettings settings(1280);
    Configure(settings, {396, 245, 12}, false);
    RecordingCanvas canvas;
    ComposeBuffer(GuidePictureOf(settings, true), LookLibrary{}, LangTable{}, canvas);

    EXPECT_TRUE(canvas.pictures.empty());
    EXPECT_TRUE(CaptionTexts(canvas).empty());
    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(canvas.fills[0].color, kOverlayKeyColor);
}

TEST(DrawOrientGlyphTest, PointsAtTheOriginCornerOfEachOrientation) {
    using Ends = std::vector<std::array<int, 4>>;
    struct Case {
        std::int32_t orient;
        Ends segments;
    };
    // Button strip at 420 - 64 = 356.
    const Case cases[] = {
        {0, {{361, 10, 361, 5}, {361, 5, 366, 5}}},
        {1, {{361, 5, 366, 5}, {366, 5, 366, 11}}},
        {2, {{366, 5, 366, 10}, {366, 10, 361, 10}}},
        {3, {{366, 10, 361, 10}, {361, 10, 361, 4}}},
    };
    for (const Case& c : cases) {
        TSettings settings(1280);
        Configure(settings, {396, 245, 12}, true, 1, c.orient);
        RecordingCanvas canvas;
        DrawOrientGlyph(canvas, GuidePictureOf(settings));
        EXPECT_EQ(canvas.SegmentEnds(), c.segments) << "orientation " << c.orient;
        for (const auto& segment : canvas.segments) EXPECT_EQ(segment.color, 0x00808080u);
    }
}

TEST(DrawOrientGlyphTest, DrawsNothingWithoutTheFrame) {
    for (const std::int32_t orient : {0, 1, 2, 3}) {
        TSettings settings(1280);
        Configure(settings, {396, 245, 12}, false, 1, orient);
        RecordingCanvas canvas;
        DrawOrientGlyph(canvas, GuidePictureOf(settings));
        EXPECT_EQ(canvas.CallCount(), 0u) << "orientation " << orient;
    }
}

}  // namespace
}  // namespace lumetra::test
