#pragma once
// What a monitor's pixels measure, for the read-outs in physical units.
#include "units/Monitors.h"
#include "win32/Win32.h"

namespace lumetra {

// The monitor holding the point, else the nearest one: its pixels, its DPI
// and the size the system reports for it (GetDeviceCaps HORZSIZE and
// VERTSIZE on a DC of that display). Nothing is calibrated here.
MonitorFacts MonitorFactsAt(POINT point);

}  // namespace lumetra
