#include "panel/win32/PanelPage.h"

#include <stdexcept>

namespace lumetra {
namespace {

LRESULT CALLBACK PanelPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_DRAWITEM:
        case WM_MEASUREITEM: return ::SendMessageW(::GetAncestor(window, GA_ROOT), message, wParam, lParam);
        default: return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

void RegisterPanelPageClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    if (::GetClassInfoExW(instance, kPanelPageClass, &windowClass)) return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &PanelPageProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);  // shared: never freed
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kPanelPageClass;
    if (!::RegisterClassExW(&windowClass)) throw std::runtime_error("Unable to register the settings pages");
}

HWND CreatePanelPage(HINSTANCE instance, HWND parent, int x, int y, int width, int height, bool clipChildren) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (clipChildren ? WS_CLIPCHILDREN : 0u);
    // Destroyed with its parent.
    const HWND page = ::CreateWindowExW(WS_EX_CONTROLPARENT, kPanelPageClass, L"", style, x, y, width, height, parent,
                                        nullptr, instance, nullptr);
    if (page == nullptr) throw std::runtime_error("Unable to create the settings pages");
    return page;
}

}  // namespace lumetra
