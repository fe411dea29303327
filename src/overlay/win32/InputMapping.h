#pragma once
// Window-message input in the interaction's own terms.
#include "overlay/input/Interaction.h"
#include "win32/Win32.h"

namespace lumetra {

// A mouse message's MK_* key flags, with Alt read from the keyboard state
// (the flags do not carry it).
ShiftState MouseState(WPARAM keyFlags);
// Shift, Ctrl and Alt as the keyboard has them now.
ShiftState KeyboardState();
VirtualKey KeyFromCode(WPARAM code);
// The client point of a mouse message; negative outside, under a capture.
Point ClientPoint(LPARAM lParam);

}  // namespace lumetra
