#include "app/ProgramCommands.h"

#include "app/Guides.h"
#include "settings/AppSettings.h"
#include "units/Units.h"

namespace lumetra {

std::vector<MenuItem> ProgramMenu(const ProgramState& state) {
    const bool shown = state.guidesShown;
    return {
        {ProgramCommand::ShowHide, shown ? "MTrayHide" : "MTrayShow"},
        {ProgramCommand::ClickThrough, "MTrayClickThrough", state.allClickThrough, shown},
        {ProgramCommand::Fit, "MSFitPictureBtn", false, shown},
        {ProgramCommand::NewGuide, "MSNewGuideBtn", false, shown && state.guides < kMaxGuides},
        {ProgramCommand::CopyComposition, "MSCopyCompositionBtn", false, shown},
        {ProgramCommand::Settings, "MTraySettings"},
        {ProgramCommand::Manual, "MTrayManual"},
        // After the older entries, so that they keep their places.
        {ProgramCommand::Follow, "MTrayFollow", state.currentFollows, shown},
        {ProgramCommand::Exit, "MTrayExit"},
    };
}

std::vector<MenuItem> UnitsMenu(const ProgramState& state) {
    static constexpr std::string_view kUnitKeys[kUnitCount] = {"MSUnit0", "MSUnit1", "MSUnit2", "MSUnit3",
                                                               "MSUnit4", "MSUnit5", "MSUnit6"};
    std::vector<MenuItem> items;
    for (std::int32_t i = 0; i < kUnitCount; ++i) {
        items.push_back({ProgramCommand::Settings, kUnitKeys[i], state.units == i});
    }
    return items;
}

ProgramCommand HotKeyAction(HotKeyCommand command) {
    switch (command) {
        case HotKeyCommand::ClickThrough: return ProgramCommand::ClickThrough;
        case HotKeyCommand::ShowHide: return ProgramCommand::ShowHide;
        case HotKeyCommand::Fit: return ProgramCommand::Fit;
        case HotKeyCommand::NextLook: break;
    }
    return ProgramCommand::NextLook;
}

ProgramState StateOf(const TGuideSet& guides, bool guidesShown) {
    bool all = true;
    bool any = false;
    for (int i = 0; i < guides.Count(); ++i) {
        all = all && guides.Guide(i).ClickThrough();
        any = any || guides.Guide(i).ClickThrough();
    }
    return {guidesShown, all, guides.Count(), any, guides.CurrentGuide().FollowPicture(), false,
            guides.CurrentGuide().Units()};
}

void SwitchClickThrough(TGuideSet& guides) {
    const bool on = !StateOf(guides, true).allClickThrough;
    for (int i = 0; i < guides.Count(); ++i) guides.Guide(i).SetClickThrough(on);
}

}  // namespace lumetra
