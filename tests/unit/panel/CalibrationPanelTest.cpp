// The panel's calibration group: what it offers for a monitor, and what the
// guide laid over a card or over a typed length makes of the monitor's
// calibration.
#include "panel/CalibrationPanel.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "lang/LangTable.h"
#include "settings/AppSettings.h"
#include "settings/CaseName.h"

namespace lumetra::test {
namespace {

class FakeCalibrationView final : public ICalibrationView, public IMeasuringMonitor {
public:
    void ShowCalibration(bool shown) override { open = shown; }
    void ShowSizeUnknown(bool shown) override { unknown = shown; }
    std::string KnownText(KnownSide side) const override { return known[Index(side)]; }
    void ShowKnown(KnownSide side, const std::string& text) override { known[Index(side)] = text; }
    MonitorFacts MeasuringMonitor() const override {
        ++asked;
        return facts;
    }

    static std::size_t Index(KnownSide side) { return side == KnownSide::Width ? 0 : 1; }

    bool open = false;
    bool unknown = false;
    std::array<std::string, 2> known;
    MonitorFacts facts;
    mutable int asked = 0;
};

// A 1920 x 1080 monitor that reports 527 x 296 mm, named DEL2005.
MonitorFacts KnownMonitor() {
    MonitorFacts facts;
    facts.pixels = {1920, 1080};
    facts.systemSize = MillimetreSize{527, 296};
    facts.identity = "DEL2005";
    return facts;
}

class Calibrating : public ::testing::Test {
protected:
    Calibrating() {
        texts.Merge("MUnitSymbol2", "mm");
        texts.Merge("MUnitSymbol4", "in");
        view.facts = KnownMonitor();
        panel.Bind(settings);
    }

    LangTable texts;
    FakeCalibrationView view;
    TSettings settings{1920};
    CalibrationController panel{view, view, texts};
};

TEST_F(Calibrating, OpensWithTheCardAndAsksTheMonitorOnlyWhenOpen) {
    panel.Refresh();
    EXPECT_EQ(view.asked, 0);  // a closed group costs nothing
    panel.CalibrateClick('.');
    EXPECT_TRUE(view.open);
    EXPECT_FALSE(view.unknown);
    EXPECT_EQ(view.known, (std::array<std::string, 2>{"85.6 mm", "54.0 mm"}));
    panel.CalibrateClick('.');  // closes, and nothing is stored
    EXPECT_FALSE(view.open);
    EXPECT_TRUE(settings.MonitorCalibrations().empty());
}

TEST_F(Calibrating, TheCardSizesTheGuideAndItsExactSidesAreStored) {
    settings.SetLock(false);
    panel.CalibrateClick('.');
    panel.CardClick('.');
    // 85.60 x 53.98 mm at 1920 / 527 and 1080 / 296 pixels to the millimetre.
    EXPECT_EQ(settings.Width(), 312);
    EXPECT_EQ(settings.Height(), 197);
    settings.SetWidth(324);  // the user fits the guide to the card
    settings.SetHeight(204);
    panel.ConfirmClick('.');
    EXPECT_FALSE(view.open);
    // The card's own 53.98 mm, not the 54.0 its field shows.
    EXPECT_EQ(settings.MonitorCalibrations().at("DEL2005"), CardCalibration(324, 204));
}

struct TypedCase {
    const char* name;
    std::int32_t units;
    char separator;
    std::string width;
    std::string height;
    Calibration stored;
};

class TypedLengths : public Calibrating, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedLengths, MeasureEachSideThatReads) {
    const TypedCase& c = GetParam();
    settings.SetUnits(c.units);
    settings.SetLock(false);
    settings.SetWidth(400);
    settings.SetHeight(300);
    panel.CalibrateClick(c.separator);
    view.known = {c.width, c.height};
    panel.ConfirmClick(c.separator);
    const auto& stored = settings.MonitorCalibrations();
    if (c.stored.Empty()) {
        EXPECT_TRUE(stored.empty());
        EXPECT_TRUE(view.open);  // nothing to confirm: the group stays
    } else {
        EXPECT_EQ(stored.at("DEL2005"), c.stored);
    }
}

constexpr std::int64_t kMm = kNanometresPerMillimetre;

INSTANTIATE_TEST_SUITE_P(
    Values, TypedLengths,
    ::testing::Values(
        TypedCase{"MillimetresWhenPixelsAreShown", 0, '.', "100", "75.5 mm", {{{400, 100 * kMm}}, {{300, 75'500'000}}}},
        TypedCase{"TheChosenPhysicalUnit", 4, '.', "4 in", "3", {{{400, 101'600'000}}, {{300, 76'200'000}}}},
        TypedCase{"TheUsersSeparator", 2, ',', "100,25", "-", {{{400, 100'250'000}}, std::nullopt}},
        TypedCase{"OnlyTheSideThatReads", 2, '.', "abc", "75", {std::nullopt, {{300, 75 * kMm}}}},
        TypedCase{"AnotherUnitRefused", 2, '.', "100 px", "", {}},
        TypedCase{"NegativeOrZero", 2, '.', "-100", "0", {}},
        TypedCase{"ImplausibleDensity", 2, '.', "5000", "0.5", {}}),
    CaseName<TypedCase>);

TEST_F(Calibrating, SaysWhenTheSizeIsUnknownAndNeedsAnIdentity) {
    view.facts.systemSize = MillimetreSize{160, 90};  // an aspect ratio, not a size
    panel.CalibrateClick('.');
    EXPECT_TRUE(view.unknown);
    view.facts.identity.clear();
    panel.ConfirmClick('.');
    EXPECT_TRUE(settings.MonitorCalibrations().empty());
    EXPECT_TRUE(view.open);
    view.facts.identity = "DEL2005";
    panel.ConfirmClick('.');
    EXPECT_FALSE(view.open);
    view.facts.calibration = settings.MonitorCalibrations().at("DEL2005");
    panel.CalibrateClick('.');
    EXPECT_FALSE(view.unknown);
}

TEST_F(Calibrating, AnotherGuideClosesTheGroup) {
    panel.CalibrateClick('.');
    TSettings other(1920);
    panel.Bind(other);
    EXPECT_FALSE(view.open);
    panel.ConfirmClick('.');  // closed: nothing to confirm
    EXPECT_TRUE(other.MonitorCalibrations().empty());
}

}  // namespace
}  // namespace lumetra::test
