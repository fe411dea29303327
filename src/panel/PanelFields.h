#pragma once
// The panel's typed fields without their window: what a typed number is,
// the errors a committed text raises, and the position an edit + spin pair
// keeps.
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

namespace lumetra {

// Spin positions are signed 16-bit.
inline constexpr int kMaxSpinPosition = std::numeric_limits<std::int16_t>::max();

// A size field text that is not an integer; the window shows the message in
// the top-level error box.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& text)
        : std::runtime_error("'" + text + "' is not a valid integer value") {}
};

// A size field text that is no length in the unit the field shows.
class NotALengthError : public std::runtime_error {
public:
    explicit NotALengthError(const std::string& message) : std::runtime_error(message) {}
};

enum class FieldKey { Enter, Other };

// An edit + spin pair: the position stays in its range, and reading it from
// the edit's text keeps the old position when the text is no number in range.
class SpinField {
public:
    SpinField(int minimum, int maximum) : minimum_(minimum), maximum_(maximum) {}
    int Maximum() const { return maximum_; }
    int Position() const { return position_; }
    // Clamped into the range; the result is what the edit shows.
    int MoveTo(std::int64_t position);
    int ReadFrom(const std::string& text);

private:
    int minimum_;
    int maximum_;
    int position_ = 0;
};

// What the user typed into a size or grid field: a decimal integer, an
// optional minus sign and digits, with blanks around it. The settings file's
// reader is laxer ("$10", "0x10"), which is no way to type a size.
std::optional<std::int32_t> TypedInteger(const std::string& text);

// What the user typed into the ratio box, when it may become Ratio.
std::optional<double> TypedRatio(const std::string& text, char decimalSeparator);

}  // namespace lumetra
