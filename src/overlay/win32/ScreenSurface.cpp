#include "overlay/win32/ScreenSurface.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "win32/TopDownDib.h"

namespace lumetra {

std::unique_ptr<ScreenSurface> ScreenSurface::ForMonitor(const RECT& monitor) {
    const int width = monitor.right - monitor.left;
    const int height = monitor.bottom - monitor.top;
    if (width <= 0 || height <= 0) return nullptr;
    const WindowDc screen(nullptr);
    if (!screen) return nullptr;
    UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    if (!dc) return nullptr;
    std::uint32_t* bits = nullptr;
    UniqueBitmap bitmap = CreateTopDownDib(screen.get(), width, height, &bits);
    if (!bitmap || bits == nullptr) return nullptr;
    std::unique_ptr<ScreenSurface> surface(new ScreenSurface(monitor, std::move(dc), std::move(bitmap), bits));
    return surface->selected_.Active() ? std::move(surface) : nullptr;
}

ScreenSurface::ScreenSurface(const RECT& area, UniqueMemoryDc dc, UniqueBitmap bitmap, const std::uint32_t* bits)
    : area_(area), dc_(std::move(dc)), bitmap_(std::move(bitmap)), selected_(dc_.get(), bitmap_.get()), bits_(bits) {}

RECT ScreenSurface::Cut(const RECT& part) const {
    return {std::clamp(part.left, area_.left, area_.right), std::clamp(part.top, area_.top, area_.bottom),
            std::clamp(part.right, area_.left, area_.right), std::clamp(part.bottom, area_.top, area_.bottom)};
}

bool ScreenSurface::Copy(std::span<const RECT> parts) {
    const WindowDc screen(nullptr);
    if (!screen) return false;
    for (const RECT& part : parts) {
        const RECT cut = Cut(part);
        if (cut.right <= cut.left || cut.bottom <= cut.top) continue;
        // Without CAPTUREBLT, Windows leaves layered windows out of the copy:
        // the guides themselves are not in it. Wine copies what the display
        // shows, guides included; their mask takes care of that.
        if (!::BitBlt(dc_.get(), cut.left - area_.left, cut.top - area_.top, cut.right - cut.left, cut.bottom - cut.top,
                      screen.get(), cut.left, cut.top, SRCCOPY)) {
            return false;
        }
    }
    ::GdiFlush();
    return true;
}

ScreenImage ScreenSurface::Image(const RECT& part) const {
    const RECT cut = Cut(part);
    const int stride = area_.right - area_.left;
    const int width = cut.right - cut.left;
    const int height = cut.bottom - cut.top;
    if (width <= 0 || height <= 0) return {};
    const std::size_t first = static_cast<std::size_t>(cut.top - area_.top) * static_cast<std::size_t>(stride) +
                              static_cast<std::size_t>(cut.left - area_.left);
    const std::size_t count =
        static_cast<std::size_t>(height - 1) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(width);
    return {{bits_ + first, count}, width, height, stride};
}

}  // namespace lumetra
