#pragma once
// Names of the program's own resources.

namespace lumetra {

// The application icon, 16 to 48 pixels square; first in the resources so
// the shell shows it for the program file.
inline constexpr const wchar_t* kAppIconName = L"MAINICON";
// The notification-area icon while a guide lets clicks through, at the same
// sizes.
inline constexpr const wchar_t* kClickThroughIconName = L"CLICKTHROUGH";
inline constexpr const wchar_t* kWaitingIconName = L"WAITING";

}  // namespace lumetra
