#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/CaseName.h"
#include "settings/Snapshot.h"
#include "settings/SettingsFile.h"
#include "support/FakePlatformFiles.h"

namespace lumetra::test {
namespace {

// What Load yields from a Settings section without any key.
Snapshot KeyMissingDefaults() {
    return {0.6180339887498949,
            true,
            true,
            401,
            248,
            12,
            4210943,
            8618883,
            true,
            90,
            true,
            0,
            true,
            1,
            8,
            true,
            false,
            true,
            "English",
            200,
            200,
            600,
            10,
            false,
            1,
            true};
}

struct LoadCase {
    const char* name;
    std::string body;  // lines of the Settings section
    char separator;
    std::function<void(Snapshot&)> change;  // from the key-missing defaults
};

class LoadRules : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadRules, ApplyKeysInOrderWithDefaults) {
    const LoadCase& c = GetParam();
    TSettings s(1920);
    s.LoadFromText("[Settings]\r\n" + c.body, c.separator);
    Snapshot expected = KeyMissingDefaults();
    c.change(expected);
    EXPECT_EQ(Take(s), expected);
}

void DefaultRatio(Snapshot&) {}

INSTANTIATE_TEST_SUITE_P(
    Storage, LoadRules,
    ::testing::Values(
        LoadCase{"OnlyLookMode", "LookMode=5\r\n", '.', [](Snapshot& e) { e.lookMode = 5; }},
        LoadCase{"WidthLeadsIgnoresStoredHeight", "Lock=1\r\nLockWidth=1\r\nWidth=500\r\nHeight=100\r\n", '.',
                 [](Snapshot& e) {
                     e.width = 500;
                     e.height = 309;
                 }},
        LoadCase{"HeightLeadsIgnoresStoredWidth", "Lock=1\r\nLockWidth=0\r\nWidth=10\r\nHeight=309\r\n", '.',
                 [](Snapshot& e) {
                     e.lockWidth = false;
                     e.width = 500;
                     e.height = 309;
                 }},
        LoadCase{"WidthBelowMinimumWithLockOff", "Lock=0\r\nWidth=10\r\nHeight=100\r\n", '.',
                 [](Snapshot& e) {
                     e.lock = false;
                     e.width = 58;
                     e.height = 100;
                 }},
        LoadCase{"HeightBoundUsesRatioJustRead", "Lock=0\r\nRatio=1\r\nHeight=20\r\n", '.',
                 [](Snapshot& e) {
                     e.lock = false;
                     e.ratio = 1.0;
                     e.height = 58;
                 }},
        LoadCase{"Opacity150KeepsCreatedValue", "Opacity=150\r\n", '.', DefaultRatio},
        LoadCase{"RatioOne", "Ratio=1\r\n", '.',
                 [](Snapshot& e) {
                     e.ratio = 1.0;
                     e.height = 401;
                 }},
        LoadCase{"RatioComma", "Ratio=0,5\r\n", ',',
                 [](Snapshot& e) {
                     e.ratio = 0.5;
                     e.height = 200;
                 }},
        LoadCase{"RatioCommaUnderPointLocale", "Ratio=0,5\r\n", '.', DefaultRatio},
        LoadCase{"RatioWord", "Ratio=abc\r\n", '.', DefaultRatio},
        LoadCase{"RatioEmpty", "Ratio=\r\n", '.', DefaultRatio},
        LoadCase{"RatioZero", "Ratio=0\r\n", '.', DefaultRatio},
        LoadCase{"RatioNegative", "Ratio=-1\r\n", '.', DefaultRatio},
        LoadCase{"RatioNaN", "Ratio=nan\r\n", '.', DefaultRatio},
        LoadCase{"RatioInfinite", "Ratio=inf\r\n", '.', DefaultRatio},
        LoadCase{"RatioBeyondDouble", "Ratio=1e309\r\n", '.', DefaultRatio},
        LoadCase{"RatioHugeButFinite", "Ratio=1e308\r\n", '.',
                 [](Snapshot& e) {
                     e.ratio = 1e308;
                     e.height = 16384;
                 }},
        LoadCase{"BoolWordGivesDefault", "Lock=yes\r\nShowHints=true\r\n", '.', DefaultRatio},
        LoadCase{"BoolTwoIsTrue", "SettingsOpacity=2\r\n", '.', [](Snapshot& e) { e.settingsOpacity = true; }},
        LoadCase{"BoolHexZeroIsFalse", "SFrame=0x0\r\n", '.', [](Snapshot& e) { e.sFrame = false; }},
        LoadCase{"IntegerGarbageGivesDefault", "GridSize=8px\r\nX=99999999999\r\nLookMode=\r\n", '.', DefaultRatio},
        LoadCase{"GridSizeBelowMinimum", "GridSize=1\r\n", '.', [](Snapshot& e) { e.gridSize = 3; }},
        LoadCase{"HexAndBlanks", "LinesColor= $FF \r\nX=0x10\r\n", '.',
                 [](Snapshot& e) {
                     e.linesColor = 0xFF;
                     e.x = 16;
                 }},
        LoadCase{"NegativeColourKept", "ValuesColor=-1\r\n", '.', [](Snapshot& e) { e.valuesColor = 0xFFFFFFFFu; }},
        LoadCase{"OutOfRangeModesKept", "LookMode=99\r\nOrientMode=-4\r\n", '.',
                 [](Snapshot& e) {
                     e.lookMode = 99;
                     e.orientMode = -4;
                 }},
        LoadCase{"LangTrimmed", "Lang=  Deutsch  \r\n", '.', [](Snapshot& e) { e.lang = "Deutsch"; }},
        LoadCase{"KeyWithoutValueHidesLaterLine", "LookMode\r\nLookMode=5\r\n", '.', DefaultRatio},
        LoadCase{"KeysInAnyCase", "lookmode=4\r\nSPAGE=2\r\n", '.',
                 [](Snapshot& e) {
                     e.lookMode = 4;
                     e.sPage = 2;
                 }},
        LoadCase{"PlacesStoredDirectly", "X=-300\r\nY=5\r\nSX=1\r\nSY=2\r\nSVisible=1\r\nSPage=7\r\n", '.',
                 [](Snapshot& e) {
                     e.x = -300;
                     e.y = 5;
                     e.sx = 1;
                     e.sy = 2;
                     e.sVisible = true;
                     e.sPage = 7;
                 }}),
    CaseName<LoadCase>);

TEST(SettingsStorage, FirstSaveWritesEveryKeyInOrder) {
    const TSettings s(1920);
    EXPECT_EQ(s.SaveToText("", '.'),
              "[Settings]\r\nBorder=12\r\nHeight=245\r\nWidth=396\r\nLockWidth=1\r\nLock=1\r\n"
              "Ratio=0.618033988749895\r\nLinesColor=4210943\r\nValuesColor=8618883\r\nMouseResizeAllowed=1\r\n"
              "Opacity=90\r\nMouseWheelAllowed=1\r\nOrientMode=0\r\nShowHints=1\r\nShowValues=1\r\nLookMode=1\r\n"
              "GridSize=8\r\nSettingsOpacity=0\r\nMoveUsingGrid=1\r\nLang=English\r\nX=300\r\nY=240\r\n"
              "SX=1739\r\nSY=10\r\nSVisible=1\r\nSPage=0\r\nSFrame=1\r\n");
}

// The keys a save adds to a file that has only LookMode, from first-run values.
const std::string kKeysAfterLookMode =
    "Border=12\r\nHeight=245\r\nWidth=396\r\nLockWidth=1\r\nLock=1\r\nRatio=0.618033988749895\r\n"
    "LinesColor=4210943\r\nValuesColor=8618883\r\nMouseResizeAllowed=1\r\nOpacity=90\r\n"
    "MouseWheelAllowed=1\r\nOrientMode=0\r\nShowHints=1\r\nShowValues=1\r\nGridSize=8\r\n"
    "SettingsOpacity=0\r\nMoveUsingGrid=1\r\nLang=English\r\nX=300\r\nY=240\r\nSX=1739\r\nSY=10\r\n"
    "SVisible=1\r\nSPage=0\r\nSFrame=1\r\n";

struct UserFileCase {
    const char* name;
    std::string before;
    std::string after;  // with LookMode set to 6
};

class SaveIntoUserFile : public ::testing::TestWithParam<UserFileCase> {};

TEST_P(SaveIntoUserFile, KeepsTheUsersOwnLines) {
    TSettings s(1920);
    s.SetLookMode(6);
    EXPECT_EQ(s.SaveToText(GetParam().before, '.'), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Storage, SaveIntoUserFile,
    ::testing::Values(
        UserFileCase{"HandEdited",
                     "; written by hand\r\n[Window]\r\nWidth=1\r\n\r\n[settings]\r\nlookmode = 2\r\nCustom=x\r\n\r\n"
                     "[Tail]\r\nZ=1",
                     "; written by hand\r\n[Window]\r\nWidth=1\r\n\r\n[settings]\r\nlookmode=6\r\nCustom=x\r\n" +
                         kKeysAfterLookMode + "\r\n[Tail]\r\nZ=1"},
        UserFileCase{"CrOnlyLines", "[Settings]\rLookMode=2\r[Tail]\rZ=1\r",
                     "[Settings]\rLookMode=6\r" + kKeysAfterLookMode + "[Tail]\rZ=1\r"}),
    CaseName<UserFileCase>);

TEST(SettingsStorage, SaveUsesTheGivenSeparator) {
    const TSettings s(1920);
    EXPECT_NE(s.SaveToText("", ',').find("\r\nRatio=0,618033988749895\r\n"), std::string::npos);
}

TEST(SettingsStorage, SaveThenLoadRestoresEveryField) {
    TSettings saved(1920);
    saved.SetRatio(1.5);
    saved.SetLockWidth(false);
    saved.SetHeight(300);
    saved.SetBorder(3);
    saved.SetLinesColor(0x123456);
    saved.SetValuesColor(0xFFFFFFFF);
    saved.SetMouseResizeAllowed(false);
    saved.SetOpacity(0);
    saved.SetMouseWheelAllowed(false);
    saved.SetOrientMode(3);
    saved.SetShowValues(false);
    saved.SetLookMode(13);
    saved.SetGridSize(40);
    saved.SetShowHints(false);
    saved.SetSettingsOpacity(true);
    saved.SetMoveUsingGrid(false);
    saved.SetLang("Nederlands");
    saved.SetSFrame(false);
    saved.StoreOverlayPosition(-20, 30);
    saved.StorePanelState(40, -50, false, 3);
    saved.SetLineWidth(3);
    saved.SetHalo(true);
    saved.SetHaloColor(0x00FF00);
    saved.SetLabelSize(kAutoLabelSize);
    saved.SetClickThrough(true);
    saved.SetHideFromCapture(true);
    saved.SetHotKey(HotKeyCommand::Fit, HotKey{0x46, kHotKeyCtrl | kHotKeyShift});
    saved.SetHotKey(HotKeyCommand::NextLook, HotKey{});
    saved.SetSaveFolder("C:\\Users\\Ann\\Pictures");
    saved.SetFollowPicture(true);

    TSettings loaded(800);
    const std::string written = saved.SaveToText("", ',');
    loaded.LoadFromText(written, ',');
    EXPECT_EQ(Take(loaded), Take(saved));
    EXPECT_EQ(loaded.SaveToText(written, ','), written);
}

// A further guide's section reads as the Settings section would for a guide
// on its own, and leaves the shared values alone.
struct GuideSectionCase {
    const char* name;
    std::string body;  // lines of the Guide2 section
};

class GuideSection : public ::testing::TestWithParam<GuideSectionCase> {};

TEST_P(GuideSection, ReadsOnlyTheGuidesOwnKeys) {
    TSettings guide(1920);
    guide.SetLang("Deutsch");
    guide.SetShowHints(false);
    guide.StorePanelState(1, 2, false, 3);
    const Snapshot shared = Take(guide);
    guide.LoadGuideFromText("[Settings]\r\nLookMode=9\r\n[Guide2]\r\n" + GetParam().body, "Guide2", '.');
    TSettings alone(1920);
    alone.LoadFromText("[Settings]\r\n" + GetParam().body, '.');
    EXPECT_EQ(Take(guide), WithShared(Take(alone), shared));
}

INSTANTIATE_TEST_SUITE_P(
    Storage, GuideSection,
    ::testing::Values(
        GuideSectionCase{"Empty", ""},
        GuideSectionCase{"SharedKeysIgnored", "Lang=Polski\r\nShowHints=1\r\nMoveUsingGrid=0\r\nSX=9\r\nSPage=5\r\n"},
        GuideSectionCase{"HeightLeads", "Lock=1\r\nLockWidth=0\r\nWidth=10\r\nHeight=309\r\n"},
        GuideSectionCase{"Garbage", "Opacity=150\r\nGridSize=1\r\nRatio=nan\r\nWidth=99999999\r\nX=zz\r\n"},
        GuideSectionCase{"EveryOwnKey",
                         "Border=3\r\nLinesColor=255\r\nValuesColor=-1\r\nOrientMode=2\r\nShowValues=0\r\n"
                         "LookMode=4\r\nX=-5\r\nY=7\r\nSFrame=0\r\nLock=0\r\nHeight=50\r\nWidth=70\r\n"}),
    CaseName<GuideSectionCase>);

TEST(SettingsStorage, GuideSectionHoldsOnlyTheGuidesOwnKeysInFileOrder) {
    const TSettings s(1920);
    EXPECT_EQ(s.SaveGuideToText("[Settings]\r\nLookMode=2\r\n", "Guide3", ','),
              "[Settings]\r\nLookMode=2\r\n[Guide3]\r\nBorder=12\r\nHeight=245\r\nWidth=396\r\nLockWidth=1\r\n"
              "Lock=1\r\nRatio=0,618033988749895\r\nLinesColor=4210943\r\nValuesColor=8618883\r\nOpacity=90\r\n"
              "OrientMode=0\r\nShowValues=1\r\nLookMode=1\r\nGridSize=8\r\nX=300\r\nY=240\r\nSFrame=1\r\n");
}

// The file-level Load and Save over a fake file system.
struct Installed {
    Installed() {
        platform.moduleFileName = "C:\\Program Files\\Velmora\\Lumetra\\Lumetra.exe";
        platform.specialFolders[SpecialFolder::ProgramFiles] = "C:\\Program Files";
        platform.specialFolders[SpecialFolder::AppData] = "C:\\Users\\u\\AppData\\Roaming";
        platform.folders.insert("C:\\Users\\u\\AppData\\Roaming");
    }
    FakePlatformFiles platform;
    SettingsFile file{platform};
    const std::string path = "C:\\Users\\u\\AppData\\Roaming\\Velmora\\Lumetra\\Lumetra.user.settings";
};

TEST(SettingsStorage, LoadWithoutFileKeepsFirstRunValues) {
    Installed fs;
    TSettings s(1920);
    const Snapshot firstRun = Take(s);
    s.Load(fs.file);
    EXPECT_EQ(Take(s), firstRun);
}

TEST(SettingsStorage, LoadReadsTheFileWithTheUsersSeparator) {
    Installed fs;
    fs.platform.decimalSeparator = ',';
    fs.platform.files[fs.path] = "[Settings]\r\nRatio=0,5\r\nLookMode=3\r\n";
    TSettings s(1920);
    s.Load(fs.file);
    EXPECT_EQ(s.Ratio(), 0.5);
    EXPECT_EQ(s.LookMode(), 3);
}

std::string Utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

TEST(SettingsStorage, Utf16FileStaysUtf16AndKeepsEveryCharacter) {
    Installed fs;
    const std::u16string_view users =
        u"; \u041F\u0440\u0438\u0432\u0435\u0442 \u65E5\u672C \U0001F600\r\n"
        u"[\u0414\u0440\u0443\u0433\u043E\u0439]\r\nName=\u03A9mega\r\n\r\n";
    fs.platform.files[fs.path] = Utf16File(
        std::u16string(users) + u"[settings]\r\nlang = Fran\u00E7ais\r\nLookMode=2\r\n\r\n[\u03A9]\r\nA=\u0394");
    TSettings s(1920);
    s.Load(fs.file);
    EXPECT_EQ(s.Lang(),
              "Fran\xC3\xA7"
              "ais");
    s.SetLookMode(6);
    ASSERT_TRUE(s.Save(fs.file));
    const std::string loadedKeys =
        "Border=12\r\nHeight=248\r\nWidth=401\r\nLockWidth=1\r\nLock=1\r\nRatio=0.618033988749895\r\n"
        "LinesColor=4210943\r\nValuesColor=8618883\r\nMouseResizeAllowed=1\r\nOpacity=90\r\n"
        "MouseWheelAllowed=1\r\nOrientMode=0\r\nShowHints=1\r\nShowValues=1\r\nGridSize=8\r\n"
        "SettingsOpacity=0\r\nMoveUsingGrid=1\r\nX=200\r\nY=200\r\nSX=600\r\nSY=10\r\nSVisible=0\r\n"
        "SPage=1\r\nSFrame=1\r\n";
    EXPECT_EQ(fs.platform.files[fs.path],
              Utf16File(std::u16string(users) + u"[settings]\r\nlang=Fran\u00E7ais\r\nLookMode=6\r\n" +
                        std::u16string(loadedKeys.begin(), loadedKeys.end()) + u"\r\n[\u03A9]\r\nA=\u0394"));
}

// An 8-bit file is in the system's code page (Latin-1 here): its texts reach
// the program as UTF-8 and go back as the bytes they were; a text the code
// page lacks turns the file into UTF-16, which keeps every line.
TEST(SettingsStorage, AnEightBitFileKeepsItsBytesOrBecomesUtf16ForTextsOutsideItsCodePage) {
    struct Case {
        const char* what;
        std::string lang;    // set before saving, UTF-8
        std::string folder;  // SaveFolder, UTF-8
        bool utf16;
    };
    const std::vector<Case> cases = {
        {"texts in the code page",
         "Fran\xC3\xA7"
         "ais",
         "C:\\Bilder\\\xC3\x9C"
         "bersicht\\",
         false},
        {"a language name outside it", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9", "", true},
        {"a folder named in Japanese", "English", "C:\\\xE5\x86\x99\xE7\x9C\x9F\\", true},
    };
    const std::string users =
        "; Gr\xFC\xDF"
        "e\r\n[Meine]\r\nName=\xC6\xF8\r\n\r\n";
    for (const Case& c : cases) {
        Installed fs;
        fs.platform.files[fs.path] = users +
                                     "[Settings]\r\nLang=Fran\xE7"
                                     "ais\r\nLookMode=2\r\n";
        TSettings s(1920);
        s.Load(fs.file);
        EXPECT_EQ(s.Lang(),
                  "Fran\xC3\xA7"
                  "ais")
            << c.what;
        s.SetLang(c.lang);
        s.SetSaveFolder(c.folder);
        ASSERT_TRUE(s.Save(fs.file)) << c.what;
        const std::string& saved = fs.platform.files[fs.path];
        EXPECT_EQ(saved.starts_with("\xFF\xFE"), c.utf16) << c.what;
        const std::string text = c.utf16 ? DecodeIniFile(saved).text : saved;
        // The user's own lines: as their bytes stood, or as their characters.
        EXPECT_TRUE(text.starts_with(c.utf16 ? "; Gr\xC3\xBC\xC3\x9F"
                                               "e\r\n[Meine]\r\nName=\xC3\x86\xC3\xB8\r\n"
                                             : users))
            << c.what;
        TSettings again(1920);
        again.Load(fs.file);
        EXPECT_EQ(again.Lang(), c.lang) << c.what;
        EXPECT_EQ(again.SaveFolder(), c.folder) << c.what;
    }
}

TEST(SettingsStorage, FirstSaveCreatesBothProductFolders) {
    Installed fs;
    const TSettings s(1920);
    EXPECT_TRUE(s.Save(fs.file));
    EXPECT_EQ(fs.platform.createdFolders,
              (std::vector<std::string>{"C:\\Users\\u\\AppData\\Roaming\\Velmora",
                                        "C:\\Users\\u\\AppData\\Roaming\\Velmora\\Lumetra"}));
    EXPECT_EQ(fs.platform.files[fs.path], s.SaveToText("", '.'));
}

TEST(SettingsStorage, SaveWhenFolderCannotBeMadeStillTriesTheWrite) {
    Installed fs;
    fs.platform.failCreateFolder = true;
    const TSettings s(1920);
    EXPECT_TRUE(s.Save(fs.file));
    EXPECT_EQ(fs.platform.files.count(fs.path), 1u);
}

TEST(SettingsStorage, FailedWriteLeavesTheOldFileAndReportsIt) {
    Installed fs;
    const std::string old = "[Settings]\r\nLookMode=4\r\n";
    fs.platform.files[fs.path] = old;
    fs.platform.failReplace = true;
    TSettings s(1920);
    s.SetLookMode(9);
    EXPECT_FALSE(s.Save(fs.file));
    EXPECT_EQ(fs.platform.files[fs.path], old);
}

TEST(SettingsStorage, UnreadableFileIsNeitherLoadedNorReplaced) {
    Installed fs;
    fs.platform.files[fs.path] = "[Settings]\r\nLookMode=4\r\n";
    fs.platform.unreadable.insert(fs.path);
    TSettings s(1920);
    const Snapshot firstRun = Take(s);
    s.Load(fs.file);
    EXPECT_EQ(Take(s), firstRun);
    EXPECT_FALSE(s.Save(fs.file));
    EXPECT_EQ(fs.platform.files[fs.path], "[Settings]\r\nLookMode=4\r\n");
}

TEST(SettingsStorage, SaveRewritesAnExistingFileInPlace) {
    Installed fs;
    fs.platform.files[fs.path] = "[Settings]\r\nLookMode=4\r\nMine=1\r\n";
    TSettings s(1920);
    s.Load(fs.file);
    s.NextLookMode();
    EXPECT_TRUE(s.Save(fs.file));
    EXPECT_TRUE(fs.platform.createdFolders.empty());
    const std::string kept = "[Settings]\r\nLookMode=5\r\nMine=1\r\nBorder=12\r\n";
    EXPECT_EQ(fs.platform.files[fs.path].substr(0, kept.size()), kept);
}

}  // namespace
}  // namespace lumetra::test
