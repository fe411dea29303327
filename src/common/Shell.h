#pragma once
// The desktop shell as the program asks it: the Windows layer implements
// it, the start-up code and the windows' links use it (app/ShellOpen.h).
#include <cstdint>
#include <string>

namespace lumetra {

class IShell {
public:
    virtual ~IShell() = default;
    // Opens target with the verb "open"; the shell's result code, above 32
    // on success.
    virtual std::intptr_t Open(const std::string& target) = 0;
    // Starts a command line; its outcome does not matter to the caller.
    virtual void StartCommandLine(const std::string& commandLine) = 0;
};

}  // namespace lumetra
