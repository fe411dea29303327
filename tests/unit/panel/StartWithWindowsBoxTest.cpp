// The Advanced page's start-with-Windows box: it shows the Run value as the
// registry holds it after every click, whether or not the change was made.
#include <gtest/gtest.h>

#include <vector>

#include "panel/PanelFixture.h"

namespace lumetra::test {
namespace {

class FakeRunValue final : public IStartWithWindows {
public:
    StartWithWindowsBox Shown() const override { return {starts, enabled}; }
    bool Change(bool tick) override {
        changes.push_back(tick);
        if (refuses) return false;
        starts = tick;
        return true;
    }
    bool starts = false;
    bool enabled = true;
    bool refuses = false;
    std::vector<bool> changes;
};

class StartWithWindowsBoxTest : public PanelTest {};

TEST_F(StartWithWindowsBoxTest, TheBoxShowsTheValueAfterEveryClick) {
    const struct {
        const char* name;
        bool startsBefore;
        bool refuses;
        bool tick;
        StartWithWindowsBox shown;
    } cases[] = {
        {"ticked: written", false, false, true, {true, true}},
        {"unticked: removed", true, false, false, {false, true}},
        {"a registry that refuses: the box goes back", false, true, true, {false, true}},
    };
    for (const auto& c : cases) {
        FakeRunValue value;
        value.starts = c.startsBefore;
        value.refuses = c.refuses;
        panel.AttachStartWithWindows(&value);
        EXPECT_EQ(view.startWithWindows, (StartWithWindowsBox{c.startsBefore, true})) << c.name;
        panel.StartWithWindowsCheckBoxClick(c.tick);
        EXPECT_EQ(value.changes, std::vector<bool>{c.tick}) << c.name;
        EXPECT_EQ(view.startWithWindows, c.shown) << c.name;
    }
    // Another program removed the value meanwhile: the next look at the panel shows it.
    FakeRunValue value;
    value.starts = true;
    panel.AttachStartWithWindows(&value);
    value.starts = false;
    panel.UpdateStartWithWindows();
    EXPECT_FALSE(view.startWithWindows.checked);
    // No Run value to reach: greyed and unticked.
    panel.AttachStartWithWindows(nullptr);
    EXPECT_EQ(view.startWithWindows, (StartWithWindowsBox{false, false}));
}

}  // namespace
}  // namespace lumetra::test
