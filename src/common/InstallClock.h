#pragma once
// The two points in time behind the web links' day count: now and when the
// program was installed. The shell reads them from the system, the tests
// give their own.
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra {

// Points in time are 100-nanosecond ticks since 1601-01-01 UTC, the unit of
// the system clock and of file times, so no conversion loses precision.
using Ticks = std::uint64_t;
inline constexpr Ticks kTicksPerDay = 864'000'000'000ULL;

// Where the day count gets its two points in time.
class IInstallClock {
public:
    virtual ~IInstallClock() = default;
    virtual Ticks Now() const = 0;
    virtual Ticks InstalledAt() const = 0;
};

// An installation date "YYYY-MM-DD" (Gregorian, midnight UTC) as ticks;
// nothing for anything else, including dates before 1601.
std::optional<Ticks> ParseInstallDate(std::string_view text);

}  // namespace lumetra
