#include "text/Unicode.h"

#include <cstdint>

#include "common/Utf8.h"

namespace lumetra {

namespace {

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsSurrogate(char32_t point) { return point >= 0xD800 && point <= 0xDFFF; }

struct Decoded {
    char32_t point;
    std::size_t length;
    bool valid;
};

// The code point of the sequence at `pos`: overlong forms and points beyond
// U+10FFFF are refused, surrogates are not (the caller decides).
Decoded NextPoint(std::string_view text, std::size_t pos) {
    constexpr Decoded kInvalid{kReplacementCharacter, 1, false};
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    if (lead < 0x80) return {lead, 1, true};
    std::size_t length = 0;
    char32_t point = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        point = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        point = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        point = lead & 0x07;
        smallest = 0x10000;
    } else {
        return kInvalid;
    }
    if (text.size() - pos < length) return kInvalid;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return kInvalid;
        point = point << 6 | (next & 0x3F);
    }
    if (point < smallest || point > 0x10FFFF) return kInvalid;
    return {point, length, true};
}

std::size_t Utf16Units(char32_t point) { return point < 0x10000 ? 1 : 2; }

}  // namespace

std::string Utf8FromUtf16(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00));
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::u16string Utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Decoded next = NextPoint(text, pos);
        pos += next.length;
        if (next.point < 0x10000) {
            out.push_back(static_cast<char16_t>(next.point));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 + ((next.point - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((next.point - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Decoded next = NextPoint(text, pos);
        if (next.valid && !IsSurrogate(next.point)) {
            out.append(text.substr(pos, next.length));
        } else {
            AppendUtf8(out, kReplacementCharacter);
        }
        pos += next.length;
    }
    return out;
}

std::string_view Utf8PrefixInUtf16Units(std::string_view text, std::size_t units) {
    std::size_t pos = 0;
    std::size_t used = 0;
    while (pos < text.size()) {
        const Decoded next = NextPoint(text, pos);
        used += Utf16Units(next.point);
        if (used > units) break;
        pos += next.length;
    }
    return text.substr(0, pos);
}

}  // namespace lumetra
