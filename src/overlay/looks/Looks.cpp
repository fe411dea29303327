#include "overlay/looks/Looks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "common/Numbers.h"
#include "overlay/draw/HaloCanvas.h"
#include "overlay/looks/Marks.h"
#include "settings/SettingBounds.h"

namespace lumetra {

namespace {

// Settings files are untrusted: keep every size within the bounds the
// setters enforce, so sums and products stay in 32 bits and the grid step
// can never be zero.
LookSettings WithinBounds(LookSettings s) {
    s.width = std::clamp(s.width, 0, kMaxDimension);
    s.height = std::clamp(s.height, 0, kMaxDimension);
    s.border = std::clamp(s.border, 0, kMaxBorder);
    s.gridSize = std::clamp(s.gridSize, kMinGridSize, kMaxGridSize);
    s.lineWidth = std::clamp(s.lineWidth, kMinLineWidth, kMaxLineWidth);
    s.labelHeight = std::clamp(s.labelHeight, kMinLabelSize, kMaxAutoLabelHeight);
    return s;
}

// The share of light in one sRGB channel.
double Linear(Color channel) {
    const double c = static_cast<double>(channel & 0xFFu) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

constexpr std::array<BuiltInLook, kLookCount> kLooks = {{
#define LOOK(draw, key) {draw, key},
#include "common/BuiltInLooks.inc"
#undef LOOK
}};

}  // namespace

Color ContrastingColor(Color color) {
    const double luminance = 0.2126 * Linear(color) + 0.7152 * Linear(color >> 8) + 0.0722 * Linear(color >> 16);
    // Contrast ratios against black and white: (L + 0.05) / 0.05 and
    // 1.05 / (L + 0.05).
    return (luminance + 0.05) * (luminance + 0.05) >= 1.05 * 0.05 ? 0x000000 : 0xFFFFFF;
}

std::int32_t LabelCellHeight(std::int32_t labelSize, std::int32_t dpi) {
    if (labelSize != kAutoLabelSize) return std::clamp(labelSize, kMinLabelSize, kMaxLabelSize);
    const std::int32_t shown = dpi > 0 ? dpi : kDefaultDpi;
    const std::int32_t height = Nearest(static_cast<long double>(kFactoryLabelSize) * shown / kDefaultDpi);
    return std::clamp(height, kMinLabelSize, kMaxAutoLabelHeight);
}

void RenderLayers(const LookSettings& settings, const LangTable& lang, Canvas& canvas,
                  const std::function<void(const LookContext&)>& draw) {
    const LookSettings s = WithinBounds(settings);
    const OrientFrame frame = ComputeOrientFrame(s.width, s.height, s.border, s.orientMode);
    canvas.SetFontHeight(s.labelHeight);
    if (s.halo && draw) {
        canvas.SetTextColor(s.haloColor);
        canvas.SetPenColor(s.haloColor);
        canvas.SetPenWidth(s.lineWidth + 2);
        HaloCanvas beneath(canvas);
        draw(LookContext{s, frame, lang, beneath});
    }
    canvas.SetTextColor(s.valuesColor);
    canvas.SetPenColor(s.linesColor);
    canvas.SetPenWidth(s.lineWidth);
    if (draw) draw(LookContext{s, frame, lang, canvas});
}

const BuiltInLook& BuiltInLookAt(std::int32_t lookMode) { return kLooks.at(static_cast<std::size_t>(lookMode)); }

void RenderLook(const LookSettings& settings, const LangTable& lang, Canvas& canvas) {
    const std::int32_t mode = settings.lookMode;
    const bool known = mode >= 0 && mode < kLookCount;
    RenderLayers(settings, lang, canvas, known ? kLooks[static_cast<std::size_t>(mode)].draw : nullptr);
}

}  // namespace lumetra
