// Fitting the guide to the picture it lies on: a copy of the monitor, the
// guides' own pixels masked out, the picture found, and one move there.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/compose/Compose.h"
#include "overlay/fit/GuideAreas.h"
#include "overlay/win32/MainFrm.h"
#include "overlay/win32/ScreenShot.h"

namespace lumetra {
namespace {

// A copy taken while a window is still reaching the screen (a guide just
// moved, resized or repainted, a notice coming or going, a move the window
// manager has yet to carry out) shows part of it as it was: pixels the
// guides' mask, made from their present state, does not cover. So the
// monitor is copied until the copies settle (CopySettling says when): the
// second copy a moment later only around the picture found in the first,
// when one was, or all of it when none was.
constexpr int kCopyAttempts = 8;
constexpr DWORD kSettleMilliseconds = 20;
// How far around the picture found the second copy reaches: the finder
// judges an edge by the lines beside it, across a guide's caption strip and
// outline at most (the finder's longest masked run).
constexpr int kSettledMargin = 32;

// Lets the window system carry out what it has queued (Wine hands a window's
// new picture and shape to the X server while the thread waits for
// messages); the messages themselves stay queued for the window procedure.
void WaitAMoment() {
    const ULONGLONG until = ::GetTickCount64() + kSettleMilliseconds;
    for (ULONGLONG now = ::GetTickCount64(); now < until; now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
    }
}

Point OriginOf(const ScreenShot& shot) { return {shot.Area().left, shot.Area().top}; }

// found: the picture in a copy, in screen pixels, if there is one.
std::optional<ScreenShot> SettledShot(POINT monitor, CopySettling& settling,
                                      const std::function<std::optional<Rect>(const ScreenShot&)>& found,
                                      const std::function<GuideInCopy(const ScreenShot&)>& guideInCopy) {
    settling.Begin();
    std::optional<ScreenShot> last = ScreenShot::OfMonitorAt(monitor);
    for (int attempt = 1; last && attempt < kCopyAttempts; ++attempt) {
        const std::optional<Rect> picture = found(*last);
        const RECT& whole = last->Area();
        const RECT around = picture ? RECT{std::max(picture->left - kSettledMargin, static_cast<int>(whole.left)),
                                           std::max(picture->top - kSettledMargin, static_cast<int>(whole.top)),
                                           std::min(picture->right + kSettledMargin, static_cast<int>(whole.right)),
                                           std::min(picture->bottom + kSettledMargin, static_cast<int>(whole.bottom))}
                                    : whole;
        WaitAMoment();
        std::optional<ScreenShot> next = ScreenShot::OfArea(around);
        if (!next) return std::nullopt;
        const bool same = picture ? SameWithin(last->Image(), OriginOf(*last), next->Image(), OriginOf(*next))
                                  : SameScreen(last->Image(), next->Image());
        if (settling.Settled(same, guideInCopy(*next))) return last;
        last = picture ? ScreenShot::OfMonitorAt(monitor) : std::move(next);
    }
    return std::nullopt;  // the screen would not hold still
}

}  // namespace

void TMainForm::FitToPicture() {
    POINT pointer{};
    ::GetCursorPos(&pointer);
    const std::array<Point, 2> starts{Point{pointer.x, pointer.y}, MeasuredCentre()};
    FitFrom(pointer, starts, false);
}

void TMainForm::FitToPictureAtCentre() {
    const std::array<Point, 1> starts{MeasuredCentre()};
    FitFrom({starts[0].x, starts[0].y}, starts, false);
}

void TMainForm::FitAndFollow() {
    POINT pointer{};
    ::GetCursorPos(&pointer);
    const std::array<Point, 2> starts{Point{pointer.x, pointer.y}, MeasuredCentre()};
    FitFrom(pointer, starts, true);
}

void TMainForm::FitFrom(POINT searchedMonitor, std::span<const Point> starts, bool follow) {
    // The last notice would lie over the picture: it goes, and this fit
    // gives its own.
    if (::IsWindowVisible(notice_.Handle())) {
        notice_.Hide();
        WaitAMoment();
    }
    const auto find = [&](const ScreenShot& copy, IgnoreMask& mask) {
        MarkGuides(mask, OriginOf(copy));
        return FindPictureFrom(copy.Image(), OriginOf(copy), mask, starts);
    };
    const std::optional<ScreenShot> shot = SettledShot(
        searchedMonitor, copySettling_,
        [&](const ScreenShot& copy) {
            IgnoreMask mask(copy.Image().width, copy.Image().height);
            return find(copy, mask);
        },
        [this](const ScreenShot& copy) { return ShownInCopy(copy); });
    std::optional<Rect> picture;
    if (shot) {
        const ScreenImage image = shot->Image();
        const Point origin = OriginOf(*shot);
        IgnoreMask mask(image.width, image.height);
        picture = find(*shot, mask);
        // A guide that follows keeps to the picture it is fitted to now.
        if (picture && (follow || settings_.FollowPicture())) StartFollowing({image, origin, &mask}, *picture);
    }
    if (!picture) {
        ShowNotice(lang_.Text(texts::MFitNothing));
        return;
    }
    // Following first, so that the one paint of the placement shows its mark.
    if (follow) settings_.SetFollowPicture(true);
    const GuidePlacement before = CurrentPlacement(settings_, Position());
    const GuidePlacement fitted = PlacementOnPicture(settings_, *picture, dpi_);
    Place(fitted);
    fitUndo_.Remember(before, CurrentPlacement(settings_, fitted.position));
    ShowPictureRatio();  // the picture's size and the ratio it is closest to
}

void TMainForm::UndoFit() {
    if (const std::optional<GuidePlacement> back = fitUndo_.Take(CurrentPlacement(settings_, Position()))) {
        Place(*back);
    }
}

void TMainForm::ApplyPlacement(const GuidePlacement& placed) {
    const FrameSize frame = GuideFrameSize(placed.width, placed.height, settings_.Border(), CaptionStripAt(dpi_));
    const Point topLeft = placed.position;
    const RECT bounds = Bounds();
    if (bounds.left == topLeft.x && bounds.top == topLeft.y && bounds.right - bounds.left == frame.width &&
        bounds.bottom - bounds.top == frame.height) {
        return;
    }
    ::SetWindowPos(window_.get(), nullptr, topLeft.x, topLeft.y, frame.width, frame.height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    const WindowDc dc(window_.get());
    if (dc && Paint(dc.get())) ::ValidateRect(window_.get(), nullptr);
}

Point TMainForm::MeasuredCentre() const {
    const RECT bounds = Bounds();
    return ContentCentre({bounds.left, bounds.top}, settings_.Width(), settings_.Height(), settings_.Border(),
                         CaptionStripAt(dpi_));
}

GuideInCopy TMainForm::ShownInCopy(const ScreenShot& shot) const {
    // A window the system blends shows no pixel as drawn, on either system;
    // one not shown, or kept out of captures (Windows), has nothing to show.
    if (!buffer_ || !::IsWindowVisible(window_.get()) || ::IsIconic(window_.get()) ||
        OpacityBlends(settings_.Opacity()) || hiddenFromCapture_) {
        return GuideInCopy::Unchecked;
    }
    // Below the caption strip, whose buttons are drawn on the window itself.
    const RECT bounds = Bounds();
    const DibPixels drawn = buffer_->Pixels();
    const Point at{bounds.left - shot.Area().left, bounds.top - shot.Area().top};
    const Rect below = GuideAreasAt(settings_, at, std::min<int>(bounds.right - bounds.left, drawn.width),
                                    std::min<int>(bounds.bottom - bounds.top, drawn.height), dpi_)
                           .belowStrip;
    const int height = below.bottom - below.top;
    if (height <= 0) return GuideInCopy::Unchecked;
    const std::span<const std::uint32_t> pixels(
        drawn.bits + static_cast<std::ptrdiff_t>(below.top - at.y) * drawn.width,
        static_cast<std::size_t>(drawn.width) * static_cast<std::size_t>(height));
    // Wine's copies hold the opaque guide; Windows' leave it out.
    return GuideShownIn(shot.Image(), {below.left, below.top}, pixels, drawn.width, below.right - below.left, height,
                        kOverlayKeyColor);
}

void TMainForm::MarkGuides(IgnoreMask& mask, Point origin) const {
    if (host_ != nullptr) {
        host_->MarkGuides(mask, origin);
    } else {
        MarkDrawn(mask, origin);
    }
}

void TMainForm::MarkDrawn(IgnoreMask& mask, Point origin) const {
    if (!buffer_ || !::IsWindowVisible(window_.get()) || ::IsIconic(window_.get())) return;
    const RECT bounds = Bounds();
    const Point at{bounds.left - origin.x, bounds.top - origin.y};
    const DibPixels drawn = buffer_->Pixels();
    const int width = std::min<int>(bounds.right - bounds.left, drawn.width);
    const int height = std::min<int>(bounds.bottom - bounds.top, drawn.height);
    const std::span<const std::uint32_t> pixels(
        drawn.bits, static_cast<std::size_t>(drawn.width) * static_cast<std::size_t>(drawn.height));
    mask.MarkDrawn(at, pixels, drawn.width, width, height, kOverlayKeyColor);
    const GuideWindowAreas areas = GuideAreasAt(settings_, at, width, height, dpi_);
    mask.AddGuide(areas.measured);
    if (areas.strip) mask.MarkRect(*areas.strip);
    MarkShownWindow(mask, origin, hint_.Handle());
    MarkShownWindow(mask, origin, notice_.Handle());
}

}  // namespace lumetra
