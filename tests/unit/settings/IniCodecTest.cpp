#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/CaseName.h"
#include "settings/IniCodec.h"

namespace lumetra {
namespace {

struct ReadCase {
    const char* name;
    std::string text;
    const char* key;
    std::optional<std::string> expected;
};

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsTheFirstValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(IniText(c.text).Get("Settings", c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Profile, IniRead,
    ::testing::Values(
        ReadCase{"Plain", "[Settings]\r\nWidth=500\r\n", "Width", "500"},
        ReadCase{"KeyInOtherCase", "[Settings]\r\nwIDTH=500\r\n", "Width", "500"},
        ReadCase{"SectionInOtherCase", "[SETTINGS]\r\nWidth=500\r\n", "Width", "500"},
        ReadCase{"BlanksTrimmed", "  [ Settings ]  \r\n  Width  =  500 \t\r\n", "Width", "500"},
        ReadCase{"InnerBlanksKept", "[Settings]\r\nLang= Old  Norse \r\n", "Lang", "Old  Norse"},
        ReadCase{"EmptyValue", "[Settings]\r\nLang=\r\n", "Lang", ""},
        ReadCase{"EqualsInValue", "[Settings]\r\nLang=a=b\r\n", "Lang", "a=b"},
        ReadCase{"FirstKeyWins", "[Settings]\r\nWidth=1\r\nWidth=2\r\n", "Width", "1"},
        ReadCase{"FirstSectionWins", "[Settings]\r\nX=1\r\n[Settings]\r\nWidth=2\r\n", "Width", std::nullopt},
        ReadCase{"LaterSectionIgnored", "[Other]\r\nWidth=1\r\n[Settings]\r\nWidth=2\r\n", "Width", "2"},
        ReadCase{"KeyBeforeAnySection", "Width=1\r\n[Settings]\r\n", "Width", std::nullopt},
        ReadCase{"KeyOfNextSection", "[Settings]\r\n[Other]\r\nWidth=1\r\n", "Width", std::nullopt},
        ReadCase{"MissingSection", "[Other]\r\nWidth=1\r\n", "Width", std::nullopt},
        ReadCase{"EmptyText", "", "Width", std::nullopt},
        ReadCase{"LfOnly", "[Settings]\nHeight=1\nWidth=500\n", "Width", "500"},
        ReadCase{"MixedLineEnds", "[Settings]\nHeight=1\r\nWidth=500\nX=3", "Width", "500"},
        ReadCase{"NoFinalLineBreak", "[Settings]\r\nWidth=500", "Width", "500"},
        ReadCase{"CommentLineIsNoKey", "[Settings]\r\n;Width=1\r\nWidth=2\r\n", "Width", "2"},
        ReadCase{"LineWithoutEquals", "[Settings]\r\nWidth\r\nWidth=2\r\n", "Width", "2"},
        ReadCase{"LongValueCut", "[Settings]\r\nLang=" + std::string(3000, 'a') + "\r\n", "Lang",
                 std::string(2047, 'a')},
        ReadCase{"NulBytesAreData", std::string("[Settings]\r\nLang=a\0b\r\n", 22), "Lang", std::string("a\0b", 3)}),
    CaseName<ReadCase>);

struct WriteCase {
    const char* name;
    std::string before;
    const char* key;
    const char* value;
    std::string after;
};

class IniWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, ChangesOnlyItsOwnLine) {
    const WriteCase& c = GetParam();
    IniText ini(c.before);
    ini.Set("Settings", c.key, c.value);
    EXPECT_EQ(ini.Text(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Profile, IniWrite,
    ::testing::Values(
        WriteCase{"EmptyFile", "", "Width", "500", "[Settings]\r\nWidth=500\r\n"},
        WriteCase{"ReplaceInPlace", "; mine\r\n[Settings]\r\nWidth=1\r\nHeight=2\r\n", "Width", "500",
                  "; mine\r\n[Settings]\r\nWidth=500\r\nHeight=2\r\n"},
        WriteCase{"ReplaceKeepsLfLineEnd", "[Settings]\nWidth=1\nHeight=2\n", "Width", "500",
                  "[Settings]\nWidth=500\nHeight=2\n"},
        WriteCase{"ReplaceOnlyFirstOccurrence", "[Settings]\r\nwidth = 1\r\nWidth=2\r\n", "Width", "500",
                  "[Settings]\r\nWidth=500\r\nWidth=2\r\n"},
        WriteCase{"AppendAtEndOfSection", "[Settings]\r\nX=1\r\n\r\n[Other]\r\nA=b\r\n", "Width", "500",
                  "[Settings]\r\nX=1\r\nWidth=500\r\n\r\n[Other]\r\nA=b\r\n"},
        WriteCase{"AppendAfterEmptyHeader", "[Settings]\r\n[Other]\r\n", "Width", "500",
                  "[Settings]\r\nWidth=500\r\n[Other]\r\n"},
        WriteCase{"AppendSectionAtEnd", "[Other]\r\nA=b\r\n", "Width", "500",
                  "[Other]\r\nA=b\r\n[Settings]\r\nWidth=500\r\n"},
        WriteCase{"SectionAfterMissingFinalBreak", "[Other]\r\nA=b", "Width", "500",
                  "[Other]\r\nA=b\r\n[Settings]\r\nWidth=500\r\n"},
        WriteCase{"KeyAfterMissingFinalBreak", "[Settings]\r\nX=1", "Width", "500",
                  "[Settings]\r\nX=1\r\nWidth=500\r\n"},
        WriteCase{"KeyAfterHeaderWithoutBreak", "[Settings]", "Width", "500", "[Settings]\r\nWidth=500\r\n"},
        WriteCase{"OnlyFirstSectionWritten", "[Settings]\r\nX=1\r\n[Settings]\r\nWidth=2\r\n", "Width", "500",
                  "[Settings]\r\nX=1\r\nWidth=500\r\n[Settings]\r\nWidth=2\r\n"},
        WriteCase{"LineBreaksInValueDropped", "", "Lang", "a\r\nWidth=1\n", "[Settings]\r\nLang=aWidth=1\r\n"}),
    CaseName<WriteCase>);

TEST(IniText, ReadsBackEveryWrittenValue) {
    IniText ini("[Other]\nKeep=me\n");
    ini.Set("Settings", "A", "1");
    ini.Set("Settings", "B", "two words");
    ini.Set("Settings", "A", "3");
    EXPECT_EQ(ini.Get("Settings", "A"), "3");
    EXPECT_EQ(ini.Get("Settings", "B"), "two words");
    EXPECT_EQ(ini.Get("Other", "Keep"), "me");
}

}  // namespace
}  // namespace lumetra
