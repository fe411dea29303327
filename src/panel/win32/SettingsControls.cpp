// Building the settings panel: the child panel, the tab control with its
// five pages, and every control at its place, in tab order.
#include "win32/Win32.h"
// After the platform header, which it needs.
#include <commctrl.h>

#include <stdexcept>

#include "win32/CommonControls.h"
#include "win32/Resources.h"
#include "panel/PanelLayout.h"
#include "panel/PanelLists.h"
#include "panel/win32/OwnerDrawn.h"
#include "panel/win32/PanelPage.h"
#include "panel/win32/SettingsFrm.h"
#include "panel/win32/SettingsIds.h"
#include "settings/AppSettings.h"

namespace lumetra {
namespace {

using C = PanelControl;

constexpr int kFontHeight = 9;

// The controls are placed at 96 dpi for now.
Rect At(PanelControl control) { return PlaceOf(control).rect; }
bool Fits(PanelControl control) { return PlaceOf(control).fitsText; }
int Width(const Rect& rect) { return rect.right - rect.left; }
int Height(const Rect& rect) { return rect.bottom - rect.top; }

UniqueFont CreateTahoma(int weight) {
    LOGFONTA font{};
    font.lfHeight = -kFontHeight;  // character height, not cell height
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectA(&font));
}

}  // namespace

HWND TSettingsForm::AddControl(HWND parent, const char* className, const char* text, DWORD style, const Rect& place,
                               Id id, DWORD exStyle) {
    // Children are destroyed with the window.
    const HWND control =
        ::CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top, Width(place),
                          Height(place), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (control == nullptr) throw std::runtime_error("Unable to create the settings controls");
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND TSettingsForm::AddLabel(HWND parent, const char* text, const Rect& place, bool bold) {
    const HWND label = AddControl(parent, WC_STATICA, text, SS_LEFTNOWORDWRAP, place);
    if (bold) ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    return label;
}

HWND TSettingsForm::AddCombo(HWND parent, DWORD style, const Rect& place, int rows, Id id) {
    const Rect open{place.left, place.top, place.right, place.bottom + rows * kDropRowHeight};
    const HWND combo = AddControl(parent, WC_COMBOBOXA, "", style | WS_TABSTOP | WS_VSCROLL, open, id);
    ::SendMessageA(combo, CB_SETMINVISIBLE, static_cast<WPARAM>(rows), 0);
    // The closed box is as high as its place whatever the font gives it.
    const int height = Height(place);
    RECT box{};
    ::GetWindowRect(combo, &box);
    const LRESULT field = ::SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    const LONG frame = (box.bottom - box.top) - static_cast<LONG>(field);
    if (field > 0 && height > frame) {
        ::SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - frame);
    }
    return combo;
}

HWND TSettingsForm::AddSpin(HWND parent, HWND buddy, const Rect& place, int minimum, int maximum) {
    RECT edit{};
    ::GetWindowRect(buddy, &edit);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&edit), 2);
    const HWND spin = AddControl(parent, UPDOWN_CLASSA, "",
                                 UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS | UDS_ALIGNRIGHT, place);
    ::SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    ::SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    // Aligning narrows the edit; the layout keeps its width and puts the
    // spin buttons right of it.
    ::SetWindowPos(buddy, nullptr, edit.left, edit.top, edit.right - edit.left, edit.bottom - edit.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(spin, nullptr, place.left, place.top, Width(place), Height(place), SWP_NOZORDER | SWP_NOACTIVATE);
    return spin;
}

void TSettingsForm::Bind(PanelText target, HWND control, bool fitsText) {
    texts_[static_cast<std::size_t>(target)] = control;
    autoSize_[static_cast<std::size_t>(target)] = fitsText;
}

void TSettingsForm::CreateControls() {
    font_ = CreateTahoma(FW_NORMAL);
    boldFont_ = CreateTahoma(FW_BOLD);
    RegisterPanelPageClass(instance_);

    const HWND panel = CreatePanelPage(instance_, window_.get(), kPanelBody.left, kPanelBody.top, Width(kPanelBody),
                                       Height(kPanelBody), true);
    // Pages lie above the tab control, so their controls come first in tab
    // order and the tab control wraps round to them: the same cycle as
    // tab control first.
    for (HWND& page : pages_) page = CreatePanelPage(instance_, panel, 0, 0, 0, 0, false);
    tabs_ = AddControl(panel, WC_TABCONTROLA, "", TCS_MULTILINE | WS_TABSTOP | WS_CLIPSIBLINGS, kTabControl,
                       Id::PageControl);
    CommonControls::SetWindowSubclass(tabs_, &TSettingsForm::ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    for (int i = 0; i < kPanelPageCount; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("");
        ::SendMessageA(tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }

    CreateMainPage(pages_[static_cast<int>(PanelPage::Main)]);
    CreateLookPage(pages_[static_cast<int>(PanelPage::Look)]);
    CreateColorsPage(pages_[static_cast<int>(PanelPage::Colors)]);
    CreateAdvancedPage(pages_[static_cast<int>(PanelPage::Advanced)]);
    CreateWorkPage(pages_[static_cast<int>(PanelPage::Work)]);
    hint_ = HintTip::Create(instance_, window_.get());
    LayoutPages();
}

void TSettingsForm::CreateMainPage(HWND page) {
    logo_.reset(static_cast<HICON>(::LoadImageA(instance_, kAppIconName, IMAGE_ICON, 32, 32, 0)));
    const HWND logo = AddControl(page, WC_STATICA, "", SS_ICON, At(C::Logo));
    ::SendMessageA(logo, STM_SETICON, reinterpret_cast<WPARAM>(logo_.get()), 0);
    Bind(PanelText::LogoLabel, AddControl(page, WC_STATICA, "", SS_LEFT, At(C::LogoLabel)));
    ::SendMessageA(texts_[static_cast<int>(PanelText::LogoLabel)], WM_SETFONT,
                   reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    Bind(PanelText::CopyrightLabel, AddControl(page, WC_STATICA, "", SS_LEFT, At(C::CopyrightLabel)));
    Bind(PanelText::DevWebBtn,
         AddControl(page, WC_BUTTONA, "", BS_DEFPUSHBUTTON | WS_TABSTOP, At(C::DevWebBtn), Id::DevWebBtn));
    Bind(PanelText::AskSupportBtn,
         AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, At(C::AskSupportBtn), Id::AskSupportBtn));
    Bind(PanelText::CheckForUpdatesBtn, AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP,
                                                   At(C::CheckForUpdatesBtn), Id::CheckForUpdatesBtn));
    Bind(PanelText::HelpBtn, AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, At(C::HelpBtn), Id::HelpBtn));
    Bind(PanelText::NewGuideBtn,
         AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, At(C::NewGuideBtn), Id::NewGuideBtn));
    Bind(PanelText::FitPictureBtn,
         AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, At(C::FitPictureBtn), Id::FitPictureBtn));
    Bind(PanelText::CopyCompositionBtn, AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP,
                                                   At(C::CopyCompositionBtn), Id::CopyCompositionBtn));
}

void TSettingsForm::CreateLookPage(HWND page) {
    Bind(PanelText::SectionLabel, AddLabel(page, "", At(C::SectionLabel), true), Fits(C::SectionLabel));
    // The group box is a frame only: its controls are the page's.
    Bind(PanelText::SnapToGroupBox, AddControl(page, WC_BUTTONA, "", BS_GROUPBOX, At(C::SnapToGroupBox)));
    PaintOwnGroupCaption(texts_[static_cast<int>(PanelText::SnapToGroupBox)]);
    Bind(PanelText::WidthRadio, AddControl(page, WC_BUTTONA, "", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                                           At(C::WidthRadio), Id::WidthRadio));
    Bind(PanelText::HeightRadio,
         AddControl(page, WC_BUTTONA, "", BS_AUTORADIOBUTTON, At(C::HeightRadio), Id::HeightRadio));
    sizeEdit_ = AddControl(page, WC_EDITA, "400", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, At(C::SizeEdit), Id::SizeEdit,
                           WS_EX_CLIENTEDGE);
    sizeSpin_ = AddSpin(page, sizeEdit_, At(C::SizeSpin), 0, 0);  // its maximum comes with the screen's width
    Bind(PanelText::RatioLabel, AddLabel(page, "", At(C::RatioLabel)), Fits(C::RatioLabel));
    ratioBox_ = AddCombo(page, CBS_DROPDOWN | CBS_AUTOHSCROLL, At(C::RatioBox), 15, Id::RatioComboBox);
    lookBox_ = AddCombo(page, CBS_DROPDOWNLIST, At(C::LookBox), 15, Id::LookComboBox);
    orientationBox_ = AddCombo(page, CBS_DROPDOWNLIST, At(C::OrientationBox), 4, Id::OrientationComboBox);
    gridEdit_ = AddControl(page, WC_EDITA, "0", ES_AUTOHSCROLL | WS_TABSTOP, At(C::GridSizeEdit), Id::GridSizeEdit,
                           WS_EX_CLIENTEDGE);
    gridSpin_ = AddSpin(page, gridEdit_, At(C::GridSizeSpin), 0, kMaxGridSize);
    for (const HWND field : {sizeEdit_, gridEdit_}) {
        CommonControls::SetWindowSubclass(field, &TSettingsForm::ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    Bind(PanelText::LockCheckBox,
         AddControl(page, WC_BUTTONA, "", BS_AUTOCHECKBOX | WS_TABSTOP, At(C::LockCheckBox), Id::LockCheckBox));
    Bind(PanelText::GridLabel, AddLabel(page, "", At(C::GridLabel), true), Fits(C::GridLabel));
    Bind(PanelText::LookLabel, AddLabel(page, "", At(C::LookLabel)), Fits(C::LookLabel));
    Bind(PanelText::OrientationLabel, AddLabel(page, "", At(C::OrientationLabel)), Fits(C::OrientationLabel));
    Bind(PanelText::GridSizeLabel, AddLabel(page, "", At(C::GridSizeLabel)), Fits(C::GridSizeLabel));
    Bind(PanelText::FollowCheckBox,
         AddControl(page, WC_BUTTONA, "", BS_AUTOCHECKBOX | WS_TABSTOP, At(C::FollowCheckBox), Id::FollowCheckBox));
}

void TSettingsForm::CreateColorsPage(HWND page) {
    constexpr DWORD kPickerStyle = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    Bind(PanelText::LinesColorLabel, AddLabel(page, "", At(C::LinesColorLabel)), Fits(C::LinesColorLabel));
    linesColorBox_ = AddCombo(page, kPickerStyle, At(C::LinesColorBox), 15, Id::LinesColorBox);
    Bind(PanelText::ValuesColorLabel, AddLabel(page, "", At(C::ValuesColorLabel)), Fits(C::ValuesColorLabel));
    valuesColorBox_ = AddCombo(page, kPickerStyle, At(C::ValuesColorBox), 15, Id::ValuesColorBox);
    for (const HWND picker : {linesColorBox_, valuesColorBox_}) {
        ::SendMessageA(picker, CB_SETITEMHEIGHT, 0, kColorItemHeight);
        FillColorPicker(picker);
    }
    Bind(PanelText::OpacityLabel, AddLabel(page, "", At(C::OpacityLabel)), Fits(C::OpacityLabel));
    opacityBar_ =
        AddControl(page, TRACKBAR_CLASSA, "", TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS | TBS_FIXEDLENGTH | WS_TABSTOP,
                   At(C::OpacityBar), Id::OpacityTrackBar);
    ::SendMessageA(opacityBar_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    ::SendMessageA(opacityBar_, TBM_SETPAGESIZE, 0, 10);
    ::SendMessageA(opacityBar_, TBM_SETTICFREQ, 10, 0);
    ::SendMessageA(opacityBar_, TBM_SETTHUMBLENGTH, 15, 0);
    AddLabel(page, "0%", At(C::OpacityMinLabel));
    AddLabel(page, "100%", At(C::OpacityMaxLabel));

    // The guide's lines and labels, below the colours.
    Bind(PanelText::LineWidthLabel, AddLabel(page, "", At(C::LineWidthLabel)), Fits(C::LineWidthLabel));
    lineWidthEdit_ = AddControl(page, WC_EDITA, "1", ES_AUTOHSCROLL | WS_TABSTOP, At(C::LineWidthEdit),
                                Id::LineWidthEdit, WS_EX_CLIENTEDGE);
    lineWidthSpin_ = AddSpin(page, lineWidthEdit_, At(C::LineWidthSpin), kMinLineWidth, kMaxLineWidth);
    CommonControls::SetWindowSubclass(lineWidthEdit_, &TSettingsForm::ControlProc, 0,
                                      reinterpret_cast<DWORD_PTR>(this));
    Bind(PanelText::HaloCheckBox,
         AddControl(page, WC_BUTTONA, "", BS_AUTOCHECKBOX | WS_TABSTOP, At(C::HaloCheckBox), Id::HaloCheckBox));
    Bind(PanelText::HaloColorLabel, AddLabel(page, "", At(C::HaloColorLabel)), Fits(C::HaloColorLabel));
    haloColorBox_ = AddCombo(page, kPickerStyle, At(C::HaloColorBox), 15, Id::HaloColorBox);
    ::SendMessageA(haloColorBox_, CB_SETITEMHEIGHT, 0, kColorItemHeight);
    FillColorPicker(haloColorBox_);
    AddAutomaticColor(haloColorBox_);
    Bind(PanelText::LabelSizeLabel, AddLabel(page, "", At(C::LabelSizeLabel)), Fits(C::LabelSizeLabel));
    labelSizeBox_ = AddCombo(page, CBS_DROPDOWNLIST, At(C::LabelSizeBox), 15, Id::LabelSizeComboBox);
}

void TSettingsForm::CreateAdvancedPage(HWND page) {
    Bind(PanelText::AdvancedLabel, AddLabel(page, "", At(C::AdvancedLabel)), Fits(C::AdvancedLabel));
    checkList_ = AddControl(
        page, WC_LISTBOXA, "",
        LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
        At(C::AdvancedCheckList), Id::AdvCheckListBox, WS_EX_CLIENTEDGE);
    ::SendMessageA(checkList_, LB_SETITEMHEIGHT, 0, kCheckItemHeight);
    // The entries exist from the start, so their check marks can be set
    // before the texts arrive.
    for (int i = 0; i < kAdvancedOptionCount; ++i)
        ::SendMessageA(checkList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
    CommonControls::SetWindowSubclass(checkList_, &TSettingsForm::ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    Bind(PanelText::RestoreButton,
         AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, At(C::RestoreButton), Id::RestoreButton));
    Bind(PanelText::LanguageLabel, AddLabel(page, "", At(C::LanguageLabel)), Fits(C::LanguageLabel));
    langBox_ = AddCombo(page, CBS_DROPDOWNLIST, At(C::LanguageBox), 15, Id::LangComboBox);
}

void TSettingsForm::CreateWorkPage(HWND page) {
    Bind(PanelText::ClickThroughCheckBox, AddControl(page, WC_BUTTONA, "", BS_AUTOCHECKBOX | WS_TABSTOP,
                                                     At(C::ClickThroughCheckBox), Id::ClickThroughCheckBox));
    // Room for a second line of text, and for the note below it where the
    // system cannot hide windows from captures.
    Bind(PanelText::CaptureCheckBox, AddControl(page, WC_BUTTONA, "", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP,
                                                At(C::CaptureCheckBox), Id::CaptureCheckBox));
    Bind(PanelText::CaptureNote, AddControl(page, WC_STATICA, "", SS_LEFT, At(C::CaptureNote)));
    Bind(PanelText::HotKeysLabel, AddLabel(page, "", At(C::HotKeysLabel), true), Fits(C::HotKeysLabel));
    // Each hot key's label, box and note follow one another in the layout.
    constexpr int kPlacesPerKey = static_cast<int>(C::ShowHideKeyLabel) - static_cast<int>(C::ClickThroughKeyLabel);
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        const int first = static_cast<int>(C::ClickThroughKeyLabel) + kPlacesPerKey * static_cast<int>(i);
        Bind(static_cast<PanelText>(static_cast<int>(PanelText::ClickThroughKeyLabel) + static_cast<int>(i)),
             AddLabel(page, "", At(static_cast<C>(first))));
        const auto id = static_cast<Id>(static_cast<int>(Id::FirstHotKeyBox) + static_cast<int>(i));
        hotKeyBoxes_[i] =
            AddControl(page, HOTKEY_CLASSA, "", WS_TABSTOP, At(static_cast<C>(first + 1)), id, WS_EX_CLIENTEDGE);
        CommonControls::SetWindowSubclass(hotKeyBoxes_[i], &TSettingsForm::ControlProc, 0,
                                          reinterpret_cast<DWORD_PTR>(this));
        // Shown while another program holds the combination.
        hotKeyNotes_[i] = AddLabel(page, "", At(static_cast<C>(first + 2)));
        ::ShowWindow(hotKeyNotes_[i], SW_HIDE);
    }
}

void TSettingsForm::LayoutPages() {
    RECT shown{};
    ::GetClientRect(tabs_, &shown);
    ::SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&shown));
    for (const HWND page : pages_) {
        ::SetWindowPos(page, nullptr, shown.left, shown.top + kTabControl.top, shown.right - shown.left,
                       shown.bottom - shown.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace lumetra
