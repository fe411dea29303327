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

// Function keys F1 to F4 with Ctrl and Shift. Checked against the default
// shortcuts the vendors publish for Windows (kept as a unit table, which
// checks these keys against every combination below):
//   Windows, "Keyboard shortcuts in Windows" (support.microsoft.com): Alt+F4,
//     Ctrl+F4, Alt+F8, Shift+F10, Ctrl+Esc, Ctrl+Shift+Esc, Ctrl+Shift+E and
//     Ctrl+Shift+N (File Explorer), Ctrl+Shift alone switches the keyboard
//     layout; the Windows key with anything, which RegisterHotKey
//     (learn.microsoft.com) reserves for the system, as it reserves F12
//     for the debugger.
//   Vector: Adobe Illustrator (helpx.adobe.com): Shift+F3, Ctrl+F6,
//     Ctrl+Shift+F6, Ctrl+Alt+F6, Ctrl+Shift+F8, Ctrl+Shift+F9 (Pathfinder),
//     Ctrl+Shift+F10, Ctrl+Shift+F11, Ctrl+F12.
//   Raster: Adobe Photoshop: F1 to F9, F12, Shift+F5 to F7, Alt+F9;
//     Camera Raw (its photo developer) Ctrl+Alt+1 to 9.
//   Layout: Adobe InDesign: Ctrl+F1 to F3, Shift+F1, Shift+F2, Shift+F5,
//     F10, Ctrl+Shift+F6.
//   Affinity Designer and Photo (affinity.help): no function keys;
//     Ctrl+Shift with letters, brackets and arrows.
//   Browsers: Chrome help: F1, F3, F5, Shift+F5, F6, Shift+F6, F10, F11, F12,
//     Ctrl+F4, Ctrl+Shift+B/D/Delete/G/J/M/N/O/Q/R/T/W.
// No Ctrl+Alt, which types characters (AltGr) on many keyboard layouts, and
// no F12.
inline constexpr std::array<HotKey, kHotKeyCommandCount> kFactoryHotKeys{{
    {0x70, kHotKeyCtrl | kHotKeyShift},  // F1: click-through
    {0x71, kHotKeyCtrl | kHotKeyShift},  // F2: show or hide the guides
    {0x72, kHotKeyCtrl | kHotKeyShift},  // F3: fit to the picture
    {0x73, kHotKeyCtrl | kHotKeyShift},  // F4: next look
}};

// "Ctrl+Shift+F9"; "None" for no hot key.
std::string FormatHotKey(HotKey hotKey);
// The combination a text names, modifiers in any order and letter case;
// "None" or nothing for no hot key. Nothing for a text that names no
// combination a hot key may be (see CheckHotKey).
std::optional<HotKey> ParseHotKey(std::string_view text);
// The same, for any combination the text names, whether or not it may be a
// hot key.
std::optional<HotKey> ParseHotKeyName(std::string_view text);

// Whether a combination may be a program-wide hot key, or why not.
enum class HotKeyVerdict {
    Accepted,
    Unnamed,     // a key the settings file has no name for
    NoModifier,  // a key alone or with Shift: it would be taken from typing
    AltGr,       // Ctrl with Alt and no Windows key: types characters on many layouts
    Reserved,    // F12, which the system keeps for the debugger
    Common,      // Ctrl or Alt alone with a letter, or Alt+F4: every program's own
};
HotKeyVerdict CheckHotKey(HotKey hotKey);
inline bool AcceptsHotKey(HotKey hotKey) { return CheckHotKey(hotKey) == HotKeyVerdict::Accepted; }

// For each command, the first command before it with the same combination:
// a hand-edited file may give two commands one combination, and only the
// first of them can hold it.
using HotKeySet = std::array<HotKey, kHotKeyCommandCount>;
std::array<std::optional<HotKeyCommand>, kHotKeyCommandCount> HotKeyClashes(const HotKeySet& hotKeys);

}  // namespace lumetra
