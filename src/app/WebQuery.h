#pragma once
// The query string appended to every link into the maker's web site, and the
// day count it carries: whole days since the program was installed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Version.h"  // generated in the build from cmake/Version.h.in

namespace lumetra {

inline constexpr const char* kSiteUrl = "https://www.velmora.com";
inline constexpr const char* kUninstallPath = "/we/service/uninstall/";
inline constexpr const char* kHomePath = "/";
inline constexpr const char* kServicePath = "/we/service/";
inline constexpr const char* kDownloadPath = "/lumetra/download/";

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

// Elapsed days truncated toward zero; negative when the installation lies in
// the future (a clock set back).
std::int64_t WholeDaysBetween(Ticks from, Ticks to);
std::int64_t DaysSinceInstall(const IInstallClock& clock);

// "?prd=lmt&v=" and the program version, "&d=" and the day count.
std::string WebQuery(std::int64_t days);

// An installation date "YYYY-MM-DD" (Gregorian, midnight UTC) as ticks;
// nothing for anything else, including dates before 1601.
std::optional<Ticks> ParseInstallDate(std::string_view text);

}  // namespace lumetra
