#include "settings/IniEncoding.h"

#include <cstdint>

#include "common/Utf8.h"

namespace lumetra {

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

struct Decoded {
    char32_t point;
    std::size_t length;
};

// The code point of the sequence at `pos`: overlong forms and points beyond
// U+10FFFF are refused, surrogates are not.
Decoded NextPoint(std::string_view text, std::size_t pos) {
    constexpr Decoded kInvalid{0xFFFD, 1};
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    if (lead < 0x80) return {lead, 1};
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
    return {point, length};
}

}  // namespace

std::string Wtf8FromUtf16(std::u16string_view units) {
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

std::u16string Utf16FromWtf8(std::string_view text) {
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

IniFileText DecodeIniFile(std::string_view bytes) {
    if (!bytes.starts_with(kUtf16LeMark)) return {IniEncoding::Bytes, std::string(bytes), {}};
    bytes.remove_prefix(kUtf16LeMark.size());
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                         static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
    }
    return {IniEncoding::Utf16Le, Wtf8FromUtf16(units), std::string(bytes.substr(units.size() * 2))};
}

std::string EncodeIniFile(const IniFileText& file) {
    if (file.encoding == IniEncoding::Bytes) return file.text;
    const std::u16string units = Utf16FromWtf8(file.text);
    std::string out(kUtf16LeMark);
    out.reserve(out.size() + units.size() * 2 + file.oddByte.size());
    for (const char16_t unit : units) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
    return out + file.oddByte;
}

}  // namespace lumetra
