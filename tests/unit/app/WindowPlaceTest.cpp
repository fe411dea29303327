#include "common/WindowPlace.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/SingleInstance.h"

namespace lumetra::test {
namespace {

constexpr int kStrip = 16;
// A 1920 x 1080 primary monitor with the task bar at the bottom, and a
// 1280 x 1024 monitor left of it, at negative coordinates.
constexpr Rect kPrimary{0, 0, 1920, 1040};
constexpr Rect kLeft{-1280, 0, 0, 1024};

TEST(KeepOnScreen, MovesOnlyWhatTheUserCannotReachOntoTheNearestMonitor) {
    const std::vector<Rect> both{kPrimary, kLeft};
    const std::vector<Rect> primaryOnly{kPrimary};
    const std::vector<Rect> shrunken{{0, 0, 1024, 728}};
    const struct {
        const char* name;
        Rect window;
        std::vector<Rect> areas;
        std::optional<Point> moved;
    } cases[] = {
        {"inside the primary", {100, 100, 520, 381}, both, std::nullopt},
        {"on the monitor left of the primary", {-900, 50, -480, 331}, both, std::nullopt},
        {"across both monitors", {-200, 50, 220, 331}, both, std::nullopt},
        {"partly off the right edge, caption still in reach", {1880, 500, 2300, 781}, both, std::nullopt},
        {"only a sliver of caption on the right edge", {1900, 500, 2320, 781}, both, Point{1500, 500}},
        {"caption above the top, the rest on screen", {300, -12, 720, 269}, both, Point{300, 0}},
        {"half the caption above the top is still in reach", {300, -8, 720, 273}, both, std::nullopt},
        {"on a monitor that was removed", {-900, 50, -480, 331}, primaryOnly, Point{0, 50}},
        {"panel below a shrunken screen", {800, 900, 973, 1264}, shrunken, Point{800, 364}},
        {"larger than the monitor it goes to", {-3000, -100, -1000, 1900}, primaryOnly, Point{0, 0}},
        {"far beyond any coordinate", {2147483000, 2147483000, 2147483600, 2147483600}, both, Point{1320, 440}},
        {"no monitors known", {-5000, -5000, -4000, -4000}, {}, std::nullopt},
        {"a monitor of no size is none", {-5000, 10, -4000, 300}, {{-6000, 0, -6000, 1000}}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KeepOnScreen(c.window, kStrip, c.areas), c.moved);
    }
}

TEST(KeepOnScreen, SixteenGuidesOffEveryMonitorAllComeBackWhole) {
    const std::vector<Rect> areas{kPrimary, kLeft};
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE("guide " + std::to_string(i + 1));
        const Rect window{3000 + 240 * i, -900 + 100 * i, 3420 + 240 * i, -619 + 100 * i};
        const std::optional<Point> at = KeepOnScreen(window, kStrip, areas);
        ASSERT_TRUE(at.has_value());
        const Rect moved{at->x, at->y, at->x + 420, at->y + 281};
        EXPECT_TRUE(moved.left >= kPrimary.left && moved.right <= kPrimary.right && moved.top >= kPrimary.top &&
                    moved.bottom <= kPrimary.bottom);
        EXPECT_EQ(KeepOnScreen(moved, kStrip, areas), std::nullopt) << "moved, yet still out of reach";
    }
}

TEST(WindowPlace, MinimisingHidingAndShowingNeverLoseTheUsersPlace) {
    const Point start{300, 240};
    const Point moved{410, 95};
    const Point parked{-32000, -32000};
    const struct {
        const char* name;
        bool minimise;  // minimised before the show-or-hide command
        bool hide;
        Point restored;
        std::optional<Point> shownAt;
    } cases[] = {
        {"neither", false, false, moved, std::nullopt},
        {"minimised: its place is where it was", true, false, moved, std::nullopt},
        {"hidden and shown", false, true, moved, moved},
        {"hidden while minimised", true, true, moved, moved},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowPlace place(start);
        place.Moved(moved, false);
        if (c.minimise) place.Moved(parked, true);
        // Some systems report the parked place without the minimised state.
        if (c.minimise) place.Moved(parked, false);
        if (c.hide) place.Hide();
        EXPECT_EQ(place.Restored(), c.restored);
        EXPECT_EQ(place.Show(), c.shownAt);
        EXPECT_EQ(place.Show(), std::nullopt) << "shown twice from one hide";
    }
}

TEST(InstanceKey, OneNamePerSettingsFileWhateverItsSpelling) {
    const std::string installed =
        InstanceKey("C:\\Users\\Ann\\AppData\\Roaming\\Velmora\\Lumetra\\Lumetra.user.settings");
    const struct {
        const char* name;
        std::string path;
        bool same;
    } cases[] = {
        {"other letter case", "c:\\users\\ANN\\appdata\\roaming\\velmora\\lumetra\\LUMETRA.USER.SETTINGS", true},
        {"forward slashes", "C:/Users/Ann/AppData/Roaming/Velmora/Lumetra/Lumetra.user.settings", true},
        {"a portable copy", "E:\\Tools\\Lumetra\\Lumetra.user.settings", false},
        {"another user", "C:\\Users\\Bob\\AppData\\Roaming\\Velmora\\Lumetra\\Lumetra.user.settings", false},
        {"empty", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string key = InstanceKey(c.path);
        EXPECT_EQ(key == installed, c.same);
        EXPECT_EQ(key.size(), installed.size());
        EXPECT_EQ(key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-"),
                  std::string::npos)
            << key;
    }
}

}  // namespace
}  // namespace lumetra::test
