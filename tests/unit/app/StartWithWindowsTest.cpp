// Starting with Windows: the Run value a copy writes, and what the check box
// shows and does for each value the registry may hold.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/StartWithWindows.h"

namespace lumetra::test {
namespace {

const std::string kProgram = R"(C:\Tools\Lumetra\Lumetra.exe)";

TEST(StartWithWindowsTest, WritesTheQuotedFullPathWindowsCanRun) {
    const std::string longest = "C:\\" + std::string(kMaxRunCommandLength - 2 - 3 - 4, 'x') + ".exe";
    const struct {
        std::string path;
        std::string command;
    } cases[] = {
        {R"(C:\Program Files\Velmora\Lumetra\Lumetra.exe)", R"("C:\Program Files\Velmora\Lumetra\Lumetra.exe")"},
        {R"(\\nas\apps\Lumetra.exe)", R"("\\nas\apps\Lumetra.exe")"},
        {longest, "\"" + longest + "\""},
        {"C:\\x" + longest.substr(3), ""},  // one character more than Windows takes
        {"Lumetra.exe", ""},
        {R"(C:Lumetra.exe)", ""},
        {R"(C:\a"b\Lumetra.exe)", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(RunCommandFor(c.path), c.command) << c.path;
}

TEST(StartWithWindowsTest, TheBoxShowsWhetherThisCopyStarts) {
    const struct {
        const char* name;
        std::optional<std::string> value;
        bool checked;
        RunValueChange onTick;
        RunValueChange onUntick;
    } cases[] = {
        {"no value", std::nullopt, false, RunValueChange::Write, RunValueChange::None},
        {"ours", R"("C:\Tools\Lumetra\Lumetra.exe")", true, RunValueChange::None, RunValueChange::Remove},
        {"ours, unquoted", kProgram, true, RunValueChange::Write, RunValueChange::Remove},
        {"ours, another spelling", R"("c:/tools/lumetra/LUMETRA.EXE")", true, RunValueChange::Write,
         RunValueChange::Remove},
        {"ours with an argument", R"("C:\Tools\Lumetra\Lumetra.exe" /show)", true, RunValueChange::Write,
         RunValueChange::Remove},
        {"ours unquoted with an argument", kProgram + " /show", true, RunValueChange::Write, RunValueChange::Remove},
        {"another copy", R"("D:\Portable\Lumetra\Lumetra.exe")", false, RunValueChange::Write, RunValueChange::None},
        {"a longer name", R"("C:\Tools\Lumetra\Lumetra.exe.old")", false, RunValueChange::Write, RunValueChange::None},
        {"a longer name, unquoted", kProgram + "x", false, RunValueChange::Write, RunValueChange::None},
        {"no closing quote", R"("C:\Tools\Lumetra\Lumetra.exe)", false, RunValueChange::Write, RunValueChange::None},
        {"empty", "", false, RunValueChange::Write, RunValueChange::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StartWithWindowsShown(c.value, kProgram), (StartWithWindowsBox{c.checked, true}));
        EXPECT_EQ(StartWithWindowsChange(true, c.value, kProgram), c.onTick);
        EXPECT_EQ(StartWithWindowsChange(false, c.value, kProgram), c.onUntick);
    }
    // A copy Windows could not start from its place offers nothing to tick.
    const std::string deep = "C:\\" + std::string(300, 'd') + "\\Lumetra.exe";
    EXPECT_EQ(StartWithWindowsShown(std::nullopt, deep), (StartWithWindowsBox{false, false}));
    EXPECT_EQ(StartWithWindowsChange(true, std::nullopt, deep), RunValueChange::None);
}

}  // namespace
}  // namespace lumetra::test
