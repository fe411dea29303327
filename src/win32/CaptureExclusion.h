#pragma once
// Keeping the program's windows out of screenshots and screen sharing.
#include "win32/Win32.h"

namespace lumetra {

// Keeps a top-level window of this program out of screen captures, or lets
// it show in them again. False where the system cannot: Windows before 10
// version 2004 (which would show the window as a black box instead) and
// Wine.
bool SetCaptureExclusion(HWND window, bool excluded);

}  // namespace lumetra
