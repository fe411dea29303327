#pragma once
// Small value types shared by the portable core. The Win32 shell converts
// them to RECT, POINT and COLORREF at its edge; core headers never see those.
#include <cstdint>

namespace lumetra {

// 0x00BBGGRR: red in the lowest byte, as the window system takes colours.
using Color = std::uint32_t;

constexpr Color Rgb(unsigned r, unsigned g, unsigned b) {
    return static_cast<Color>((r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16));
}

// The 32-bit DIB pixel of a colour, 0x00RRGGBB: blue in the low byte.
constexpr std::uint32_t DibPixel(Color color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are excluded.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The looks the program draws itself: LookMode 0 to kBuiltInLookCount - 1,
// one for each row of their table.
inline constexpr std::int32_t kBuiltInLookCount = 0
#define LOOK(draw, key) +1
#include "common/BuiltInLooks.inc"
#undef LOOK
    ;

}  // namespace lumetra
