#include "panel/win32/HotKeyControl.h"

// After the platform header, which it needs.
#include <commctrl.h>

#include <string>

#include "win32/GdiHandles.h"
#include "win32/WideText.h"

namespace lumetra {
namespace {

constexpr int kTextMargin = 2;

struct ModifierPair {
    std::uint8_t ours;
    BYTE control;
};

constexpr ModifierPair kModifiers[] = {
    {kHotKeyCtrl, HOTKEYF_CONTROL},
    {kHotKeyShift, HOTKEYF_SHIFT},
    {kHotKeyAlt, HOTKEYF_ALT},
};

// Keys of the navigation block: without the extended mark the control names
// the numeric keypad's keys instead.
bool IsExtendedKey(std::uint8_t key) {
    switch (key) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_INSERT:
        case VK_DELETE: return true;
        default: return false;
    }
}

bool WinKeyDown() { return ::GetKeyState(VK_LWIN) < 0 || ::GetKeyState(VK_RWIN) < 0; }

HotKey ControlHotKey(HWND control) {
    const auto value = static_cast<WORD>(::SendMessageW(control, HKM_GETHOTKEY, 0, 0));
    HotKey hotKey{LOBYTE(value), 0};
    for (const ModifierPair& pair : kModifiers) {
        if ((HIBYTE(value) & pair.control) != 0)
            hotKey.modifiers = static_cast<std::uint8_t>(hotKey.modifiers | pair.ours);
    }
    return hotKey;
}

// The settings file's name with the spacing the control gives its own text.
std::string ShownText(HotKey hotKey) {
    std::string text;
    for (const char c : FormatHotKey(hotKey)) {
        if (c == '+') {
            text += " + ";
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

void ShowInHotKeyControl(HWND control, HotKey hotKey) {
    BYTE modifiers = IsExtendedKey(hotKey.key) ? HOTKEYF_EXT : 0;
    for (const ModifierPair& pair : kModifiers) {
        if ((hotKey.modifiers & pair.ours) != 0) modifiers = static_cast<BYTE>(modifiers | pair.control);
    }
    ::SendMessageW(control, HKM_SETHOTKEY, MAKEWORD(hotKey.key, modifiers), 0);
    ::InvalidateRect(control, nullptr, TRUE);
}

HotKey HotKeyControlValue(HWND control) {
    HotKey hotKey = ControlHotKey(control);
    if (WinKeyDown()) hotKey.modifiers = static_cast<std::uint8_t>(hotKey.modifiers | kHotKeyWin);
    return hotKey;
}

bool PaintHotKeyControl(HWND control, HotKey shown) {
    if ((shown.modifiers & kHotKeyWin) == 0 || shown.Empty()) return false;
    HotKey held = ControlHotKey(control);
    held.modifiers = static_cast<std::uint8_t>(held.modifiers | kHotKeyWin);
    if (held != shown) return false;  // typed over since: the control's own text
    const std::wstring text = Wide(ShownText(shown));
    PaintDc paint(control);
    const HDC dc = paint.get();
    if (dc == nullptr) return true;
    RECT client{};
    ::GetClientRect(control, &client);
    const bool enabled = ::IsWindowEnabled(control) != FALSE;
    ::FillRect(dc, &client, ::GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    const SelectGuard font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    RECT box = client;
    box.left += kTextMargin;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    // The control put its caret after its own, shorter text.
    if (::GetFocus() == control) {
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ::SetCaretPos(kTextMargin + extent.cx, 0);
    }
    return true;
}

}  // namespace lumetra
