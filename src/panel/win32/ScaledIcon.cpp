#include "panel/win32/ScaledIcon.h"

#include <cstdint>
#include <vector>

#include "canvas/IconMask.h"
#include "win32/TopDownDib.h"

namespace lumetra {
namespace {

BITMAPINFO TopDownInfo(int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The bitmap's pixels as 32-bit rows, scaled; empty when they cannot be read.
std::vector<std::uint32_t> ScaledPixels(HDC dc, HBITMAP bitmap, int size, int scaledSize) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    BITMAPINFO info = TopDownInfo(size);
    if (::GetDIBits(dc, bitmap, 0, static_cast<UINT>(size), pixels.data(), &info, DIB_RGB_COLORS) != size) return {};
    std::vector<std::uint32_t> scaled(static_cast<std::size_t>(scaledSize) * static_cast<std::size_t>(scaledSize));
    ScaleBlockNearest(SheetPixels(pixels.data(), size, size), 0, size, size,
                      SheetPixels(scaled.data(), scaledSize, scaledSize), 0, scaledSize, scaledSize);
    return scaled;
}

}  // namespace

UniqueIcon ScaledIcon(HICON icon, int size, int scaledSize) {
    ICONINFO parts{};
    if (size <= 0 || scaledSize <= 0 || !::GetIconInfo(icon, &parts)) return {};
    // GetIconInfo hands both bitmaps over to the caller.
    const UniqueBitmap colour(parts.hbmColor);
    const UniqueBitmap mask(parts.hbmMask);
    const WindowDc screen(nullptr);
    if (!colour || !mask || !screen) return {};
    const std::vector<std::uint32_t> colourPixels = ScaledPixels(screen.get(), colour.get(), size, scaledSize);
    const std::vector<std::uint32_t> maskPixels = ScaledPixels(screen.get(), mask.get(), size, scaledSize);
    if (colourPixels.empty() || maskPixels.empty()) return {};

    std::uint32_t* bits = nullptr;
    const UniqueBitmap scaledColour = CreateTopDownDib(screen.get(), scaledSize, scaledSize, &bits);
    const UniqueBitmap scaledMask(::CreateBitmap(scaledSize, scaledSize, 1, 1, nullptr));
    if (!scaledColour || bits == nullptr || !scaledMask) return {};
    std::copy(colourPixels.begin(), colourPixels.end(), bits);
    BITMAPINFO info = TopDownInfo(scaledSize);
    if (::SetDIBits(screen.get(), scaledMask.get(), 0, static_cast<UINT>(scaledSize), maskPixels.data(), &info,
                    DIB_RGB_COLORS) != scaledSize)
        return {};
    // CreateIconIndirect copies the bitmaps; ours are freed here.
    ICONINFO scaled{TRUE, 0, 0, scaledMask.get(), scaledColour.get()};
    return UniqueIcon(::CreateIconIndirect(&scaled));
}

}  // namespace lumetra
