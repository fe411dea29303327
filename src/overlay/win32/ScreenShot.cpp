#include "overlay/win32/ScreenShot.h"

#include <cstddef>

#include "overlay/fit/PictureFit.h"
#include "win32/TopDownDib.h"

namespace lumetra {

std::optional<ScreenShot> ScreenShot::OfMonitorAt(POINT point) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor)) return std::nullopt;
    return OfArea(monitor.rcMonitor);
}

std::optional<ScreenShot> ScreenShot::OfArea(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return std::nullopt;

    const WindowDc screen(nullptr);
    if (!screen) return std::nullopt;
    const UniqueMemoryDc copy(::CreateCompatibleDC(screen.get()));
    if (!copy) return std::nullopt;
    std::uint32_t* bits = nullptr;
    UniqueBitmap bitmap = CreateTopDownDib(screen.get(), width, height, &bits);
    if (!bitmap) return std::nullopt;
    {
        const SelectGuard selected(copy.get(), bitmap.get());
        if (!selected.Active()) return std::nullopt;
        // Without CAPTUREBLT, Windows leaves layered windows out of the copy:
        // the guides themselves are not in it. Wine copies what the display
        // shows, guides included. Their mask covers them either way, and
        // CopySettling tells a settled copy in both.
        if (!::BitBlt(copy.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY)) {
            return std::nullopt;
        }
        ::GdiFlush();
    }
    return ScreenShot(area, std::move(bitmap), bits);
}

ScreenImage ScreenShot::Image() const {
    const int width = area_.right - area_.left;
    const int height = area_.bottom - area_.top;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    return {{bits_, count}, width, height, width};
}

void MarkShownWindow(IgnoreMask& mask, Point origin, HWND window) {
    RECT bounds{};
    if (window == nullptr || !::IsWindowVisible(window) || !::GetWindowRect(window, &bounds)) return;
    mask.MarkRect({bounds.left - origin.x, bounds.top - origin.y, bounds.right - origin.x, bounds.bottom - origin.y});
}

}  // namespace lumetra
