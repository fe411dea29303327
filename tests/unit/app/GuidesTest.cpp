#include "app/Guides.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/CaseName.h"
#include "settings/IniEncoding.h"
#include "settings/SettingsFile.h"
#include "settings/Snapshot.h"
#include "support/FakePlatformFiles.h"

namespace lumetra::test {
namespace {

// The guides of a run that starts from `ini`.
std::unique_ptr<TGuideSet> Loaded(const std::string& ini, char separator) {
    auto first = std::make_unique<TSettings>(1280);
    first->LoadFromText(ini, separator);
    auto guides = std::make_unique<TGuideSet>(std::move(first));
    guides->LoadFurtherFromText(ini, separator);
    return guides;
}

class GuidesRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(GuidesRoundTrip, LoadsBackWhatWasSavedAndSavesTheSameAgain) {
    const int count = GetParam();
    TGuideSet saved(std::make_unique<TSettings>(1280));
    for (int i = 0; i < count; ++i) {
        TSettings& guide = i == 0 ? saved.Guide(0) : *saved.Add();
        guide.SetLockWidth(i % 2 == 0);
        guide.SetRatio(1.0 + i * 0.25);
        guide.SetHeight(100 + i);
        guide.SetWidth(200 + i);
        guide.SetLookMode(i);
        guide.SetOpacity(5 * i);
        guide.SetSFrame(i % 3 != 0);
        guide.StoreOverlayPosition(-i, 10 * i);
    }
    saved.CurrentGuide().SetLang("Deutsch");
    saved.CurrentGuide().StorePanelState(5, 6, false, 2);
    const std::string user = "; mine\r\n[Settings]\r\nMine=1\r\n\r\n[Own]\r\nA=b\r\n";
    const std::string written = saved.SaveToText(user, ',');
    const auto loaded = Loaded(written, ',');
    ASSERT_EQ(loaded->Count(), count);
    for (int i = 0; i < count; ++i) EXPECT_EQ(Take(loaded->Guide(i)), Take(saved.Guide(i))) << i;
    EXPECT_EQ(loaded->SaveToText(written, ','), written);
    // One guide writes the single-guide file, byte for byte.
    if (count == 1) {
        EXPECT_EQ(written, saved.Guide(0).SaveToText(user, ','));
    }
}

INSTANTIATE_TEST_SUITE_P(Guides, GuidesRoundTrip, ::testing::Values(1, 2, 16));

struct GoneCase {
    const char* name;
    std::string extra;  // at the end of the user's file
    bool kept;
};

class GoneGuideSections : public ::testing::TestWithParam<GoneCase> {};

TEST_P(GoneGuideSections, GoAtTheNextSaveAndNothingElseDoes) {
    const GoneCase& c = GetParam();
    TGuideSet guides(std::make_unique<TSettings>(1280));
    guides.Add()->SetLookMode(5);
    const std::string user = "[Settings]\r\nMine=1\r\n[Guide2]\r\nNote=x\r\n[Own]\r\nA=b\r\n";
    const std::string expected =
        guides.Guide(1).SaveGuideToText(guides.Guide(0).SaveToText(user + (c.kept ? c.extra : ""), '.'), "Guide2", '.');
    EXPECT_EQ(guides.SaveToText(user + c.extra, '.'), expected);
}

INSTANTIATE_TEST_SUITE_P(Guides, GoneGuideSections,
                         ::testing::Values(GoneCase{"ClosedGuide", "[Guide3]\r\nBorder=1\r\n", false},
                                           GoneCase{"ClosedLongAgo", "[Guide40]\r\nX=1", false},
                                           GoneCase{"EveryCopy", "[Guide3]\r\nX=1\r\n[ guide3 ]\r\nX=2\r\n", false},
                                           GoneCase{"BeyondTheProgramsNumbers", "[Guide65]\r\nX=1\r\n", true},
                                           GoneCase{"LookAlikes", "[Guide3x]\r\n[MyGuide3]\r\nGuide3=1\r\n", true}),
                         CaseName<GoneCase>);

struct EditCase {
    const char* name;
    int count;        // guides whose looks are 0, 1, ...; the last is current
    int makeCurrent;  // first
    int remove;       // then this guide is removed, or with -1 one is added
    bool done;
    std::vector<int> looks;
    int current;
};

class GuideEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(GuideEdits, KeepEveryObjectInPlaceAndTheGroupWhole) {
    const EditCase& c = GetParam();
    TGuideSet guides(std::make_unique<TSettings>(1280));
    std::vector<const TSettings*> places = {&guides.Guide(0)};
    for (int i = 1; i < c.count; ++i) places.push_back(guides.Add());
    for (int i = 0; i < c.count; ++i) guides.Guide(i).SetLookMode(i);
    guides.MakeCurrent(c.makeCurrent);
    if (c.remove >= 0) {
        EXPECT_EQ(guides.Remove(c.remove), c.done);
    } else {
        const TSettings* added = guides.Add();
        EXPECT_EQ(added, c.done ? &guides.CurrentGuide() : nullptr);
    }
    std::vector<int> looks;
    for (int i = 0; i < guides.Count(); ++i) looks.push_back(guides.Guide(i).LookMode());
    EXPECT_EQ(looks, c.looks);
    EXPECT_EQ(guides.Current(), c.current);
    for (int i = 0; i < std::min(c.count, guides.Count()); ++i) EXPECT_EQ(&guides.Guide(i), places[i]) << i;
    guides.Guide(guides.Count() - 1).SetShowHints(false);
    for (int i = 0; i < guides.Count(); ++i) EXPECT_FALSE(guides.Guide(i).ShowHints()) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Guides, GuideEdits,
    ::testing::Values(
        EditCase{"AddCopiesTheCurrentGuide", 3, 1, -1, true, {0, 1, 2, 1}, 3},
        EditCase{"AddAtTheLimit", 16, 15, -1, false, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 15},
        EditCase{"RemoveFirst", 3, 2, 0, true, {1, 2}, 1},
        EditCase{"RemoveCurrentInTheMiddle", 3, 1, 1, true, {0, 2}, 1},
        EditCase{"RemoveCurrentLast", 3, 2, 2, true, {0, 1}, 1},
        EditCase{"RemoveAfterTheCurrent", 3, 0, 1, true, {0, 2}, 0},
        EditCase{"RemoveTheOnlyGuide", 1, 0, 0, false, {0}, 0},
        EditCase{"OutOfRangeIgnored", 2, 7, 2, false, {0, 1}, 1}),
    CaseName<EditCase>);

// Sections [GuideN] for N in [from, to], each with LookMode=N.
std::string Numbered(int from, int to) {
    std::string text;
    for (int n = from; n <= to; ++n) {
        text += "[Guide" + std::to_string(n) + "]\r\nLookMode=" + std::to_string(n) + "\r\n";
    }
    return text;
}

std::vector<std::string> Looks(int from, int to) {
    std::vector<std::string> bodies;
    for (int n = from; n <= to; ++n) bodies.push_back("LookMode=" + std::to_string(n) + "\r\n");
    return bodies;
}

struct FileCase {
    const char* name;
    std::string further;              // the file after its Settings section
    std::vector<std::string> bodies;  // each further guide as a Settings section would give it
};

class HostileLookFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(HostileLookFiles, GiveEachGuideAsItsSectionReadsAlone) {
    const FileCase& c = GetParam();
    const std::string ini =
        "[Settings]\r\nLookMode=1\r\nOpacity=40\r\nLock=0\r\nWidth=500\r\nHeight=100\r\n"
        "Lang=Deutsch\r\nShowHints=0\r\n" +
        c.further;
    const auto guides = Loaded(ini, '.');
    ASSERT_EQ(guides->Count(), 1 + static_cast<int>(c.bodies.size()));
    TSettings first(1280);
    first.LoadFromText(ini, '.');
    EXPECT_EQ(Take(guides->Guide(0)), Take(first));
    for (std::size_t i = 0; i < c.bodies.size(); ++i) {
        TSettings alone(1280);
        alone.LoadFromText("[Settings]\r\n" + c.bodies[i], '.');
        EXPECT_EQ(Take(guides->Guide(static_cast<int>(i) + 1)), WithShared(Take(alone), Take(first))) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Guides, HostileLookFiles,
    ::testing::Values(
        FileCase{"MissingNumbers", Numbered(2, 2) + Numbered(4, 4), {Looks(2, 2)[0], Looks(4, 4)[0]}},
        FileCase{"OutOfOrder", Numbered(3, 3) + Numbered(2, 2), Looks(2, 3)},
        FileCase{"RepeatedSection", Numbered(2, 2) + "[GUIDE2]\r\nLookMode=7\r\nBorder=1\r\n", Looks(2, 2)},
        FileCase{"MoreThanSixteen", Numbered(2, 20), Looks(2, 16)},
        FileCase{"NumbersNotRead", "[Guide65]\r\n[Guide1]\r\n[Guide0]\r\n[Guide-2]\r\n[Guide02]\r\n[Guide 2]\r\n", {}},
        FileCase{"GarbageInOneGuide",
                 "[Guide2]\r\nOpacity=150\r\nRatio=-1\r\nGridSize=99999\r\nWidth=zz\r\nBorder=-9\r\n" + Numbered(3, 3),
                 {"Opacity=150\r\nRatio=-1\r\nGridSize=99999\r\nWidth=zz\r\nBorder=-9\r\n", Looks(3, 3)[0]}},
        FileCase{"LockedAfterAnUnlockedFirst", "[Guide2]\r\nLock=1\r\nWidth=500\r\n", {"Lock=1\r\nWidth=500\r\n"}},
        FileCase{"SharedKeysInAGuideIgnored",
                 "[Guide2]\r\nLang=Polski\r\nShowHints=1\r\nSX=1\r\n",
                 {"Lang=Polski\r\nShowHints=1\r\nSX=1\r\n"}}),
    CaseName<FileCase>);

TEST(GuideSet, FileKeepsItsEncodingAndAnUnreadableOneIsLeftAlone) {
    const struct {
        const char* name;
        IniEncoding encoding;
        bool unreadable;
    } cases[] = {{"bytes", IniEncoding::Bytes, false},
                 {"UTF-16", IniEncoding::Utf16Le, false},
                 {"unreadable", IniEncoding::Bytes, true}};
    const std::string text = "; \xE6\x97\xA5\r\n[Settings]\r\nLookMode=2\r\n[Guide2]\r\nLookMode=3\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatformFiles platform;
        SettingsFile file(platform);
        const std::string path = file.SettingsFilePath();
        platform.files[path] = EncodeIniFile({c.encoding, text, ""});
        if (c.unreadable) platform.unreadable.insert(path);
        auto first = std::make_unique<TSettings>(1280);
        first->Load(file);
        TGuideSet guides(std::move(first));
        guides.LoadFurther(file);
        EXPECT_EQ(guides.Count(), c.unreadable ? 1 : 2);
        guides.CurrentGuide().SetLookMode(9);
        EXPECT_EQ(guides.Save(file), !c.unreadable);
        const std::string expected = c.unreadable ? text : guides.SaveToText(text, '.');
        EXPECT_EQ(platform.files[path], EncodeIniFile({c.encoding, expected, ""}));
    }
}

TEST(GuideSet, NewGuideGoesAStepOnButStaysOnTheScreen) {
    const Rect work{0, 40, 1920, 1080};
    const struct {
        const char* name;
        Rect current, screen;
        Point expected;
    } cases[] = {
        {"room to spare", {100, 100, 300, 200}, work, {132, 132}},
        {"at the bottom right", {1800, 1000, 1900, 1070}, work, {1820, 1010}},
        {"larger than the screen", {-50, 0, 3000, 2000}, work, {0, 40}},
        {"huge coordinates", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, work, {0, 40}},
        {"far right", {INT_MAX - 10, 50, INT_MAX, 60}, work, {1910, 82}},
        {"screen left of the primary", {-1800, 0, -1000, 500}, {-1920, 0, 0, 1080}, {-1768, 32}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NewGuidePlace(c.current, c.screen), c.expected);
    }
}

// A new guide opens beside the current one's picture: it does not follow
// it, whatever else it copies; closing a guide moves the others' own down.
TEST(GuideFollowing, ANewGuideDoesNotFollowAndAClosedOnesPlaceTakesTheNext) {
    TGuideSet guides(std::make_unique<TSettings>(1280));
    guides.Guide(0).SetFollowPicture(true);
    guides.Guide(0).SetLookMode(4);
    TSettings* added = guides.Add();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->LookMode(), 4);
    EXPECT_FALSE(added->FollowPicture());
    EXPECT_TRUE(guides.Guide(0).FollowPicture());
    ASSERT_TRUE(guides.Remove(0));
    EXPECT_FALSE(guides.Guide(0).FollowPicture());
}

}  // namespace
}  // namespace lumetra::test
