// The size and grid fields: what typing, Enter, leaving the field and the
// spin buttons apply, and what a refresh puts back.
#include <gtest/gtest.h>

#include <string>

#include "panel/PanelFixture.h"

namespace lumetra::test {
namespace {

enum class Commit { Enter, Leave };

struct SizeCase {
    const char* name;
    bool lock;
    bool widthLeads;
    const char* typed;
    Commit commit;
    std::int32_t width;
    std::int32_t height;
    const char* shown;
};

class SizeCommitTest : public PanelTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(SizeCommitTest, AppliesTheTypedNumberOnlyWhenCommitted) {
    const SizeCase& c = GetParam();
    settings.SetLock(c.lock);
    settings.SetLockWidth(c.widthLeads);
    StartPanel();

    Type(PanelSpin::Size, c.typed);
    EXPECT_EQ(settings.Width(), 396) << "typing alone applies nothing";
    EXPECT_FALSE(panel.EditsLive());

    c.commit == Commit::Enter ? panel.SizeEditKeyDown(FieldKey::Enter) : panel.SizeEditExit();
    EXPECT_TRUE(panel.EditsLive());
    EXPECT_EQ(settings.Width(), c.width);
    EXPECT_EQ(settings.Height(), c.height);
    EXPECT_EQ(view.spinText[PanelSpin::Size], c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Panel, SizeCommitTest,
    ::testing::Values(SizeCase{"LockedWidth", true, true, "1000", Commit::Enter, 1000, 618, "1000"},
                      SizeCase{"LockedHeight", true, false, "500", Commit::Leave, 809, 500, "500"},
                      SizeCase{"Unlocked", false, true, "700", Commit::Leave, 700, 245, "700"},
                      // The spin keeps 0, the setter raises it to the minimum width.
                      SizeCase{"NegativeGoesToMinimum", false, true, "-5", Commit::Enter, 58, 245, "58"},
                      SizeCase{"JustBelowTwoScreens", false, true, "3839", Commit::Enter, 3839, 245, "3839"},
                      // Twice the 1920-pixel screen and more: nothing changes, the text stays.
                      SizeCase{"TwoScreensIgnored", true, true, "3840", Commit::Enter, 396, 245, "3840"},
                      SizeCase{"FarTooLargeIgnored", true, true, "4000", Commit::Leave, 396, 245, "4000"},
                      SizeCase{"BlanksAround", false, true, "  700 ", Commit::Enter, 700, 245, "700"}),
    CaseName<SizeCase>);

TEST_F(SizeCommitTest, ATextThatIsNoIntegerIsReportedAndNothingApplies) {
    StartPanel();
    for (const std::string text : {"abc", "", "12a", "1.5", "99999999999", "$10", "0x10", "+10", "- 10", "-"}) {
        Type(PanelSpin::Size, text);
        try {
            panel.SizeEditExit();
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid integer value");
        }
        EXPECT_TRUE(panel.EditsLive());
        EXPECT_EQ(settings.Width(), 396);
        EXPECT_EQ(settings.Height(), 245);
    }
}

TEST_F(SizeCommitTest, SpinClicksApplyAtOnceAndReapplyTheOverlaySize) {
    StartPanel();
    const int sizes = overlay.applySize;
    const int looks = overlay.refreshLook;
    // A spin click rewrites the edit while the field is live.
    view.spinText[PanelSpin::Size] = "397";
    panel.SizeEditChange();
    EXPECT_EQ(settings.Width(), 397);
    EXPECT_EQ(settings.Height(), 245);
    EXPECT_GT(overlay.applySize, sizes);
    EXPECT_GT(overlay.refreshLook, looks);
}

TEST_F(SizeCommitTest, ASizeChangedElsewhereShowsInTheFieldAndEndsThere) {
    StartPanel();
    Type(PanelSpin::Size, "12");  // a half-typed number is replaced
    settings.SetWidth(500);
    EXPECT_EQ(view.spinText[PanelSpin::Size], "500");
    EXPECT_EQ(settings.Width(), 500);

    panel.SizeEditExit();
    settings.SetWidth(5000);  // larger than the spin's range: shown clamped, not applied back
    EXPECT_EQ(view.spinText[PanelSpin::Size], "3840");
    EXPECT_EQ(settings.Width(), 5000);
}

TEST_F(SizeCommitTest, TheChoiceOfDimensionDecidesWhatTheFieldShowsAndSets) {
    settings.SetLock(false);
    StartPanel();
    panel.HeightRadioClick();
    EXPECT_FALSE(settings.LockWidth());
    EXPECT_FALSE(view.widthLeads);
    EXPECT_EQ(view.spinText[PanelSpin::Size], "245");

    Type(PanelSpin::Size, "300");
    panel.SizeEditKeyDown(FieldKey::Enter);
    EXPECT_EQ(settings.Height(), 300);
    EXPECT_EQ(settings.Width(), 396);

    panel.WidthRadioClick();
    EXPECT_TRUE(settings.LockWidth());
    EXPECT_EQ(view.spinText[PanelSpin::Size], "396");
}

TEST_F(SizeCommitTest, AClickOnTheCheckedRadioButtonChangesNothing) {
    StartPanel();
    Type(PanelSpin::Size, "123");  // typed, not yet applied
    panel.WidthRadioClick();       // the focus reaching the checked button
    EXPECT_TRUE(settings.LockWidth());
    EXPECT_EQ(view.spinText[PanelSpin::Size], "123");
}

TEST_F(SizeCommitTest, RestoringDefaultsShowsTheWidthAgain) {
    settings.SetLock(false);
    StartPanel();
    panel.HeightRadioClick();
    Type(PanelSpin::Size, "300");
    panel.SizeEditExit();

    panel.RestoreButtonClick();
    EXPECT_TRUE(view.widthLeads);
    EXPECT_TRUE(view.lock);
    EXPECT_EQ(view.spinText[PanelSpin::Size], "396");
    EXPECT_EQ(settings.Width(), 396);
    EXPECT_EQ(settings.Height(), 245);
}

struct GridCase {
    const char* name;
    const char* typed;
    std::int32_t gridSize;
    const char* shown;
};

class GridFieldTest : public PanelTest, public ::testing::WithParamInterface<GridCase> {};

TEST_P(GridFieldTest, EnterAppliesTheSpinPosition) {
    const GridCase& c = GetParam();
    StartPanel();
    Type(PanelSpin::GridSize, c.typed);
    EXPECT_EQ(settings.GridSize(), 8) << "typing alone applies nothing";
    const int looks = overlay.refreshLook;

    panel.GridSizeEditKeyDown(FieldKey::Enter);
    EXPECT_EQ(settings.GridSize(), c.gridSize);
    EXPECT_EQ(view.spinText[PanelSpin::GridSize], c.shown);
    EXPECT_GT(overlay.refreshLook, looks);
}

INSTANTIATE_TEST_SUITE_P(Panel, GridFieldTest,
                         ::testing::Values(GridCase{"Typed", "20", 20, "20"}, GridCase{"RaisedToThree", "1", 3, "3"},
                                           GridCase{"Largest", "32766", 32766, "32766"},
                                           // Text the spin cannot read keeps its position, and so the grid.
                                           GridCase{"NotANumber", "x", 8, "x"},
                                           GridCase{"OutOfSpinRange", "40000", 8, "40000"},
                                           GridCase{"Negative", "-4", 8, "-4"},
                                           GridCase{"HexadecimalIsNoNumber", "$10", 8, "$10"}),
                         CaseName<GridCase>);

TEST_F(GridFieldTest, AfterEnterChangesWaitUntilTheFieldIsLeft) {
    StartPanel();
    Type(PanelSpin::GridSize, "12");
    panel.GridSizeEditKeyDown(FieldKey::Enter);
    EXPECT_EQ(settings.GridSize(), 12);
    EXPECT_FALSE(panel.EditsLive());

    // A spin click now changes the text, but neither field is live.
    view.spinText[PanelSpin::GridSize] = "13";
    panel.GridSizeEditChange();
    view.spinText[PanelSpin::Size] = "400";
    panel.SizeEditChange();
    EXPECT_EQ(settings.GridSize(), 12);
    EXPECT_EQ(settings.Width(), 396);

    panel.GridSizeEditExit();
    EXPECT_TRUE(panel.EditsLive());
    EXPECT_EQ(settings.GridSize(), 13);
}

}  // namespace
}  // namespace lumetra::test
