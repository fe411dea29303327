// A helper of the end-to-end harness, run under Wine beside the program:
// waits until a top-level window of the given class is shown with a text
// and prints that text (WM_GETTEXT, which a tooltip answers with its tip)
// as UTF-8, read through the wide calls so that any script comes back as it
// is. With "children", it prints the texts of the window's visible child
// windows instead, one a line, once it has any.
//     window_text.exe CLASS SECONDS [children]
// Exit code 0 once printed, 1 when none was shown in time, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
    const wchar_t* windowClass;
    bool children;
    std::wstring text;
};

std::wstring TextOf(HWND window) {
    wchar_t text[4096] = L"";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &copied)) {
        return {};
    }
    return std::wstring(text, copied);
}

BOOL CALLBACK VisitChild(HWND child, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    const std::wstring text = TextOf(child);
    if (IsWindowVisible(child) && !text.empty()) search.text += text + L"\n";
    return TRUE;
}

BOOL CALLBACK Visit(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    wchar_t name[256] = L"";
    if (!IsWindowVisible(window) || !GetClassNameW(window, name, 256) || lstrcmpiW(name, search.windowClass) != 0) {
        return TRUE;
    }
    if (search.children) {
        EnumChildWindows(window, VisitChild, param);
    } else {
        search.text = TextOf(window);
    }
    return search.text.empty();
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 3 || argc > 4 || (argc == 4 && lstrcmpW(argv[3], L"children") != 0)) return 2;
    Search search{argv[1], argc == 4, {}};
    const ULONGLONG end = GetTickCount64() + 1000ULL * std::wcstoul(argv[2], nullptr, 10);
    do {
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (!search.text.empty()) {
            const int size = WideCharToMultiByte(CP_UTF8, 0, search.text.data(), static_cast<int>(search.text.size()),
                                                 nullptr, 0, nullptr, nullptr);
            std::string utf8(static_cast<std::size_t>(size), '\0');
            WideCharToMultiByte(CP_UTF8, 0, search.text.data(), static_cast<int>(search.text.size()), utf8.data(), size,
                                nullptr, nullptr);
            std::fwrite(utf8.data(), 1, utf8.size(), stdout);
            return 0;
        }
        Sleep(50);
    } while (GetTickCount64() < end);
    return 1;
}
