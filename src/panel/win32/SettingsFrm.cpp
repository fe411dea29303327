#include "panel/win32/SettingsFrm.h"

#include "win32/Win32.h"
// After the platform header, which it needs.
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "app/ShellOpen.h"
#include "app/WebQuery.h"
#include "win32/CommonControls.h"
#include "win32/DesktopShell.h"
#include "win32/ErrorBox.h"
#include "win32/InstallClock.h"
#include "lang/LangTable.h"
#include "overlay/input/Interaction.h"
#include "win32/ApplicationCursor.h"
#include "win32/CaptureExclusion.h"
#include "win32/FormProcedure.h"
#include "overlay/win32/MainFrm.h"
#include "win32/ScreenShot.h"
#include "panel/PanelLists.h"
#include "panel/win32/HotKeyControl.h"
#include "panel/win32/OwnerDrawn.h"
#include "panel/win32/SettingsIds.h"
#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"

namespace lumetra {
namespace {

constexpr int kHorizontalExtent = 280;
std::string WindowText(HWND control) {
    const int length = ::GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(::GetWindowTextA(control, text.data(), length + 1), 0)));
    return text;
}

std::string ComboItemText(HWND combo, int index) {
    const LRESULT length = ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

int ComboSelection(HWND combo) { return static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

bool IsChecked(HWND checkBox) { return ::SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

TSettingsForm::TSettingsForm(HINSTANCE instance, TSettings& settings, LangTable& texts,
                             const SettingsFile& files, TMainForm& overlay)
    : instance_(instance),
      settings_(&settings),
      files_(files),
      overlay_(overlay),
      current_(&overlay),
      controller_(settings, texts, files, overlay, *this, ::GetSystemMetrics(SM_CXSCREEN)),
      caption_(*this, &LangText) {
    RegisterFormClass<TSettingsForm>(instance, kClassName, nullptr);  // the strip sets its own pointer
    // Owned by the overlay, so it goes and comes back with the program's
    // minimising and never drops behind the overlay.
    const HWND window = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT,
                                          kClassName, kTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0, kPanelWidth,
                                          kPanelHeight, overlay.Handle(), nullptr, instance, this);
    if (window == nullptr) throw std::runtime_error("Unable to create the settings window");
    try {
        CreateControls();
        FormCreate();
    } catch (...) {
        // Nobody may call a panel that never came to be.
        settings_->SetPanel(nullptr);
        overlay_.SetPanel(nullptr);
        throw;
    }
}

void TSettingsForm::BindGuide(TSettings& settings, TMainForm& overlay, int number, int count) {
    settings_ = &settings;
    current_ = &overlay;
    controller_.Rebind(settings, overlay);
    controller_.ShowGuideNumber(number, count);
}

void TSettingsForm::AttachHotKeys(IHotKeyStatus* status) { controller_.AttachHotKeys(status); }

void TSettingsForm::UpdateHotKeys() { controller_.UpdateHotKeys(); }

TSettingsForm::~TSettingsForm() {
    settings_->SetPanel(nullptr);
    overlay_.SetPanel(nullptr);
    hint_.Destroy();
    window_.reset();  // handlers still find every member alive
}

LRESULT TSettingsForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_.get();
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the strip is painted whole from the buffer
        case WM_PAINT:
            FormPaint();
            return 0;
        case WM_ACTIVATE:
            ScheduleRepaint();  // the caption's colour shows the activation
            FormActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_ACTIVATEAPP:
            ScheduleRepaint();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            caption_.FormMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            caption_.FormMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            caption_.FormMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window) caption_.CaptureLost();
            return 0;
        case WM_SETCURSOR:
            if (ShowApplicationCursor()) return TRUE;
            if (reinterpret_cast<HWND>(wParam) != window || LOWORD(lParam) != HTCLIENT) break;
            ::SetCursor(cursor_ != nullptr ? cursor_ : ::LoadCursor(nullptr, IDC_ARROW));
            return TRUE;
        case WM_SYSCOMMAND:
            // The user's own close shortcut on the panel closes the panel.
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                FormClose();
                return 0;
            }
            break;
        case WM_CLOSE:
            // A close request from outside (the task manager, the end of
            // the session) ends the program, as it does on a guide: the
            // panel stays as the user left it.
            ::PostMessageA(overlay_.Handle(), WM_CLOSE, 0, 0);
            return 0;
        case WM_DESTROY:
            started_ = false;  // controls losing the focus now commit nothing
            return 0;
        case DM_GETDEFID:
            // The web-site button is the default button while its page shows.
            if (ShownPage() != static_cast<int>(PanelPage::Main)) return 0;
            return MAKELRESULT(static_cast<WORD>(Id::DevWebBtn), DC_HASDEFID);
        case WM_COMMAND:
            FormCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->hwndFrom == tabs_ &&
                reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) {
                PageControlChange();
            }
            return 0;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == opacityBar_ && started_) {
                controller_.OpacityTrackBarChange(
                    static_cast<int>(::SendMessageA(opacityBar_, TBM_GETPOS, 0, 0)));
            }
            return 0;
        case WM_MEASUREITEM: {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            item.itemHeight = item.CtlType == ODT_COMBOBOX ? kColorItemHeight : kCheckItemHeight;
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType == ODT_COMBOBOX) DrawColorItem(item);
            if (item.CtlType == ODT_LISTBOX) DrawCheckItem(item);
            return TRUE;
        }
        default:
            break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// ---- creation, painting, closing -------------------------------------------

void TSettingsForm::FormCreate() {
    buffer_ = BackBuffer::Create(kPanelWidth, kPanelHeight, overlay_.Icons());
    // Twice the primary screen: room to type a size larger than it.
    ::SendMessageA(sizeSpin_, UDM_SETRANGE32, 0, 2 * ::GetSystemMetrics(SM_CXSCREEN));
    // Asked once, before the panel shows: the controller then keeps the
    // panel in captures or out of them as the setting says.
    captureHidingAvailable_ = SetCaptureExclusion(window_.get(), true);
    excludedFromCapture_ = captureHidingAvailable_;
    if (excludedFromCapture_) SetCaptureExclusion(hint_.Handle(), true);
    settings_->SetPanel(&controller_);
    overlay_.SetPanel(this);
    controller_.Start(LanguageFiles());
    started_ = true;
    if (settings_->SVisible()) {
        ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
        shown_ = true;
    }
    ShowPage(PageFromSPage(settings_->SPage()));
    ::SendMessageA(checkList_, LB_SETHORIZONTALEXTENT, kHorizontalExtent, 0);
    focus_ = tabs_;
}

// The control that had the focus gets it back with the window, the tab
// control the first time.
void TSettingsForm::FormActivate(bool active) {
    if (active) {
        ::SetFocus(focus_ != nullptr && ::IsWindowVisible(focus_) ? focus_ : tabs_);
        return;
    }
    const HWND focused = ::GetFocus();
    if (focused != nullptr && ::IsChild(window_.get(), focused)) focus_ = focused;
}

void TSettingsForm::FormPaint() {
    const PaintDc dc(window_.get());
    if (!buffer_) return;
    ComposePanelCaption(buffer_->canvas(), controller_.CaptionText(), IsActive());
    buffer_->CopyTo(dc.get(), kPanelWidth, kPanelCaptionHeight);
}

bool TSettingsForm::IsActive() const { return ::GetForegroundWindow() == window_.get(); }

void TSettingsForm::FormClose() {
    const PanelState state = State();
    settings_->StorePanelState(state.left, state.top, state.visible, state.page);
    // While the program is minimised nothing of the panel shows that a close
    // could hide: it comes back with the overlay as the user left it.
    if (!::IsIconic(overlay_.Handle())) Show(false);
}

void TSettingsForm::Show(bool shown) {
    ::ShowWindow(window_.get(), shown ? SW_SHOW : SW_HIDE);
    shown_ = shown;
}

PanelState TSettingsForm::State() const {
    const Point at = Position();
    return {at.x, at.y, shown_, SPageFromPage(ShownPage())};
}

void TSettingsForm::ScheduleRepaint() { ::InvalidateRect(window_.get(), nullptr, FALSE); }

void TSettingsForm::UpdateOpacity() { controller_.UpdateOpacity(); }

void TSettingsForm::ToggleVisible() {
    if (::IsWindowVisible(window_.get())) {
        Show(false);
        return;
    }
    Present();
}

void TSettingsForm::Present() {
    const HWND window = window_.get();
    // Minimised, the program keeps the panel hidden with its owner.
    if (::IsIconic(overlay_.Handle())) ::ShowWindow(overlay_.Handle(), SW_RESTORE);
    Show(true);
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(window);
}

void TSettingsForm::EnableGuideCommands(bool enabled) {
    for (const PanelText button :
         {PanelText::NewGuideBtn, PanelText::FitPictureBtn, PanelText::CopyCompositionBtn}) {
        ::EnableWindow(texts_[static_cast<std::size_t>(button)], enabled);
    }
}

void TSettingsForm::MarkShown(IgnoreMask& mask, Point origin) const {
    MarkShownWindow(mask, origin, window_.get());
    MarkShownWindow(mask, origin, hint_.Handle());
}

std::vector<std::string> TSettingsForm::LanguageFiles() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const UniqueFind search(::FindFirstFileA((files_.ExeFolder() + "*.lng").c_str(), &found));
    if (!search) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(found.cFileName);
    } while (::FindNextFileA(search.get(), &found));
    return names;
}

// ---- keys ------------------------------------------------------------------

bool TSettingsForm::PreTranslateMessage(MSG& message) {
    const HWND window = window_.get();
    if (window == nullptr || (message.hwnd != window && !::IsChild(window, message.hwnd))) return false;
    if (message.message == WM_KEYDOWN) {
        // A hot-key control takes the panel's own keys as part of a combination.
        const bool panelKeys = !HotKeyCommandOf(message.hwnd);
        try {
            if ((panelKeys && FormKeyDown(message.wParam)) || FieldKeyDown(message.hwnd, message.wParam)) return true;
        } catch (const std::exception& error) {
            ShowErrorBox(error.what());
            return true;
        }
    }
    return ::IsDialogMessageA(window, &message) != FALSE;
}

bool TSettingsForm::FormKeyDown(WPARAM key) {
    switch (key) {
        case VK_F1:
            OpenManual();
            return true;
        case VK_F2:
            ToggleVisible();  // the overlay's settings action: it hides the panel
            return true;
        case VK_F3:
            current_->ApplyOpacity();
            return true;
        default:
            return false;
    }
}

// The fields' own keys, seen before the field gets them. Enter is theirs;
// Tab stays with the dialog navigation.
bool TSettingsForm::FieldKeyDown(HWND target, WPARAM key) {
    if (key == VK_TAB) return false;
    if (const std::optional<HotKeyCommand> command = HotKeyCommandOf(target)) {
        // Backspace empties the control: the command has no hot key then.
        if (key != VK_BACK) return false;
        controller_.HotKeyClear(*command);
        return true;
    }
    const FieldKey fieldKey = key == VK_RETURN ? FieldKey::Enter : FieldKey::Other;
    if (target == sizeEdit_) {
        controller_.SizeEditKeyDown(fieldKey);
    } else if (target == gridEdit_) {
        controller_.GridSizeEditKeyDown(fieldKey);
    } else if (target == lineWidthEdit_ && fieldKey == FieldKey::Enter) {
        controller_.LineWidthEditDone();
    } else if (::GetParent(target) == ratioBox_ && fieldKey == FieldKey::Enter) {
        // Typed text clears the box's selection only when the list is closed.
        const std::string text = WindowText(ratioBox_);
        int index = ComboSelection(ratioBox_);
        if (index >= 0 && ComboItemText(ratioBox_, index) != text) index = -1;
        controller_.RatioComboBoxSelect(index, text);
        return false;  // the box closes its open list on Enter
    } else {
        return false;
    }
    return fieldKey == FieldKey::Enter;
}

// ---- control notifications -------------------------------------------------

void TSettingsForm::FormCommand(int id, int code, HWND control) {
    if (!started_) return;
    if (const std::optional<HotKeyCommand> command = HotKeyCommandOf(control)) {
        if (code == EN_CHANGE && !showing_) controller_.HotKeyChange(*command, HotKeyControlValue(control));
        return;
    }
    switch (static_cast<Id>(id)) {
        case Id::SizeEdit:
            if (code == EN_CHANGE && !showing_) controller_.SizeEditChange();
            return;
        case Id::GridSizeEdit:
            if (code == EN_CHANGE && !showing_) controller_.GridSizeEditChange();
            return;
        case Id::WidthRadio:
            if (code == BN_CLICKED && !settings_->LockWidth()) controller_.WidthRadioClick();
            return;
        case Id::HeightRadio:
            if (code == BN_CLICKED && settings_->LockWidth()) controller_.HeightRadioClick();
            return;
        case Id::LockCheckBox:
            if (code == BN_CLICKED) controller_.LockCheckBoxClick(IsChecked(control));
            return;
        case Id::RatioComboBox:
            if (code == CBN_SELCHANGE) {
                const int index = ComboSelection(ratioBox_);
                controller_.RatioComboBoxSelect(index, ComboItemText(ratioBox_, index));
            }
            return;
        case Id::LookComboBox:
            if (code == CBN_SELCHANGE) controller_.LookComboBoxChange(ComboSelection(lookBox_));
            return;
        case Id::OrientationComboBox:
            if (code == CBN_SELCHANGE) controller_.OrientationComboBoxChange(ComboSelection(orientationBox_));
            return;
        case Id::LinesColorBox:
            if (code == CBN_SELCHANGE) ColorBoxChange(PanelColorBox::Lines);
            return;
        case Id::ValuesColorBox:
            if (code == CBN_SELCHANGE) ColorBoxChange(PanelColorBox::Values);
            return;
        case Id::LineWidthEdit:
            if (code == EN_CHANGE && !showing_) controller_.LineWidthEditChange();
            return;
        case Id::HaloCheckBox:
            if (code == BN_CLICKED) controller_.HaloCheckBoxClick(IsChecked(control));
            return;
        case Id::HaloColorBox:
            if (code == CBN_SELCHANGE) ColorBoxChange(PanelColorBox::Halo);
            return;
        case Id::LabelSizeComboBox:
            if (code == CBN_SELCHANGE) controller_.LabelSizeComboBoxChange(ComboSelection(labelSizeBox_));
            return;
        case Id::ClickThroughCheckBox:
            if (code == BN_CLICKED) controller_.ClickThroughCheckBoxClick(IsChecked(control));
            return;
        case Id::CaptureCheckBox:
            if (code == BN_CLICKED) controller_.CaptureCheckBoxClick(IsChecked(control));
            return;
        case Id::LangComboBox:
            if (code == CBN_SELCHANGE) controller_.LangComboBoxChange(ComboItemText(langBox_, ComboSelection(langBox_)));
            return;
        case Id::RestoreButton:
            if (code == BN_CLICKED) controller_.RestoreButtonClick();
            return;
        case Id::DevWebBtn:
            if (code == BN_CLICKED) OpenWebPage(kHomePath);
            return;
        case Id::AskSupportBtn:
            if (code == BN_CLICKED) OpenWebPage(kServicePath);
            return;
        case Id::CheckForUpdatesBtn:
            if (code == BN_CLICKED) OpenWebPage(kDownloadPath);
            return;
        case Id::HelpBtn:
            if (code == BN_CLICKED) OpenManual();
            return;
        case Id::NewGuideBtn:
            if (code == BN_CLICKED) current_->NewGuide();
            return;
        case Id::FitPictureBtn:
            if (code == BN_CLICKED) current_->FitToPictureAtCentre();
            return;
        case Id::CopyCompositionBtn:
            if (code == BN_CLICKED) current_->CopyComposition();
            return;
        default:
            return;
    }
}

void TSettingsForm::ColorBoxChange(PanelColorBox box) {
    const HWND picker = PickerHandle(box);
    const int index = ComboSelection(picker);
    if (index < 0) return;
    Color color = ColorPickerColor(picker, index);
    if (index == 0) {
        const std::optional<Color> chosen = ChooseCustomColor(window_.get(), color);
        if (!chosen) {
            controller_.UpdateColors();  // cancelled: back to the colours in use
            return;
        }
        color = *chosen;
        ::SendMessageA(picker, CB_SETITEMDATA, 0, static_cast<LPARAM>(color));
    }
    switch (box) {
        case PanelColorBox::Lines: controller_.LinesColorBoxChange(color); return;
        case PanelColorBox::Values: controller_.ValuesColorBoxChange(color); return;
        case PanelColorBox::Halo: controller_.HaloColorBoxChange(color); return;
    }
}

void TSettingsForm::ToggleCheck(int index) {
    if (index < 0 || index >= kAdvancedOptionCount) return;
    SetCheckListChecked(checkList_, index, !CheckListChecked(checkList_, index));
    AdvancedChecks checks{};
    for (int i = 0; i < kAdvancedOptionCount; ++i) checks[static_cast<std::size_t>(i)] = CheckListChecked(checkList_, i);
    controller_.AdvCheckListBoxClickCheck(checks);
}

LRESULT CALLBACK TSettingsForm::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR /*subclass*/, DWORD_PTR self) {
    auto& form = *reinterpret_cast<TSettingsForm*>(self);
    // Runs outside the window procedure: errors stop here as well.
    if (message == WM_KILLFOCUS &&
        (control == form.sizeEdit_ || control == form.gridEdit_ || control == form.lineWidthEdit_)) {
        // The focus goes first.
        const LRESULT result = CommonControls::DefSubclassProc(control, message, wParam, lParam);
        try {
            form.FieldExit(control, reinterpret_cast<HWND>(wParam));
        } catch (const std::exception& error) {
            ShowErrorBox(error.what());
        }
        return result;
    }
    if (const std::optional<HotKeyCommand> command = form.HotKeyCommandOf(control);
        message == WM_PAINT && command && PaintHotKeyControl(control, form.hotKeysShown_[static_cast<std::size_t>(*command)])) {
        return 0;
    }
    if ((message == WM_SETFOCUS || message == WM_KILLFOCUS) && form.HotKeyCommandOf(control) && form.started_) {
        const LRESULT result = CommonControls::DefSubclassProc(control, message, wParam, lParam);
        form.controller_.HotKeyBoxFocus(message == WM_SETFOCUS);
        return result;
    }
    try {
        if (control == form.checkList_) {
            form.CheckListInput(message, wParam, lParam);
            if (message == WM_KEYDOWN && wParam == VK_SPACE) return 0;
        } else if (control == form.tabs_ && message == WM_MOUSEMOVE) {
            ClearApplicationCursor();  // an overlay resize may have left its pointer
        }
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    }
    return CommonControls::DefSubclassProc(control, message, wParam, lParam);
}

// Leaving a field for another control of the panel commits it. The panel
// losing the focus to another window (the overlay, or the box of a failed
// commit) is no leaving: the field gets the focus back with the panel, and
// committing here would show a failed commit's message once more.
void TSettingsForm::FieldExit(HWND field, HWND next) {
    const HWND window = window_.get();
    if (!started_ || next == nullptr || (next != window && !::IsChild(window, next))) return;
    if (field == sizeEdit_) {
        controller_.SizeEditExit();
    } else if (field == gridEdit_) {
        controller_.GridSizeEditExit();
    } else {
        controller_.LineWidthEditDone();
    }
}

void TSettingsForm::CheckListInput(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const LRESULT hit = ::SendMessageA(checkList_, LB_ITEMFROMPOINT, 0, lParam);
            const int x = GET_X_LPARAM(lParam) + ::GetScrollPos(checkList_, SB_HORZ);
            if (HIWORD(hit) == 0 && OnCheckBox(x)) ToggleCheck(LOWORD(hit));
            return;
        }
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) ToggleCheck(static_cast<int>(::SendMessageA(checkList_, LB_GETCURSEL, 0, 0)));
            return;
        case WM_MOUSEMOVE:
            ::RedrawWindow(checkList_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return;
        default:
            return;
    }
}

void TSettingsForm::PageControlChange() { ShowPage(static_cast<int>(::SendMessageA(tabs_, TCM_GETCURSEL, 0, 0))); }

void TSettingsForm::ShowPage(int page) {
    ::SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    for (int i = 0; i < kPanelPageCount; ++i) {
        ::ShowWindow(pages_[static_cast<std::size_t>(i)], i == page ? SW_SHOW : SW_HIDE);
    }
}

int TSettingsForm::ShownPage() const {
    const int page = static_cast<int>(::SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
    return page >= 0 && page < kPanelPageCount ? page : kNoPage;
}

void TSettingsForm::OpenWebPage(const char* path) const {
    ShellOpenJoined(DesktopShell(), std::string(kSiteUrl) + path, WebQuery());
}

void TSettingsForm::OpenManual() { ShellOpen(DesktopShell(), kManualPath); }

}  // namespace lumetra
