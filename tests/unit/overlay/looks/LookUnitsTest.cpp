// The read-outs in the unit the user chose: division labels, segment sizes,
// step texts and the size read-out, on the example overlay; and R's notice.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "overlay/compose/Composition.h"
#include "overlay/looks/Lengths.h"
#include "support/LookExamples.h"

namespace lumetra::test {
namespace {

using ::testing::IsSupersetOf;

LangTable UnitTexts() {
    LangTable lang;
    lang.Merge("MWidthHeight", "%d x %d");
    lang.Merge("MWidthHeightUnit", "%s × %s %s");
    lang.Merge("MPictureRatio", "%d x %d - %s (%s %%)");
    lang.Merge("MPictureRatioDecimal", "%d x %d - %s");
    lang.Merge("MPictureRatioUnit", "%s × %s %s - %s (%s %%)");
    lang.Merge("MPictureRatioDecimalUnit", "%s × %s %s - %s");
    lang.Merge("MRatioGolden", "golden ratio");
    const char* symbols[] = {"px", "px", "mm", "cm", "in", "pt"};
    for (int i = 0; i < 6; ++i) lang.Merge("MUnitSymbol" + std::to_string(i), symbols[i]);
    return lang;
}

std::vector<std::string> AllTexts(const RecordingCanvas& canvas) {
    std::vector<std::string> all = canvas.TextStrings();
    const std::vector<std::string> boxed = canvas.BoxTextStrings();
    all.insert(all.end(), boxed.begin(), boxed.end());
    return all;
}

LookUnits In(Unit unit, std::int32_t dpi = 96, char separator = '.') {
    LookUnits units;
    units.unit = unit;
    units.dpi = dpi;
    units.across = NominalDensity(dpi);
    units.down = NominalDensity(dpi);
    units.decimalSeparator = separator;
    return units;
}

// Look 2 (halves: size read-out, half labels, step texts) and look 1 (line
// positions and segment lengths) on the 396 x 245 example.
TEST(LookUnits, EveryLengthReadsInTheChosenUnit) {
    LookUnits calibrated = In(Unit::Millimetres);
    calibrated.across = {2, 1'000'000};  // 2 px to the mm across, the nominal 96 dpi down
    const struct {
        const char* name;
        std::int32_t look;
        LookUnits units;
        std::vector<std::string> texts;
    } cases[] = {
        // Device pixels ignore the monitor altogether.
        {"device pixels whatever the density", 2,
         [] {
             LookUnits u = In(Unit::DevicePixels, 192, ',');
             u.across = {3, 1'000'000};
             return u;
         }(),
         {"396 x 245", "198", "122", "123", "641,396,245,151,93,57,35,22,14,9,6,4,2"}},
        {"millimetres at 96 dpi", 2, In(Unit::Millimetres),
         {"104.8 × 64.8 mm", "52.4", "32.3", "32.5"}},
        {"scaled pixels at 144 dpi, whole where whole", 2, In(Unit::ScaledPixels, 144),
         {"264 × 163.3 px", "132", "81.3", "82"}},
        // 396 px is 4.125 in: an exact half, to the even neighbour.
        {"inches with two decimals", 2, In(Unit::Inches), {"4.12 × 2.55 in", "2.06", "1.27", "1.28"}},
        {"per cent of each side; the read-out stays in device pixels", 2, In(Unit::PerCent),
         {"396 x 245", "50.0", "49.8", "50.2"}},
        {"width and height each with their own density", 2, calibrated, {"198.0 × 64.8 mm", "99.0", "32.3"}},
        // A decimal comma would run into the step list's own commas.
        {"the user's decimal comma", 2, In(Unit::Millimetres, 96, ','),
         {"104,8 × 64,8 mm", "52,4", "169,6;104,8;64,8;40,0;24,6;15,1;9,3;5,8;3,7;2,4;1,6;1,1;0,5"}},
        {"positions and segments of the ratio steps", 1, In(Unit::Points),
         {"297.0", "183.8", "113.2", "70.5"}},
    };
    const LangTable lang = UnitTexts();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LookSettings s = WithValues(Example(c.look));
        s.units = c.units;
        RecordingCanvas canvas;
        RenderLook(s, lang, canvas);
        EXPECT_THAT(AllTexts(canvas), IsSupersetOf(c.texts));
    }
}

TEST(LookUnits, TheRatioNoticeGivesTheSizeInTheUnitOfTheReadout) {
    const struct {
        const char* name;
        int width, height;
        LookUnits units;
        std::string text;
    } cases[] = {
        {"device pixels as before", 750, 464, In(Unit::DevicePixels, 144), "750 x 464 - golden ratio (+0.10 %)"},
        {"scaled pixels at 144 dpi", 750, 464, In(Unit::ScaledPixels, 144),
         "500 × 309.3 px - golden ratio (+0.10 %)"},
        {"millimetres with a decimal comma", 750, 464, In(Unit::Millimetres, 96, ','),
         "198,4 × 122,8 mm - golden ratio (+0,10 %)"},
        {"a ratio beyond every name", 1270, 1000, In(Unit::Centimetres), "33.60 × 26.46 cm - 1.27 : 1"},
        {"per cent: the device pixels", 750, 464, In(Unit::PerCent), "750 x 464 - golden ratio (+0.10 %)"},
    };
    const LangTable lang = UnitTexts();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PictureRatioText(c.width, c.height, lang, c.units.decimalSeparator, c.units), c.text);
    }
}

// A guide moved to another monitor reads its lengths anew only when that
// monitor measures its pixels otherwise.
TEST(LookUnits, OnlyAnotherMeasureCountsAsAnotherMonitor) {
    const LookUnits here = In(Unit::Millimetres);
    LookUnits wider = here;
    wider.across = {96, 24'000'000};
    LookUnits taller = here;
    taller.down = {1, 270'000};
    const struct {
        const char* name;
        LookUnits there;
        bool alike;
    } cases[] = {
        {"the same monitor", here, true},
        {"another unit on it", In(Unit::Inches), true},
        {"another decimal separator", In(Unit::Millimetres, 96, ','), true},
        {"another DPI", In(Unit::Millimetres, 144), false},
        {"larger pixels across", wider, false},
        {"larger pixels down", taller, false},
    };
    for (const auto& c : cases) EXPECT_EQ(MeasuredAlike(here, c.there), c.alike) << c.name;
}

}  // namespace
}  // namespace lumetra::test
