#pragma once
// Finds the rectangle of the picture (a photograph, an illustration, a page)
// that a point of a captured screen lies on.
#include <cstdint>
#include <optional>
#include <span>

#include "common/Types.h"

namespace lumetra {

// Captured screen pixels as a 32-bit top-down DIB holds them: 0x00RRGGBB,
// blue in the lowest byte, the top byte not read; row r starts at
// pixels[r * stride].
struct ScreenImage {
    std::span<const std::uint32_t> pixels;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// What the finder is asked: where to start, what it must not look at, and
// the smallest picture worth reporting.
struct PictureQuery {
    Point start;  // in image pixels
    // One byte per image pixel, `width` per row: non-zero where the finder
    // must not look (the guides' own lines and labels). Empty: nothing.
    // Masked pixels are unknown. Where a masked run lies between known
    // pixels across an edge, its last pixel (rightmost, lowest) goes with the
    // side after it and the rest with the side before it: a guide fitted to
    // a picture R, with its outline on x = R.left, x = R.right, y = R.top and
    // y = R.bottom and its caption strip on the rows above, finds R again. A
    // single masked line on the last pixel before an edge (x = R.left - 1)
    // cannot be told apart and so joins the picture.
    std::span<const std::uint8_t> ignore;
    // The guides' measured areas, in image pixels. Where their drawing hides
    // the pixels beside a boundary, the boundary is taken at a guide's own
    // edge if one lies there: each look draws its edges at its own columns.
    std::span<const Rect> guides;
    int minWidth = 1;
    int minHeight = 1;
};

// The picture's rectangle in image pixels (right and bottom excluded), or
// nothing when no picture stands out there clearly. A plain rectangle (an
// artboard, a blank canvas) is a picture where plain surroundings of another
// colour show its edge on all four sides. A program's frame the
// picture touches (a title bar, a border, a toolbar, rulers, scroll bars,
// drawn flat) is never part of it: where its edge cannot be told from the
// frame's, nothing is found. An image or a mask whose sizes do not fit
// together, and a start outside the image, find nothing.
std::optional<Rect> FindPicture(const ScreenImage& image, const PictureQuery& query);

}  // namespace lumetra
