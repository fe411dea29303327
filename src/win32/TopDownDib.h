#pragma once
// 32-bit top-down DIB sections: created for a DC, their pixels addressed by
// row and column.
#include <cstdint>

#include "canvas/SheetPixels.h"
#include "win32/GdiHandles.h"

namespace lumetra {

// A 32-bit top-down DIB section compatible with dc; bits, when given,
// receives its pixels (nullptr when the allocation failed).
UniqueBitmap CreateTopDownDib(HDC dc, int width, int height, std::uint32_t** bits = nullptr);

}  // namespace lumetra
