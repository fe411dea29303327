#pragma once
// A command on its way from a second start to the copy that runs: the words
// of the start's command line and its current folder travel as one block of
// data, the running copy parses them again (any program of the desktop may
// send it a block) and carries the command out on the guide used last, and
// the answer comes back as the message's result, so the second start can end
// with an exit code that tells how it went.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "app/SingleInstance.h"

namespace lumetra {

class LangTable;

// What the block's tag says: this program's command, in this layout.
inline constexpr std::uintptr_t kCommandBlockTag = 0x4C4D5431u;
// A block larger than any command line is not read.
inline constexpr std::size_t kMaxCommandBlock = 64 * 1024;

struct HandedCommand {
    std::string currentFolder;  // the second start's, for a relative /save file
    std::vector<std::string> arguments;
    friend bool operator==(const HandedCommand&, const HandedCommand&) = default;
};

// The folder, then each word, each ended by a zero byte (no UTF-8 text holds one).
std::string PackCommand(const HandedCommand& command);
// Nothing for a block that is empty, too large or not ended by a zero.
std::optional<HandedCommand> UnpackCommand(std::string_view block);

// The message's result for a command carried out with this outcome; never
// 0, which is what a window answers that does not take the block.
std::intptr_t ReplyFor(CommandProblem problem);
// The outcome a result tells; nothing when the copy did not take the command.
std::optional<CommandProblem> ProblemOfReply(std::intptr_t reply);

// The running copy's answer to a block: a listed command is carried out by
// `carryOut`; a bad one is refused unperformed; anything else, or a command
// the starting copy carries out itself, is not taken (0).
std::intptr_t AnswerCommandBlock(std::string_view block,
                                 const std::function<CommandProblem(const LineCommand&)>& carryOut);

// Where a start with a listed command (or a bad one) goes.
enum class CommandRoute {
    Report,             // a bad argument: told, nothing changes, nothing starts
    CarryOutHere,       // the starting copy does it and ends
    HandOver,           // the running copy does it; this start ends with its answer
    StartThenCarryOut,  // no copy runs: this one starts and then does it
    NothingToDo,        // /exit with no copy running
};

CommandRoute RouteOf(const ParsedLine& parsed, InstanceLock lock);

// The message box text for a command that changed nothing; `argument` is
// the word at fault, or the command's own argument for a problem the
// running copy found.
std::string CommandProblemText(LineCommandName name, CommandProblem problem, std::string_view argument,
                               const LangTable& lang);

}  // namespace lumetra
