#pragma once
// Program-wide hot keys: what they do, their factory combinations, and how a
// combination reads in the settings file ("Ctrl+Shift+F9").
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra {

enum HotKeyModifier : std::uint8_t {
    kHotKeyCtrl = 1u << 0,
    kHotKeyShift = 1u << 1,
    kHotKeyAlt = 1u << 2,
    kHotKeyWin = 1u << 3,
};

// A key held with modifiers. The key is a Windows virtual-key code; 0 is no
// hot key at all.
struct HotKey {
    std::uint8_t key = 0;
    std::uint8_t modifiers = 0;
    bool Empty() const { return key == 0; }
    friend bool operator==(const HotKey&, const HotKey&) = default;
};

// What the hot keys do, in the order of their keys in the settings file.
enum class HotKeyCommand { ClickThrough, ShowHide, Fit, NextLook };
inline constexpr std::size_t kHotKeyCommandCount = 4;

// Function keys with Ctrl and Shift: no shortcut of the system or of the
// common design programs, and no Ctrl+Alt, which types characters (AltGr)
// on many keyboard layouts.
inline constexpr std::array<HotKey, kHotKeyCommandCount> kFactoryHotKeys{{
    {0x78, kHotKeyCtrl | kHotKeyShift},  // F9: click-through
    {0x79, kHotKeyCtrl | kHotKeyShift},  // F10: show or hide the guides
    {0x7A, kHotKeyCtrl | kHotKeyShift},  // F11: fit to the picture
    {0x7B, kHotKeyCtrl | kHotKeyShift},  // F12: next look
}};

// "Ctrl+Shift+F9"; "None" for no hot key.
std::string FormatHotKey(HotKey hotKey);
// The combination a text names, modifiers in any order and letter case;
// "None" or nothing for no hot key. Nothing for a text that names no
// combination a hot key may be (see AcceptsHotKey).
std::optional<HotKey> ParseHotKey(std::string_view text);
// Whether the combination may be a program-wide hot key: a key this program
// can name, held with Ctrl, Alt or the Windows key (a bare key or Shift with
// a key would be taken from typing everywhere), and not Ctrl with Alt alone,
// which is AltGr on many layouts.
bool AcceptsHotKey(HotKey hotKey);

}  // namespace lumetra
