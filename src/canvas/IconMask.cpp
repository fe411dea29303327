#include "canvas/IconMask.h"

#include <algorithm>

namespace lumetra {
namespace {

constexpr std::uint32_t kRgbBits = 0x00FFFFFF;

}  // namespace

bool SplitIconMask(std::span<const std::uint32_t> onBlack, std::span<const std::uint32_t> onWhite,
                   std::span<std::uint32_t> colour, std::span<std::uint32_t> mask) {
    const std::size_t count = std::min({onBlack.size(), onWhite.size(), colour.size(), mask.size()});
    bool anyTransparent = false;
    for (std::size_t i = 0; i < count; ++i) {
        // The alpha byte differs between drawings for reasons of the drawing
        // code, not of the picture: only the colour decides.
        const bool transparent = (onBlack[i] & kRgbBits) == 0 && (onWhite[i] & kRgbBits) == kRgbBits;
        colour[i] = transparent ? 0 : onBlack[i];
        mask[i] = transparent ? kMaskKeep : kMaskClear;
        anyTransparent = anyTransparent || transparent;
    }
    return anyTransparent;
}

int ScaledPictureEdge(int at, int length, int scaled) {
    const std::int64_t numerator = 2 * static_cast<std::int64_t>(at) * scaled - length;
    const std::int64_t denominator = 2 * static_cast<std::int64_t>(length);
    return static_cast<int>(numerator >= 0 ? (numerator + denominator - 1) / denominator : -(-numerator / denominator));
}

void ScaleBlockNearest(const SheetPixels& from, int left, int width, int height, const SheetPixels& to, int toLeft,
                       int toWidth, int toHeight) {
    if (width <= 0 || height <= 0) return;
    for (int row = 0; row < toHeight; ++row) {
        const auto source = from.Row((2 * row + 1) * height / (2 * toHeight), left, width);
        const auto target = to.Row(row, toLeft, toWidth);
        for (int column = 0; column < toWidth; ++column) target[column] = source[(2 * column + 1) * width / (2 * toWidth)];
    }
}

}  // namespace lumetra
