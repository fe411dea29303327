// The guide files a run offers: found at start, handed to every guide,
// named and drawn after the built-in looks, and the unusable ones named once.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "app/Guides.h"
#include "app/Startup.h"
#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "overlay/compose/LookCatalogue.h"
#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"
#include "support/FakePlatformFiles.h"
#include "support/RecordingCanvas.h"

namespace lumetra::test {
namespace {

const std::string kGuides = "D:\\Lumetra\\Guides\\";

class GuideFilesTest : public ::testing::Test {
protected:
    GuideFilesTest() {
        platform.moduleFileName = "D:\\Lumetra\\Lumetra.exe";
        platform.files[kGuides + "cross.guide"] =
            "name = Cross\nname.German = Kreuz\nline 0.5 0 0.5 1\nline 0 0.5 1 0.5\n";
        platform.files[kGuides + "frame.guide"] = "rect 0.1 0.1 0.9 0.9\n";
        platform.files[kGuides + "broken.guide"] = "name = Broken\nline 0 0\n";
        lang.Merge("MSLook3", "Thirds");
        lang.Merge("MGuideSkipped", "Left out: %s");
        auto first = std::make_unique<TSettings>(1280);
        first->LoadFromText("[Settings]\r\nLookMode=19\r\nLookFile=frame.guide\r\n", '.');
        guides = std::make_unique<TGuideSet>(std::move(first));
        guides->Add();
    }
    std::string Offer() {
        OfferedLooks offered = OfferLookFiles(*guides, SettingsFile(platform), lang);
        looks = std::move(offered.library);
        return offered.notice;
    }

    FakePlatformFiles platform;
    LangTable lang;
    std::unique_ptr<TGuideSet> guides;
    LookLibrary looks;
};

TEST_F(GuideFilesTest, EveryGuideGetsTheFilesAndTheBrokenOneIsNamed) {
    EXPECT_EQ(Offer(), "Left out: broken.guide");
    // "cross" sorts first, so the saved frame.guide moved from 19 to 20.
    for (int i = 0; i < guides->Count(); ++i) {
        EXPECT_EQ(guides->Guide(i).LookCount(), kBuiltInLookCount + 2) << i;
        EXPECT_EQ(guides->Guide(i).LookMode(), kBuiltInLookCount + 1) << i;
        EXPECT_EQ(guides->Guide(i).LookFile(), "frame.guide") << i;
    }
    platform.files.erase(kGuides + "broken.guide");
    EXPECT_EQ(Offer(), "");
}

TEST_F(GuideFilesTest, LooksAreNamedByLanguageThenByFileName) {
    Offer();
    struct Case {
        std::int32_t look;
        const char* language;
        const char* name;
    };
    const Case cases[] = {
        {3, "German", "Thirds"},
        {kBuiltInLookCount, "German", "Kreuz"},
        {kBuiltInLookCount, "English", "Cross"},
        {kBuiltInLookCount + 1, "English", "frame.guide"},  // the file gives no name
        {kBuiltInLookCount + 2, "English", ""},
        {-1, "English", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LookName(looks, c.look, lang, c.language), c.name) << c.look << " " << c.language;
    }
}

TEST_F(GuideFilesTest, TheChosenGuideFileIsDrawn) {
    Offer();
    TSettings& s = guides->Guide(0);
    s.SetLookMode(kBuiltInLookCount);  // the cross: two lines through the centre
    test::RecordingCanvas cross;
    RenderChosenLook(looks, LookSettingsOf(s), lang, cross);
    const auto& f = cross.segments;
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].from.x, f[0].to.x);
    EXPECT_EQ(f[1].from.y, f[1].to.y);
    s.SetLookMode(kBuiltInLookCount + 2);  // past the files: nothing
    test::RecordingCanvas none;
    RenderChosenLook(looks, LookSettingsOf(s), lang, none);
    EXPECT_TRUE(none.segments.empty());
}

}  // namespace
}  // namespace lumetra::test
