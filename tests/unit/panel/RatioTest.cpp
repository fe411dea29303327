// The ratio box: presets, typed values with the user's decimal separator, and
// what the box shows for a ratio set from anywhere.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "overlay/looks/Geometry.h"
#include "panel/PanelFixture.h"

namespace lumetra::test {
namespace {

constexpr int kTyped = -1;

struct TypedCase {
    const char* name;
    char separator;
    const char* text;
    double ratio;  // the factory ratio when the text is refused
};

class TypedRatioTest : public PanelTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedRatioTest, OnlyAcceptedValuesBecomeTheRatio) {
    const TypedCase& c = GetParam();
    platform.decimalSeparator = c.separator;
    StartPanel();
    const int looks = overlay.refreshLook;

    panel.RatioComboBoxSelect(kTyped, c.text);
    EXPECT_EQ(settings.Ratio(), c.ratio);
    EXPECT_EQ(overlay.refreshLook, looks + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Panel, TypedRatioTest,
    ::testing::Values(TypedCase{"Accepted", '.', "1.2", 1.2}, TypedCase{"JustBelowTheTop", '.', "3.09", 3.09},
                      TypedCase{"CommaSeparator", ',', "1,2", 1.2}, TypedCase{"BlanksAround", '.', " 0.8 ", 0.8},
                      TypedCase{"PlusSign", '.', "+0.8", 0.8}, TypedCase{"CloseToSquare", '.', "1.0005", InvPhi},
                      TypedCase{"TopBound", '.', "3.1", InvPhi}, TypedCase{"Zero", '.', "0", InvPhi},
                      TypedCase{"Negative", '.', "-1", InvPhi}, TypedCase{"TooThinToDraw", '.', "0.001", InvPhi},
                      TypedCase{"NotANumber", '.', "abc", InvPhi}, TypedCase{"Empty", '.', "", InvPhi},
                      TypedCase{"Infinite", '.', "inf", InvPhi}, TypedCase{"OtherLocalesPoint", ',', "1.2", InvPhi}),
    CaseName<TypedCase>);

TEST_F(TypedRatioTest, PresetsAreChosenByIndex) {
    StartPanel();
    panel.RatioComboBoxSelect(12, "Square 1 : 1");
    EXPECT_EQ(settings.Ratio(), 1.0);
    EXPECT_EQ(view.Selected(PanelList::Ratio), 12);
    panel.RatioComboBoxSelect(15, "2.39 : 1");
    EXPECT_EQ(settings.Ratio(), 0.41841004184100417);
}

TEST_F(TypedRatioTest, ATypedRatioIsAppendedAndCanBeChosenAgain) {
    platform.decimalSeparator = ',';
    StartPanel();
    panel.RatioComboBoxSelect(kTyped, "1,2");
    ASSERT_EQ(view.items[PanelList::Ratio].size(), 18u);
    EXPECT_EQ(view.items[PanelList::Ratio].back(), "1,2");
    EXPECT_EQ(view.ratioText, "1,2");

    panel.RatioComboBoxSelect(0, view.items[PanelList::Ratio][0]);
    panel.RatioComboBoxSelect(17, "1,2");
    EXPECT_EQ(settings.Ratio(), 1.2);
}

struct RefreshCase {
    const char* name;
    double ratio;
    int selected;
    std::vector<std::string> appended;
};

class RatioRefreshTest : public PanelTest, public ::testing::WithParamInterface<RefreshCase> {};

TEST_P(RatioRefreshTest, SelectsTheFirstCloseEnoughPresetOrShowsTheValue) {
    const RefreshCase& c = GetParam();
    StartPanel();
    settings.SetRatio(c.ratio);
    EXPECT_EQ(view.Selected(PanelList::Ratio), c.selected);
    const auto& items = view.items[PanelList::Ratio];
    const std::vector<std::string> appended(items.begin() + static_cast<long>(kRatioPresetCount), items.end());
    EXPECT_EQ(appended, c.appended);
}

INSTANTIATE_TEST_SUITE_P(
    Panel, RatioRefreshTest,
    ::testing::Values(RefreshCase{"NearGolden", 0.6185, 0, {}}, RefreshCase{"NearIsoA", 0.7075, 10, {}},
                      RefreshCase{"JustOutsideTolerance", 0.752, -1, {"0.752"}},
                      RefreshCase{"Custom", 1.2, -1, {"1.2"}},
                      RefreshCase{"FifteenDigits", 0.123456789012345678, -1, {"0.123456789012346"}},
                      RefreshCase{"Tiny", 0.000001234, -1, {"1.234E-6"}}),
    CaseName<RefreshCase>);

TEST_F(RatioRefreshTest, EveryRunWithoutAPresetAppendsTheValueAgain) {
    settings.SetRatio(1.2);  // loaded before the panel exists
    StartPanel();
    // The first one, made before the list had its presets, is overwritten
    // by the texts; the language reload adds two.
    const auto& items = view.items[PanelList::Ratio];
    ASSERT_EQ(items.size(), kRatioPresetCount + 2);
    EXPECT_EQ(items[0], "Golden 1 : 0.618");
    EXPECT_EQ(items[17], "1.2");
    EXPECT_EQ(items[18], "1.2");
    EXPECT_EQ(view.ratioText, "1.2");
    EXPECT_EQ(view.Selected(PanelList::Ratio), -1);
}

// Enter in the ratio box: what the box holds decides between the selected
// preset and the typed text.
struct EnterCase {
    const char* name;
    int selection;
    const char* selectedItem;
    const char* text;
    double ratio;
};

class RatioEnterTest : public PanelTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(RatioEnterTest, TypedTextWinsUnlessItReadsAsTheSelection) {
    const EnterCase& c = GetParam();
    StartPanel();
    panel.RatioComboBoxEnter(c.selection, c.selectedItem, c.text);
    EXPECT_EQ(settings.Ratio(), c.ratio);
}

INSTANTIATE_TEST_SUITE_P(Panel, RatioEnterTest,
                         ::testing::Values(EnterCase{"TheSelectionUnchanged", 12, "Square 1 : 1", "Square 1 : 1", 1.0},
                                           EnterCase{"TypedOverTheSelection", 12, "Square 1 : 1", "1.2", 1.2},
                                           EnterCase{"TypedWithNoSelection", -1, "", "0.8", 0.8},
                                           EnterCase{"RefusedTextKeepsTheRatio", 12, "Square 1 : 1", "abc", InvPhi}),
                         CaseName<EnterCase>);

}  // namespace
}  // namespace lumetra::test
