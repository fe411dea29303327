#pragma once
// Fills the templates of language files. Templates are untrusted input, so
// they never reach the printf family: this formatter understands %d, %s, %f,
// %g, %e, %n (a real in the locale-free fixed/general style) with flags,
// width and precision, and %%. When a directive does not fit its argument, or
// there are fewer arguments than directives, the template is returned as it
// stands. Surplus arguments are ignored.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace lumetra {

using FormatArg = std::variant<std::int64_t, double, std::string>;

std::string FormatTemplate(std::string_view tmpl, std::initializer_list<FormatArg> args);

}  // namespace lumetra
