#pragma once
// The DPI of the monitor a window is on, or will be on: what the program,
// being per-monitor aware, scales its panel, caption strips and hints by.
#include "win32/Win32.h"

namespace lumetra {

int WindowDpi(HWND window);
// The DPI the system's own metrics and fonts are sized for.
int SystemDpi();
// The monitor's that holds most of the rectangle, for a window not yet made.
int DpiAt(const RECT& screenRect);
// The monitor's effective DPI; the system's before Windows 8.1.
int MonitorDpi(HMONITOR monitor);

}  // namespace lumetra
