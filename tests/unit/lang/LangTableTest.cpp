#include <gtest/gtest.h>

#include "lang/LangFileReading.h"

namespace lumetra::test {
namespace {

// Merges every entry of the given language-file bytes, as loading does.
void MergeFile(LangTable& table, std::string bytes) {
    for (auto& [key, value] : ReadAllEntries(std::move(bytes))) {
        table.Merge(key, value);
    }
}

TEST(LangTable, MergeKeepsFirstLoadOrderAndTakesLatestValue) {
    struct Case {
        const char* name;
        std::vector<std::string> files;
        LangEntries expected;
    };
    const Case cases[] = {
        {"KeyTwiceInOneFileTakesSecond", {"A=1\r\nB=2\r\nA=3\r\n"}, {{"A", "3"}, {"B", "2"}}},
        {"TranslationReplacesSharedKeysAndAppendsItsOwn",
         {"A=a\r\nB=b\r\nC=c\r\n", "C=c2\r\nD=d2\r\nA=a2\r\n"},
         {{"A", "a2"}, {"B", "b"}, {"C", "c2"}, {"D", "d2"}}},
        {"KeysDifferingInCaseAreDistinct", {"Key=1\r\nkey=2\r\nKEY=3\r\n"}, {{"Key", "1"}, {"key", "2"}, {"KEY", "3"}}},
        {"KeyWithTrailingBlankIsDistinct", {"K=1\r\nK =2\r\n"}, {{"K", "1"}, {"K ", "2"}}},
    };
    for (const Case& c : cases) {
        LangTable table;
        for (const std::string& file : c.files) {
            MergeFile(table, file);
        }
        EXPECT_EQ(table.Entries(), c.expected) << c.name;
    }
}

TEST(LangTable, TextFallsBackToTheKey) {
    LangTable table;
    MergeFile(table, "MSLookTab=Look\r\nmscaption=lower\r\nEmpty=\r\n");
    struct Case {
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"MSLookTab", "Look"},    {"MSCaption", "MSCaption"},  // a lower-case key does not define it
        {"MSLookTa", "MSLookTa"}, {"MSLookTab ", "MSLookTab "}, {"Empty", ""}, {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(table.Text(c.key), c.expected) << c.key;
    }
}

TEST(LangTable, ManyDistinctKeysAllStayReachable) {
    LangTable table;
    constexpr int kCount = 20000;
    for (int i = 0; i < kCount; ++i) {
        table.Merge("K" + std::to_string(i), std::to_string(i));
    }
    table.Merge("K123", "again");
    EXPECT_EQ(table.Entries().size(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(table.Entries()[123].second, "again");
    EXPECT_EQ(table.Text("K19999"), "19999");
}

TEST(ProcessLangTable, LangTextReadsTheProcessTable) {
    EXPECT_EQ(LangText("ProcessTableProbe"), "ProcessTableProbe");
    ProcessLangTable().Merge("ProcessTableProbe", "found");
    EXPECT_EQ(LangText("ProcessTableProbe"), "found");
    EXPECT_EQ(&ProcessLangTable(), &ProcessLangTable());
}

}  // namespace
}  // namespace lumetra::test
