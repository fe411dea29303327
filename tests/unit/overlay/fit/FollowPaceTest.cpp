// The caption's mark and the icon change at most once a second; following
// stops while the session is locked or the display is off.
#include "overlay/fit/FollowPace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace lumetra::test {
namespace {

struct Seen {
    std::uint64_t at;  // ms
    bool waiting;      // what the follower says
    bool shown;        // what the mark shows then
};

TEST(FollowMarkTest, ChangesAtMostOnceASecond) {
    const struct {
        const char* name;
        std::vector<Seen> seen;
    } cases[] = {
        {"the first change shows at once", {{0, false, false}, {10, true, true}}},
        {"flipping back within the second waits",
         {{0, true, true}, {300, false, true}, {999, false, true}, {1000, false, false}}},
        {"a flicker shorter than a second never shows",
         {{0, true, true}, {1500, false, false}, {1600, true, false}, {1700, false, false}, {3000, false, false}}},
        {"a steady state needs no change", {{0, false, false}, {5000, false, false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FollowMark mark;
        for (const Seen& s : c.seen) {
            const bool before = mark.Waiting();
            EXPECT_EQ(mark.Update(s.waiting, s.at), before != s.shown) << s.at;
            EXPECT_EQ(mark.Waiting(), s.shown) << s.at;
        }
    }
}

TEST(FollowPauseTest, PausesWhileNobodySeesTheScreen) {
    const struct {
        const char* name;
        bool locked;
        std::uint32_t display;
        bool paused;
    } cases[] = {
        {"unlocked, display on", false, 1, false},
        {"locked", true, 1, true},
        {"display off", false, 0, true},
        {"display dimmed", false, 2, false},
        {"unlocked, display still off", false, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FollowPause pause;
        pause.SetLocked(true);
        pause.SetDisplayState(0);
        pause.SetLocked(c.locked);
        pause.SetDisplayState(c.display);
        EXPECT_EQ(pause.Paused(), c.paused);
    }
}

}  // namespace
}  // namespace lumetra::test
