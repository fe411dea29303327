#pragma once
// One timer for every guide that follows its picture: each tick each guide
// copies the strips it needs into the one copy of its monitor the guides
// share, and looks only when they changed. The ticks stop while the session
// is locked or the display is off, as the system tells a window that asks.
#include <cstdint>
#include <memory>
#include <vector>

#include "common/Types.h"
#include "overlay/fit/FollowPace.h"
#include "win32/GdiHandles.h"
#include "overlay/win32/ScreenSurface.h"

namespace lumetra {

class TMainForm;

class TFollowTicker {
public:
    // A pan shows up within a tick, and a still picture costs a few strips.
    static constexpr UINT kTickMilliseconds = 150;

    explicit TFollowTicker(HINSTANCE instance);
    ~TFollowTicker();
    TFollowTicker(const TFollowTicker&) = delete;
    TFollowTicker& operator=(const TFollowTicker&) = delete;

    // A guide starts or stops following; adding one twice adds it once.
    void Add(TMainForm& form);
    void Remove(TMainForm& form);
    // The copy of the monitor the guides share; nothing when the system
    // cannot give one.
    ScreenSurface* SurfaceFor(const Rect& monitor);

private:
    template <class Form>
    friend LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UniqueWindow& BoundWindow() { return window_; }
    void WindowDestroyed() { (void)window_.release(); }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Tick();
    // The timer runs while a guide follows and the screen is seen.
    void Schedule();

    std::vector<TMainForm*> forms_;
    std::vector<std::unique_ptr<ScreenSurface>> surfaces_;  // one per monitor, made when first asked
    FollowPause pause_;
    bool ticking_ = false;
    bool sessionNotices_ = false;    // registered for the session's changes
    HPOWERNOTIFY displayNotices_{};  // registered for the display's state
    UniqueWindow window_;            // hidden; bound at WM_NCCREATE
};

}  // namespace lumetra
