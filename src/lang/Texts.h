#pragma once
// The texts the program looks up, by name: texts::MWidthHeight rather than a
// string, so a key is written once and every shipped language file can be
// checked against the whole list (lang/Texts.inc holds the rows).
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra {

// A language key and the arguments its template takes, one letter each in
// order: 'd' an integer, 'r' a real, 's' a text; empty for a plain text.
struct TextKey {
    std::string_view key;
    std::string_view args;

    constexpr operator std::string_view() const { return key; }
};

// Items of a list named Prefix0 ... Prefix<count - 1>.
struct TextFamily {
    std::string_view prefix;
    int count;

    std::string Key(int index) const { return std::string(prefix) + std::to_string(index); }
};

namespace texts {

#define TEXT_ROW(name, args) inline constexpr TextKey name{#name, args};
#include "lang/Texts.inc"
#undef TEXT_ROW

// The preset ratios, the orientations and the advanced options, each in
// its list's order. The looks' names are in their
// own table (common/BuiltInLooks.inc).
inline constexpr TextFamily MSRat{"MSRat", 17};
inline constexpr TextFamily MSOr{"MSOr", 4};
inline constexpr TextFamily MSA{"MSA", 7};
// The units, in the order of the Units setting, and their symbols (per cent
// has none of the language's: its size read-out is in device pixels).
inline constexpr TextFamily MSUnit{"MSUnit", 7};
inline constexpr TextFamily MUnitSymbol{"MUnitSymbol", 6};
// The preset ratios whose names are templates of their value ('r').
inline constexpr std::array kRatioNamesWithValue{0, 1, 12};

}  // namespace texts

// Every text above, the families' members included, with its arguments.
std::vector<TextKey> AllTexts();

}  // namespace lumetra
