// Units: one value for every guide, written after every other key and only
// once changed, so that files written before stay byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/AppSettings.h"

namespace lumetra::test {
namespace {

TEST(UnitsKey, FilesWithoutItStayAsTheyWere) {
    const std::string files[] = {
        "",
        "[Settings]\r\nWidth=500\r\nFollowPicture=1\r\n",
        "; mine\r\n[Settings]\r\nLookMode=3\r\n[Guide2]\r\nBorder=4\r\n[Calibration]\r\nX=1\r\n",
    };
    for (const std::string& file : files) {
        TSettings s(1920);
        s.LoadFromText(file, '.');
        const std::string saved = s.SaveToText(file, '.');
        EXPECT_EQ(saved.find("Units"), std::string::npos) << file;
        TSettings again(1920);
        again.LoadFromText(saved, '.');
        EXPECT_EQ(again.SaveToText(saved, '.'), saved);
        EXPECT_EQ(again.Units(), 0);
    }
}

TEST(UnitsKey, ReadsOnlyTheUnitsItKnows) {
    const struct {
        const char* text;
        std::int32_t units;
    } cases[] = {{"2", 2}, {"6", 6}, {"0", 0}, {"7", 0}, {"-1", 0}, {"mm", 0}, {"", 0}, {"99999999999", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TSettings s(1920);
        s.SetUnits(4);  // a file's value replaces what was there
        s.LoadFromText(std::string("[Settings]\r\nUnits=") + c.text + "\r\n", '.');
        EXPECT_EQ(s.Units(), c.units);
    }
}

TEST(UnitsKey, WrittenLastSharedByTheGuidesAndRestored) {
    TSettings s(1920);
    TSettings other(1920);
    const std::vector<TSettings*> group{&s, &other};
    s.ShareWith(&group);
    other.ShareWith(&group);
    s.SetUnits(9);  // no such unit
    EXPECT_EQ(s.Units(), 0);
    for (int i = 0; i < 3; ++i) s.NextUnits();
    EXPECT_EQ(s.Units(), 3);
    EXPECT_EQ(other.Units(), 3);
    const std::string text = s.SaveToText("", '.');
    EXPECT_EQ(text.substr(text.size() - 9), "Units=3\r\n") << text;
    // Only the first guide's section holds the shared value.
    EXPECT_EQ(s.SaveGuideToText("", "Guide2", '.').find("Units"), std::string::npos);
    for (int i = 0; i < 4; ++i) s.NextUnits();
    EXPECT_EQ(s.Units(), 0);  // after per cent come the device pixels again
    s.SetUnits(2);
    s.RestoreDefaults();
    EXPECT_EQ(s.Units(), 0);
    EXPECT_NE(s.SaveToText(text, '.').find("Units=0\r\n"), std::string::npos);
}

}  // namespace
}  // namespace lumetra::test
