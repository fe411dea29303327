#include "settings/IniEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/CaseName.h"

namespace lumetra::test {
namespace {

using namespace std::string_literals;

struct DecodeCase {
    const char* name;
    std::string bytes;
    IniEncoding encoding;
    std::string text;
};

class IniDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(IniDecode, GivesTheTextAndBackTheSameBytes) {
    const DecodeCase& c = GetParam();
    const IniFileText file = DecodeIniFile(c.bytes);
    EXPECT_EQ(file.encoding, c.encoding);
    EXPECT_EQ(file.text, c.text);
    EXPECT_EQ(EncodeIniFile(file), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniDecode,
    ::testing::Values(DecodeCase{"EightBitKeptAsBytes", "Lang=\xE4\xFF\r\n", IniEncoding::Bytes, "Lang=\xE4\xFF\r\n"},
                      DecodeCase{"Utf8MarkIsJustBytes", "\xEF\xBB\xBF[A]", IniEncoding::Bytes, "\xEF\xBB\xBF[A]"},
                      DecodeCase{"Utf16Ascii",
                                 "\xFF\xFE"
                                 "A\0=\0"
                                 "1\0\r\0\n\0"s,
                                 IniEncoding::Utf16Le, "A=1\r\n"},
                      DecodeCase{"TwoAndThreeByteCharacters", "\xFF\xFE\xA9\x03\xE5\x65", IniEncoding::Utf16Le,
                                 "\xCE\xA9\xE6\x97\xA5"},
                      DecodeCase{"SurrogatePair", "\xFF\xFE\x3D\xD8\x00\xDE"s, IniEncoding::Utf16Le,
                                 "\xF0\x9F\x98\x80"},
                      DecodeCase{"LoneSurrogates",
                                 "\xFF\xFE\x00\xDE\x3D\xD8"
                                 "A\0"s,
                                 IniEncoding::Utf16Le,
                                 "\xED\xB8\x80\xED\xA0\xBD"
                                 "A"},
                      DecodeCase{"OddLastByte",
                                 "\xFF\xFE"
                                 "A\0"
                                 "B"s,
                                 IniEncoding::Utf16Le, "A"}),
    CaseName<DecodeCase>);

}  // namespace
}  // namespace lumetra::test
