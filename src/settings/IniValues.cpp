#include "settings/IniValues.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace lumetra {

namespace {

int DigitValue(char c, int base) {
    int d = -1;
    if (c >= '0' && c <= '9') {
        d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        d = c - 'A' + 10;
    }
    return d < base ? d : -1;
}

// Significant digits and decimal exponent of a finite, non-zero value
// rounded to 15 significant digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal ToDecimal(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    Decimal d;
    const auto e = text.find('e');
    std::string_view mantissa = text.substr(0, e);
    if (mantissa.front() == '-') {
        d.negative = true;
        mantissa.remove_prefix(1);
    }
    for (char c : mantissa) {
        if (c != '.') d.digits.push_back(c);
    }
    const auto lastNonZero = d.digits.find_last_not_of('0');
    d.digits.erase(lastNonZero + 1);
    // The exponent is written with a sign, which from_chars takes only as "-".
    std::string_view exponent = text.substr(e + 1);
    if (exponent.front() == '+') exponent.remove_prefix(1);
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), d.exponent);
    return d;
}

std::string Scientific(const Decimal& d, char separator) {
    std::string out = d.digits.substr(0, 1);
    if (d.digits.size() > 1) out += separator + d.digits.substr(1);
    return out + "E" + std::to_string(d.exponent);
}

std::string Fixed(const Decimal& d, char separator) {
    if (d.exponent < 0) {
        return "0" + std::string(1, separator) + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    }
    const auto integerDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= integerDigits) return d.digits + std::string(integerDigits - d.digits.size(), '0');
    return d.digits.substr(0, integerDigits) + separator + d.digits.substr(integerDigits);
}

}  // namespace

std::optional<std::int32_t> ParseIniInt(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return std::nullopt;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (text.substr(i, 1) == "$") {
        base = 16;
        i += 1;
    } else if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X") {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;
    // One beyond the largest magnitude, so both ends of the range fit.
    constexpr std::int64_t limit = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0) return std::nullopt;
        magnitude = magnitude * base + d;
        if (magnitude > limit) return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string FormatIniInt(std::int32_t value) { return std::to_string(value); }

std::optional<bool> ParseIniBool(std::string_view text) {
    const auto value = ParseIniInt(text);
    if (!value) return std::nullopt;
    return *value != 0;
}

std::string FormatIniBool(bool value) { return value ? "1" : "0"; }

std::string FormatIniReal(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0.0) return "0";
    const Decimal d = ToDecimal(value);
    const bool scientific = d.exponent < -5 || d.exponent >= 15;
    const std::string body = scientific ? Scientific(d, decimalSeparator) : Fixed(d, decimalSeparator);
    return d.negative ? "-" + body : body;
}

std::optional<double> ParseIniReal(std::string_view text, char decimalSeparator) {
    std::string plain;
    plain.reserve(text.size());
    for (char c : text) {
        if (c == decimalSeparator) {
            plain.push_back('.');
        } else if (c == '.') {
            // Written under another locale: not a number here.
            return std::nullopt;
        } else {
            plain.push_back(c);
        }
    }
    double value = 0.0;
    const char* end = plain.data() + plain.size();
    const auto result = std::from_chars(plain.data(), end, value);
    if (plain.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

}  // namespace lumetra
