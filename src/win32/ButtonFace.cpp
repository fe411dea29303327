#include "win32/ButtonFace.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "overlay/input/Interaction.h"
#include "win32/TopDownDib.h"
#include "win32/GdiHandles.h"

namespace lumetra {
namespace {

// DIB pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
Color FromDibPixel(std::uint32_t pixel) { return Rgb((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

// The smallest rectangle holding every pixel that differs, and at least
// the kButtonFaceSize square at seed, where the face was before.
Rect ChangedArea(const std::vector<Color>& before, const std::vector<Color>& after, int width, Point seed) {
    Rect area{seed.x, seed.y, seed.x + kButtonFaceSize, seed.y + kButtonFaceSize};
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        const int x = static_cast<int>(i % static_cast<std::size_t>(width));
        const int y = static_cast<int>(i / static_cast<std::size_t>(width));
        area = {std::min(area.left, x), std::min(area.top, y), std::max(area.right, x + 1),
                std::max(area.bottom, y + 1)};
    }
    return area;
}

}  // namespace

void HighlightButtonFace(HWND window, const Rect& strip, Point seed, Color fill,
                         const std::function<void(HDC)>& drawStrip) {
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
    const std::vector<Color> drawn = pixels;
    FillBounded(pixels, width, height, {seed.x - strip.left, seed.y - strip.top}, kButtonOutline, fill);
    std::transform(pixels.begin(), pixels.end(), dib.begin(), DibPixel);
    // Only the face goes to the window, however large the strip's scale made it.
    const Rect face = ChangedArea(drawn, pixels, width, {seed.x - strip.left, seed.y - strip.top});
    ::BitBlt(dc.get(), strip.left + face.left, strip.top + face.top, face.right - face.left, face.bottom - face.top,
             copy.get(), strip.left + face.left, strip.top + face.top, SRCCOPY);
}

}  // namespace lumetra
