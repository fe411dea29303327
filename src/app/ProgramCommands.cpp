#include "app/ProgramCommands.h"

#include "app/Guides.h"
#include "lang/Texts.h"
#include "settings/AppSettings.h"

namespace lumetra {

std::vector<MenuItem> ProgramMenu(const ProgramState& state) {
    const bool shown = state.guidesShown;
    return {
        {ProgramCommand::ShowHide, shown ? texts::MTrayHide : texts::MTrayShow},
        {ProgramCommand::ClickThrough, texts::MTrayClickThrough, state.allClickThrough, shown},
        {ProgramCommand::Fit, texts::MSFitPictureBtn, false, shown},
        {ProgramCommand::NewGuide, texts::MSNewGuideBtn, false, shown && state.guides < kMaxGuides},
        {ProgramCommand::CopyComposition, texts::MSCopyCompositionBtn, false, shown},
        {ProgramCommand::Settings, texts::MTraySettings},
        {ProgramCommand::Manual, texts::MTrayManual},
        // After the older entries, so that they keep their places.
        {ProgramCommand::Follow, texts::MTrayFollow, state.currentFollows, shown},
        {ProgramCommand::Exit, texts::MTrayExit},
    };
}

std::vector<MenuItem> FullProgramMenu(const ProgramState& state) {
    std::vector<MenuItem> menu = ProgramMenu(state);
    menu.insert(menu.end() - 1, {ProgramCommand::StartWithWindows, texts::MSStartWithWindows,
                                 state.startWithWindows.checked, state.startWithWindows.enabled});
    return menu;
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
    return {guidesShown, all, guides.Count(), any, guides.CurrentGuide().FollowPicture()};
}

void SwitchClickThrough(TGuideSet& guides) {
    const bool on = !StateOf(guides, true).allClickThrough;
    for (int i = 0; i < guides.Count(); ++i) guides.Guide(i).SetClickThrough(on);
}

}  // namespace lumetra
