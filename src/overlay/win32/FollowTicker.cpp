#include "overlay/win32/FollowTicker.h"

#include <algorithm>

#include "overlay/win32/MainFrm.h"
#include "win32/FormProcedure.h"

namespace lumetra {
namespace {

constexpr wchar_t kClassName[] = L"TLumetraFollowTicker";
constexpr UINT_PTR kTimer = 1;
// GUID_CONSOLE_DISPLAY_STATE, written out so that no import library has to
// define it.
constexpr GUID kConsoleDisplayState{0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

}  // namespace

TFollowTicker::TFollowTicker(HINSTANCE instance) {
    if (!ClassRegistered(instance, kClassName)) {
        WNDCLASSEXW windowClass{};
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        RegisterProcedureClass<TFollowTicker>(windowClass);
    }
    // A top-level window that is never shown: the session's and the
    // display's notifications, and the display changes, reach it.
    ::CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    if (!window_) return;
    sessionNotices_ = ::WTSRegisterSessionNotification(window_.get(), NOTIFY_FOR_THIS_SESSION) != FALSE;
    displayNotices_ =
        ::RegisterPowerSettingNotification(window_.get(), &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
}

TFollowTicker::~TFollowTicker() {
    if (displayNotices_ != nullptr) ::UnregisterPowerSettingNotification(displayNotices_);
    if (sessionNotices_) ::WTSUnRegisterSessionNotification(window_.get());
    window_.reset();
}

void TFollowTicker::Add(TMainForm& form) {
    if (std::find(forms_.begin(), forms_.end(), &form) == forms_.end()) forms_.push_back(&form);
    Schedule();
}

void TFollowTicker::Remove(TMainForm& form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
    if (forms_.empty()) surfaces_.clear();  // megabytes a monitor, kept only while needed
    Schedule();
}

ScreenSurface* TFollowTicker::SurfaceFor(const Rect& monitor) {
    for (const auto& surface : surfaces_) {
        const RECT& area = surface->Area();
        if (area.left == monitor.left && area.top == monitor.top && area.right == monitor.right &&
            area.bottom == monitor.bottom) {
            return surface.get();
        }
    }
    std::unique_ptr<ScreenSurface> made =
        ScreenSurface::ForMonitor({monitor.left, monitor.top, monitor.right, monitor.bottom});
    if (!made) return nullptr;
    surfaces_.push_back(std::move(made));
    return surfaces_.back().get();
}

void TFollowTicker::Schedule() {
    const bool wanted = !forms_.empty() && !pause_.Paused() && window_;
    if (wanted == ticking_) return;
    ticking_ = wanted;
    if (wanted) {
        ::SetTimer(window_.get(), kTimer, kTickMilliseconds, nullptr);
    } else {
        ::KillTimer(window_.get(), kTimer);
    }
}

void TFollowTicker::Tick() {
    const std::uint64_t now = ::GetTickCount64();
    // A guide may stop following within its tick.
    const std::vector<TMainForm*> forms = forms_;
    for (TMainForm* form : forms) {
        if (std::find(forms_.begin(), forms_.end(), form) != forms_.end()) form->FollowTick(*this, now);
    }
}

LRESULT TFollowTicker::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kTimer) Tick();
            return 0;
        case WM_WTSSESSION_CHANGE:
            if (wParam == WTS_SESSION_LOCK || wParam == WTS_SESSION_UNLOCK) {
                pause_.SetLocked(wParam == WTS_SESSION_LOCK);
                Schedule();
            }
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_POWERSETTINGCHANGE && lParam != 0) {
                const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
                if (::IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) &&
                    setting->DataLength >= sizeof(DWORD)) {
                    DWORD state = 0;
                    ::CopyMemory(&state, setting->Data, sizeof state);
                    pause_.SetDisplayState(state);
                    Schedule();
                }
            }
            return TRUE;
        case WM_DISPLAYCHANGE:
            // The monitors' places and sizes may be new.
            surfaces_.clear();
            return 0;
        case WM_CLOSE:
            // A close sent to every window of the program (a task manager's)
            // is the guides' to answer; this window goes with the program.
            return 0;
        default: return ::DefWindowProcW(window_.get(), message, wParam, lParam);
    }
}

}  // namespace lumetra
