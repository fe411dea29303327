#pragma once
// Whether the program could take its hot keys: another program may hold a
// combination already, and then the panel says so beside it. While the user
// types a combination into the panel, the hot keys stand aside.
#include "settings/HotKey.h"

namespace lumetra {

class IHotKeyStatus {
public:
    virtual ~IHotKeyStatus() = default;
    // The command's hot key is set, but another program holds it.
    virtual bool HotKeyTaken(HotKeyCommand command) const = 0;
    // Aside, no hot key runs its command, so that a combination the program
    // holds reaches the panel's box as any other; which are taken stays known.
    virtual void StandAside(bool aside) = 0;
};

}  // namespace lumetra
