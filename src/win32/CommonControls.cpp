#include "win32/CommonControls.h"

#include <stdexcept>

namespace lumetra {
namespace {

using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using SetSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
using DefSubclassFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

// Entries of the one loaded library; null while none is.
SetSubclassFunction setSubclass = nullptr;
DefSubclassFunction defSubclass = nullptr;

}  // namespace

CommonControls::CommonControls() : library_(LoadSystemLibrary(L"comctl32.dll")) {
    const auto init = LibraryEntry<InitFunction>(library_, "InitCommonControlsEx");
    const auto set = LibraryEntry<SetSubclassFunction>(library_, "SetWindowSubclass");
    const auto forward = LibraryEntry<DefSubclassFunction>(library_, "DefSubclassProc");
    if (init == nullptr || set == nullptr || forward == nullptr) {
        throw std::runtime_error("Unable to load the common controls");
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    init(&controls);
    setSubclass = set;
    defSubclass = forward;
}

CommonControls::~CommonControls() {
    setSubclass = nullptr;
    defSubclass = nullptr;
}

bool CommonControls::SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    return setSubclass != nullptr && setSubclass(window, procedure, id, data) != FALSE;
}

LRESULT CommonControls::DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (defSubclass == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    return defSubclass(window, message, wParam, lParam);
}

}  // namespace lumetra
