// Guides and their windows kept in step as guides are added and closed, and
// put back when a window cannot be made.
#include "app/GuideKeeper.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "app/Guides.h"
#include "settings/AppSettings.h"
#include "settings/Snapshot.h"

namespace lumetra::test {
namespace {

Point PlaceOf(const TSettings& guide) { return {guide.X(), guide.Y()}; }

// Windows that stand where the user left them until they store their place.
class FakeWindows final : public IGuideWindowList {
public:
    struct Window {
        const TSettings* guide;
        Point at;
    };

    explicit FakeWindows(const TGuideSet& guides) : guides_(guides) {
        for (int i = 0; i < guides.Count(); ++i) windows.push_back({&guides.Guide(i), PlaceOf(guides.Guide(i))});
    }

    void OpenLast() override {
        if (openFails) throw std::runtime_error("no window");
        const TSettings& last = guides_.Guide(guides_.Count() - 1);
        windows.push_back({&last, PlaceOf(last)});
    }
    void StoreAll() override {
        for (const Window& window : windows)
            const_cast<TSettings*>(window.guide)->StoreOverlayPosition(window.at.x, window.at.y);
    }
    void CloseLast() override {
        EXPECT_EQ(windows.back().guide, &guides_.Guide(guides_.Count() - 1)) << "closed after its guide went";
        windows.pop_back();
    }
    void Reapply(int index) override {
        Window& window = windows.at(static_cast<std::size_t>(index));
        window.at = PlaceOf(*window.guide);
    }
    void CurrentChanged() override { bound = guides_.Current(); }
    void EndProgram() override { ended = true; }

    std::vector<Point> Places() const {
        std::vector<Point> places;
        for (const Window& window : windows) places.push_back(window.at);
        return places;
    }
    // Each window shows its own guide, where the guide says it is.
    void ExpectInStep() const {
        ASSERT_EQ(static_cast<int>(windows.size()), guides_.Count());
        for (int i = 0; i < guides_.Count(); ++i) {
            EXPECT_EQ(windows[static_cast<std::size_t>(i)].guide, &guides_.Guide(i)) << i;
            EXPECT_EQ(windows[static_cast<std::size_t>(i)].at, PlaceOf(guides_.Guide(i))) << i;
        }
    }

    std::vector<Window> windows;
    bool openFails = false;
    int bound = -1;  // the guide the panel was last bound to
    bool ended = false;

private:
    const TGuideSet& guides_;
};

// `count` guides, guide i at (100 i, 10 i) with look i.
std::unique_ptr<TGuideSet> Guides(int count, int current) {
    auto guides = std::make_unique<TGuideSet>(std::make_unique<TSettings>(1280));
    for (int i = 1; i < count; ++i) guides->Add();
    for (int i = 0; i < count; ++i) {
        guides->Guide(i).StoreOverlayPosition(100 * i, 10 * i);
        guides->Guide(i).SetLookMode(i % 4);
    }
    guides->MakeCurrent(current);
    return guides;
}

std::vector<Snapshot> Taken(const TGuideSet& guides) {
    std::vector<Snapshot> all;
    for (int i = 0; i < guides.Count(); ++i) all.push_back(Take(guides.Guide(i)));
    return all;
}

TEST(GuideKeeper, AddsACopyOfTheCurrentGuideOrLeavesTheSetAsItWas) {
    struct Case {
        const char* name;
        int count, current;
        bool openFails;
        bool added;  // else unchanged, thrown when the window failed
    };
    const Case cases[] = {
        {"from the first", 1, 0, false, true},
        {"from one in the middle", 3, 1, false, true},
        {"the sixteenth", kMaxGuides - 1, 4, false, true},
        {"at the limit", kMaxGuides, 2, false, false},
        {"no window for the second", 1, 0, true, false},
        {"no window, current in the middle", 3, 1, true, false},
        {"no window for the sixteenth", kMaxGuides - 1, kMaxGuides - 2, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto guides = Guides(c.count, c.current);
        FakeWindows windows(*guides);
        windows.openFails = c.openFails;
        GuideKeeper keeper(*guides, windows);
        const std::vector<Snapshot> before = Taken(*guides);
        const Point place{777, 66};
        if (c.openFails) {
            EXPECT_THROW(keeper.Add(place), std::runtime_error);
        } else {
            EXPECT_EQ(keeper.Add(place), c.added);
        }
        windows.ExpectInStep();
        if (c.added) {
            ASSERT_EQ(guides->Count(), c.count + 1);
            EXPECT_EQ(guides->Current(), c.count);
            EXPECT_EQ(windows.bound, c.count) << "the panel edits the new guide";
            EXPECT_EQ(PlaceOf(guides->Guide(c.count)), place);
            EXPECT_EQ(guides->Guide(c.count).LookMode(), c.current % 4) << "a copy of the current guide";
        } else {
            EXPECT_EQ(Taken(*guides), before);
            EXPECT_EQ(guides->Current(), c.current);
            EXPECT_EQ(windows.bound, -1);
        }
    }
}

TEST(GuideKeeper, ClosesAGuideAndItsPlaceGoesToTheNext) {
    struct Case {
        const char* name;
        int count, current, close;
        int moved;  // a window the user moved since its place was stored, or -1
        GuideKeeper::Closed closed;
        std::vector<Point> places;  // of the windows left
        int newCurrent;
    };
    const Point moved{555, 55};
    const Case cases[] = {
        {"the only guide ends the program", 1, 0, 0, -1, GuideKeeper::Closed::Program, {{0, 0}}, 0},
        {"the current first", 3, 0, 0, -1, GuideKeeper::Closed::Guide, {{100, 10}, {200, 20}}, 0},
        {"the current in the middle: the next", 3, 1, 1, -1, GuideKeeper::Closed::Guide, {{0, 0}, {200, 20}}, 1},
        {"the current last: the one before", 3, 2, 2, -1, GuideKeeper::Closed::Guide, {{0, 0}, {100, 10}}, 1},
        {"a window moved after the closed one keeps its place",
         3,
         0,
         0,
         2,
         GuideKeeper::Closed::Guide,
         {{100, 10}, moved},
         0},
        {"a window moved before the closed one keeps its place",
         3,
         0,
         2,
         1,
         GuideKeeper::Closed::Guide,
         {{0, 0}, moved},
         0},
        {"out of range", 2, 1, 2, -1, GuideKeeper::Closed::Nothing, {{0, 0}, {100, 10}}, 1},
        {"no such window", 2, 1, -1, -1, GuideKeeper::Closed::Nothing, {{0, 0}, {100, 10}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto guides = Guides(c.count, c.current);
        FakeWindows windows(*guides);
        if (c.moved >= 0) windows.windows[static_cast<std::size_t>(c.moved)].at = moved;
        GuideKeeper keeper(*guides, windows);
        EXPECT_EQ(keeper.Close(c.close), c.closed);
        EXPECT_EQ(windows.ended, c.closed == GuideKeeper::Closed::Program);
        EXPECT_EQ(windows.Places(), c.places);
        if (c.closed == GuideKeeper::Closed::Guide) {
            windows.ExpectInStep();
            EXPECT_EQ(windows.bound, c.newCurrent) << "the panel edits the new current guide";
        }
        EXPECT_EQ(guides->Current(), c.newCurrent);
    }
}

}  // namespace
}  // namespace lumetra::test
