#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/CaseName.h"
#include "settings/Snapshot.h"

namespace lumetra::test {
namespace {

using Log = std::vector<std::string>;

class RecordingOverlay final : public IOverlaySink {
public:
    explicit RecordingOverlay(Log& log) : log_(log) {}
    void ApplySize() override { log_.push_back("O:ApplySize"); }
    void ApplyOpacity() override { log_.push_back("O:ApplyOpacity"); }
    void RefreshLook() override { log_.push_back("O:RefreshLook"); }
    void RefreshOptions() override { log_.push_back("O:RefreshOptions"); }
    void RefreshLanguage() override { log_.push_back("O:RefreshLanguage"); }
    void ApplyPlacement(const GuidePlacement& placed) override {
        const Point at = placed.position;
        log_.push_back("O:ApplyPlacement " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    LengthScale MeasuringScale(bool) const override { return {}; }

private:
    Log& log_;
};

class RecordingPanel final : public IPanelSink {
public:
    explicit RecordingPanel(Log& log) : log_(log) {}
    void UpdateOptions() override { log_.push_back("P:UpdateOptions"); }
    void UpdateOpacity() override { log_.push_back("P:UpdateOpacity"); }
    void UpdateGridSize() override { log_.push_back("P:UpdateGridSize"); }
    void UpdateColors() override { log_.push_back("P:UpdateColors"); }
    void UpdateLook() override { log_.push_back("P:UpdateLook"); }
    void UpdateOrientation() override { log_.push_back("P:UpdateOrientation"); }
    void UpdateLock() override { log_.push_back("P:UpdateLock"); }
    void UpdateRatio() override { log_.push_back("P:UpdateRatio"); }
    void UpdateSizeField() override { log_.push_back("P:UpdateSizeField"); }
    void ReloadLanguage() override { log_.push_back("P:ReloadLanguage"); }

private:
    Log& log_;
};

using Step = std::function<void(TSettings&)>;

// Settings with both windows registered after `setup` ran unobserved.
struct Observed {
    explicit Observed(const Step& setup) : settings(1920), overlay(log), panel(log) {
        setup(settings);
        settings.SetOverlay(&overlay);
        settings.SetPanel(&panel);
    }
    Log log;
    TSettings settings;
    RecordingOverlay overlay;
    RecordingPanel panel;
};

void Nothing(TSettings&) {}

void HeightLeads(TSettings& s) { s.SetLockWidth(false); }

void LockOff(TSettings& s) { s.SetLock(false); }

Snapshot FirstRun() {
    return {0.6180339887498949,
            true,
            true,
            396,
            245,
            12,
            0x4040FF,
            0x838383,
            true,
            90,
            true,
            0,
            true,
            1,
            8,
            true,
            false,
            true,
            "English",
            300,
            240,
            1920 - 181,
            10,
            true,
            0,
            true};
}

TEST(TSettings, FirstRunValues) { EXPECT_EQ(Take(TSettings(1920)), FirstRun()); }

struct SequenceCase {
    const char* name;
    Step setup;
    Step action;
    Log expected;
};

class NotificationSequence : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(NotificationSequence, MatchesTheRefreshOrder) {
    const SequenceCase& c = GetParam();
    Observed o(c.setup);
    c.action(o.settings);
    EXPECT_EQ(o.log, c.expected);
}

const Log kSize = {"O:ApplySize", "P:UpdateSizeField"};
const Log kOptions = {"O:RefreshOptions", "P:UpdateOptions"};

Log Join(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Setters, NotificationSequence,
    ::testing::Values(
        SequenceCase{"RestoreDefaultsAfterRatioOne", [](TSettings& s) { s.SetRatio(1.0); },
                     [](TSettings& s) { s.RestoreDefaults(); },
                     {"P:UpdateLock", "P:UpdateLock", "O:ApplySize", "P:UpdateSizeField", "O:ApplySize",
                      "P:UpdateRatio"}},
        SequenceCase{"RestoreDefaultsAfterEveryOptionChanged",
                     [](TSettings& s) {
                         s.SetLinesColor(1);
                         s.SetValuesColor(2);
                         s.SetMouseResizeAllowed(false);
                         s.SetOpacity(50);
                         s.SetMouseWheelAllowed(false);
                         s.SetOrientMode(2);
                         s.SetShowHints(false);
                         s.SetShowValues(false);
                         s.SetLookMode(7);
                         s.SetGridSize(20);
                         s.SetSettingsOpacity(true);
                         s.SetMoveUsingGrid(false);
                         s.SetSFrame(false);
                     },
                     [](TSettings& s) { s.RestoreDefaults(); },
                     Join({{"P:UpdateLock", "P:UpdateLock"},
                           kSize,
                           {"O:RefreshLook", "P:UpdateColors", "O:RefreshLook", "P:UpdateColors"},
                           kOptions,
                           {"O:ApplyOpacity", "P:UpdateOpacity"},
                           kOptions,
                           {"O:RefreshLook", "P:UpdateOrientation"},
                           kOptions,
                           kOptions,
                           {"O:RefreshLook", "P:UpdateLook", "O:RefreshLook", "P:UpdateGridSize"},
                           kOptions,
                           kOptions,
                           kOptions})},
        SequenceCase{"SetHeightWhileWidthLeads", Nothing, [](TSettings& s) { s.SetHeight(500); }, kSize},
        SequenceCase{"SetWidthWhileHeightLeads", HeightLeads, [](TSettings& s) { s.SetWidth(500); }, kSize},
        SequenceCase{"SetWidthBelowMinimum", Nothing, [](TSettings& s) { s.SetWidth(10); }, kSize},
        SequenceCase{"SetWidthUnchanged", Nothing, [](TSettings& s) { s.SetWidth(396); }, {}},
        SequenceCase{"SetHeightUnchanged", LockOff, [](TSettings& s) { s.SetHeight(245); }, {}},
        SequenceCase{"SetOpacityAbove100", Nothing, [](TSettings& s) { s.SetOpacity(101); }, {}},
        SequenceCase{"SetOpacityBelow0", Nothing, [](TSettings& s) { s.SetOpacity(-1); }, {}},
        SequenceCase{"SetOpacity100", Nothing, [](TSettings& s) { s.SetOpacity(100); },
                     {"O:ApplyOpacity", "P:UpdateOpacity"}},
        SequenceCase{"SetOpacity0", Nothing, [](TSettings& s) { s.SetOpacity(0); },
                     {"O:ApplyOpacity", "P:UpdateOpacity"}},
        SequenceCase{"SetLangOtherCase", Nothing, [](TSettings& s) { s.SetLang("english"); },
                     {"P:ReloadLanguage", "O:RefreshLanguage"}},
        SequenceCase{"SetLangSame", Nothing, [](TSettings& s) { s.SetLang("English"); }, {}},
        SequenceCase{"NextLookModeFrom13", [](TSettings& s) { s.SetLookMode(13); },
                     [](TSettings& s) { s.NextLookMode(); }, {"O:RefreshLook", "P:UpdateLook"}},
        SequenceCase{"NextOrientModeFrom3", [](TSettings& s) { s.SetOrientMode(3); },
                     [](TSettings& s) { s.NextOrientMode(); }, {"O:RefreshLook", "P:UpdateOrientation"}},
        SequenceCase{"SetGridSize1", Nothing, [](TSettings& s) { s.SetGridSize(1); },
                     {"O:RefreshLook", "P:UpdateGridSize"}},
        SequenceCase{"SetGridSize3Again", [](TSettings& s) { s.SetGridSize(3); },
                     [](TSettings& s) { s.SetGridSize(3); }, {}},
        SequenceCase{"SetGridSize1WhenClampedTo3", [](TSettings& s) { s.SetGridSize(3); },
                     [](TSettings& s) { s.SetGridSize(1); }, {"O:RefreshLook", "P:UpdateGridSize"}},
        SequenceCase{"SetRatioWithLockOff", LockOff, [](TSettings& s) { s.SetRatio(0.5); },
                     {"O:ApplySize", "P:UpdateRatio"}},
        SequenceCase{"SetRatioSame", Nothing, [](TSettings& s) { s.SetRatio(0.6180339887498949); }, {}},
        SequenceCase{"SetRatioNaN", Nothing,
                     [](TSettings& s) { s.SetRatio(std::numeric_limits<double>::quiet_NaN()); }, {}},
        SequenceCase{"SetRatioZero", Nothing, [](TSettings& s) { s.SetRatio(0.0); }, {}},
        SequenceCase{"SetRatioNegative", Nothing, [](TSettings& s) { s.SetRatio(-1.0); }, {}},
        SequenceCase{"SetRatioInfinite", Nothing,
                     [](TSettings& s) { s.SetRatio(std::numeric_limits<double>::infinity()); }, {}},
        SequenceCase{"SetBorderNotifiesNobody", Nothing, [](TSettings& s) { s.SetBorder(30); }, {}},
        // Another monitor under the guide: the lengths it and the panel show.
        SequenceCase{"MeasuringChangedShowsTheLengthsAnew", Nothing, [](TSettings& s) { s.MeasuringChanged(); },
                     {"O:RefreshLook", "P:UpdateSizeField"}},
        // A fit or a follow step: each window hears of it once, the overlay
        // with the new place.
        SequenceCase{"SetPlacementNotifiesEachWindowOnce", Nothing,
                     [](TSettings& s) { s.SetPlacement({{40, 50}, 451, 300, 300.0 / 451.0, true}); },
                     {"O:ApplyPlacement 40,50", "P:UpdateRatio", "P:UpdateSizeField"}},
        SequenceCase{"SetPlacementMovedOnly", Nothing,
                     [](TSettings& s) { s.SetPlacement({{7, 8}, 396, 245, 0.6180339887498949, true}); },
                     {"O:ApplyPlacement 7,8"}},
        SequenceCase{"SetPlacementUnlocks", Nothing,
                     [](TSettings& s) { s.SetPlacement({{7, 8}, 396, 245, 0.6180339887498949, false}); },
                     {"O:ApplyPlacement 7,8", "P:UpdateLock"}},
        SequenceCase{"SetWidthWhileFollowingEndsIt", [](TSettings& s) { s.SetFollowPicture(true); },
                     [](TSettings& s) { s.SetWidth(500); },
                     {"O:RefreshOptions", "P:UpdateOptions", "O:ApplySize", "P:UpdateSizeField"}},
        SequenceCase{"SetLockOff", Nothing, [](TSettings& s) { s.SetLock(false); }, {"P:UpdateLock"}},
        SequenceCase{"SetLockWidthOff", Nothing, [](TSettings& s) { s.SetLockWidth(false); }, {"P:UpdateLock"}},
        SequenceCase{"ApplyLockTellsOnlyTheOverlay", Nothing, [](TSettings& s) { s.ApplyLock(); },
                     {"O:ApplySize"}},
        SequenceCase{"ColorsAndFrame",
                     Nothing,
                     [](TSettings& s) {
                         s.SetLinesColor(0xFF);
                         s.SetValuesColor(0xFF00);
                         s.SetSFrame(false);
                     },
                     Join({{"O:RefreshLook", "P:UpdateColors", "O:RefreshLook", "P:UpdateColors"}, kOptions})},
        SequenceCase{"StoredPlacesNotifyNobody", Nothing,
                     [](TSettings& s) {
                         s.StoreOverlayPosition(5, 6);
                         s.StorePanelState(7, 8, false, 3);
                     },
                     {}}),
    CaseName<SequenceCase>);

struct SizeCase {
    const char* name;
    Step setup;
    Step action;
    std::int32_t width;
    std::int32_t height;
};

class SizeRules : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeRules, KeepTheLockAndTheBounds) {
    const SizeCase& c = GetParam();
    TSettings s(1920);
    c.setup(s);
    c.action(s);
    EXPECT_EQ(s.Width(), c.width);
    EXPECT_EQ(s.Height(), c.height);
}

void RatioHalf(TSettings& s) { s.SetRatio(0.5); }

INSTANTIATE_TEST_SUITE_P(
    Setters, SizeRules,
    ::testing::Values(
        SizeCase{"HeightIgnoredWhileWidthLeads", Nothing, [](TSettings& s) { s.SetHeight(500); }, 396, 245},
        SizeCase{"WidthIgnoredWhileHeightLeads", HeightLeads, [](TSettings& s) { s.SetWidth(500); }, 396, 245},
        SizeCase{"Width10BecomesMinimum", Nothing, [](TSettings& s) { s.SetWidth(10); }, 58, 36},
        SizeCase{"Height20WithLockOff", LockOff, [](TSettings& s) { s.SetHeight(20); }, 396, 36},
        SizeCase{"NegativeHeightWithLockOff", LockOff, [](TSettings& s) { s.SetHeight(-7); }, 396, 36},
        SizeCase{"HeightLeadsDerivesWidth", HeightLeads, [](TSettings& s) { s.SetHeight(309); }, 500, 309},
        SizeCase{"HalfRoundsToEvenDown", RatioHalf, [](TSettings& s) { s.SetWidth(489); }, 489, 244},
        SizeCase{"HalfRoundsToEvenUp", RatioHalf, [](TSettings& s) { s.SetWidth(491); }, 491, 246},
        SizeCase{"RatioReDerivesHeight", Nothing, [](TSettings& s) { s.SetRatio(1.5); }, 396, 594},
        SizeCase{"RatioReDerivesWidth", HeightLeads, [](TSettings& s) { s.SetRatio(0.5); }, 490, 245},
        SizeCase{"RatioWithLockOffKeepsSize", LockOff, [](TSettings& s) { s.SetRatio(0.5); }, 396, 245},
        SizeCase{"RatioDerivesBelowMinimumWidth", HeightLeads, [](TSettings& s) { s.SetRatio(100.0); }, 2, 245},
        SizeCase{"HugeWidthClamped", Nothing, [](TSettings& s) { s.SetWidth(2000000000); }, 16384, 10126},
        SizeCase{"HugeHeightClamped", LockOff, [](TSettings& s) { s.SetHeight(2000000000); }, 396, 16384},
        // The leading side gives way so the locked side stays under the cap.
        SizeCase{"WidthBoundedByLockedHeight", [](TSettings& s) { s.SetRatio(2.39); },
                 [](TSettings& s) { s.SetWidth(10000); }, 6855, 16383},
        SizeCase{"HeightBoundedByLockedWidth",
                 [](TSettings& s) {
                     s.SetLockWidth(false);
                     s.SetRatio(0.25);
                 },
                 [](TSettings& s) { s.SetHeight(10000); }, 16384, 4096},
        // Nearest(58 x 0.0175) is 1, whose width would be 57.
        SizeCase{"SmallestHeightKeepsTheMinimumWidth",
                 [](TSettings& s) {
                     s.SetLockWidth(false);
                     s.SetRatio(0.0175);
                 },
                 [](TSettings& s) { s.SetHeight(1); }, 114, 2},
        // Past 16384:58 no size meets both the cap and the minimum width.
        SizeCase{"ExtremeRatioKeepsItsOwnBounds",
                 [](TSettings& s) {
                     s.SetLockWidth(false);
                     s.SetRatio(1000.0);
                 },
                 [](TSettings& s) { s.SetHeight(5); }, 16, 16384},
        SizeCase{"HugeRatioClampsDerivedHeight", Nothing, [](TSettings& s) { s.SetRatio(1e308); }, 396, 16384},
        SizeCase{"HugeRatioClampsMinimumHeight",
                 [](TSettings& s) {
                     s.SetLock(false);
                     s.SetRatio(1000.0);
                 },
                 [](TSettings& s) { s.SetHeight(5); }, 396, 16384},
        SizeCase{"TinyRatioClampsDerivedWidth", HeightLeads, [](TSettings& s) { s.SetRatio(1e-300); }, 16384, 245},
        SizeCase{"ApplyLockAfterLockSwitchedOn",
                 [](TSettings& s) {
                     s.SetLock(false);
                     s.SetHeight(100);
                     s.SetLock(true);
                 },
                 [](TSettings& s) { s.ApplyLock(); }, 396, 245},
        SizeCase{"ApplyLockWithHeightLeading",
                 [](TSettings& s) {
                     s.SetLock(false);
                     s.SetLockWidth(false);
                     s.SetHeight(100);
                     s.SetLock(true);
                 },
                 [](TSettings& s) { s.ApplyLock(); }, 162, 100},
        SizeCase{"SetLockDoesNotDerive",
                 [](TSettings& s) {
                     s.SetLock(false);
                     s.SetHeight(100);
                 },
                 [](TSettings& s) { s.SetLock(true); }, 396, 100}),
    CaseName<SizeCase>);

struct ClampCase {
    const char* name;
    Step action;
    std::function<std::int32_t(const TSettings&)> read;
    std::int32_t expected;
};

class Clamping : public ::testing::TestWithParam<ClampCase> {};

TEST_P(Clamping, KeepsValuesInRange) {
    const ClampCase& c = GetParam();
    TSettings s(1920);
    c.action(s);
    EXPECT_EQ(c.read(s), c.expected);
}

std::int32_t ReadBorder(const TSettings& s) { return s.Border(); }
std::int32_t ReadGrid(const TSettings& s) { return s.GridSize(); }
std::int32_t ReadOpacity(const TSettings& s) { return s.Opacity(); }
std::int32_t ReadLook(const TSettings& s) { return s.LookMode(); }
std::int32_t ReadOrient(const TSettings& s) { return s.OrientMode(); }

INSTANTIATE_TEST_SUITE_P(
    Setters, Clamping,
    ::testing::Values(ClampCase{"BorderNegative", [](TSettings& s) { s.SetBorder(-5); }, ReadBorder, 0},
                      ClampCase{"BorderHuge", [](TSettings& s) { s.SetBorder(5000); }, ReadBorder, 1024},
                      ClampCase{"GridSizeBelow3", [](TSettings& s) { s.SetGridSize(1); }, ReadGrid, 3},
                      ClampCase{"GridSizeHuge", [](TSettings& s) { s.SetGridSize(1 << 30); }, ReadGrid, 32766},
                      ClampCase{"Opacity150Ignored", [](TSettings& s) { s.SetOpacity(150); }, ReadOpacity, 90},
                      ClampCase{"Opacity0Stored", [](TSettings& s) { s.SetOpacity(0); }, ReadOpacity, 0},
                      ClampCase{"LookModeUnchecked", [](TSettings& s) { s.SetLookMode(40); }, ReadLook, 40},
                      ClampCase{"NextLookModeAbove13",
                                [](TSettings& s) {
                                    s.SetLookMode(40);
                                    s.NextLookMode();
                                },
                                ReadLook, 0},
                      ClampCase{"NextLookModeSteps", [](TSettings& s) { s.NextLookMode(); }, ReadLook, 2},
                      ClampCase{"NextOrientModeFrom3",
                                [](TSettings& s) {
                                    s.SetOrientMode(3);
                                    s.NextOrientMode();
                                },
                                ReadOrient, 0},
                      ClampCase{"NextOrientModeSteps", [](TSettings& s) { s.NextOrientMode(); }, ReadOrient, 1}),
    CaseName<ClampCase>);

TEST(TSettings, RestoreDefaultsKeepsLanguageAndPlaces) {
    TSettings s(1920);
    s.SetLang("Deutsch");
    s.StoreOverlayPosition(11, 12);
    s.StorePanelState(13, 14, false, 3);
    s.SetRatio(1.0);
    s.SetOpacity(40);
    s.SetLookMode(9);
    s.RestoreDefaults();
    Snapshot expected = FirstRun();
    expected.lang = "Deutsch";
    expected.x = 11;
    expected.y = 12;
    expected.sx = 13;
    expected.sy = 14;
    expected.sVisible = false;
    expected.sPage = 3;
    EXPECT_EQ(Take(s), expected);
}

// A guide with its two windows recorded, in `group` when one is given.
struct Member {
    explicit Member(const std::vector<TSettings*>* group = nullptr) {
        settings.ShareWith(group);
        settings.SetOverlay(&overlay);
        settings.SetPanel(&panel);
    }
    Log log;
    TSettings settings{1920};
    RecordingOverlay overlay{log};
    RecordingPanel panel{log};
};

struct ShareCase {
    const char* name;
    Step action;  // on the second of three guides
    Log own;
    Log others;
};

class Sharing : public ::testing::TestWithParam<ShareCase> {};

TEST_P(Sharing, SharedValuesReachEveryGuideOfTheGroup) {
    const ShareCase& c = GetParam();
    std::vector<TSettings*> group;
    Member m[3] = {Member(&group), Member(&group), Member(&group)};
    group = {&m[0].settings, &m[1].settings, &m[2].settings};
    const Snapshot before = Take(m[0].settings);
    c.action(m[1].settings);
    EXPECT_EQ(m[1].log, c.own);
    for (const int i : {0, 2}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(m[i].log, c.others);
        EXPECT_EQ(Take(m[i].settings), WithShared(before, Take(m[1].settings)));
    }
}

const Log kLanguage = {"P:ReloadLanguage", "O:RefreshLanguage"};

INSTANTIATE_TEST_SUITE_P(
    Group, Sharing,
    ::testing::Values(
        ShareCase{"ShowHints", [](TSettings& s) { s.SetShowHints(false); }, kOptions, kOptions},
        ShareCase{"MouseResize", [](TSettings& s) { s.SetMouseResizeAllowed(false); }, kOptions, kOptions},
        ShareCase{"MouseWheel", [](TSettings& s) { s.SetMouseWheelAllowed(false); }, kOptions, kOptions},
        ShareCase{"MoveUsingGrid", [](TSettings& s) { s.SetMoveUsingGrid(false); }, kOptions, kOptions},
        ShareCase{"SettingsOpacity", [](TSettings& s) { s.SetSettingsOpacity(true); }, kOptions, kOptions},
        ShareCase{"Lang", [](TSettings& s) { s.SetLang("Deutsch"); }, kLanguage, kLanguage},
        ShareCase{"PanelState", [](TSettings& s) { s.StorePanelState(7, 8, false, 3); }, {}, {}},
        ShareCase{"RestoreDefaultsResetsEveryGuidesSwitches",
                  [](TSettings& s) {
                      s.SetShowHints(false);
                      s.RestoreDefaults();
                  },
                  Join({kOptions, {"P:UpdateLock", "P:UpdateLock"}, kSize, kOptions}), Join({kOptions, kOptions})},
        ShareCase{"ShowValuesIsTheGuidesOwn", [](TSettings& s) { s.SetShowValues(false); }, kOptions, {}},
        ShareCase{"FrameIsTheGuidesOwn", [](TSettings& s) { s.SetSFrame(false); }, kOptions, {}},
        ShareCase{"LookIsTheGuidesOwn", [](TSettings& s) { s.SetLookMode(5); }, {"O:RefreshLook", "P:UpdateLook"}, {}},
        ShareCase{"SizeIsTheGuidesOwn", [](TSettings& s) { s.SetWidth(500); }, kSize, {}}),
    CaseName<ShareCase>);

TEST(TSettings, CopyFromTakesEveryValueButKeepsItsWindowsAndGroup) {
    TSettings from(800);
    from.SetRatio(1.5);
    from.SetLookMode(7);
    from.SetLang("Deutsch");
    from.StoreOverlayPosition(1, 2);
    std::vector<TSettings*> group;
    Member to(&group), other;
    group = {&to.settings, &other.settings};
    to.settings.CopyFrom(from);
    EXPECT_EQ(Take(to.settings), Take(from));
    EXPECT_TRUE(to.log.empty());
    to.settings.SetShowHints(false);
    EXPECT_EQ(to.log, kOptions);
    EXPECT_FALSE(other.settings.ShowHints());
}

TEST(TSettings, UnregisteredWindowIsSkipped) {
    Log log;
    RecordingPanel panel(log);
    TSettings s(1920);
    s.SetPanel(&panel);
    s.SetLookMode(4);
    s.SetPanel(nullptr);
    s.SetLookMode(5);
    EXPECT_EQ(log, (Log{"P:UpdateLook"}));
}

}  // namespace
}  // namespace lumetra::test
