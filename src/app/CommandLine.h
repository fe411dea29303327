#pragma once
// What a start of the program asks for: to start as ever, the uninstall
// farewell, or one command for the copy that runs (Lumetra.exe /COMMAND
// [argument], /quiet first to be told by the exit code alone). Scripts, stream
// decks and shortcuts drive the guides this way.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra {

// The words of a whole command line, the program's name first, split as the
// system's own splitter does (CommandLineToArgvW): blanks and tabs part the
// words outside quotes; quotes group and are dropped; 2n backslashes before a
// quote give n and the quote groups, 2n + 1 give n and a quote; other
// backslashes stay; a doubled quote inside quotes gives one and ends them; the
// program's name ends at its closing quote or first blank, backslashes and
// all; a line that begins with a blank has an empty name. Splitting here
// rather than taking the runtime's words gives every build (MinGW's and
// MSVC's runtimes differ) the same words, and UTF-8 splits exactly as the
// UTF-16 it came from: none of these characters is part of another.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// StartWithWindows is the installer's: the program it starts as the desktop
// user writes or removes that user's Run value.
enum class LineCommandName {
    Show,
    Hide,
    Toggle,
    ClickThrough,
    Fit,
    Follow,
    Look,
    New,
    Copy,
    Save,
    Settings,
    Exit,
    StartWithWindows
};

struct LineCommand {
    LineCommandName name = LineCommandName::Show;
    // ClickThrough, StartWithWindows: "on", "off" or "toggle". Look: "next", a built-in look's
    // number (no leading zeros) or a name as typed. Save: the file's full
    // path, ending in ".png". Empty for the others.
    std::string argument;
    friend bool operator==(const LineCommand&, const LineCommand&) = default;
};

// Why a command changes nothing.
enum class CommandProblem {
    None,
    MissingArgument,     // the command needs one
    UnexpectedArgument,  // the command takes none, or a second one came
    NotASwitch,          // /clickthrough with neither on, off nor toggle
    NoSuchLookNumber,    // digits beyond the built-in looks
    UnknownLook,         // no look or guide file has that name
    UnfitFileName,       // no file the picture could be saved to
    GuidesHidden,        // the guides are hidden, so there is nothing to act on
    NotSaved             // the picture could not be written
};

struct ParsedLine {
    enum class Kind { Start, Uninstall, Command, Bad };
    Kind kind = Kind::Start;
    bool quiet = false;   // no message box: the exit code tells
    LineCommand command;  // Command; for Bad, the command's name
    CommandProblem problem = CommandProblem::None;
    std::string badArgument;  // Bad: the word at fault, as typed
    friend bool operator==(const ParsedLine&, const ParsedLine&) = default;
};

// The words after the program's name. Only the first word is "/uninstall",
// in exactly that spelling; "/quiet" (any letter case) may come before a
// command; a command's name is one of the listed ones in any letter case,
// with exactly the arguments it takes. Anything else starts the program as
// ever. `currentFolder` is the starting copy's, for a relative /save file:
// the copy that runs has a folder of its own.
ParsedLine ParseCommandLine(const std::vector<std::string>& arguments, std::string_view currentFolder);

// The full path a /save argument names: relative to `currentFolder` (a
// folder's full path), "\name" on its drive. Anything but ".png" at the end
// gets ".png", the kind written. Empty when it names no file Windows could
// write: nothing, a folder, characters no file name holds, "C:name" (which
// means a folder only the starting copy knows), a device name (CON, NUL, ...)
// or a name ending in a blank or a dot.
std::string SavePathFor(std::string_view argument, std::string_view currentFolder);

// The built-in look that digits name (leading zeros allowed), or nothing.
std::optional<std::int32_t> BuiltInLookNumber(std::string_view digits);

// The process's exit codes for a start with a command.
inline constexpr int kCommandDone = 0;
inline constexpr int kCommandBadArgument = 1;
inline constexpr int kCommandNotReached = 2;  // no copy could be reached

int ExitCodeFor(CommandProblem problem);

// Whether a command with no copy running starts one to carry it out: /exit
// ends nothing then, and /startwithwindows needs no copy at all.
bool StartsProgram(LineCommandName name);

// Whether the starting copy carries the command out itself, whether or not
// another copy runs: the Run value is the user's, not a copy's.
bool CarriedOutByStarter(LineCommandName name);

// The command's word as the manual and the messages spell it ("/look").
std::string_view CommandWord(LineCommandName name);

}  // namespace lumetra
