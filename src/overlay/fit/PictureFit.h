#pragma once
// Fitting a guide to a picture on the screen: where to look, where the window
// goes so that its measured area is the picture, and the one step back.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/Dpi.h"
#include "common/Types.h"
#include "overlay/fit/PictureFinder.h"
#include "settings/AppSettings.h"

namespace lumetra {

// The smallest picture a fit takes: the guide's own smallest width, and
// a height below which a strip is a line, not a picture.
inline constexpr int kMinPictureHeight = 16;

GuidePlacement CurrentPlacement(const TSettings& settings, Point position);

// The placement whose measured area is the picture (screen pixels): the
// window's left and top lie Border and the caption strip (at the dpi of the
// guide's monitor) before it, the size is the picture's and the ratio lock
// holds its height over its width.
GuidePlacement PlacementOnPicture(const TSettings& settings, const Rect& picture, int dpi = kDefaultDpi);

// What the guides drew over a captured image, for the finder to look past:
// their pixels and their measured areas.
class IgnoreMask {
public:
    IgnoreMask(int width, int height);

    // Marks every pixel of a window's picture that is not the key colour;
    // its rows lie `stride` pixels apart and its top-left corner is at `at`
    // in image pixels. What lies outside the image is skipped.
    void MarkDrawn(Point at, std::span<const std::uint32_t> picture, int stride, int width, int height,
                   std::uint32_t key);
    // Marks a rectangle in image pixels, cut to the image.
    void MarkRect(const Rect& area);
    // A guide's measured area, in image pixels.
    void AddGuide(const Rect& area) { guides_.push_back(area); }

    std::span<const std::uint8_t> Bytes() const { return bytes_; }
    std::span<const Rect> Guides() const { return guides_; }

private:
    // The rectangle cut to the image.
    Rect Clipped(const Rect& area) const;

    int width_;
    int height_;
    std::vector<std::uint8_t> bytes_;
    std::vector<Rect> guides_;
};

// Whether two copies of the screen hold the same pixels: a fit uses a copy
// only once the next one agrees, so no window is still reaching the screen.
bool SameScreen(const ScreenImage& a, const ScreenImage& b);
// Whether a later copy of part of the screen (`part`, its top-left pixel at
// partOrigin on the screen) agrees with a copy of more of it (`whole`, from
// wholeOrigin on) pixel for pixel: a fit checks only the picture found and
// its surroundings again, not the whole monitor. A part not wholly within
// the whole agrees with nothing.
bool SameWithin(const ScreenImage& whole, Point wholeOrigin, const ScreenImage& part, Point partOrigin);

// The picture found from the first of the starts that lies on one, in
// screen pixels. The image shows the screen from origin on; starts are
// screen points.
std::optional<Rect> FindPictureFrom(const ScreenImage& image, Point origin, const IgnoreMask& drawn,
                                    std::span<const Point> starts);

// One step back: the placement before the last fit, as long as the guide
// still stands where that fit put it.
class FitUndo {
public:
    void Remember(const GuidePlacement& before, const GuidePlacement& after);
    // The placement to go back to, or nothing when the guide has been moved,
    // sized or re-proportioned since the fit. Either way the step is used up.
    std::optional<GuidePlacement> Take(const GuidePlacement& now);

private:
    std::optional<GuidePlacement> before_;
    GuidePlacement after_;
};

}  // namespace lumetra
