#include "settings/HotKey.h"

#include <algorithm>
#include <cctype>

#include "common/Text.h"

namespace lumetra {
namespace {

struct KeyName {
    std::uint8_t key;
    std::string_view name;
};

// The keys besides letters, digits and function keys that a hot key may use.
constexpr std::array<KeyName, 11> kNamedKeys{{
    {0x13, "Pause"},
    {0x20, "Space"},
    {0x21, "PageUp"},
    {0x22, "PageDown"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x91, "ScrollLock"},
    {0xBC, "Comma"},
    {0xBE, "Period"},
}};

constexpr std::array<KeyName, 4> kModifierNames{{
    {kHotKeyCtrl, "Ctrl"},
    {kHotKeyShift, "Shift"},
    {kHotKeyAlt, "Alt"},
    {kHotKeyWin, "Win"},
}};

constexpr std::uint8_t kFirstFunctionKey = 0x70;  // F1
constexpr int kFunctionKeys = 24;
constexpr std::uint8_t kF4 = kFirstFunctionKey + 3;
constexpr std::uint8_t kF12 = kFirstFunctionKey + 11;
constexpr std::string_view kNone = "None";

std::string KeyText(std::uint8_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= kFirstFunctionKey && key < kFirstFunctionKey + kFunctionKeys) {
        return "F" + std::to_string(key - kFirstFunctionKey + 1);
    }
    for (const KeyName& named : kNamedKeys) {
        if (named.key == key) return std::string(named.name);
    }
    return {};
}

std::optional<std::uint8_t> KeyFromText(std::string_view text) {
    if (text.size() == 1) {
        const auto c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(text[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<std::uint8_t>(c);
    }
    for (int n = 1; n <= kFunctionKeys; ++n) {
        if (EqualsIgnoringAsciiCase(text, "F" + std::to_string(n)))
            return static_cast<std::uint8_t>(kFirstFunctionKey + n - 1);
    }
    for (const KeyName& named : kNamedKeys) {
        if (EqualsIgnoringAsciiCase(text, named.name)) return named.key;
    }
    return std::nullopt;
}

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string FormatHotKey(HotKey hotKey) {
    const std::string key = KeyText(hotKey.key);
    if (key.empty()) return std::string(kNone);
    std::string text;
    for (const KeyName& modifier : kModifierNames) {
        if ((hotKey.modifiers & modifier.key) != 0) text.append(modifier.name).append("+");
    }
    return text + key;
}

std::optional<HotKey> ParseHotKeyName(std::string_view text) {
    text = Trimmed(text);
    if (text.empty() || EqualsIgnoringAsciiCase(text, kNone)) return HotKey{};
    HotKey hotKey;
    while (!text.empty()) {
        const std::size_t plus = text.find('+');
        const std::string_view part = Trimmed(text.substr(0, plus));
        text = plus == std::string_view::npos ? std::string_view{} : text.substr(plus + 1);
        if (plus != std::string_view::npos && text.empty()) return std::nullopt;  // "Ctrl+"
        const auto modifier = std::find_if(kModifierNames.begin(), kModifierNames.end(),
                                           [&](const KeyName& m) { return EqualsIgnoringAsciiCase(part, m.name); });
        if (plus != std::string_view::npos) {
            if (modifier == kModifierNames.end() || (hotKey.modifiers & modifier->key) != 0) return std::nullopt;
            hotKey.modifiers = static_cast<std::uint8_t>(hotKey.modifiers | modifier->key);
            continue;
        }
        const std::optional<std::uint8_t> key = KeyFromText(part);
        if (!key) return std::nullopt;
        hotKey.key = *key;
    }
    return hotKey;
}

std::optional<HotKey> ParseHotKey(std::string_view text) {
    const std::optional<HotKey> hotKey = ParseHotKeyName(text);
    if (!hotKey || hotKey->Empty() || AcceptsHotKey(*hotKey)) return hotKey;
    return std::nullopt;
}

HotKeyVerdict CheckHotKey(HotKey hotKey) {
    const std::uint8_t held = hotKey.modifiers;
    if (KeyText(hotKey.key).empty() || (held & ~(kHotKeyCtrl | kHotKeyShift | kHotKeyAlt | kHotKeyWin)) != 0) {
        return HotKeyVerdict::Unnamed;
    }
    if (hotKey.key == kF12) return HotKeyVerdict::Reserved;
    if ((held & (kHotKeyCtrl | kHotKeyAlt | kHotKeyWin)) == 0) return HotKeyVerdict::NoModifier;
    if ((held & kHotKeyCtrl) != 0 && (held & kHotKeyAlt) != 0 && (held & kHotKeyWin) == 0) {
        return HotKeyVerdict::AltGr;
    }
    const bool letter = hotKey.key >= 'A' && hotKey.key <= 'Z';
    if ((held == kHotKeyCtrl || held == kHotKeyAlt) && letter) return HotKeyVerdict::Common;
    if (held == kHotKeyAlt && hotKey.key == kF4) return HotKeyVerdict::Common;
    return HotKeyVerdict::Accepted;
}

std::array<std::optional<HotKeyCommand>, kHotKeyCommandCount> HotKeyClashes(const HotKeySet& hotKeys) {
    std::array<std::optional<HotKeyCommand>, kHotKeyCommandCount> clashes{};
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        if (hotKeys[i].Empty()) continue;
        for (std::size_t first = 0; first < i && !clashes[i]; ++first) {
            if (hotKeys[first] == hotKeys[i]) clashes[i] = static_cast<HotKeyCommand>(first);
        }
    }
    return clashes;
}

}  // namespace lumetra
