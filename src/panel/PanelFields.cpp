#include "panel/PanelFields.h"

#include <algorithm>
#include <cstddef>

#include "overlay/looks/Geometry.h"
#include "settings/IniValues.h"

namespace lumetra {
namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::optional<std::int32_t> TypedInteger(const std::string& text) {
    const std::string number = Trimmed(text);
    const std::size_t digits = number.starts_with('-') ? 1 : 0;
    if (number.size() == digits || number.find_first_not_of("0123456789", digits) != std::string::npos) {
        return std::nullopt;
    }
    return ParseIniInt(number);
}

std::optional<double> TypedRatio(const std::string& text, char decimalSeparator) {
    std::string number = Trimmed(text);
    if (number.starts_with('+')) number.erase(0, 1);
    const std::optional<double> value = ParseIniReal(number, decimalSeparator);
    if (!value || !AcceptsTypedRatio(*value)) return std::nullopt;
    return value;
}

int SpinField::MoveTo(std::int64_t position) {
    position_ = static_cast<int>(std::clamp<std::int64_t>(position, minimum_, maximum_));
    return position_;
}

int SpinField::ReadFrom(const std::string& text) {
    const std::optional<std::int32_t> value = TypedInteger(text);
    if (value && *value >= minimum_ && *value <= maximum_) position_ = *value;
    return position_;
}

}  // namespace lumetra
