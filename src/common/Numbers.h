#pragma once
// Integer rounding rules shared by the settings model and the overlay geometry.
//
// Every real that becomes a pixel count goes through Nearest: the whole
// expression is evaluated in long double (80-bit on x86 GCC and mingw) and
// rounded once, halves to the even neighbour. Half and Quarter truncate toward
// zero so that mirrored orientations stay exact mirror images.
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lumetra {

// Round half to even under the default rounding mode. Values beyond the
// 32-bit range saturate and NaN gives 0, so a hostile settings file can never
// turn a conversion into undefined behaviour.
inline std::int32_t Nearest(long double x) {
    if (std::isnan(x)) return 0;
    constexpr long double lo = std::numeric_limits<std::int32_t>::min();
    constexpr long double hi = std::numeric_limits<std::int32_t>::max();
    if (x <= lo) return std::numeric_limits<std::int32_t>::min();
    if (x >= hi) return std::numeric_limits<std::int32_t>::max();
    // llrint rounds exactly as nearbyint does, in the default mode, to an
    // integer in one step; it only may raise the inexact flag, which nothing
    // reads. It skips nearbyint's save and restore of the floating-point
    // environment and the switch to truncation that converting a rounded
    // long double to an integer costs on x87.
    return static_cast<std::int32_t>(std::llrint(x));
}

constexpr std::int32_t Half(std::int32_t n) { return n / 2; }
constexpr std::int32_t Quarter(std::int32_t n) { return n / 4; }

}  // namespace lumetra
