// A helper of the end-to-end harness, run under Wine beside the program:
// waits until a top-level window of the given class is shown with a text
// and prints that text (WM_GETTEXT, which a tooltip answers with its tip).
//     window_text.exe CLASS SECONDS
// Exit code 0 once printed, 1 when none was shown in time, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
    const char* windowClass;
    std::string text;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    char name[256] = "";
    if (!IsWindowVisible(window) || !GetClassNameA(window, name, sizeof name) ||
        lstrcmpiA(name, search.windowClass) != 0) {
        return TRUE;
    }
    char text[4096] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             2000, &copied) ||
        copied == 0) {
        return TRUE;
    }
    search.text.assign(text, copied);
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    Search search{argv[1], {}};
    const ULONGLONG end = GetTickCount64() + 1000ULL * std::strtoul(argv[2], nullptr, 10);
    do {
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (!search.text.empty()) {
            std::fputs(search.text.c_str(), stdout);
            return 0;
        }
        Sleep(50);
    } while (GetTickCount64() < end);
    return 1;
}
