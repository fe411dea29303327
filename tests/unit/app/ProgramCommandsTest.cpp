// The click-through switch of all guides.
#include <gtest/gtest.h>

#include <memory>

#include "app/Guides.h"
#include "app/ProgramCommands.h"
#include "settings/AppSettings.h"

namespace lumetra {
namespace {

TEST(ProgramCommands, ClickThroughSwitchesEveryGuideTogether) {
    TGuideSet guides(std::make_unique<TSettings>(1920));
    guides.Add();
    guides.Add();
    guides.Guide(1).SetClickThrough(true);  // one of three: the switch turns it on for all
    const bool want[] = {true, false, true};
    for (const bool on : want) {
        SwitchClickThrough(guides);
        for (int i = 0; i < guides.Count(); ++i) EXPECT_EQ(guides.Guide(i).ClickThrough(), on) << i;
        EXPECT_EQ(AllClickThrough(guides), on);
    }
}

}  // namespace
}  // namespace lumetra
