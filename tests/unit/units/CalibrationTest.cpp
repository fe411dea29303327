#include "units/Calibration.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/CaseName.h"

namespace lumetra::test {
namespace {

struct RoundTripCase {
    const char* name;
    Calibration calibration;
    std::string line;
};

class CalibrationLine : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(CalibrationLine, ReadsBackAsWritten) {
    const RoundTripCase& c = GetParam();
    EXPECT_EQ(FormatCalibration(c.calibration), c.line);
    EXPECT_EQ(ParseCalibration(c.line), c.calibration);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CalibrationLine,
    ::testing::Values(RoundTripCase{"Card", CardCalibration(324, 204), "324/85.6 204/53.98"},
                      RoundTripCase{"CardSideTooShortToTrust", CardCalibration(324, 9), "324/85.6 -"},
                      RoundTripCase{"WidthOnly", {PixelDensity{500, 132'291'667}, std::nullopt}, "500/132.291667 -"},
                      RoundTripCase{
                          "HeightOnlyWholeMillimetres", {std::nullopt, PixelDensity{768, 165'000'000}}, "- 768/165"}),
    CaseName<RoundTripCase>);

struct HostileCase {
    const char* name;
    std::string line;
};

class HostileCalibration : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileCalibration, IsIgnored) { EXPECT_EQ(ParseCalibration(GetParam().line), std::nullopt); }

INSTANTIATE_TEST_SUITE_P(
    Values, HostileCalibration,
    ::testing::Values(HostileCase{"Empty", ""}, HostileCase{"NeitherSide", "- -"},
                      HostileCase{"OneSideOnly", "324/85.6"}, HostileCase{"ThirdSide", "324/85.6 204/53.98 9/9"},
                      HostileCase{"TwoBlanks", "324/85.6  204/53.98"}, HostileCase{"DecimalComma", "324/85,6 -"},
                      HostileCase{"NegativePixels", "-324/85.6 -"}, HostileCase{"SignInDecimals", "324/85.-5 -"},
                      HostileCase{"ZeroLength", "324/0 -"}, HostileCase{"TooFewPixels", "9/85.6 -"},
                      HostileCase{"ImplausiblyDense", "9999999/85.6 -"},
                      HostileCase{"BeyondTheLongestLength", "324/99999.9 -"}),
    CaseName<HostileCase>);

}  // namespace
}  // namespace lumetra::test
