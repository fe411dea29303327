#include "app/ShellOpen.h"

namespace lumetra {

void ShellOpen(IShell& shell, const std::string& target) {
    if (shell.Open(target) > 32) return;
    // The target goes in unchanged: quoting it further could only turn a
    // malformed address into a different, equally malformed one.
    shell.StartCommandLine("explorer.exe \"" + target + "\"");
}

void ShellOpenJoined(IShell& shell, const std::string& base, const std::string& tail) { ShellOpen(shell, base + tail); }

}  // namespace lumetra
