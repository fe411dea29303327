// The line and label keys: hostile values brought into bounds, automatic
// values kept as such, and files of users who never touch them left alone.
#include <gtest/gtest.h>

#include <string>

#include "settings/AppSettings.h"
#include "settings/CaseName.h"

namespace lumetra::test {
namespace {

struct LineLoadCase {
    const char* name;
    std::string body;  // lines of the Settings section
    std::int32_t lineWidth;
    bool halo;
    Color haloColor;
    std::int32_t labelSize;
};

class LineKeysLoad : public ::testing::TestWithParam<LineLoadCase> {};

TEST_P(LineKeysLoad, BringsEveryValueIntoBounds) {
    TSettings s(1920);
    s.LoadFromText("[Settings]\r\n" + GetParam().body, '.');
    EXPECT_EQ(s.LineWidth(), GetParam().lineWidth);
    EXPECT_EQ(s.Halo(), GetParam().halo);
    EXPECT_EQ(s.HaloColor(), GetParam().haloColor);
    EXPECT_EQ(s.LabelSize(), GetParam().labelSize);
}

INSTANTIATE_TEST_SUITE_P(
    Storage, LineKeysLoad,
    ::testing::Values(
        LineLoadCase{"MissingGivesFactory", "", 1, false, kAutoHaloColor, 11},
        LineLoadCase{"InRangeKept", "LineWidth=5\r\nHalo=1\r\nHaloColor=255\r\nLabelSize=16\r\n", 5, true, 255, 16},
        LineLoadCase{"ZeroWidthIsOne", "LineWidth=0\r\n", 1, false, kAutoHaloColor, 11},
        LineLoadCase{"NegativeWidthIsOne", "LineWidth=-3\r\n", 1, false, kAutoHaloColor, 11},
        LineLoadCase{"HugeWidthIsWidest", "LineWidth=1000\r\nLabelSize=1000\r\n", 8, false, kAutoHaloColor, 24},
        LineLoadCase{"ColourBeyondRgbIsAutomatic", "HaloColor=16777216\r\n", 1, false, kAutoHaloColor, 11},
        LineLoadCase{"NegativeColourIsAutomatic", "HaloColor=-5\r\n", 1, false, kAutoHaloColor, 11},
        LineLoadCase{"AutoWordsInAnyCase", "HaloColor=auto\r\nLabelSize=AUTO\r\n", 1, false, kAutoHaloColor,
                     kAutoLabelSize},
        LineLoadCase{"TinyLabelIsSmallest", "LabelSize=-3\r\n", 1, false, kAutoHaloColor, 8},
        LineLoadCase{"GarbageGivesFactory", "LineWidth=3px\r\nHalo=yes\r\nLabelSize=big\r\n", 1, false, kAutoHaloColor,
                     11}),
    CaseName<LineLoadCase>);

// What a save writes of the new keys, after the 26, into the given file.
struct LineSaveCase {
    const char* name;
    std::string before;
    void (*change)(TSettings&);
    std::string expectedTail;  // the file's text from "SFrame=" on
};

class LineKeysSave : public ::testing::TestWithParam<LineSaveCase> {};

TEST_P(LineKeysSave, WritesWhatMattersAfterTheOthers) {
    TSettings s(1920);
    GetParam().change(s);
    const std::string text = s.SaveToText(GetParam().before, '.');
    const auto tail = text.find("SFrame=");
    ASSERT_NE(tail, std::string::npos);
    EXPECT_EQ(text.substr(tail), GetParam().expectedTail);
}

INSTANTIATE_TEST_SUITE_P(
    Storage, LineKeysSave,
    ::testing::Values(LineSaveCase{"FactoryValuesNotWritten", "", [](TSettings&) {}, "SFrame=1\r\n"},
                      LineSaveCase{"ChangedValuesWritten", "",
                                   [](TSettings& s) {
                                       s.SetLineWidth(3);
                                       s.SetHalo(true);
                                       s.SetHaloColor(0x00FF00);
                                       s.SetLabelSize(16);
                                   },
                                   "SFrame=1\r\nLineWidth=3\r\nHalo=1\r\nHaloColor=65280\r\nLabelSize=16\r\n"},
                      LineSaveCase{"AutomaticSavedAsSuch", "", [](TSettings& s) { s.SetLabelSize(kAutoLabelSize); },
                                   "SFrame=1\r\nLabelSize=Auto\r\n"},
                      LineSaveCase{"KeyInTheFileKeptAtFactory", "[Settings]\r\nHaloColor=255\r\nLineWidth=4\r\n",
                                   [](TSettings& s) {
                                       s.SetHaloColor(kAutoHaloColor);
                                       s.SetLineWidth(1);
                                   },
                                   "SFrame=1\r\n"}),
    CaseName<LineSaveCase>);

TEST(LineKeys, FileOfTodayStaysByteForByte) {
    const TSettings written(1920);
    const std::string today = written.SaveToText("", '.');
    TSettings loaded(1920);
    loaded.LoadFromText(today, '.');
    EXPECT_EQ(loaded.SaveToText(today, '.'), today);
    EXPECT_EQ(loaded.SaveGuideToText(today, "Guide2", '.').find("LineWidth"), std::string::npos);
}

TEST(LineKeys, KeptKeysStayInPlaceAndGuideSectionsCarryThem) {
    TSettings s(1920);
    s.SetLineWidth(2);
    const std::string before = "[Settings]\r\nHaloColor=255\r\nLineWidth=4\r\n";
    const std::string text = s.SaveToText(before, '.');
    EXPECT_EQ(text.rfind("[Settings]\r\nHaloColor=Auto\r\nLineWidth=2\r\n", 0), 0u) << text;
    EXPECT_NE(s.SaveGuideToText("", "Guide2", '.').find("SFrame=1\r\nLineWidth=2\r\n"), std::string::npos);
}

TEST(LineKeys, RestoreDefaultsResetsThem) {
    TSettings s(1920);
    s.SetLineWidth(6);
    s.SetHalo(true);
    s.SetHaloColor(0x123456);
    s.SetLabelSize(20);
    s.RestoreDefaults();
    EXPECT_EQ(s.LineWidth(), 1);
    EXPECT_FALSE(s.Halo());
    EXPECT_EQ(s.HaloColor(), kAutoHaloColor);
    EXPECT_EQ(s.LabelSize(), 11);
}

}  // namespace
}  // namespace lumetra::test
