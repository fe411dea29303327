// The guide files after the built-in looks: a saved choice of a guide file
// holds by its file name whichever files come and go, and the look keys run
// through the files as through the built-in looks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/AppSettings.h"

namespace lumetra::test {
namespace {

constexpr std::int32_t kFirstFile = kBuiltInLookCount;

TEST(LookFileTest, ASavedGuideFileIsChosenAgainByName) {
    struct Case {
        const char* name;
        std::string keys;  // of the [Settings] section
        std::vector<std::string> files;
        std::int32_t look;
        std::string lookFile;
    };
    const std::vector<Case> cases = {
        {"same place", "LookMode=20\r\nLookFile=b.guide\r\n", {"a.guide", "b.guide"}, kFirstFile + 1, "b.guide"},
        {"moved up by a file removed", "LookMode=20\r\nLookFile=b.guide\r\n", {"b.guide"}, kFirstFile, "b.guide"},
        {"moved down by a file added",
         "LookMode=19\r\nLookFile=b.guide\r\n",
         {"0.guide", "a.guide", "b.guide"},
         kFirstFile + 2,
         "b.guide"},
        {"other case", "LookMode=19\r\nLookFile=B.GUIDE\r\n", {"b.guide"}, kFirstFile, "b.guide"},
        {"file gone", "LookMode=19\r\nLookFile=b.guide\r\n", {"a.guide"}, kFactoryLookMode, ""},
        {"no files at all", "LookMode=19\r\nLookFile=b.guide\r\n", {}, kFactoryLookMode, ""},
        {"hostile name", "LookMode=19\r\nLookFile=..\\..\\CON\r\n", {"a.guide"}, kFactoryLookMode, ""},
        {"built-in look", "LookMode=5\r\n", {"a.guide"}, 5, ""},
        {"number alone names the file", "LookMode=20\r\n", {"a.guide", "b.guide"}, kFirstFile + 1, "b.guide"},
        {"number past the files", "LookMode=25\r\n", {"a.guide"}, 25, ""},
    };
    for (const Case& c : cases) {
        TSettings s(1280);
        s.LoadFromText("[Settings]\r\n" + c.keys, '.');
        s.SetUserLooks(c.files);
        EXPECT_EQ(s.LookMode(), c.look) << c.name;
        EXPECT_EQ(s.LookFile(), c.lookFile) << c.name;
    }
}

TEST(LookFileTest, TheLookKeysRunThroughTheGuideFiles) {
    TSettings s(1280);
    s.SetUserLooks({"a.guide", "b.guide"});
    EXPECT_EQ(s.LookCount(), kBuiltInLookCount + 2);
    s.SetLookMode(kBuiltInLookCount - 1);
    s.NextLookMode();
    EXPECT_EQ(s.LookFile(), "a.guide");
    s.NextLookMode();
    EXPECT_EQ(s.LookFile(), "b.guide");
    s.NextLookMode();
    EXPECT_EQ(s.LookMode(), 0);
    EXPECT_EQ(s.LookFile(), "");
    s.SetLookMode(kFirstFile);
    s.RestoreDefaults();
    EXPECT_EQ(s.LookFile(), "");
}

TEST(LookFileTest, TheFileNameIsSavedOnlyForAGuideFile) {
    TSettings s(1280);
    s.SetUserLooks({"a.guide"});
    EXPECT_EQ(s.SaveToText("", '.').find("LookFile"), std::string::npos);
    s.SetLookMode(kFirstFile);
    const std::string written = s.SaveToText("", '.');
    EXPECT_NE(written.find("\r\nLookMode=19\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\nLookFile=a.guide\r\n"), std::string::npos);
    // Back on a built-in look, a file that had the key keeps it, empty.
    s.SetLookMode(3);
    EXPECT_NE(s.SaveToText(written, '.').find("\r\nLookFile=\r\n"), std::string::npos);
}

}  // namespace
}  // namespace lumetra::test
