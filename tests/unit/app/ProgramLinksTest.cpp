#include "app/ProgramLinks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Version.h"
#include "app/FakeShell.h"

namespace lumetra::test {
namespace {

class SetClock final : public IInstallClock {
public:
    Ticks now = 0;
    Ticks installed = 0;
    Ticks Now() const override { return now; }
    Ticks InstalledAt() const override { return installed; }
};

TEST(ProgramLinks, EachButtonOpensItsPageWithTheDaysCountedAtTheClick) {
    FakeShell shell;
    SetClock clock;
    ProgramLinks links(shell, clock);
    const std::string query = std::string("?prd=lmt&v=") + kProgramVersion + "&d=";
    const struct {
        WebPage page;
        int daysInstalled;
        std::string opened;
    } cases[] = {
        {WebPage::Home, 0, "https://www.velmora.com/" + query + "0"},
        {WebPage::Service, 12, "https://www.velmora.com/we/service/" + query + "12"},
        {WebPage::Download, 400, "https://www.velmora.com/lumetra/download/" + query + "400"},
        {WebPage::Uninstall, 30, "https://www.velmora.com/we/service/uninstall/" + query + "30"},
    };
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        clock.now = clock.installed + c.daysInstalled * kTicksPerDay;
        links.OpenWebPage(c.page);
        expected.push_back(c.opened);
    }
    EXPECT_EQ(shell.opened, expected);
}

TEST(ProgramLinks, ADocumentGoesToTheShellUnchangedAndFallsBackToTheExplorer) {
    FakeShell shell;
    const SetClock clock;
    ProgramLinks links(shell, clock);
    links.Open("Manual\\index.html");
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"Manual\\index.html"}));
    EXPECT_TRUE(shell.commandLines.empty());

    shell.result = 2;  // ERROR_FILE_NOT_FOUND: the shell refused
    links.Open("Manual\\index.html");
    EXPECT_EQ(shell.commandLines, (std::vector<std::string>{"explorer.exe \"Manual\\index.html\""}));
}

}  // namespace
}  // namespace lumetra::test
