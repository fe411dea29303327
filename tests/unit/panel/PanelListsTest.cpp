// The panel's fixed tables: stored page numbers, colour entries, the
// advanced options and the language list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/PanelFixture.h"
#include "panel/PanelLists.h"

namespace lumetra::test {
namespace {

TEST(PanelPages, StoredNumbersOpenTheirPage) {
    const struct {
        std::int32_t sPage;
        int page;
    } cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, kNoPage}, {-1, kNoPage}, {INT32_MIN, kNoPage}};
    for (const auto& c : cases) EXPECT_EQ(PageFromSPage(c.sPage), c.page) << "SPage " << c.sPage;
}

TEST(PanelPages, TheShownPageIsStoredWithoutOne) {
    const struct {
        int page;
        std::int32_t sPage;
    } cases[] = {{0, 0}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {kNoPage, -1}, {5, -1}};
    for (const auto& c : cases) EXPECT_EQ(SPageFromPage(c.page), c.sPage) << "page " << c.page;
    EXPECT_EQ(SPageFromPage(PageFromSPage(1)), 2);
}

TEST(PanelColors, NamedColoursHaveTheirEntryAndOthersTheCustomOne) {
    const struct {
        Color color;
        int entry;
    } cases[] = {
        {Rgb(0, 0, 0), 1},        {Rgb(128, 0, 0), 2},      {Rgb(192, 192, 192), 9},  {Rgb(255, 0, 0), 10},
        {Rgb(0, 255, 255), 15},   {Rgb(255, 255, 255), 16}, {Rgb(192, 220, 192), 17}, {Rgb(166, 202, 240), 18},
        {Rgb(255, 251, 240), 19}, {Rgb(160, 160, 164), 20}, {kFactoryLinesColor, 0},  {kFactoryValuesColor, 0},
        {Rgb(0, 0, 1), 0},        {0x01000000, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ColorEntryFor(c.color), c.entry) << std::hex << c.color;
    EXPECT_STREQ(NamedColors()[0].name, "Black");
    EXPECT_STREQ(NamedColors()[16].name, "Money Green");
}

TEST(PanelLanguages, FileNamesLoseTheirExtension) {
    const struct {
        const char* file;
        const char* name;
    } cases[] = {{"English.lng", "English"},
                 {"Fran\xE7"
                  "ais.LNG",
                  "Fran\xE7"
                  "ais"},
                 {".lng", ""},
                 {"x", ""},
                 {"a.b.lng", "a.b"}};
    for (const auto& c : cases) EXPECT_EQ(LanguageFromFileName(c.file), c.name) << c.file;
}

class LanguageListTest : public PanelTest {};

TEST_F(LanguageListTest, TheListSelectsLangIgnoringCase) {
    const struct {
        const char* lang;
        int selected;
    } cases[] = {{"English", 0}, {"DEUTSCH", 1}, {"polski", 2}, {"Nederlands", -1}, {"", -1}};
    const std::vector<std::string> lngFiles{"English.lng", "Deutsch.lng", "Polski.lng"};
    StartPanel(lngFiles);
    for (const auto& c : cases) {
        panel.LangComboBoxChange(c.lang);
        EXPECT_EQ(settings.Lang(), c.lang);
        EXPECT_EQ(view.Selected(PanelList::Language), c.selected) << c.lang;
        panel.FillLanguages(lngFiles);
        EXPECT_EQ(view.Selected(PanelList::Language), c.selected) << c.lang << " after refilling";
    }
    EXPECT_EQ(view.items[PanelList::Language], (std::vector<std::string>{"English", "Deutsch", "Polski"}));
}

TEST_F(LanguageListTest, ToggledOptionReachesItsOwnSetterOnly) {
    StartPanel();
    for (int entry = 0; entry < kAdvancedOptionCount; ++entry) {
        AdvancedChecks checks = AdvancedOptions(settings);
        const AdvancedChecks before = checks;
        checks[static_cast<std::size_t>(entry)] = !checks[static_cast<std::size_t>(entry)];
        panel.AdvCheckListBoxClickCheck(checks);
        EXPECT_EQ(AdvancedOptions(settings), checks) << "entry " << entry;
        EXPECT_EQ(view.checks, checks) << "entry " << entry;
        panel.AdvCheckListBoxClickCheck(before);
    }
    // The entries in list order, as the settings name them.
    settings.SetMouseWheelAllowed(false);
    settings.SetSFrame(false);
    EXPECT_EQ(view.checks, (AdvancedChecks{true, false, true, true, false, false, true}));
}

}  // namespace
}  // namespace lumetra::test
