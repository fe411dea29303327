#include "overlay/win32/Notice.h"

#include <commctrl.h>

#include "win32/WindowDpi.h"

namespace lumetra {
namespace {

constexpr UINT_PTR kNoticeTool = 1;

// Placed by the program rather than by the pointer, and shown whatever the
// hints switch says: the user asked for something that did not happen.
TOOLINFOA NoticeTool(HWND owner, char* text) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner;
    tool.uId = kNoticeTool;
    tool.lpszText = text;
    return tool;
}

}  // namespace

// Owned by no window, so only this object destroys it; the tool still
// names the window that shows it.
Notice Notice::Create(HINSTANCE instance, HWND owner) {
    Notice notice;
    notice.window_ = CreateTipControl(instance, nullptr);
    if (!notice.window_) return notice;
    notice.owner_ = owner;
    notice.SetDpi(WindowDpi(owner));
    char empty[] = "";
    TOOLINFOA tool = NoticeTool(owner, empty);
    ::SendMessageA(notice.window_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return notice;
}

void Notice::Show(const std::string& text, Point at) {
    if (!window_) return;
    std::string copy = text;  // the control copies it
    TOOLINFOA tool = NoticeTool(owner_, copy.data());
    ::SendMessageA(window_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(window_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    ::SendMessageA(window_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    ::SetTimer(owner_, kNoticeTimer, kNoticeMilliseconds, nullptr);
}

void Notice::Hide() {
    if (!window_) return;
    ::KillTimer(owner_, kNoticeTimer);
    TOOLINFOA tool = NoticeTool(owner_, nullptr);
    ::SendMessageA(window_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace lumetra
