#pragma once
// A short message shown beside a point for a few seconds, without taking the
// focus: a tooltip in tracking mode. The window that shows it hides it again
// when its timer kNoticeTimer fires.
#include <string>

#include "common/Types.h"
#include "win32/GdiHandles.h"
#include "win32/HintTip.h"

namespace lumetra {

inline constexpr UINT_PTR kNoticeTimer = 1;
inline constexpr UINT kNoticeMilliseconds = 3000;

class Notice {
public:
    Notice() = default;
    // Empty when the control cannot be created; every call then does nothing.
    static Notice Create(HINSTANCE instance, HWND owner);

    // At a screen point; starts the owner's timer.
    void Show(const std::string& text, Point at);
    // For the owner's kNoticeTimer.
    void Hide();
    // The owner moved to a monitor of this DPI.
    void SetDpi(int dpi) { font_.Apply(window_.get(), dpi); }

    explicit operator bool() const { return static_cast<bool>(window_); }
    HWND Handle() const { return window_.get(); }

private:
    TipFont font_;  // outlives the control that uses it
    UniqueWindow window_;
    HWND owner_ = nullptr;
};

}  // namespace lumetra
