#pragma once
// Fills the templates of language files. Templates are untrusted input, so
// they never reach the printf family: this formatter understands
//   %[flags][width][.precision]conversion   and   %%
// flags: "-" left-justifies, "0" pads numbers with zeros after the sign.
// conversions and their argument:
//   d  integer      precision = minimum number of digits
//   s  string       precision = maximum number of bytes shown
//   f  real         fixed, precision decimals (default 2)
//   n  real         like f, with thousands grouped (default 2 decimals)
//   e  real         scientific, precision decimals (default 14, i.e. 15
//                   significant digits)
//   g  real         the shorter of fixed and scientific, precision
//                   significant digits (default 15), trailing zeros dropped
// Width and precision are at most kMaxFormatField. When a directive does not
// fit its argument, there are fewer arguments than directives, a directive
// is unknown or cut off, or a field is larger than that, the template is
// returned as it stands. Surplus arguments are ignored.
//
// Reals use decimalSeparator in place of the point; %n groups thousands
// with "," (or with "." when the separator itself is ",").
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace lumetra {

using FormatArg = std::variant<std::int64_t, double, std::string>;

inline constexpr int kMaxFormatField = 1000;

std::string FormatTemplate(std::string_view tmpl, std::initializer_list<FormatArg> args, char decimalSeparator = '.');

}  // namespace lumetra
