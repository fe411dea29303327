#pragma once
// The bytes of a profile file and the text the INI codec works on. An 8-bit
// file is its own text. A UTF-16 LE file with a byte-order mark, which the
// system reads as well, becomes UTF-8: its ASCII structure stays as it is,
// so the codec needs no second reader. The decoding is lossless (lone
// surrogates are kept WTF-8 style, an odd last byte is kept aside), so the
// lines the program does not write go back to the file exactly as they were.
#include <string>
#include <string_view>

namespace lumetra {

enum class IniEncoding { Bytes, Utf16Le };

struct IniFileText {
    IniEncoding encoding = IniEncoding::Bytes;
    std::string text;
    // The last byte of a UTF-16 file of odd length: no character, but the
    // user's.
    std::string oddByte;
};

IniFileText DecodeIniFile(std::string_view bytes);
std::string EncodeIniFile(const IniFileText& file);

// UTF-16 code units and the codec's UTF-8 text. A byte that starts no valid
// sequence becomes U+FFFD; surrogates without their partner pass both ways.
std::string Wtf8FromUtf16(std::u16string_view units);
std::u16string Utf16FromWtf8(std::string_view text);

}  // namespace lumetra
