#include "panel/win32/SettingsFrm.h"

#include "win32/Win32.h"
// After the platform header, which it needs.
#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "Version.h"  // generated in the build from cmake/Version.h.in
#include "lang/LangTable.h"
#include "win32/ApplicationCursor.h"
#include "win32/CaptureExclusion.h"
#include "win32/FormProcedure.h"
#include "overlay/input/Interaction.h"
#include "overlay/win32/PanelWindow.h"
#include "overlay/win32/ScreenShot.h"
#include "win32/WindowDpi.h"
#include "panel/PanelLists.h"
#include "panel/win32/OwnerDrawn.h"
#include "panel/win32/SettingsIds.h"
#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"

namespace lumetra {

TSettingsForm::TSettingsForm(HINSTANCE instance, TSettings& settings, const LookLibrary& looks, LangTable& texts,
                             const SettingsFile& files, IPanelGuide& overlay, ILinks& links)
    : instance_(instance),
      settings_(&settings),
      files_(files),
      overlay_(overlay),
      links_(links),
      current_(&overlay),
      controller_(settings, looks, texts, files, overlay.Sink(), *this, ::GetSystemMetrics(SM_CXSCREEN)),
      calibration_(*this, *this, texts),
      strip_(*this, hint_, instance) {
    RegisterFormClass<TSettingsForm>(instance, kClassName, nullptr);  // the strip sets its own pointer
    // Sized for the monitor it will show on from the first paint: the one
    // under its stored place, then the one the system puts it on.
    const Point at{settings.SX(), settings.SY()};
    Point size = ScaledPanelSize(kDefaultDpi);
    dpi_ = DpiAt(RECT{at.x, at.y, at.x + size.x, at.y + size.y});
    size = ScaledPanelSize(dpi_);
    // Owned by the overlay, so it goes and comes back with the program's
    // minimising and never drops behind the overlay.
    const std::wstring title = std::wstring(kProductNameWide) + L" Settings";
    const HWND window = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT,
                                          kClassName, title.c_str(), WS_POPUP | WS_CLIPCHILDREN, at.x, at.y, size.x, size.y,
                                          overlay.Handle(), nullptr, instance, this);
    if (window == nullptr) throw std::runtime_error("Unable to create the settings window");
    if (const int dpi = WindowDpi(window); dpi != dpi_) {
        dpi_ = dpi;
        size = ScaledPanelSize(dpi_);
        ::SetWindowPos(window, nullptr, 0, 0, size.x, size.y, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    strip_.Attach(window, dpi_);
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

void TSettingsForm::BindGuide(TSettings& settings, IPanelGuide& overlay, int number, int count) {
    settings_ = &settings;
    current_ = &overlay;
    controller_.Rebind(settings, overlay.Sink());
    controller_.ShowGuideNumber(number, count);
}

void TSettingsForm::AttachHotKeys(IHotKeyStatus* status) { controller_.AttachHotKeys(status); }

void TSettingsForm::AttachStartWithWindows(IStartWithWindows* startWithWindows) {
    controller_.AttachStartWithWindows(startWithWindows);
}

void TSettingsForm::UpdateStartWithWindows() { controller_.UpdateStartWithWindows(); }

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
        case WM_ERASEBKGND: return 1;  // the strip is painted whole from the buffer
        case WM_PAINT: FormPaint(); return 0;
        case WM_ACTIVATE:
            ScheduleRepaint();  // the caption's colour shows the activation
            FormActivate(LOWORD(wParam) != WA_INACTIVE);
            // Task Manager or another copy may have changed the Run value meanwhile.
            if (LOWORD(wParam) != WA_INACTIVE) UpdateStartWithWindows();
            return 0;
        case WM_ACTIVATEAPP: ScheduleRepaint(); return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_CAPTURECHANGED: strip_.HandleMouse(message, wParam, lParam); return 0;
        case WM_SETCURSOR:
            if (ShowApplicationCursor()) return TRUE;
            if (reinterpret_cast<HWND>(wParam) != window || LOWORD(lParam) != HTCLIENT) break;
            strip_.ShowCursor();
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
            ::PostMessageW(overlay_.Handle(), WM_CLOSE, 0, 0);
            return 0;
        case WM_DESTROY:
            started_ = false;  // controls losing the focus now commit nothing
            return 0;
        case DM_GETDEFID:
            // The web-site button is the default button while its page shows.
            if (ShownPage() != static_cast<int>(PanelPage::Main)) return 0;
            return MAKELRESULT(static_cast<WORD>(Id::DevWebBtn), DC_HASDEFID);
        case WM_COMMAND: FormCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
        case WM_NOTIFY: return FormNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == opacityBar_ && started_) {
                controller_.OpacityTrackBarChange(static_cast<int>(::SendMessageW(opacityBar_, TBM_GETPOS, 0, 0)));
            }
            return 0;
        case WM_MEASUREITEM: {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            item.itemHeight = static_cast<UINT>(
                ScaledLength(item.CtlType == ODT_COMBOBOX ? kColorItemHeight : kCheckItemHeight, dpi_));
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType == ODT_COMBOBOX) DrawColorItem(item, dpi_);
            if (item.CtlType == ODT_LISTBOX) DrawCheckItem(item, dpi_);
            return TRUE;
        }
        case WM_GETDPISCALEDSIZE: {
            // Asked before a move to a monitor of another dpi: the size the
            // panel lays itself out at there, which its size here scaled
            // (the system's guess) can miss by a pixel.
            const Point size = ScaledPanelSize(static_cast<int>(wParam));
            *reinterpret_cast<SIZE*>(lParam) = {size.x, size.y};
            return TRUE;
        }
        case WM_DPICHANGED:
            // Moved to a monitor of another dpi: the system suggests where
            // the panel goes there.
            ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default: break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// ---- creation, painting, closing -------------------------------------------

void TSettingsForm::FormCreate() {
    strip_.CreateBuffer();
    // Twice the primary screen: room to type a size larger than it.
    ::SendMessageW(sizeSpin_, UDM_SETRANGE32, 0, 2 * ::GetSystemMetrics(SM_CXSCREEN));
    // Asked once, before the panel shows: the controller then keeps the
    // panel in captures or out of them as the setting says.
    captureHidingAvailable_ = SetCaptureExclusion(window_.get(), true);
    excludedFromCapture_ = captureHidingAvailable_;
    if (excludedFromCapture_) SetCaptureExclusion(hint_.Handle(), true);
    settings_->SetPanel(&controller_);
    overlay_.SetPanel(this);
    controller_.AttachCalibration(&calibration_);
    controller_.Start(LanguageFiles());
    started_ = true;
    if (settings_->SVisible()) {
        ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
        shown_ = true;
    }
    ShowPage(PageFromSPage(settings_->SPage()));
    ::SendMessageW(checkList_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(ScaledLength(kHorizontalExtent, dpi_)), 0);
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
    strip_.Paint(dc.get(), controller_.CaptionText());
}

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
    const Point at = strip_.Position();
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
    for (const PanelText button : {PanelText::NewGuideBtn, PanelText::FitPictureBtn, PanelText::CopyCompositionBtn}) {
        ::EnableWindow(texts_[static_cast<std::size_t>(button)], enabled);
    }
}

void TSettingsForm::MarkShown(IgnoreMask& mask, Point origin) const {
    MarkShownWindow(mask, origin, window_.get());
    MarkShownWindow(mask, origin, hint_.Handle());
}

std::vector<std::string> TSettingsForm::LanguageFiles() const {
    // Far more than any folder holds; the list is sorted by the controller.
    constexpr std::size_t kMostLanguages = 1000;
    return files_.Platform().ListFiles(files_.ExeFolder(), ".lng", kMostLanguages);
}

void TSettingsForm::PageControlChange() { ShowPage(static_cast<int>(::SendMessageW(tabs_, TCM_GETCURSEL, 0, 0))); }

void TSettingsForm::ShowPage(int page) {
    ::SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    for (int i = 0; i < kPanelPageCount; ++i) {
        ::ShowWindow(pages_[static_cast<std::size_t>(i)], i == page ? SW_SHOW : SW_HIDE);
    }
}

int TSettingsForm::ShownPage() const {
    const int page = static_cast<int>(::SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
    return page >= 0 && page < kPanelPageCount ? page : kNoPage;
}

void TSettingsForm::OpenManual() { links_.Open(kManualPath); }

void TSettingsForm::HidePanel() { Show(false); }

}  // namespace lumetra
