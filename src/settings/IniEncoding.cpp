#include "settings/IniEncoding.h"

#include <cstdint>

#include "text/Unicode.h"

namespace lumetra {

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

}  // namespace

IniFileText DecodeIniFile(std::string_view bytes) {
    if (!bytes.starts_with(kUtf16LeMark)) return {IniEncoding::Bytes, std::string(bytes), {}};
    bytes.remove_prefix(kUtf16LeMark.size());
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                         static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
    }
    return {IniEncoding::Utf16Le, Utf8FromUtf16(units), std::string(bytes.substr(units.size() * 2))};
}

std::string EncodeIniFile(const IniFileText& file) {
    if (file.encoding == IniEncoding::Bytes) return file.text;
    const std::u16string units = Utf16FromUtf8(file.text);
    std::string out(kUtf16LeMark);
    out.reserve(out.size() + units.size() * 2 + file.oddByte.size());
    for (const char16_t unit : units) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
    return out + file.oddByte;
}

}  // namespace lumetra
