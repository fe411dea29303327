#include "win32/ApplicationCursor.h"

namespace lumetra {
namespace {

// One GUI thread runs every window of the program, so plain state suffices.
HCURSOR overrideCursor = nullptr;

// Asks the window under the pointer for its pointer, as a move would.
void RefreshPointer() {
    POINT at{};
    if (!::GetCursorPos(&at)) return;
    const HWND window = ::WindowFromPoint(at);
    // Other programs' windows get their next WM_SETCURSOR from the system.
    if (window == nullptr || ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId()) return;
    const LRESULT hit = ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    ::SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                   MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

}  // namespace

void SetApplicationCursor(HCURSOR cursor) {
    overrideCursor = cursor;
    ::SetCursor(cursor);
}

void ClearApplicationCursor() {
    if (overrideCursor == nullptr) return;
    overrideCursor = nullptr;
    RefreshPointer();
}

bool ShowApplicationCursor() {
    if (overrideCursor == nullptr) return false;
    ::SetCursor(overrideCursor);
    return true;
}

}  // namespace lumetra
