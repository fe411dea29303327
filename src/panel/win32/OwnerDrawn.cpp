#include "panel/win32/OwnerDrawn.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <string>

#include "win32/CommonControls.h"
#include "win32/SystemLibrary.h"
#include "win32/GdiHandles.h"
#include "win32/WideText.h"
#include "common/Dpi.h"
#include "panel/PanelLists.h"
#include "settings/SettingBounds.h"

namespace lumetra {
namespace {

// At 96 dpi.
constexpr int kSwatchWidth = 22;
constexpr int kSwatchMargin = 2;
constexpr int kSwatchTextGap = 4;
constexpr int kCheckBoxSize = 9;
constexpr int kCheckTextLeft = kCheckBoxSize + 4;
constexpr int kCaptionIndent = 7;  // from the box's sides to its caption

COLORREF ToColorRef(Color color) { return static_cast<COLORREF>(color); }

// The chooser's library is loaded only while the chooser is open: linked, it
// and the printing libraries it pulls in were loaded at every start.
using ChooseColorFunction = BOOL(WINAPI*)(LPCHOOSECOLORW);

std::wstring ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = ::SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        ::SendMessageW(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

// The automatic colour is black or white, whichever the lines need: its
// swatch shows both halves.
void PaintSwatch(HDC dc, const RECT& swatch, Color color) {
    if (color == kAutoHaloColor) {
        RECT half = swatch;
        half.right = (swatch.left + swatch.right) / 2;
        ::FillRect(dc, &swatch, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::FillRect(dc, &half, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return;
    }
    const UniqueBrush fill(::CreateSolidBrush(ToColorRef(color)));
    if (fill) ::FillRect(dc, &swatch, fill.get());
}

// Background and text colours of a list item in its selection state.
void PaintItemBackground(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
}

void DrawItemText(const DRAWITEMSTRUCT& item, const std::wstring& text, int left) {
    RECT box = item.rcItem;
    box.left += left;
    ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

// The etched frame through the middle of the caption row, and the caption on
// the background the box's parent gives static controls.
void PaintGroupBox(HWND box, HDC dc, int dpi) {
    const SelectGuard font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(box, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    auto* brush = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(box), WM_CTLCOLORSTATIC,
                                                          reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
    if (brush == nullptr) brush = ::GetSysColorBrush(COLOR_BTNFACE);  // shared: never freed
    RECT client{};
    ::GetClientRect(box, &client);
    // No control lies in the caption row, so the whole row is the box's.
    const RECT row{client.left, client.top, client.right, client.top + metrics.tmHeight};
    ::FillRect(dc, &row, brush);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2 - 1;
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    const std::wstring text = WideWindowText(box);
    if (text.empty()) return;
    const int indent = ScaledLength(kCaptionIndent, dpi);
    RECT label{client.left + indent, client.top, client.right - indent, row.bottom};
    RECT measured = label;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
    label.right = std::min(label.right, measured.right + ScaledLength(kGlyphOverhang, dpi));
    const RECT gap{label.left - 1, label.top, label.right + 1, label.bottom};  // the frame stops short of the text
    ::FillRect(dc, &gap, brush);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(::IsWindowEnabled(box) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*subclass*/,
                              DWORD_PTR dpi) {
    if (message != WM_PAINT) return CommonControls::DefSubclassProc(box, message, wParam, lParam);
    const PaintDc dc(box);
    PaintGroupBox(box, dc.get(), *reinterpret_cast<const int*>(dpi));
    return 0;
}

}  // namespace

void PaintOwnGroupCaption(HWND groupBox, const int& dpi) {
    CommonControls::SetWindowSubclass(groupBox, &GroupBoxProc, 0, reinterpret_cast<DWORD_PTR>(&dpi));
}

void FillColorPicker(HWND combo) {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(kCustomColorName).c_str()));
    ::SendMessageW(combo, CB_SETITEMDATA, 0, 0);
    for (const NamedColor& named : NamedColors()) {
        const LRESULT index =
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(named.name).c_str()));
        ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(named.color));
    }
}

void AddAutomaticColor(HWND combo) {
    const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(kAutoHaloColor));
}

Color ColorPickerColor(HWND combo, int index) {
    return static_cast<Color>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void ShowPickerColor(HWND combo, int entry, Color color) {
    if (entry == 0) ::SendMessageW(combo, CB_SETITEMDATA, 0, static_cast<LPARAM>(color));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    ::InvalidateRect(combo, nullptr, FALSE);
}

void DrawColorItem(const DRAWITEMSTRUCT& item, int dpi) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    PaintItemBackground(item);
    const int index = static_cast<int>(item.itemID);
    const int margin = ScaledLength(kSwatchMargin, dpi);
    const int width = ScaledLength(kSwatchWidth, dpi);
    RECT swatch{item.rcItem.left + margin, item.rcItem.top + margin, item.rcItem.left + margin + width,
                item.rcItem.bottom - margin};
    PaintSwatch(item.hDC, swatch, ColorPickerColor(item.hwndItem, index));
    ::FrameRect(item.hDC, &swatch, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    DrawItemText(item, ItemText(item.hwndItem, CB_GETLBTEXTLEN, CB_GETLBTEXT, index),
                 ScaledLength(kSwatchMargin + kSwatchWidth + kSwatchTextGap, dpi));
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_COMBOBOXEDIT) == 0) {
        ::DrawFocusRect(item.hDC, &item.rcItem);
    }
}

std::optional<Color> ChooseCustomColor(HWND owner, Color initial) {
    static std::array<COLORREF, 16> customColors{};  // the chooser's own slots, kept for the run
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.rgbResult = ToColorRef(initial);
    chooser.lpCustColors = customColors.data();
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
    const UniqueLibrary library = LoadSystemLibrary(L"comdlg32.dll");
    const auto chooseColor = LibraryEntry<ChooseColorFunction>(library, "ChooseColorW");
    if (chooseColor == nullptr || !chooseColor(&chooser)) return std::nullopt;
    return static_cast<Color>(chooser.rgbResult & 0x00FFFFFFu);
}

bool CheckListChecked(HWND list, int index) {
    return ::SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0) == 1;
}

void SetCheckListChecked(HWND list, int index, bool checked) {
    ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), checked ? 1 : 0);
    RECT itemBox{};
    if (::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&itemBox)) !=
        LB_ERR) {
        ::InvalidateRect(list, &itemBox, FALSE);
    }
}

void DrawCheckItem(const DRAWITEMSTRUCT& item, int dpi) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    PaintItemBackground(item);
    const int index = static_cast<int>(item.itemID);
    const int size = ScaledLength(kCheckBoxSize, dpi);
    const int left = item.rcItem.left + ScaledLength(1, dpi);
    const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size) / 2;
    RECT box{left, top, left + size, top + size};
    const UINT state = DFCS_BUTTONCHECK | DFCS_FLAT | (CheckListChecked(item.hwndItem, index) ? DFCS_CHECKED : 0u);
    ::DrawFrameControl(item.hDC, &box, DFC_BUTTON, state);
    DrawItemText(item, ItemText(item.hwndItem, LB_GETTEXTLEN, LB_GETTEXT, index), ScaledLength(kCheckTextLeft, dpi));
    if ((item.itemState & ODS_FOCUS) != 0) ::DrawFocusRect(item.hDC, &item.rcItem);
}

bool OnCheckBox(int x, int dpi) { return x >= 0 && x < ScaledLength(kCheckTextLeft, dpi); }

}  // namespace lumetra
