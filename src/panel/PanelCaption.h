#pragma once
// The settings panel's own caption strip: how it is painted, its help and
// close buttons, and dragging the panel by it. The window is reached through
// ICaptionWindow, so the Win32 form only translates messages into calls.
#include <string>
#include <string_view>

#include "common/Dpi.h"
#include "common/Types.h"

namespace lumetra {

class Canvas;

inline constexpr int kPanelWidth = 173;
inline constexpr int kPanelHeight = 364;
inline constexpr int kPanelCaptionHeight = 16;
inline constexpr Color kPanelKeyColor = Rgb(142, 109, 146);
inline constexpr Color kPanelCaptionActive = Rgb(128, 128, 128);
inline constexpr Color kPanelCaptionInactive = Rgb(192, 192, 192);
// The right end image, which holds the button boxes.
inline constexpr int kPanelRightEndX = kPanelWidth - 37;

// The strip at a dpi: its pictures are scaled by nearest neighbour, so the
// button faces are where the scaled right end picture shows them.
int PanelCaptionHeight(int dpi);
int PanelRightEndX(int dpi);

enum class CaptionZone { Help, Close, Elsewhere };

// At 96 dpi help is x in [W - 33, W - 25), close x in [W - 12, W - 4), both
// rows 4..11; at another dpi, those faces in the scaled picture.
Rect PanelButtonFace(CaptionZone button, int dpi);
CaptionZone CaptionZoneAt(int x, int y, int dpi = kDefaultDpi);

// The whole strip, composed off-screen on a surface of the panel's width.
void ComposePanelCaption(Canvas& canvas, std::string_view caption, bool active, int dpi = kDefaultDpi);

enum class CaptionCursor { Arrow, Hand };

class ICaptionWindow {
public:
    virtual ~ICaptionWindow() = default;
    virtual Point Position() const = 0;  // left and top on the screen
    virtual void SetPosition(Point topLeft) = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual void SetCursor(CaptionCursor cursor) = 0;
    virtual void SetHintText(const std::string& text) = 0;
    // Clears the hint and withdraws a tooltip now on screen.
    virtual void ClearHint() = 0;
    // The right end image straight onto the window, over any highlight.
    virtual void DrawRightEnd() = 0;
    // Fills the area around seed bounded by RGB(128,128,128), on the window.
    virtual void FillButtonFace(Point seed, Color color) = 0;
    virtual void Hide() = 0;
    virtual void OpenManual() = 0;
};

// Presses, moves and releases on the strip, in client coordinates; moves
// also arrive from outside the strip while the mouse is captured.
class CaptionInteraction {
public:
    // The hint texts are looked up at each movement, so a language change
    // reaches them at once.
    using HintText = std::string (*)(std::string_view key);
    CaptionInteraction(ICaptionWindow& window, HintText hintText) : window_(window), hintText_(hintText) {}

    void FormMouseDown(int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(int x, int y);
    // The system took the capture away: the drag ends where it is.
    void CaptureLost();
    // The window moved to a monitor of another dpi.
    void SetDpi(int dpi) { dpi_ = dpi; }

    bool Moving() const { return moving_; }
    bool ButtonHighlighted() const { return buttonHighlighted_; }

private:
    void Highlight(Point seed, Color color, std::string_view hintKey);

    ICaptionWindow& window_;
    HintText hintText_;
    int dpi_ = kDefaultDpi;
    bool buttonHighlighted_ = false;
    bool moving_ = false;
    bool mouseCaptured_ = false;
    int anchorX_ = 0;
    int anchorY_ = 0;
};

}  // namespace lumetra
