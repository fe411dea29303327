#include "units/Monitors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/CaseName.h"

namespace lumetra::test {
namespace {

// The primary monitor, one to its right, and one to the left and higher.
const std::vector<Rect> kDesk = {{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}, {-1280, -200, 0, 824}};

struct PickCase {
    const char* name;
    std::vector<Rect> monitors;
    Point centre;
    std::optional<std::size_t> monitor;
};

class MonitorPick : public ::testing::TestWithParam<PickCase> {};

TEST_P(MonitorPick, TakesTheOneHoldingTheCentre) {
    const PickCase& c = GetParam();
    EXPECT_EQ(MonitorAt(c.monitors, c.centre), c.monitor);
}

INSTANTIATE_TEST_SUITE_P(Values, MonitorPick,
                         ::testing::Values(PickCase{"Inside", kDesk, {960, 540}, 0},
                                           PickCase{"RightEdgeBelongsToTheNext", kDesk, {1920, 10}, 1},
                                           PickCase{"NegativeCoordinates", kDesk, {-1, -150}, 2},
                                           PickCase{"OffEveryMonitorNearest", kDesk, {5000, 1500}, 1},
                                           PickCase{"AboveTheGapNearest", kDesk, {100, -50}, 0},
                                           PickCase{
                                               "EqualDistanceFirst", {{0, 0, 10, 10}, {20, 0, 30, 10}}, {14, 5}, 0},
                                           PickCase{"NoMonitors", {}, {0, 0}, std::nullopt}),
                         CaseName<PickCase>);

struct IdentityCase {
    const char* name;
    std::optional<EdidIdentity> edid;
    std::string path;
    std::string key;
};

class Identity : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(Identity, IsASafeStableKey) {
    const IdentityCase& c = GetParam();
    EXPECT_EQ(MonitorIdentity(c.edid, c.path), c.key);
}

const std::string kPath = "\\\\?\\DISPLAY#DEL2005#5&1a2b3c&0&UID4353#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";

INSTANTIATE_TEST_SUITE_P(
    Values, Identity,
    ::testing::Values(IdentityCase{"SerialTextMadeSafe", EdidIdentity{"DEL", 0x2005, 7, "ab c=1;[x]", ""}, kPath,
                                   "DEL2005-SAB_C_1__X_"},
                      IdentityCase{"SerialNumberInHex", EdidIdentity{"OTM", 0x27, 0x603, "", ""}, kPath,
                                   "OTM0027-N00000603"},
                      IdentityCase{"NoSerialAtAll", EdidIdentity{"LGD", 0x217, 0, "", "panel"}, "", "LGD0217"},
                      IdentityCase{"BadLettersStaySafe", EdidIdentity{"?A?", 0xFFFF, 0, "", ""}, "", "_A_FFFF"},
                      IdentityCase{"PathWithoutEdid", std::nullopt, kPath, "PATH-DEL2005-5&1A2B3C&0&UID4353"},
                      IdentityCase{"PathOfAnotherShape", std::nullopt, "MONITOR\\x y", "PATH-MONITOR_X_Y"},
                      IdentityCase{"NothingToGoBy", std::nullopt, "", ""}),
    CaseName<IdentityCase>);

constexpr PixelDensity kCardWidth{324, kCardWidthNanometres};
constexpr PixelDensity kCardHeight{204, kCardHeightNanometres};

struct DensityCase {
    const char* name;
    MonitorFacts facts;
    MonitorDensity density;
};

class Density : public ::testing::TestWithParam<DensityCase> {};

TEST_P(Density, TakesTheBestSource) {
    const DensityCase& c = GetParam();
    EXPECT_EQ(DensityOf(c.facts), c.density);
}

constexpr PixelDensity Over(std::int64_t pixels, std::int64_t millimetres) {
    return {pixels, millimetres * kNanometresPerMillimetre};
}

INSTANTIATE_TEST_SUITE_P(
    Values, Density,
    ::testing::Values(
        DensityCase{"CalibrationFirst",
                    {{1920, 1080}, 96, MillimetreSize{527, 296}, std::nullopt, {kCardWidth, kCardHeight}, ""},
                    {kCardWidth, kCardHeight, SizeSource::Calibrated}},
        DensityCase{"OneSideMeasuredServesBoth",
                    {{1920, 1080}, 96, MillimetreSize{527, 296}, std::nullopt, {std::nullopt, kCardHeight}, ""},
                    {kCardHeight, kCardHeight, SizeSource::Calibrated}},
        DensityCase{"EdidInTheCurrentMode",
                    {{1280, 720}, 96, MillimetreSize{527, 296}, MillimetreSize{500, 280}, {}, ""},
                    {Over(1280, 527), Over(720, 296), SizeSource::Edid}},
        DensityCase{"SystemWhenNoEdid",
                    {{1920, 1080}, 144, std::nullopt, MillimetreSize{508, 286}, {}, ""},
                    {Over(1920, 508), Over(1080, 286), SizeSource::System}},
        DensityCase{"ImplausibleSystemSizeSkipped",
                    {{1920, 1080}, 144, std::nullopt, MillimetreSize{160, 90}, {}, ""},
                    {NominalDensity(144), NominalDensity(144), SizeSource::Assumed}}),
    CaseName<DensityCase>);

// What the shell keeps of each monitor until the displays change.
struct CacheCase {
    const char* name;
    std::vector<MonitorKey> remembered;
    bool forget;
    MonitorKey asked;
    std::optional<std::string> found;  // the identity kept for it
};

class FactsCache : public ::testing::TestWithParam<CacheCase> {};

TEST_P(FactsCache, AsksAgainOnlyWhatChanged) {
    const CacheCase& c = GetParam();
    MonitorFactsCache cache;
    for (const MonitorKey& key : c.remembered) {
        MonitorFacts facts;
        facts.identity = "ID" + std::to_string(key.area.left);
        cache.Remember(key, facts);
    }
    if (c.forget) cache.Forget();
    const MonitorFacts* facts = cache.Find(c.asked);
    ASSERT_EQ(facts != nullptr, c.found.has_value());
    if (facts) {
        EXPECT_EQ(facts->identity, *c.found);
    }
}

const MonitorKey kLeft{"\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, 96};
const MonitorKey kRight{"\\\\.\\DISPLAY2", {1920, 0, 3840, 1080}, 144};

std::vector<MonitorKey> ManyMonitors(std::size_t count) {
    std::vector<MonitorKey> keys;
    for (std::size_t i = 0; i < count; ++i) {
        const int left = static_cast<int>(i) * 100;
        keys.push_back({"D" + std::to_string(i), {left, 0, left + 100, 100}, 96});
    }
    return keys;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FactsCache,
    ::testing::Values(CacheCase{"KeptMonitor", {kLeft, kRight}, false, kRight, "ID1920"},
                      CacheCase{"NeverAsked", {kLeft}, false, kRight, std::nullopt},
                      CacheCase{"ModeChanged", {kLeft}, false, {kLeft.device, {0, 0, 1280, 720}, 96}, std::nullopt},
                      CacheCase{"DpiChanged", {kLeft}, false, {kLeft.device, kLeft.area, 120}, std::nullopt},
                      CacheCase{
                          "OtherDisplayInItsPlace", {kLeft}, false, {"\\\\.\\DISPLAY3", kLeft.area, 96}, std::nullopt},
                      CacheCase{"AfterForget", {kLeft, kRight}, true, kLeft, std::nullopt},
                      CacheCase{"OldestGoesWhenFull", ManyMonitors(MonitorFactsCache::kMostMonitors + 1), false,
                                ManyMonitors(1).front(), std::nullopt},
                      CacheCase{"NewestStaysWhenFull", ManyMonitors(MonitorFactsCache::kMostMonitors + 1), false,
                                ManyMonitors(MonitorFactsCache::kMostMonitors + 1).back(), "ID1600"}),
    CaseName<CacheCase>);

}  // namespace
}  // namespace lumetra::test
