// The hot keys' texts, and the keys for working under a guide: click-through
// for each guide, capture hiding and the hot keys for all of them.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/HotKey.h"

namespace lumetra {
namespace {

constexpr std::uint8_t kCtrlShift = kHotKeyCtrl | kHotKeyShift;

TEST(HotKeyText, ReadsWhatAHotKeyMayBeAndNothingElse) {
    struct Case {
        const char* text;
        std::optional<HotKey> hotKey;
    };
    const Case cases[] = {
        {"Ctrl+Shift+F9", HotKey{0x78, kCtrlShift}},
        {" shift + ctrl + f9 ", HotKey{0x78, kCtrlShift}},
        {"Alt+Shift+G", HotKey{'G', kHotKeyAlt | kHotKeyShift}},
        {"Win+Ctrl+Alt+1", HotKey{'1', kHotKeyWin | kHotKeyCtrl | kHotKeyAlt}},
        {"Ctrl+PageDown", HotKey{0x22, kHotKeyCtrl}},
        {"None", HotKey{}},
        {"", HotKey{}},
        {"F9", std::nullopt},               // a bare key would be taken from typing
        {"Shift+A", std::nullopt},          // so would Shift with a letter
        {"Ctrl+Alt+E", std::nullopt},       // AltGr on many layouts
        {"Ctrl+Alt+Shift+E", std::nullopt},
        {"Ctrl+Ctrl+F9", std::nullopt},
        {"Ctrl+", std::nullopt},
        {"Ctrl+F25", std::nullopt},
        {"Ctrl+Tab", std::nullopt},
        {"Ctrl+F9+G", std::nullopt},
        {"Hyper+F9", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseHotKey(c.text), c.hotKey) << c.text;
        if (c.hotKey && !c.hotKey->Empty()) {
            EXPECT_EQ(ParseHotKey(FormatHotKey(*c.hotKey)), c.hotKey) << c.text;
        }
    }
    EXPECT_EQ(FormatHotKey(kFactoryHotKeys[0]), "Ctrl+Shift+F9");
    EXPECT_EQ(FormatHotKey({}), "None");
    for (const HotKey factory : kFactoryHotKeys) EXPECT_TRUE(AcceptsHotKey(factory));
}

struct KeysCase {
    const char* name;
    std::string file;
    bool clickThrough;
    bool guideClickThrough;  // the second guide's
    bool hideFromCapture;
    HotKey fit;
};

TEST(WorkUnderTheGuideKeys, LoadEachGuidesAndTheSharedOnes) {
    const KeysCase cases[] = {
        {"missing", "[Settings]\r\n", false, false, false, kFactoryHotKeys[2]},
        {"set",
         "[Settings]\r\nClickThrough=1\r\nHideFromCapture=1\r\nHotKeyFit=Alt+Shift+P\r\n"
         "[Guide2]\r\nClickThrough=1\r\n",
         true, true, true, {'P', kHotKeyAlt | kHotKeyShift}},
        {"per guide", "[Settings]\r\n[Guide2]\r\nClickThrough=1\r\nHotKeyFit=None\r\nHideFromCapture=1\r\n", false,
         true, false, kFactoryHotKeys[2]},
        {"taken away", "[Settings]\r\nHotKeyFit=None\r\n", false, false, false, {}},
        {"hostile", "[Settings]\r\nClickThrough=yes\r\nHideFromCapture=\r\nHotKeyFit=Ctrl+Alt+Q\r\n", false,
         false, false, kFactoryHotKeys[2]},
    };
    for (const KeysCase& c : cases) {
        SCOPED_TRACE(c.name);
        TSettings first(1920);
        TSettings second(1920);
        first.LoadFromText(c.file, '.');
        second.LoadGuideFromText(c.file, "Guide2", '.');
        EXPECT_EQ(first.ClickThrough(), c.clickThrough);
        EXPECT_EQ(second.ClickThrough(), c.guideClickThrough);
        EXPECT_EQ(first.HideFromCapture(), c.hideFromCapture);
        EXPECT_EQ(first.HotKeyFor(HotKeyCommand::Fit), c.fit);
        EXPECT_FALSE(second.HideFromCapture()) << "shared keys are read from the Settings section only";
    }
}

TEST(WorkUnderTheGuideKeys, WrittenOnlyOnceChangedAndSharedKeysOnlyOnce) {
    TSettings s(1920);
    const std::string today = s.SaveToText("", '.');
    EXPECT_EQ(today.find("ClickThrough"), std::string::npos);
    EXPECT_EQ(today.find("HotKey"), std::string::npos);
    s.SetClickThrough(true);
    s.SetHideFromCapture(true);
    s.SetHotKey(HotKeyCommand::NextLook, {});
    s.SetHotKey(HotKeyCommand::ShowHide, {'H', kHotKeyCtrl | kHotKeyAlt});  // refused: AltGr
    const std::string text = s.SaveToText("", '.');
    EXPECT_NE(text.find("ClickThrough=1\r\nHideFromCapture=1\r\nHotKeyNextLook=None\r\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("HotKeyShowHide"), std::string::npos);
    const std::string guide = s.SaveGuideToText("", "Guide2", '.');
    EXPECT_NE(guide.find("ClickThrough=1"), std::string::npos);
    EXPECT_EQ(guide.find("HotKey"), std::string::npos);
    EXPECT_EQ(guide.find("HideFromCapture"), std::string::npos);
}

TEST(WorkUnderTheGuideKeys, SharedOnesReachEveryGuideAndClickThroughOnlyItsOwn) {
    TSettings a(1920);
    TSettings b(1920);
    const std::vector<TSettings*> group{&a, &b};
    a.ShareWith(&group);
    b.ShareWith(&group);
    a.SetHotKey(HotKeyCommand::Fit, {'P', kHotKeyWin});
    a.SetHideFromCapture(true);
    a.SetClickThrough(true);
    EXPECT_EQ(b.HotKeyFor(HotKeyCommand::Fit), (HotKey{'P', kHotKeyWin}));
    EXPECT_TRUE(b.HideFromCapture());
    EXPECT_FALSE(b.ClickThrough());
    a.RestoreDefaults();
    EXPECT_FALSE(a.ClickThrough());
    EXPECT_FALSE(b.HideFromCapture());
    EXPECT_EQ(b.HotKeyFor(HotKeyCommand::Fit), (HotKey{'P', kHotKeyWin})) << "hot keys stay";
}

}  // namespace
}  // namespace lumetra
