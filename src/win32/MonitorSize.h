#pragma once
// What a monitor's pixels measure, for the read-outs in physical units.
#include "units/Calibration.h"
#include "units/Monitors.h"
#include "win32/Win32.h"

namespace lumetra {

// The monitor holding the point, else the nearest one: its pixels, its DPI,
// its identity, the size its EDID gives (read through SetupAPI from the
// monitor's device key), the size the system reports (GetDeviceCaps HORZSIZE
// and VERTSIZE on a DC of that display) and the user's calibration of it.
// All but the calibration are asked once per monitor and kept.
MonitorFacts MonitorFactsAt(POINT point, const Calibrations& calibrations);

// After WM_DISPLAYCHANGE or WM_DPICHANGED: every monitor is asked again.
void ForgetMonitorFacts();

}  // namespace lumetra
