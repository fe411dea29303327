#pragma once
// Lengths given at 100 % scaling, in the device pixels of a monitor of
// another DPI. Everything around a guide (the panel, the caption strip, the
// hints) scales this way; what a guide measures never does.
#include <cstdint>

#include "common/Types.h"

namespace lumetra {

// The screen's pixels per inch at 100 % scaling.
inline constexpr std::int32_t kDefaultDpi = 96;

// value * dpi / 96 rounded to nearest, halves away from zero, as the
// system's MulDiv does. Each edge of a rectangle is scaled on its own, so
// rectangles that touch at 96 dpi still touch, and never overlap, at any dpi.
constexpr int ScaledLength(int value96, int dpi) {
    const std::int64_t product = static_cast<std::int64_t>(value96) * dpi;
    const std::int64_t half = product < 0 ? -48 : 48;
    return static_cast<int>((product + half) / kDefaultDpi);
}

constexpr Rect ScaledRect(const Rect& rect96, int dpi) {
    return {ScaledLength(rect96.left, dpi), ScaledLength(rect96.top, dpi), ScaledLength(rect96.right, dpi),
            ScaledLength(rect96.bottom, dpi)};
}

}  // namespace lumetra
