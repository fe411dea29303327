// How the panel follows the settings: creation, opacity, colours, look and
// orientation lists, and the localisation pass.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Version.h"
#include "panel/PanelFixture.h"
#include "panel/PanelLists.h"

namespace lumetra::test {
namespace {

TEST_F(PanelTest, CreationShowsTheStoredSettings) {
    settings.StorePanelState(1700, 30, true, 3);
    settings.SetLookMode(5);
    settings.SetOrientMode(2);
    settings.SetGridSize(12);
    settings.SetLinesColor(Rgb(255, 0, 0));
    StartPanel();

    EXPECT_EQ(view.position, (Point{1700, 30}));
    EXPECT_EQ(view.Selected(PanelList::Look), 5);
    EXPECT_EQ(view.Selected(PanelList::Orientation), 2);
    EXPECT_EQ(view.Selected(PanelList::Ratio), 0);
    EXPECT_EQ(view.Selected(PanelList::Language), 0);
    EXPECT_EQ(view.spinText[PanelSpin::Size], "396");
    EXPECT_EQ(view.spinText[PanelSpin::GridSize], "12");
    EXPECT_TRUE(view.widthLeads);
    EXPECT_TRUE(view.lock);
    EXPECT_EQ(view.colors[PanelColorBox::Lines].entry, 10);
    EXPECT_EQ(view.colors[PanelColorBox::Values].entry, 0);
    EXPECT_EQ(view.colors[PanelColorBox::Values].color, kFactoryValuesColor);
    EXPECT_EQ(view.opacity, 90);
    EXPECT_TRUE(view.hints);
    EXPECT_EQ(view.items[PanelList::Look].size(), static_cast<std::size_t>(kBuiltInLookCount));
    EXPECT_EQ(view.items[PanelList::Orientation].size(), 4u);
    EXPECT_EQ(view.items[PanelList::Advanced].size(), 7u);
    // Nothing the panel showed changed a setting.
    EXPECT_EQ(settings.Width(), 396);
    EXPECT_EQ(settings.GridSize(), 12);
    EXPECT_EQ(settings.LookMode(), 5);
}

TEST_F(PanelTest, OpacityBlendsThePanelOnlyWhenItTakesTheOverlaysOpacity) {
    const struct {
        bool settingsOpacity;
        std::int32_t opacity;
        std::optional<std::uint8_t> alpha;
    } cases[] = {{false, 30, std::nullopt}, {true, 100, std::nullopt}, {true, 90, 230}, {true, 30, 76}, {true, 0, 0},
                 {false, 100, std::nullopt}};
    StartPanel();
    for (const auto& c : cases) {
        panel.AdvCheckListBoxClickCheck([&] {
            AdvancedChecks checks = AdvancedOptions(settings);
            checks[4] = c.settingsOpacity;
            return checks;
        }());
        panel.OpacityTrackBarChange(c.opacity);
        EXPECT_EQ(settings.Opacity(), c.opacity);
        EXPECT_EQ(view.blending, c.alpha) << c.settingsOpacity << " " << c.opacity;
        EXPECT_EQ(view.opacity, c.opacity);
    }
}

TEST_F(PanelTest, ListsKeepOrDropTheirSelectionForValuesWithoutAnItem) {
    StartPanel();
    settings.SetLookMode(20);
    EXPECT_EQ(view.Selected(PanelList::Look), 1) << "an unknown look keeps the selection";
    settings.SetOrientMode(7);
    EXPECT_EQ(view.Selected(PanelList::Orientation), -1);

    panel.LookComboBoxChange(13);
    panel.OrientationComboBoxChange(3);
    EXPECT_EQ(settings.LookMode(), 13);
    EXPECT_EQ(settings.OrientMode(), 3);
}

TEST_F(PanelTest, RestoringDefaultsPutsBothColourPickersOnTheirCustomEntry) {
    StartPanel();
    panel.LinesColorBoxChange(Rgb(0, 0, 255));
    panel.ValuesColorBoxChange(Rgb(255, 255, 255));
    EXPECT_EQ(view.colors[PanelColorBox::Lines].entry, 13);
    EXPECT_EQ(view.colors[PanelColorBox::Values].entry, 16);

    panel.RestoreButtonClick();
    EXPECT_EQ(view.colors[PanelColorBox::Lines].entry, 0);
    EXPECT_EQ(view.colors[PanelColorBox::Lines].color, kFactoryLinesColor);
    EXPECT_EQ(view.colors[PanelColorBox::Values].entry, 0);
    EXPECT_EQ(view.colors[PanelColorBox::Values].color, kFactoryValuesColor);
}

TEST_F(PanelTest, TheLockBoxRederivesTheFollowingDimension) {
    settings.SetLock(false);
    StartPanel();
    Type(PanelSpin::Size, "500");
    panel.SizeEditExit();
    EXPECT_EQ(settings.Height(), 245);

    panel.LockCheckBoxClick(true);
    EXPECT_TRUE(view.lock);
    EXPECT_EQ(settings.Height(), 309);
}

TEST_F(PanelTest, TheTextsComeFromTheLanguageInPassOrder) {
    StartPanel();
    EXPECT_EQ(view.texts[PanelText::LogoLabel], std::string("Velmora Lumetra\nVersion ") + kProgramVersion);
    EXPECT_EQ(view.texts[PanelText::CopyrightLabel], "Copyright \xC2\xA9 Velmora. All rights reserved.");
    EXPECT_EQ(view.texts[PanelText::LookTab], "Look");
    EXPECT_EQ(view.texts[PanelText::MainTab], "MSMainTab") << "a missing text shows its key";
    const auto& ratios = view.items[PanelList::Ratio];
    EXPECT_EQ(ratios[0], "Golden 1 : 0.618");
    EXPECT_EQ(ratios[1], "Golden 1 : 1.618");
    EXPECT_EQ(ratios[12], "Square 1 : 1");
    EXPECT_EQ(ratios[16], "MSRat16");

    // The pass runs in the order of its table: the lock box last.
    const auto& order = view.textOrder;
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), "text " + std::to_string(static_cast<int>(PanelText::MainTab)));
    EXPECT_EQ(order.back(), "text " + std::to_string(static_cast<int>(PanelText::LockCheckBox)));
    EXPECT_GE(view.repaints, 1);
}

TEST_F(PanelTest, RatioTextsUseTheUsersDecimalSeparator) {
    platform.decimalSeparator = ',';
    platform.files[kExeFolder + "English.lng"] += "MSRat12=Square (%.2f)\r\nMSRat1=Golden\r\n";
    StartPanel();
    EXPECT_EQ(view.items[PanelList::Ratio][0], "Golden 1 : 0,618");
    EXPECT_EQ(view.items[PanelList::Ratio][12], "Square (0,62)");
    EXPECT_EQ(view.items[PanelList::Ratio][1], "Golden") << "a text without a directive stands as it is";
}

TEST_F(PanelTest, ChoosingALanguageRelabelsAndKeepsTheSelections) {
    StartPanel();
    settings.SetLookMode(0);
    panel.LangComboBoxChange("Deutsch");
    EXPECT_EQ(view.texts[PanelText::LookTab], "Ansicht");
    EXPECT_EQ(view.items[PanelList::Look][0], "Raster");
    EXPECT_EQ(view.items[PanelList::Look][1], "MSLook1");
    EXPECT_EQ(view.Selected(PanelList::Look), 0);
    EXPECT_EQ(view.Selected(PanelList::Ratio), 0);
    EXPECT_EQ(view.Selected(PanelList::Language), 1);

    // Back to English: its texts replace the German ones again.
    panel.LangComboBoxChange("English");
    EXPECT_EQ(view.texts[PanelText::LookTab], "Look");
    EXPECT_EQ(view.items[PanelList::Look][0], "Grid");
}

TEST_F(PanelTest, ALanguageWithoutAFileKeepsTheBaseTextsAndItsName) {
    StartPanel({"English.lng", "Deutsch.lng", "Klingon.lng"});
    panel.LangComboBoxChange("Klingon");
    EXPECT_EQ(view.texts[PanelText::LookTab], "Look");
    EXPECT_EQ(view.Selected(PanelList::Language), 2);
}

TEST_F(PanelTest, RebindShowsTheOtherGuideAndFollowsOnlyIt) {
    StartPanel();
    TSettings second(kScreenWidth);
    CountingOverlay secondOverlay;
    second.SetOverlay(&secondOverlay);
    second.SetLookMode(9);
    second.SetLockWidth(false);
    second.SetHeight(300);
    second.SetGridSize(20);
    second.SetRatio(1.2);
    second.SetShowValues(false);
    second.SetSFrame(false);
    panel.Rebind(second, secondOverlay);
    EXPECT_EQ(view.checks, AdvancedOptions(second));

    EXPECT_EQ(view.Selected(PanelList::Look), 9);
    EXPECT_FALSE(view.widthLeads);
    EXPECT_EQ(view.spinText[PanelSpin::Size], "300");
    EXPECT_EQ(view.spinText[PanelSpin::GridSize], "20");
    EXPECT_EQ(view.ratioText, "1.2");

    settings.SetLookMode(3);  // the guide no longer edited
    EXPECT_EQ(view.Selected(PanelList::Look), 9);
    second.SetLookMode(4);
    EXPECT_EQ(view.Selected(PanelList::Look), 4);

    // The panel's own changes reach the guide it edits and its overlay.
    const int looks = secondOverlay.refreshLook;
    panel.LookComboBoxChange(6);
    EXPECT_EQ(second.LookMode(), 6);
    EXPECT_EQ(settings.LookMode(), 3);
    EXPECT_GT(secondOverlay.refreshLook, looks);
}

TEST_F(PanelTest, CaptionNamesTheGuideOnceThereAreSeveral) {
    platform.files[kExeFolder + "English.lng"] += "MSCaption=Lumetra Settings\r\nMSGuideCaption=Guide %d of %d\r\n";
    StartPanel();
    const struct {
        int number, count;
        const char* caption;
    } cases[] = {
        {1, 1, "Lumetra Settings"}, {1, 2, "Guide 1 of 2"}, {3, 3, "Guide 3 of 3"}, {1, 1, "Lumetra Settings"}};
    for (const auto& c : cases) {
        const int repaints = view.repaints;
        panel.ShowGuideNumber(c.number, c.count);
        EXPECT_EQ(panel.CaptionText(), c.caption);
        EXPECT_GT(view.repaints, repaints) << c.caption;
    }
}

}  // namespace
}  // namespace lumetra::test
