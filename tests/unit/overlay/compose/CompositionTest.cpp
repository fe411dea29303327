#include "overlay/lookfiles/LookLibrary.h"
#include "overlay/compose/Composition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "lang/LangTable.h"
#include "settings/AppSettings.h"
#include "settings/CaseName.h"
#include "support/MiniXml.h"

namespace lumetra::test {
namespace {

constexpr std::uint32_t kKey = 0x00FE00FE;
constexpr std::uint32_t kLine = 0x00FF4040;
constexpr std::uint32_t kHalo = 0x00FFFFFF;
constexpr std::uint32_t kOpaque = 0xFF000000;

// A 4 x 3 screen of distinct pixels, with a stray alpha byte the copy must not keep.
std::vector<std::uint32_t> Screen() {
    std::vector<std::uint32_t> screen;
    for (std::uint32_t i = 0; i < 12; ++i) screen.push_back(0x11000000u | (0x010203u * (i + 1)));
    return screen;
}

TEST(Composition, TheGuideLiesOverTheScreenWhereItDrewAndNowhereElse) {
    const std::vector<std::uint32_t> screen = Screen();
    const std::uint32_t k = kKey;
    const struct {
        const char* name;
        std::vector<std::uint32_t> guide;  // 4 x 3
        std::vector<int> fromGuide;        // the pixels that show the guide
    } cases[] = {
        {"nothing drawn", std::vector<std::uint32_t>(12, k), {}},
        {"a line one pixel wide", {k, kLine, k, k, k, kLine, k, k, k, kLine, k, k}, {1, 5, 9}},
        {"a line three pixels wide",
         {kLine, kLine, kLine, k, kLine, kLine, kLine, k, kLine, kLine, kLine, k},
         {0, 1, 2, 4, 5, 6, 8, 9, 10}},
        {"a line with its halo",
         {kHalo, kLine, kHalo, k, kHalo, kLine, kHalo, k, kHalo, kLine, kHalo, k},
         {0, 1, 2, 4, 5, 6, 8, 9, 10}},
        {"the key with an alpha byte is still the key", {kKey | kOpaque, kLine, k, k, k, k, k, k, k, k, k, k}, {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint32_t> out = ComposeOverScreen({screen, 4, 3, 4}, {c.guide, 4, 3, 4}, kKey);
        ASSERT_EQ(out.size(), 12u);
        for (int i = 0; i < 12; ++i) {
            const bool guide = std::find(c.fromGuide.begin(), c.fromGuide.end(), i) != c.fromGuide.end();
            const std::uint32_t source =
                guide ? c.guide[static_cast<std::size_t>(i)] : screen[static_cast<std::size_t>(i)];
            EXPECT_EQ(out[static_cast<std::size_t>(i)], (source & 0x00FFFFFFu) | kOpaque) << "pixel " << i;
        }
        const std::vector<std::uint32_t> layer = GuideLayer({c.guide, 4, 3, 4}, kKey);
        ASSERT_EQ(layer.size(), 12u);
        for (int i = 0; i < 12; ++i) {
            const bool guide = std::find(c.fromGuide.begin(), c.fromGuide.end(), i) != c.fromGuide.end();
            const std::uint32_t want = guide ? (c.guide[static_cast<std::size_t>(i)] & 0x00FFFFFFu) | kOpaque : 0u;
            EXPECT_EQ(layer[static_cast<std::size_t>(i)], want) << "layer pixel " << i;
        }
    }
}

TEST(Composition, BlocksThatDoNotFitTogetherGiveNothing) {
    const std::vector<std::uint32_t> twelve(12, kLine);
    const std::vector<std::uint32_t> eleven(11, kLine);
    const struct {
        const char* name;
        PixelRows screen, guide;
        bool composed;
    } cases[] = {
        {"rows wider than the stride, read apart", {twelve, 2, 3, 4}, {twelve, 2, 3, 4}, true},
        {"other sizes", {twelve, 4, 3, 4}, {twelve, 3, 4, 3}, false},
        {"pixels run short", {eleven, 4, 3, 4}, {twelve, 4, 3, 4}, false},
        {"stride below the width", {twelve, 4, 3, 3}, {twelve, 4, 3, 3}, false},
        {"negative size", {twelve, -4, 3, 4}, {twelve, -4, 3, 4}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComposeOverScreen(c.screen, c.guide, kKey).empty(), !c.composed);
    }
}

TEST(Composition, FileNamesHoldNothingWindowsRefuses) {
    const struct {
        const char* look;
        std::string name;
    } cases[] = {
        {"Golden spiral", "Golden spiral 640x427.png"},
        {"A/B: \"thirds\" <v2>?*|\\", "A_B_ _thirds_ _v2_____ 640x427.png"},
        {"Tab\there", "Tab_here 640x427.png"},
        {"  Ends in dots... ", "Ends in dots 640x427.png"},
        {"...", "Lumetra 640x427.png"},
        {"", "Lumetra 640x427.png"},
        {"F\xFCnftel", "F\xFCnftel 640x427.png"},  // a letter of the code page stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.look);
        EXPECT_EQ(CompositionFileName(c.look, 640, 427, ".png"), c.name);
    }
}

TEST(Composition, TheNameTypedOrTheTypeListedDecidesTheFileType) {
    const std::string_view types[] = {"png", "svg"};
    const struct {
        const char* typed;
        std::size_t listed;
        SavedFile saved;
    } cases[] = {
        {"C:\\out\\guide", 0, {"C:\\out\\guide.png", 0}},
        {"C:\\out\\guide", 1, {"C:\\out\\guide.svg", 1}},
        {"C:\\out\\guide.svg", 0, {"C:\\out\\guide.svg", 1}},
        {"C:\\out\\guide.SVG", 0, {"C:\\out\\guide.SVG", 1}},
        {"C:\\out\\guide.jpg", 1, {"C:\\out\\guide.jpg.svg", 1}},
        {"C:\\v1.5\\guide", 0, {"C:\\v1.5\\guide.png", 0}},  // a dot in a folder is no extension
        {"C:\\out\\guide.", 0, {"C:\\out\\guide..png", 0}},
        {"C:\\out\\guide", 7, {"C:\\out\\guide.png", 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(ChooseFileType(c.typed, types, c.listed), c.saved);
    }
}

TEST(Composition, ThePictureRatioIsNamedWithinOnePercentAndGivenAsADecimalBeyond) {
    LangTable lang;
    lang.Merge("MPictureRatio", "%d x %d - %s (%s %%)");
    lang.Merge("MPictureRatioDecimal", "%d x %d - %s");
    lang.Merge("MPictureSize", "%d x %d");
    lang.Merge("MRatioGolden", "golden ratio");
    lang.Merge("MRatioASeries", "A-series paper");
    const struct {
        int width, height;
        char separator;
        std::string text;
    } cases[] = {
        {640, 427, '.', "640 x 427 - 3 : 2 (+0.08 %)"},
        {427, 640, '.', "427 x 640 - 2 : 3 (+0.08 %)"},
        {640, 427, ',', "640 x 427 - 3 : 2 (+0,08 %)"},
        {1000, 618, '.', "1000 x 618 - golden ratio (-0.01 %)"},
        {1920, 1080, '.', "1920 x 1080 - 16 : 9 (+0.00 %)"},
        {1414, 1000, '.', "1414 x 1000 - A-series paper (+0.02 %)"},
        {1400, 1000, '.', "1400 x 1000 - 7 : 5 (+0.00 %)"},
        {500, 500, '.', "500 x 500 - 1 : 1 (+0.00 %)"},
        {239, 100, '.', "239 x 100 - 2.39 : 1 (+0.00 %)"},
        {100, 239, '.', "100 x 239 - 1 : 2.39 (+0.00 %)"},
        {1486, 1000, '.', "1486 x 1000 - 3 : 2 (+0.94 %)"},  // just within 1 %
        {1485, 1000, '.', "1485 x 1000 - 1.49 : 1"},         // just beyond
        {1270, 1000, '.', "1270 x 1000 - 1.27 : 1"},
        {1000, 1270, ',', "1000 x 1270 - 1 : 1,27"},
        {5000, 1, '.', "5000 x 1 - 5000.00 : 1"},
        {0, 427, '.', "0 x 427"},
        {-3, -2, '.', "-3 x -2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        EXPECT_EQ(PictureRatioText(c.width, c.height, lang, c.separator), c.text);
    }
}

TEST(Composition, TheGuideLayerIsAnSvgOfTheMeasuredArea) {
    TSettings settings(1280);
    settings.SetLockWidth(true);
    settings.SetWidth(396);
    settings.SetLookMode(3);
    const LangTable lang;
    const std::string svg = GuideLayerSvg(settings, LookLibrary{}, lang);
    const test::XmlElement root = test::ParseXml(svg);  // strict: throws on any fault
    EXPECT_EQ(root.name, "svg");
    EXPECT_EQ(root.attributes.at("width"), std::to_string(settings.Width()));
    EXPECT_EQ(root.attributes.at("height"), std::to_string(settings.Height()));
    EXPECT_FALSE(root.All("line").empty() && root.All("path").empty()) << "the thirds drew nothing";
}

struct PhysicalSvgCase {
    const char* name;
    ExportDensity density;
    std::string width;
    std::string height;
};

class PhysicalGuideLayer : public ::testing::TestWithParam<PhysicalSvgCase> {};

TEST_P(PhysicalGuideLayer, HasItsTrueSizeWithTheViewBoxInPixels) {
    const PhysicalSvgCase& c = GetParam();
    TSettings settings(1280);
    settings.SetWidth(396);  // 396 x 245 with the golden ratio
    const test::XmlElement root = test::ParseXml(GuideLayerSvg(settings, LookLibrary{}, LangTable(), c.density));
    EXPECT_EQ(root.attributes.at("width"), c.width);
    EXPECT_EQ(root.attributes.at("height"), c.height);
    EXPECT_EQ(root.attributes.at("viewBox"), "12 28 396 245");
}

constexpr PixelDensity kEdid527{1920, 527 * kNanometresPerMillimetre};

INSTANTIATE_TEST_SUITE_P(Values, PhysicalGuideLayer,
                         ::testing::Values(PhysicalSvgCase{"DevicePixelsAsToday", {}, "396", "245"},
                                           PhysicalSvgCase{
                                               "ScaledPixelsStayPixels", {Unit::ScaledPixels}, "396", "245"},
                                           PhysicalSvgCase{"Millimetres", {Unit::Millimetres}, "104.8mm", "64.8mm"},
                                           PhysicalSvgCase{"EachSideItsOwnDensity",
                                                           {Unit::Millimetres, kEdid527, NominalDensity(192)},
                                                           "108.7mm",
                                                           "32.4mm"}),
                         CaseName<PhysicalSvgCase>);

}  // namespace
}  // namespace lumetra::test
