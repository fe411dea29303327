#pragma once
// What the settings panel draws itself: the colour pickers (a swatch and a
// name per entry, entry 0 the custom colour), the list of check boxes (each
// item keeps its colour or its check mark as item data), and the caption of
// its group box.
#include <optional>

#include "common/Types.h"
#include "win32/Win32.h"

namespace lumetra {

// Row heights at 96 dpi.
inline constexpr int kColorItemHeight = 16;
inline constexpr int kCheckItemHeight = 11;
// Room past a text's measured width for a last glyph that reaches beyond its
// advance, which the measurement leaves out, at 96 dpi.
inline constexpr int kGlyphOverhang = 2;

// Fills a picker with "Custom..." and the named colours.
void FillColorPicker(HWND combo);
// Adds the automatic entry, without its text, after the named colours.
void AddAutomaticColor(HWND combo);
Color ColorPickerColor(HWND combo, int index);
// Selects entry; entry 0 takes color as its custom colour.
void ShowPickerColor(HWND combo, int entry, Color color);
void DrawColorItem(const DRAWITEMSTRUCT& item, int dpi);
// The platform's colour chooser, starting at initial; nothing when cancelled.
std::optional<Color> ChooseCustomColor(HWND owner, Color initial);

bool CheckListChecked(HWND list, int index);
void SetCheckListChecked(HWND list, int index, bool checked);
void DrawCheckItem(const DRAWITEMSTRUCT& item, int dpi);
// Whether a client x falls on the check box of an item.
bool OnCheckBox(int x, int dpi);

// Lets the group box paint its own frame and caption. The system measures
// the caption by its glyphs' advances and clips it there, which cut off the
// right of a last "o" ("Snap to" read "Snap tc"). dpi is the panel's,
// read at each paint.
void PaintOwnGroupCaption(HWND groupBox, const int& dpi);

}  // namespace lumetra
