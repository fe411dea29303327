#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "settings/CaseName.h"
#include "settings/IniValues.h"

namespace lumetra::test {
namespace {

struct IntCase {
    const char* name;
    const char* text;
    std::optional<std::int32_t> expected;
};

class IntReading : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntReading, AcceptsOnlyWholeNumbersInRange) { EXPECT_EQ(ParseIniInt(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Values, IntReading,
    ::testing::Values(IntCase{"Decimal", "396", 396}, IntCase{"Negative", "-5", -5}, IntCase{"PlusSign", "+7", 7},
                      IntCase{"LeadingZeros", "007", 7}, IntCase{"LeadingBlanks", "  42", 42},
                      IntCase{"HexPrefix", "0x1F", 31}, IntCase{"HexUpperPrefix", "0XfF", 255},
                      IntCase{"DollarHex", "$4040FF", 4210943}, IntCase{"NegativeHex", "-$10", -16},
                      IntCase{"HexZero", "0x0", 0}, IntCase{"Max", "2147483647", 2147483647},
                      IntCase{"Min", "-2147483648", std::numeric_limits<std::int32_t>::min()},
                      IntCase{"AboveMax", "2147483648", std::nullopt}, IntCase{"BelowMin", "-2147483649", std::nullopt},
                      IntCase{"HexAboveMax", "0xFFFFFFFF", std::nullopt},
                      IntCase{"ManyDigits", "99999999999999999999999999", std::nullopt},
                      IntCase{"Empty", "", std::nullopt}, IntCase{"BlanksOnly", "   ", std::nullopt},
                      IntCase{"SignOnly", "-", std::nullopt}, IntCase{"PrefixOnly", "0x", std::nullopt},
                      IntCase{"DollarOnly", "$", std::nullopt}, IntCase{"TrailingText", "12px", std::nullopt},
                      IntCase{"TrailingBlank", "12 ", std::nullopt}, IntCase{"BadHexDigit", "0x1G", std::nullopt},
                      IntCase{"Fraction", "1.5", std::nullopt}, IntCase{"Word", "yes", std::nullopt},
                      IntCase{"DoubleSign", "--1", std::nullopt}),
    CaseName<IntCase>);

struct BoolCase {
    const char* name;
    const char* text;
    std::optional<bool> expected;
};

class BoolReading : public ::testing::TestWithParam<BoolCase> {};

TEST_P(BoolReading, TakesAnyInteger) { EXPECT_EQ(ParseIniBool(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Values, BoolReading,
                         ::testing::Values(BoolCase{"One", "1", true}, BoolCase{"Zero", "0", false},
                                           BoolCase{"Two", "2", true}, BoolCase{"MinusOne", "-1", true},
                                           BoolCase{"HexZero", "0x0", false}, BoolCase{"Yes", "yes", std::nullopt},
                                           BoolCase{"TrueWord", "true", std::nullopt},
                                           BoolCase{"Empty", "", std::nullopt}),
                         CaseName<BoolCase>);

struct RealFormatCase {
    const char* name;
    double value;
    char separator;
    const char* expected;
};

class RealWriting : public ::testing::TestWithParam<RealFormatCase> {};

TEST_P(RealWriting, UsesGeneralNotation) {
    const RealFormatCase& c = GetParam();
    EXPECT_EQ(FormatIniReal(c.value, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RealWriting,
    ::testing::Values(RealFormatCase{"One", 1.0, '.', "1"},
                      RealFormatCase{"InvPhiPoint", 0.6180339887498949, '.', "0.618033988749895"},
                      RealFormatCase{"InvPhiComma", 0.6180339887498949, ',', "0,618033988749895"},
                      RealFormatCase{"Preset", 2.39, '.', "2.39"},
                      RealFormatCase{"Third", 1.0 / 3.0, '.', "0.333333333333333"},
                      RealFormatCase{"Zero", 0.0, '.', "0"}, RealFormatCase{"Negative", -1.5, '.', "-1.5"},
                      RealFormatCase{"RoundsUpToNextPower", 9.999999999999996, '.', "10"},
                      RealFormatCase{"RoundsUpIntoFixed", 0.000009999999999999999, '.', "0.00001"},
                      RealFormatCase{"SmallestFixed", 0.00001, '.', "0.00001"},
                      RealFormatCase{"TinyScientific", 0.0000012345, '.', "1.2345E-6"},
                      RealFormatCase{"TinyScientificComma", 0.0000012345, ',', "1,2345E-6"},
                      RealFormatCase{"TinyWholeMantissa", 1e-300, '.', "1E-300"},
                      RealFormatCase{"FifteenIntegerDigits", 123456789012345.0, '.', "123456789012345"},
                      RealFormatCase{"SixteenIntegerDigits", 1234567890123456.0, '.', "1.23456789012346E15"},
                      RealFormatCase{"Huge", 1e308, '.', "1E308"},
                      RealFormatCase{"IntegerWithFraction", 16.0 / 9.0, '.', "1.77777777777778"}),
    CaseName<RealFormatCase>);

struct RealParseCase {
    const char* name;
    const char* text;
    char separator;
    std::optional<double> expected;
};

class RealReading : public ::testing::TestWithParam<RealParseCase> {};

TEST_P(RealReading, NeedsTheWholeTextInTheGivenSeparator) {
    const RealParseCase& c = GetParam();
    EXPECT_EQ(ParseIniReal(c.text, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, RealReading,
                         ::testing::Values(RealParseCase{"One", "1", '.', 1.0}, RealParseCase{"Point", "0.5", '.', 0.5},
                                           RealParseCase{"Comma", "0,5", ',', 0.5},
                                           RealParseCase{"CommaUnderPointLocale", "0,5", '.', std::nullopt},
                                           RealParseCase{"PointUnderCommaLocale", "0.5", ',', std::nullopt},
                                           RealParseCase{"Scientific", "1.2345E-6", '.', 1.2345e-6},
                                           RealParseCase{"ScientificComma", "1,5E3", ',', 1500.0},
                                           RealParseCase{"Negative", "-2", '.', -2.0},
                                           RealParseCase{"Empty", "", '.', std::nullopt},
                                           RealParseCase{"Word", "abc", '.', std::nullopt},
                                           RealParseCase{"TrailingText", "1.5x", '.', std::nullopt},
                                           RealParseCase{"BeyondDouble", "1e309", '.', std::nullopt},
                                           RealParseCase{"HexFloat", "0x1p3", '.', std::nullopt}),
                         CaseName<RealParseCase>);

TEST(IniValues, RealRoundTripKeepsFifteenDigits) {
    // The file holds 15 significant digits, so the factory constant comes
    // back as a slightly different double.
    const auto back = ParseIniReal(FormatIniReal(0.6180339887498949, ','), ',');
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, 0.618033988749895);
    EXPECT_NE(std::bit_cast<std::uint64_t>(*back), std::uint64_t{0x3FE3C6EF372FE950});
}

}  // namespace
}  // namespace lumetra::test
