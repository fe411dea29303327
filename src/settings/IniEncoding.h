#pragma once
// The bytes of a profile file and the text the INI codec works on. An 8-bit
// file is its own text. A UTF-16 LE file with a byte-order mark, which the
// system reads as well, becomes UTF-8: its ASCII structure stays as it is,
// so the codec needs no second reader. The decoding is lossless (lone
// surrogates are kept WTF-8 style, an odd last byte is kept aside), so the
// lines the program does not write go back to the file exactly as they were.
#include <functional>
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

// How the texts of values (the language, guide-file names, the save folder),
// UTF-8 in the program, are written into a file's text: empty writes them
// as they stand.
using IniTextEncoder = std::function<std::string(std::string_view text)>;

IniFileText DecodeIniFile(std::string_view bytes);
std::string EncodeIniFile(const IniFileText& file);

}  // namespace lumetra
