#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/LangTable.h"
#include "settings/SettingsFile.h"
#include "support/FakePlatformFiles.h"

namespace lumetra::test {
namespace {

constexpr const char* kExe = "C:\\Program Files\\Velmora\\Lumetra\\";
constexpr const char* kCommon = "C:\\ProgramData\\Velmora\\Lumetra\\";
constexpr const char* kUser = "C:\\Users\\Ann\\AppData\\Roaming\\Velmora\\Lumetra\\";

// Which folder a test file came from (a path itself would end the value in
// a backslash, which continues it on the next line).
std::string FolderLabel(const std::string& folder) {
    return folder == kExe ? "program" : folder == kCommon ? "common" : "user";
}

// An installed copy, so the three folders differ.
FakePlatformFiles InstalledPlatform() {
    FakePlatformFiles platform;
    platform.moduleFileName = std::string(kExe) + "Lumetra.exe";
    platform.specialFolders[SpecialFolder::ProgramFiles] = "C:\\Program Files";
    platform.specialFolders[SpecialFolder::CommonAppData] = "C:\\ProgramData";
    platform.specialFolders[SpecialFolder::AppData] = "C:\\Users\\Ann\\AppData\\Roaming";
    return platform;
}

TEST(LoadLanguage, ReadsOnlyTheFirstFolderThatOpens) {
    struct Case {
        const char* name;
        std::vector<std::string> present;     // folders holding Deutsch.lng
        std::vector<std::string> unreadable;  // folders where it cannot be opened
        const char* expected;                 // text of MSLookTab afterwards
    };
    const Case cases[] = {
        {"ProgramFolderFirst", {kExe, kCommon, kUser}, {}, "program"},
        {"CommonBeforeUser", {kCommon, kUser}, {}, "common"},
        {"UserFolderOnly", {kUser}, {}, "user"},
        {"LockedFileCountsAsMissing", {kExe, kUser}, {kExe}, "user"},
        {"NowhereLeavesTableAlone", {}, {}, "English"},
    };
    for (const Case& c : cases) {
        FakePlatformFiles platform = InstalledPlatform();
        for (const std::string& folder : c.present) {
            platform.files[folder + "Deutsch.lng"] = "MSLookTab=" + FolderLabel(folder) + "\r\n";
        }
        for (const std::string& folder : c.unreadable) {
            platform.unreadable.insert(folder + "Deutsch.lng");
        }
        const SettingsFile folders(platform);
        LangTable table;
        table.Merge("MSLookTab", "English");
        LoadLanguage(table, folders, "Deutsch", kProductSubPath, kProductSubPath);
        EXPECT_EQ(table.Text("MSLookTab"), c.expected) << c.name;
        EXPECT_EQ(table.Entries().size(), 1u) << c.name;
    }
}

TEST(LoadLanguage, MergesOverWhatIsLoadedAndStopsAtACutEntry) {
    FakePlatformFiles platform = InstalledPlatform();
    platform.files[std::string(kExe) + "English.lng"] = "MSLookTab=Look\r\nMSMainTab=Main\r\n";
    platform.files[std::string(kExe) + "Deutsch.lng"] = "MSLookTab=Ansicht\r\nNew=Neu\r\nCut=no end";
    const SettingsFile folders(platform);
    LangTable table;
    LoadLanguage(table, folders, "English", kProductSubPath, kProductSubPath);
    LoadLanguage(table, folders, "Deutsch", kProductSubPath, kProductSubPath);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"MSLookTab", "Ansicht"}, {"MSMainTab", "Main"}, {"New", "Neu"}};
    EXPECT_EQ(table.Entries(), expected);
}

TEST(LoadLanguage, NamesThatLeaveTheFoldersOrOpenDevicesAreNotLookedFor) {
    struct Case {
        const char* name;
        bool safe;
    };
    const Case cases[] = {
        {"English", true},        {"english", true},     {"Deutsch (Schweiz)", true},
        {"Console", true},        {"COM10", true},       {"Contoso.v2", true},
        {"..\\English", false},   {"../English", false}, {"C:English", false},
        {"\\\\server\\x", false}, {"CON", false},        {"con", false},
        {"Nul", false},           {"aux.en", false},     {"PRN ", false},
        {"COM1", false},          {"lpt9", false},       {"CONIN$", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSafeLanguageName(c.name), c.safe) << c.name;
    }

    FakePlatformFiles platform = InstalledPlatform();
    platform.files["C:\\Program Files\\Velmora\\English.lng"] = "MSLookTab=outside\r\n";
    const SettingsFile folders(platform);
    LangTable table;
    LoadLanguage(table, folders, "..\\English", kProductSubPath, kProductSubPath);
    EXPECT_TRUE(table.Entries().empty());
}

}  // namespace
}  // namespace lumetra::test
