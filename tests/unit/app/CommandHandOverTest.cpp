// A command from a second start to the copy that runs: the block it travels
// in, the answer that becomes the exit code, and where each start goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandHandOver.h"
#include "app/ProgramCommands.h"
#include "lang/LangTable.h"

namespace lumetra::test {
namespace {

using namespace std::string_literals;

TEST(CommandHandOverTest, TheBlockCarriesTheWordsAndFolderOrNothing) {
    const struct {
        const char* name;
        std::string block;
        std::optional<HandedCommand> handed;
    } cases[] = {
        {"folder and words", PackCommand({R"(C:\Users\Ann)", {"/look", "Golden spiral"}}),
         HandedCommand{R"(C:\Users\Ann)", {"/look", "Golden spiral"}}},
        {"an empty word stays a word", PackCommand({"C:\\", {"/look", ""}}), HandedCommand{"C:\\", {"/look", ""}}},
        {"UTF-8 as sent", PackCommand({"D:\\Фото", {"/save", "снимок"}}), HandedCommand{"D:\\Фото", {"/save", "снимок"}}},
        {"empty", "", std::nullopt},
        {"not ended by a zero", "C:\\\0/show"s, std::nullopt},
        {"larger than any command line", std::string(kMaxCommandBlock, 'a') + '\0', std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(UnpackCommand(c.block), c.handed) << c.name;
}

TEST(CommandHandOverTest, TheRunningCopyAnswersOnlyWhatItTakes) {
    const struct {
        const char* name;
        std::string block;
        bool carriedOut;
        std::optional<CommandProblem> answer;  // nothing: not taken, exit code 2
    } cases[] = {
        {"a command", PackCommand({"C:\\", {"/hide"}}), true, CommandProblem::None},
        {"a command that fails there", PackCommand({"C:\\", {"/look", "Nowhere"}}), true, CommandProblem::UnknownLook},
        {"checked again, as any program may send one", PackCommand({"C:\\", {"/look", "42"}}), false,
         CommandProblem::NoSuchLookNumber},
        {"a plain start", PackCommand({"C:\\", {"photo.png"}}), false, std::nullopt},
        {"the starter's own command", PackCommand({"C:\\", {"/startwithwindows", "on"}}), false, std::nullopt},
        {"a broken block", "/hide", false, std::nullopt},
    };
    for (const auto& c : cases) {
        bool ran = false;
        const std::intptr_t reply = AnswerCommandBlock(c.block, [&](const LineCommand& command) {
            ran = true;
            return command.name == LineCommandName::Look ? CommandProblem::UnknownLook : CommandProblem::None;
        });
        EXPECT_EQ(ran, c.carriedOut) << c.name;
        EXPECT_EQ(ProblemOfReply(reply), c.answer) << c.name;
    }
    // What an older copy, or any other window, answers.
    for (const std::intptr_t foreign : {std::intptr_t{0}, std::intptr_t{-1}, ReplyFor(CommandProblem::NotSaved) + 1}) {
        EXPECT_EQ(ProblemOfReply(foreign), std::nullopt) << foreign;
    }
}

TEST(CommandHandOverTest, EachStartGoesWhereItsCommandAndTheLockSay) {
    using enum InstanceLock;
    const auto parse = [](std::vector<std::string> words) { return ParseCommandLine(words, "C:\\"); };
    const struct {
        std::vector<std::string> words;
        InstanceLock lock;
        CommandRoute route;
    } cases[] = {
        {{"/hide"}, Existed, CommandRoute::HandOver},
        {{"/hide"}, Denied, CommandRoute::HandOver},  // an elevated copy still takes WM_COPYDATA
        {{"/hide"}, Created, CommandRoute::StartThenCarryOut},
        {{"/hide"}, Failed, CommandRoute::StartThenCarryOut},
        {{"/exit"}, Created, CommandRoute::NothingToDo},
        {{"/exit"}, Existed, CommandRoute::HandOver},
        {{"/startwithwindows", "on"}, Existed, CommandRoute::CarryOutHere},
        {{"/startwithwindows", "on"}, Created, CommandRoute::CarryOutHere},
        {{"/look", "99"}, Existed, CommandRoute::Report},
        {{"/startwithwindows", "yes"}, Created, CommandRoute::Report},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RouteOf(parse(c.words), c.lock), c.route) << c.words.front() << " lock " << static_cast<int>(c.lock);
    }
}

TEST(CommandHandOverTest, TheBoxNamesTheCommandAndTheWordAtFault) {
    LangTable lang;
    lang.Merge("MCommandMissingArgument", "%s needs an argument.");
    lang.Merge("MCommandUnexpectedArgument", "%s does not take \"%s\".");
    lang.Merge("MCommandNotASwitch", "%s: on, off or toggle, not %s");
    lang.Merge("MCommandNoSuchLook", "No look %s");
    lang.Merge("MCommandUnfitFileName", "Not a file: %s");
    lang.Merge("MCommandGuidesHidden", "Hidden: %s");
    lang.Merge("MFileNotWritten", "Unable to write to %s");
    using enum CommandProblem;
    using N = LineCommandName;
    const struct {
        N name;
        CommandProblem problem;
        const char* argument;
        const char* text;
    } cases[] = {
        {N::Look, MissingArgument, "", "/look needs an argument."},
        {N::Show, UnexpectedArgument, "now", "/show does not take \"now\"."},
        {N::ClickThrough, NotASwitch, "maybe", "/clickthrough: on, off or toggle, not maybe"},
        {N::StartWithWindows, NotASwitch, "yes", "/startwithwindows: on, off or toggle, not yes"},
        {N::Look, NoSuchLookNumber, "42", "No look 42"},
        {N::Look, UnknownLook, "Nowhere", "No look Nowhere"},
        {N::Save, UnfitFileName, "a|b", "Not a file: a|b"},
        {N::Fit, GuidesHidden, "", "Hidden: /fit"},
        {N::Save, NotSaved, R"(C:\x.png)", R"(Unable to write to C:\x.png)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandProblemText(c.name, c.problem, c.argument, lang), c.text) << c.text;
    }
    // A template of a hostile language file is shown, never filled wrongly.
    lang.Merge("MCommandNoSuchLook", "%d %s %s");
    EXPECT_EQ(CommandProblemText(N::Look, UnknownLook, "x", lang), "%d %s %s");
}

TEST(CommandHandOverTest, StartWithWindowsFollowsItsSwitchAndTheMenuOffersIt) {
    const struct {
        const char* word;
        bool checked;
        bool tick;
    } cases[] = {
        {"on", false, true}, {"on", true, true}, {"off", true, false}, {"toggle", true, false}, {"toggle", false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartWithWindowsTick(c.word, {c.checked, true}), c.tick) << c.word << " " << c.checked;
    }
    ProgramState state;
    state.startWithWindows = {true, false};
    const std::vector<MenuItem> menu = FullProgramMenu(state);
    ASSERT_EQ(menu.size(), ProgramMenu(state).size() + 1);
    EXPECT_EQ(menu.back().command, ProgramCommand::Exit);
    const MenuItem& item = menu[menu.size() - 2];
    EXPECT_EQ(item, (MenuItem{ProgramCommand::StartWithWindows, "MSStartWithWindows", true, false}));
}

}  // namespace
}  // namespace lumetra::test
