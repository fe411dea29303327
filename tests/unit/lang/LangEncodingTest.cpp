#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Utf8.h"
#include "lang/LangFileReading.h"

namespace lumetra::test {
namespace {

// The made-up double-byte code page of the fake: each pair is one ideograph.
std::string Ideograph(unsigned char lead, unsigned char trail) {
    std::string out;
    AppendUtf8(out, 0x4E00 + (lead - 0x81) * 256 + trail);
    return out;
}

LangEntries ReadInEncoding(const std::string& bytes, unsigned systemCodePage) {
    FakePlatformFiles platform;
    platform.systemCodePage = systemCodePage;
    StringReader file(bytes);
    LangEntries entries;
    ReadLanguageFile(file, platform, [&](std::string key, std::string value) { entries.emplace_back(key, value); });
    return entries;
}

// The reader on the same texts in each encoding gives the same entries: one
// row per way a file says (or does not say) what it is written in.
TEST(LangEncodingTest, EachFileIsReadInItsOwnEncoding) {
    struct Case {
        const char* what;
        std::string bytes;
        unsigned systemCodePage;
        LangEntries expected;
    };
    const LangEntries cafe{{"A", "caf\xC3\xA9"}, {"B", "2"}};
    const std::string lead = "\x83";
    const std::vector<Case> cases = {
        {"after a UTF-8 mark the first line is an entry",
         "\xEF\xBB\xBF"
         "A=caf\xC3\xA9\r\nB=2\r\n",
         932, cafe},
        {"no mark: the system's code page", "A=caf\xE9\r\nB=2\r\n", 1252, cafe},
        {"no mark with Windows's UTF-8 option on", "A=caf\xC3\xA9\r\nB=2\r\n", kUtf8CodePage, cafe},
        {"a first LangCodePage entry names the code page", "LangCodePage=1252\r\nA=caf\xE9\r\nB=2\r\n", 932, cafe},
        {"comments may come before it", "; note\r\n\r\nLangCodePage=1252\r\nA=caf\xE9\r\nB=2\r\n", 932, cafe},
        {"an unknown code page means the system's", "LangCodePage=4242\r\nA=caf\xE9\r\nB=2\r\n", 1252, cafe},
        {"a number that is no number means the system's", "LangCodePage=12x\r\nA=caf\xE9\r\nB=2\r\n", 1252, cafe},
        {"LangCodePage later is an ordinary entry",
         "A=caf\xE9\r\nLangCodePage=932\r\nB=2\r\n",
         1252,
         {{"A", "caf\xC3\xA9"}, {"LangCodePage", "932"}, {"B", "2"}}},
        {"a mark outweighs a declared code page", "\xEF\xBB\xBFLangCodePage=932\r\nA=caf\xC3\xA9\r\nB=2\r\n", 1252,
         cafe},
        {"bytes that are no UTF-8 after a mark",
         "\xEF\xBB\xBF"
         "A=caf\xE9\r\n",
         1252,
         {{"A", "caf\xEF\xBF\xBD"}}},
        {"half a mark is a comment byte",
         "\xEF\xBB"
         "A=1\r\nB=2\r\n",
         1252,
         {{"B", "2"}}},
        {"a trail byte 0x5C at a line end is no continuation",
         "LangCodePage=932\r\nA=" + lead + "\\\r\nB=2\r\n",
         1252,
         {{"A", Ideograph(0x83, 0x5C)}, {"B", "2"}}},
        {"a trail byte 0x5C before a letter keeps the letter",
         "A=" + lead + "\\n\r\n",
         932,
         {{"A", Ideograph(0x83, 0x5C) + "n"}}},
        {"a real backslash still continues",
         "A=" + lead + "A\\\r\nx\r\n",
         932,
         {{"A", Ideograph(0x83, 'A') + "\r\nx"}}},
        {"a double-byte character in a key", "K" + lead + "A=v\r\n", 932, {{"K" + Ideograph(0x83, 'A'), "v"}}},
        {"a lead byte before a CR is a broken character, and the CR ends the entry",
         "A=" + lead + "\r\nB=2\r\n",
         932,
         {{"A", "\xC2\x83"}, {"B", "2"}}},
        {"a lead byte before '=' in a key leaves the '=' its meaning",
         "K" + lead + "=v\r\n",
         932,
         {{"K\xC2\x83", "v"}}},
        {"a lead byte at the end of the file drops the entry", "A=1\r\nB=" + lead, 932, {{"A", "1"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadInEncoding(c.bytes, c.systemCodePage), c.expected) << c.what;
}

}  // namespace
}  // namespace lumetra::test
