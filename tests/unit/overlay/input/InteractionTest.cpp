// The overlay's input state machine against a real settings object and a
// window fake that keeps its place and size and records what it was asked to
// do. Drags are driven with a screen-space pointer, so re-based anchors are
// checked the way the user sees them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lang/LangTable.h"
#include "overlay/draw/CaptionStrip.h"
#include "overlay/input/Interaction.h"
#include "settings/AppSettings.h"

namespace lumetra::test {
namespace {

using Calls = std::vector<std::string>;

class FakeWindow : public IOverlayWindow, public IOverlaySink {
public:
    explicit FakeWindow(const TSettings& settings) : settings_(settings) {}

    Point pos{300, 240};
    int fw = 0, fh = 0;
    int dpi = kDefaultDpi;
    bool captured = false;
    CursorShape cursor = CursorShape::Arrow;
    std::optional<CursorShape> override;
    std::string hint;
    Calls calls;

    Point Position() const override { return pos; }
    void SetPosition(Point p) override { pos = p; }
    int FormWidth() const override { return fw; }
    int FormHeight() const override { return fh; }
    int Dpi() const override { return dpi; }
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
    void SetFormCursor(CursorShape shape) override { cursor = shape; }
    void SetCursorOverride(CursorShape shape) override { override = shape; }
    void ClearCursorOverride() override { override.reset(); }
    void SetHintText(const std::string& text) override { hint = text; }
    void ClearHintText() override { hint.clear(); }
    void HideHint() override { calls.push_back("hide-hint"); }
    void DrawButtonStrip() override { calls.push_back("strip"); }
    void FillButtonFace(Point seed, Color color) override {
        calls.push_back("fill " + std::to_string(seed.x) + "," + std::to_string(seed.y) +
                        (color == Rgb(255, 0, 0)       ? " red"
                         : color == Rgb(255, 255, 255) ? " white"
                                                       : " ?"));
    }
    LengthScale MeasuringScale(bool) const override { return {}; }
    // Like the real window: resize and paint only when the size changed.
    void ApplySize() override {
        const int w = settings_.Width() + 2 * settings_.Border();
        const int h = settings_.Height() + 2 * settings_.Border() + CaptionStripAt(dpi).rows;
        if (w == fw && h == fh) return;
        fw = w;
        fh = h;
        calls.push_back("paint");
    }
    void ApplyOpacity() override { calls.push_back("opacity"); }
    void ApplyPlacement(const GuidePlacement& placed) override {
        pos = placed.position;
        ApplySize();
    }
    void MakeFullyTransparent() override { calls.push_back("transparent"); }
    void PaintNow() override { calls.push_back("paint"); }
    void ScheduleRepaint() override { calls.push_back("repaint"); }
    void ToggleSettingsPanel() override { calls.push_back("settings"); }
    void MinimizeApplication() override { calls.push_back("minimize"); }
    void CloseOverlay() override { calls.push_back("close"); }
    void NewGuide() override { calls.push_back("new guide"); }
    void FitToPicture() override { calls.push_back("fit"); }
    void UndoFit() override { calls.push_back("undo fit"); }
    void FitAndFollow() override { calls.push_back("fit and follow"); }
    void ShellOpen(const std::string& target) override { calls.push_back("open " + target); }
    void CopyComposition() override { calls.push_back("copy"); }
    void SaveComposition() override { calls.push_back("save"); }
    void SaveGuideLayer() override { calls.push_back("save guide"); }
    void ShowPictureRatio() override { calls.push_back("ratio"); }
    void RefreshLook() override {}  // the setters' repaints are the window's business
    void RefreshOptions() override {}
    void RefreshLanguage() override {}

private:
    const TSettings& settings_;
};

ShiftState Pressing(MouseButton b) {
    return ShiftState{b == MouseButton::Left ? Held::Left : b == MouseButton::Right ? Held::Right : Held::Middle};
}

// Factory settings: 396 x 245, Border 12, so the window is 420 x 285 at (300, 240).
struct Rig {
    TSettings settings{1920};
    LangTable texts;
    FakeWindow window{settings};
    OverlayInteraction ui{settings, texts, window};

    Rig() {
        settings.SetOverlay(&window);
        window.ApplySize();
        window.calls.clear();
    }
    // Client coordinates.
    void Down(MouseButton b, int x, int y, ShiftState s) { ui.FormMouseDown(b, s, x, y); }
    void Down(MouseButton b, int x, int y) { Down(b, x, y, Pressing(b)); }
    // Screen coordinates, turned into client ones at the window's current place.
    void MoveScreen(Point p) { ui.FormMouseMove(p.x - window.pos.x, p.y - window.pos.y); }
};

TEST(InteractionZones, FirstZoneInTableOrderWinsAndCaptionBandOnlyOnPress) {
    struct Case {
        int x, y;
        HitZone press, move;
    };
    const Case cases[] = {
        // FW 420, FH 285
        {360, 4, HitZone::OrientButton, HitZone::OrientButton},
        {368, 4, HitZone::CaptionBand, HitZone::Body},
        {369, 4, HitZone::LookButton, HitZone::LookButton},
        {378, 11, HitZone::SettingsButton, HitZone::SettingsButton},
        {394, 4, HitZone::HelpButton, HitZone::HelpButton},
        {399, 4, HitZone::MinimizeButton, HitZone::MinimizeButton},
        {415, 11, HitZone::CloseButton, HitZone::CloseButton},
        {416, 4, HitZone::CaptionBand, HitZone::Body},
        {408, 3, HitZone::CaptionBand, HitZone::Body},
        {0, 0, HitZone::TopLeftGrip, HitZone::TopLeftGrip},
        {11, 11, HitZone::TopLeftGrip, HitZone::TopLeftGrip},
        {12, 11, HitZone::CaptionBand, HitZone::Body},
        {0, 24, HitZone::Body, HitZone::Body},
        {396, 261, HitZone::BottomRightGrip, HitZone::BottomRightGrip},
        {419, 284, HitZone::BottomRightGrip, HitZone::BottomRightGrip},
        {395, 284, HitZone::Body, HitZone::Body},
        {420, 284, HitZone::Body, HitZone::Body},
        {-1, 5, HitZone::Body, HitZone::Body},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZoneAt(c.x, c.y, 420, 285, true), c.press) << c.x << "," << c.y;
        EXPECT_EQ(ZoneAt(c.x, c.y, 420, 285, false), c.move) << c.x << "," << c.y;
    }
}

// The pointer's path is given in screen offsets from the press point. The
// point the drag keeps fixed is checked after every step.
TEST(InteractionResize, EveryModeFollowsThePointerAndKeepsItsFixedPoint) {
    enum Fixed { BottomRightCorner, Centre, TopLeftCorner };
    struct Case {
        const char* name;
        Point press;  // client
        MouseButton button;
        bool lock, widthLeads;
        std::vector<Point> path;
        int width, height;
    };
    const Point tl{5, 6}, br{410, 275};
    const Case cases[] = {
        {"1 free", tl, MouseButton::Left, false, true, {{-10, -5}, {-30, -20}}, 426, 265},
        {"1 width leads", tl, MouseButton::Left, true, true, {{20, 3}, {30, 9}}, 366, 226},
        {"1 height leads", tl, MouseButton::Left, true, false, {{3, -10}}, 413, 255},
        {"2 free", tl, MouseButton::Right, false, true, {{-5, -5}, {-10, -15}}, 416, 275},
        {"2 width leads", tl, MouseButton::Middle, true, true, {{10, 0}, {20, 4}}, 356, 220},
        {"3 free", br, MouseButton::Left, false, true, {{30, 20}, {40, 10}}, 436, 255},
        {"3 width leads", br, MouseButton::Left, true, true, {{30, 5}, {60, -7}}, 456, 282},
        {"3 height leads by x", br, MouseButton::Left, true, false, {{20, 0}, {20, 50}}, 429, 265},
        {"3 height leads straight down", br, MouseButton::Left, true, false, {{0, 30}, {0, 60}}, 396, 245},
        {"3 free straight down", br, MouseButton::Left, false, true, {{0, 30}}, 396, 275},
        {"3 free past the minimum", br, MouseButton::Left, false, true, {{-400, -300}, {-390, -290}}, 68, 46},
        {"4 free", br, MouseButton::Middle, false, true, {{10, 6}, {25, 15}}, 446, 275},
        {"4 width leads", br, MouseButton::Right, true, true, {{10, 0}, {30, 3}}, 456, 282},
        {"4 height leads", br, MouseButton::Right, true, false, {{0, 10}, {5, 20}}, 461, 285},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.settings.SetLock(c.lock);
        rig.settings.SetLockWidth(c.widthLeads);
        const Fixed fixed = c.button != MouseButton::Left ? Centre : c.press == tl ? BottomRightCorner : TopLeftCorner;
        // Doubled, so that a centre between two pixels stays an integer.
        const auto fixedPoint = [&] {
            const Point p = rig.window.pos;
            const int w = rig.settings.Width(), h = rig.settings.Height(), b = rig.settings.Border();
            switch (fixed) {
                case BottomRightCorner: return Point{2 * (p.x + b + w), 2 * (p.y + 16 + b + h)};
                case Centre: return Point{2 * (p.x + b) + w, 2 * (p.y + 16 + b) + h};
                case TopLeftCorner: break;
            }
            return Point{2 * p.x, 2 * p.y};
        };
        const Point before = fixedPoint();
        const Point screen{rig.window.pos.x + c.press.x, rig.window.pos.y + c.press.y};
        rig.Down(c.button, c.press.x, c.press.y);
        EXPECT_EQ(rig.window.override, CursorShape::SizeNWSE);
        for (const Point& step : c.path) {
            rig.MoveScreen({screen.x + step.x, screen.y + step.y});
            const Point now = fixedPoint();
            EXPECT_LE(std::abs(now.x - before.x), 1);
            EXPECT_LE(std::abs(now.y - before.y), 1);
        }
        EXPECT_EQ(rig.settings.Width(), c.width);
        EXPECT_EQ(rig.settings.Height(), c.height);
        EXPECT_EQ(rig.window.fw, c.width + 24);
        EXPECT_EQ(rig.window.fh, c.height + 40);

        rig.ui.FormMouseUp(0, 0);
        EXPECT_EQ(rig.ui.ResizeMode(), ResizeDrag::None);
        EXPECT_FALSE(rig.window.captured);
        EXPECT_FALSE(rig.window.override.has_value());
    }
}

TEST(InteractionPress, CaptionBandAndBodyPresses) {
    struct Case {
        const char* name;
        bool moveUsingGrid;
        Point at;
        MouseButton button;
        ShiftState state;
        bool moving, captured;
        int orient, look;
        bool clickThrough = false;
    };
    const Point caption{100, 8}, body{200, 150};
    const Case cases[] = {
        {"caption left", true, caption, MouseButton::Left, {Held::Left}, true, true, 0, 1},
        {"caption right", true, caption, MouseButton::Right, {Held::Right}, false, false, 1, 1},
        {"caption middle", true, caption, MouseButton::Middle, {Held::Middle}, false, false, 0, 2},
        {"caption left, right held", true, caption, MouseButton::Left, {Held::Left, Held::Right}, true, true, 1, 1},
        {"caption, grid off", false, caption, MouseButton::Right, {Held::Right}, false, false, 1, 1},
        {"body left", true, body, MouseButton::Left, {Held::Left}, true, true, 0, 1},
        {"body right", true, body, MouseButton::Right, {Held::Right}, false, false, 1, 1},
        {"body middle", true, body, MouseButton::Middle, {Held::Middle}, false, false, 0, 2},
        {"body left, grid off", false, body, MouseButton::Left, {Held::Left}, false, true, 0, 1},
        {"body right, grid off", false, body, MouseButton::Right, {Held::Right}, false, false, 0, 1},
        {"body middle, grid off", false, body, MouseButton::Middle, {Held::Middle}, false, false, 0, 1},
        {"button right", true, {360, 4}, MouseButton::Right, {Held::Right}, false, false, 0, 1},
        {"caption left, right held, click-through",
         true,
         caption,
         MouseButton::Left,
         {Held::Left, Held::Right},
         false,
         false,
         0,
         1,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.settings.SetMoveUsingGrid(c.moveUsingGrid);
        rig.settings.SetClickThrough(c.clickThrough);
        rig.Down(c.button, c.at.x, c.at.y, c.state);
        EXPECT_EQ(rig.ui.Moving(), c.moving);
        EXPECT_EQ(rig.window.captured, c.captured);
        EXPECT_EQ(rig.settings.OrientMode(), c.orient);
        EXPECT_EQ(rig.settings.LookMode(), c.look);
        // Moving the pointer moves the window only while a move drag runs.
        rig.ui.FormMouseMove(c.at.x + 7, c.at.y + 9);
        EXPECT_EQ(rig.window.pos, (c.moving ? Point{307, 249} : Point{300, 240}));
    }
}

TEST(InteractionMove, ADragHoldsOnWhenTheStripChangesUnderThePointer) {
    // The caption strip grows by 16 rows on another monitor: the window's top
    // moves up, and the pointer, still, is 16 rows further down in it.
    struct Case {
        const char* name;
        Point press;
        MouseButton button;
    };
    const Case cases[] = {{"caption move", {100, 8}, MouseButton::Left},
                          {"top-left resize", {5, 5}, MouseButton::Left},
                          {"centred resize", {5, 5}, MouseButton::Right}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.Down(c.button, c.press.x, c.press.y);
        rig.window.pos.y -= 16;
        rig.ui.TopMoved(-16);
        rig.MoveScreen({300 + c.press.x, 240 + c.press.y});
        EXPECT_EQ(rig.window.pos, (Point{300, 224}));
        EXPECT_EQ(rig.settings.Width(), 396);
        EXPECT_EQ(rig.settings.Height(), 245);
    }
}

TEST(InteractionPress, GripsWithoutMouseResize) {
    struct Case {
        Point at;
        bool moveUsingGrid, moving;
    };
    const Case cases[] = {{{5, 5}, false, true}, {{410, 275}, true, true}, {{410, 275}, false, false}};
    for (const Case& c : cases) {
        Rig rig;
        rig.settings.SetMouseResizeAllowed(false);
        rig.settings.SetMoveUsingGrid(c.moveUsingGrid);
        rig.Down(MouseButton::Left, c.at.x, c.at.y);
        EXPECT_EQ(rig.ui.ResizeMode(), ResizeDrag::None);
        EXPECT_FALSE(rig.window.override.has_value());
        EXPECT_EQ(rig.ui.Moving(), c.moving);
        EXPECT_TRUE(rig.window.captured);
    }
}

TEST(InteractionMove, TopLeftGripMovesOnlyOncePointerLeavesIt) {
    Rig rig;
    rig.settings.SetMouseResizeAllowed(false);
    rig.Down(MouseButton::Left, 5, 5);
    rig.ui.FormMouseMove(8, 11);
    EXPECT_EQ(rig.window.pos, (Point{300, 240}));
    rig.ui.FormMouseMove(20, 11);
    EXPECT_EQ(rig.window.pos, (Point{315, 246}));
    EXPECT_EQ(rig.window.cursor, CursorShape::Arrow);
}

TEST(InteractionRelease, ButtonsActOnReleaseOfAnyMouseButton) {
    struct Case {
        Point at;
        const char* call;
        int orient, look;
    };
    const Case cases[] = {
        {{360, 4}, "paint", 1, 1},    {{369, 4}, "paint", 0, 2},
        {{378, 4}, "settings", 0, 1}, {{387, 4}, "open Manual\\index.html", 0, 1},
        {{399, 4}, "minimize", 0, 1}, {{408, 4}, "close", 0, 1},
    };
    for (MouseButton b : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.call);
            Rig rig;
            rig.Down(b, c.at.x, c.at.y);
            EXPECT_TRUE(rig.window.calls.empty());
            rig.ui.FormMouseUp(c.at.x + 7, c.at.y + 7);
            EXPECT_EQ(rig.window.calls, Calls{c.call});
            EXPECT_EQ(rig.settings.OrientMode(), c.orient);
            EXPECT_EQ(rig.settings.LookMode(), c.look);
        }
    }
}

TEST(InteractionRelease, PressOnButtonReleasedElsewhereRunsNothing) {
    Rig rig;
    rig.Down(MouseButton::Left, 408, 4);
    rig.ui.FormMouseUp(200, 150);
    EXPECT_TRUE(rig.window.calls.empty());
    EXPECT_EQ(rig.settings.LookMode(), 1);
}

TEST(InteractionRelease, BodyPressReleasedOnCloseClosesWithGridMoveOff) {
    Rig rig;
    rig.settings.SetMoveUsingGrid(false);
    rig.Down(MouseButton::Left, 200, 150);
    rig.ui.FormMouseMove(410, 5);
    rig.ui.FormMouseUp(410, 5);
    EXPECT_EQ(rig.window.calls.back(), "close");
    EXPECT_FALSE(rig.window.captured);
}

// A drag released over a button must not keep following the pointer.
TEST(InteractionRelease, ReleaseOverButtonEndsTheDrag) {
    Rig rig;
    rig.Down(MouseButton::Left, 100, 8);
    rig.ui.FormMouseMove(362, 6);  // over a button the window does not follow
    rig.ui.FormMouseUp(362, 6);
    EXPECT_EQ(rig.settings.OrientMode(), 1);
    EXPECT_FALSE(rig.ui.Moving());
    EXPECT_FALSE(rig.window.captured);
    rig.ui.FormMouseMove(150, 100);
    EXPECT_EQ(rig.window.pos, (Point{300, 240}));
}

// When the system takes the capture away mid-drag, or a move comes with every
// button up though no release came, later moves must neither move nor resize
// the window.
TEST(InteractionRelease, LostCaptureOrReleaseEndsTheDrag) {
    struct Case {
        const char* name;
        MouseButton button;
        Point press;
        void (OverlayInteraction::*lost)();
    };
    const Case cases[] = {
        {"move by the caption", MouseButton::Left, {100, 8}, &OverlayInteraction::CaptureLost},
        {"resize by the bottom-right grip", MouseButton::Left, {410, 275}, &OverlayInteraction::CaptureLost},
        {"centred resize by the top-left grip", MouseButton::Right, {3, 3}, &OverlayInteraction::CaptureLost},
        {"move, its release lost", MouseButton::Left, {100, 8}, &OverlayInteraction::ButtonsUp},
        {"resize, its release lost", MouseButton::Left, {410, 275}, &OverlayInteraction::ButtonsUp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.Down(c.button, c.press.x, c.press.y);
        (rig.ui.*c.lost)();
        rig.MoveScreen({300 + c.press.x - 40, 240 + c.press.y - 30});
        EXPECT_EQ(rig.window.pos, (Point{300, 240}));
        EXPECT_EQ(rig.settings.Width(), 396);
        EXPECT_FALSE(rig.window.override.has_value());
        EXPECT_FALSE(rig.ui.MouseCaptured());
    }
}

TEST(InteractionHover, HighlightFollowsThePointerAcrossButtonsGripsAndBody) {
    Rig rig;
    rig.settings.SetSFrame(false);  // the buttons react even when not drawn
    rig.texts.Merge("MCloseButtonHint", "Close");
    struct Step {
        Point at;
        Calls calls;
        CursorShape cursor;
        std::string hint;
        bool highlighted;
    };
    const Step steps[] = {
        {{360, 4}, {"strip", "fill 360,4 white"}, CursorShape::Hand, "MOrientButtonHint", true},
        {{369, 11}, {"strip", "fill 369,4 white"}, CursorShape::Hand, "MLookButtonHint", true},
        {{378, 4}, {"strip", "fill 378,4 white"}, CursorShape::Hand, "MSettingsButtonHint", true},
        {{387, 4}, {"strip", "fill 387,4 white"}, CursorShape::Hand, "MHelpButtonHint", true},
        {{399, 4}, {"strip", "fill 399,4 white"}, CursorShape::Hand, "MMinimizeButtonHint", true},
        {{408, 4}, {"strip", "fill 408,4 red"}, CursorShape::Hand, "Close", true},
        {{400, 270}, {}, CursorShape::SizeNWSE, "Close", true},
        {{200, 5}, {"strip", "hide-hint"}, CursorShape::Arrow, "", false},
        {{200, 150}, {"hide-hint"}, CursorShape::Arrow, "", false},
    };
    for (const Step& s : steps) {
        rig.window.calls.clear();
        rig.ui.FormMouseMove(s.at.x, s.at.y);
        EXPECT_EQ(rig.window.calls, s.calls) << s.at.x << "," << s.at.y;
        EXPECT_EQ(rig.window.cursor, s.cursor);
        EXPECT_EQ(rig.window.hint, s.hint);
        EXPECT_EQ(rig.ui.ButtonHighlighted(), s.highlighted);
    }
}

struct Outcome {
    int width = 396, height = 245, opacity = 90, grid = 8, look = 1, orient = 0, units = 0;
    bool frame = true;
    Point pos{300, 240};
    Calls calls;
};

void ExpectOutcome(const Rig& rig, const Outcome& want) {
    EXPECT_EQ(rig.settings.Width(), want.width);
    EXPECT_EQ(rig.settings.Height(), want.height);
    EXPECT_EQ(rig.settings.Opacity(), want.opacity);
    EXPECT_EQ(rig.settings.GridSize(), want.grid);
    EXPECT_EQ(rig.settings.LookMode(), want.look);
    EXPECT_EQ(rig.settings.OrientMode(), want.orient);
    EXPECT_EQ(rig.settings.SFrame(), want.frame);
    EXPECT_EQ(rig.settings.Units(), want.units);
    EXPECT_EQ(rig.window.pos, want.pos);
    EXPECT_EQ(rig.window.calls, want.calls);
}

TEST(InteractionWheel, ModifierSetPicksTheEffect) {
    struct Case {
        const char* name;
        ShiftState state;
        int delta, look;
        bool lock, widthLeads, wheelAllowed;
        Outcome want;
        bool clickThrough = false;
    };
    const ShiftState none{}, alt{Held::Alt}, ctrl{Held::Ctrl}, shift{Held::Shift};
    const Case cases[] = {
        {"alt away", alt, 120, 1, true, true, true, {.opacity = 98, .calls = {"opacity", "opacity"}}},
        {"alt towards", alt, -120, 1, true, true, true, {.opacity = 82, .calls = {"opacity", "opacity"}}},
        {"alt fine delta", alt, 14, 1, true, true, true, {.calls = {"opacity"}}},
        {"alt fine negative", alt, -29, 1, true, true, true, {.opacity = 89, .calls = {"opacity", "opacity"}}},
        {"ctrl away", ctrl, 120, 1, true, true, true, {.width = 395, .height = 244, .calls = {"paint"}}},
        {"ctrl towards", ctrl, -120, 1, true, true, true, {.width = 397, .height = 245, .calls = {"paint"}}},
        {"plain away", none, 120, 1, true, true, true, {.width = 386, .height = 239, .calls = {"paint"}}},
        {"plain two notches", none, -240, 1, true, true, true, {.width = 406, .height = 251, .calls = {"paint"}}},
        {"plain zero", none, 0, 1, true, true, true, {}},
        {"shift+ctrl",
         {Held::Shift, Held::Ctrl},
         120,
         1,
         true,
         true,
         true,
         {.width = 386, .height = 239, .calls = {"paint"}}},
        {"alt with button",
         {Held::Alt, Held::Left},
         120,
         1,
         true,
         true,
         true,
         {.width = 386, .height = 239, .calls = {"paint"}}},
        {"ctrl with side button",
         {Held::Ctrl, Held::Back},
         120,
         1,
         true,
         true,
         true,
         {.width = 386, .height = 239, .calls = {"paint"}}},
        {"shift with side button",
         {Held::Shift, Held::Forward},
         120,
         0,
         true,
         true,
         true,
         {.width = 386, .height = 239, .look = 0, .calls = {"paint"}}},
        {"height leads", none, 120, 1, true, false, true, {.width = 380, .height = 235, .calls = {"paint"}}},
        {"free, width leads", none, 120, 1, false, true, true, {.width = 386, .calls = {"paint"}}},
        {"free, height leads", none, 120, 1, false, false, true, {.height = 235, .calls = {"paint"}}},
        {"shift on grid look", shift, 120, 0, true, true, true, {.grid = 9, .look = 0, .calls = {"repaint"}}},
        {"shift towards on grid", shift, -360, 0, true, true, true, {.grid = 7, .look = 0, .calls = {"repaint"}}},
        {"shift on other look", shift, 120, 1, true, true, true, {}},
        {"wheel not allowed", none, 120, 1, true, true, false, {}},
        {"click-through guide", none, 120, 1, true, true, true, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.settings.SetLookMode(c.look);
        rig.settings.SetLock(c.lock);
        rig.settings.SetLockWidth(c.widthLeads);
        rig.settings.SetMouseWheelAllowed(c.wheelAllowed);
        rig.settings.SetClickThrough(c.clickThrough);
        rig.ui.FormMouseWheel(c.state, c.delta);
        ExpectOutcome(rig, c.want);
    }
}

TEST(InteractionWheel, AltOpacityStopsAtTheTop) {
    Rig rig;
    const std::pair<int, int> notches[] = {{120, 98}, {120, 98}, {-120, 90}};
    for (const auto& [delta, opacity] : notches) {
        rig.ui.FormMouseWheel({Held::Alt}, delta);
        EXPECT_EQ(rig.settings.Opacity(), opacity);
    }
}

TEST(InteractionKeys, KeyTable) {
    struct Case {
        const char* name;
        VirtualKey key;
        ShiftState state;
        bool widthLeads;
        Outcome want;
    };
    const ShiftState none{}, ctrl{Held::Ctrl}, shift{Held::Shift};
    const Case cases[] = {
        {"shift plus", VirtualKey::Add, shift, true, {.grid = 24, .calls = {}}},
        {"shift ctrl plus", VirtualKey::Add, {Held::Shift, Held::Ctrl}, true, {.grid = 9, .calls = {}}},
        {"shift minus keeps 3", VirtualKey::Subtract, shift, true, {.grid = 3, .calls = {}}},
        {"shift arrow", VirtualKey::Left, shift, true, {}},
        {"shift enter", VirtualKey::Return, shift, true, {}},
        {"left", VirtualKey::Left, none, true, {.pos = {284, 240}, .calls = {}}},
        {"ctrl left", VirtualKey::Left, ctrl, true, {.pos = {299, 240}, .calls = {}}},
        {"alt right", VirtualKey::Right, {Held::Alt}, true, {.pos = {316, 240}, .calls = {}}},
        {"ctrl down", VirtualKey::Down, ctrl, true, {.pos = {300, 241}, .calls = {}}},
        {"enter", VirtualKey::Return, none, true, {.look = 2, .calls = {"paint"}}},
        {"space", VirtualKey::Space, none, true, {.orient = 1, .calls = {"paint"}}},
        {"keypad star", VirtualKey::Multiply, none, true, {.frame = false, .calls = {"paint"}}},
        {"f4", VirtualKey::F4, none, true, {.frame = false, .calls = {"paint"}}},
        {"plus", VirtualKey::Add, none, true, {.width = 412, .height = 255, .calls = {"paint"}}},
        {"ctrl plus", VirtualKey::Add, ctrl, true, {.width = 397, .height = 245, .calls = {"paint"}}},
        {"minus", VirtualKey::Subtract, none, true, {.width = 380, .height = 235, .calls = {"paint"}}},
        {"plus, height leads", VirtualKey::Add, none, false, {.width = 422, .height = 261, .calls = {"paint"}}},
        {"keypad slash", VirtualKey::Divide, none, true, {.calls = {"transparent"}}},
        {"f3", VirtualKey::F3, none, true, {.calls = {"transparent"}}},
        {"f1", VirtualKey::F1, none, true, {.calls = {"open Manual\\index.html"}}},
        {"f2", VirtualKey::F2, none, true, {.calls = {"settings"}}},
        {"other", VirtualKey::Other, none, true, {}},
        {"ctrl n", VirtualKey::N, ctrl, true, {.calls = {"new guide"}}},
        {"n alone", VirtualKey::N, none, true, {}},
        {"ctrl shift n", VirtualKey::N, {Held::Ctrl, Held::Shift}, true, {}},
        {"ctrl alt n", VirtualKey::N, {Held::Ctrl, Held::Alt}, true, {}},
        {"f", VirtualKey::F, none, true, {.calls = {"fit"}}},
        {"ctrl f", VirtualKey::F, ctrl, true, {}},
        {"alt f", VirtualKey::F, {Held::Alt}, true, {}},
        {"shift f", VirtualKey::F, shift, true, {.calls = {"fit and follow"}}},
        {"ctrl shift f", VirtualKey::F, {Held::Ctrl, Held::Shift}, true, {}},
        {"ctrl z", VirtualKey::Z, ctrl, true, {.calls = {"undo fit"}}},
        {"z alone", VirtualKey::Z, none, true, {}},
        {"ctrl shift z", VirtualKey::Z, {Held::Ctrl, Held::Shift}, true, {}},
        {"ctrl c", VirtualKey::C, ctrl, true, {.calls = {"copy"}}},
        {"c alone", VirtualKey::C, none, true, {}},
        {"ctrl shift c", VirtualKey::C, {Held::Ctrl, Held::Shift}, true, {}},
        {"ctrl s", VirtualKey::S, ctrl, true, {.calls = {"save"}}},
        {"ctrl shift s", VirtualKey::S, {Held::Ctrl, Held::Shift}, true, {.calls = {"save guide"}}},
        {"ctrl alt s", VirtualKey::S, {Held::Ctrl, Held::Alt}, true, {}},
        {"shift s", VirtualKey::S, shift, true, {}},
        {"r", VirtualKey::R, none, true, {.calls = {"ratio"}}},
        {"ctrl r", VirtualKey::R, ctrl, true, {}},
        {"u", VirtualKey::U, none, true, {.units = 1, .calls = {}}},
        {"shift u", VirtualKey::U, shift, true, {}},
        {"ctrl u", VirtualKey::U, ctrl, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.settings.SetLockWidth(c.widthLeads);
        rig.ui.FormKeyDown(c.key, c.state);
        ExpectOutcome(rig, c.want);
    }
}

// Following a picture ends where the user takes the guide in hand: moving
// or sizing it, or taking the fit back; looks, hovering and clicks keep it.
TEST(InteractionFollow, MovingOrSizingTheGuideEndsFollowing) {
    struct Case {
        const char* name;
        void (*act)(Rig&);
        bool following;
    };
    const Case cases[] = {
        {"caption drag",
         [](Rig& r) {
             r.Down(MouseButton::Left, 100, 5);
             r.MoveScreen({420, 250});
         },
         false},
        {"grip resize",
         [](Rig& r) {
             r.Down(MouseButton::Left, 410, 275);
             r.MoveScreen({725, 520});
         },
         false},
        {"centred resize",
         [](Rig& r) {
             r.Down(MouseButton::Right, 5, 5);
             r.MoveScreen({290, 230});
         },
         false},
        {"arrow key", [](Rig& r) { r.ui.FormKeyDown(VirtualKey::Up, {}); }, false},
        {"keypad plus", [](Rig& r) { r.ui.FormKeyDown(VirtualKey::Add, {}); }, false},
        {"wheel", [](Rig& r) { r.ui.FormMouseWheel({}, 120); }, false},
        {"ctrl z", [](Rig& r) { r.ui.FormKeyDown(VirtualKey::Z, {Held::Ctrl}); }, false},
        {"caption press and release in place",
         [](Rig& r) {
             r.Down(MouseButton::Left, 100, 5);
             r.MoveScreen({400, 245});
             r.ui.FormMouseUp(100, 5);
         },
         true},
        {"hover",
         [](Rig& r) {
             r.MoveScreen({500, 400});
         },
         true},
        {"next look", [](Rig& r) { r.ui.FormKeyDown(VirtualKey::Return, {}); }, true},
        {"shift wheel grid step", [](Rig& r) { r.ui.FormMouseWheel({Held::Shift}, 120); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.settings.SetLookMode(0);
        rig.settings.SetFollowPicture(true);
        c.act(rig);
        EXPECT_EQ(rig.settings.FollowPicture(), c.following);
    }
}

TEST(InteractionKeys, OnlySlashAndF3KeyUpRestoreOpacity) {
    struct Case {
        VirtualKey key;
        Calls calls;
    };
    const Case cases[] = {
        {VirtualKey::Divide, {"opacity"}}, {VirtualKey::F3, {"opacity"}}, {VirtualKey::Add, {}}, {VirtualKey::F4, {}}};
    for (const Case& c : cases) {
        Rig rig;
        rig.ui.FormKeyUp(c.key);
        EXPECT_EQ(rig.window.calls, c.calls);
    }
}

TEST(InteractionActions, CyclesWrapAround) {
    Rig rig;
    rig.settings.SetLookMode(kBuiltInLookCount - 1);
    rig.settings.SetOrientMode(3);
    rig.ui.ActionLook();
    rig.ui.ActionOrient();
    rig.ui.ActionFrame();
    rig.ui.ActionFrame();
    ExpectOutcome(rig, {.look = 0, .orient = 0, .calls = {"paint", "paint", "paint", "paint"}});
}

}  // namespace
}  // namespace lumetra::test
