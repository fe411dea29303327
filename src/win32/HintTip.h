#pragma once
// The overlay's tooltip: one tool covering the whole window, whose text the
// interaction sets as the pointer crosses the caption buttons. An empty text
// shows nothing.
#include <string>

#include "win32/GdiHandles.h"

namespace lumetra {

// A tooltip control in the hint colour, without the theme that would paint
// over it; empty when it cannot be created.
UniqueWindow CreateTipControl(HINSTANCE instance, HWND owner);

// A tooltip's text at the DPI of the monitor its owner is on. The control
// takes the system's status font, which is sized for the system's DPI; on a
// monitor of another DPI it is given the same font at that monitor's size.
class TipFont {
public:
    void Apply(HWND tip, int dpi);

private:
    UniqueFont font_;  // empty while the control keeps its own font
};

class HintTip {
public:
    HintTip() = default;
    // Empty when the control cannot be created; every call then does nothing.
    static HintTip Create(HINSTANCE instance, HWND owner);

    void SetText(const std::string& text);
    // The owner moved to a monitor of this DPI.
    void SetDpi(int dpi) { font_.Apply(window_.get(), dpi); }
    void Hide();
    // Tooltips show only while active.
    void Activate(bool active);

    HWND Handle() const { return window_.get(); }

    // Destroys the control; call before the owner goes.
    void Destroy() { window_.reset(); }
    // The system destroyed the control together with its owner.
    void Forget() { (void)window_.release(); }

private:
    void SendText();

    TipFont font_;  // outlives the control that uses it
    UniqueWindow window_;
    HWND owner_ = nullptr;
    std::string text_;
};

}  // namespace lumetra
