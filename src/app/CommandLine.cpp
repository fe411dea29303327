#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/Startup.h"
#include "common/Text.h"
#include "common/Types.h"

namespace lumetra {

namespace {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program's name: quotes group, nothing escapes.
std::size_t SplitProgramName(std::string_view line, std::string& name) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        name = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        return close == std::string_view::npos ? line.size() : close + 1;
    }
    while (i < line.size() && !IsBlank(line[i])) ++i;
    name = line.substr(0, i);
    return i;
}

// One word from `i`, which is not a blank; returns where it ends.
std::size_t SplitWord(std::string_view line, std::size_t i, std::string& word) {
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
        if (line[i] == '\\') {
            const std::size_t end = line.find_first_not_of('\\', i);
            const std::size_t count = (end == std::string_view::npos ? line.size() : end) - i;
            if (end != std::string_view::npos && line[end] == '"') {
                word.append(count / 2, '\\');
                if (count % 2 == 1) word += '"';
                i = end + count % 2;  // an even run leaves the quote to group
            } else {
                word.append(count, '\\');
                i += count;
            }
        } else if (line[i] == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                word += '"';
                ++i;
            }
            quoted = !quoted;
            ++i;
        } else {
            word += line[i++];
        }
    }
    return i;
}

bool IsNumber(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

enum class Operand { None, Switch, Look, File };

struct ListedCommand {
    std::string_view word;
    LineCommandName name;
    Operand operand;
};

constexpr std::array<ListedCommand, 13> kCommandWords{{
    {"/show", LineCommandName::Show, Operand::None},
    {"/hide", LineCommandName::Hide, Operand::None},
    {"/toggle", LineCommandName::Toggle, Operand::None},
    {"/clickthrough", LineCommandName::ClickThrough, Operand::Switch},
    {"/fit", LineCommandName::Fit, Operand::None},
    {"/follow", LineCommandName::Follow, Operand::None},
    {"/look", LineCommandName::Look, Operand::Look},
    {"/new", LineCommandName::New, Operand::None},
    {"/copy", LineCommandName::Copy, Operand::None},
    {"/save", LineCommandName::Save, Operand::File},
    {"/settings", LineCommandName::Settings, Operand::None},
    {"/exit", LineCommandName::Exit, Operand::None},
    {"/startwithwindows", LineCommandName::StartWithWindows, Operand::Switch},
}};

constexpr std::string_view kQuietWord = "/quiet";

ParsedLine Bad(LineCommandName name, CommandProblem problem, std::string_view argument, bool quiet) {
    ParsedLine bad;
    bad.kind = ParsedLine::Kind::Bad;
    bad.quiet = quiet;
    bad.command.name = name;
    bad.problem = problem;
    bad.badArgument = argument;
    return bad;
}

// The argument as the command keeps it, or the problem with it.
CommandProblem Normalise(Operand operand, std::string_view argument, std::string_view currentFolder,
                         std::string& normalised) {
    switch (operand) {
        case Operand::None: break;
        case Operand::Switch:
            for (const std::string_view choice : {"on", "off", "toggle"}) {
                if (EqualsIgnoringAsciiCase(argument, choice)) normalised = choice;
            }
            return normalised.empty() ? CommandProblem::NotASwitch : CommandProblem::None;
        case Operand::Look:
            if (EqualsIgnoringAsciiCase(argument, "next")) {
                normalised = "next";
            } else if (IsNumber(argument)) {
                const std::optional<std::int32_t> number = BuiltInLookNumber(argument);
                if (!number) return CommandProblem::NoSuchLookNumber;
                normalised = std::to_string(*number);
            } else {
                normalised = argument;
            }
            return CommandProblem::None;
        case Operand::File:
            normalised = SavePathFor(argument, currentFolder);
            return normalised.empty() ? CommandProblem::UnfitFileName : CommandProblem::None;
    }
    return CommandProblem::None;
}

bool IsDrivePrefix(std::string_view path) {
    return path.size() >= 2 && LowerAscii(path[0]) >= 'a' && LowerAscii(path[0]) <= 'z' && path[1] == ':';
}

// "C:" of a drive path, "\\server\share" of a network one; nothing otherwise.
std::string_view RootOf(std::string_view folder) {
    if (IsDrivePrefix(folder) && folder.size() >= 3 && folder[2] == '\\') return folder.substr(0, 2);
    if (folder.size() > 2 && folder[0] == '\\' && folder[1] == '\\') {
        const std::size_t server = folder.find('\\', 2);
        if (server == std::string_view::npos || server == 2) return {};
        const std::size_t share = folder.find('\\', server + 1);
        if (share == server + 1) return {};
        return folder.substr(0, share);
    }
    return {};
}

// A file's path joined to the folder a relative one starts from; empty for
// "C:name", and for a relative path without a full folder.
std::string Joined(std::string_view path, std::string_view currentFolder) {
    if (IsDrivePrefix(path)) return std::string(path.size() >= 3 && path[2] == '\\' ? path : "");
    if (path.starts_with("\\\\")) return std::string(path);
    const std::string_view root = RootOf(currentFolder);
    if (root.empty()) return {};
    if (path.front() == '\\') return std::string(root).append(path);
    std::string folder(currentFolder);
    if (folder.back() != '\\') folder += '\\';
    return folder.append(path);
}

bool IsDeviceName(std::string_view fileName) {
    const std::string_view stem = fileName.substr(0, fileName.find('.'));
    for (const std::string_view device : {"con", "prn", "aux", "nul"}) {
        if (EqualsIgnoringAsciiCase(stem, device)) return true;
    }
    return stem.size() == 4 &&
           (EqualsIgnoringAsciiCase(stem.substr(0, 3), "com") || EqualsIgnoringAsciiCase(stem.substr(0, 3), "lpt")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

bool HasUnfitCharacter(std::string_view path) {
    return std::any_of(path.begin(), path.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || std::string_view("<>\"|?*").find(c) != std::string_view::npos;
    });
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words(1);
    std::size_t i = SplitProgramName(commandLine, words.front());
    while (true) {
        while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
        if (i == commandLine.size()) return words;
        i = SplitWord(commandLine, i, words.emplace_back());
    }
}

std::string SavePathFor(std::string_view argument, std::string_view currentFolder) {
    std::string given(argument);
    std::replace(given.begin(), given.end(), '/', '\\');
    if (given.empty()) return {};
    std::string path = Joined(given, currentFolder);
    if (path.empty() || HasUnfitCharacter(path)) return {};
    const bool fromDrive = IsDrivePrefix(path);
    if (path.find(':', fromDrive ? 2 : 0) != std::string::npos) return {};
    if (!fromDrive) {
        const std::size_t root = RootOf(path).size();
        if (root == 0 || root + 1 >= path.size()) return {};  // no file below a share
    }
    const std::string_view fileName = std::string_view(path).substr(path.rfind('\\') + 1);
    if (fileName.empty() || fileName.back() == '.' || fileName.back() == ' ' || IsDeviceName(fileName)) return {};
    constexpr std::string_view kPng = ".png";
    if (fileName.size() <= kPng.size() ||
        !EqualsIgnoringAsciiCase(fileName.substr(fileName.size() - kPng.size()), kPng)) {
        path += kPng;
    }
    return path;
}

ParsedLine ParseCommandLine(const std::vector<std::string>& arguments, std::string_view currentFolder) {
    ParsedLine parsed;
    if (arguments.empty()) return parsed;
    if (arguments.front() == kUninstallArgument) {
        parsed.kind = ParsedLine::Kind::Uninstall;
        return parsed;
    }
    const bool quiet = EqualsIgnoringAsciiCase(arguments.front(), kQuietWord);
    const std::size_t first = quiet ? 1 : 0;
    if (first >= arguments.size()) return parsed;
    const auto word = std::find_if(kCommandWords.begin(), kCommandWords.end(), [&](const ListedCommand& command) {
        return EqualsIgnoringAsciiCase(arguments[first], command.word);
    });
    if (word == kCommandWords.end()) return parsed;

    const std::size_t operands = arguments.size() - first - 1;
    const std::size_t wanted = word->operand == Operand::None ? 0 : 1;
    if (operands > wanted)
        return Bad(word->name, CommandProblem::UnexpectedArgument, arguments[first + 1 + wanted], quiet);
    const std::string_view argument = wanted == 1 && operands == 1 ? std::string_view(arguments[first + 1]) : "";
    // An empty one ("") is as good as none.
    if (wanted == 1 && argument.empty()) return Bad(word->name, CommandProblem::MissingArgument, {}, quiet);
    std::string normalised;
    if (const CommandProblem problem = Normalise(word->operand, argument, currentFolder, normalised);
        problem != CommandProblem::None) {
        return Bad(word->name, problem, argument, quiet);
    }
    parsed.kind = ParsedLine::Kind::Command;
    parsed.quiet = quiet;
    parsed.command = {word->name, std::move(normalised)};
    return parsed;
}

std::optional<std::int32_t> BuiltInLookNumber(std::string_view digits) {
    if (!IsNumber(digits)) return std::nullopt;
    const std::string_view significant = digits.substr(std::min(digits.find_first_not_of('0'), digits.size() - 1));
    if (significant.size() > 2) return std::nullopt;
    const std::int32_t number = std::stoi(std::string(significant));
    return number < kBuiltInLookCount ? std::optional<std::int32_t>(number) : std::nullopt;
}

int ExitCodeFor(CommandProblem problem) { return problem == CommandProblem::None ? kCommandDone : kCommandBadArgument; }

bool StartsProgram(LineCommandName name) {
    return name != LineCommandName::Exit && !CarriedOutByStarter(name);
}

bool CarriedOutByStarter(LineCommandName name) { return name == LineCommandName::StartWithWindows; }

std::string_view CommandWord(LineCommandName name) {
    for (const ListedCommand& command : kCommandWords) {
        if (command.name == name) return command.word;
    }
    return {};
}

}  // namespace lumetra
