#include "app/ProgramCommands.h"

#include "app/Guides.h"
#include "settings/AppSettings.h"

namespace lumetra {

bool AllClickThrough(const TGuideSet& guides) {
    for (int i = 0; i < guides.Count(); ++i) {
        if (!guides.Guide(i).ClickThrough()) return false;
    }
    return true;
}

void SwitchClickThrough(TGuideSet& guides) {
    const bool on = !AllClickThrough(guides);
    for (int i = 0; i < guides.Count(); ++i) guides.Guide(i).SetClickThrough(on);
}

}  // namespace lumetra
