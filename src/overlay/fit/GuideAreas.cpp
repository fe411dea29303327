#include "overlay/fit/GuideAreas.h"

#include <algorithm>

#include "overlay/draw/CaptionStrip.h"
#include "settings/AppSettings.h"

namespace lumetra {

GuideWindowAreas GuideAreasAt(const TSettings& settings, Point at, int width, int height, int dpi) {
    const CaptionStrip caption = CaptionStripAt(dpi);
    GuideWindowAreas areas;
    const Point origin = MeasuredOrigin(at, settings.Border(), caption);
    areas.measured = {origin.x, origin.y, origin.x + settings.Width(), origin.y + settings.Height()};
    const int below = at.y + caption.rows;
    if (settings.SFrame()) areas.strip = Rect{at.x + caption.ButtonStripLeft(width), at.y, at.x + width, below};
    areas.belowStrip = {at.x, below, at.x + width, std::max(at.y + height, below)};
    return areas;
}

}  // namespace lumetra
