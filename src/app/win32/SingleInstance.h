#pragma once
// One copy of the program per settings file: a named mutex, held for as long
// as the program runs, tells a second start that a copy runs already, and
// that copy's hidden window takes the hand-over.
#include <string>

#include "win32/UniqueHandle.h"

namespace lumetra {

// What a second start posts to the running copy's hidden window.
UINT HandOverMessage();

class SingleInstance {
public:
    // `key` names the settings file (InstanceKey).
    explicit SingleInstance(const std::string& key);

    // No other copy runs with these settings.
    bool First() const { return first_; }
    // Asks the running copy to show its guides and its panel in front, and
    // lets it come forward; that copy may still be starting.
    void HandOver() const;

private:
    std::string key_;
    UniqueKernelHandle mutex_;
    bool first_ = true;
};

}  // namespace lumetra
