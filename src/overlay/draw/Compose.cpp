#include "overlay/draw/Compose.h"

#include <algorithm>
#include <string>

#include "common/Numbers.h"
#include "lang/LangTable.h"
#include "overlay/looks/LookCatalogue.h"
#include "settings/AppSettings.h"

namespace lumetra {
namespace {

constexpr int kCaptionTileWidth = 32;
constexpr int kTLCornerWidth = 16;
constexpr int kGripSize = 24;

// The click-through and following marks lead: the ellipsis of a narrow guide
// cuts the end of the caption, and the marks tell why the guide takes no
// clicks or moves by itself.
std::string CaptionText(const TSettings& settings, const LangTable& lang, bool followWaiting) {
    std::string text;
    if (settings.ClickThrough()) text = lang.Text("MClickThroughMark") + " ";
    if (settings.FollowPicture()) text += lang.Text(followWaiting ? "MFollowWaitingMark" : "MFollowMark") + " ";
    text += "Velmora Lumetra - ";
    text += LookName(ProgramLooks(), settings.LookMode(), lang, settings.Lang());
    return text;
}

void DrawCaptionStrip(const TSettings& settings, const LangTable& lang, Canvas& canvas, bool active, FrameSize frame,
                      bool followWaiting) {
    const int strip = frame.width - kButtonStripWidth;
    canvas.DrawIcon(FrameIcon::TLCorner, 0, 0);
    // The first tile is drawn even when the strip is too narrow for it; the
    // button strip drawn last covers whatever overlaps.
    int x = kTLCornerWidth;
    do {
        canvas.DrawIcon(FrameIcon::Caption, x, 0);
        x += kCaptionTileWidth;
    } while (x <= strip);

    canvas.SetTextColor(active ? kCaptionActiveColor : kCaptionInactiveColor);
    canvas.SetFontAngle(0);
    canvas.SetFontHeight(kCaptionCellHeight);
    canvas.BoxText(Rect{14, 1, strip, kCaptionRows - 1}, CaptionText(settings, lang, followWaiting),
                   BoxPlacement::LeftMiddleEllipsis);

    canvas.DrawIcon(FrameIcon::TRCorner, strip, 0);
    canvas.DrawIcon(FrameIcon::BRCorner, frame.width - kGripSize, frame.height - kGripSize);
}

}  // namespace

FrameSize OverlayFrameSize(const TSettings& settings) {
    // The setters bound Width, Height and Border far below overflow.
    return FrameSize{settings.Width() + 2 * settings.Border(),
                     settings.Height() + 2 * settings.Border() + kCaptionRows};
}

Point ContentCentre(Point topLeft, int width, int height, int border) {
    return {topLeft.x + border + width / 2, topLeft.y + border + kCaptionRows + height / 2};
}

std::uint8_t OpacityAlpha(std::int32_t opacity) {
    const std::int32_t percent = std::clamp<std::int32_t>(opacity, 0, 100);
    return static_cast<std::uint8_t>(Nearest(static_cast<long double>(percent) * 255 / 100));
}

bool OpacityBlends(std::int32_t opacity) { return opacity != 100; }

void ComposeBuffer(const TSettings& settings, const LangTable& lang, Canvas& canvas, bool active, std::int32_t dpi,
                   bool followWaiting) {
    const FrameSize frame = OverlayFrameSize(settings);
    canvas.Fill(Rect{0, 0, frame.width, frame.height}, kOverlayKeyColor);
    RenderChosenLook(ProgramLooks(), settings, lang, canvas, dpi);
    if (settings.SFrame()) DrawCaptionStrip(settings, lang, canvas, active, frame, followWaiting);
}

void DrawOrientGlyph(Canvas& canvas, const TSettings& settings) {
    if (!settings.SFrame()) return;
    const int b = OverlayFrameSize(settings).width - kButtonStripWidth;
    canvas.SetPenColor(kOrientMarkColor);
    switch (settings.OrientMode()) {
        case 0:
            canvas.MoveTo(b + 5, 10);
            canvas.LineTo(b + 5, 5);
            canvas.LineTo(b + 10, 5);
            break;
        case 1:
            canvas.MoveTo(b + 5, 5);
            canvas.LineTo(b + 10, 5);
            canvas.LineTo(b + 10, 11);
            break;
        case 2:
            canvas.MoveTo(b + 10, 5);
            canvas.LineTo(b + 10, 10);
            canvas.LineTo(b + 5, 10);
            break;
        default:
            canvas.MoveTo(b + 10, 10);
            canvas.LineTo(b + 5, 10);
            canvas.LineTo(b + 5, 4);
            break;
    }
}

}  // namespace lumetra
