#pragma once
// Names of the program's own resources.

namespace lumetra {

// The application icon, 16 to 48 pixels square; first in the resources so
// the shell shows it for the program file.
inline constexpr const char* kAppIconName = "MAINICON";
// The notification-area icon while a guide lets clicks through, at the same
// sizes.
inline constexpr const char* kClickThroughIconName = "CLICKTHROUGH";
inline constexpr const char* kWaitingIconName = "WAITING";

}  // namespace lumetra
