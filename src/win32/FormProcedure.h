#pragma once
// The window procedure of every window of the program: the guides
// (TMainForm), the panel (TSettingsForm) and the hidden shell window
// (TProgramShell). It binds the form to its window at WM_NCCREATE, where
// lpCreateParams carries the form, forwards every later message to the
// form's HandleMessage, tells the form at WM_NCDESTROY that the system is
// destroying the window, and shows an error escaping a handler with the
// program's top-level error box, after which the program goes on.
//
// What a Form offers the procedure, privately to it:
//   UniqueWindow& BoundWindow();   owns the window from WM_NCCREATE on
//   void WindowDestroyed();        lets go of what the system destroys itself
//   LRESULT HandleMessage(UINT, WPARAM, LPARAM);
#include <exception>
#include <stdexcept>

#include "win32/ErrorBox.h"
#include "win32/Resources.h"
#include "win32/GdiHandles.h"
#include "win32/Win32.h"

namespace lumetra {

template <class Form>
LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        form->BoundWindow().reset(window);  // owned from here until WM_NCDESTROY
    }
    auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    // Unbound, or being destroyed by its owner: nothing of the form runs.
    if (form == nullptr || !form->BoundWindow()) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->WindowDestroyed();
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    } catch (...) {
        ShowErrorBox("Unknown error");
    }
    return 0;
}

inline bool ClassRegistered(HINSTANCE instance, const wchar_t* className) {
    WNDCLASSEXW windowClass{};
    return ::GetClassInfoExW(instance, className, &windowClass) != FALSE;
}

// Registers windowClass with FormWindowProc as its procedure.
template <class Form>
void RegisterProcedureClass(WNDCLASSEXW windowClass) {
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &FormWindowProc<Form>;
    if (!::RegisterClassExW(&windowClass)) throw std::runtime_error("Unable to register a window class");
}

// Registers the window class of Form once per process, with FormWindowProc
// as its procedure and no background brush (the forms paint every pixel).
// cursor may be null when the form sets its pointer itself. The class icons
// are what Alt+Tab and the task bar show for the windows; shared icons,
// which the system keeps and frees.
template <class Form>
void RegisterFormClass(HINSTANCE instance, const wchar_t* className, HCURSOR cursor) {
    if (ClassRegistered(instance, className)) return;
    WNDCLASSEXW windowClass{};
    windowClass.hInstance = instance;
    windowClass.hCursor = cursor;
    windowClass.hIcon = static_cast<HICON>(::LoadImageW(
        instance, kAppIconName, IMAGE_ICON, ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), LR_SHARED));
    windowClass.hIconSm =
        static_cast<HICON>(::LoadImageW(instance, kAppIconName, IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                        ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = className;
    RegisterProcedureClass<Form>(windowClass);
}

}  // namespace lumetra
