#pragma once
// The frame pictures of the overlay's caption and the panel's caption strip.
#include <array>
#include <cstdint>
#include <memory>

// First, so that the platform's TextOut macro is gone before Canvas is declared.
#include "win32/GdiHandles.h"

#include "common/Dpi.h"
#include "canvas/Canvas.h"

namespace lumetra {

// The frame pictures, loaded once from the program's resources at their own
// sizes. Each is kept as a colour block and a mask block side by side on one
// sheet, so that drawing it is one copy (no transparent pixel) or two blits,
// far cheaper than drawing the icon. A picture that fails to load stays
// empty and draws nothing. On a monitor of another DPI the pictures are
// scaled to their size there by nearest neighbour, so they stay crisp.
class FrameIcons {
public:
    FrameIcons() = default;
    static FrameIcons Load(HINSTANCE instance, int dpi = kDefaultDpi);

    // Draws the picture with its top-left at (x, y) as the icon with its
    // mask draws: opaque pixels exactly, transparent ones leave dc as it was.
    void Draw(HDC dc, FrameIcon picture, int x, int y) const;

private:
    struct Placement {
        int left = 0;   // of the colour block on the sheet; the mask block follows
        int width = 0;  // 0: the picture is missing
        int height = 0;
        bool masked = false;  // false: every pixel is opaque
    };

    // The sheet's bitmap, selected into a memory DC of its own for as long
    // as both live.
    struct Sheet {
        UniqueMemoryDc dc;
        UniqueBitmap bitmap;
        SelectGuard selected;  // last: deselects the bitmap before either is freed
    };

    // An empty sheet, selected into a DC of its own; null on failure.
    static std::unique_ptr<Sheet> CreateSheet(int width, int height, std::uint32_t** bits);
    // The same pictures on a new sheet at the dpi's size; empty on failure.
    FrameIcons ScaledTo(int dpi) const;

    std::array<Placement, 6> placements_{};
    int sheetWidth_ = 0;
    int sheetHeight_ = 0;
    std::uint32_t* bits_ = nullptr;  // the sheet's pixels, owned by its bitmap
    std::unique_ptr<Sheet> sheet_;
};

}  // namespace lumetra
