#pragma once
// How settings values are written into the settings file and read back.
// Readers give nothing for text they cannot take, and the caller then uses
// the key's default. Nothing here depends on the process locale: the decimal
// separator is always passed in.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra {

// Leading blanks, an optional sign, then decimal digits or "0x"/"$" and
// hexadecimal digits, and nothing after them; the number must fit in a
// signed 32-bit integer.
std::optional<std::int32_t> ParseIniInt(std::string_view text);
std::string FormatIniInt(std::int32_t value);

// Any integer that ParseIniInt takes: non-zero is true.
std::optional<bool> ParseIniBool(std::string_view text);
std::string FormatIniBool(bool value);

// General notation with at most 15 significant digits, trailing zeros and an
// unneeded separator dropped; scientific notation below 0.00001 and from
// 16 integer digits on.
std::string FormatIniReal(double value, char decimalSeparator);
// The whole text must be a number written with `decimalSeparator`.
std::optional<double> ParseIniReal(std::string_view text, char decimalSeparator);

}  // namespace lumetra
