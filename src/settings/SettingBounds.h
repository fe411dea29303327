#pragma once
// What a guide's settings may hold and what they hold at first: values the
// drawing clamps to as well as the setters, without the settings object.
#include <cstdint>

#include "common/Types.h"

namespace lumetra {

// Bounds that keep every window computation (W + 2B, H + 2B + 16, the back
// buffer) inside 32 bits and inside what a DIB section can hold.
inline constexpr std::int32_t kFactoryLookMode = 1;  // ratio steps
inline constexpr std::int32_t kMinWidth = 58;
inline constexpr std::int32_t kMaxDimension = 16384;
inline constexpr std::int32_t kMaxBorder = 1024;
inline constexpr std::int32_t kMinGridSize = 3;
inline constexpr std::int32_t kMaxGridSize = 32766;

inline constexpr double kFactoryRatio = 0.6180339887498949;  // InvPhi
inline constexpr Color kFactoryLinesColor = 4210943;         // 0x4040FF
inline constexpr Color kFactoryValuesColor = 8618883;        // 0x838383

// Line widths in device pixels.
inline constexpr std::int32_t kMinLineWidth = 1;
inline constexpr std::int32_t kMaxLineWidth = 8;
// The halo takes black or white, whichever stands out more from the lines.
inline constexpr Color kAutoHaloColor = 0xFFFFFFFF;
// Label cell heights in pixels; automatic scales the factory size with the
// monitor's DPI.
inline constexpr std::int32_t kAutoLabelSize = 0;
inline constexpr std::int32_t kFactoryLabelSize = 11;
inline constexpr std::int32_t kMinLabelSize = 8;
inline constexpr std::int32_t kMaxLabelSize = 24;
// The largest automatic size: four times the factory one.
inline constexpr std::int32_t kMaxAutoLabelHeight = 44;

}  // namespace lumetra
