// Keeping the guide on the picture it was fitted to: a timer copies thin
// strips along the picture's edges, and only when they changed the region
// around it; the follower decides, and the guide moves through the setters.
#include <optional>
#include <utility>
#include <vector>

#include "overlay/fit/GuideAreas.h"
#include "overlay/win32/MainFrm.h"
#include "win32/ScreenShot.h"

namespace lumetra {
namespace {

// A pan shows up within this, and a still picture costs a few strips.
constexpr UINT kFollowMilliseconds = 150;

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

void TMainForm::StartFollowing(const ScreenRegion& region, const Rect& picture) {
    const bool waited = follower_.Waiting();
    follower_.Start(region, picture);
    ::SetTimer(window_.get(), kFollowTimer, kFollowMilliseconds, nullptr);
    if (waited) FollowStateChanged();
}

void TMainForm::StopFollowing() {
    const bool waited = follower_.Waiting();
    follower_.Stop();
    ::KillTimer(window_.get(), kFollowTimer);
    if (waited) FollowStateChanged();
}

void TMainForm::SyncFollowing() {
    if (settings_.FollowPicture() == follower_.Following()) return;
    if (!settings_.FollowPicture()) {
        StopFollowing();
        return;
    }
    // Switched on from the panel or the menu: the picture is the one the
    // measured area lies on now.
    const RECT bounds = Bounds();
    const Rect picture =
        GuideAreasAt(settings_, {bounds.left, bounds.top}, bounds.right - bounds.left, bounds.bottom - bounds.top, dpi_)
            .measured;
    const std::optional<Rect> monitor = MonitorOf(picture);
    const std::optional<ScreenShot> shot =
        monitor ? ScreenShot::OfArea(ToRect(PictureFollower::RegionAround(picture, *monitor))) : std::nullopt;
    if (!shot) {
        StartFollowing({}, picture);
        return;
    }
    const ScreenImage image = shot->Image();
    const Point origin{shot->Area().left, shot->Area().top};
    IgnoreMask mask(image.width, image.height);
    MarkGuides(mask, origin);
    StartFollowing({image, origin, &mask}, picture);
}

void TMainForm::FollowTick() {
    if (!follower_.Following()) {
        ::KillTimer(window_.get(), kFollowTimer);
        return;
    }
    // Hidden or minimised, the guide shows nothing to keep in place.
    if (!::IsWindowVisible(window_.get()) || ::IsIconic(window_.get())) return;
    const std::optional<Rect> monitor = MonitorOf(follower_.Picture());
    if (!monitor) return;
    std::vector<ScreenShot> shots;
    std::vector<ScreenImage> strips;
    for (const Rect& strip : follower_.Strips(*monitor)) {
        if (strip.right <= strip.left || strip.bottom <= strip.top) continue;
        if (std::optional<ScreenShot> shot = ScreenShot::OfArea(ToRect(strip))) shots.push_back(std::move(*shot));
    }
    for (const ScreenShot& shot : shots) strips.push_back(shot.Image());
    if (follower_.LookDue(strips)) FollowLook(*monitor);
}

void TMainForm::FollowLook(const Rect& monitor) {
    const bool waited = follower_.Waiting();
    Rect area = follower_.Region(monitor);
    FollowAnswer answer;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::optional<ScreenShot> shot = ScreenShot::OfArea(ToRect(area));
        if (!shot) return;
        const ScreenImage image = shot->Image();
        const Point origin{shot->Area().left, shot->Area().top};
        IgnoreMask mask(image.width, image.height);
        MarkGuides(mask, origin);
        answer = follower_.Decide({image, origin, &mask}, monitor, attempt == 0);
        if (answer.step != FollowStep::Widen) break;
        area = answer.rect;
    }
    if (answer.step == FollowStep::Move) Place(PlacementFollowing(settings_, answer.rect, dpi_));
    if (waited != follower_.Waiting()) FollowStateChanged();
}

// The caption's mark and the notification-area icon show the waiting.
void TMainForm::FollowStateChanged() {
    ScheduleRepaint();
    if (host_ != nullptr) host_->OptionsChanged();
}

}  // namespace lumetra
