#pragma once
// The desktop shell behind ShellOpen: ShellExecuteW with the verb "open",
// and WinExec for the explorer fallback.
#include "common/Shell.h"

namespace lumetra {

class Win32Shell final : public IShell {
public:
    std::intptr_t Open(const std::string& target) override;
    void StartCommandLine(const std::string& commandLine) override;
};

// The one shell of the process, for the windows' help and web buttons.
IShell& DesktopShell();

}  // namespace lumetra
