#pragma once
// The standard hot-key control and the program's hot keys: the control
// knows Ctrl, Shift and Alt, and marks the keys of the extended keyboard.
#include "overlay/win32/Win32.h"
#include "settings/HotKey.h"

namespace lumetra {

// Shows the combination; the control cannot show the Windows key.
void ShowInHotKeyControl(HWND control, HotKey hotKey);
// The combination the control holds; an empty one while only modifiers are
// held or after the control was cleared.
HotKey HotKeyControlValue(HWND control);

}  // namespace lumetra
