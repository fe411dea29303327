// Fitting the guide to the picture it lies on: a copy of the monitor, the
// guides' own pixels masked out, the picture found, and one move there.
#include <array>
#include <optional>

#include "lang/LangTable.h"
#include "overlay/Compose.h"
#include "overlay/win32/MainFrm.h"
#include "overlay/win32/ScreenShot.h"

namespace lumetra {

void TMainForm::FitToPicture() {
    POINT pointer{};
    ::GetCursorPos(&pointer);
    const std::array<Point, 2> starts{Point{pointer.x, pointer.y}, MeasuredCentre()};
    FitFrom(pointer, starts);
}

void TMainForm::FitToPictureAtCentre() {
    const std::array<Point, 1> starts{MeasuredCentre()};
    FitFrom({starts[0].x, starts[0].y}, starts);
}

void TMainForm::FitFrom(POINT searchedMonitor, std::span<const Point> starts) {
    const std::optional<ScreenShot> shot = ScreenShot::OfMonitorAt(searchedMonitor);
    std::optional<Rect> picture;
    if (shot) {
        const ScreenImage image = shot->Image();
        const Point origin{shot->Area().left, shot->Area().top};
        IgnoreMask mask(image.width, image.height);
        if (host_ != nullptr) {
            host_->MarkGuides(mask, origin);
        } else {
            MarkDrawn(mask, origin);
        }
        picture = FindPictureFrom(image, origin, mask, starts);
    }
    if (!picture) {
        ShowNotice(lang_.Text("MFitNothing"));
        return;
    }
    const GuidePlacement before = CurrentPlacement(settings_, Position());
    Place(PlacementOnPicture(settings_, *picture));
    fitUndo_.Remember(before, CurrentPlacement(settings_, Position()));
}

void TMainForm::UndoFit() {
    if (const std::optional<GuidePlacement> back = fitUndo_.Take(CurrentPlacement(settings_, Position()))) {
        Place(*back);
    }
}

void TMainForm::Place(const GuidePlacement& placement) {
    placing_ = true;
    ApplyPlacement(settings_, placement);
    placing_ = false;
    const FrameSize frame = OverlayFrameSize(settings_);
    ::SetWindowPos(window_.get(), nullptr, placement.position.x, placement.position.y, frame.width, frame.height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    const WindowDc dc(window_.get());
    if (dc && Paint(dc.get())) ::ValidateRect(window_.get(), nullptr);
}

Point TMainForm::MeasuredCentre() const {
    const RECT bounds = Bounds();
    return ContentCentre({bounds.left, bounds.top}, settings_.Width(), settings_.Height(), settings_.Border());
}

void TMainForm::MarkDrawn(IgnoreMask& mask, Point origin) const {
    if (!buffer_ || !::IsWindowVisible(window_.get()) || ::IsIconic(window_.get())) return;
    const RECT bounds = Bounds();
    const Point at{bounds.left - origin.x, bounds.top - origin.y};
    const DibPixels drawn = buffer_->Pixels();
    const int width = std::min<int>(bounds.right - bounds.left, drawn.width);
    const int height = std::min<int>(bounds.bottom - bounds.top, drawn.height);
    const std::span<const std::uint32_t> pixels(drawn.bits, static_cast<std::size_t>(drawn.width) *
                                                                static_cast<std::size_t>(drawn.height));
    mask.MarkDrawn(at, pixels, drawn.width, width, height, kOverlayKeyColor);
    const int left = at.x + settings_.Border();
    const int top = at.y + kCaptionRows + settings_.Border();
    mask.AddGuide({left, top, left + settings_.Width(), top + settings_.Height()});
    // The orientation mark and a hovered button are drawn on the window
    // itself, over the strip.
    if (settings_.SFrame()) {
        mask.MarkRect({at.x + width - kButtonStripWidth, at.y, at.x + width, at.y + kCaptionRows});
    }
    MarkShownWindow(mask, origin, hint_.Handle());
    MarkShownWindow(mask, origin, notice_.Handle());
}

}  // namespace lumetra
