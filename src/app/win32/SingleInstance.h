#pragma once
// One copy of the program per settings file: a named mutex, held for as long
// as the program runs, tells a second start that a copy runs already, and
// that copy's hidden window takes the hand-over.
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "win32/UniqueHandle.h"

namespace lumetra {

// What a second start posts to the running copy's hidden window, found by
// its class and the instance key as its title. Its wParam is a
// HandOverRequest; the installer posts it too, by this name.
UINT HandOverMessage();

class SingleInstance {
public:
    // `key` names the settings file (InstanceKey).
    explicit SingleInstance(const std::string& key);

    // What asking for the running copy's lock gave.
    InstanceLock Lock() const { return lock_; }
    // Asks the running copy to show its guides and its panel in front, and
    // lets it come forward; that copy may still be starting.
    void HandOver() const;
    // Hands a command block (PackCommand) to the running copy and waits for
    // its answer; nothing when no copy answered. After a command that ends
    // that copy, waits until it has saved and ended too, so that a script's
    // next start finds none.
    std::optional<CommandProblem> HandOverCommand(const std::string& block, bool endsCopy) const;

private:
    // The running copy's hidden window, waited for while that copy starts;
    // null when none came.
    HWND RunningCopy() const;

    std::string key_;
    UniqueKernelHandle mutex_;
    InstanceLock lock_ = InstanceLock::Failed;
};

}  // namespace lumetra
