#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/Unicode.h"

namespace lumetra::test {
namespace {

// Between the program's UTF-8 and the system's UTF-16, each kind of text the
// system hands out or a file holds.
TEST(UnicodeTest, ConvertsBetweenUtf8AndUtf16WithoutLosingWhatTheSystemGives) {
    struct Case {
        const char* what;
        std::u16string utf16;
        std::string utf8;
    };
    const std::vector<Case> cases = {
        {"ASCII", u"Lumetra 5.5", "Lumetra 5.5"},
        {"two-byte letters", u"Zab\u0142\u0119dy \u0416",
         "Zab\xC5\x82\xC4\x99"
         "dy \xD0\x96"},
        {"three-byte ideographs", u"\u65E5\u672C\u8A9E", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
        {"a pair beyond the BMP", u"\U0001F4D0", "\xF0\x9F\x93\x90"},
        {"a lone high surrogate, as a file name may hold",
         u"a\xD83D"
         "b",
         "a\xED\xA0\xBD"
         "b"},
        {"a lone low surrogate", u"\xDC10", "\xED\xB0\x90"},
        {"an embedded NUL", std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8) << c.what;
        EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.what;
    }
}

// What a UTF-8 file's bytes become, and what the system is sent for them.
TEST(UnicodeTest, BytesThatAreNoUtf8BecomeTheReplacementCharacter) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string valid;
        std::u16string utf16;
    };
    const std::string fffd = "\xEF\xBF\xBD";
    const std::vector<Case> cases = {
        {"valid text stays",
         "Gr\xC3\xB6\xC3\x9F"
         "e",
         "Gr\xC3\xB6\xC3\x9F"
         "e",
         u"Gr\u00F6\u00DFe"},
        {"a code-page byte", "caf\xE9", "caf" + fffd, u"caf\uFFFD"},
        {"a lone continuation byte", "\x80", fffd, u"\uFFFD"},
        {"an overlong slash", "\xC0\xAF", fffd + fffd, u"\uFFFD\uFFFD"},
        {"a sequence cut by the end", "a\xE6\x97", "a" + fffd + fffd, u"a\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd, u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"an encoded surrogate, no text of a file", "\xED\xA0\xBD", fffd, u"\xD83D"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValidUtf8(c.bytes), c.valid) << c.what;
        EXPECT_EQ(Utf16FromUtf8(c.bytes), c.utf16) << c.what;
    }
}

// A buffer of so many UTF-16 units holds whole characters only.
TEST(UnicodeTest, APrefixForAUtf16BufferEndsAtACharacter) {
    struct Case {
        const char* what;
        std::string text;
        std::size_t units;
        std::string prefix;
    };
    const std::vector<Case> cases = {
        {"fits whole", "abc", 3, "abc"},
        {"ASCII cut", "abcdef", 4, "abcd"},
        {"not inside a two-byte letter",
         "a\xC5\x82"
         "b",
         1, "a"},
        {"an ideograph is one unit", "\xE6\x97\xA5\xE6\x9C\xAC", 1, "\xE6\x97\xA5"},
        {"not between a pair's halves", "a\xF0\x9F\x93\x90", 2, "a"},
        {"a pair takes two units", "a\xF0\x9F\x93\x90", 3, "a\xF0\x9F\x93\x90"},
        {"no room", "abc", 0, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8PrefixInUtf16Units(c.text, c.units), c.prefix) << c.what;
}

}  // namespace
}  // namespace lumetra::test
