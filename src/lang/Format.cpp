#include "lang/Format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace lumetra {
namespace {

struct Directive {
    bool leftJustify = false;
    bool zeroPad = false;
    int width = 0;
    std::optional<int> precision;
    char conversion = 0;
};

// Reads a decimal field at pos. Nothing when it exceeds kMaxFormatField,
// which also keeps the accumulation far from overflow.
std::optional<int> ParseField(std::string_view tmpl, std::size_t& pos) {
    int field = 0;
    while (pos < tmpl.size() && tmpl[pos] >= '0' && tmpl[pos] <= '9') {
        field = field * 10 + (tmpl[pos] - '0');
        if (field > kMaxFormatField) {
            return std::nullopt;
        }
        ++pos;
    }
    return field;
}

// Parses the directive after a "%" at pos (which is left past it).
std::optional<Directive> ParseDirective(std::string_view tmpl, std::size_t& pos) {
    Directive directive;
    for (; pos < tmpl.size() && (tmpl[pos] == '-' || tmpl[pos] == '0'); ++pos) {
        (tmpl[pos] == '-' ? directive.leftJustify : directive.zeroPad) = true;
    }
    const std::optional<int> width = ParseField(tmpl, pos);
    if (!width) {
        return std::nullopt;
    }
    directive.width = *width;
    if (pos < tmpl.size() && tmpl[pos] == '.') {
        ++pos;
        directive.precision = ParseField(tmpl, pos);
        if (!directive.precision) {
            return std::nullopt;
        }
    }
    if (pos >= tmpl.size()) {
        return std::nullopt;
    }
    directive.conversion = tmpl[pos++];
    return directive;
}

char GroupingSeparator(char decimalSeparator) { return decimalSeparator == ',' ? '.' : ','; }

// Inserts the grouping separator into the integer digits, which end at
// integerEnd, of a fixed number.
std::string GroupThousands(std::string_view digits, std::size_t integerEnd, char separator) {
    const std::size_t firstDigit = (!digits.empty() && digits.front() == '-') ? 1 : 0;
    std::string grouped(digits.substr(0, firstDigit));
    for (std::size_t i = firstDigit; i < integerEnd; ++i) {
        if (i > firstDigit && (integerEnd - i) % 3 == 0) {
            grouped.push_back(separator);
        }
        grouped.push_back(digits[i]);
    }
    grouped.append(digits.substr(integerEnd));
    return grouped;
}

std::optional<std::string> FormatReal(const Directive& directive, double value, char decimalSeparator) {
    // Large enough for 309 integer digits plus kMaxFormatField decimals.
    std::array<char, 1536> buffer{};
    std::to_chars_result result{};
    switch (directive.conversion) {
        case 'f':
        case 'n':
            result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                                   directive.precision.value_or(2));
            break;
        case 'e':
            result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific,
                                   directive.precision.value_or(14));
            break;
        default:
            result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general,
                                   directive.precision.value_or(15));
            break;
    }
    if (result.ec != std::errc{}) {
        return std::nullopt;
    }
    std::string text(buffer.data(), result.ptr);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        text[point] = decimalSeparator;
    }
    if (directive.conversion == 'n' && std::isfinite(value)) {
        text =
            GroupThousands(text, point == std::string::npos ? text.size() : point, GroupingSeparator(decimalSeparator));
    }
    return text;
}

std::string FormatInteger(const Directive& directive, std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), result.ptr);
    const std::size_t sign = value < 0 ? 1 : 0;
    const std::size_t minDigits = static_cast<std::size_t>(directive.precision.value_or(1));
    if (text.size() - sign < minDigits) {
        text.insert(sign, minDigits - (text.size() - sign), '0');
    }
    return text;
}

// Pads to the directive's width. Zeros go after the sign, and only into
// numbers that are finite and have no explicit precision for %d.
void Pad(const Directive& directive, bool zerosAllowed, std::string& text) {
    const auto width = static_cast<std::size_t>(directive.width);
    if (text.size() >= width) {
        return;
    }
    const std::size_t fill = width - text.size();
    if (directive.leftJustify) {
        text.append(fill, ' ');
    } else if (directive.zeroPad && zerosAllowed) {
        text.insert(!text.empty() && text.front() == '-' ? 1 : 0, fill, '0');
    } else {
        text.insert(0, fill, ' ');
    }
}

// The text of one directive, or nothing when the argument does not fit.
std::optional<std::string> Render(const Directive& directive, const FormatArg& arg, char decimalSeparator) {
    switch (directive.conversion) {
        case 'd': {
            const auto* value = std::get_if<std::int64_t>(&arg);
            if (value == nullptr) {
                return std::nullopt;
            }
            std::string text = FormatInteger(directive, *value);
            Pad(directive, !directive.precision, text);
            return text;
        }
        case 's': {
            const auto* value = std::get_if<std::string>(&arg);
            if (value == nullptr) {
                return std::nullopt;
            }
            std::string text =
                directive.precision ? value->substr(0, static_cast<std::size_t>(*directive.precision)) : *value;
            Pad(directive, false, text);
            return text;
        }
        case 'f':
        case 'n':
        case 'e':
        case 'g': {
            const auto* value = std::get_if<double>(&arg);
            if (value == nullptr) {
                return std::nullopt;
            }
            std::optional<std::string> text = FormatReal(directive, *value, decimalSeparator);
            if (text) {
                Pad(directive, std::isfinite(*value), *text);
            }
            return text;
        }
        default: return std::nullopt;
    }
}

}  // namespace

std::string FormatTemplate(std::string_view tmpl, std::initializer_list<FormatArg> args, char decimalSeparator) {
    std::string out;
    const FormatArg* nextArg = args.begin();
    std::size_t pos = 0;
    while (pos < tmpl.size()) {
        const std::size_t percent = tmpl.find('%', pos);
        out.append(tmpl.substr(pos, percent - pos));
        if (percent == std::string_view::npos) {
            break;
        }
        pos = percent + 1;
        if (pos < tmpl.size() && tmpl[pos] == '%') {
            out.push_back('%');
            ++pos;
            continue;
        }
        const std::optional<Directive> directive = ParseDirective(tmpl, pos);
        if (!directive || nextArg == args.end()) {
            return std::string(tmpl);
        }
        const std::optional<std::string> text = Render(*directive, *nextArg++, decimalSeparator);
        if (!text) {
            return std::string(tmpl);
        }
        out += *text;
    }
    return out;
}

}  // namespace lumetra
