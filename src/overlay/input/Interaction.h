#pragma once
// Mouse, wheel and keyboard handling of the overlay: hit zones, the
// press/move/release state machine for moving and resizing, the hover
// highlight of the caption buttons, and the overlay's six actions. The
// window is reached only through IOverlayWindow, so the Win32 form merely
// translates messages into these calls.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/Dpi.h"
#include "common/Types.h"

namespace lumetra {

class TSettings;
class LangTable;

enum class MouseButton { Left, Right, Middle };

// Modifier keys and mouse buttons held while an event happened.
enum class Held : std::uint8_t {
    Shift = 1u << 0,
    Ctrl = 1u << 1,
    Alt = 1u << 2,
    Left = 1u << 3,
    Right = 1u << 4,
    Middle = 1u << 5,
    // The side buttons: held, they make a wheel turn plain, as any button does.
    Back = 1u << 6,
    Forward = 1u << 7,
};

class ShiftState {
public:
    constexpr ShiftState() = default;
    constexpr ShiftState(std::initializer_list<Held> held) {
        for (Held h : held) bits_ = static_cast<std::uint8_t>(bits_ | static_cast<std::uint8_t>(h));
    }
    constexpr bool Has(Held h) const { return (bits_ & static_cast<std::uint8_t>(h)) != 0; }
    // This state with h held as well.
    constexpr ShiftState With(Held h) const {
        ShiftState state = *this;
        state.bits_ = static_cast<std::uint8_t>(bits_ | static_cast<std::uint8_t>(h));
        return state;
    }
    friend constexpr bool operator==(ShiftState, ShiftState) = default;

private:
    std::uint8_t bits_ = 0;
};

// The keys the overlay reacts to; the window maps everything else to Other.
enum class VirtualKey {
    Return,
    Space,
    Left,
    Right,
    Up,
    Down,
    Multiply,
    Add,
    Subtract,
    Divide,
    F1,
    F2,
    F3,
    F4,
    F,
    N,
    Z,
    C,
    S,
    R,
    U,
    Other,
};

enum class CursorShape { Arrow, SizeNWSE, Hand };

// In the order they are tested; the first that contains the point wins.
enum class HitZone {
    OrientButton,
    LookButton,
    SettingsButton,
    HelpButton,
    MinimizeButton,
    CloseButton,
    TopLeftGrip,
    BottomRightGrip,
    CaptionBand,  // only for presses; on moves it is part of the body
    Body,
};

// The resize drag in progress and the point it keeps fixed.
enum class ResizeDrag : std::int32_t {
    None = 0,
    TopLeft = 1,             // left button: bottom-right corner of the content
    TopLeftCentred = 2,      // other button: centre of the content
    BottomRight = 3,         // left button: the window's top-left corner
    BottomRightCentred = 4,  // other button: centre of the content
};

inline constexpr Color kButtonHighlight = Rgb(255, 255, 255);
inline constexpr Color kCloseHighlight = Rgb(255, 0, 0);
inline constexpr char kManualPath[] = "Manual\\index.html";  // relative to the current folder

// What the interaction needs from the overlay window. FW and FH are the
// window's own size, kept at Width + 2 Border and Height + 2 Border + the
// caption strip's rows.
class IOverlayWindow {
public:
    virtual ~IOverlayWindow() = default;

    virtual Point Position() const = 0;  // left and top on the screen
    virtual void SetPosition(Point topLeft) = 0;
    virtual int FormWidth() const = 0;
    virtual int FormHeight() const = 0;
    // The DPI of the monitor the window is on, which sizes its caption strip.
    virtual int Dpi() const = 0;

    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;

    virtual void SetFormCursor(CursorShape shape) = 0;      // shown over the overlay
    virtual void SetCursorOverride(CursorShape shape) = 0;  // over every window of the program
    virtual void ClearCursorOverride() = 0;

    virtual void SetHintText(const std::string& text) = 0;
    virtual void ClearHintText() = 0;
    virtual void HideHint() = 0;

    // "ZTRCORNER" at the button strip's left and the orientation mark (which is drawn only
    // while SFrame is on), straight onto the window so the next paint removes
    // them.
    virtual void DrawButtonStrip() = 0;
    // Fills the area around seed bounded by RGB(128,128,128), on the window.
    virtual void FillButtonFace(Point seed, Color color) = 0;

    virtual void ApplySize() = 0;
    virtual void ApplyOpacity() = 0;
    virtual void MakeFullyTransparent() = 0;  // alpha blending on with alpha 0
    virtual void PaintNow() = 0;
    virtual void ScheduleRepaint() = 0;

    virtual void ToggleSettingsPanel() = 0;  // brings it to the front when it shows it
    virtual void MinimizeApplication() = 0;
    // Closes this guide; closing the last one ends the program.
    virtual void CloseOverlay() = 0;
    // Opens another guide beside this one, or tells that no more can be had.
    virtual void NewGuide() = 0;
    // Lays the guide onto the picture under the pointer (or under its own
    // centre), or tells that there is none; and takes the last fit back.
    virtual void FitToPicture() = 0;
    virtual void UndoFit() = 0;
    // Fits the guide as FitToPicture does and, when it found a picture,
    // keeps the guide on it as it moves (FollowPicture).
    virtual void FitAndFollow() = 0;
    virtual void ShellOpen(const std::string& target) = 0;
    // The screen inside the measured area with the guide on top: to the
    // clipboard, or into a PNG file the user names. The guide's drawing
    // alone, as SVG or as a PNG with a transparent background.
    virtual void CopyComposition() = 0;
    virtual void SaveComposition() = 0;
    virtual void SaveGuideLayer() = 0;
    // The measured area's size and the nearest named ratio, in a notice.
    virtual void ShowPictureRatio() = 0;
};

// Lz <= x < Lz + w and Tz <= y < Tz + h.
constexpr bool HitTest(int x, int y, int left, int top, int width, int height) {
    return left <= x && x < left + width && top <= y && y < top + height;
}

// The zone of a client point in a window of fw x fh on a monitor of dpi; the
// caption band is considered only for presses.
HitZone ZoneAt(int x, int y, int fw, int fh, bool press, int dpi = kDefaultDpi);

class OverlayInteraction {
public:
    OverlayInteraction(TSettings& settings, const LangTable& texts, IOverlayWindow& window);

    void FormMouseDown(MouseButton button, ShiftState state, int x, int y);
    void FormMouseMove(int x, int y);
    // Any button ends the drag; none of them is told apart.
    void FormMouseUp(int x, int y);
    // The system took the capture away (another window grabbed it, or the
    // program was switched away from): the drag ends where it stands.
    void CaptureLost();
    // A move came with every mouse button up although no release did (the
    // system may lose one while the focus changes hands): a drag ends where
    // it stands, as at a release that runs no button.
    void ButtonsUp();
    void FormMouseWheel(ShiftState state, int delta);
    // The window's top moved by dy on the screen while the pointer stayed,
    // as when its caption strip changed with the DPI: a drag in progress
    // holds on to where the pointer is on the screen, so the measured area
    // does not jump at the next move.
    void TopMoved(int dy);
    void FormKeyDown(VirtualKey key, ShiftState state);
    void FormKeyUp(VirtualKey key);

    // The overlay's ActionManager.
    void ActionOrient();
    void ActionLook();
    void ActionFrame();
    void ActionShowSettings();
    void ActionMinimize();
    void ActionExit();
    void ActionNewGuide();

    bool ButtonHighlighted() const { return buttonHighlighted_; }
    bool Moving() const { return moving_; }
    ResizeDrag ResizeMode() const { return resizeMode_; }
    bool MouseCaptured() const { return mouseCaptured_; }
    int AnchorX() const { return anchorX_; }
    int AnchorY() const { return anchorY_; }

private:
    void StartCapture(int x, int y);
    void RunPressShortcut(ShiftState state);
    void ResizeStep(int x, int y);
    // The user moved or sized the guide: it no longer keeps to a picture.
    void StopFollowing();
    // Lets go of the mouse and ends any drag.
    void EndDrag();
    void Hover(int x, int y);
    void HighlightButton(HitZone button);
    void RunButton(HitZone button);
    void ResizeLeading(int delta);

    TSettings& settings_;
    const LangTable& texts_;
    IOverlayWindow& window_;

    bool buttonHighlighted_ = false;
    bool moving_ = false;
    ResizeDrag resizeMode_ = ResizeDrag::None;
    bool mouseCaptured_ = false;
    int anchorX_ = 0;
    int anchorY_ = 0;
};

}  // namespace lumetra
