// The notification-area menu in each state, the commands of the hot keys, and
// the click-through switch of all guides.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <vector>

#include "app/Guides.h"
#include "app/ProgramCommands.h"
#include "app/TrayIcon.h"
#include "lang/LangTable.h"
#include "settings/AppSettings.h"
#include "settings/HotKey.h"

namespace lumetra::test {
namespace {

struct Shown {
    bool enabled;
    bool checked;
};

TEST(ProgramMenu, OffersWhatTheStateAllows) {
    struct Case {
        const char* name;
        ProgramState state;
        const char* showHideText;
        Shown clickThrough, fit, newGuide, copy;
    };
    const Case cases[] = {
        {"shown", {true, false, 1}, "MTrayHide", {true, false}, {true, false}, {true, false}, {true, false}},
        {"all click-through", {true, true, 3}, "MTrayHide", {true, true}, {true, false}, {true, false}, {true, false}},
        {"hidden", {false, false, 2}, "MTrayShow", {false, false}, {false, false}, {false, false}, {false, false}},
        {"sixteen guides",
         {true, false, kMaxGuides},
         "MTrayHide",
         {true, false},
         {true, false},
         {false, false},
         {true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<MenuItem> menu = ProgramMenu(c.state);
        ASSERT_EQ(menu.size(), 9u);
        EXPECT_EQ(menu.front().textKey, c.showHideText);
        EXPECT_EQ(menu.back().command, ProgramCommand::Exit);
        const auto item = [&](ProgramCommand command) {
            for (const MenuItem& m : menu) {
                if (m.command == command) return Shown{m.enabled, m.checked};
            }
            return Shown{false, false};
        };
        for (const auto& [command, want] :
             {std::pair{ProgramCommand::ClickThrough, c.clickThrough}, std::pair{ProgramCommand::Fit, c.fit},
              std::pair{ProgramCommand::NewGuide, c.newGuide}, std::pair{ProgramCommand::CopyComposition, c.copy}}) {
            EXPECT_EQ(item(command).enabled, want.enabled) << static_cast<int>(command);
            EXPECT_EQ(item(command).checked, want.checked) << static_cast<int>(command);
        }
        EXPECT_TRUE(item(ProgramCommand::Exit).enabled);
    }
}

// The shell numbers the hot keys in the order of their keys in the settings
// file; each factory combination gives the command the panel names beside it.
TEST(HotKeyActionTest, EachFactoryKeyRunsItsOwnCommand) {
    struct Case {
        const char* key;
        ProgramCommand command;
    };
    const Case cases[] = {
        {"Ctrl+Shift+F1", ProgramCommand::ClickThrough},
        {"Ctrl+Shift+F2", ProgramCommand::ShowHide},
        {"Ctrl+Shift+F3", ProgramCommand::Fit},
        {"Ctrl+Shift+F4", ProgramCommand::NextLook},
    };
    static_assert(std::size(cases) == kHotKeyCommandCount);
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        SCOPED_TRACE(cases[i].key);
        EXPECT_EQ(FormatHotKey(kFactoryHotKeys[i]), cases[i].key);
        EXPECT_EQ(HotKeyAction(static_cast<HotKeyCommand>(i)), cases[i].command);
    }
}

TEST(ProgramMenu, ClickThroughSwitchesEveryGuideTogether) {
    TGuideSet guides(std::make_unique<TSettings>(1920));
    guides.Add();
    guides.Add();
    guides.Guide(1).SetClickThrough(true);  // one of three: the switch turns it on for all
    const bool want[] = {true, false, true};
    for (const bool on : want) {
        SwitchClickThrough(guides);
        for (int i = 0; i < guides.Count(); ++i) EXPECT_EQ(guides.Guide(i).ClickThrough(), on) << i;
        EXPECT_EQ(StateOf(guides, true).allClickThrough, on);
    }
}

// The notification-area icon is the way back to a guide that lets every
// click through: its picture and tip change while any guide does.
TEST(TrayLookTest, ShowsClickThroughWhileAnyGuideHasIt) {
    TGuideSet guides(std::make_unique<TSettings>(1920));
    guides.Add();
    guides.Add();
    LangTable lang;
    lang.Merge("MClickThroughMark", "(click-through)");
    const struct {
        const char* name;
        std::vector<int> through;  // the guides with click-through
        bool shown;
        TrayLook look;
    } cases[] = {
        {"none", {}, true, {false, "Velmora Lumetra"}},
        {"one of three", {1}, true, {true, "Velmora Lumetra (click-through)"}},
        {"all", {0, 1, 2}, true, {true, "Velmora Lumetra (click-through)"}},
        {"hidden, and one of them", {2}, false, {true, "Velmora Lumetra (click-through)"}},
    };
    for (const auto& c : cases) {
        for (int i = 0; i < guides.Count(); ++i) guides.Guide(i).SetClickThrough(false);
        for (const int i : c.through) guides.Guide(i).SetClickThrough(true);
        const ProgramState state = StateOf(guides, c.shown);
        EXPECT_EQ(state.anyClickThrough, !c.through.empty()) << c.name;
        EXPECT_EQ(state.allClickThrough, c.through.size() == 3u) << c.name;
        EXPECT_EQ(TrayLookOf(state, lang, 128), c.look) << c.name;
    }
    // A long mark from a language file is cut to the system's buffer.
    lang.Merge("MClickThroughMark", std::string(300, 'x'));
    const TrayLook look = TrayLookOf(StateOf(guides, true), lang, 128);
    EXPECT_EQ(look.tip.size(), 127u);
    EXPECT_EQ(look.tip.rfind("Velmora Lumetra x", 0), 0u);
}

// Following is the current guide's switch on the menu; a guide waiting for
// its picture shows on the icon.
TEST(TrayLookTest, ShowsTheCurrentGuidesFollowingAndAnyWaiting) {
    TGuideSet guides(std::make_unique<TSettings>(1920));
    guides.Add();
    guides.Guide(1).SetFollowPicture(true);
    LangTable lang;
    lang.Merge("MClickThroughMark", "(click-through)");
    lang.Merge("MFollowWaitingMark", "(waits)");
    const struct {
        const char* name;
        int current;
        bool shown;
        bool waiting;
        bool checked;
        TrayLook look;
    } cases[] = {
        {"a guide that does not follow", 0, true, false, false, {false, "Velmora Lumetra", false}},
        {"the guide that follows", 1, true, false, true, {false, "Velmora Lumetra", false}},
        {"waiting", 1, true, true, true, {false, "Velmora Lumetra (waits)", true}},
        {"hidden and waiting", 0, false, true, false, {false, "Velmora Lumetra (waits)", true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        guides.MakeCurrent(c.current);
        ProgramState state = StateOf(guides, c.shown);
        EXPECT_FALSE(state.anyWaiting) << "the windows' to tell";
        state.anyWaiting = c.waiting;
        const std::vector<MenuItem> menu = ProgramMenu(state);
        ASSERT_EQ(menu.size(), 9u);
        const MenuItem follow = menu[7];  // after the older entries, before Exit
        EXPECT_EQ(follow, (MenuItem{ProgramCommand::Follow, "MTrayFollow", c.checked, c.shown}));
        EXPECT_EQ(TrayLookOf(state, lang, 128), c.look);
    }
    guides.Guide(0).SetClickThrough(true);
    ProgramState both = StateOf(guides, true);
    both.anyWaiting = true;
    EXPECT_EQ(TrayLookOf(both, lang, 128), (TrayLook{true, "Velmora Lumetra (click-through) (waits)", true}));
}

}  // namespace
}  // namespace lumetra::test

namespace lumetra::test {
namespace {

// The Units submenu checks the unit every guide shares, whichever is current.
TEST(ProgramMenuTest, TheUnitsSubmenuChecksTheSharedUnit) {
    TGuideSet guides(std::make_unique<TSettings>(1920));
    guides.Add();
    for (const std::int32_t units : {0, 2, 6}) {
        SCOPED_TRACE(units);
        guides.Guide(0).SetUnits(units);
        guides.MakeCurrent(1);
        const std::vector<MenuItem> menu = UnitsMenu(StateOf(guides, true));
        ASSERT_EQ(menu.size(), 7u);
        for (std::size_t i = 0; i < menu.size(); ++i) {
            EXPECT_EQ(menu[i].textKey, "MSUnit" + std::to_string(i));
            EXPECT_EQ(menu[i].checked, static_cast<std::int32_t>(i) == units) << i;
        }
    }
}

}  // namespace
}  // namespace lumetra::test
