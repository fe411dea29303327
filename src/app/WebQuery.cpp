#include "app/WebQuery.h"

namespace lumetra {

std::int64_t WholeDaysBetween(Ticks from, Ticks to) {
    // Unsigned differences cannot overflow, and a day count of any 64-bit
    // tick difference fits easily into a signed 64-bit value.
    if (to >= from) return static_cast<std::int64_t>((to - from) / kTicksPerDay);
    return -static_cast<std::int64_t>((from - to) / kTicksPerDay);
}

std::int64_t DaysSinceInstall(const IInstallClock& clock) { return WholeDaysBetween(clock.InstalledAt(), clock.Now()); }

std::string WebQuery(std::int64_t days) {
    return std::string("?prd=lmt&v=") + kProgramVersion + "&d=" + std::to_string(days);
}

}  // namespace lumetra
