#include "overlay/fit/GuideAreas.h"

#include <algorithm>

#include "overlay/draw/Compose.h"
#include "settings/AppSettings.h"

namespace lumetra {

GuideWindowAreas GuideAreasAt(const TSettings& settings, Point at, int width, int height) {
    GuideWindowAreas areas;
    const int left = at.x + settings.Border();
    const int top = at.y + kCaptionRows + settings.Border();
    areas.measured = {left, top, left + settings.Width(), top + settings.Height()};
    if (settings.SFrame())
        areas.strip = Rect{at.x + width - kButtonStripWidth, at.y, at.x + width, at.y + kCaptionRows};
    areas.belowStrip = {at.x, at.y + kCaptionRows, at.x + width, std::max(at.y + height, at.y + kCaptionRows)};
    return areas;
}

}  // namespace lumetra
