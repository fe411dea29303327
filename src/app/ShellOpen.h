#pragma once
// The program's one dealing with the desktop shell: open a document or a web
// address with whatever the shell associates with it, and fall back to the
// file explorer when the shell refuses. Never reports failure.
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

void ShellOpen(IShell& shell, const std::string& target);
// ShellOpen of base followed directly by tail, no separator added.
void ShellOpenJoined(IShell& shell, const std::string& base, const std::string& tail);

}  // namespace lumetra
