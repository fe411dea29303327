#pragma once
// When a copy of the screen is one to search. The copy is masked where this
// program's windows lie, so whether the system put them into the copy must
// decide nothing. Wine copies what the display shows, guides included;
// Windows leaves layered windows out of a BitBlt without CAPTUREBLT, and
// leaves out every window kept out of captures: there a guide at Opacity 100
// never shows in a copy as it was drawn.
#include <cstdint>
#include <span>

#include "common/Types.h"
#include "overlay/fit/PictureFinder.h"

namespace lumetra {

// What a copy shows of the guide being fitted, where the guide says it is.
enum class GuideInCopy {
    // Nothing to tell: the guide is hidden or minimised, blends with what
    // lies beneath, is kept out of captures or has no drawn pixel there.
    Unchecked,
    AsDrawn,     // every pixel it drew is in the copy at its place
    NotAsDrawn,  // left out of the copy, or still on its way to the place
};

// What the copy shows of a window's picture where the window says it is:
// every pixel it drew (not the key colour) at its place, `at` in image
// pixels, rows `stride` apart. A window the window system has not finished
// moving shows elsewhere, and the mask made from its place would miss it.
// What lies outside the image is not looked at; so few drawn pixels on the
// copy that the scene beneath could match them by chance tell nothing.
GuideInCopy GuideShownIn(const ScreenImage& screen, Point at, std::span<const std::uint32_t> picture, int stride,
                         int width, int height, std::uint32_t key);

// Decides, copy by copy, when the copies of one fit have settled: two copies
// a moment apart agree and the guide is not on its way to its place.
class CopySettling {
public:
    // A new fit: its copies so far count for nothing; what the copies of
    // earlier fits showed of the guide still counts.
    void Begin() { agreeingWithout_ = 0; }

    // Whether the copy just taken settles the fit: `copiesAgree` when it
    // holds the same pixels as the one before it.
    bool Settled(bool copiesAgree, GuideInCopy guide);

    // The copies on this system have shown the guide as drawn (as Wine's
    // do); then a copy without it is one taken while it was still moving.
    bool CopiesShowGuides() const { return copiesShowGuides_; }

private:
    bool copiesShowGuides_ = false;
    int agreeingWithout_ = 0;  // agreeing copies in a row that did not show the guide as drawn
};

}  // namespace lumetra
