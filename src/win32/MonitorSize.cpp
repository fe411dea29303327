#include "win32/MonitorSize.h"

#include "win32/GdiHandles.h"
#include "win32/WindowDpi.h"

namespace lumetra {

MonitorFacts MonitorFactsAt(POINT point) {
    MonitorFacts facts;
    const HMONITOR monitor = ::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    facts.dpi = MonitorDpi(monitor);
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info)) return facts;
    facts.pixels = {info.rcMonitor.right - info.rcMonitor.left, info.rcMonitor.bottom - info.rcMonitor.top};
    // A DC of the display itself: its sizes are that monitor's, in millimetres.
    const UniqueMemoryDc display(::CreateDCW(L"DISPLAY", info.szDevice, nullptr, nullptr));
    if (display) {
        const int width = ::GetDeviceCaps(display.get(), HORZSIZE);
        const int height = ::GetDeviceCaps(display.get(), VERTSIZE);
        if (width > 0 && height > 0) facts.systemSize = MillimetreSize{width, height};
    }
    return facts;
}

}  // namespace lumetra
