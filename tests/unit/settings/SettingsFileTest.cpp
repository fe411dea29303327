#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/CaseName.h"
#include "settings/SettingsFile.h"
#include "support/FakePlatformFiles.h"

namespace lumetra::test {
namespace {

struct FolderCase {
    const char* name;
    std::string module;
    std::string programFiles;
    std::string appData;
    std::string commonAppData;
    bool portable;
    std::string userFolder;
    std::string commonFolder;
    bool marker = false;  // the installer's marker beside the program
};

class FolderRules : public ::testing::TestWithParam<FolderCase> {};

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of("\\/") + 1); }

TEST_P(FolderRules, ChooseBesideTheProgramOrTheDataFolders) {
    const FolderCase& c = GetParam();
    FakePlatformFiles platform;
    platform.moduleFileName = c.module;
    platform.specialFolders[SpecialFolder::ProgramFiles] = c.programFiles;
    platform.specialFolders[SpecialFolder::AppData] = c.appData;
    platform.specialFolders[SpecialFolder::CommonAppData] = c.commonAppData;
    if (c.marker) platform.files[FolderOf(c.module) + kInstalledMarkerName] = "Installed by the setup program.";
    const SettingsFile file(platform);
    EXPECT_EQ(file.IsPortable(), c.portable);
    EXPECT_EQ(file.UserDataFolder(kProductSubPath), c.userFolder);
    EXPECT_EQ(file.CommonDataFolder(kProductSubPath), c.commonFolder);
    EXPECT_EQ(file.SettingsFilePath(), c.userFolder + "Lumetra.user.settings");
}

const std::string kAppData = "C:\\Users\\u\\AppData\\Roaming";
const std::string kCommon = "C:\\ProgramData";
const std::string kUser = kAppData + "\\Velmora\\Lumetra\\";
const std::string kMachine = kCommon + "\\Velmora\\Lumetra\\";
const std::string kLongFolder = "C:\\" + std::string(300, 'a');

INSTANTIATE_TEST_SUITE_P(
    Storage, FolderRules,
    ::testing::Values(FolderCase{"Portable", "D:\\Tools\\Lumetra.exe", "C:\\Program Files", kAppData, kCommon, true,
                                 "D:\\Tools\\", "D:\\Tools\\"},
                      FolderCase{"Installed", "C:\\Program Files\\Velmora\\Lumetra.exe", "C:\\Program Files", kAppData,
                                 kCommon, false, kUser, kMachine},
                      FolderCase{"InstalledOtherCase", "c:\\PROGRAM files\\Velmora\\Lumetra.exe", "C:\\Program Files",
                                 kAppData, kCommon, false, kUser, kMachine},
                      FolderCase{"SiblingFolderCountsAsInstalled", "C:\\Program Files (x86)\\V\\Lumetra.exe",
                                 "C:\\Program Files", kAppData, kCommon, false, kUser, kMachine},
                      FolderCase{"ProgramFilesDeeperInPath", "E:\\Backup\\C:\\Program Files\\Lumetra.exe",
                                 "C:\\Program Files", kAppData, kCommon, false, kUser, kMachine},
                      FolderCase{"UnknownProgramFiles", "C:\\Program Files\\V\\Lumetra.exe", "", kAppData, kCommon,
                                 true, "C:\\Program Files\\V\\", "C:\\Program Files\\V\\"},
                      FolderCase{"UnknownDataFolders", "C:\\Program Files\\V\\Lumetra.exe", "C:\\Program Files", "", "",
                                 false, "C:\\Program Files\\V\\", "C:\\Program Files\\V\\"},
                      FolderCase{"ForwardSlashes", "D:/Tools/Lumetra.exe", "C:\\Program Files", kAppData, kCommon, true,
                                 "D:/Tools/", "D:/Tools/"},
                      FolderCase{"ProgramFilesCutTo260", kLongFolder.substr(0, 262) + "\\Lumetra.exe", kLongFolder,
                                 kAppData, kCommon, false, kUser, kMachine},
                      // Installed by setup into a folder of the user's choice.
                      FolderCase{"MarkerOutsideProgramFiles", "C:\\Tools\\Lumetra\\Lumetra.exe", "C:\\Program Files",
                                 kAppData, kCommon, false, kUser, kMachine, true},
                      FolderCase{"MarkerUnderProgramFiles", "C:\\Program Files\\V\\Lumetra.exe", "C:\\Program Files",
                                 kAppData, kCommon, false, kUser, kMachine, true},
                      FolderCase{"MarkerWithUnknownProgramFiles", "D:\\Apps\\Lumetra.exe", "", kAppData, kCommon, false,
                                 kUser, kMachine, true},
                      FolderCase{"MarkerWithUnknownDataFolders", "D:\\Apps\\Lumetra.exe", "C:\\Program Files", "", "",
                                 false, "D:\\Apps\\", "D:\\Apps\\", true}),
    CaseName<FolderCase>);

struct AdoptCase {
    const char* name;
    std::string module;
    bool marker;
    std::optional<std::string> beside;  // the settings file beside the program
    std::optional<std::string> own;     // the user's own, before
    bool failWrite;
    bool adopted;
    std::optional<std::string> ownAfter;
};

class AdoptSettings : public ::testing::TestWithParam<AdoptCase> {};

TEST_P(AdoptSettings, AMarkedCopyTakesTheFileBesideItOnce) {
    const AdoptCase& c = GetParam();
    FakePlatformFiles platform;
    platform.moduleFileName = c.module;
    platform.specialFolders[SpecialFolder::ProgramFiles] = "C:\\Program Files";
    platform.specialFolders[SpecialFolder::AppData] = kAppData;
    const std::string folder = FolderOf(c.module);
    if (c.marker) platform.files[folder + kInstalledMarkerName] = "";
    if (c.beside) platform.files[folder + kSettingsFileName] = *c.beside;
    if (c.own) platform.files[kUser + kSettingsFileName] = *c.own;
    platform.failReplace = c.failWrite;
    SettingsFile file(platform);
    EXPECT_EQ(AdoptSettingsBesideProgram(file), c.adopted);
    const auto own = platform.files.find(kUser + kSettingsFileName);
    EXPECT_EQ(own == platform.files.end() ? std::nullopt : std::optional<std::string>(own->second), c.ownAfter);
    if (c.beside) {
        EXPECT_EQ(platform.files[folder + kSettingsFileName], *c.beside) << "the original stays";
    }
}

// Bytes a round trip through the codec would change: the copy is exact.
const std::string kBeside = "[Settings]\r\nLookMode=5\r\n; mine\r\n[Other]\nx=1";

INSTANTIATE_TEST_SUITE_P(
    Storage, AdoptSettings,
    ::testing::Values(
        AdoptCase{"InstalledOverAPortableCopy", "C:\\Tools\\Lumetra.exe", true, kBeside, {}, false, true, kBeside},
        AdoptCase{"OwnFileAlreadyThere", "C:\\Tools\\Lumetra.exe", true, kBeside, "[Settings]\r\n", false, false,
                  "[Settings]\r\n"},
        AdoptCase{"NothingBeside", "C:\\Tools\\Lumetra.exe", true, {}, {}, false, false, {}},
        AdoptCase{"PortableKeepsItsFile", "C:\\Tools\\Lumetra.exe", false, kBeside, {}, false, false, {}},
        // Installed as ever: a file beside it is none of its own.
        AdoptCase{"UnderProgramFiles", "C:\\Program Files\\V\\Lumetra.exe", true, kBeside, {}, false, false, {}},
        AdoptCase{"WriteFails", "C:\\Tools\\Lumetra.exe", true, kBeside, {}, true, false, {}}),
    CaseName<AdoptCase>);

struct ForceCase {
    const char* name;
    std::set<std::string> existing;
    std::string path;
    bool failCreate;
    bool result;
    std::vector<std::string> created;
};

class ForceFolders : public ::testing::TestWithParam<ForceCase> {};

TEST_P(ForceFolders, CreateMissingParentsFirst) {
    const ForceCase& c = GetParam();
    FakePlatformFiles platform;
    platform.folders = c.existing;
    platform.failCreateFolder = c.failCreate;
    SettingsFile file(platform);
    EXPECT_EQ(file.ForceFolders(c.path), c.result);
    EXPECT_EQ(platform.createdFolders, c.created);
}

INSTANTIATE_TEST_SUITE_P(
    Storage, ForceFolders,
    ::testing::Values(
        ForceCase{"TwoLevels",
                  {"C:\\Data"},
                  "C:\\Data\\Velmora\\Lumetra\\",
                  false,
                  true,
                  {"C:\\Data\\Velmora", "C:\\Data\\Velmora\\Lumetra"}},
        ForceCase{"WithoutTrailingDelimiter", {"C:\\Data"}, "C:\\Data\\New", false, true, {"C:\\Data\\New"}},
        ForceCase{"AlreadyThere", {"C:\\Data\\New"}, "C:\\Data\\New\\", false, true, {}},
        ForceCase{"DriveRoot", {}, "C:\\", false, true, {}},
        ForceCase{"WholeChainFromTheDrive", {}, "C:\\A\\B", false, true, {"C:\\A", "C:\\A\\B"}},
        ForceCase{"ForwardSlashes", {"D:/x"}, "D:/x/y/", false, true, {"D:/x/y"}},
        ForceCase{"CreationFails", {"C:\\Data"}, "C:\\Data\\A\\B\\", true, false, {"C:\\Data\\A", "C:\\Data\\A\\B"}},
        ForceCase{"ShortPath", {}, "ab", false, true, {}}),
    CaseName<ForceCase>);

TEST(SettingsFile, OpenForReadingReadsExistingFilesOnly) {
    FakePlatformFiles platform;
    platform.files["C:\\T\\English.lng"] = "A=b";
    const SettingsFile file(platform);
    EXPECT_EQ(file.OpenForReading("C:\\T\\Missing.lng"), nullptr);
    const auto reader = file.OpenForReading("C:\\T\\English.lng");
    ASSERT_NE(reader, nullptr);
    std::string bytes;
    for (std::uint8_t b = 0; reader->ReadByte(b);) bytes.push_back(static_cast<char>(b));
    EXPECT_EQ(bytes, "A=b");
    EXPECT_TRUE(platform.createdFolders.empty());
}

}  // namespace
}  // namespace lumetra::test
