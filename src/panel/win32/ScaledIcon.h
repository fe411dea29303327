#pragma once
// An icon enlarged by nearest neighbour, for pictures that have no larger
// size of their own: every source pixel becomes a block, so it stays crisp.
#include "win32/GdiHandles.h"

namespace lumetra {

// icon is size x size; null when the copy cannot be made.
UniqueIcon ScaledIcon(HICON icon, int size, int scaledSize);

}  // namespace lumetra
