// The hot keys' texts, and the keys for working under a guide: click-through
// for each guide, capture hiding and the hot keys for all of them.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/HotKey.h"

namespace lumetra::test {
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
        {"F9", std::nullopt},          // a bare key would be taken from typing
        {"Shift+A", std::nullopt},     // so would Shift with a letter
        {"Ctrl+Alt+E", std::nullopt},  // AltGr on many layouts
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
    EXPECT_EQ(FormatHotKey(kFactoryHotKeys[0]), "Ctrl+Shift+F1");
    EXPECT_EQ(FormatHotKey({}), "None");
    for (const HotKey factory : kFactoryHotKeys) EXPECT_TRUE(AcceptsHotKey(factory));
}

TEST(HotKeyVerdictTest, SaysWhyACombinationCannotBeAHotKey) {
    const struct {
        const char* text;
        HotKeyVerdict verdict;
    } cases[] = {
        {"Ctrl+Shift+F1", HotKeyVerdict::Accepted},
        {"Ctrl+F5", HotKeyVerdict::Accepted},
        {"Ctrl+Shift+K", HotKeyVerdict::Accepted},  // Shift makes it no plain Ctrl+letter
        {"Alt+Shift+G", HotKeyVerdict::Accepted},
        {"Ctrl+1", HotKeyVerdict::Accepted},  // a digit is no letter
        {"Win+F9", HotKeyVerdict::Accepted},
        {"Win+Ctrl+Alt+E", HotKeyVerdict::Accepted},  // with Win, Ctrl+Alt is no AltGr
        {"F9", HotKeyVerdict::NoModifier},
        {"Shift+Insert", HotKeyVerdict::NoModifier},
        {"Ctrl+Alt+E", HotKeyVerdict::AltGr},
        {"Ctrl+Alt+Shift+F1", HotKeyVerdict::AltGr},
        {"F12", HotKeyVerdict::Reserved},
        {"Ctrl+Shift+F12", HotKeyVerdict::Reserved},
        {"Win+F12", HotKeyVerdict::Reserved},
        {"Ctrl+C", HotKeyVerdict::Common},
        {"Ctrl+Z", HotKeyVerdict::Common},
        {"Alt+F", HotKeyVerdict::Common},  // a menu
        {"Alt+F4", HotKeyVerdict::Common},
    };
    for (const auto& c : cases) {
        const std::optional<HotKey> hotKey = ParseHotKeyName(c.text);
        ASSERT_TRUE(hotKey) << c.text;
        EXPECT_EQ(CheckHotKey(*hotKey), c.verdict) << c.text;
        // The file refuses what the panel refuses.
        EXPECT_EQ(ParseHotKey(c.text).has_value(), c.verdict == HotKeyVerdict::Accepted) << c.text;
    }
    // Keys the file cannot name, typed into the panel.
    EXPECT_EQ(CheckHotKey({0xBA, kHotKeyCtrl}), HotKeyVerdict::Unnamed);  // ";" on US keyboards
    EXPECT_EQ(CheckHotKey({0x25, kCtrlShift}), HotKeyVerdict::Unnamed);   // Left arrow
    EXPECT_EQ(CheckHotKey({0x70, 0x10}), HotKeyVerdict::Unnamed);         // a modifier bit of no key
}

// The defaults of the programs guides are laid over, as their vendors
// publish them for Windows (see the factory table).
TEST(FactoryHotKeysTest, TakeNoPublishedShortcutAndNoReservedKey) {
    const char* const published[] = {
        // Windows
        "Alt+F4",
        "Ctrl+F4",
        "Alt+F8",
        "Shift+F10",
        "Ctrl+Shift+E",
        "Ctrl+Shift+N",
        "F12",
        // Illustrator
        "Shift+F3",
        "Ctrl+F6",
        "Ctrl+Shift+F6",
        "Ctrl+Alt+F6",
        "Ctrl+Shift+F8",
        "Ctrl+Shift+F9",
        "Ctrl+Shift+F10",
        "Ctrl+Shift+F11",
        "Ctrl+F12",
        // Photoshop and Camera Raw
        "F1",
        "F2",
        "F3",
        "F4",
        "F5",
        "F6",
        "F7",
        "F8",
        "F9",
        "Shift+F5",
        "Shift+F6",
        "Shift+F7",
        "Alt+F9",
        "Ctrl+Alt+1",
        "Ctrl+Alt+9",
        // InDesign
        "Ctrl+F1",
        "Ctrl+F2",
        "Ctrl+F3",
        "Shift+F1",
        "Shift+F2",
        "F10",
        // Chrome
        "Shift+F6",
        "F11",
        "Ctrl+Shift+B",
        "Ctrl+Shift+Delete",
        "Ctrl+Shift+J",
        "Ctrl+Shift+T",
    };
    for (const char* text : published) {
        const std::optional<HotKey> shortcut = ParseHotKeyName(text);
        ASSERT_TRUE(shortcut) << text;
        for (const HotKey factory : kFactoryHotKeys) EXPECT_NE(factory, *shortcut) << text;
    }
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        EXPECT_EQ(CheckHotKey(kFactoryHotKeys[i]), HotKeyVerdict::Accepted) << i;
        EXPECT_EQ(kFactoryHotKeys[i].modifiers & kHotKeyWin, 0) << i << ": the Windows key is the system's";
    }
    EXPECT_EQ(HotKeyClashes(kFactoryHotKeys), (std::array<std::optional<HotKeyCommand>, kHotKeyCommandCount>{}));
}

TEST(HotKeyClashesTest, NameTheFirstCommandWithTheSameCombination) {
    constexpr HotKey a{'A', kCtrlShift};
    constexpr HotKey b{'B', kCtrlShift};
    using Clashes = std::array<std::optional<HotKeyCommand>, kHotKeyCommandCount>;
    const struct {
        const char* name;
        HotKeySet hotKeys;
        Clashes clashes;
    } cases[] = {
        {"all different", {a, b, HotKey{}, HotKey{'C', kCtrlShift}}, {}},
        {"two without a hot key", {a, HotKey{}, HotKey{}, b}, {}},
        {"a pair", {a, b, a, HotKey{}}, {std::nullopt, std::nullopt, HotKeyCommand::ClickThrough, std::nullopt}},
        {"all four alike",
         {b, b, b, b},
         {std::nullopt, HotKeyCommand::ClickThrough, HotKeyCommand::ClickThrough, HotKeyCommand::ClickThrough}},
        {"two pairs", {a, b, b, a}, {std::nullopt, std::nullopt, HotKeyCommand::ShowHide, HotKeyCommand::ClickThrough}},
        {"same key, other modifiers", {a, HotKey{'A', kHotKeyAlt | kHotKeyShift}, HotKey{}, HotKey{}}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(HotKeyClashes(c.hotKeys), c.clashes) << c.name;
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
         true,
         true,
         true,
         {'P', kHotKeyAlt | kHotKeyShift}},
        {"per guide", "[Settings]\r\n[Guide2]\r\nClickThrough=1\r\nHotKeyFit=None\r\nHideFromCapture=1\r\n", false,
         true, false, kFactoryHotKeys[2]},
        {"taken away", "[Settings]\r\nHotKeyFit=None\r\n", false, false, false, {}},
        {"hostile", "[Settings]\r\nClickThrough=yes\r\nHideFromCapture=\r\nHotKeyFit=Ctrl+Alt+Q\r\n", false, false,
         false, kFactoryHotKeys[2]},
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

TEST(WorkUnderTheGuideKeys, AFileKeepsTheHotKeysItNamesAndOthersGetTheFactoryOnes) {
    const HotKey oldClickThrough{0x78, kCtrlShift};  // the factory keys of earlier versions
    const HotKey oldFit{0x7A, kCtrlShift};
    const struct {
        const char* name;
        std::string file;
        HotKeySet loaded;
    } cases[] = {
        {"none named", "[Settings]\r\nWidth=300\r\n", kFactoryHotKeys},
        {"the old defaults, stored explicitly",
         "[Settings]\r\nHotKeyClickThrough=Ctrl+Shift+F9\r\nHotKeyShowHide=Ctrl+Shift+F10\r\n"
         "HotKeyFit=Ctrl+Shift+F11\r\nHotKeyNextLook=Ctrl+Shift+F12\r\n",
         // F12 is the debugger's, so that one alone gets today's factory key.
         {oldClickThrough, HotKey{0x79, kCtrlShift}, oldFit, kFactoryHotKeys[3]}},
        {"some named",
         "[Settings]\r\nHotKeyFit=Ctrl+Shift+F11\r\n",
         {kFactoryHotKeys[0], kFactoryHotKeys[1], oldFit, kFactoryHotKeys[3]}},
        {"a hand-edited clash is read as it stands",
         "[Settings]\r\nHotKeyClickThrough=Ctrl+Shift+F9\r\nHotKeyFit=Ctrl+Shift+F9\r\n",
         {oldClickThrough, kFactoryHotKeys[1], oldClickThrough, kFactoryHotKeys[3]}},
        {"a plain Ctrl+letter", "[Settings]\r\nHotKeyShowHide=Ctrl+V\r\n", kFactoryHotKeys},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TSettings loaded(1920);
        loaded.LoadFromText(c.file, '.');
        for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
            EXPECT_EQ(loaded.HotKeyFor(static_cast<HotKeyCommand>(i)), c.loaded[i]) << i;
        }
        // Saved and read again, the same hot keys.
        TSettings again(1920);
        again.LoadFromText(loaded.SaveToText(c.file, '.'), '.');
        for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
            EXPECT_EQ(again.HotKeyFor(static_cast<HotKeyCommand>(i)), c.loaded[i]) << i;
        }
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
    EXPECT_NE(text.find("ClickThrough=1\r\nHideFromCapture=1\r\nHotKeyNextLook=None\r\n"), std::string::npos) << text;
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
}  // namespace lumetra::test
