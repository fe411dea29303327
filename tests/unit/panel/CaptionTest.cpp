// The panel's caption strip: its picture, its two buttons and dragging.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canvas/IconMask.h"
#include "panel/PanelCaption.h"
#include "support/RecordingCanvas.h"

namespace lumetra::test {
namespace {

TEST(PanelCaption, ButtonZonesAreEightPixelsSquare) {
    const struct {
        int x, y;
        CaptionZone zone;
    } cases[] = {
        {140, 4, CaptionZone::Help},      {147, 11, CaptionZone::Help},     {148, 4, CaptionZone::Elsewhere},
        {139, 4, CaptionZone::Elsewhere}, {140, 3, CaptionZone::Elsewhere}, {140, 12, CaptionZone::Elsewhere},
        {161, 4, CaptionZone::Close},     {168, 11, CaptionZone::Close},    {169, 8, CaptionZone::Elsewhere},
        {160, 8, CaptionZone::Elsewhere}, {20, 8, CaptionZone::Elsewhere},
    };
    for (const auto& c : cases) EXPECT_EQ(CaptionZoneAt(c.x, c.y), c.zone) << c.x << "," << c.y;
}

TEST(PanelCaption, StripIsTiledBetweenItsEndsWithTheCaptionInBetween) {
    for (const bool active : {true, false}) {
        RecordingCanvas canvas;
        ComposePanelCaption(canvas, "Lumetra Settings", active);

        ASSERT_FALSE(canvas.fills.empty());
        EXPECT_EQ(canvas.fills.front().area, (Rect{0, 0, kPanelWidth, kPanelHeight}));
        EXPECT_EQ(canvas.fills.front().color, Rgb(142, 109, 146));
        std::vector<std::pair<FrameIcon, int>> pictures;
        for (const auto& p : canvas.pictures) pictures.emplace_back(p.picture, p.at.x);
        const std::vector<std::pair<FrameIcon, int>> expected{{FrameIcon::TLCornerS, 0}, {FrameIcon::Caption, 16},
                                                              {FrameIcon::Caption, 48},  {FrameIcon::Caption, 80},
                                                              {FrameIcon::Caption, 112}, {FrameIcon::TRCorner2, 136}};
        EXPECT_EQ(pictures, expected);

        ASSERT_EQ(canvas.boxTexts.size(), 1u);
        const auto& text = canvas.boxTexts.front();
        EXPECT_EQ(text.box, (Rect{14, 1, 136, 15}));
        EXPECT_EQ(text.text, "Lumetra Settings");
        EXPECT_EQ(text.placement, BoxPlacement::LeftMiddleEllipsis);
        EXPECT_EQ(text.angle, 0.0f);
        EXPECT_EQ(text.color, active ? Rgb(128, 128, 128) : Rgb(192, 192, 192));
        // Drawn before the right end, which stays on top of a long caption.
        EXPECT_LT(text.order, canvas.pictures.back().order);
    }
}

constexpr int kDpis[] = {96, 120, 144, 168, 192};

// The right end picture at 96 dpi marked where its two faces are (1 help,
// 2 close), scaled as the frame pictures are: the zones must be exactly the
// pixels where the scaled picture shows the faces, at every dpi.
TEST(PanelCaption, ButtonZonesAreTheFacesOfTheScaledPicture) {
    constexpr int kWidth = 37;
    constexpr int kHeight = 16;
    std::vector<std::uint32_t> picture(kWidth * kHeight, 0);
    for (int y = 4; y < 12; ++y) {
        for (int x = 0; x < 8; ++x) {
            picture[y * kWidth + 4 + x] = 1;
            picture[y * kWidth + 25 + x] = 2;
        }
    }
    for (const int dpi : kDpis) {
        const int width = ScaledLength(kWidth, dpi);
        const int height = PanelCaptionHeight(dpi);
        ASSERT_EQ(height, ScaledLength(kHeight, dpi));
        std::vector<std::uint32_t> scaled(static_cast<std::size_t>(width * height), 0);
        ScaleBlockNearest(SheetPixels(picture.data(), kWidth, kHeight), 0, kWidth, kHeight,
                          SheetPixels(scaled.data(), width, height), 0, width, height);
        const int left = PanelRightEndX(dpi);
        EXPECT_EQ(left + width, ScaledLength(kPanelWidth, dpi)) << dpi << " dpi";
        for (int y = -1; y <= height; ++y) {
            for (int x = left - 1; x <= left + width; ++x) {
                const bool inside = y >= 0 && y < height && x >= left && x < left + width;
                const std::uint32_t shown = inside ? scaled[static_cast<std::size_t>(y * width + x - left)] : 0;
                const CaptionZone expected = shown == 1   ? CaptionZone::Help
                                             : shown == 2 ? CaptionZone::Close
                                                          : CaptionZone::Elsewhere;
                ASSERT_EQ(CaptionZoneAt(x, y, dpi), expected) << x << "," << y << " at " << dpi << " dpi";
            }
        }
    }
}

TEST(PanelCaption, TheStripScalesWithTheDpi) {
    const struct {
        int dpi;
        int height;
        Rect help;
        Rect close;
        std::vector<int> tiles;  // the caption pictures' left edges
        Rect text;
        int cellHeight;
    } cases[] = {
        {96, 16, {140, 4, 148, 12}, {161, 4, 169, 12}, {16, 48, 80, 112}, {14, 1, 136, 15}, 11},
        {144, 24, {210, 6, 222, 18}, {242, 6, 254, 18}, {24, 72, 120, 168}, {21, 2, 204, 23}, 17},
        {192, 32, {280, 8, 296, 24}, {322, 8, 338, 24}, {32, 96, 160, 224}, {28, 2, 272, 30}, 22},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PanelCaptionHeight(c.dpi), c.height);
        EXPECT_EQ(PanelButtonFace(CaptionZone::Help, c.dpi), c.help) << c.dpi << " dpi";
        EXPECT_EQ(PanelButtonFace(CaptionZone::Close, c.dpi), c.close) << c.dpi << " dpi";

        RecordingCanvas canvas;
        ComposePanelCaption(canvas, "Lumetra Settings", true, c.dpi);
        ASSERT_FALSE(canvas.fills.empty());
        EXPECT_EQ(canvas.fills.front().area, (Rect{0, 0, ScaledLength(173, c.dpi), ScaledLength(364, c.dpi)}));
        std::vector<int> tiles;
        for (const auto& p : canvas.pictures) {
            if (p.picture == FrameIcon::Caption) tiles.push_back(p.at.x);
        }
        EXPECT_EQ(tiles, c.tiles) << c.dpi << " dpi";
        ASSERT_EQ(canvas.pictures.back().picture, FrameIcon::TRCorner2);
        EXPECT_EQ(canvas.pictures.back().at.x, c.text.right) << c.dpi << " dpi";
        ASSERT_EQ(canvas.boxTexts.size(), 1u);
        EXPECT_EQ(canvas.boxTexts.front().box, c.text) << c.dpi << " dpi";
        EXPECT_EQ(canvas.fontHeight, c.cellHeight) << c.dpi << " dpi";
    }
}

class FakeCaptionWindow final : public ICaptionWindow {
public:
    Point position{1000, 10};
    bool captured = false;
    bool hidden = false;
    CaptionCursor cursor = CaptionCursor::Arrow;
    std::string hint;
    std::vector<std::string> calls;

    Point Position() const override { return position; }
    void SetPosition(Point topLeft) override { position = topLeft; }
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
    void SetCursor(CaptionCursor shape) override { cursor = shape; }
    void SetHintText(const std::string& text) override { hint = text; }
    void ClearHint() override { hint.clear(); }
    void DrawRightEnd() override { calls.push_back("right end"); }
    void FillButtonFace(Point seed, Color color) override {
        calls.push_back("fill " + std::to_string(seed.x) + (color == Rgb(255, 0, 0) ? " red" : " white"));
    }
    void Hide() override { hidden = true; }
    void OpenManual() override { calls.push_back("manual"); }
};

std::string Hint(std::string_view key) { return "<" + std::string(key) + ">"; }

class CaptionInteractionTest : public ::testing::Test {
protected:
    FakeCaptionWindow window;
    CaptionInteraction strip{window, &Hint};
};

TEST_F(CaptionInteractionTest, HoveringFromHelpIntoCloseRedrawsBeforeFillingRed) {
    strip.FormMouseMove(142, 6);
    strip.FormMouseMove(163, 6);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"right end", "fill 140 white", "right end", "fill 161 red"}));
    EXPECT_EQ(window.hint, "<MSCloseButtonHint>");
    EXPECT_EQ(window.cursor, CaptionCursor::Hand);

    strip.FormMouseMove(100, 6);
    EXPECT_FALSE(strip.ButtonHighlighted());
    EXPECT_EQ(window.calls.back(), "right end");
    EXPECT_EQ(window.hint, "");
    EXPECT_EQ(window.cursor, CaptionCursor::Arrow);
}

TEST_F(CaptionInteractionTest, DraggingMovesByThePointersTravel) {
    strip.FormMouseDown(50, 8);
    EXPECT_TRUE(window.captured);
    strip.FormMouseMove(60, 5);
    EXPECT_EQ(window.position, (Point{1010, 7}));
    // The window followed, so the pointer is back at the anchor.
    strip.FormMouseMove(45, 8);
    EXPECT_EQ(window.position, (Point{1005, 7}));
    strip.FormMouseUp(45, 8);
    EXPECT_FALSE(window.captured);
    EXPECT_FALSE(strip.Moving());
    strip.FormMouseMove(80, 8);
    EXPECT_EQ(window.position, (Point{1005, 7}));
}

TEST_F(CaptionInteractionTest, LosingTheCaptureEndsTheDrag) {
    strip.FormMouseDown(50, 8);
    strip.CaptureLost();
    EXPECT_FALSE(strip.Moving());
    strip.FormMouseMove(70, 8);
    EXPECT_EQ(window.position, (Point{1000, 10}));
}

TEST_F(CaptionInteractionTest, LeavingAButtonDoesNotMoveOnThatEvent) {
    strip.FormMouseDown(130, 8);
    strip.FormMouseMove(141, 8);  // into the help zone: highlighted, not moved
    EXPECT_EQ(window.position, (Point{1000, 10}));
    strip.FormMouseMove(120, 8);  // out again: the highlight goes, still no move
    EXPECT_EQ(window.position, (Point{1000, 10}));
    strip.FormMouseMove(125, 8);
    EXPECT_EQ(window.position, (Point{995, 10}));
}

TEST_F(CaptionInteractionTest, TheCloseButtonHidesOnlyOnARelease) {
    const struct {
        Point press, release;
        bool hidden;
    } cases[] = {{{163, 6}, {163, 6}, true},
                 {{163, 6}, {100, 6}, false},
                 {{100, 6}, {165, 9}, true},
                 {{142, 6}, {163, 6}, true}};
    for (const auto& c : cases) {
        FakeCaptionWindow fresh;
        CaptionInteraction freshStrip(fresh, &Hint);
        freshStrip.FormMouseDown(c.press.x, c.press.y);
        EXPECT_FALSE(fresh.hidden);
        freshStrip.FormMouseUp(c.release.x, c.release.y);
        EXPECT_EQ(fresh.hidden, c.hidden) << c.press.x << " -> " << c.release.x;
        EXPECT_FALSE(fresh.captured);
    }
}

TEST_F(CaptionInteractionTest, AtTwiceTheDpiTheButtonsAreWhereTheStripDrawsThem) {
    strip.SetDpi(192);
    strip.FormMouseMove(150, 10);  // the help button's place at 96 dpi: now caption
    EXPECT_FALSE(strip.ButtonHighlighted());
    strip.FormMouseMove(330, 16);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"right end", "fill 322 red"}));
    strip.FormMouseDown(337, 23);
    strip.FormMouseUp(337, 23);
    EXPECT_TRUE(window.hidden);
}

TEST_F(CaptionInteractionTest, TheHelpButtonOpensTheManualOnThePress) {
    strip.FormMouseDown(145, 10);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"manual"}));
    EXPECT_FALSE(window.captured);
    strip.FormMouseUp(145, 10);
    EXPECT_FALSE(window.hidden);
}

}  // namespace
}  // namespace lumetra::test
