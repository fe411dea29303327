#include "win32/DesktopShell.h"

#include "win32/Win32.h"
#include <shellapi.h>

namespace lumetra {

std::intptr_t Win32Shell::Open(const std::string& target) {
    // ShellExecuteA returns an HINSTANCE only for compatibility; it is a code.
    const HINSTANCE result = ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result);
}

void Win32Shell::StartCommandLine(const std::string& commandLine) { WinExec(commandLine.c_str(), SW_SHOWNORMAL); }

IShell& DesktopShell() {
    static Win32Shell shell;
    return shell;
}

}  // namespace lumetra
