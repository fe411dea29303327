#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "lang/LangFileReading.h"

namespace lumetra::test {
namespace {

struct ReaderCase {
    const char* name;
    std::string bytes;
    LangEntries expected;
};

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

class LangReaderTable : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(LangReaderTable, DeliversExactlyTheCompleteEntries) {
    EXPECT_EQ(ReadAllEntries(GetParam().bytes), GetParam().expected);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Rules, LangReaderTable,
    ::testing::Values(
        ReaderCase{"CrLfLines", "A=1\r\nB=2\r\n", {{"A", "1"}, {"B", "2"}}},
        ReaderCase{"CrOnlyLines", "A=1\rB=2\r", {{"A", "1"}, {"B", "2"}}},
        ReaderCase{"EmptyValue", "K=\r\n", {{"K", ""}}},
        ReaderCase{"ContinuationJoinHoldsCrLf", "K=one\\\r\ntwo\r\nL=3\r\n", {{"K", "one\r\ntwo"}, {"L", "3"}}},
        ReaderCase{"ContinuationDropsTheByteAfterCr", "K=a\\\rXb\r\n", {{"K", "a\r\nb"}}},
        ReaderCase{"DoubledBackslashKept", "K=a\\\\b\r\n", {{"K", "a\\\\b"}}},
        ReaderCase{"DoubledBackslashAtLineEndDoesNotContinue", "K=a\\\\\r\nL=b\r\n", {{"K", "a\\\\"}, {"L", "b"}}},
        ReaderCase{"BackslashNKeptAsTwoChars", "K=a\\nb\r\n", {{"K", "a\\nb"}}},
        ReaderCase{"EqualsLfAndTabAreValueBytes", "K=a=b\tc\nd\r\n", {{"K", "a=b\tc\nd"}}},
        ReaderCase{"LastEntryWithoutLineBreakDropped", "A=1\r\nB=2", {{"A", "1"}}},
        ReaderCase{"LfOnlyFileLoadsNothing", "A=1\nB=2\nC=3\n", {}},
        ReaderCase{"CommentLines", "; a=1\r\n# b=2\r\n[Section]\r\n1=x\r\n/c=3\r\n\x80=4\r\nK=v\r\n", {{"K", "v"}}},
        ReaderCase{"CommentRunsToLfNotCr", "; note\rK=v\r\nL=w\r\n", {{"L", "w"}}},
        ReaderCase{"CommentAtEndWithoutLf", "A=1\r\n; tail", {{"A", "1"}}},
        ReaderCase{"BlanksAndControlBytesBetweenEntriesSkipped",
                   "\x01\x1f\t  \r\n A=1\r\n\r\n\r\nB=2\r\n",
                   {{"A", "1"}, {"B", "2"}}},
        ReaderCase{"BlanksAroundEqualsBelongToKeyAndValue", "Key \t= v \r\n", {{"Key \t", " v "}}},
        ReaderCase{"KeyRunsOverLineEnds", "Key\r\nMore=v\r\n", {{"Key\r\nMore", "v"}}},
        ReaderCase{"HighBytesStoredUnchanged", "K=caf\xE9\r\n", {{"K", "caf\xE9"}}},
        ReaderCase{"NulByteInValueKept", "K=a\0b\r\n"s, {{"K", "a\0b"s}}},
        ReaderCase{"EndInsideKey", "A=1\r\nKey", {{"A", "1"}}},
        ReaderCase{"EndRightAfterBackslash", "A=1\r\nK=a\\", {{"A", "1"}}},
        ReaderCase{"EndRightAfterContinuationCr", "A=1\r\nK=a\\\r", {{"A", "1"}}},
        ReaderCase{"ReadingStopsAtFirstCutEntry", "A=1\r\nB=x\\", {{"A", "1"}}}, ReaderCase{"EmptyFile", "", {}}),
    [](const ::testing::TestParamInfo<ReaderCase>& p) { return std::string(p.param.name); });

TEST(LangReader, ClearsOutputsBeforeReadingAndOnFailure) {
    struct Case {
        std::string bytes;
        bool result;
        std::string key;
        std::string value;
    };
    const Case cases[] = {
        {"K=v\r\n", true, "K", "v"},
        {"", false, "", ""},
        {"K=partial", false, "", ""},
    };
    for (const Case& c : cases) {
        StringReader file(c.bytes);
        std::string key = "stale key";
        std::string value = "stale value";
        EXPECT_EQ(ReadLangEntry(file, key, value), c.result) << c.bytes;
        EXPECT_EQ(key, c.key) << c.bytes;
        EXPECT_EQ(value, c.value) << c.bytes;
    }
}

TEST(LangReader, HugeValuesAndEndlessLinesAreHandledWhole) {
    const std::string big(1 << 20, 'x');
    EXPECT_EQ(ReadAllEntries("K=" + big + "\r\nL=1\r\n"), (LangEntries{{"K", big}, {"L", "1"}}));
    EXPECT_TRUE(ReadAllEntries("K=" + big).empty());
    EXPECT_TRUE(ReadAllEntries("K" + big).empty());
    const std::string backslashes(1 << 20, '\\');
    EXPECT_EQ(ReadAllEntries("K=" + backslashes + "\r\n"), (LangEntries{{"K", backslashes}}));
}

}  // namespace
}  // namespace lumetra::test
