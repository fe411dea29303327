#include "app/HotKeyBook.h"

namespace lumetra {

bool HotKeyBook::Register(std::size_t command) {
    return registrar_.Register(static_cast<HotKeyCommand>(command), wanted_[command]);
}

void HotKeyBook::Apply(const HotKeySet& wanted) {
    HotKeySet kept = wanted;
    const auto clashes = HotKeyClashes(wanted);
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        if (clashes[i]) kept[i] = HotKey{};
    }
    if (kept == wanted_) return;
    Release();
    wanted_ = kept;
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        if (wanted_[i].Empty()) continue;
        taken_[i] = !Register(i);
        // Standing aside, the registration only tells whether it is free.
        if (aside_ && !taken_[i]) registrar_.Unregister(static_cast<HotKeyCommand>(i));
    }
}

void HotKeyBook::StandAside(bool aside) {
    if (aside == aside_) return;
    aside_ = aside;
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        if (wanted_[i].Empty()) continue;
        if (!aside) {
            taken_[i] = !Register(i);
        } else if (!taken_[i]) {
            registrar_.Unregister(static_cast<HotKeyCommand>(i));
        }
    }
}

void HotKeyBook::Release() {
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        if (Held(i)) registrar_.Unregister(static_cast<HotKeyCommand>(i));
        taken_[i] = false;
    }
    wanted_ = {};
}

}  // namespace lumetra
