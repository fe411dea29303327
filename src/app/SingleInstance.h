#pragma once
// One copy of the program per settings file: a second start hands over to
// the copy that runs already and ends. A portable copy and an installed one
// keep different files and so may run side by side.
#include <string>
#include <string_view>

namespace lumetra {

// The name both the running copy and a second start derive from the
// settings file's path, for the system's named objects: letters, digits and
// '-' only, the same for every spelling of the path that Windows takes for
// the same file (letter case, '/' for '\').
std::string InstanceKey(std::string_view settingsFilePath);

}  // namespace lumetra
