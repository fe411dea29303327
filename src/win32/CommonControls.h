#pragma once
// The common controls library (the version the manifest selects), loaded
// once the overlay's first picture is on the screen instead of with the
// program: as it loads it registers every control class, which that picture
// does not need. The panel's controls and the tooltips are its classes, so
// it must outlive both windows.
#include "win32/SystemLibrary.h"
// After the platform header, which it needs.
#include <commctrl.h>

namespace lumetra {

class CommonControls {
public:
    // Loads the library and registers the classes of the panel's controls
    // and of the tooltips. Throws when the library cannot be loaded.
    CommonControls();
    ~CommonControls();
    CommonControls(const CommonControls&) = delete;
    CommonControls& operator=(const CommonControls&) = delete;

    // The library's subclassing calls. While it is not loaded no window can
    // be subclassed, and a message goes on to the default procedure.
    static bool SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
    static LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    UniqueLibrary library_;
};

}  // namespace lumetra
