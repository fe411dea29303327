#pragma once
// Plain containers inside the settings panel (the child panel and the tab
// pages). They paint the dialog face and pass their controls' notifications
// on to the top-level window, which owns every handler.
#include "win32/Win32.h"

namespace lumetra {

inline constexpr wchar_t kPanelPageClass[] = L"TLumetraPanelPage";

void RegisterPanelPageClass(HINSTANCE instance);

// A visible container that tab navigation descends into. A page that holds
// a group box must not clip its children: the box does not paint its inside.
HWND CreatePanelPage(HINSTANCE instance, HWND parent, int x, int y, int width, int height, bool clipChildren);

}  // namespace lumetra
