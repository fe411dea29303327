#pragma once
// The query string appended to every link into the maker's web site, and the
// day count it carries: whole days since the program was installed.
#include <cstdint>
#include <string>

#include "Version.h"  // generated in the build from cmake/Version.h.in
#include "common/InstallClock.h"

namespace lumetra {

inline constexpr const char* kSiteUrl = "https://www.velmora.com";
inline constexpr const char* kUninstallPath = "/we/service/uninstall/";
inline constexpr const char* kHomePath = "/";
inline constexpr const char* kServicePath = "/we/service/";
inline constexpr const char* kDownloadPath = "/lumetra/download/";

// Elapsed days truncated toward zero; negative when the installation lies in
// the future (a clock set back).
std::int64_t WholeDaysBetween(Ticks from, Ticks to);
std::int64_t DaysSinceInstall(const IInstallClock& clock);

// "?prd=lmt&v=" and the program version, "&d=" and the day count.
std::string WebQuery(std::int64_t days);

}  // namespace lumetra
