#include "app/CommandActions.h"

#include "app/Guides.h"
#include "common/Text.h"
#include "common/Types.h"
#include "overlay/lookfiles/LookLibrary.h"
#include "overlay/compose/LookCatalogue.h"
#include "settings/AppSettings.h"

namespace lumetra {

namespace {

constexpr std::int32_t kNextLook = -1;

// The commands that need the guides on the screen, as their menu items do.
bool NeedsShownGuides(LineCommandName name) {
    switch (name) {
        case LineCommandName::Fit:
        case LineCommandName::Follow:
        case LineCommandName::New:
        case LineCommandName::Copy:
        case LineCommandName::Save: return true;
        default: return false;
    }
}

}  // namespace

std::optional<std::int32_t> LookFor(std::string_view argument, const TSettings& guide, const LookLibrary& library,
                                    const LangTable& lang) {
    if (argument == "next") return kNextLook;
    if (const std::optional<std::int32_t> number = BuiltInLookNumber(argument)) return number;
    for (std::int32_t mode = 0; mode < guide.LookCount(); ++mode) {
        if (EqualsIgnoringAsciiCase(LookName(library, mode, lang, guide.Lang()), argument)) return mode;
    }
    int file = FindLookFile(library, argument);
    if (file < 0) file = FindLookFile(library, std::string(argument) + kLookFileExtension);
    if (file >= 0 && kBuiltInLookCount + file < guide.LookCount()) return kBuiltInLookCount + file;
    return std::nullopt;
}

CommandProblem CarryOut(const LineCommand& command, TGuideSet& guides, ICommandTarget& target,
                        const LookLibrary& library, const LangTable& lang) {
    const bool shown = target.State().guidesShown;
    if (NeedsShownGuides(command.name) && !shown) return CommandProblem::GuidesHidden;
    switch (command.name) {
        case LineCommandName::Show:
            if (!shown) target.Run(ProgramCommand::ShowHide);
            break;
        case LineCommandName::Hide:
            if (shown) target.Run(ProgramCommand::ShowHide);
            break;
        case LineCommandName::Toggle: target.Run(ProgramCommand::ShowHide); break;
        case LineCommandName::ClickThrough:
            if (command.argument == "toggle") {
                SwitchClickThrough(guides);
            } else {
                for (int i = 0; i < guides.Count(); ++i) guides.Guide(i).SetClickThrough(command.argument == "on");
            }
            break;
        case LineCommandName::Fit: target.Run(ProgramCommand::Fit); break;
        case LineCommandName::Follow: target.Run(ProgramCommand::Follow); break;
        case LineCommandName::Look: {
            const std::optional<std::int32_t> look = LookFor(command.argument, guides.CurrentGuide(), library, lang);
            if (!look) return CommandProblem::UnknownLook;
            if (*look == kNextLook) {
                guides.CurrentGuide().NextLookMode();
            } else {
                guides.CurrentGuide().SetLookMode(*look);
            }
            break;
        }
        case LineCommandName::New: target.Run(ProgramCommand::NewGuide); break;
        case LineCommandName::Copy: target.Run(ProgramCommand::CopyComposition); break;
        case LineCommandName::Save:
            if (!target.SaveComposition(command.argument)) return CommandProblem::NotSaved;
            break;
        case LineCommandName::Settings: target.Run(ProgramCommand::Settings); break;
        case LineCommandName::Exit: target.Run(ProgramCommand::Exit); break;
        case LineCommandName::StartWithWindows: break;  // the starting copy's own, never handed over
    }
    return CommandProblem::None;
}

}  // namespace lumetra
