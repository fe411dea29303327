#include "common/InstallClock.h"

namespace lumetra {

namespace {

std::optional<int> ParseDigits(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1601-01-01 to the given date, which lies on or after it.
std::int64_t DaysSince1601(int year, int month, int day) {
    const std::int64_t y = year - 1601;
    std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    return days + day - 1;
}

}  // namespace

std::optional<Ticks> ParseInstallDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto year = ParseDigits(text.substr(0, 4));
    const auto month = ParseDigits(text.substr(5, 2));
    const auto day = ParseDigits(text.substr(8, 2));
    if (!year || !month || !day || *year < 1601 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month))
        return std::nullopt;
    return static_cast<Ticks>(DaysSince1601(*year, *month, *day)) * kTicksPerDay;
}

}  // namespace lumetra
