#pragma once
// A copy of one monitor's pixels, for finding the picture a guide is laid on.
#include <cstdint>
#include <optional>
#include <utility>

#include "overlay/fit/PictureFinder.h"
#include "win32/GdiHandles.h"

namespace lumetra {

class IgnoreMask;

// Marks a window of this program that shows over the screen (the panel, a
// notice, a hint), in the mask of a screen image whose top-left corner is
// origin; a hidden window or none marks nothing.
void MarkShownWindow(IgnoreMask& mask, Point origin, HWND window);

class ScreenShot {
public:
    // The monitor the point lies on, or the nearest one; nothing when the
    // screen cannot be read.
    static std::optional<ScreenShot> OfMonitorAt(POINT point);
    // Any part of the virtual screen.
    static std::optional<ScreenShot> OfArea(const RECT& area);

    // The monitor in virtual-screen pixels.
    const RECT& Area() const { return area_; }
    ScreenImage Image() const;

private:
    ScreenShot(const RECT& area, UniqueBitmap bitmap, const std::uint32_t* bits)
        : area_(area), bitmap_(std::move(bitmap)), bits_(bits) {}

    RECT area_;
    UniqueBitmap bitmap_;  // a top-down DIB section
    const std::uint32_t* bits_;
};

}  // namespace lumetra
