#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "lang/LangFileReading.h"
#include "support/LangCatalogue.h"
#include "text/Unicode.h"

namespace lumetra::test {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The translations that ship beside English.lng. Each says what it is
// written in: a UTF-8 byte-order mark, or a first entry naming its code page.
struct ShippedLanguage {
    const char* name;
};

const ShippedLanguage kShipped[] = {
    {"German"},
    {"French"},
    {"Spanish"},
    {"Italian"},
    {"Portuguese (Brazil)"},
    {"Polish"},
    {"Russian"},
    {"Japanese"},
    {"Chinese (Simplified)"},
};

std::filesystem::path LangFolder() { return std::filesystem::path(LUMETRA_SOURCE_DIR) / "lang"; }

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines whose first byte above blank is a letter: the entries a reader
// should find when no value continues over a line end.
std::size_t CountEntryLines(std::string_view bytes) {
    std::size_t count = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::size_t first = bytes.find_first_not_of(" \t\r", start);
        if (first < end && std::isalpha(static_cast<unsigned char>(bytes[first]))) ++count;
        start = end + 1;
    }
    return count;
}

// The conversion letters of a template, in order ("%%" is no conversion).
std::string Conversions(std::string_view tmpl) {
    std::string letters;
    for (std::size_t i = 0; i < tmpl.size(); ++i) {
        if (tmpl[i] != '%') continue;
        std::size_t j = i + 1;
        while (j < tmpl.size() && std::string_view("-0123456789.").find(tmpl[j]) != std::string_view::npos) ++j;
        if (j < tmpl.size() && tmpl[j] != '%') letters += tmpl[j];
        i = j;
    }
    return letters;
}

// The file's entries as the program reads them, in the file's own encoding;
// a shipped file never depends on the system's code page.
LangEntries ReadShippedEntries(const std::string& bytes) {
    FakePlatformFiles noCodePage;
    noCodePage.systemCodePage = 0;  // no system code page at all
    StringReader file(bytes);
    LangEntries entries;
    ReadLanguageFile(file, noCodePage, [&](std::string key, std::string value) { entries.emplace_back(key, value); });
    return entries;
}

std::map<std::string, std::string> EnglishTexts() {
    std::map<std::string, std::string> texts;
    for (auto& [key, value] : ReadShippedEntries(ReadFile(LangFolder() / "English.lng"))) texts[key] = value;
    return texts;
}

class ShippedLanguageFile : public ::testing::TestWithParam<ShippedLanguage> {
protected:
    void SetUp() override {
        bytes_ = ReadFile(LangFolder() / (std::string(GetParam().name) + ".lng"));
        ASSERT_FALSE(bytes_.empty()) << GetParam().name << ".lng is missing or empty";
        entries_ = ReadShippedEntries(bytes_);
    }

    std::string bytes_;
    LangEntries entries_;
};

TEST_P(ShippedLanguageFile, UsesCrLfLineEndsWithFinalBreakAndCommentHeader) {
    EXPECT_TRUE(bytes_.ends_with("\r\n"));
    for (std::size_t lf = bytes_.find('\n'); lf != std::string::npos; lf = bytes_.find('\n', lf + 1)) {
        ASSERT_TRUE(lf > 0 && bytes_[lf - 1] == '\r') << "bare LF at byte " << lf;
    }
    for (std::size_t cr = bytes_.find('\r'); cr != std::string::npos; cr = bytes_.find('\r', cr + 1)) {
        ASSERT_TRUE(cr + 1 < bytes_.size() && bytes_[cr + 1] == '\n') << "bare CR at byte " << cr;
    }
    EXPECT_FALSE(std::isalpha(static_cast<unsigned char>(bytes_.front())));
}

TEST_P(ShippedLanguageFile, DecodesLosslesslyInItsDeclaredEncoding) {
    ASSERT_TRUE(bytes_.starts_with(kUtf8Mark)) << "no UTF-8 byte-order mark";
    const std::string_view text = std::string_view(bytes_).substr(kUtf8Mark.size());
    EXPECT_EQ(ValidUtf8(text), text) << "not UTF-8 throughout";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        EXPECT_FALSE(byte < 0x20 && byte != '\r' && byte != '\n') << "control byte at " << i;
    }
    // Every text reaches the program exactly as written.
    for (const auto& [key, value] : entries_) {
        EXPECT_NE(text.find(key + "=" + value + "\r\n"), std::string_view::npos) << key;
    }
}

TEST_P(ShippedLanguageFile, LosesNoEntry) {
    EXPECT_EQ(entries_.size(), CountEntryLines(std::string_view(bytes_).substr(kUtf8Mark.size())));
}

TEST_P(ShippedLanguageFile, DefinesEveryCatalogueKeyOnceAndNothingElse) {
    std::map<std::string, int> defined;
    for (const auto& entry : entries_) ++defined[entry.first];
    std::set<std::string> catalogue;
    for (const CatalogueKey& key : LangCatalogue()) {
        catalogue.insert(key.key);
        EXPECT_EQ(defined[key.key], 1) << key.key;
    }
    for (const auto& [key, value] : entries_) {
        // LangCodePage, the file's encoding, is the one key outside the catalogue.
        EXPECT_TRUE(catalogue.contains(key) || key == kLangCodePageKey) << "unknown key " << key;
        EXPECT_FALSE(value.empty()) << key;
        EXPECT_NE(value, key) << "untranslated key shows as itself";
        EXPECT_EQ(value.find_first_of("\r\n"), std::string::npos) << key << " runs over a line end";
    }
}

TEST_P(ShippedLanguageFile, TemplatesKeepEnglishDirectives) {
    const std::map<std::string, std::string> english = EnglishTexts();
    ASSERT_FALSE(english.empty());
    LangTable table;
    for (auto& [key, value] : entries_) table.Merge(key, value);
    for (const CatalogueKey& key : LangCatalogue()) {
        const std::string text = table.Text(key.key);
        EXPECT_EQ(Conversions(text), Conversions(english.at(key.key))) << key.key << ": " << text;
        EXPECT_TRUE(TemplateFits(text, key.args)) << key.key << ": " << text;
    }
}

std::string CaseName(const ::testing::TestParamInfo<ShippedLanguage>& info) {
    std::string name;
    std::copy_if(info.param.name, info.param.name + std::char_traits<char>::length(info.param.name),
                 std::back_inserter(name), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
    return name;
}

INSTANTIATE_TEST_SUITE_P(Lang, ShippedLanguageFile, ::testing::ValuesIn(kShipped), CaseName);

// A language added to lang/ gets the checks above only once it is listed.
TEST(ShippedLanguages, EveryLanguageFileIsChecked) {
    std::set<std::string> listed{"English"};
    for (const ShippedLanguage& language : kShipped) listed.insert(language.name);
    for (const auto& entry : std::filesystem::directory_iterator(LangFolder())) {
        if (entry.path().extension() == ".lng") {
            EXPECT_TRUE(listed.contains(entry.path().stem().string())) << entry.path().filename();
        }
    }
}

// Scanner and detector of the checks above, on the mistakes they exist for.
TEST(ShippedLanguages, HelpersSeeTheFaultsTheyGuardAgainst) {
    struct ConversionCase {
        std::string_view tmpl;
        std::string_view expected;
    };
    for (const ConversionCase& c : std::vector<ConversionCase>{{"Golden 1 : %.3f", "f"},
                                                               {"%d x %d", "dd"},
                                                               {"100%% %-5s", "s"},
                                                               {"no directive", ""},
                                                               {"%g then %d", "gd"}}) {
        EXPECT_EQ(Conversions(c.tmpl), c.expected) << c.tmpl;
    }
    EXPECT_EQ(CountEntryLines("; c\r\nA=1\r\n  B=2\r\n[S]\r\n"), 2u);
}

}  // namespace
}  // namespace lumetra::test
