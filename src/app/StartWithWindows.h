#pragma once
// Starting with Windows: the per-user Run value by which Windows starts a
// copy of the program at sign-in, and what the check box on the panel and in
// the icon's menu shows of it. The value is the truth, not a setting: the
// user may remove it elsewhere (Task Manager, the registry, a cleaner), and
// an installed and a portable copy share it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/StartWithWindowsBox.h"

namespace lumetra {

// Under HKEY_CURRENT_USER: the user's own, so no elevation is needed, and an
// elevated installer run by another account never writes it.
inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// One value for the program, whichever copy wrote it: one copy starts.
inline constexpr const char* kRunValueName = "Velmora Lumetra";
// Windows takes a Run command line of at most this many characters.
inline constexpr std::size_t kMaxRunCommandLength = 260;

// The command line this copy writes: its full path in quotes and nothing
// else, so a start at sign-in is a start like any other. Empty when Windows
// could not run it from there: not a full path, a quote in it, or longer
// than kMaxRunCommandLength.
std::string RunCommandFor(std::string_view programPath);

// Whether a Run command line starts the program at `programPath`: its quoted
// first word, or unquoted the whole line or the part before arguments, is
// that path (Windows' way of comparing: ASCII letter case and '/' for '\'
// ignored).
bool RunCommandStarts(std::string_view runCommand, std::string_view programPath);

// The box for the value there is now (nothing: no value). Ticked only when
// the value starts this copy: a value that starts another copy leaves it
// unticked, since this one does not start with Windows, and ticking it makes
// this copy the one that does. Greyed when this copy cannot be a Run command.
StartWithWindowsBox StartWithWindowsShown(const std::optional<std::string>& runValue, std::string_view programPath);

enum class RunValueChange { None, Write, Remove };

// What a click on the box does, to the value read again at the click.
// Ticking writes this copy's command unless exactly it is there. Unticking
// removes the value only while it starts this copy: another copy's start
// stays another copy's.
RunValueChange StartWithWindowsChange(bool tick, const std::optional<std::string>& runValue,
                                      std::string_view programPath);

// Whether a /startwithwindows switch ("on", "off" or "toggle") ticks the box
// that shows now.
bool StartWithWindowsTick(std::string_view switchWord, const StartWithWindowsBox& shown);

}  // namespace lumetra
