// Building the settings panel: the child panel, the tab control with its
// five pages, and every control at its place, in tab order.
#include "win32/Win32.h"
// After the platform header, which it needs.
#include <commctrl.h>

#include <stdexcept>

#include "win32/CommonControls.h"
#include "win32/Resources.h"
#include "panel/PanelLists.h"
#include "panel/win32/OwnerDrawn.h"
#include "panel/win32/PanelPage.h"
#include "panel/win32/SettingsFrm.h"
#include "panel/win32/SettingsIds.h"
#include "settings/AppSettings.h"

namespace lumetra {
namespace {

constexpr int kFontHeight = 9;
constexpr int kLabelHeight = 11;
constexpr int kPanelTop = kPanelCaptionHeight;
constexpr int kTabsTop = 4;
constexpr int kSpinWidth = 16;
constexpr int kDropRowHeight = 14;  // room per row of an open list without visual styles
constexpr int kHotKeysTop = 102;     // the first hot key's label on the Work page
constexpr int kHotKeyRowHeight = 48;  // label, control and the note below it

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

HWND TSettingsForm::AddControl(HWND parent, const char* className, const char* text, DWORD style, int x,
                               int y, int width, int height, Id id, DWORD exStyle) {
    // Children are destroyed with the window.
    const HWND control = ::CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                           instance_, nullptr);
    if (control == nullptr) throw std::runtime_error("Unable to create the settings controls");
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND TSettingsForm::AddLabel(HWND parent, const char* text, int x, int y, int width, bool bold) {
    const HWND label = AddControl(parent, WC_STATICA, text, SS_LEFTNOWORDWRAP, x, y, width, kLabelHeight);
    if (bold) ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    return label;
}

HWND TSettingsForm::AddCombo(HWND parent, DWORD style, int x, int y, int width, int height, int rows, Id id) {
    const HWND combo = AddControl(parent, WC_COMBOBOXA, "", style | WS_TABSTOP | WS_VSCROLL, x, y, width,
                                  height + rows * kDropRowHeight, id);
    ::SendMessageA(combo, CB_SETMINVISIBLE, static_cast<WPARAM>(rows), 0);
    // The closed box is height pixels high whatever the font gives it.
    RECT box{};
    ::GetWindowRect(combo, &box);
    const LRESULT field = ::SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    const LONG frame = (box.bottom - box.top) - static_cast<LONG>(field);
    if (field > 0 && height > frame) {
        ::SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - frame);
    }
    return combo;
}

HWND TSettingsForm::AddSpin(HWND parent, HWND buddy, int minimum, int maximum) {
    RECT edit{};
    ::GetWindowRect(buddy, &edit);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&edit), 2);
    const HWND spin = AddControl(parent, UPDOWN_CLASSA, "",
                                 UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS | UDS_ALIGNRIGHT, edit.right,
                                 edit.top, kSpinWidth, edit.bottom - edit.top);
    ::SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    ::SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    // Aligning narrows the edit; the layout keeps its width and puts the
    // spin buttons right of it.
    ::SetWindowPos(buddy, nullptr, edit.left, edit.top, edit.right - edit.left, edit.bottom - edit.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(spin, nullptr, edit.right, edit.top, kSpinWidth, edit.bottom - edit.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
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

    const HWND panel = CreatePanelPage(instance_, window_.get(), 0, kPanelTop, kPanelWidth,
                                       kPanelHeight - kPanelTop, true);
    // Pages lie above the tab control, so their controls come first in tab
    // order and the tab control wraps round to them: the same cycle as
    // tab control first.
    for (HWND& page : pages_) page = CreatePanelPage(instance_, panel, 0, 0, 0, 0, false);
    tabs_ = AddControl(panel, WC_TABCONTROLA, "", TCS_MULTILINE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, kTabsTop,
                       kPanelWidth, kPanelHeight - kPanelTop - kTabsTop, Id::PageControl);
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
    const HWND logo = AddControl(page, WC_STATICA, "", SS_ICON, 11, 9, 32, 32);
    ::SendMessageA(logo, STM_SETICON, reinterpret_cast<WPARAM>(logo_.get()), 0);
    Bind(PanelText::LogoLabel, AddControl(page, WC_STATICA, "", SS_LEFT, 49, 13, 107, 32));
    ::SendMessageA(texts_[static_cast<int>(PanelText::LogoLabel)], WM_SETFONT,
                   reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    Bind(PanelText::CopyrightLabel, AddControl(page, WC_STATICA, "", SS_LEFT, 11, 47, 142, 34));
    Bind(PanelText::DevWebBtn, AddControl(page, WC_BUTTONA, "", BS_DEFPUSHBUTTON | WS_TABSTOP, 11, 126, 142, 21,
                                         Id::DevWebBtn));
    Bind(PanelText::AskSupportBtn, AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, 11, 150, 142, 21,
                                             Id::AskSupportBtn));
    Bind(PanelText::CheckForUpdatesBtn, AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, 11, 174,
                                                  142, 21, Id::CheckForUpdatesBtn));
    Bind(PanelText::HelpBtn,
        AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, 11, 197, 142, 21, Id::HelpBtn));
    Bind(PanelText::NewGuideBtn,
        AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, 11, 228, 142, 21, Id::NewGuideBtn));
    Bind(PanelText::FitPictureBtn,
        AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, 11, 252, 142, 21, Id::FitPictureBtn));
    Bind(PanelText::CopyCompositionBtn, AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, 11, 276, 142, 21,
                                                  Id::CopyCompositionBtn));
}

void TSettingsForm::CreateLookPage(HWND page) {
    Bind(PanelText::SectionLabel, AddLabel(page, "", 12, 12, 0, true), true);
    // The group box is a frame only: its controls are the page's, placed
    // relative to the box at (8, 28).
    Bind(PanelText::SnapToGroupBox, AddControl(page, WC_BUTTONA, "", BS_GROUPBOX, 8, 28, 149, 57));
    PaintOwnGroupCaption(texts_[static_cast<int>(PanelText::SnapToGroupBox)]);
    Bind(PanelText::WidthRadio, AddControl(page, WC_BUTTONA, "", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 16,
                                          44, 77, 17, Id::WidthRadio));
    Bind(PanelText::HeightRadio,
        AddControl(page, WC_BUTTONA, "", BS_AUTORADIOBUTTON, 16, 60, 73, 17, Id::HeightRadio));
    sizeEdit_ = AddControl(page, WC_EDITA, "400", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, 100, 51, 35, 19,
                           Id::SizeEdit, WS_EX_CLIENTEDGE);
    sizeSpin_ = AddSpin(page, sizeEdit_, 0, 0);  // its maximum comes with the screen's width
    Bind(PanelText::RatioLabel, AddLabel(page, "", 12, 92, 0), true);
    ratioBox_ = AddCombo(page, CBS_DROPDOWN | CBS_AUTOHSCROLL, 12, 105, 141, 19, 15, Id::RatioComboBox);
    lookBox_ = AddCombo(page, CBS_DROPDOWNLIST, 12, 188, 141, 19, 15, Id::LookComboBox);
    orientationBox_ = AddCombo(page, CBS_DROPDOWNLIST, 12, 229, 141, 19, 4, Id::OrientationComboBox);
    gridEdit_ = AddControl(page, WC_EDITA, "0", ES_AUTOHSCROLL | WS_TABSTOP, 100, 259, 35, 19, Id::GridSizeEdit,
                           WS_EX_CLIENTEDGE);
    gridSpin_ = AddSpin(page, gridEdit_, 0, kMaxGridSize);
    for (const HWND field : {sizeEdit_, gridEdit_}) {
        CommonControls::SetWindowSubclass(field, &TSettingsForm::ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    Bind(PanelText::LockCheckBox,
        AddControl(page, WC_BUTTONA, "", BS_AUTOCHECKBOX | WS_TABSTOP, 12, 130, 141, 17, Id::LockCheckBox));
    Bind(PanelText::GridLabel, AddLabel(page, "", 12, 160, 0, true), true);
    Bind(PanelText::LookLabel, AddLabel(page, "", 12, 175, 0), true);
    Bind(PanelText::OrientationLabel, AddLabel(page, "", 12, 216, 0), true);
    Bind(PanelText::GridSizeLabel, AddLabel(page, "", 12, 262, 0), true);
    Bind(PanelText::FollowCheckBox,
         AddControl(page, WC_BUTTONA, "", BS_AUTOCHECKBOX | WS_TABSTOP, 12, 281, 141, 17, Id::FollowCheckBox));
}

void TSettingsForm::CreateColorsPage(HWND page) {
    constexpr DWORD kPickerStyle = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    Bind(PanelText::LinesColorLabel, AddLabel(page, "", 12, 12, 0), true);
    linesColorBox_ = AddCombo(page, kPickerStyle, 12, 25, 141, 22, 15, Id::LinesColorBox);
    Bind(PanelText::ValuesColorLabel, AddLabel(page, "", 12, 56, 0), true);
    valuesColorBox_ = AddCombo(page, kPickerStyle, 12, 69, 141, 22, 15, Id::ValuesColorBox);
    for (const HWND picker : {linesColorBox_, valuesColorBox_}) {
        ::SendMessageA(picker, CB_SETITEMHEIGHT, 0, kColorItemHeight);
        FillColorPicker(picker);
    }
    Bind(PanelText::OpacityLabel, AddLabel(page, "", 12, 102, 0), true);
    opacityBar_ = AddControl(page, TRACKBAR_CLASSA, "",
                             TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS | TBS_FIXEDLENGTH | WS_TABSTOP, 12, 112, 141, 33,
                             Id::OpacityTrackBar);
    ::SendMessageA(opacityBar_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    ::SendMessageA(opacityBar_, TBM_SETPAGESIZE, 0, 10);
    ::SendMessageA(opacityBar_, TBM_SETTICFREQ, 10, 0);
    ::SendMessageA(opacityBar_, TBM_SETTHUMBLENGTH, 15, 0);
    AddLabel(page, "0%", 16, 146, 15);
    AddLabel(page, "100%", 129, 146, 25);

    // The guide's lines and labels, below the colours.
    Bind(PanelText::LineWidthLabel, AddLabel(page, "", 12, 171, 0), true);
    lineWidthEdit_ = AddControl(page, WC_EDITA, "1", ES_AUTOHSCROLL | WS_TABSTOP, 112, 168, 25, 19,
                                Id::LineWidthEdit, WS_EX_CLIENTEDGE);
    lineWidthSpin_ = AddSpin(page, lineWidthEdit_, kMinLineWidth, kMaxLineWidth);
    CommonControls::SetWindowSubclass(lineWidthEdit_, &TSettingsForm::ControlProc, 0,
                                      reinterpret_cast<DWORD_PTR>(this));
    Bind(PanelText::HaloCheckBox,
         AddControl(page, WC_BUTTONA, "", BS_AUTOCHECKBOX | WS_TABSTOP, 12, 193, 141, 17, Id::HaloCheckBox));
    Bind(PanelText::HaloColorLabel, AddLabel(page, "", 12, 216, 0), true);
    haloColorBox_ = AddCombo(page, kPickerStyle, 12, 229, 141, 22, 15, Id::HaloColorBox);
    ::SendMessageA(haloColorBox_, CB_SETITEMHEIGHT, 0, kColorItemHeight);
    FillColorPicker(haloColorBox_);
    AddAutomaticColor(haloColorBox_);
    Bind(PanelText::LabelSizeLabel, AddLabel(page, "", 12, 260, 0), true);
    labelSizeBox_ = AddCombo(page, CBS_DROPDOWNLIST, 12, 273, 141, 19, 15, Id::LabelSizeComboBox);
}

void TSettingsForm::CreateAdvancedPage(HWND page) {
    Bind(PanelText::AdvancedLabel, AddLabel(page, "", 12, 12, 0), true);
    checkList_ = AddControl(page, WC_LISTBOXA, "",
                            LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                                WS_HSCROLL | WS_TABSTOP,
                            12, 25, 141, 146, Id::AdvCheckListBox, WS_EX_CLIENTEDGE);
    ::SendMessageA(checkList_, LB_SETITEMHEIGHT, 0, kCheckItemHeight);
    // The entries exist from the start, so their check marks can be set
    // before the texts arrive.
    for (int i = 0; i < kAdvancedOptionCount; ++i) ::SendMessageA(checkList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
    CommonControls::SetWindowSubclass(checkList_, &TSettingsForm::ControlProc, 0,
                                      reinterpret_cast<DWORD_PTR>(this));
    Bind(PanelText::RestoreButton,
         AddControl(page, WC_BUTTONA, "", BS_PUSHBUTTON | WS_TABSTOP, 12, 224, 141, 21, Id::RestoreButton));
    Bind(PanelText::LanguageLabel, AddLabel(page, "", 12, 182, 0), true);
    langBox_ = AddCombo(page, CBS_DROPDOWNLIST, 12, 195, 141, 19, 15, Id::LangComboBox);
}

void TSettingsForm::CreateWorkPage(HWND page) {
    Bind(PanelText::ClickThroughCheckBox, AddControl(page, WC_BUTTONA, "", BS_AUTOCHECKBOX | WS_TABSTOP, 12, 12, 141,
                                                    17, Id::ClickThroughCheckBox));
    // Room for a second line of text, and for the note below it where the
    // system cannot hide windows from captures.
    Bind(PanelText::CaptureCheckBox, AddControl(page, WC_BUTTONA, "", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 12,
                                               32, 141, 26, Id::CaptureCheckBox));
    Bind(PanelText::CaptureNote, AddControl(page, WC_STATICA, "", SS_LEFT, 28, 58, 125, 2 * kLabelHeight));
    Bind(PanelText::HotKeysLabel, AddLabel(page, "", 12, 86, 0, true), true);
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        const int top = kHotKeysTop + kHotKeyRowHeight * static_cast<int>(i);
        Bind(static_cast<PanelText>(static_cast<int>(PanelText::ClickThroughKeyLabel) + static_cast<int>(i)),
            AddLabel(page, "", 12, top, 141));
        const auto id = static_cast<Id>(static_cast<int>(Id::FirstHotKeyBox) + static_cast<int>(i));
        hotKeyBoxes_[i] = AddControl(page, HOTKEY_CLASSA, "", WS_TABSTOP, 12, top + 13, 141, 19, id, WS_EX_CLIENTEDGE);
        CommonControls::SetWindowSubclass(hotKeyBoxes_[i], &TSettingsForm::ControlProc, 0,
                                          reinterpret_cast<DWORD_PTR>(this));
        // Shown while another program holds the combination.
        hotKeyNotes_[i] = AddLabel(page, "", 12, top + 33, 141);
        ::ShowWindow(hotKeyNotes_[i], SW_HIDE);
    }
}

void TSettingsForm::LayoutPages() {
    RECT shown{};
    ::GetClientRect(tabs_, &shown);
    ::SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&shown));
    for (const HWND page : pages_) {
        ::SetWindowPos(page, nullptr, shown.left, shown.top + kTabsTop, shown.right - shown.left,
                       shown.bottom - shown.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace lumetra
