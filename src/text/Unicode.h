#pragma once
// The program's one text type is UTF-8 in std::string; Windows speaks
// UTF-16. These are the conversions between the two, used at that edge and
// wherever a file's text becomes the program's.
//
// The conversions are lossless for anything the system hands out: a lone
// surrogate (which file and window names may hold) passes as WTF-8 would
// write it, so a name read from the system reaches the system again
// unchanged. A byte that starts no valid sequence becomes U+FFFD.
#include <cstddef>
#include <string>
#include <string_view>

namespace lumetra {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

std::string Utf8FromUtf16(std::u16string_view units);
std::u16string Utf16FromUtf8(std::string_view text);

// The text with every byte that starts no valid sequence (and every
// encoded surrogate) replaced by U+FFFD: what a UTF-8 file's text becomes.
std::string ValidUtf8(std::string_view text);

// The longest start of text that takes at most `units` UTF-16 code units
// and ends at a character's end, so a fixed-size buffer never holds half a
// character.
std::string_view Utf8PrefixInUtf16Units(std::string_view text, std::size_t units);

}  // namespace lumetra
