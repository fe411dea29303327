#pragma once
// The standard hot-key control and the program's hot keys: the control
// knows Ctrl, Shift and Alt, and marks the keys of the extended keyboard. It
// has no flag for the Windows key, so the program keeps that part itself: a
// Windows key held while a key is typed joins the combination, and a box
// that shows it is painted by the program ("Win + F9").
#include "win32/Win32.h"
#include "settings/HotKey.h"

namespace lumetra {

// Shows the combination, the Windows key included.
void ShowInHotKeyControl(HWND control, HotKey hotKey);
// The combination the control holds, with the Windows key when it is held
// down now (the control reports each key as it is pressed); an empty one
// while only modifiers are held or after the control was cleared.
HotKey HotKeyControlValue(HWND control);
// Paints a box showing a combination with the Windows key, which the
// control itself cannot show; false while it shows any other, which it
// paints itself.
bool PaintHotKeyControl(HWND control, HotKey shown);

}  // namespace lumetra
