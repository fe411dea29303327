// The Calibration section: one line per calibrated monitor, written only
// once there is one, read back exactly; a line that does not read is left
// out and stays in the file as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/CaseName.h"

namespace lumetra::test {
namespace {

// The file from its Calibration section on.
std::string SectionOn(const std::string& text) { return text.substr(text.find("[Calibration]")); }

const Calibration kCard = CardCalibration(324, 204);
const Calibration kWidthOnly{MeasuredDensity(1000, 250'000'000), std::nullopt};

TEST(CalibrationSection, RoundTripsEveryMonitorAfterTheSettings) {
    TSettings s(1920);
    s.SetCalibration("DEL2005-S2C8FJ8255K5E", kCard);
    s.SetCalibration("PATH-DEFAULT_MONITOR-4&1A&0&UID0", kWidthOnly);
    const std::string text = s.SaveToText("[Settings]\r\nWidth=500\r\n", '.');
    EXPECT_EQ(text.substr(text.find("[Calibration]")),
              "[Calibration]\r\nDEL2005-S2C8FJ8255K5E=324/85.6 204/53.98\r\n"
              "PATH-DEFAULT_MONITOR-4&1A&0&UID0=1000/250 -\r\n");
    TSettings again(1920);
    again.LoadFromText(text, ',');  // the user's separator plays no part
    EXPECT_EQ(again.MonitorCalibrations(), s.MonitorCalibrations());
    EXPECT_EQ(again.SaveToText(text, '.'), text);
}

TEST(CalibrationSection, NewMeasurementReplacesTheLineInPlace) {
    const std::string file = "[Calibration]\r\ndel2005=324/85.6 204/53.98\r\n; note\r\n[Settings]\r\nWidth=500\r\n";
    TSettings s(1920);
    s.LoadFromText(file, '.');
    ASSERT_EQ(s.MonitorCalibrations().count("DEL2005"), 1u);
    s.SetCalibration("DEL2005", kWidthOnly);
    const std::string saved = s.SaveToText(file, '.');
    // The file's spelling of the key and every other line stay.
    EXPECT_EQ(saved.substr(0, saved.find("[Settings]")), "[Calibration]\r\ndel2005=1000/250 -\r\n; note\r\n");
}

struct BadLineCase {
    const char* name;
    std::string line;
};

class CalibrationBadLine : public ::testing::TestWithParam<BadLineCase> {};

TEST_P(CalibrationBadLine, IsLeftOutAndKept) {
    const std::string file = "[Settings]\r\nWidth=500\r\n[Calibration]\r\n" + GetParam().line +
                             "\r\nGOOD1=324/85.6 204/53.98\r\n";
    TSettings s(1920);
    s.LoadFromText(file, '.');
    const Calibrations expected{{"GOOD1", kCard}};
    EXPECT_EQ(s.MonitorCalibrations(), expected);
    EXPECT_EQ(SectionOn(s.SaveToText(file, '.')), SectionOn(file));
}

INSTANTIATE_TEST_SUITE_P(
    Values, CalibrationBadLine,
    ::testing::Values(BadLineCase{"NoValue", "DEL2005"}, BadLineCase{"EmptyValue", "DEL2005="},
                      BadLineCase{"OneSide", "DEL2005=324/85.6"}, BadLineCase{"NeitherSide", "DEL2005=- -"},
                      BadLineCase{"CommaDecimals", "DEL2005=324/85,6 204/53,98"},
                      BadLineCase{"TooDense", "DEL2005=100000/1 -"}, BadLineCase{"NotANumber", "DEL2005=a/b -"},
                      BadLineCase{"KeyNoMonitorHas", "DEL 2005=324/85.6 -"},
                      BadLineCase{"KeyTooLong", std::string(300, 'A') + "=324/85.6 -"}),
    CaseName<BadLineCase>);

TEST(CalibrationSection, WrittenOnlyOnceThereIsACalibration) {
    const std::string files[] = {"", "[Settings]\r\nWidth=500\r\n"};
    for (const std::string& file : files) {
        TSettings s(1920);
        s.LoadFromText(file, '.');
        EXPECT_EQ(s.SaveToText(file, '.').find("[Calibration]"), std::string::npos) << file;
    }
    // An empty section of the user's stays as it is.
    const std::string empty = "[Settings]\r\nUnits=2\r\n[Calibration]\r\n";
    TSettings s(1920);
    s.LoadFromText(empty, '.');
    EXPECT_EQ(SectionOn(s.SaveToText(empty, '.')), "[Calibration]\r\n");
}

TEST(CalibrationSection, SharedByTheGuidesKeptByRestoreAndBounded) {
    TSettings s(1920);
    TSettings other(1920);
    const std::vector<TSettings*> group{&s, &other};
    s.ShareWith(&group);
    other.ShareWith(&group);
    s.SetCalibration("DEL2005", kCard);
    EXPECT_EQ(other.MonitorCalibrations(), s.MonitorCalibrations());
    // Only the first guide's section writes them.
    EXPECT_EQ(other.SaveGuideToText("", "Guide2", '.').find("Calibration"), std::string::npos);
    s.RestoreDefaults();
    EXPECT_EQ(s.MonitorCalibrations().size(), 1u);
    // Neither side, or a key no monitor has, changes nothing.
    s.SetCalibration("DEL2005", Calibration{});
    s.SetCalibration("del2005", kWidthOnly);
    EXPECT_EQ(s.MonitorCalibrations().at("DEL2005"), kCard);
    for (std::size_t i = 0; i < kMostCalibrations + 5; ++i) s.SetCalibration("M" + std::to_string(i), kCard);
    EXPECT_EQ(s.MonitorCalibrations().size(), kMostCalibrations);
    // A monitor calibrated before is measured anew even when the book is full.
    s.SetCalibration("DEL2005", kWidthOnly);
    EXPECT_EQ(s.MonitorCalibrations().at("DEL2005"), kWidthOnly);
}

}  // namespace
}  // namespace lumetra::test
