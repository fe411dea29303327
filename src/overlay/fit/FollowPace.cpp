#include "overlay/fit/FollowPace.h"

namespace lumetra {

bool FollowMark::Update(bool waiting, std::uint64_t now) {
    if (waiting == shown_) return false;
    if (changed_ && now - *changed_ < kHoldMilliseconds) return false;
    shown_ = waiting;
    changed_ = now;
    return true;
}

}  // namespace lumetra
