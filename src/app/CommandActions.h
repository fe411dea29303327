#pragma once
// What each command of the command line does to the guides, through what the
// icon's menu and the hot keys use: on the guide used last, as they act.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/CommandLine.h"
#include "app/ProgramCommands.h"

namespace lumetra {

class LangTable;
class TGuideSet;
class TSettings;
struct LookLibrary;

// The windows' side of the commands, with the one the menu lacks.
class ICommandTarget : public IProgramCommands {
public:
    // The picture under the guide used last with the guide on top, as PNG;
    // false when it could not be taken or written.
    virtual bool SaveComposition(const std::string& path) = 0;
};

// The look a /look argument chooses for `guide`: "next" is -1; a number is
// that built-in look; a name is the first look whose shown name it is, then
// the guide file of that file name, ".guide" or not (ASCII case ignored).
// Nothing when no look has that name.
std::optional<std::int32_t> LookFor(std::string_view argument, const TSettings& guide, const LookLibrary& library,
                                    const LangTable& lang);

// Carries out a command from ParseCommandLine. A command with a problem
// changes nothing: a look no look has, a guide command (fit, follow, new,
// copy, save) while the guides are hidden, a picture that was not saved.
CommandProblem CarryOut(const LineCommand& command, TGuideSet& guides, ICommandTarget& target,
                        const LookLibrary& library, const LangTable& lang);

}  // namespace lumetra
