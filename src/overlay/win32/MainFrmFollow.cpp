// Keeping the guide on the picture it was fitted to: at each tick of the
// guides' one timer, thin strips along the picture's edges are copied into
// the copy of the monitor the guides share, and only when they changed the
// region around it; the follower decides, and the guide moves in one
// placement.
#include <array>
#include <optional>

#include "overlay/fit/GuideAreas.h"
#include "overlay/win32/FollowTicker.h"
#include "overlay/win32/MainFrm.h"

namespace lumetra {
namespace {

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// The monitor the picture lies on; nothing when it lies on none.
std::optional<Rect> MonitorOf(const Rect& picture) {
    const RECT area = ToRect(picture);
    const HMONITOR monitor = ::MonitorFromRect(&area, MONITOR_DEFAULTTONULL);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info)) return std::nullopt;
    return Rect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

}  // namespace

Rect TMainForm::MeasuredArea() const {
    const RECT bounds = Bounds();
    return GuideAreasAt(settings_, {bounds.left, bounds.top}, bounds.right - bounds.left, bounds.bottom - bounds.top,
                        dpi_)
        .measured;
}

void TMainForm::StartFollowing(const ScreenRegion& region, const Rect& picture) {
    follower_.Start(region, picture);
    ticker_->Add(*this);
    ShowFollowing(false);
}

void TMainForm::StopFollowing() {
    follower_.Stop();
    ticker_->Remove(*this);
    ShowFollowing(false);
}

void TMainForm::SyncFollowing() {
    // Created but not yet at its place, the guide lies on no picture.
    if (!placed_ || settings_.FollowPicture() == follower_.Following()) return;
    if (!settings_.FollowPicture()) {
        StopFollowing();
        return;
    }
    // Switched on from the panel or the menu, or restored at start: the
    // picture is the one a look finds under the guide, which waits till then.
    follower_.Seek(MeasuredArea());
    ticker_->Add(*this);
    ShowFollowing(true);
}

void TMainForm::FollowDisplaysChanged() {
    if (follower_.Following()) follower_.Displaced(MeasuredArea());
}

void TMainForm::FollowTick(TFollowTicker& ticker, std::uint64_t now) {
    // Hidden or minimised, the guide shows nothing to keep in place.
    if (follower_.Following() && ::IsWindowVisible(window_.get()) && !::IsIconic(window_.get())) {
        const std::optional<Rect> monitor = MonitorOf(follower_.Picture());
        ScreenSurface* surface = monitor ? ticker.SurfaceFor(*monitor) : nullptr;
        if (!monitor) {
            // Its monitor is gone: looked for again where the guide now is.
            follower_.Displaced(MeasuredArea());
        } else if (surface != nullptr) {
            const std::array<Rect, 4> strips = follower_.Strips(*monitor);
            std::array<RECT, 4> parts{};
            std::array<ScreenImage, 4> images{};
            for (std::size_t i = 0; i < strips.size(); ++i) parts[i] = ToRect(strips[i]);
            if (surface->Copy(parts)) {
                for (std::size_t i = 0; i < parts.size(); ++i) images[i] = surface->Image(parts[i]);
                if (follower_.LookDue(images)) FollowLook(*surface, *monitor);
            }
        }
    }
    if (mark_.Update(follower_.Waiting(), now)) FollowStateChanged();
}

void TMainForm::FollowLook(ScreenSurface& surface, const Rect& monitor) {
    Rect area = follower_.Region(monitor);
    FollowAnswer answer;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const RECT part = ToRect(area);
        if (!surface.Copy(std::span<const RECT>(&part, 1))) return;
        const RECT cut = surface.Cut(part);
        const ScreenImage image = surface.Image(part);
        const Point origin{cut.left, cut.top};
        IgnoreMask mask(image.width, image.height);
        MarkGuides(mask, origin);
        answer = follower_.Decide({image, origin, &mask}, monitor, attempt == 0);
        if (answer.step != FollowStep::Widen) break;
        area = answer.rect;
    }
    if (answer.step == FollowStep::Move) Place(PlacementFollowing(settings_, answer.rect, dpi_));
    if (answer.step == FollowStep::Found) {
        // The picture it waited for: fitted as Shift+F fits, and as undoable.
        const GuidePlacement before = CurrentPlacement(settings_, Position());
        const GuidePlacement fitted = PlacementOnPicture(settings_, answer.rect, dpi_);
        Place(fitted);
        fitUndo_.Remember(before, CurrentPlacement(settings_, fitted.position));
    }
}

// Following starts or stops: the mark shows it at once.
void TMainForm::ShowFollowing(bool waiting) {
    const bool shown = mark_.Waiting();
    mark_.Reset(waiting);
    if (shown != waiting) FollowStateChanged();
}

// The caption's mark and the notification-area icon show the waiting.
void TMainForm::FollowStateChanged() {
    ScheduleRepaint();
    if (host_ != nullptr) host_->OptionsChanged();
}

}  // namespace lumetra
