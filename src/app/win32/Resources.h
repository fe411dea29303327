#pragma once
// Names of the program's own resources.

namespace lumetra {

// The application icon, 32 x 32 and 16 x 16; first in the resources so the
// shell shows it for the program file.
inline constexpr const char* kAppIconName = "MAINICON";

}  // namespace lumetra
