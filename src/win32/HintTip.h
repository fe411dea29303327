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

class HintTip {
public:
    HintTip() = default;
    // Empty when the control cannot be created; every call then does nothing.
    static HintTip Create(HINSTANCE instance, HWND owner);

    void SetText(const std::string& text);
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

    UniqueWindow window_;
    HWND owner_ = nullptr;
    std::string text_;
};

}  // namespace lumetra
