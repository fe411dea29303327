// The Work page: click-through for the bound guide, hiding from screen
// captures where the system can, and the program's hot keys with the note
// for a combination another program holds.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "panel/PanelFixture.h"

namespace lumetra::test {
namespace {

constexpr HotKey kCtrlShiftK{'K', kHotKeyCtrl | kHotKeyShift};
constexpr HotKey kAltF5{0x74, kHotKeyAlt};
constexpr HotKey kWinX{'X', kHotKeyWin};
constexpr HotKey kFactoryClickThrough = kFactoryHotKeys[0];

// The program holds every hot key of the settings except the combinations
// another program has taken.
class FakeHotKeyStatus final : public IHotKeyStatus {
public:
    explicit FakeHotKeyStatus(const TSettings& settings) : settings_(settings) {}
    bool HotKeyTaken(HotKeyCommand command) const override {
        const HotKey held = settings_.HotKeyFor(command);
        return !held.Empty() && takenElsewhere.contains(FormatHotKey(held));
    }
    void StandAside(bool aside) override { asides.push_back(aside); }
    std::set<std::string> takenElsewhere;
    std::vector<bool> asides;

private:
    const TSettings& settings_;
};

class WorkTest : public PanelTest {
protected:
    WorkTest() {
        platform.files[kExeFolder + "English.lng"] +=
            "MSWorkTab=Work\r\nMSClickThrough=Click-through\r\nMSHotKey0=Switch click-through:\r\n"
            "MSHotKey3=Next look:\r\nMSHotKeyTaken=In use by another program\r\n";
        platform.files[kExeFolder + "Deutsch.lng"] += "MSHotKeyTaken=Von anderem Programm belegt\r\n";
        for (TSettings* guide : group) guide->ShareWith(&group);
    }

    const FakePanelView::HotKeyShown& Shown(HotKeyCommand command) { return view.hotKeys[command]; }

    TSettings other{kScreenWidth};  // a second guide, not bound to the panel
    std::vector<TSettings*> group{&settings, &other};
    FakeHotKeyStatus status{settings};
};

TEST_F(WorkTest, TheCheckBoxesFollowTheBoundGuideWhereverTheSettingChanges) {
    const struct {
        const char* name;
        std::function<void()> change;
        bool clickThrough;
        bool capture;
    } cases[] = {
        {"the panel's own box", [this] { panel.ClickThroughCheckBoxClick(true); }, true, false},
        {"the hot key on the bound guide", [this] { settings.SetClickThrough(true); }, true, false},
        {"another guide's click-through", [this] { other.SetClickThrough(true); }, false, false},
        {"capture hiding on another guide", [this] { other.SetHideFromCapture(true); }, false, true},
        {"the panel's capture box", [this] { panel.CaptureCheckBoxClick(true); }, false, true},
        {"restoring the defaults",
         [this] {
             settings.SetClickThrough(true);
             settings.SetHideFromCapture(true);
             panel.RestoreButtonClick();
         },
         false, false},
        {"rebinding to a click-through guide",
         [this] {
             other.SetClickThrough(true);
             panel.Rebind(other, overlay);
         },
         true, false},
    };
    for (const auto& c : cases) {
        for (TSettings* guide : group) {
            guide->SetClickThrough(false);
            guide->SetHideFromCapture(false);
        }
        StartPanel();
        c.change();
        EXPECT_EQ(view.clickThrough, c.clickThrough) << c.name;
        EXPECT_EQ(view.captureChecked, c.capture) << c.name;
        EXPECT_EQ(view.panelExcluded, c.capture) << c.name << ": the panel itself";
        panel.Rebind(settings, overlay);
        other.SetPanel(nullptr);
    }
    other.SetClickThrough(false);
    panel.ClickThroughCheckBoxClick(true);
    EXPECT_TRUE(settings.ClickThrough());
    EXPECT_FALSE(other.ClickThrough()) << "the panel's box switches the bound guide only";
}

TEST_F(WorkTest, TheFollowBoxSwitchesTheBoundGuideAndShowsItsState) {
    const struct {
        const char* name;
        std::function<void()> change;
        bool shown;
        bool bound;
        bool others;
    } cases[] = {
        {"the panel's own box", [this] { panel.FollowCheckBoxClick(true); }, true, true, false},
        {"a fit that follows, on the bound guide", [this] { settings.SetFollowPicture(true); }, true, true, false},
        {"another guide following", [this] { other.SetFollowPicture(true); }, false, false, true},
        {"rebinding to a following guide",
         [this] {
             other.SetFollowPicture(true);
             panel.Rebind(other, overlay);
         },
         true, false, true},
    };
    for (const auto& c : cases) {
        settings.SetFollowPicture(false);
        other.SetFollowPicture(false);
        StartPanel();
        c.change();
        EXPECT_EQ(view.follow, c.shown) << c.name;
        EXPECT_EQ(settings.FollowPicture(), c.bound) << c.name;
        EXPECT_EQ(other.FollowPicture(), c.others) << c.name;
        panel.Rebind(settings, overlay);
        other.SetPanel(nullptr);
    }
    settings.SetFollowPicture(true);
    panel.FollowCheckBoxClick(false);
    EXPECT_FALSE(view.follow) << "a drag or the box itself turns it off";
}

TEST_F(WorkTest, CaptureHidingTheSystemRefusesIsGreyedAndChangesNothing) {
    const struct {
        const char* name;
        bool systemHides;
        bool stored;
        bool clicked;
        bool storedAfter;
        std::optional<bool> panelExcluded;
    } cases[] = {
        {"available, switched on", true, false, true, true, true},
        {"available, switched off", true, true, false, false, false},
        {"refused, a click switches nothing", false, false, true, false, std::nullopt},
        {"refused, on in the file: shown, never asked for", false, true, false, true, std::nullopt},
    };
    for (const auto& c : cases) {
        view.systemHidesFromCapture = c.systemHides;
        view.panelExcluded.reset();
        settings.SetHideFromCapture(c.stored);
        StartPanel();
        panel.CaptureCheckBoxClick(c.clicked);
        EXPECT_EQ(settings.HideFromCapture(), c.storedAfter) << c.name;
        EXPECT_EQ(other.HideFromCapture(), c.storedAfter) << c.name << ": every guide";
        EXPECT_EQ(view.captureChecked, c.storedAfter) << c.name;
        EXPECT_EQ(view.captureEnabled, c.systemHides) << c.name;
        EXPECT_EQ(view.panelExcluded, c.panelExcluded) << c.name;
    }
}

TEST_F(WorkTest, ATypedCombinationIsStoredForEveryGuideOrGoesBack) {
    const HotKey typing{0, kHotKeyCtrl | kHotKeyShift};  // modifiers held, no key yet
    const struct {
        const char* name;
        HotKey typed;
        HotKey stored;
        HotKey shown;
    } cases[] = {
        {"Ctrl and Shift with a letter", kCtrlShiftK, kCtrlShiftK, kCtrlShiftK},
        {"Alt with a function key", kAltF5, kAltF5, kAltF5},
        {"the Windows key", kWinX, kWinX, kWinX},
        {"a bare key", {'A', 0}, kFactoryClickThrough, kFactoryClickThrough},
        {"Shift with a key", {0x78, kHotKeyShift}, kFactoryClickThrough, kFactoryClickThrough},
        {"Ctrl+Alt, which is AltGr", {'K', kHotKeyCtrl | kHotKeyAlt}, kFactoryClickThrough, kFactoryClickThrough},
        {"AltGr with Shift",
         {'K', kHotKeyCtrl | kHotKeyAlt | kHotKeyShift},
         kFactoryClickThrough,
         kFactoryClickThrough},
        {"a key without a name", {0xBA, kHotKeyCtrl}, kFactoryClickThrough, kFactoryClickThrough},
        {"another command's combination", kFactoryHotKeys[1], kFactoryClickThrough, kFactoryClickThrough},
        {"still being typed", typing, kFactoryClickThrough, typing},
    };
    StartPanel();
    for (const auto& c : cases) {
        settings.SetHotKey(HotKeyCommand::ClickThrough, kFactoryClickThrough);
        view.hotKeys[HotKeyCommand::ClickThrough].hotKey = c.typed;  // what the control holds
        panel.HotKeyChange(HotKeyCommand::ClickThrough, c.typed);
        EXPECT_EQ(settings.HotKeyFor(HotKeyCommand::ClickThrough), c.stored) << c.name;
        EXPECT_EQ(other.HotKeyFor(HotKeyCommand::ClickThrough), c.stored) << c.name << ": every guide";
        EXPECT_EQ(Shown(HotKeyCommand::ClickThrough).hotKey, c.shown) << c.name;
        EXPECT_EQ(settings.HotKeyFor(HotKeyCommand::ShowHide), kFactoryHotKeys[1]) << c.name << ": others kept";
    }
    panel.HotKeyClear(HotKeyCommand::NextLook);
    EXPECT_TRUE(other.HotKeyFor(HotKeyCommand::NextLook).Empty());
    EXPECT_TRUE(Shown(HotKeyCommand::NextLook).hotKey.Empty());
}

TEST_F(WorkTest, EachCombinationAnotherProgramHoldsSaysSoBesideItsControl) {
    const std::string taken = "In use by another program";
    const struct {
        const char* name;
        std::set<std::string> takenElsewhere;
        HotKey typedForFit;
        std::vector<std::string> notes;  // in HotKeyCommand order
    } cases[] = {
        {"all free", {}, kAltF5, {"", "", "", ""}},
        {"a factory key taken", {FormatHotKey(kFactoryHotKeys[0])}, kAltF5, {taken, "", "", ""}},
        {"the typed one taken", {"Alt+F5"}, kAltF5, {"", "", taken, ""}},
        {"another typed one is free", {"Alt+F5"}, kWinX, {"", "", "", ""}},
        {"two taken",
         {FormatHotKey(kFactoryHotKeys[1]), FormatHotKey(kFactoryHotKeys[3])},
         kWinX,
         {"", taken, "", taken}},
    };
    StartPanel();
    panel.AttachHotKeys(&status);
    for (const auto& c : cases) {
        status.takenElsewhere = c.takenElsewhere;
        panel.HotKeyChange(HotKeyCommand::Fit, c.typedForFit);
        for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
            EXPECT_EQ(Shown(static_cast<HotKeyCommand>(i)).note, c.notes[i]) << c.name << ", hot key " << i;
        }
    }
    // A cleared hot key is no combination another program can hold.
    status.takenElsewhere = {FormatHotKey(kFactoryHotKeys[0])};
    panel.UpdateHotKeys();
    EXPECT_EQ(Shown(HotKeyCommand::ClickThrough).note, taken);
    panel.HotKeyClear(HotKeyCommand::ClickThrough);
    EXPECT_EQ(Shown(HotKeyCommand::ClickThrough).note, "");
    // The note is a text of the language, and without the program nothing is taken.
    settings.SetHotKey(HotKeyCommand::ClickThrough, kFactoryClickThrough);
    panel.LangComboBoxChange("Deutsch");
    EXPECT_EQ(Shown(HotKeyCommand::ClickThrough).note, "Von anderem Programm belegt");
    panel.AttachHotKeys(nullptr);
    EXPECT_EQ(Shown(HotKeyCommand::ClickThrough).note, "");
}

TEST_F(WorkTest, ARefusedCombinationSaysWhyUntilTheBoxIsLeft) {
    platform.files[kExeFolder + "English.lng"] +=
        "MSHotKeyUnnamed=unnamed\r\nMSHotKeyNoModifier=no modifier\r\nMSHotKeyAltGr=altgr\r\n"
        "MSHotKeyReserved=reserved\r\nMSHotKeyCommon=common\r\nMSHotKeyOurs=ours\r\n";
    const struct {
        const char* name;
        HotKey typed;
        const char* note;
    } cases[] = {
        {"F12", {0x7B, kHotKeyCtrl | kHotKeyShift}, "reserved"},
        {"copy", {'C', kHotKeyCtrl}, "common"},
        {"a menu", {'F', kHotKeyAlt}, "common"},
        {"a bare key", {'A', 0}, "no modifier"},
        {"AltGr", {'K', kHotKeyCtrl | kHotKeyAlt}, "altgr"},
        {"a key without a name", {0xBA, kHotKeyCtrl}, "unnamed"},
        {"another command's combination", kFactoryHotKeys[1], "ours"},
        {"a good one clears the note", kCtrlShiftK, ""},
    };
    StartPanel();
    panel.AttachHotKeys(&status);
    for (const auto& c : cases) {
        panel.HotKeyChange(HotKeyCommand::ClickThrough, c.typed);
        EXPECT_EQ(Shown(HotKeyCommand::ClickThrough).note, c.note) << c.name;
        EXPECT_EQ(Shown(HotKeyCommand::ShowHide).note, "") << c.name << ": only its own row";
    }
    panel.HotKeyChange(HotKeyCommand::Fit, {'V', kHotKeyCtrl});
    EXPECT_EQ(Shown(HotKeyCommand::Fit).note, "common");
    EXPECT_EQ(Shown(HotKeyCommand::Fit).hotKey, kFactoryHotKeys[2]) << "the box shows the one in use";
    // Pressing only modifiers, or the box echoing the combination it shows
    // as the keys come up, keeps the note; leaving the box ends it.
    panel.HotKeyChange(HotKeyCommand::Fit, {0, kHotKeyCtrl});
    EXPECT_EQ(Shown(HotKeyCommand::Fit).note, "common");
    panel.HotKeyChange(HotKeyCommand::Fit, kFactoryHotKeys[2]);
    EXPECT_EQ(Shown(HotKeyCommand::Fit).note, "common");
    panel.HotKeyBoxFocus(false);
    EXPECT_EQ(Shown(HotKeyCommand::Fit).note, "");
    // So does clearing the box.
    panel.HotKeyChange(HotKeyCommand::Fit, {0x7B, kHotKeyAlt});
    panel.HotKeyClear(HotKeyCommand::Fit);
    EXPECT_EQ(Shown(HotKeyCommand::Fit).note, "");
}

TEST_F(WorkTest, TwoCommandsWithOneCombinationShowAClashNotAnotherProgram) {
    platform.files[kExeFolder + "English.lng"] += "MSHotKeyClash=clash\r\n";
    StartPanel();
    panel.AttachHotKeys(&status);
    // As a hand-edited file gives them; the program holds it for the first.
    settings.SetHotKey(HotKeyCommand::Fit, kFactoryClickThrough);
    settings.SetHotKey(HotKeyCommand::NextLook, kFactoryClickThrough);
    status.takenElsewhere = {FormatHotKey(kFactoryHotKeys[1])};
    panel.UpdateHotKeys();
    const std::vector<std::string> notes{"", "In use by another program", "clash", "clash"};
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        EXPECT_EQ(Shown(static_cast<HotKeyCommand>(i)).note, notes[i]) << i;
    }
    // Another combination for one of them ends its clash.
    panel.HotKeyChange(HotKeyCommand::Fit, kAltF5);
    EXPECT_EQ(Shown(HotKeyCommand::Fit).note, "");
    EXPECT_EQ(Shown(HotKeyCommand::NextLook).note, "clash");
}

TEST_F(WorkTest, TheHotKeysStandAsideWhileAHotKeyBoxHasTheFocus) {
    // So that typing a combination the program holds puts it in the box
    // rather than running its command; leaving the box shows the one in use.
    const HotKey typing{0, kHotKeyCtrl | kHotKeyShift};
    StartPanel();
    panel.AttachHotKeys(&status);
    panel.HotKeyBoxFocus(true);
    EXPECT_EQ(status.asides, (std::vector<bool>{true}));
    panel.HotKeyChange(HotKeyCommand::NextLook, kAltF5);
    view.hotKeys[HotKeyCommand::ShowHide].hotKey = typing;  // left half typed
    panel.HotKeyBoxFocus(false);
    EXPECT_EQ(status.asides, (std::vector<bool>{true, false}));
    EXPECT_EQ(settings.HotKeyFor(HotKeyCommand::NextLook), kAltF5) << "typed while aside, kept";
    EXPECT_EQ(Shown(HotKeyCommand::ShowHide).hotKey, kFactoryHotKeys[1]);
    // Without the program there is nothing to put aside.
    panel.AttachHotKeys(nullptr);
    panel.HotKeyBoxFocus(true);
    EXPECT_EQ(status.asides.size(), 2u);
}

TEST_F(WorkTest, TheLanguagePassLabelsTheWorkPage) {
    StartPanel();
    EXPECT_EQ(view.texts[PanelText::WorkTab], "Work");
    EXPECT_EQ(view.texts[PanelText::ClickThroughCheckBox], "Click-through");
    EXPECT_EQ(view.texts[PanelText::ClickThroughKeyLabel], "Switch click-through:");
    EXPECT_EQ(view.texts[PanelText::ShowHideKeyLabel], "MSHotKey1") << "a missing text shows its key";
    EXPECT_EQ(view.texts[PanelText::NextLookKeyLabel], "Next look:");
    EXPECT_EQ(Shown(HotKeyCommand::Fit).hotKey, kFactoryHotKeys[2]);
}

}  // namespace
}  // namespace lumetra::test
