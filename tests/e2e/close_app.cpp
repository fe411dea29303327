// A helper of the end-to-end harness, run under Wine beside the program:
// closes a program as Restart Manager does before an update replaces its
// files. Every top-level window of the process that owns a window of the
// given class is asked WM_QUERYENDSESSION with ENDSESSION_CLOSEAPP, then
// told WM_ENDSESSION with the same flag; nothing more (no WM_CLOSE), so the
// program has to end by itself.
//     close_app.exe CLASS
// Exit code 0 once told, 1 when no such window runs, 2 when a window refused,
// 3 on bad usage.
#include <windows.h>

#include <vector>

namespace {

struct Windows {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
    auto& windows = *reinterpret_cast<Windows*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == windows.process) windows.found.push_back(window);
    return TRUE;
}

bool Send(HWND window, UINT message, WPARAM wParam, DWORD_PTR& answer) {
    return SendMessageTimeoutA(window, message, wParam, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 3;
    const HWND any = FindWindowA(argv[1], nullptr);
    if (any == nullptr) return 1;
    Windows windows{0, {}};
    GetWindowThreadProcessId(any, &windows.process);
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&windows));
    for (const HWND window : windows.found) {
        DWORD_PTR agreed = 0;
        if (Send(window, WM_QUERYENDSESSION, 0, agreed) && agreed == FALSE) return 2;
    }
    for (const HWND window : windows.found) {
        DWORD_PTR ignored = 0;
        Send(window, WM_ENDSESSION, TRUE, ignored);
    }
    return 0;
}
