#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/CaseName.h"
#include "settings/IniCodec.h"

namespace lumetra::test {
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
        ReadCase{"LineWithoutEquals", "[Settings]\r\nWidth\r\nWidth=2\r\n", "Width", std::nullopt},
        ReadCase{"CrOnly", "[Settings]\rHeight=1\rWidth=500\r", "Width", "500"},
        ReadCase{"StrayCrInLfFile", "[Settings]\nHeight=1\rWidth=500\n", "Width", "500"},
        ReadCase{"DoubleQuotes", "[Settings]\r\nLang=\"Deutsch\"\r\n", "Lang", "Deutsch"},
        ReadCase{"SingleQuotes", "[Settings]\r\nLang= 'x' \r\n", "Lang", "x"},
        ReadCase{"QuotedBlanksKept", "[Settings]\r\nLang=\" a \"\r\n", "Lang", " a "},
        ReadCase{"EmptyQuotes", "[Settings]\r\nLang=\"\"\r\n", "Lang", ""},
        ReadCase{"LoneQuote", "[Settings]\r\nLang=\"\r\n", "Lang", "\""},
        ReadCase{"OpenQuote", "[Settings]\r\nLang=\"abc\r\n", "Lang", "\"abc"},
        ReadCase{"MismatchedQuotes", "[Settings]\r\nLang=\"abc'\r\n", "Lang", "\"abc'"},
        ReadCase{"QuotedLongValueCut", "[Settings]\r\nLang=\"" + std::string(3000, 'a') + "\"\r\n", "Lang",
                 std::string(2047, 'a')},
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
                  "[Settings]\r\nwidth=500\r\nWidth=2\r\n"},
        WriteCase{"ReplaceKeepsSpelling", "[Settings]\r\nBORDER=5\r\n", "Border", "7", "[Settings]\r\nBORDER=7\r\n"},
        WriteCase{"LineWithoutEqualsIsTheKey", "[Settings]\r\nWidth\r\nWidth=2\r\n", "Width", "500",
                  "[Settings]\r\nWidth=500\r\nWidth=2\r\n"},
        WriteCase{"ReplaceInCrOnlyFile", "[Settings]\rWidth=1\rX=2\r", "Width", "500", "[Settings]\rWidth=500\rX=2\r"},
        WriteCase{"AppendInCrOnlyFile", "[Settings]\rX=1\r[Other]\rA=b\r", "Width", "500",
                  "[Settings]\rX=1\rWidth=500\r\n[Other]\rA=b\r"},
        WriteCase{"ReplaceAfterStrayCr", "[Settings]\nX=1\rWidth=2\nY=3\n", "Width", "500",
                  "[Settings]\nX=1\rWidth=500\nY=3\n"},
        WriteCase{"ValueWithOuterBlanksQuoted", "", "Lang", " a ", "[Settings]\r\nLang=\" a \"\r\n"},
        WriteCase{"ValueWithOwnQuotesQuoted", "", "Lang", "'x'", "[Settings]\r\nLang=\"'x'\"\r\n"},
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

// Several keys at once read and write as each key alone would.
struct ManyCase {
    const char* name;
    std::string before;
    std::vector<IniEntry> entries;  // the keys read, then the values written
    std::vector<std::optional<std::string>> read;
    std::string after;
};

class IniMany : public ::testing::TestWithParam<ManyCase> {};

TEST_P(IniMany, ActsAsOneKeyAtATime) {
    const ManyCase& c = GetParam();
    std::vector<std::string_view> keys;
    for (const IniEntry& entry : c.entries) keys.push_back(entry.key);
    IniText ini(c.before);
    EXPECT_EQ(ini.Get("Settings", keys), c.read);
    ini.Set("Settings", c.entries);
    EXPECT_EQ(ini.Text(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Profile, IniMany,
                         ::testing::Values(ManyCase{"KeysDifferingInCase",
                                                    "[Settings]\r\nwidth=1\r\n",
                                                    {{"Width", "7"}, {"WIDTH", "8"}},
                                                    {"1", "1"},
                                                    "[Settings]\r\nwidth=8\r\n"},
                                           ManyCase{"FirstOfThreeCasingsWins",
                                                    "[Settings]\r\nWidth=1\r\nWIDTH=2\r\nwidth=3\r\n",
                                                    {{"width", "7"}, {"WIDTH", "8"}, {"Width", "9"}},
                                                    {"1", "1", "1"},
                                                    "[Settings]\r\nWidth=9\r\nWIDTH=2\r\nwidth=3\r\n"},
                                           ManyCase{"AddedOnceInFirstSpelling",
                                                    "",
                                                    {{"Width", "7"}, {"X", "1"}, {"WIDTH", "8"}},
                                                    {std::nullopt, std::nullopt, std::nullopt},
                                                    "[Settings]\r\nWidth=8\r\nX=1\r\n"}),
                         CaseName<ManyCase>);

struct RemoveCase {
    const char* name;
    std::string before;
    bool found;
    std::string after;  // with the first Guide2 section removed
};

class IniRemoveSection : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(IniRemoveSection, TakesOnlyTheFirstSectionOfThatName) {
    const RemoveCase& c = GetParam();
    IniText ini(c.before);
    EXPECT_EQ(ini.HasSection("Guide2"), c.found);
    ini.RemoveSection("Guide2");
    EXPECT_EQ(ini.Text(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Profile, IniRemoveSection,
    ::testing::Values(RemoveCase{"BetweenOthersWithItsBlankLine",
                                 "k=0\r\n[A]\r\nx=1\r\n[Guide2]\r\nW=1\r\n\r\n[B]\r\ny=2", true,
                                 "k=0\r\n[A]\r\nx=1\r\n[B]\r\ny=2"},
                      RemoveCase{"LastWithoutFinalBreak", "[A]\nx=1\n[Guide2]\nW=1", true, "[A]\nx=1\n"},
                      RemoveCase{"HeaderInOtherCaseAndBlanks", "  [ guide2 ] \rW=1\r[A]\r", true, "[A]\r"},
                      RemoveCase{"FirstOfTwo", "[Guide2]\r\nW=1\r\n[Guide2]\r\nW=2\r\n", true, "[Guide2]\r\nW=2\r\n"},
                      RemoveCase{"LookAlikesStay", "[Guide20]\r\n;[Guide2]\r\nGuide2=1\r\n[MyGuide2]\r\n", false,
                                 "[Guide20]\r\n;[Guide2]\r\nGuide2=1\r\n[MyGuide2]\r\n"},
                      RemoveCase{"EmptyText", "", false, ""}),
    CaseName<RemoveCase>);

TEST(IniText, ReadsBackEveryWrittenValue) {
    IniText ini("[Other]\nKeep=me\n");
    ini.Set("Settings", "A", "1");
    ini.Set("Settings", "B", "two words");
    ini.Set("Settings", "A", "3");
    ini.Set("Settings", "C", " \"q\" ");
    EXPECT_EQ(ini.Get("Settings", "A"), "3");
    EXPECT_EQ(ini.Get("Settings", "B"), "two words");
    EXPECT_EQ(ini.Get("Settings", "C"), " \"q\" ");
    EXPECT_EQ(ini.Get("Other", "Keep"), "me");
}

}  // namespace
}  // namespace lumetra::test
