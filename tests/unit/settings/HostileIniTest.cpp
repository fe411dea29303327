#include <gtest/gtest.h>

#include <string>

#include "settings/AppSettings.h"
#include "settings/CaseName.h"

namespace lumetra::test {
namespace {

using namespace std::string_literals;

// A damaged or hand-edited file: whatever Load takes from it, Save must
// write so that the next Load takes the same again.
struct HostileFileCase {
    const char* name;
    std::string file;
    std::string lang;  // what the first load makes of Lang
};

class HostileSettingsFile : public ::testing::TestWithParam<HostileFileCase> {};

TEST_P(HostileSettingsFile, LoadsTheSameAfterASave) {
    const HostileFileCase& c = GetParam();
    TSettings first(1280);
    first.LoadFromText(c.file, '.');
    EXPECT_EQ(first.Lang(), c.lang);

    const std::string written = first.SaveToText(c.file, '.');
    TSettings second(1280);
    second.LoadFromText(written, '.');
    EXPECT_EQ(second.Lang(), first.Lang());
    EXPECT_EQ(second.SaveToText("", '.'), first.SaveToText("", '.'));
    EXPECT_EQ(second.SaveToText(written, '.'), written);
}

const std::string kLongLang = std::string(2046, 'x') + " tail";

INSTANTIATE_TEST_SUITE_P(
    Values, HostileSettingsFile,
    ::testing::Values(
        HostileFileCase{"NulInValue", "[Settings]\r\nLang=Deutsch \0\0 x\r\n"s, "Deutsch \0\0 x"s},
        HostileFileCase{"NulAtValueEnd", "[Settings]\r\nLang=Deutsch\0\r\n"s, "Deutsch\0"s},
        HostileFileCase{"StrayCarriageReturn", "[Settings]\r\nLang=Deu\rtsch\r\nWidth=500\r600\r\n", "Deu"},
        HostileFileCase{"BlankBeforeAStrayCarriageReturn", "[Settings]\r\nLang=Deu \rtsch\r\n", "Deu"},
        HostileFileCase{"CutJustAfterABlank", "[Settings]\r\nLang=" + kLongLang + "\r\n", std::string(2046, 'x')},
        HostileFileCase{"LfOnlyWithCarriageReturnsInside", "[Settings]\nLang=a\rb\nLookMode=\r5\n", "a"}),
    CaseName<HostileFileCase>);

}  // namespace
}  // namespace lumetra::test
