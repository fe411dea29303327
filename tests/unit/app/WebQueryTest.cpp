#include "app/WebQuery.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace lumetra::test {
namespace {

constexpr Ticks kDay = kTicksPerDay;
constexpr Ticks kStart = 400 * kDay;

TEST(WebQueryTest, CarriesProductVersionAndDayCount) {
    const std::string version = kProgramVersion;
    const struct {
        std::int64_t days;
        std::string query;
    } cases[] = {
        {0, "?prd=lmt&v=" + version + "&d=0"},
        {7, "?prd=lmt&v=" + version + "&d=7"},
        {1000, "?prd=lmt&v=" + version + "&d=1000"},
        {-3, "?prd=lmt&v=" + version + "&d=-3"},
    };
    for (const auto& c : cases) EXPECT_EQ(WebQuery(c.days), c.query) << c.days;
}

TEST(WebQueryTest, WholeDaysTruncateTowardZero) {
    const struct {
        Ticks from;
        Ticks to;
        std::int64_t days;
    } cases[] = {
        {kStart, kStart, 0},
        {kStart, kStart + kDay - 1, 0},
        {kStart, kStart + kDay, 1},
        {kStart, kStart + 10 * kDay + kDay / 2, 10},
        // A clock set back: a fraction of a day is still day 0, not -1.
        {kStart, kStart - kDay + 1, 0},
        {kStart, kStart - kDay, -1},
        {kStart, kStart - 2 * kDay - 5, -2},
        // Hostile extremes stay defined.
        {0, std::numeric_limits<Ticks>::max(), static_cast<std::int64_t>(std::numeric_limits<Ticks>::max() / kDay)},
        {std::numeric_limits<Ticks>::max(), 0, -static_cast<std::int64_t>(std::numeric_limits<Ticks>::max() / kDay)},
    };
    for (const auto& c : cases) EXPECT_EQ(WholeDaysBetween(c.from, c.to), c.days) << c.from << " -> " << c.to;
}

TEST(InstallDateTest, ValidDatesBecomeTicksAtMidnight) {
    const struct {
        const char* text;
        Ticks ticks;
    } cases[] = {
        {"1601-01-01", 0},
        {"1601-01-02", kDay},
        {"1602-01-01", 365 * kDay},
        // The Unix epoch, as the system clock counts it.
        {"1970-01-01", 116444736000000000ULL},
        {"2000-03-01", 116444736000000000ULL + 11017 * kDay},
    };
    for (const auto& c : cases) {
        const auto ticks = ParseInstallDate(c.text);
        ASSERT_TRUE(ticks.has_value()) << c.text;
        EXPECT_EQ(*ticks, c.ticks) << c.text;
    }
}

TEST(InstallDateTest, LeapYearsFollowTheGregorianRules) {
    const struct {
        const char* before;
        const char* after;
        std::int64_t days;
    } cases[] = {
        {"2024-02-28", "2024-03-01", 2}, {"2023-02-28", "2023-03-01", 1},   {"1900-02-28", "1900-03-01", 1},
        {"2000-02-28", "2000-03-01", 2}, {"2023-12-31", "2024-12-31", 366},
    };
    for (const auto& c : cases) {
        const auto before = ParseInstallDate(c.before);
        const auto after = ParseInstallDate(c.after);
        ASSERT_TRUE(before && after) << c.before << " " << c.after;
        EXPECT_EQ(WholeDaysBetween(*before, *after), c.days) << c.before << " " << c.after;
    }
}

TEST(InstallDateTest, AnythingElseIsRejected) {
    const char* cases[] = {
        "",           "2024-02-30", "2023-02-29", "2024-13-01",  "2024-00-10",       "2024-01-00",
        "2024-01-32", "2024-1-01",  "2024/01/01", "2024-01-01 ", " 2024-01-01",      "+024-01-01",
        "1600-12-31", "0000-01-01", "2024-0a-01", "20240101",    "2024-01-01T00:00",
    };
    for (const char* text : cases) EXPECT_FALSE(ParseInstallDate(text).has_value()) << '"' << text << '"';
}

}  // namespace
}  // namespace lumetra::test
