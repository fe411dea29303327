#include "win32/ButtonFace.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "canvas/FloodFill.h"
#include "win32/TopDownDib.h"
#include "win32/GdiHandles.h"

namespace lumetra {
namespace {

// DIB pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
Color FromDibPixel(std::uint32_t pixel) { return Rgb((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

}  // namespace

void HighlightButtonFace(HWND window, const Rect& strip, Point seed, Color fill,
                         const std::function<void(HDC)>& drawStrip, int faceSize) {
    const int width = strip.right - strip.left;
    const int height = strip.bottom - strip.top;
    if (width <= 0 || height <= 0) return;
    const WindowDc dc(window);
    if (!dc) return;
    const UniqueMemoryDc copy(::CreateCompatibleDC(dc.get()));
    std::uint32_t* bits = nullptr;
    const UniqueBitmap bitmap(CreateTopDownDib(dc.get(), width, height, &bits));
    if (!copy || !bitmap || bits == nullptr) return;
    const SelectGuard selected(copy.get(), bitmap.get());
    // Window coordinates on the copy: the strip's top-left lands on its pixel (0, 0).
    ::SetViewportOrgEx(copy.get(), -strip.left, -strip.top, nullptr);
    drawStrip(copy.get());
    ::GdiFlush();  // the pixels are read directly below

    const std::span<std::uint32_t> dib(bits, static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<Color> pixels(dib.size());
    std::transform(dib.begin(), dib.end(), pixels.begin(), FromDibPixel);
    FillBounded(pixels, width, height, {seed.x - strip.left, seed.y - strip.top}, kButtonOutline, fill);
    std::transform(pixels.begin(), pixels.end(), dib.begin(), DibPixel);
    ::BitBlt(dc.get(), seed.x, seed.y, faceSize, faceSize, copy.get(), seed.x, seed.y, SRCCOPY);
}

}  // namespace lumetra
