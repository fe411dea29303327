#pragma once
// When following shows and when it stops: the caption's mark and the
// notification-area icon change at most once a second, and the looks stop
// while nobody can see the screen.
#include <cstdint>
#include <optional>

namespace lumetra {

// Whether a guide is shown waiting. A scene that flips between found and
// lost (a video cutting back and forth) would make the mark and the icon
// flicker: a change shows at once, the next one no sooner than a second on.
class FollowMark {
public:
    static constexpr std::uint64_t kHoldMilliseconds = 1000;

    // The state now, at a clock in milliseconds; true when what is shown changed.
    bool Update(bool waiting, std::uint64_t now);
    bool Waiting() const { return shown_; }
    // Following starts or stops: shown as it is, at once.
    void Reset(bool waiting) {
        shown_ = waiting;
        changed_.reset();
    }

private:
    bool shown_ = false;
    std::optional<std::uint64_t> changed_;  // when what is shown last changed
};

// The session is locked or the display is off: no one sees the screen, and
// whatever moves there is looked at again once someone does.
class FollowPause {
public:
    void SetLocked(bool locked) { locked_ = locked; }
    // The console display's state as the system reports it: 0 off, 1 on,
    // 2 dimmed (still shown). Any other value is taken as on.
    void SetDisplayState(std::uint32_t state) { displayOff_ = state == 0; }
    bool Paused() const { return locked_ || displayOff_; }

private:
    bool locked_ = false;
    bool displayOff_ = false;
};

}  // namespace lumetra
