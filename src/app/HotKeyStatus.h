#pragma once
// Whether the program could take its hot keys: another program may hold a
// combination already, and then the panel says so beside it.
#include "settings/HotKey.h"

namespace lumetra {

class IHotKeyStatus {
public:
    virtual ~IHotKeyStatus() = default;
    // The command's hot key is set, but another program holds it.
    virtual bool HotKeyTaken(HotKeyCommand command) const = 0;
};

}  // namespace lumetra
