#include "app/CommandHandOver.h"

#include "lang/Format.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"

namespace lumetra {

namespace {

constexpr CommandProblem kLastProblem = CommandProblem::NotSaved;

}  // namespace

std::string PackCommand(const HandedCommand& command) {
    std::string block = command.currentFolder;
    block += '\0';
    for (const std::string& word : command.arguments) {
        block += word;
        block += '\0';
    }
    return block;
}

std::optional<HandedCommand> UnpackCommand(std::string_view block) {
    if (block.empty() || block.size() > kMaxCommandBlock || block.back() != '\0') return std::nullopt;
    HandedCommand command;
    std::size_t start = 0;
    bool folder = true;
    while (start < block.size()) {
        const std::size_t end = block.find('\0', start);
        const std::string_view word = block.substr(start, end - start);
        if (folder) {
            command.currentFolder = word;
            folder = false;
        } else {
            command.arguments.emplace_back(word);
        }
        start = end + 1;
    }
    return command;
}

std::intptr_t ReplyFor(CommandProblem problem) { return static_cast<std::intptr_t>(problem) + 1; }

std::optional<CommandProblem> ProblemOfReply(std::intptr_t reply) {
    if (reply < 1 || reply > static_cast<std::intptr_t>(kLastProblem) + 1) return std::nullopt;
    return static_cast<CommandProblem>(reply - 1);
}

std::intptr_t AnswerCommandBlock(std::string_view block,
                                 const std::function<CommandProblem(const LineCommand&)>& carryOut) {
    const std::optional<HandedCommand> handed = UnpackCommand(block);
    if (!handed) return 0;
    const ParsedLine parsed = ParseCommandLine(handed->arguments, handed->currentFolder);
    switch (parsed.kind) {
        case ParsedLine::Kind::Bad: return ReplyFor(parsed.problem);
        case ParsedLine::Kind::Command:
            if (CarriedOutByStarter(parsed.command.name)) return 0;
            return ReplyFor(carryOut(parsed.command));
        case ParsedLine::Kind::Start:
        case ParsedLine::Kind::Uninstall: break;
    }
    return 0;
}

CommandRoute RouteOf(const ParsedLine& parsed, InstanceLock lock) {
    if (parsed.kind != ParsedLine::Kind::Command) return CommandRoute::Report;
    const LineCommandName name = parsed.command.name;
    if (CarriedOutByStarter(name)) return CommandRoute::CarryOutHere;
    // A lock that gave no answer: this copy runs, as a plain start would.
    if (lock == InstanceLock::Existed || lock == InstanceLock::Denied) return CommandRoute::HandOver;
    return StartsProgram(name) ? CommandRoute::StartThenCarryOut : CommandRoute::NothingToDo;
}

std::string CommandProblemText(LineCommandName name, CommandProblem problem, std::string_view argument,
                               const LangTable& lang) {
    const std::string word(CommandWord(name));
    const std::string given(argument);
    switch (problem) {
        case CommandProblem::None: break;
        case CommandProblem::MissingArgument: return FormatTemplate(lang.Text(texts::MCommandMissingArgument), {word});
        case CommandProblem::UnexpectedArgument:
            return FormatTemplate(lang.Text(texts::MCommandUnexpectedArgument), {word, given});
        case CommandProblem::NotASwitch: return FormatTemplate(lang.Text(texts::MCommandNotASwitch), {word, given});
        case CommandProblem::NoSuchLookNumber:
        case CommandProblem::UnknownLook: return FormatTemplate(lang.Text(texts::MCommandNoSuchLook), {given});
        case CommandProblem::UnfitFileName: return FormatTemplate(lang.Text(texts::MCommandUnfitFileName), {given});
        case CommandProblem::GuidesHidden: return FormatTemplate(lang.Text(texts::MCommandGuidesHidden), {word});
        case CommandProblem::NotSaved: return FormatTemplate(lang.Text(texts::MFileNotWritten), {given});
    }
    return {};
}

}  // namespace lumetra
