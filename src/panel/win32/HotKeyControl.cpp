#include "panel/win32/HotKeyControl.h"

// After the platform header, which it needs.
#include <commctrl.h>

namespace lumetra {
namespace {

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

}  // namespace

void ShowInHotKeyControl(HWND control, HotKey hotKey) {
    BYTE modifiers = IsExtendedKey(hotKey.key) ? HOTKEYF_EXT : 0;
    for (const ModifierPair& pair : kModifiers) {
        if ((hotKey.modifiers & pair.ours) != 0) modifiers = static_cast<BYTE>(modifiers | pair.control);
    }
    ::SendMessageA(control, HKM_SETHOTKEY, MAKEWORD(hotKey.key, modifiers), 0);
}

HotKey HotKeyControlValue(HWND control) {
    const auto value = static_cast<WORD>(::SendMessageA(control, HKM_GETHOTKEY, 0, 0));
    HotKey hotKey{LOBYTE(value), 0};
    for (const ModifierPair& pair : kModifiers) {
        if ((HIBYTE(value) & pair.control) != 0) hotKey.modifiers = static_cast<std::uint8_t>(hotKey.modifiers | pair.ours);
    }
    return hotKey;
}

}  // namespace lumetra
