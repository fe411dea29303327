// The hot-key boxes: what each command's combination is, and why a typed
// one is refused or taken.
#include <cstddef>
#include <string>
#include <string_view>

#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "panel/PanelController.h"

namespace lumetra {
namespace {

// Why a typed combination cannot be the command's hot key, as a language
// key; nothing when it can.
std::string_view HotKeyRefusal(HotKeyVerdict verdict) {
    switch (verdict) {
        case HotKeyVerdict::Accepted: break;
        case HotKeyVerdict::Unnamed: return texts::MSHotKeyUnnamed;
        case HotKeyVerdict::NoModifier: return texts::MSHotKeyNoModifier;
        case HotKeyVerdict::AltGr: return texts::MSHotKeyAltGr;
        case HotKeyVerdict::Reserved: return texts::MSHotKeyReserved;
        case HotKeyVerdict::Common: return texts::MSHotKeyCommon;
    }
    return {};
}

}  // namespace

void PanelController::AttachHotKeys(IHotKeyStatus* status) {
    hotKeys_ = status;
    UpdateHotKeys();
}

// A refusal just typed says most; a combination an earlier command has as
// well (only in a hand-edited file) is our own clash, not another program's.
void PanelController::UpdateHotKeys() {
    HotKeySet held{};
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) held[i] = settings_->HotKeyFor(static_cast<HotKeyCommand>(i));
    const auto clashes = HotKeyClashes(held);
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        const auto command = static_cast<HotKeyCommand>(i);
        std::string note;
        if (!hotKeyRefusals_[i].empty()) {
            note = texts_.Text(hotKeyRefusals_[i]);
        } else if (clashes[i]) {
            note = texts_.Text(texts::MSHotKeyClash);
        } else if (hotKeys_ != nullptr && hotKeys_->HotKeyTaken(command)) {
            note = texts_.Text(texts::MSHotKeyTaken);
        }
        view_.ShowHotKey(command, held[i], note);
    }
}

void PanelController::HotKeyBoxFocus(bool focused) {
    if (hotKeys_ != nullptr) hotKeys_->StandAside(focused);
    if (focused) return;
    hotKeyRefusals_ = {};
    UpdateHotKeys();
}

void PanelController::HotKeyChange(HotKeyCommand command, HotKey typed) {
    if (typed.Empty()) return;
    // The box reports the combination it shows again as the keys come up:
    // that changes nothing and leaves a refusal's note standing.
    if (typed != settings_->HotKeyFor(command)) {
        std::string_view refusal = HotKeyRefusal(CheckHotKey(typed));
        // A combination another of the program's commands has already is
        // not taken twice.
        for (std::size_t i = 0; i < kHotKeyCommandCount && refusal.empty(); ++i) {
            const auto other = static_cast<HotKeyCommand>(i);
            if (other != command && settings_->HotKeyFor(other) == typed) refusal = texts::MSHotKeyOurs;
        }
        hotKeyRefusals_[static_cast<std::size_t>(command)] = refusal;
        if (refusal.empty()) settings_->SetHotKey(command, typed);
    }
    // The program has registered the new combination by now: show whether
    // another program holds it.
    UpdateHotKeys();
}

void PanelController::HotKeyClear(HotKeyCommand command) {
    hotKeyRefusals_[static_cast<std::size_t>(command)] = {};
    settings_->SetHotKey(command, HotKey{});
    UpdateHotKeys();
}

}  // namespace lumetra
