#include "app/ProgramCommands.h"

#include <array>
#include <string>

#include "app/Guides.h"
#include "lang/Texts.h"
#include "settings/AppSettings.h"
#include "units/Units.h"

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

std::vector<MenuItem> UnitsMenu(const ProgramState& state) {
    // Made once, so that the items' keys live as long as the program.
    static const std::array<std::string, kUnitCount> kUnitKeys = [] {
        std::array<std::string, kUnitCount> keys;
        for (std::int32_t i = 0; i < kUnitCount; ++i) keys[i] = texts::MSUnit.Key(i);
        return keys;
    }();
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
    return {.guidesShown = guidesShown,
            .allClickThrough = all,
            .guides = guides.Count(),
            .anyClickThrough = any,
            .currentFollows = guides.CurrentGuide().FollowPicture(),
            .units = guides.CurrentGuide().Units()};
}

void SwitchClickThrough(TGuideSet& guides) {
    const bool on = !StateOf(guides, true).allClickThrough;
    for (int i = 0; i < guides.Count(); ++i) guides.Guide(i).SetClickThrough(on);
}

}  // namespace lumetra
