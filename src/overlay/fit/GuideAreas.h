#pragma once
// Where the parts of a guide window lie on a copy of the screen, for the
// mask a fit makes of the guides: what the finder steps over, what the
// window draws on itself, and what is checked to have reached the screen.
#include <optional>

#include "common/Dpi.h"
#include "common/Types.h"

namespace lumetra {

class TSettings;

struct GuideWindowAreas {
    Rect measured;  // the guide's measured area
    // The button end of the caption strip, where the orientation mark and a
    // hovered button are drawn on the window itself; none without the mark.
    std::optional<Rect> strip;
    Rect belowStrip;  // the window's picture below the strip; empty when it has none
};

// The areas of a guide window whose top-left corner is at `at`, with
// `width` x `height` of its picture on the screen; all in the same pixels.
// dpi is its monitor's, which sizes the caption strip.
GuideWindowAreas GuideAreasAt(const TSettings& settings, Point at, int width, int height, int dpi = kDefaultDpi);

}  // namespace lumetra
