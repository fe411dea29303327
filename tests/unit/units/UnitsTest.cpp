#include "units/Units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "settings/CaseName.h"

namespace lumetra::test {
namespace {

constexpr PixelDensity kNone{0, 0};
// A 24-inch monitor's EDID: 1920 pixels over 527 mm.
constexpr PixelDensity kEdid527{1920, 527 * kNanometresPerMillimetre};

struct ReadingCase {
    const char* name;
    std::int64_t pixels;
    Unit unit;
    LengthScale scale;
    char separator;
    std::string text;
};

class ReadOut : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(ReadOut, WritesTheUnitsDecimals) {
    const ReadingCase& c = GetParam();
    EXPECT_EQ(FormatLength(c.pixels, c.unit, c.scale, c.separator), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadOut,
    ::testing::Values(
        ReadingCase{"DevicePixelsWhole", 189, Unit::DevicePixels, {144, kEdid527, 0}, ',', "189"},
        ReadingCase{"ScaledWhereWhole", 750, Unit::ScaledPixels, {144, {}, 0}, '.', "500"},
        ReadingCase{"ScaledElseOneDecimal", 464, Unit::ScaledPixels, {144, {}, 0}, '.', "309.3"},
        ReadingCase{"ScaledAt120", 3, Unit::ScaledPixels, {120, {}, 0}, '.', "2.4"},
        ReadingCase{"ScaledAt192Half", 3, Unit::ScaledPixels, {192, {}, 0}, ',', "1,5"},
        ReadingCase{"MillimetresAt96", 189, Unit::Millimetres, {96, NominalDensity(96), 0}, '.', "50.0"},
        // 24 px are 6.35 mm exactly and 72 px 19.05 mm: halves go to the even neighbour.
        ReadingCase{"MillimetreHalfDown", 72, Unit::Millimetres, {96, NominalDensity(96), 0}, '.', "19.0"},
        ReadingCase{"MillimetresAt192", 96, Unit::Millimetres, {192, NominalDensity(192), 0}, '.', "12.7"},
        ReadingCase{"MillimetresFromEdid", 100, Unit::Millimetres, {96, kEdid527, 0}, '.', "27.4"},
        ReadingCase{"CentimetresTwoDecimals", 72, Unit::Centimetres, {96, NominalDensity(96), 0}, ',', "1,90"},
        ReadingCase{"InchHalfDown", 12, Unit::Inches, {96, NominalDensity(96), 0}, '.', "0.12"},
        ReadingCase{"PointsHalfDown", 3, Unit::Points, {96, NominalDensity(96), 0}, '.', "2.2"},
        ReadingCase{"PerCentFiveHundredthsDown", 1, Unit::PerCent, {96, {}, 2000}, '.', "0.0"},
        ReadingCase{"PerCentFifteenHundredthsUp", 3, Unit::PerCent, {96, {}, 2000}, '.', "0.2"},
        ReadingCase{"PerCentWithoutSide", 50, Unit::PerCent, {96, {}, 0}, '.', "0.0"},
        ReadingCase{"NegativeKeepsItsSign", -24, Unit::Millimetres, {96, NominalDensity(96), 0}, '.', "-6.4"},
        ReadingCase{"NoMinusZero", -1, Unit::PerCent, {96, {}, 2000}, '.', "0.0"},
        ReadingCase{"UnknownDensityIsNominal", 189, Unit::Millimetres, {96, kNone, 0}, '.', "50.0"},
        ReadingCase{"LongestLengthBounded", std::int64_t{1} << 40, Unit::DevicePixels, {}, '.', "16777216"}),
    CaseName<ReadingCase>);

struct TypedCase {
    const char* name;
    std::string text;
    Unit unit;
    LengthScale scale;
    char separator;
    TypedLength expected;
};

class TypedValue : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedValue, BecomesTheNearestDevicePixel) {
    const TypedCase& c = GetParam();
    EXPECT_EQ(ParseLength(c.text, c.unit, c.scale, c.separator, "\xD0\xBC\xD0\xBC"), c.expected);
}

constexpr LengthScale k96{96, NominalDensity(96), 0};

INSTANTIATE_TEST_SUITE_P(
    Values, TypedValue,
    ::testing::Values(
        TypedCase{"ScaledBackToDevice", "500", Unit::ScaledPixels, {144, {}, 0}, '.', {750}},
        TypedCase{"ScaledReadOutBack", "309.3", Unit::ScaledPixels, {144, {}, 0}, '.', {464}},
        TypedCase{"HalfPixelToEven", "3", Unit::ScaledPixels, {144, {}, 0}, '.', {4}},
        TypedCase{"ReadOutWithSymbol", "50.0 mm", Unit::Millimetres, k96, '.', {189}},
        TypedCase{"ExactMillimetres", "6.35mm", Unit::Millimetres, k96, '.', {24}},
        TypedCase{"LanguagesSymbol", "6,35 \xD0\xBC\xD0\xBC", Unit::Millimetres, k96, ',', {24}},
        TypedCase{"CentimetresWithBlanks", "  2.54 CM ", Unit::Centimetres, k96, '.', {96}},
        TypedCase{"Points", "72 pt", Unit::Points, k96, '.', {96}},
        TypedCase{"PerCentHalfToEven", "50 %", Unit::PerCent, {96, {}, 301}, '.', {150}},
        TypedCase{"PerCentTenthStaysExact", "10", Unit::PerCent, {96, {}, 5}, '.', {0}},
        TypedCase{"NegativeForTheCallerToClamp", "-5", Unit::DevicePixels, k96, '.', {-5}},
        TypedCase{"SaturatesBeyond32Bits", "999999999999", Unit::DevicePixels, k96, '.', {2147483647}},
        TypedCase{"Blank", "   ", Unit::Millimetres, k96, '.', {0, LengthError::Empty}},
        TypedCase{"Letters", "abc", Unit::Millimetres, k96, '.', {0, LengthError::NotANumber}},
        TypedCase{"OtherSeparator", "1.5", Unit::Millimetres, k96, ',', {0, LengthError::NotANumber}},
        TypedCase{"DigitGrouping", "1 000", Unit::DevicePixels, k96, '.', {0, LengthError::NotANumber}},
        TypedCase{"TooManyDigits", "1234567890123456789", Unit::DevicePixels, k96, '.', {0, LengthError::NotANumber}},
        TypedCase{"AnotherUnit", "5 in", Unit::Millimetres, k96, '.', {0, LengthError::OtherUnit}}),
    CaseName<TypedCase>);

TEST(PixelsPerMetre, ForAPngHeader) {
    EXPECT_EQ(PixelsPerMetre(NominalDensity(96)), 3780u);  // 3779.53
    EXPECT_EQ(PixelsPerMetre(kEdid527), 3643u);            // 3643.26
    EXPECT_EQ(PixelsPerMetre(kNone), 0u);
}

// What the PNG encoder is handed: a resolution only for a physical unit,
// one that it turns back into the monitor's whole pixels per metre.
struct PngCase {
    const char* name;
    ExportDensity density;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> perMetre;  // nothing: no resolution
};

class PngHeader : public ::testing::TestWithParam<PngCase> {};

TEST_P(PngHeader, CarriesPixelsPerMetreForPhysicalUnitsOnly) {
    const PngCase& c = GetParam();
    const std::optional<PngResolution> resolution = PngResolutionOf(c.density);
    ASSERT_EQ(resolution.has_value(), c.perMetre.has_value());
    if (!resolution) return;
    // The encoder's rounding: the nearest whole number of pixels per metre.
    EXPECT_EQ(std::lround(resolution->across / 0.0254), c.perMetre->first);
    EXPECT_EQ(std::lround(resolution->down / 0.0254), c.perMetre->second);
}

INSTANTIATE_TEST_SUITE_P(
    Units, PngHeader,
    ::testing::Values(
        PngCase{"DevicePixelsAsToday", {Unit::DevicePixels, kEdid527, kEdid527}, std::nullopt},
        PngCase{"ScaledPixelsAsToday", {Unit::ScaledPixels, kEdid527, kEdid527}, std::nullopt},
        PngCase{"PerCentAsToday", {Unit::PerCent, kEdid527, kEdid527}, std::nullopt},
        PngCase{"Millimetres", {Unit::Millimetres, kEdid527, kEdid527}, std::pair{3643u, 3643u}},
        PngCase{"Centimetres", {Unit::Centimetres, NominalDensity(96), NominalDensity(96)}, std::pair{3780u, 3780u}},
        PngCase{"InchesAt192", {Unit::Inches, NominalDensity(192), NominalDensity(192)}, std::pair{7559u, 7559u}},
        PngCase{"PointsSidesApart",
                {Unit::Points, kEdid527, {1080, 296 * kNanometresPerMillimetre}},
                std::pair{3643u, 3649u}},
        PngCase{"UnknownDensity", {Unit::Millimetres, kNone, kEdid527}, std::nullopt}),
    CaseName<PngCase>);

}  // namespace
}  // namespace lumetra::test
