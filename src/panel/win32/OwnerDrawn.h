#pragma once
// The two owner-drawn lists of the settings panel: the colour pickers (a
// swatch and a name per entry, entry 0 the custom colour) and the list of
// check boxes. Each item keeps its colour or its check mark as item data.
#include <optional>

#include "common/Types.h"
#include "overlay/win32/Win32.h"

namespace lumetra {

inline constexpr int kColorItemHeight = 16;
inline constexpr int kCheckItemHeight = 11;

// Fills a picker with "Custom..." and the named colours.
void FillColorPicker(HWND combo);
Color ColorPickerColor(HWND combo, int index);
// Selects entry; entry 0 takes color as its custom colour.
void ShowPickerColor(HWND combo, int entry, Color color);
void DrawColorItem(const DRAWITEMSTRUCT& item);
// The platform's colour chooser, starting at initial; nothing when cancelled.
std::optional<Color> ChooseCustomColor(HWND owner, Color initial);

bool CheckListChecked(HWND list, int index);
void SetCheckListChecked(HWND list, int index, bool checked);
void DrawCheckItem(const DRAWITEMSTRUCT& item);
// Whether a client x falls on the check box of an item.
bool OnCheckBox(int x);

}  // namespace lumetra
