#include <gtest/gtest.h>

#include <string>

#include "lang/LangTable.h"
#include "settings/SettingsFile.h"
#include "support/FakePlatformFiles.h"

namespace lumetra::test {
namespace {

using namespace std::string_literals;

// A Lang value comes straight from the settings file. The OS reads a path up
// to its first NUL, so a NUL inside the name would open a file other than
// the one the name checks looked at: a device such as CON, or a file of any
// extension beside the program.
TEST(HostileLanguageName, NamesWithANulAreNeitherSafeNorLoaded) {
    struct Case {
        std::string name;
        bool safe;
    };
    const Case cases[] = {
        {"CON\0"s, false}, {"NUL\0.txt"s, false},          {"English\0"s, false},
        {"\0"s, false},    {"Deutsch\0..\\..\\x"s, false}, {"Deutsch", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSafeLanguageName(c.name), c.safe) << c.name.size() << " bytes";

        FakePlatformFiles platform;
        platform.files["C:\\Tools\\Lumetra\\" + c.name + ".lng"] = "MSLookTab=loaded\r\n";
        const SettingsFile folders(platform);
        LangTable table;
        LoadLanguage(table, folders, c.name, kProductSubPath, kProductSubPath);
        EXPECT_EQ(table.Text("MSLookTab"), c.safe ? "loaded" : "MSLookTab") << c.name.size() << " bytes";
    }
}

}  // namespace
}  // namespace lumetra::test
