#include "win32/DesktopShell.h"

#include "win32/Win32.h"
#include <shellapi.h>

#include "win32/UniqueHandle.h"
#include "win32/WideText.h"

namespace lumetra {

std::intptr_t Win32Shell::Open(const std::string& target) {
    // ShellExecuteW returns an HINSTANCE only for compatibility; it is a code.
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result);
}

void Win32Shell::StartCommandLine(const std::string& commandLine) {
    // WinExec has only the code-page form: CreateProcessW runs the same
    // command line with any path. It may write into the buffer.
    std::wstring command = Wide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return;
    }
    // Not waited for: both handles are let go at once.
    const UniqueKernelHandle thread(process.hThread);
    const UniqueKernelHandle started(process.hProcess);
}

IShell& DesktopShell() {
    static Win32Shell shell;
    return shell;
}

}  // namespace lumetra
