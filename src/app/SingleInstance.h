#pragma once
// One copy of the program per settings file: a second start hands over to
// the copy that runs already and ends. A portable copy and an installed one
// keep different files and so may run side by side.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ProgramCommands.h"

namespace lumetra {

// The name both the running copy and a second start derive from the
// settings file's path, for the system's named objects: letters, digits and
// '-' only, the same for every spelling of the path that Windows takes for
// the same file (letter case, '/' for '\').
std::string InstanceKey(std::string_view settingsFilePath);

// What asking for the named object that the running copy holds gave.
enum class InstanceLock {
    Created,  // no copy holds it
    Existed,  // a copy holds it
    Denied,   // a copy holds it whose access list keeps this start out (an elevated one of an older version)
    Failed,   // no answer at all (a name taken by another kind of object, no resources)
};

enum class StartAction {
    RunAlone,    // this start is the copy that runs
    HandOver,    // the running copy shows its guides and panel in front; this start ends
    EndQuietly,  // Windows restarted the program after an update while it runs already: nothing to show
};

// What a start does about another copy with the same settings file, from
// the lock and the command line. A lock that gave no answer lets this copy
// run rather than never start.
StartAction DecideStart(InstanceLock lock, const std::vector<std::string>& arguments);

// What the hand-over message asks of the running copy (its wParam). Fixed
// values: the installer sends them as numbers.
enum class HandOverRequest : std::uintptr_t {
    Present = 0,  // a second start: show the guides and the panel in front
    Close = 1,    // setup is about to replace the program: save and end
};

// The command a hand-over asks for; nothing for a request this version
// does not know.
std::optional<ProgramCommand> HandOverCommand(std::uintptr_t request);

}  // namespace lumetra
