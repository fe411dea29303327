#pragma once
// What the notification-area icon shows of the program: while any guide lets
// the mouse through, the icon is the way back, so it says so in its picture
// and its tip; while a guide that follows a picture has lost it, so does it.
#include <string>

#include "Version.h"  // generated in the build from cmake/Version.h.in
#include "app/ProgramCommands.h"

namespace lumetra {

class LangTable;

inline constexpr const char* kProgramName = kProductName;

struct TrayLook {
    bool clickThroughIcon = false;  // the see-through picture in place of the program's own
    std::string tip;                // the program's name, with the click-through and waiting marks
    bool waitingIcon = false;       // a guide waits for its picture: the waiting picture, which leads
    friend bool operator==(const TrayLook&, const TrayLook&) = default;
};

// The tip is cut to fit the system's buffer of tipCapacity UTF-16 units, its
// final zero included, at a character's end.
TrayLook TrayLookOf(const ProgramState& state, const LangTable& lang, std::size_t tipCapacity);

}  // namespace lumetra
