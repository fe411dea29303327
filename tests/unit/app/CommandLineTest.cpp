// The command line: split as Windows splits it, read into a command for the
// running copy, and the file a /save names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace lumetra::test {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLineTest, SplitsAsTheSystemDoes) {
    const struct {
        const char* line;
        Words words;
    } cases[] = {
        {"Lumetra.exe /look 3", {"Lumetra.exe", "/look", "3"}},
        {R"("C:\Program Files\Lumetra.exe" /save "C:\My Shots\a.png")",
         {R"(C:\Program Files\Lumetra.exe)", "/save", R"(C:\My Shots\a.png)"}},
        // The program's name knows no backslash rule.
        {R"("C:\Tools\" /show)", {R"(C:\Tools\)", "/show"}},
        // The examples the runtime's documentation gives.
        {R"(x "abc" d e)", {"x", "abc", "d", "e"}},
        {R"(x a\\b d"e f"g h)", {"x", R"(a\\b)", "de fg", "h"}},
        {R"(x a\\\"b c d)", {"x", R"(a\"b)", "c", "d"}},
        {R"(x a\\\\"b c" d e)", {"x", R"(a\\b c)", "d", "e"}},
        {R"(x a"b"" c d)", {"x", R"(ab")", "c", "d"}},
        // A folder in quotes must double its last backslash, or the quote is kept.
        {R"(x /save "C:\Shots\\")", {"x", "/save", R"(C:\Shots\)"}},
        {R"(x /save "C:\Shots\")", {"x", "/save", R"(C:\Shots")"}},
        {" /show", {"", "/show"}},
        {"x\t/look\t \tnext   ", {"x", "/look", "next"}},
        {R"(x "" y)", {"x", "", "y"}},
        {R"(x "a b)", {"x", "a b"}},
        {"x \"C:\\Bilder\\M\xC3\xBCller\\\xC3\xBC.png\"", {"x", "C:\\Bilder\\M\xC3\xBCller\\\xC3\xBC.png"}},
        {"", {""}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
}

ParsedLine Start() { return {}; }

ParsedLine Command(LineCommandName name, std::string argument = {}, bool quiet = false) {
    return {ParsedLine::Kind::Command, quiet, {name, std::move(argument)}, CommandProblem::None, {}};
}

ParsedLine Bad(LineCommandName name, CommandProblem problem, std::string word = {}, bool quiet = false) {
    return {ParsedLine::Kind::Bad, quiet, {name, {}}, problem, std::move(word)};
}

TEST(ParseCommandLineTest, ReadsOnlyTheListedCommandsWithTheirArguments) {
    using enum LineCommandName;
    using enum CommandProblem;
    const struct {
        Words arguments;
        ParsedLine parsed;
    } cases[] = {
        {{}, Start()},
        {{"/uninstall"}, {ParsedLine::Kind::Uninstall, false, {}, CommandProblem::None, {}}},
        {{"/Uninstall"}, Start()},
        {{"/uninstall "}, Start()},
        {{"photo.png", "/uninstall"}, Start()},
        {{"/show"}, Command(Show)},
        {{"/HIDE"}, Command(Hide)},
        {{"/Toggle"}, Command(Toggle)},
        {{"/fit"}, Command(Fit)},
        {{"/follow"}, Command(Follow)},
        {{"/new"}, Command(New)},
        {{"/copy"}, Command(Copy)},
        {{"/settings"}, Command(Settings)},
        {{"/exit"}, Command(Exit)},
        {{"/clickthrough", "ON"}, Command(ClickThrough, "on")},
        {{"/clickthrough", "toggle"}, Command(ClickThrough, "toggle")},
        {{"/clickthrough", "maybe"}, Bad(ClickThrough, NotASwitch, "maybe")},
        {{"/clickthrough"}, Bad(ClickThrough, MissingArgument)},
        {{"/look", "07"}, Command(Look, "7")},
        {{"/look", "0"}, Command(Look, "0")},
        {{"/look", "Next"}, Command(Look, "next")},
        {{"/look", "Golden spiral"}, Command(Look, "Golden spiral")},
        {{"/look", "-1"}, Command(Look, "-1")},
        {{"/look", "19"}, Bad(Look, NoSuchLookNumber, "19")},
        {{"/look", "99999999999999999999"}, Bad(Look, NoSuchLookNumber, "99999999999999999999")},
        {{"/look", "3", "4"}, Bad(Look, UnexpectedArgument, "4")},
        {{"/save", "shot"}, Command(Save, R"(C:\Users\Ann\shot.png)")},
        {{"/save"}, Bad(Save, MissingArgument)},
        {{"/look", ""}, Bad(Look, MissingArgument)},
        {{"/save", "a|b"}, Bad(Save, UnfitFileName, "a|b")},
        // An unquoted folder with a blank: never half a name.
        {{"/save", R"(C:\My)", R"(Shots\a.png)"}, Bad(Save, UnexpectedArgument, R"(Shots\a.png)")},
        {{"/show", "now"}, Bad(Show, UnexpectedArgument, "now")},
        {{"/QUIET", "/exit"}, Command(Exit, {}, true)},
        {{"/quiet", "/look", "x", "y"}, Bad(Look, UnexpectedArgument, "y", true)},
        {{"/exit", "/quiet"}, Bad(Exit, UnexpectedArgument, "/quiet")},
        {{"/quiet"}, Start()},
        {{"/quiet", "/uninstall"}, Start()},
        {{"/showme"}, Start()},
        {{"show"}, Start()},
        {{"-show"}, Start()},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& word : c.arguments) line += "[" + word + "]";
        EXPECT_EQ(ParseCommandLine(c.arguments, R"(C:\Users\Ann)"), c.parsed) << line;
    }
}

TEST(SavePathForTest, NamesAFullPngPathOrNothing) {
    const char* const folder = R"(C:\Users\Ann\Pictures)";
    const struct {
        const char* argument;
        const char* currentFolder;
        const char* path;  // "" for none
    } cases[] = {
        {"shot.png", folder, R"(C:\Users\Ann\Pictures\shot.png)"},
        {"shot", folder, R"(C:\Users\Ann\Pictures\shot.png)"},
        {"Shot.PNG", folder, R"(C:\Users\Ann\Pictures\Shot.PNG)"},
        {"shot.jpg", folder, R"(C:\Users\Ann\Pictures\shot.jpg.png)"},
        {".png", folder, R"(C:\Users\Ann\Pictures\.png.png)"},
        {R"(..\a.png)", folder, R"(C:\Users\Ann\Pictures\..\a.png)"},
        {R"(D:\out\a.png)", folder, R"(D:\out\a.png)"},
        {"D:/out/a.png", folder, R"(D:\out\a.png)"},
        {R"(\out\a.png)", folder, R"(C:\out\a.png)"},
        {R"(\\nas\share\a.png)", folder, R"(\\nas\share\a.png)"},
        {"x", R"(C:\)", R"(C:\x.png)"},
        {"x", R"(\\nas\share\dir)", R"(\\nas\share\dir\x.png)"},
        {R"(\x)", R"(\\nas\share\dir)", R"(\\nas\share\x.png)"},
        {"", folder, ""},
        {"C:a.png", folder, ""},
        {"a?.png", folder, ""},
        {"a<b", folder, ""},
        {"a\"b", folder, ""},
        {"tab\tname", folder, ""},
        {"a.png:stream", folder, ""},
        {R"(D:\out\)", folder, ""},
        {R"(D:\)", folder, ""},
        {"..", folder, ""},
        {"a.", folder, ""},
        {"a ", folder, ""},
        {"CON", folder, ""},
        {"nul.png", folder, ""},
        {R"(D:\x\com1.png)", folder, ""},
        {"lpt9", folder, ""},
        {R"(\\nas)", folder, ""},
        {R"(\\nas\share)", folder, ""},
        {"shot", "", ""},
        {"shot", "relative", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SavePathFor(c.argument, c.currentFolder), c.path) << c.argument << " in " << c.currentFolder;
    }
    // Names that merely begin like a device are names.
    EXPECT_EQ(SavePathFor("console", folder), R"(C:\Users\Ann\Pictures\console.png)");
    EXPECT_EQ(SavePathFor("com10", folder), R"(C:\Users\Ann\Pictures\com10.png)");
}

}  // namespace
}  // namespace lumetra::test
