#include "app/TrayIcon.h"

#include "lang/Texts.h"
#include "text/Unicode.h"

#include "lang/LangTable.h"

namespace lumetra {

TrayLook TrayLookOf(const ProgramState& state, const LangTable& lang, std::size_t tipCapacity) {
    TrayLook look{state.anyClickThrough, kProgramName, state.anyWaiting};
    if (state.anyClickThrough) look.tip += " " + lang.Text(texts::MClickThroughMark);
    if (state.anyWaiting) look.tip += " " + lang.Text(texts::MFollowWaitingMark);
    // A language file's mark may be long; the name comes first and stays.
    if (tipCapacity > 0) look.tip = std::string(Utf8PrefixInUtf16Units(look.tip, tipCapacity - 1));
    return look;
}

}  // namespace lumetra
