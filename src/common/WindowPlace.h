#pragma once
// Where the program's windows may stand: a window the user can no longer
// reach is brought back onto a monitor, and a window that was minimised or
// hidden comes back to where the user left it, never to the place the
// system parks a minimised window at.
#include <optional>
#include <span>

#include "common/Types.h"

namespace lumetra {

// A window reachable by the user shows at least this wide a piece of its
// caption strip on some monitor's work area, and half the strip's rows.
inline constexpr int kReachableWidth = 32;

// The new top-left corner of `window`, whose top `strip` rows are its
// caption strip, or nothing when the user can still reach it. An
// unreachable window goes onto the work area nearest to it, keeping its
// size, just as far as it takes to lie inside; one larger than the area
// puts its top-left corner on the area's. Without work areas nothing moves.
std::optional<Point> KeepOnScreen(const Rect& window, int strip, std::span<const Rect> workAreas);

// The place a window comes back to when it is restored or shown again.
class WindowPlace {
public:
    explicit WindowPlace(Point start = {}) : restored_(start) {}

    // Every move the system reports. The place of a minimised window is no
    // place of the user's, and is not kept.
    void Moved(Point topLeft, bool minimised);
    // Where the window stands, or while it is minimised, where it comes back to.
    Point Restored() const { return restored_; }

    // The show-or-hide command hides the window: its place is kept.
    void Hide() { hiddenAt_ = restored_; }
    // Showing it again: the place Hide kept, once; nothing for a window that
    // Hide did not hide, which stays where it is.
    std::optional<Point> Show();

private:
    Point restored_;
    std::optional<Point> hiddenAt_;
};

}  // namespace lumetra
