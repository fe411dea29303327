#include "win32/TopDownDib.h"

namespace lumetra {

UniqueBitmap CreateTopDownDib(HDC dc, int width, int height, std::uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: rows run top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (bits != nullptr) *bits = bitmap ? static_cast<std::uint32_t*>(memory) : nullptr;
    return bitmap;
}

}  // namespace lumetra
