#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "lang/LangFileReading.h"
#include "support/LangCatalogue.h"

namespace lumetra::test {
namespace {

std::string ReadEnglishFile() {
    std::ifstream in(std::string(LUMETRA_SOURCE_DIR) + "/lang/English.lng", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines whose first byte above blank is a letter, i.e. the entries a reader
// should find when no value continues over a line end.
std::size_t CountEntryLines(const std::string& bytes) {
    std::size_t count = 0;
    std::size_t lineStart = 0;
    while (lineStart < bytes.size()) {
        std::size_t lineEnd = bytes.find('\n', lineStart);
        if (lineEnd == std::string::npos) {
            lineEnd = bytes.size();
        }
        const std::size_t first = bytes.find_first_not_of(" \t\r", lineStart);
        if (first < lineEnd && std::isalpha(static_cast<unsigned char>(bytes[first]))) {
            ++count;
        }
        lineStart = lineEnd + 1;
    }
    return count;
}

class EnglishFile : public ::testing::Test {
protected:
    void SetUp() override {
        bytes_ = ReadEnglishFile();
        ASSERT_FALSE(bytes_.empty()) << "lang/English.lng is missing or empty";
        entries_ = ReadAllEntries(bytes_);
    }

    std::string bytes_;
    LangEntries entries_;
};

TEST_F(EnglishFile, UsesCrLfLineEndsWithFinalBreakAndCommentHeader) {
    EXPECT_TRUE(bytes_.ends_with("\r\n"));
    for (std::size_t lf = bytes_.find('\n'); lf != std::string::npos; lf = bytes_.find('\n', lf + 1)) {
        ASSERT_TRUE(lf > 0 && bytes_[lf - 1] == '\r') << "bare LF at byte " << lf;
    }
    EXPECT_FALSE(std::isalpha(static_cast<unsigned char>(bytes_.front())));
}

TEST_F(EnglishFile, LosesNoEntry) { EXPECT_EQ(entries_.size(), CountEntryLines(bytes_)); }

TEST_F(EnglishFile, DefinesEveryCatalogueKeyOnceAndNothingElse) {
    std::map<std::string, int> defined;
    for (const auto& entry : entries_) {
        ++defined[entry.first];
    }
    std::set<std::string> catalogue;
    for (const CatalogueKey& key : LangCatalogue()) {
        catalogue.insert(key.key);
        EXPECT_EQ(defined[key.key], 1) << key.key;
    }
    for (const auto& entry : entries_) {
        EXPECT_TRUE(catalogue.contains(entry.first)) << "unknown key " << entry.first;
        EXPECT_FALSE(entry.second.empty()) << entry.first;
    }
}

TEST_F(EnglishFile, TemplatesFitTheirArguments) {
    LangTable table;
    for (auto& [key, value] : entries_) {
        table.Merge(key, value);
    }
    for (const CatalogueKey& key : LangCatalogue()) {
        const std::string text = table.Text(key.key);
        EXPECT_TRUE(TemplateFits(text, key.args)) << key.key << ": " << text;
        // The square's label gets the golden ratio too, which it has no use for.
        if (key.key != "MSRat12") {
            EXPECT_TRUE(TemplateUsesAllArgs(text, key.args)) << key.key << ": " << text;
        }
    }
}

}  // namespace
}  // namespace lumetra::test
