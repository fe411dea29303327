#include "app/StartWithWindows.h"

#include "common/Text.h"

namespace lumetra {

namespace {

bool SamePath(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] == '/' ? '\\' : LowerAscii(a[i]);
        const char y = b[i] == '/' ? '\\' : LowerAscii(b[i]);
        if (x != y) return false;
    }
    return true;
}

bool IsFullPath(std::string_view path) {
    const bool drive = path.size() > 3 && LowerAscii(path[0]) >= 'a' && LowerAscii(path[0]) <= 'z' && path[1] == ':' &&
                       (path[2] == '\\' || path[2] == '/');
    const bool network = path.size() > 2 && path[0] == '\\' && path[1] == '\\';
    return drive || network;
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string RunCommandFor(std::string_view programPath) {
    if (!IsFullPath(programPath) || programPath.find('"') != std::string_view::npos ||
        programPath.size() + 2 > kMaxRunCommandLength) {
        return {};
    }
    return "\"" + std::string(programPath) + "\"";
}

bool RunCommandStarts(std::string_view runCommand, std::string_view programPath) {
    const std::string_view command = TrimBlanks(runCommand);
    if (command.empty() || programPath.empty()) return false;
    if (command.front() == '"') {
        const std::size_t close = command.find('"', 1);
        return close != std::string_view::npos && SamePath(command.substr(1, close - 1), programPath);
    }
    if (SamePath(command, programPath)) return true;
    return command.size() > programPath.size() &&
           (command[programPath.size()] == ' ' || command[programPath.size()] == '\t') &&
           SamePath(command.substr(0, programPath.size()), programPath);
}

StartWithWindowsBox StartWithWindowsShown(const std::optional<std::string>& runValue, std::string_view programPath) {
    return {runValue && RunCommandStarts(*runValue, programPath), !RunCommandFor(programPath).empty()};
}

RunValueChange StartWithWindowsChange(bool tick, const std::optional<std::string>& runValue,
                                      std::string_view programPath) {
    const std::string command = RunCommandFor(programPath);
    if (tick) return command.empty() || runValue == command ? RunValueChange::None : RunValueChange::Write;
    return runValue && RunCommandStarts(*runValue, programPath) ? RunValueChange::Remove : RunValueChange::None;
}

bool StartWithWindowsTick(std::string_view switchWord, const StartWithWindowsBox& shown) {
    if (switchWord == "toggle") return !shown.checked;
    return switchWord == "on";
}

}  // namespace lumetra
