#include "overlay/draw/CaptionStrip.h"

#include <algorithm>

#include "canvas/IconMask.h"
#include "settings/AppSettings.h"

namespace lumetra {
namespace {

// At 96 dpi, in the window's pixels.
constexpr int kButtonStripWidth = 64;
constexpr int kCornerWidth = 16;
constexpr int kTileWidth = 32;
constexpr Rect kTextBox{14, 1, 0, kCaptionRows - 1};
constexpr int kCellHeight = 11;
constexpr int kTopLeftGrip = 12;
constexpr int kBottomRightGrip = 24;
constexpr int kCaptionBand = 24;
// Each button's face is 8 pixels square, 4 rows down; its left edge lies
// this far from the window's right edge.
constexpr int kButtonTop = 4;
constexpr int kButtonSize = 8;
constexpr std::array<int, kCaptionButtonCount> kButtonOffsets{60, 51, 42, 33, 21, 12};

}  // namespace

Rect CaptionStrip::ButtonZone(std::size_t index, int frameWidth) const {
    const Rect& zone = buttons[index];
    const int left = ButtonStripLeft(frameWidth);
    return {left + zone.left, zone.top, left + zone.right, zone.bottom};
}

CaptionStrip CaptionStripAt(int dpi) {
    const auto scaled = [dpi](int value96) { return ScaledLength(value96, dpi); };
    CaptionStrip strip;
    strip.rows = scaled(kCaptionRows);
    strip.buttonStripWidth = scaled(kButtonStripWidth);
    strip.cornerWidth = scaled(kCornerWidth);
    strip.tileWidth = scaled(kTileWidth);
    strip.textBox = ScaledRect(kTextBox, dpi);
    strip.cellHeight = scaled(kCellHeight);
    strip.topLeftGrip = scaled(kTopLeftGrip);
    strip.bottomRightGrip = scaled(kBottomRightGrip);
    strip.captionBand = scaled(kCaptionBand);
    // Where the scaled button picture shows each face.
    const auto across = [&](int x) { return ScaledPictureEdge(x, kButtonStripWidth, strip.buttonStripWidth); };
    const auto down = [&](int y) { return ScaledPictureEdge(y, kCaptionRows, strip.rows); };
    for (std::size_t i = 0; i < kCaptionButtonCount; ++i) {
        const int left = kButtonStripWidth - kButtonOffsets[i];
        strip.buttons[i] = {across(left), down(kButtonTop), across(left + kButtonSize), down(kButtonTop + kButtonSize)};
    }
    // Whole pixels only, so the mark stays as crisp as the pictures.
    strip.markPen = std::max(1, dpi / kDefaultDpi);
    return strip;
}

FrameSize GuideFrameSize(int width, int height, int border, const CaptionStrip& strip) {
    // The setters bound Width, Height and Border far below overflow.
    return {width + 2 * border, height + 2 * border + strip.rows};
}

Point MeasuredOrigin(Point windowTopLeft, int border, const CaptionStrip& strip) {
    return {windowTopLeft.x + border, windowTopLeft.y + strip.rows + border};
}

Point WindowTopLeftFor(Point measuredOrigin, int border, const CaptionStrip& strip) {
    return {measuredOrigin.x - border, measuredOrigin.y - strip.rows - border};
}

Rect GuideRectForDpi(const Rect& window, int oldDpi, int newDpi, const std::function<int(const Rect&)>& monitorDpi) {
    // The border plays no part: it keeps device pixels on both sides.
    const CaptionStrip before = CaptionStripAt(oldDpi);
    const CaptionStrip after = CaptionStripAt(newDpi);
    const Point measured = MeasuredOrigin({window.left, window.top}, 0, before);
    const Point topLeft = WindowTopLeftFor(measured, 0, after);
    const Rect kept{topLeft.x, topLeft.y, window.right, window.bottom};
    if (monitorDpi(kept) == newDpi) return kept;
    return {window.left, window.top, window.right, window.bottom + after.rows - before.rows};
}

FrameSize OverlayFrameSize(const TSettings& settings, int dpi) {
    return GuideFrameSize(settings.Width(), settings.Height(), settings.Border(), CaptionStripAt(dpi));
}

Point ContentCentre(Point topLeft, int width, int height, int border, const CaptionStrip& strip) {
    const Point origin = MeasuredOrigin(topLeft, border, strip);
    return {origin.x + width / 2, origin.y + height / 2};
}

}  // namespace lumetra
