#include "overlay/win32/Notice.h"

#include <commctrl.h>

#include "win32/WideText.h"
#include "win32/WindowDpi.h"

namespace lumetra {
namespace {

constexpr UINT_PTR kNoticeTool = 1;

// Placed by the program rather than by the pointer, and shown whatever the
// hints switch says: the user asked for something that did not happen.
TOOLINFOW NoticeTool(HWND owner, wchar_t* text) {
    TOOLINFOW tool{};
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
    wchar_t empty[] = L"";
    TOOLINFOW tool = NoticeTool(owner, empty);
    ::SendMessageW(notice.window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return notice;
}

void Notice::Show(const std::string& text, Point at) {
    if (!window_) return;
    std::wstring copy = Wide(text);  // the control copies it
    TOOLINFOW tool = NoticeTool(owner_, copy.data());
    ::SendMessageW(window_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(window_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    ::SendMessageW(window_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    ::SetTimer(owner_, kNoticeTimer, kNoticeMilliseconds, nullptr);
}

void Notice::Hide() {
    if (!window_) return;
    ::KillTimer(owner_, kNoticeTimer);
    TOOLINFOW tool = NoticeTool(owner_, nullptr);
    ::SendMessageW(window_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace lumetra
