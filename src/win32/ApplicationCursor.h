#pragma once
// The program-wide pointer override. While one is set, every window of the
// program shows it in place of its own pointer: the overlay sets it for a
// resize drag, and each window's WM_SETCURSOR handler asks
// ShowApplicationCursor first.
#include "win32/Win32.h"

namespace lumetra {

// cursor is a shared system cursor (LoadCursor): nobody frees it.
void SetApplicationCursor(HCURSOR cursor);
// Back to each window's own pointer; the window under the pointer, if it is
// one of ours, is asked for its pointer at once.
void ClearApplicationCursor();
// For WM_SETCURSOR: shows the override and answers true while one is set.
bool ShowApplicationCursor();

}  // namespace lumetra
