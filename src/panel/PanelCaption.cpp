#include "panel/PanelCaption.h"

#include "lang/Texts.h"
#include "canvas/Canvas.h"
#include "canvas/IconMask.h"
#include "overlay/input/Interaction.h"

namespace lumetra {
namespace {

constexpr int kButtonSize = 8;
constexpr int kButtonTop = 4;
// The button faces in the right end picture, which is kRightEndWidth wide.
constexpr int kRightEndWidth = kPanelWidth - kPanelRightEndX;
constexpr int kHelpLeft = kPanelWidth - 33 - kPanelRightEndX;
constexpr int kCloseLeft = kPanelWidth - 12 - kPanelRightEndX;
constexpr int kLeftEndWidth = 16;
constexpr int kTileWidth = 32;
// The caption's cell height, the back buffer's font at 96 dpi.
constexpr int kCaptionCellHeight = 11;

Rect FaceInPicture(int left, int dpi) {
    const int width = ScaledLength(kRightEndWidth, dpi);
    const int height = PanelCaptionHeight(dpi);
    return {ScaledPictureEdge(left, kRightEndWidth, width), ScaledPictureEdge(kButtonTop, kPanelCaptionHeight, height),
            ScaledPictureEdge(left + kButtonSize, kRightEndWidth, width),
            ScaledPictureEdge(kButtonTop + kButtonSize, kPanelCaptionHeight, height)};
}

Point Seed(CaptionZone button, int dpi) {
    const Rect face = PanelButtonFace(button, dpi);
    return {face.left, face.top};
}

}  // namespace

int PanelCaptionHeight(int dpi) { return ScaledLength(kPanelCaptionHeight, dpi); }

// The picture ends flush with the panel's right edge at every dpi.
int PanelRightEndX(int dpi) { return ScaledLength(kPanelWidth, dpi) - ScaledLength(kRightEndWidth, dpi); }

Rect PanelButtonFace(CaptionZone button, int dpi) {
    const Rect face = FaceInPicture(button == CaptionZone::Help ? kHelpLeft : kCloseLeft, dpi);
    const int x = PanelRightEndX(dpi);
    return {x + face.left, face.top, x + face.right, face.bottom};
}

CaptionZone CaptionZoneAt(int x, int y, int dpi) {
    for (const CaptionZone button : {CaptionZone::Help, CaptionZone::Close}) {
        const Rect face = PanelButtonFace(button, dpi);
        if (HitTest(x, y, face.left, face.top, face.right - face.left, face.bottom - face.top)) return button;
    }
    return CaptionZone::Elsewhere;
}

void ComposePanelCaption(Canvas& canvas, std::string_view caption, bool active, int dpi) {
    const int rightEnd = PanelRightEndX(dpi);
    canvas.Fill({0, 0, ScaledLength(kPanelWidth, dpi), ScaledLength(kPanelHeight, dpi)}, kPanelKeyColor);
    canvas.DrawIcon(FrameIcon::TLCornerS, 0, 0);
    const int tileWidth = ScaledLength(kTileWidth, dpi);
    int x = ScaledLength(kLeftEndWidth, dpi);
    do {
        canvas.DrawIcon(FrameIcon::Caption, x, 0);
        x += tileWidth;
    } while (x <= rightEnd);
    canvas.SetTextColor(active ? kPanelCaptionActive : kPanelCaptionInactive);
    canvas.SetFontAngle(0);
    canvas.SetFontHeight(ScaledLength(kCaptionCellHeight, dpi));
    canvas.BoxText({ScaledLength(14, dpi), ScaledLength(1, dpi), rightEnd, ScaledLength(15, dpi)}, caption,
                   BoxPlacement::LeftMiddleEllipsis);
    canvas.DrawIcon(FrameIcon::TRCorner2, rightEnd, 0);
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
    switch (CaptionZoneAt(x, y, dpi_)) {
        case CaptionZone::Help:
            Highlight(Seed(CaptionZone::Help, dpi_), kButtonHighlight, texts::MHelpButtonHint);
            return;
        case CaptionZone::Close:
            Highlight(Seed(CaptionZone::Close, dpi_), kCloseHighlight, texts::MSCloseButtonHint);
            return;
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
    switch (CaptionZoneAt(x, y, dpi_)) {
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
    switch (CaptionZoneAt(x, y, dpi_)) {
        case CaptionZone::Help: return;
        case CaptionZone::Close: window_.Hide(); return;
        case CaptionZone::Elsewhere: moving_ = false; return;
    }
}

}  // namespace lumetra
