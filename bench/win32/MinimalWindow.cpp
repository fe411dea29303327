// The least a Windows program does before its first paint: register a class,
// open one topmost window and paint it grey. The start-up benchmark times the
// overlay against it, on the same place and size as the overlay's first run.
#include <windows.h>

namespace {

constexpr int kLeft = 300;
constexpr int kTop = 240;
constexpr int kWidth = 420;
constexpr int kHeight = 285;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            // A stock brush: 0x808080, never freed.
            FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);  // shared: never freed
    windowClass.lpszClassName = L"LumetraMinimalWindow";
    if (!RegisterClassExW(&windowClass)) return 1;
    // Destroyed by the system when the process ends.
    if (!CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"Minimal window", WS_POPUP | WS_VISIBLE, kLeft,
                         kTop, kWidth, kHeight, nullptr, nullptr, instance, nullptr)) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
