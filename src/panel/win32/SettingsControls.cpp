// Building the settings panel: the child panel, the tab control with its
// five pages, and every control at its place, in tab order.
#include "win32/Win32.h"
// After the platform header, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "win32/CommonControls.h"
#include "win32/WideText.h"
#include "win32/Resources.h"
#include "panel/PanelLayout.h"
#include "panel/PanelLists.h"
#include "panel/win32/OwnerDrawn.h"
#include "panel/win32/PanelPage.h"
#include "panel/win32/ScaledIcon.h"
#include "panel/win32/SettingsFrm.h"
#include "panel/win32/SettingsIds.h"
#include "settings/AppSettings.h"
#include "units/Units.h"

namespace lumetra {
namespace {

using C = PanelControl;

constexpr int kFontHeight = 9;
constexpr int kLogoSize = 32;
// The open units list at 96 dpi: room for the longest unit's name.
constexpr int kUnitsListWidth = 150;
constexpr int kThumbLength = 15;    // the opacity bar's slider
constexpr Point kTabPadding{6, 3};  // the tab control's own at 96 dpi

int Width(const Rect& rect) { return rect.right - rect.left; }
int Height(const Rect& rect) { return rect.bottom - rect.top; }

void SetPlace(HWND window, const Rect& place) {
    ::SetWindowPos(window, nullptr, place.left, place.top, Width(place), Height(place), SWP_NOZORDER | SWP_NOACTIVATE);
}

// The width a label's text takes in the label's font, prefix characters
// included, as the label draws it.
int TextWidth(HWND label) {
    const std::wstring text = WideWindowText(label);
    const WindowDc dc(label);
    if (!dc) return 0;
    RECT extent{};
    const SelectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
    return extent.right - extent.left;
}

// The closed box is as high as its place whatever the font gives it.
void FitComboField(HWND combo, int height) {
    RECT box{};
    ::GetWindowRect(combo, &box);
    const LRESULT field = ::SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    const LONG frame = (box.bottom - box.top) - static_cast<LONG>(field);
    if (field > 0 && height > frame) {
        ::SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - frame);
    }
}

UniqueFont CreateTahoma(int weight, int dpi) {
    LOGFONTW font{};
    font.lfHeight = -ScaledLength(kFontHeight, dpi);  // character height, not cell height
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectW(&font));
}

}  // namespace

HWND TSettingsForm::AddChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, Id id,
                             DWORD exStyle) {
    // Children are destroyed with the window; PlaceControls gives them their places.
    const HWND control = ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (control == nullptr) throw std::runtime_error("Unable to create the settings controls");
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND TSettingsForm::AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                               PanelControl control, Id id, DWORD exStyle) {
    const HWND child = AddChild(parent, className, text, style, id, exStyle);
    controls_[static_cast<std::size_t>(control)] = child;
    SetPlace(child, ScaledRect(PlaceOf(control).rect, dpi_));
    return child;
}

HWND TSettingsForm::AddLabel(HWND parent, const wchar_t* text, PanelControl control, bool bold) {
    const HWND label = AddControl(parent, WC_STATICW, text, SS_LEFTNOWORDWRAP, control);
    if (bold) ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    return label;
}

HWND TSettingsForm::AddCombo(HWND parent, DWORD style, PanelControl control, int rows, Id id) {
    dropRows_[static_cast<std::size_t>(control)] = rows;
    const HWND combo = AddControl(parent, WC_COMBOBOXW, L"", style | WS_TABSTOP | WS_VSCROLL, control, id);
    ::SendMessageW(combo, CB_SETMINVISIBLE, static_cast<WPARAM>(rows), 0);
    PlaceControl(control);
    return combo;
}

HWND TSettingsForm::AddSpin(HWND parent, HWND buddy, PanelControl control, int minimum, int maximum) {
    RECT edit{};
    ::GetWindowRect(buddy, &edit);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&edit), 2);
    const HWND spin = AddControl(parent, UPDOWN_CLASSW, L"",
                                 UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS | UDS_ALIGNRIGHT, control);
    ::SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    ::SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    // Aligning narrows the edit; the layout keeps its width and puts the
    // spin buttons right of it.
    ::SetWindowPos(buddy, nullptr, edit.left, edit.top, edit.right - edit.left, edit.bottom - edit.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControl(control);
    return spin;
}

void TSettingsForm::Bind(PanelText target, HWND control) { texts_[static_cast<std::size_t>(target)] = control; }

void TSettingsForm::PlaceControl(PanelControl control) {
    const auto index = static_cast<std::size_t>(control);
    const HWND child = controls_[index];
    if (child == nullptr) return;
    const PanelPlace& place = PlaceOf(control);
    Rect rect = ScaledRect(place.rect, dpi_);
    if (place.fitsText) rect.right = rect.left + TextWidth(child) + ScaledLength(kGlyphOverhang, dpi_);
    const int field = Height(rect);
    if (dropRows_[index] > 0) rect.bottom += dropRows_[index] * ScaledLength(kDropRowHeight, dpi_);
    SetPlace(child, rect);
    if (dropRows_[index] > 0) FitComboField(child, field);
}

void TSettingsForm::PlaceControls() {
    SetPlace(body_, ScaledRect(kPanelBody, dpi_));
    SetPlace(tabs_, ScaledRect(kTabControl, dpi_));
    for (const PanelPlace& place : PanelLayout()) PlaceControl(place.control);
    LayoutPages();
}

void TSettingsForm::SizeControlParts() {
    for (const HWND picker : {linesColorBox_, valuesColorBox_, haloColorBox_}) {
        ::SendMessageW(picker, CB_SETITEMHEIGHT, 0, ScaledLength(kColorItemHeight, dpi_));
    }
    ::SendMessageW(checkList_, LB_SETITEMHEIGHT, 0, ScaledLength(kCheckItemHeight, dpi_));
    // The units' field is narrower than their longest names.
    ::SendMessageW(unitsBox_, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(ScaledLength(kUnitsListWidth, dpi_)), 0);
    ::SendMessageW(opacityBar_, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(ScaledLength(kThumbLength, dpi_)), 0);
    // Room round each tab's caption as wide as the caption's scale, so the
    // tabs wrap into the same rows at every dpi.
    ::SendMessageW(tabs_, TCM_SETPADDING, 0,
                   MAKELPARAM(ScaledLength(kTabPadding.x, dpi_), ScaledLength(kTabPadding.y, dpi_)));
}

void TSettingsForm::LoadLogo() {
    const int size = ScaledLength(kLogoSize, dpi_);
    // Loaded at its own size and scaled by whole pixels, so it stays crisp.
    UniqueIcon logo(static_cast<HICON>(::LoadImageW(instance_, kAppIconName, IMAGE_ICON, kLogoSize, kLogoSize, 0)));
    if (logo && size != kLogoSize) {
        if (UniqueIcon scaled = ScaledIcon(logo.get(), kLogoSize, size)) logo = std::move(scaled);
    }
    const HWND control = controls_[static_cast<std::size_t>(C::Logo)];
    ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(logo.get()), 0);
    logo_ = std::move(logo);  // the old picture only once the control lets go of it
    PlaceControl(C::Logo);
}

void TSettingsForm::ChangeDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    // At the size it lays itself out at: where no WM_GETDPISCALEDSIZE came
    // first (systems before Windows 10 1703), the suggestion is the old size
    // scaled.
    const Point size = ScaledPanelSize(dpi);
    ::SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top, size.x, size.y,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // Still being created: the controls and the strip come at this dpi.
    if (tabs_ == nullptr) return;
    UniqueFont font = CreateTahoma(FW_NORMAL, dpi);
    UniqueFont bold = CreateTahoma(FW_BOLD, dpi);
    const auto oldBold = reinterpret_cast<WPARAM>(boldFont_.get());
    for (const HWND child : controls_) {
        const bool wasBold = static_cast<WPARAM>(::SendMessageW(child, WM_GETFONT, 0, 0)) == oldBold;
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>((wasBold ? bold : font).get()), FALSE);
    }
    ::SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    // The controls use the new fonts now: the old ones go with these two.
    const UniqueFont oldFont = std::exchange(font_, std::move(font));
    const UniqueFont oldBoldFont = std::exchange(boldFont_, std::move(bold));
    SizeControlParts();
    ::SendMessageW(checkList_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(ScaledLength(kHorizontalExtent, dpi)), 0);
    LoadLogo();
    strip_.SetDpi(dpi);
    hint_.SetDpi(dpi);
    PlaceControls();
    ::RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSettingsForm::CreateControls() {
    font_ = CreateTahoma(FW_NORMAL, dpi_);
    boldFont_ = CreateTahoma(FW_BOLD, dpi_);
    RegisterPanelPageClass(instance_);

    const HWND panel = CreatePanelPage(instance_, window_.get(), 0, 0, 0, 0, true);
    body_ = panel;
    // Pages lie above the tab control, so their controls come first in tab
    // order and the tab control wraps round to them: the same cycle as
    // tab control first.
    for (HWND& page : pages_) page = CreatePanelPage(instance_, panel, 0, 0, 0, 0, false);
    tabs_ = AddChild(panel, WC_TABCONTROLW, L"", TCS_MULTILINE | WS_TABSTOP | WS_CLIPSIBLINGS, Id::PageControl);
    CommonControls::SetWindowSubclass(tabs_, &TSettingsForm::ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    for (int i = 0; i < kPanelPageCount; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }

    CreateMainPage(pages_[static_cast<int>(PanelPage::Main)]);
    CreateLookPage(pages_[static_cast<int>(PanelPage::Look)]);
    CreateColorsPage(pages_[static_cast<int>(PanelPage::Colors)]);
    CreateAdvancedPage(pages_[static_cast<int>(PanelPage::Advanced)]);
    CreateWorkPage(pages_[static_cast<int>(PanelPage::Work)]);
    hint_ = HintTip::Create(instance_, window_.get());
    SizeControlParts();
    PlaceControls();
}

void TSettingsForm::CreateMainPage(HWND page) {
    AddControl(page, WC_STATICW, L"", SS_ICON, C::Logo);
    LoadLogo();
    Bind(PanelText::LogoLabel, AddControl(page, WC_STATICW, L"", SS_LEFT, C::LogoLabel));
    ::SendMessageW(texts_[static_cast<int>(PanelText::LogoLabel)], WM_SETFONT,
                   reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    Bind(PanelText::CopyrightLabel, AddControl(page, WC_STATICW, L"", SS_LEFT, C::CopyrightLabel));
    Bind(PanelText::DevWebBtn,
         AddControl(page, WC_BUTTONW, L"", BS_DEFPUSHBUTTON | WS_TABSTOP, C::DevWebBtn, Id::DevWebBtn));
    Bind(PanelText::AskSupportBtn,
         AddControl(page, WC_BUTTONW, L"", BS_PUSHBUTTON | WS_TABSTOP, C::AskSupportBtn, Id::AskSupportBtn));
    Bind(PanelText::CheckForUpdatesBtn,
         AddControl(page, WC_BUTTONW, L"", BS_PUSHBUTTON | WS_TABSTOP, C::CheckForUpdatesBtn, Id::CheckForUpdatesBtn));
    Bind(PanelText::HelpBtn, AddControl(page, WC_BUTTONW, L"", BS_PUSHBUTTON | WS_TABSTOP, C::HelpBtn, Id::HelpBtn));
    Bind(PanelText::NewGuideBtn,
         AddControl(page, WC_BUTTONW, L"", BS_PUSHBUTTON | WS_TABSTOP, C::NewGuideBtn, Id::NewGuideBtn));
    Bind(PanelText::FitPictureBtn,
         AddControl(page, WC_BUTTONW, L"", BS_PUSHBUTTON | WS_TABSTOP, C::FitPictureBtn, Id::FitPictureBtn));
    Bind(PanelText::CopyCompositionBtn,
         AddControl(page, WC_BUTTONW, L"", BS_PUSHBUTTON | WS_TABSTOP, C::CopyCompositionBtn, Id::CopyCompositionBtn));
}

void TSettingsForm::CreateLookPage(HWND page) {
    Bind(PanelText::SectionLabel, AddLabel(page, L"", C::SectionLabel, true));
    // The group box is a frame only: its controls are the page's.
    Bind(PanelText::SnapToGroupBox, AddControl(page, WC_BUTTONW, L"", BS_GROUPBOX, C::SnapToGroupBox));
    PaintOwnGroupCaption(texts_[static_cast<int>(PanelText::SnapToGroupBox)], dpi_);
    Bind(PanelText::WidthRadio,
         AddControl(page, WC_BUTTONW, L"", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, C::WidthRadio, Id::WidthRadio));
    Bind(PanelText::HeightRadio,
         AddControl(page, WC_BUTTONW, L"", BS_AUTORADIOBUTTON, C::HeightRadio, Id::HeightRadio));
    sizeEdit_ = AddControl(page, WC_EDITW, L"400", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, C::SizeEdit, Id::SizeEdit,
                           WS_EX_CLIENTEDGE);
    sizeSpin_ = AddSpin(page, sizeEdit_, C::SizeSpin, 0, 0);  // its maximum comes with the screen's width
    Bind(PanelText::RatioLabel, AddLabel(page, L"", C::RatioLabel));
    ratioBox_ = AddCombo(page, CBS_DROPDOWN | CBS_AUTOHSCROLL, C::RatioBox, 15, Id::RatioComboBox);
    lookBox_ = AddCombo(page, CBS_DROPDOWNLIST, C::LookBox, 15, Id::LookComboBox);
    orientationBox_ = AddCombo(page, CBS_DROPDOWNLIST, C::OrientationBox, 4, Id::OrientationComboBox);
    gridEdit_ = AddControl(page, WC_EDITW, L"0", ES_AUTOHSCROLL | WS_TABSTOP, C::GridSizeEdit, Id::GridSizeEdit,
                           WS_EX_CLIENTEDGE);
    gridSpin_ = AddSpin(page, gridEdit_, C::GridSizeSpin, 0, kMaxGridSize);
    for (const HWND field : {sizeEdit_, gridEdit_}) {
        CommonControls::SetWindowSubclass(field, &TSettingsForm::ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    Bind(PanelText::LockCheckBox,
         AddControl(page, WC_BUTTONW, L"", BS_AUTOCHECKBOX | WS_TABSTOP, C::LockCheckBox, Id::LockCheckBox));
    Bind(PanelText::GridLabel, AddLabel(page, L"", C::GridLabel, true));
    Bind(PanelText::LookLabel, AddLabel(page, L"", C::LookLabel));
    Bind(PanelText::OrientationLabel, AddLabel(page, L"", C::OrientationLabel));
    Bind(PanelText::GridSizeLabel, AddLabel(page, L"", C::GridSizeLabel));
    Bind(PanelText::FollowCheckBox,
         AddControl(page, WC_BUTTONW, L"", BS_AUTOCHECKBOX | WS_TABSTOP, C::FollowCheckBox, Id::FollowCheckBox));
    // Last in the tab order, which the older controls keep.
    unitsBox_ = AddCombo(page, CBS_DROPDOWNLIST, C::UnitsBox, kUnitCount, Id::UnitsComboBox);
}

void TSettingsForm::CreateColorsPage(HWND page) {
    constexpr DWORD kPickerStyle = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    Bind(PanelText::LinesColorLabel, AddLabel(page, L"", C::LinesColorLabel));
    linesColorBox_ = AddCombo(page, kPickerStyle, C::LinesColorBox, 15, Id::LinesColorBox);
    Bind(PanelText::ValuesColorLabel, AddLabel(page, L"", C::ValuesColorLabel));
    valuesColorBox_ = AddCombo(page, kPickerStyle, C::ValuesColorBox, 15, Id::ValuesColorBox);
    for (const HWND picker : {linesColorBox_, valuesColorBox_}) FillColorPicker(picker);
    Bind(PanelText::OpacityLabel, AddLabel(page, L"", C::OpacityLabel));
    opacityBar_ =
        AddControl(page, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS | TBS_FIXEDLENGTH | WS_TABSTOP,
                   C::OpacityBar, Id::OpacityTrackBar);
    ::SendMessageW(opacityBar_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    ::SendMessageW(opacityBar_, TBM_SETPAGESIZE, 0, 10);
    ::SendMessageW(opacityBar_, TBM_SETTICFREQ, 10, 0);
    AddLabel(page, L"0%", C::OpacityMinLabel);
    AddLabel(page, L"100%", C::OpacityMaxLabel);

    // The guide's lines and labels, below the colours.
    Bind(PanelText::LineWidthLabel, AddLabel(page, L"", C::LineWidthLabel));
    lineWidthEdit_ = AddControl(page, WC_EDITW, L"1", ES_AUTOHSCROLL | WS_TABSTOP, C::LineWidthEdit, Id::LineWidthEdit,
                                WS_EX_CLIENTEDGE);
    lineWidthSpin_ = AddSpin(page, lineWidthEdit_, C::LineWidthSpin, kMinLineWidth, kMaxLineWidth);
    CommonControls::SetWindowSubclass(lineWidthEdit_, &TSettingsForm::ControlProc, 0,
                                      reinterpret_cast<DWORD_PTR>(this));
    Bind(PanelText::HaloCheckBox,
         AddControl(page, WC_BUTTONW, L"", BS_AUTOCHECKBOX | WS_TABSTOP, C::HaloCheckBox, Id::HaloCheckBox));
    Bind(PanelText::HaloColorLabel, AddLabel(page, L"", C::HaloColorLabel));
    haloColorBox_ = AddCombo(page, kPickerStyle, C::HaloColorBox, 15, Id::HaloColorBox);
    FillColorPicker(haloColorBox_);
    AddAutomaticColor(haloColorBox_);
    Bind(PanelText::LabelSizeLabel, AddLabel(page, L"", C::LabelSizeLabel));
    labelSizeBox_ = AddCombo(page, CBS_DROPDOWNLIST, C::LabelSizeBox, 15, Id::LabelSizeComboBox);
}

void TSettingsForm::CreateAdvancedPage(HWND page) {
    Bind(PanelText::AdvancedLabel, AddLabel(page, L"", C::AdvancedLabel));
    checkList_ = AddControl(
        page, WC_LISTBOXW, L"",
        LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
        C::AdvancedCheckList, Id::AdvCheckListBox, WS_EX_CLIENTEDGE);
    // The entries exist from the start, so their check marks can be set
    // before the texts arrive.
    for (int i = 0; i < kAdvancedOptionCount; ++i)
        ::SendMessageW(checkList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    CommonControls::SetWindowSubclass(checkList_, &TSettingsForm::ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    Bind(PanelText::RestoreButton,
         AddControl(page, WC_BUTTONW, L"", BS_PUSHBUTTON | WS_TABSTOP, C::RestoreButton, Id::RestoreButton));
    Bind(PanelText::LanguageLabel, AddLabel(page, L"", C::LanguageLabel));
    langBox_ = AddCombo(page, CBS_DROPDOWNLIST, C::LanguageBox, 15, Id::LangComboBox);
    Bind(PanelText::StartWithWindowsCheckBox,
         AddControl(page, WC_BUTTONW, L"", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, C::StartWithWindowsCheckBox,
                    Id::StartWithWindowsCheckBox));
    Bind(PanelText::CalibrateBtn,
         AddControl(page, WC_BUTTONW, L"", BS_PUSHBUTTON | WS_TABSTOP, C::CalibrateBtn, Id::CalibrateBtn));
    // The calibration group, hidden until the button opens it.
    Bind(PanelText::SizeUnknownNote, AddControl(page, WC_STATICW, L"", SS_LEFT, C::SizeUnknownNote));
    Bind(PanelText::KnownWidthLabel, AddLabel(page, L"", C::KnownWidthLabel));
    knownWidthEdit_ =
        AddControl(page, WC_EDITW, L"", ES_AUTOHSCROLL | WS_TABSTOP, C::KnownWidthEdit, Id{}, WS_EX_CLIENTEDGE);
    Bind(PanelText::KnownHeightLabel, AddLabel(page, L"", C::KnownHeightLabel));
    knownHeightEdit_ =
        AddControl(page, WC_EDITW, L"", ES_AUTOHSCROLL | WS_TABSTOP, C::KnownHeightEdit, Id{}, WS_EX_CLIENTEDGE);
    Bind(PanelText::CalibrateCardBtn,
         AddControl(page, WC_BUTTONW, L"", BS_PUSHBUTTON | WS_TABSTOP, C::CalibrateCardBtn, Id::CalibrateCardBtn));
    Bind(PanelText::ConfirmCalibrationBtn, AddControl(page, WC_BUTTONW, L"", BS_PUSHBUTTON | WS_TABSTOP,
                                                      C::ConfirmCalibrationBtn, Id::ConfirmCalibrationBtn));
    for (int i = 0; i < kPanelControlCount; ++i) {
        if (InCalibrationGroup(static_cast<C>(i))) ::ShowWindow(controls_[static_cast<std::size_t>(i)], SW_HIDE);
    }
}

void TSettingsForm::CreateWorkPage(HWND page) {
    Bind(PanelText::ClickThroughCheckBox, AddControl(page, WC_BUTTONW, L"", BS_AUTOCHECKBOX | WS_TABSTOP,
                                                     C::ClickThroughCheckBox, Id::ClickThroughCheckBox));
    // Room for a second line of text, and for the note below it where the
    // system cannot hide windows from captures.
    Bind(PanelText::CaptureCheckBox, AddControl(page, WC_BUTTONW, L"", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP,
                                                C::CaptureCheckBox, Id::CaptureCheckBox));
    Bind(PanelText::CaptureNote, AddControl(page, WC_STATICW, L"", SS_LEFT, C::CaptureNote));
    Bind(PanelText::HotKeysLabel, AddLabel(page, L"", C::HotKeysLabel, true));
    // Each hot key's label, box and note follow one another in the layout.
    constexpr int kPlacesPerKey = static_cast<int>(C::ShowHideKeyLabel) - static_cast<int>(C::ClickThroughKeyLabel);
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        const int first = static_cast<int>(C::ClickThroughKeyLabel) + kPlacesPerKey * static_cast<int>(i);
        Bind(static_cast<PanelText>(static_cast<int>(PanelText::ClickThroughKeyLabel) + static_cast<int>(i)),
             AddLabel(page, L"", static_cast<C>(first)));
        const auto id = static_cast<Id>(static_cast<int>(Id::FirstHotKeyBox) + static_cast<int>(i));
        hotKeyBoxes_[i] =
            AddControl(page, HOTKEY_CLASSW, L"", WS_TABSTOP, static_cast<C>(first + 1), id, WS_EX_CLIENTEDGE);
        CommonControls::SetWindowSubclass(hotKeyBoxes_[i], &TSettingsForm::ControlProc, 0,
                                          reinterpret_cast<DWORD_PTR>(this));
        // Shown while another program holds the combination.
        hotKeyNotes_[i] = AddLabel(page, L"", static_cast<C>(first + 2));
        ::ShowWindow(hotKeyNotes_[i], SW_HIDE);
    }
}

void TSettingsForm::LayoutPages() {
    RECT shown{};
    ::GetClientRect(tabs_, &shown);
    ::SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&shown));
    for (const HWND page : pages_) {
        ::SetWindowPos(page, nullptr, shown.left, shown.top + ScaledLength(kTabControl.top, dpi_),
                       shown.right - shown.left, shown.bottom - shown.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace lumetra
