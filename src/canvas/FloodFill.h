#pragma once
// A border-bounded flood fill over a picture held as colours, as the caption
// buttons' faces are lit when the pointer is over them.
#include <vector>

#include "common/Types.h"

namespace lumetra {

// Paints with fill the 4-connected area around seed that holds no pixel of
// the border colour, as a border-bounded flood fill does. pixels is row-major,
// width x height; a seed outside the picture or on the border paints nothing.
void FillBounded(std::vector<Color>& pixels, int width, int height, Point seed, Color border, Color fill);

}  // namespace lumetra
