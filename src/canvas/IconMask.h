#pragma once
// Turns a frame picture, drawn once on black and once on white, into the
// colour and mask pair two plain blits can lay down: the mask ANDed onto the
// target clears only the opaque pixels, the colour ORed on fills them in.
#include <cstdint>
#include <span>

#include "canvas/SheetPixels.h"

namespace lumetra {

// 32-bit DIB pixels, 0xAARRGGBB.
inline constexpr std::uint32_t kMaskKeep = 0xFFFFFFFF;   // AND: the target stays
inline constexpr std::uint32_t kMaskClear = 0x00000000;  // AND: the target clears

// onBlack and onWhite are the same picture drawn with its mask over black and
// over white; colour and mask receive one pixel each for every pixel there. A
// pixel that shows the background in both drawings is transparent (colour 0,
// mask kept); any other is opaque and keeps its colour as drawn on black.
// colour may be onBlack and mask onWhite: each pixel is read before written.
// Splits as many pixels as the shortest span holds and answers whether any of
// them is transparent.
bool SplitIconMask(std::span<const std::uint32_t> onBlack, std::span<const std::uint32_t> onWhite,
                   std::span<std::uint32_t> colour, std::span<std::uint32_t> mask);

// Copies the block of width x height pixels at (left, 0) of one sheet to the
// block of toWidth x toHeight at (toLeft, 0) of another, each target pixel
// taking the source pixel under its centre. Nothing is blended, so a frame
// picture stays crisp and its mask stays a mask; at a whole multiple every
// source pixel becomes an exact square block.
void ScaleBlockNearest(const SheetPixels& from, int left, int width, int height, const SheetPixels& to, int toLeft,
                       int toWidth, int toHeight);

// The first pixel of a picture scaled as above from `length` to `scaled`
// pixels that shows source pixel `at` or one after it: an edge falls where a
// target pixel's centre passes it. A plain scaled length would round the
// halves the other way, and a button's zone would miss a pixel of its face.
int ScaledPictureEdge(int at, int length, int scaled);

}  // namespace lumetra
