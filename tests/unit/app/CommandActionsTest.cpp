// What each command of the command line does to the guides: through the
// commands the icon's menu runs, on the guide used last, and nothing at all
// when it cannot be carried out.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CommandActions.h"
#include "app/Guides.h"
#include "lang/LangTable.h"
#include "overlay/lookfiles/LookLibrary.h"
#include "settings/AppSettings.h"

namespace lumetra::test {
namespace {

class RecordingTarget final : public ICommandTarget {
public:
    ProgramState State() const override { return {shown}; }
    void Run(ProgramCommand command) override { runs.push_back(command); }
    void ChooseUnits(std::int32_t) override {}
    bool SaveComposition(const std::string& path) override {
        saved.push_back(path);
        return saves;
    }

    bool shown = true;
    bool saves = true;
    std::vector<ProgramCommand> runs;
    std::vector<std::string> saved;
};

class CommandActionsTest : public ::testing::Test {
protected:
    CommandActionsTest() : guides(std::make_unique<TSettings>(1920)) {
        lang.Merge("MSLook0", "Grid");
        lang.Merge("MSLook5", "Golden spiral");
        library.guides.push_back({"cross.guide", {"Cross", {{"German", "Kreuz"}}, {}}});
        guides.Guide(0).SetUserLooks({"cross.guide"});
        guides.Add();  // the guide used last, a copy of the first
        guides.Guide(0).SetLookMode(2);
        guides.Guide(1).SetLookMode(2);
    }

    TGuideSet guides;
    LangTable lang;
    LookLibrary library;
    RecordingTarget target;
};

TEST_F(CommandActionsTest, RunsTheMenusCommandsWhereTheStateCallsForThem) {
    using enum LineCommandName;
    using P = ProgramCommand;
    const struct {
        LineCommandName name;
        bool shown;
        std::vector<ProgramCommand> runs;
        CommandProblem problem;
    } cases[] = {
        {Show, false, {P::ShowHide}, CommandProblem::None},  {Show, true, {}, CommandProblem::None},
        {Hide, true, {P::ShowHide}, CommandProblem::None},   {Hide, false, {}, CommandProblem::None},
        {Toggle, true, {P::ShowHide}, CommandProblem::None}, {Toggle, false, {P::ShowHide}, CommandProblem::None},
        {Fit, true, {P::Fit}, CommandProblem::None},         {Fit, false, {}, CommandProblem::GuidesHidden},
        {Follow, true, {P::Follow}, CommandProblem::None},   {New, true, {P::NewGuide}, CommandProblem::None},
        {New, false, {}, CommandProblem::GuidesHidden},      {Copy, true, {P::CopyComposition}, CommandProblem::None},
        {Copy, false, {}, CommandProblem::GuidesHidden},     {Settings, false, {P::Settings}, CommandProblem::None},
        {Exit, false, {P::Exit}, CommandProblem::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.name));
        target.shown = c.shown;
        target.runs.clear();
        EXPECT_EQ(CarryOut({c.name, {}}, guides, target, library, lang), c.problem);
        EXPECT_EQ(target.runs, c.runs);
        EXPECT_EQ(guides.Guide(1).LookMode(), 2) << "no look changed";
    }
}

TEST_F(CommandActionsTest, ClickThroughSetsEveryGuide) {
    const struct {
        const char* argument;
        bool first, second;  // before
        bool after;          // both guides
    } cases[] = {
        {"on", false, false, true},
        {"on", true, false, true},
        {"off", true, true, false},
        {"off", false, true, false},
        // As the hot key: on for all unless all have it already.
        {"toggle", true, false, true},
        {"toggle", false, false, true},
        {"toggle", true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.argument) + (c.first ? " first" : "") + (c.second ? " second" : ""));
        guides.Guide(0).SetClickThrough(c.first);
        guides.Guide(1).SetClickThrough(c.second);
        EXPECT_EQ(CarryOut({LineCommandName::ClickThrough, c.argument}, guides, target, library, lang),
                  CommandProblem::None);
        EXPECT_EQ(guides.Guide(0).ClickThrough(), c.after);
        EXPECT_EQ(guides.Guide(1).ClickThrough(), c.after);
    }
}

TEST_F(CommandActionsTest, LookChoosesForTheGuideUsedLast) {
    const struct {
        const char* argument;
        std::int32_t look;  // the guide used last's afterwards
        CommandProblem problem;
    } cases[] = {
        {"5", 5, CommandProblem::None},
        {"0", 0, CommandProblem::None},
        {"next", 3, CommandProblem::None},
        {"golden SPIRAL", 5, CommandProblem::None},
        {"Cross", kBuiltInLookCount, CommandProblem::None},
        {"cross.guide", kBuiltInLookCount, CommandProblem::None},
        {"CROSS", kBuiltInLookCount, CommandProblem::None},
        {"Kreuz", 2, CommandProblem::UnknownLook},  // another language's name
        {"Golden", 2, CommandProblem::UnknownLook},
        {"cross.gui", 2, CommandProblem::UnknownLook},
        {"", 2, CommandProblem::UnknownLook},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        guides.Guide(1).SetLookMode(2);
        EXPECT_EQ(CarryOut({LineCommandName::Look, c.argument}, guides, target, library, lang), c.problem);
        EXPECT_EQ(guides.Guide(1).LookMode(), c.look);
        EXPECT_EQ(guides.Guide(0).LookMode(), 2) << "the other guide keeps its look";
    }
    // The hidden guides change their look, as the look hot key changes it.
    target.shown = false;
    EXPECT_EQ(CarryOut({LineCommandName::Look, "0"}, guides, target, library, lang), CommandProblem::None);
    EXPECT_EQ(guides.Guide(1).LookMode(), 0);
}

TEST_F(CommandActionsTest, SaveHandsThePathOnAndTellsAFailure) {
    const std::string path = R"(C:\Shots\a.png)";
    const struct {
        const char* name;
        bool shown;
        bool saves;
        std::vector<std::string> saved;
        CommandProblem problem;
    } cases[] = {
        {"saved", true, true, {path}, CommandProblem::None},
        {"not written", true, false, {path}, CommandProblem::NotSaved},
        {"guides hidden", false, true, {}, CommandProblem::GuidesHidden},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        target.shown = c.shown;
        target.saves = c.saves;
        target.saved.clear();
        EXPECT_EQ(CarryOut({LineCommandName::Save, path}, guides, target, library, lang), c.problem);
        EXPECT_EQ(target.saved, c.saved);
    }
}

}  // namespace
}  // namespace lumetra::test
