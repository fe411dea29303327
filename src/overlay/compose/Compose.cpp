#include "overlay/compose/Compose.h"

#include <algorithm>
#include <string>

#include "Version.h"  // generated in the build from cmake/Version.h.in
#include "common/Numbers.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/draw/ShiftedCanvas.h"
#include "overlay/compose/LookCatalogue.h"
#include "settings/AppSettings.h"

namespace lumetra {
namespace {

// The window's client size for the picture: the measured area, its border and
// the strip at the picture's DPI.
FrameSize PictureFrameSize(const GuidePicture& picture) {
    return GuideFrameSize(picture.look.width, picture.look.height, picture.look.border, CaptionStripAt(picture.dpi));
}

// The click-through and following marks lead: the ellipsis of a narrow guide
// cuts the end of the caption, and the marks tell why the guide takes no
// clicks or moves by itself.
std::string CaptionText(const GuidePicture& picture, const LookLibrary& looks, const LangTable& lang) {
    std::string text;
    if (picture.clickThrough) text = lang.Text(texts::MClickThroughMark) + " ";
    if (picture.following)
        text += lang.Text(picture.followWaiting ? texts::MFollowWaitingMark : texts::MFollowMark) + " ";
    text += kProductName;
    text += " - ";
    text += LookName(looks, picture.look.lookMode, lang, picture.language);
    return text;
}

void DrawCaptionStrip(const GuidePicture& picture, const LookLibrary& looks, const LangTable& lang, Canvas& canvas,
                      FrameSize frame, const CaptionStrip& caption) {
    const int strip = caption.ButtonStripLeft(frame.width);
    canvas.DrawIcon(FrameIcon::TLCorner, 0, 0);
    // The first tile is drawn even when the strip is too narrow for it; the
    // button strip drawn last covers whatever overlaps.
    int x = caption.cornerWidth;
    do {
        canvas.DrawIcon(FrameIcon::Caption, x, 0);
        x += caption.tileWidth;
    } while (x <= strip);

    canvas.SetTextColor(picture.active ? kCaptionActiveColor : kCaptionInactiveColor);
    canvas.SetFontAngle(0);
    canvas.SetFontHeight(caption.cellHeight);
    canvas.BoxText(Rect{caption.textBox.left, caption.textBox.top, strip, caption.textBox.bottom},
                   CaptionText(picture, looks, lang), BoxPlacement::LeftMiddleEllipsis);

    canvas.DrawIcon(FrameIcon::TRCorner, strip, 0);
    canvas.DrawIcon(FrameIcon::BRCorner, frame.width - caption.bottomRightGrip, frame.height - caption.bottomRightGrip);
}

}  // namespace

LookSettings LookSettingsOf(const TSettings& settings, std::int32_t dpi, const LookUnits& measuring) {
    LookSettings s;
    s.width = settings.Width();
    s.height = settings.Height();
    s.border = settings.Border();
    s.gridSize = settings.GridSize();
    s.orientMode = settings.OrientMode();
    s.lookMode = settings.LookMode();
    s.ratio = settings.Ratio();
    s.showValues = settings.ShowValues();
    s.linesColor = settings.LinesColor();
    s.valuesColor = settings.ValuesColor();
    s.lineWidth = settings.LineWidth();
    s.halo = settings.Halo();
    s.haloColor = settings.HaloColor() == kAutoHaloColor ? ContrastingColor(s.linesColor) : settings.HaloColor();
    s.labelHeight = LabelCellHeight(settings.LabelSize(), dpi);
    s.units = measuring;
    s.units.unit = UnitOf(settings.Units());
    return s;
}

std::uint8_t OpacityAlpha(std::int32_t opacity) {
    const std::int32_t percent = std::clamp<std::int32_t>(opacity, 0, 100);
    return static_cast<std::uint8_t>(Nearest(static_cast<long double>(percent) * 255 / 100));
}

bool OpacityBlends(std::int32_t opacity) { return opacity != 100; }

GuidePicture GuidePictureOf(const TSettings& settings, bool active, std::int32_t dpi, bool followWaiting,
                            const LookUnits& measuring) {
    GuidePicture picture;
    picture.look = LookSettingsOf(settings, dpi, measuring);
    picture.frame = settings.SFrame();
    picture.active = active;
    picture.clickThrough = settings.ClickThrough();
    picture.following = settings.FollowPicture();
    picture.followWaiting = followWaiting;
    picture.language = settings.Lang();
    picture.dpi = dpi;
    return picture;
}

void ComposeBuffer(const GuidePicture& picture, const LookLibrary& looks, const LangTable& lang, Canvas& canvas) {
    const CaptionStrip caption = CaptionStripAt(picture.dpi);
    const FrameSize frame = PictureFrameSize(picture);
    canvas.Fill(Rect{0, 0, frame.width, frame.height}, kOverlayKeyColor);
    // The looks place the measured area below a strip of kCaptionRows.
    ShiftedCanvas look(canvas, caption.rows - kCaptionRows);
    RenderChosenLook(looks, picture.look, lang, look);
    if (picture.frame) DrawCaptionStrip(picture, looks, lang, canvas, frame, caption);
}

void DrawOrientGlyph(Canvas& canvas, const GuidePicture& picture) {
    if (!picture.frame) return;
    const int dpi = picture.dpi;
    const CaptionStrip caption = CaptionStripAt(dpi);
    const int b = caption.ButtonStripLeft(PictureFrameSize(picture).width);
    // The mark's corners at 96 dpi, in the button picture's pixels.
    const auto moveTo = [&](int x, int y) { canvas.MoveTo(b + ScaledLength(x, dpi), ScaledLength(y, dpi)); };
    const auto lineTo = [&](int x, int y) { canvas.LineTo(b + ScaledLength(x, dpi), ScaledLength(y, dpi)); };
    canvas.SetPenColor(kOrientMarkColor);
    canvas.SetPenWidth(caption.markPen);
    switch (picture.look.orientMode) {
        case 0:
            moveTo(5, 10);
            lineTo(5, 5);
            lineTo(10, 5);
            break;
        case 1:
            moveTo(5, 5);
            lineTo(10, 5);
            lineTo(10, 11);
            break;
        case 2:
            moveTo(10, 5);
            lineTo(10, 10);
            lineTo(5, 10);
            break;
        default:
            moveTo(10, 10);
            lineTo(5, 10);
            lineTo(5, 4);
            break;
    }
}

}  // namespace lumetra
