// The size field in the chosen unit: what it shows for the leading side,
// what a typed length sets in device pixels, the spin's one-pixel steps, and
// the units list.
#include <gtest/gtest.h>

#include <string>

#include "panel/PanelFixture.h"

namespace lumetra::test {
namespace {

class SizeUnitsTest : public PanelTest {
protected:
    SizeUnitsTest() {
        platform.files[kExeFolder + "English.lng"] +=
            "MSNotALength='%s' is not a length in %s.\r\nMUnitSymbol2=mm\r\nMUnitSymbol4=in\r\nMUnitSymbol5=pt\r\n"
            "MSUnit0=Device pixels\r\nMSUnit2=Millimeters\r\n";
    }

    // The monitor the guide is measured on: dpi pixels to the inch.
    void StartOn(std::int32_t dpi, Unit unit, std::int32_t width, char separator = '.') {
        platform.decimalSeparator = separator;
        overlay.dpi = dpi;
        overlay.across = NominalDensity(dpi);
        overlay.down = NominalDensity(dpi);
        settings.SetLock(false);
        settings.SetWidth(width);
        settings.SetUnits(static_cast<std::int32_t>(unit));
        StartPanel();
    }

    std::string Shown() { return view.spinText[PanelSpin::Size]; }
};

struct ShownCase {
    const char* name;
    Unit unit;
    std::int32_t dpi;
    std::int32_t width;
    char separator;
    const char* shown;
};

class SizeShown : public SizeUnitsTest, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(SizeShown, InTheUnitWithItsDecimals) {
    const ShownCase& c = GetParam();
    StartOn(c.dpi, c.unit, c.width, c.separator);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(view.spinPosition[PanelSpin::Size], c.width) << "the spin keeps device pixels";
}

INSTANTIATE_TEST_SUITE_P(Units, SizeShown,
                         ::testing::Values(ShownCase{"DevicePixelsAt144", Unit::DevicePixels, 144, 750, '.', "750"},
                                           ShownCase{"ScaledAt96", Unit::ScaledPixels, 96, 397, '.', "397"},
                                           ShownCase{"ScaledWholeAt144", Unit::ScaledPixels, 144, 750, '.', "500"},
                                           ShownCase{"ScaledTenthAt144", Unit::ScaledPixels, 144, 464, '.', "309.3"},
                                           ShownCase{"ScaledHalfAt192", Unit::ScaledPixels, 192, 397, ',', "198,5"},
                                           ShownCase{"MillimetresAt96", Unit::Millimetres, 96, 189, '.', "50.0"},
                                           ShownCase{"MillimetresDecimalComma", Unit::Millimetres, 96, 189, ',',
                                                     "50,0"},
                                           // 69.85 exactly: the half goes to the even neighbour.
                                           ShownCase{"MillimetresHalfAt144", Unit::Millimetres, 144, 396, '.', "69.8"},
                                           ShownCase{"MillimetresAt192", Unit::Millimetres, 192, 189, '.', "25.0"},
                                           ShownCase{"CentimetresAt96", Unit::Centimetres, 96, 396, '.', "10.48"},
                                           ShownCase{"InchesHalfAt96", Unit::Inches, 96, 396, '.', "4.12"},
                                           ShownCase{"InchesAt144", Unit::Inches, 144, 396, '.', "2.75"},
                                           ShownCase{"InchesAt192", Unit::Inches, 192, 396, '.', "2.06"},
                                           ShownCase{"PointsAt96", Unit::Points, 96, 396, '.', "297.0"},
                                           ShownCase{"PointsAt192", Unit::Points, 192, 396, ',', "148,5"},
                                           // The side is always 100 % of itself: device pixels.
                                           ShownCase{"PerCentKeepsPixels", Unit::PerCent, 144, 396, ',', "396"}),
                         CaseName<ShownCase>);

enum class Commit { Enter, Leave };

struct TypedCase {
    const char* name;
    Unit unit;
    std::int32_t dpi;
    char separator;
    const char* typed;
    Commit commit;
    std::int32_t width;  // 396: nothing set
    const char* shown;
};

class SizeTyped : public SizeUnitsTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(SizeTyped, SetsTheNearestDevicePixel) {
    const TypedCase& c = GetParam();
    StartOn(c.dpi, c.unit, 396, c.separator);
    Type(PanelSpin::Size, c.typed);
    EXPECT_EQ(settings.Width(), 396) << "typing alone applies nothing";
    c.commit == Commit::Enter ? panel.SizeEditKeyDown(FieldKey::Enter) : panel.SizeEditExit();
    EXPECT_EQ(settings.Width(), c.width);
    EXPECT_EQ(Shown(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Units, SizeTyped,
    ::testing::Values(
        TypedCase{"MillimetresAt96", Unit::Millimetres, 96, '.', "50", Commit::Enter, 189, "50.0"},
        TypedCase{"MillimetresWithSymbol", Unit::Millimetres, 96, '.', " 50.0 mm ", Commit::Leave, 189, "50.0"},
        TypedCase{"MillimetresDecimalComma", Unit::Millimetres, 96, ',', "104,8", Commit::Enter, 396, "104,8"},
        TypedCase{"MillimetresAt192", Unit::Millimetres, 192, '.', "52.4", Commit::Enter, 396, "52.4"},
        TypedCase{"ScaledAt144", Unit::ScaledPixels, 144, '.', "500", Commit::Enter, 750, "500"},
        TypedCase{"ScaledTenthAt144", Unit::ScaledPixels, 144, '.', "309.3", Commit::Enter, 464, "309.3"},
        // 601.5 and 604.5 device pixels: halves to the even neighbour.
        TypedCase{"ScaledHalfUp", Unit::ScaledPixels, 144, '.', "401", Commit::Enter, 602, "401.3"},
        TypedCase{"ScaledHalfDown", Unit::ScaledPixels, 144, '.', "403", Commit::Leave, 604, "402.7"},
        TypedCase{"CentimetresAt192", Unit::Centimetres, 192, '.', "2.54", Commit::Enter, 192, "2.54"},
        TypedCase{"InchesAt144", Unit::Inches, 144, ',', "2,5", Commit::Enter, 360, "2,50"},
        TypedCase{"PointsAt96", Unit::Points, 96, '.', "72", Commit::Enter, 96, "72.0"},
        TypedCase{"PointsAt192", Unit::Points, 192, '.', "100.1", Commit::Leave, 267, "100.1"},
        // Per cent leaves the field in device pixels.
        TypedCase{"PerCentTakesPixels", Unit::PerCent, 144, '.', "500", Commit::Enter, 500, "500"},
        // Below the spin's range: 0, raised to the minimum width.
        TypedCase{"NegativeGoesToMinimum", Unit::Millimetres, 96, '.', "-5", Commit::Enter, 58, "15.3"},
        // The spin ends below twice the 1920-pixel screen: 3839.2 is in it,
        // 3839.6 rounds to 3840 and is not.
        TypedCase{"JustBelowTwoScreens", Unit::Millimetres, 96, '.', "1015.8", Commit::Enter, 3839, "1015.7"},
        TypedCase{"TwoScreensIgnored", Unit::Millimetres, 96, '.', "1015.9", Commit::Enter, 396, "1015.9"}),
    CaseName<TypedCase>);

TEST_F(SizeUnitsTest, ATextThatIsNoLengthIsReportedAndNothingApplies) {
    StartOn(96, Unit::Millimetres, 396);
    for (const std::string text : {"abc", "", "  ", "12a", "1.2.3", "12 px", "5 in", "1,5", "--5", "0x10", "mm"}) {
        Type(PanelSpin::Size, text);
        try {
            panel.SizeEditExit();
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const NotALengthError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a length in mm.");
        }
        EXPECT_TRUE(panel.EditsLive());
        EXPECT_EQ(settings.Width(), 396) << text;
    }
}

// At 192 dpi a hundredth of an inch is 1.92 pixels: "2.09" shows 402 pixels
// but reads back as 401.
TEST_F(SizeUnitsTest, AFieldLeftAsShownSetsNothing) {
    StartOn(192, Unit::Inches, 402);
    ASSERT_EQ(Shown(), "2.09");
    panel.SizeEditKeyDown(FieldKey::Enter);
    EXPECT_EQ(settings.Width(), 402);
    panel.SizeEditExit();
    EXPECT_EQ(settings.Width(), 402);
    panel.SizeEditChange();  // a refresh rewriting the same text
    EXPECT_EQ(settings.Width(), 402);

    Type(PanelSpin::Size, "2.08");  // a length typed is read as any other
    panel.SizeEditExit();
    EXPECT_EQ(settings.Width(), 399);
}

TEST_F(SizeUnitsTest, TheSpinStepsOneDevicePixel) {
    StartOn(192, Unit::Inches, 402);
    const int sizes = overlay.applySize;
    EXPECT_TRUE(panel.SizeSpinStep(1));
    EXPECT_EQ(settings.Width(), 403);
    EXPECT_EQ(Shown(), "2.10");
    EXPECT_TRUE(panel.SizeSpinStep(1));
    EXPECT_EQ(settings.Width(), 404) << "a step the text does not show is taken all the same";
    EXPECT_EQ(Shown(), "2.10");
    EXPECT_EQ(view.spinPosition[PanelSpin::Size], 404);
    EXPECT_TRUE(panel.SizeSpinStep(-1));
    EXPECT_EQ(settings.Width(), 403);
    EXPECT_GT(overlay.applySize, sizes);
}

TEST_F(SizeUnitsTest, TheSpinStepsFromATypedLengthWithoutApplyingIt) {
    StartOn(96, Unit::Millimetres, 396);
    Type(PanelSpin::Size, "50");  // 189 pixels, typed, not yet applied
    EXPECT_TRUE(panel.SizeSpinStep(1));
    EXPECT_EQ(Shown(), "50.3");  // 190 pixels
    EXPECT_EQ(settings.Width(), 396) << "while typing, nothing applies";
    panel.SizeEditKeyDown(FieldKey::Enter);
    EXPECT_EQ(settings.Width(), 190);
}

TEST_F(SizeUnitsTest, InDevicePixelsTheSpinControlStepsByItself) {
    StartPanel();
    for (const Unit unit : {Unit::DevicePixels, Unit::PerCent}) {
        settings.SetUnits(static_cast<std::int32_t>(unit));
        EXPECT_FALSE(panel.SizeSpinStep(1));
        EXPECT_EQ(settings.Width(), 396);
        EXPECT_EQ(Shown(), "396");
    }
}

TEST_F(SizeUnitsTest, TheUnitsListChoosesTheUnitAndTheFieldFollows) {
    StartOn(96, Unit::DevicePixels, 189);
    EXPECT_EQ(view.items[PanelList::Units].size(), static_cast<std::size_t>(kUnitCount));
    EXPECT_EQ(view.items[PanelList::Units][2], "Millimeters");
    EXPECT_EQ(view.Selected(PanelList::Units), 0);

    panel.UnitsComboBoxChange(2);
    EXPECT_EQ(settings.Units(), 2);
    EXPECT_EQ(view.Selected(PanelList::Units), 2);
    EXPECT_EQ(Shown(), "50.0");

    for (const int index : {-1, kUnitCount}) {
        panel.UnitsComboBoxChange(index);
        EXPECT_EQ(settings.Units(), 2) << index;
    }
    settings.NextUnits();  // the U key on the guide
    EXPECT_EQ(view.Selected(PanelList::Units), 3);
    EXPECT_EQ(Shown(), "5.00");

    panel.LangComboBoxChange("Deutsch");  // relabelling keeps the selection
    EXPECT_EQ(view.Selected(PanelList::Units), 3);
}

TEST_F(SizeUnitsTest, TheFieldMeasuresAlongTheLeadingSide) {
    StartOn(96, Unit::Millimetres, 396);
    overlay.down = {100, 25 * kNanometresPerMillimetre};  // 4 pixels to the millimetre down
    panel.HeightRadioClick();
    ASSERT_EQ(settings.Height(), 245);
    EXPECT_EQ(Shown(), "61.2");  // 61.25: the half to the even neighbour
    Type(PanelSpin::Size, "50");
    panel.SizeEditExit();
    EXPECT_EQ(settings.Height(), 200);
    EXPECT_EQ(settings.Width(), 396);
}

}  // namespace
}  // namespace lumetra::test
