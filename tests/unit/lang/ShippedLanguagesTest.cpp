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

namespace lumetra::test {
namespace {

// The translations that ship beside English.lng, each in the single-byte
// code page its users' Windows runs with, and the byte values that code page
// leaves undefined (they would show as boxes or question marks).
struct ShippedLanguage {
    const char* name;
    const char* codePage;
    std::string_view undefinedBytes;
};

const ShippedLanguage kShipped[] = {
    {"German", "1252", "\x81\x8D\x8F\x90\x9D"},
    {"French", "1252", "\x81\x8D\x8F\x90\x9D"},
    {"Spanish", "1252", "\x81\x8D\x8F\x90\x9D"},
    {"Italian", "1252", "\x81\x8D\x8F\x90\x9D"},
    {"Portuguese (Brazil)", "1252", "\x81\x8D\x8F\x90\x9D"},
    {"Polish", "1250", "\x81\x83\x88\x90\x98"},
    {"Russian", "1251", "\x98"},
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

// True when the bytes hold at least one multi-byte UTF-8 sequence and no
// invalid one: a file saved as UTF-8 instead of in its code page.
bool LooksLikeUtf8(std::string_view bytes) {
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) continue;
        const std::size_t tail = lead >= 0xF0 && lead <= 0xF4  ? 3
                                 : lead >= 0xE0                ? 2
                                 : lead >= 0xC2 && lead < 0xE0 ? 1
                                                               : 0;
        if (tail == 0 || i + tail >= bytes.size()) return false;
        for (std::size_t k = 1; k <= tail; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        multiByte = true;
        i += tail;
    }
    return multiByte;
}

std::map<std::string, std::string> EnglishTexts() {
    std::map<std::string, std::string> texts;
    for (auto& [key, value] : ReadAllEntries(ReadFile(LangFolder() / "English.lng"))) texts[key] = value;
    return texts;
}

class ShippedLanguageFile : public ::testing::TestWithParam<ShippedLanguage> {
protected:
    void SetUp() override {
        bytes_ = ReadFile(LangFolder() / (std::string(GetParam().name) + ".lng"));
        ASSERT_FALSE(bytes_.empty()) << GetParam().name << ".lng is missing or empty";
        entries_ = ReadAllEntries(bytes_);
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

TEST_P(ShippedLanguageFile, IsWrittenInItsCodePage) {
    EXPECT_FALSE(LooksLikeUtf8(bytes_)) << "saved as UTF-8, not in code page " << GetParam().codePage;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        const char byte = bytes_[i];
        EXPECT_EQ(GetParam().undefinedBytes.find(byte), std::string_view::npos)
            << "byte 0x" << std::hex << (static_cast<unsigned>(byte) & 0xFF) << " at " << std::dec << i
            << " is undefined in code page " << GetParam().codePage;
        EXPECT_FALSE(static_cast<unsigned char>(byte) < 0x20 && byte != '\r' && byte != '\n')
            << "control byte at " << i;
    }
}

TEST_P(ShippedLanguageFile, LosesNoEntry) { EXPECT_EQ(entries_.size(), CountEntryLines(bytes_)); }

TEST_P(ShippedLanguageFile, DefinesEveryCatalogueKeyOnceAndNothingElse) {
    std::map<std::string, int> defined;
    for (const auto& entry : entries_) ++defined[entry.first];
    std::set<std::string> catalogue;
    for (const CatalogueKey& key : LangCatalogue()) {
        catalogue.insert(key.key);
        EXPECT_EQ(defined[key.key], 1) << key.key;
    }
    for (const auto& [key, value] : entries_) {
        EXPECT_TRUE(catalogue.contains(key)) << "unknown key " << key;
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
    struct Utf8Case {
        std::string_view bytes;
        bool utf8;
    };
    for (const Utf8Case& c : std::vector<Utf8Case>{{"Gr\xC3\xB6\xC3\x9F"
                                                    "e",
                                                    true},  // UTF-8 of a German word
                                                   {"Gr\xF6\xDF"
                                                    "e",
                                                    false},                              // the same word in 1252
                                                   {"\xD0\xE0\xE7\xEC\xE5\xF0", false},  // Russian in 1251
                                                   {"plain ASCII", false}}) {
        EXPECT_EQ(LooksLikeUtf8(c.bytes), c.utf8) << c.bytes;
    }
}

}  // namespace
}  // namespace lumetra::test
