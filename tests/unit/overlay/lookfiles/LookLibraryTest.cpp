// Finding guide files in the three folders: which files count, which name
// wins, what is skipped and said, and the bounds on a folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "overlay/lookfiles/LookLibrary.h"
#include "settings/SettingsFile.h"
#include "support/FakePlatformFiles.h"

namespace lumetra::test {
namespace {

const std::string kExe = "C:\\Program Files\\Velmora\\Lumetra\\";
const std::string kProgramGuides = kExe + "Guides\\";
const std::string kCommonGuides = "C:\\ProgramData\\Velmora\\Lumetra\\Guides\\";
const std::string kUserGuides = "C:\\Users\\Ann\\AppData\\Roaming\\Velmora\\Lumetra\\Guides\\";

FakePlatformFiles Installed() {
    FakePlatformFiles platform;
    platform.moduleFileName = kExe + "Lumetra.exe";
    platform.specialFolders[SpecialFolder::ProgramFiles] = "C:\\Program Files";
    platform.specialFolders[SpecialFolder::CommonAppData] = "C:\\ProgramData";
    platform.specialFolders[SpecialFolder::AppData] = "C:\\Users\\Ann\\AppData\\Roaming";
    return platform;
}

std::string Named(const std::string& name) { return "name = " + name + "\nline 0 0 1 1\n"; }

// Latin-1 text as Notepad's "Unicode" saves it.
std::string Utf16Le(const std::string& latin1) {
    std::string bytes = "\xFF\xFE";
    for (const char c : latin1) bytes += std::string{c, '\0'};
    return bytes;
}

LookLibrary Load(const FakePlatformFiles& platform) {
    FakePlatformFiles copy = platform;
    return LoadLookLibrary(SettingsFile(copy), kProductSubPath, kProductSubPath);
}

std::vector<std::string> Shown(const LookLibrary& library) {
    std::vector<std::string> shown;
    for (const LoadedLookFile& g : library.guides) shown.push_back(g.fileName + "=" + g.guide.name);
    return shown;
}

TEST(LookLibraryTest, FoldersAreSearchedInOrderAndEachOnce) {
    FakePlatformFiles installed = Installed();
    EXPECT_EQ(LookFileFolders(SettingsFile(installed), kProductSubPath, kProductSubPath),
              (std::vector<std::string>{kProgramGuides, kCommonGuides, kUserGuides}));
    FakePlatformFiles portable;
    portable.moduleFileName = "D:\\Tools\\Lumetra\\Lumetra.exe";
    EXPECT_EQ(LookFileFolders(SettingsFile(portable), kProductSubPath, kProductSubPath),
              (std::vector<std::string>{"D:\\Tools\\Lumetra\\Guides\\"}));
}

TEST(LookLibraryTest, WhichFilesAreOffered) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;  // path, contents
        std::vector<std::string> shown;
    };
    const std::vector<Case> cases = {
        {"all three folders, sorted by name ignoring case",
         {{kUserGuides + "c.guide", Named("User")},
          {kProgramGuides + "B.guide", Named("Program")},
          {kCommonGuides + "a.guide", Named("Common")}},
         {"a.guide=Common", "B.guide=Program", "c.guide=User"}},
        {"an earlier folder's name hides a later one's, whatever its case",
         {{kProgramGuides + "grid.guide", Named("Program")},
          {kCommonGuides + "GRID.guide", Named("Common")},
          {kUserGuides + "Grid.GUIDE", Named("User")}},
         {"grid.guide=Program"}},
        {"only .guide files directly in the folder",
         {{kProgramGuides + "grid.guide.txt", Named("Text")},
          {kProgramGuides + "grid.gui", Named("Short")},
          {kProgramGuides + ".guide", Named("Bare")},
          {kProgramGuides + "old\\grid.guide", Named("Below")},
          {kExe + "grid.guide", Named("Beside")},
          {kProgramGuides + "ok.guide", Named("Ok")}},
         {"ok.guide=Ok"}},
        {"device names are never opened",
         {{kProgramGuides + "CON.guide", Named("Device")},
          {kProgramGuides + "com1.guide", Named("Port")},
          {kProgramGuides + "console.guide", Named("Fine")}},
         {"console.guide=Fine"}},
        {"names in UTF-8 and UTF-16 kept whole, in any script",
         {{kProgramGuides + "a.guide", Named("F\xC3\xBCnftel")},
          {kProgramGuides + "b.guide", Utf16Le(Named("\xFC"))},
          {kProgramGuides + "c.guide", Named("Z\xC5\x82oty")}},
         {"a.guide=F\xC3\xBCnftel", "b.guide=\xC3\xBC", "c.guide=Z\xC5\x82oty"}},
    };
    for (const Case& c : cases) {
        FakePlatformFiles platform = Installed();
        for (const auto& [path, text] : c.files) platform.files[path] = text;
        EXPECT_EQ(Shown(Load(platform)), c.shown) << c.name;
    }
}

TEST(LookLibraryTest, BrokenFilesAreSkippedAndNamedWithTheirFirstProblem) {
    FakePlatformFiles platform = Installed();
    platform.files[kProgramGuides + "good.guide"] = Named("Good");
    platform.files[kProgramGuides + "locked.guide"] = Named("Locked");
    platform.unreadable.insert(kProgramGuides + "locked.guide");
    platform.files[kCommonGuides + "typo.guide"] = "name = Typo\nline 0 0 1 1\nlien 0 0 1 1\nbox\n";
    platform.files[kUserGuides + "huge.guide"] = std::string(kMaxLookFileSize + 1000, '#');
    // Hidden by the program folder's copy, broken or not.
    platform.files[kUserGuides + "locked.guide"] = Named("Later");
    const LookLibrary library = Load(platform);
    EXPECT_EQ(Shown(library), std::vector<std::string>{"good.guide=Good"});
    ASSERT_EQ(library.skipped.size(), 3u);
    EXPECT_EQ(library.skipped[0].fileName, "locked.guide");
    EXPECT_EQ(library.skipped[0].path, kProgramGuides + "locked.guide");
    EXPECT_EQ(library.skipped[0].problem, (LookFileError{0, "cannot be read"}));
    EXPECT_EQ(library.skipped[1].fileName, "typo.guide");
    EXPECT_EQ(library.skipped[1].problem, (LookFileError{3, "unknown statement 'lien'"}));
    EXPECT_EQ(library.skipped[2].fileName, "huge.guide");
    EXPECT_EQ(library.skipped[2].problem, (LookFileError{0, "the file is larger than 64 KiB"}));
}

TEST(LookLibraryTest, AFolderOffersItsFirstFilesByNameUpToTheBound) {
    FakePlatformFiles platform = Installed();
    for (std::size_t i = 0; i < kMaxLookFilesPerFolder + 10; ++i) {
        const std::string number = std::to_string(1000 + i);
        platform.files[kProgramGuides + "g" + number + ".guide"] = Named(number);
    }
    platform.files[kUserGuides + "zz.guide"] = Named("User");
    const LookLibrary library = Load(platform);
    ASSERT_EQ(library.guides.size(), kMaxLookFilesPerFolder + 1);
    EXPECT_EQ(library.guides.front().fileName, "g1000.guide");
    EXPECT_EQ(library.guides[kMaxLookFilesPerFolder - 1].fileName, "g1063.guide");
    EXPECT_EQ(library.guides.back().fileName, "zz.guide");
}

TEST(LookLibraryTest, ASavedFileNameFindsItsGuide) {
    FakePlatformFiles platform = Installed();
    platform.files[kProgramGuides + "Baseline.guide"] = Named("B");
    platform.files[kProgramGuides + "safe.guide"] = Named("S");
    const LookLibrary library = Load(platform);
    struct Case {
        const char* saved;
        int index;
    };
    for (const Case& c : std::vector<Case>{{"Baseline.guide", 0},
                                           {"baseline.GUIDE", 0},
                                           {"safe.guide", 1},
                                           {"gone.guide", -1},
                                           {"", -1},
                                           {"safe", -1}}) {
        EXPECT_EQ(FindLookFile(library, c.saved), c.index) << c.saved;
    }
}

}  // namespace
}  // namespace lumetra::test
