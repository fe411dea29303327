#include "panel/PanelCaption.h"

#include "overlay/draw/Canvas.h"
#include "overlay/input/Interaction.h"

namespace lumetra {
namespace {

constexpr int kButtonSize = 8;
constexpr int kButtonTop = 4;
constexpr Point kHelpSeed{kPanelWidth - 33, kButtonTop};
constexpr Point kCloseSeed{kPanelWidth - 12, kButtonTop};
constexpr int kTileWidth = 32;

}  // namespace

CaptionZone CaptionZoneAt(int x, int y) {
    if (HitTest(x, y, kHelpSeed.x, kHelpSeed.y, kButtonSize, kButtonSize)) return CaptionZone::Help;
    if (HitTest(x, y, kCloseSeed.x, kCloseSeed.y, kButtonSize, kButtonSize)) return CaptionZone::Close;
    return CaptionZone::Elsewhere;
}

void ComposePanelCaption(Canvas& canvas, std::string_view caption, bool active) {
    canvas.Fill({0, 0, kPanelWidth, kPanelHeight}, kPanelKeyColor);
    canvas.DrawIcon(FrameIcon::TLCornerS, 0, 0);
    int x = 16;
    do {
        canvas.DrawIcon(FrameIcon::Caption, x, 0);
        x += kTileWidth;
    } while (x <= kPanelRightEndX);
    canvas.SetTextColor(active ? kPanelCaptionActive : kPanelCaptionInactive);
    canvas.SetFontAngle(0);
    canvas.BoxText({14, 1, kPanelRightEndX, 15}, caption, BoxPlacement::LeftMiddleEllipsis);
    canvas.DrawIcon(FrameIcon::TRCorner2, kPanelRightEndX, 0);
}

void CaptionInteraction::Highlight(Point seed, Color color, std::string_view hintKey) {
    // The image first, so a highlight of the other button goes.
    window_.DrawRightEnd();
    window_.FillButtonFace(seed, color);
    buttonHighlighted_ = true;
    window_.SetCursor(CaptionCursor::Hand);
    window_.SetHintText(hintText_(hintKey));
}

void CaptionInteraction::FormMouseMove(int x, int y) {
    switch (CaptionZoneAt(x, y)) {
        case CaptionZone::Help: Highlight(kHelpSeed, kButtonHighlight, "MHelpButtonHint"); return;
        case CaptionZone::Close: Highlight(kCloseSeed, kCloseHighlight, "MSCloseButtonHint"); return;
        case CaptionZone::Elsewhere: break;
    }
    window_.SetCursor(CaptionCursor::Arrow);
    window_.ClearHint();
    if (buttonHighlighted_) {
        // Leaving a button only clears it; the drag resumes with the next move.
        window_.DrawRightEnd();
        buttonHighlighted_ = false;
    } else if (moving_) {
        const Point at = window_.Position();
        window_.SetPosition({at.x + x - anchorX_, at.y + y - anchorY_});
    }
}

void CaptionInteraction::FormMouseDown(int x, int y) {
    switch (CaptionZoneAt(x, y)) {
        case CaptionZone::Help: window_.OpenManual(); return;
        case CaptionZone::Close: return;
        case CaptionZone::Elsewhere:
            moving_ = true;
            anchorX_ = x;
            anchorY_ = y;
            mouseCaptured_ = true;
            window_.CaptureMouse();
            return;
    }
}

void CaptionInteraction::CaptureLost() {
    mouseCaptured_ = false;
    moving_ = false;
}

void CaptionInteraction::FormMouseUp(int x, int y) {
    if (mouseCaptured_) {
        mouseCaptured_ = false;
        window_.ReleaseMouse();
    }
    switch (CaptionZoneAt(x, y)) {
        case CaptionZone::Help: return;
        case CaptionZone::Close: window_.Hide(); return;
        case CaptionZone::Elsewhere: moving_ = false; return;
    }
}

}  // namespace lumetra
