#pragma once
// Text in a code page: what a language or settings file without a Unicode
// mark is written in. The system decodes it (the core asks through this
// interface); the core decides where one character ends, so a byte of a
// double-byte character is never taken for a backslash or a letter.
#include <bitset>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra {

// The bytes that start a two-byte character; none in a single-byte code page.
using LeadBytes = std::bitset<256>;

inline constexpr unsigned kUtf8CodePage = 65001;

class ICodePages {
public:
    virtual ~ICodePages() = default;
    // The code page in which the system keeps text without a mark (the ANSI
    // code page; 65001 with Windows's UTF-8 option on).
    virtual unsigned SystemCodePage() const = 0;
    // The lead bytes of a code page that the system can decode and whose
    // characters are one or two bytes long (UTF-8 has none: none of its
    // bytes is ASCII); nothing for any other number.
    virtual std::optional<LeadBytes> CodePageLeadBytes(unsigned codePage) const = 0;
    // The bytes as Unicode; the system's own stand-in for a byte sequence
    // that is no character of the code page.
    virtual std::u16string DecodeCodePage(unsigned codePage, std::string_view bytes) const = 0;
};

// The bytes in the code page as the program's UTF-8.
std::string Utf8FromCodePage(const ICodePages& codePages, unsigned codePage, std::string_view bytes);

}  // namespace lumetra
