#include "win32/WindowDpi.h"

#include "common/Dpi.h"
#include "win32/GdiHandles.h"
#include "win32/SystemLibrary.h"

namespace lumetra {
namespace {

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

// GetDpiForMonitor, from Windows 8.1 on; the only per-monitor answer before
// GetDpiForWindow came in Windows 10 1607.
int MonitorDpi(HMONITOR monitor) {
    using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const UniqueLibrary shcore = LoadSystemLibrary(L"shcore.dll");
    static const auto dpiForMonitor = LibraryEntry<DpiForMonitor>(shcore, "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (monitor != nullptr && dpiForMonitor != nullptr && SUCCEEDED(dpiForMonitor(monitor, kEffectiveDpi, &x, &y)) &&
        y != 0)
        return static_cast<int>(y);
    // Older systems have one DPI for every monitor.
    return SystemDpi();
}

int SystemDpi() {
    const WindowDc screen(nullptr);
    return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : kDefaultDpi;
}

int WindowDpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = User32Entry<DpiForWindow>("GetDpiForWindow");
    if (dpiForWindow != nullptr) {
        if (const UINT dpi = dpiForWindow(window); dpi != 0) return static_cast<int>(dpi);
    }
    return MonitorDpi(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int DpiAt(const RECT& screenRect) { return MonitorDpi(::MonitorFromRect(&screenRect, MONITOR_DEFAULTTONEAREST)); }

}  // namespace lumetra
