#pragma once
// What the program does when Windows tells it that the session ends: saves,
// and either leaves the ending to Windows or ends itself.
#include <cstdint>

namespace lumetra {

// The flags that come with the end of a session (WM_QUERYENDSESSION and
// WM_ENDSESSION), a bit mask; none means a shut-down or restart.
inline constexpr std::uint32_t kEndSessionCloseApp = 0x00000001u;  // Restart Manager: an update needs our files
inline constexpr std::uint32_t kEndSessionCritical = 0x40000000u;  // forced
inline constexpr std::uint32_t kEndSessionLogOff = 0x80000000u;

enum class SessionEnd {
    Cancelled,         // the session goes on: nothing changes
    SaveForTheSystem,  // save; Windows ends the process with the session
    SaveAndExit,       // save and end the process: the session goes on without it
};

// What this run does when told that the session ends (`ending` false: the
// end was called off).
constexpr SessionEnd SessionEndOf(bool ending, std::uint32_t flags) {
    if (!ending) return SessionEnd::Cancelled;
    // Restart Manager closes the program while the session goes on; forced
    // or not, what was changed must be saved before it goes.
    if ((flags & kEndSessionCloseApp) != 0) return SessionEnd::SaveAndExit;
    return SessionEnd::SaveForTheSystem;
}

}  // namespace lumetra
