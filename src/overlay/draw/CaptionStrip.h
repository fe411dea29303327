#pragma once
// The caption strip above a guide at the DPI of the monitor it is on, and the
// window's geometry: the one relation that places the measured area in it. The strip, its
// pictures and its hit zones scale with the DPI; the measured area, its
// border and everything drawn in them keep device pixels.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "common/Dpi.h"
#include "common/Types.h"

namespace lumetra {

class TSettings;

inline constexpr std::size_t kCaptionButtonCount = 6;

// The caption strip's rows at 96 dpi. The looks draw in a window whose strip
// has these rows; on a monitor of another DPI their picture moves down by the
// difference, so the measured area stays below the strip.
inline constexpr int kCaptionRows = 16;

// The strip's lengths at one DPI; at 96 dpi they are the strip's own sizes.
struct CaptionStrip {
    int rows = 0;              // the strip's height, above the top border
    int buttonStripWidth = 0;  // the button strip at the right end
    int cornerWidth = 0;       // the top-left corner picture
    int tileWidth = 0;         // each caption tile repeated after it
    Rect textBox;              // the caption text's box; its right is the button strip's left
    int cellHeight = 0;        // the caption text's cell, whatever size the labels have
    int topLeftGrip = 0;       // the grip square at the window's top-left corner
    int bottomRightGrip = 0;   // the grip square at its bottom-right corner
    int captionBand = 0;       // the rows a press moves the window by
    // The buttons' zones, orientation to close, in the button strip's own
    // coordinates: the button picture's pixels at this DPI.
    std::array<Rect, kCaptionButtonCount> buttons{};
    int markPen = 1;  // the orientation mark's line width

    int ButtonStripLeft(int frameWidth) const { return frameWidth - buttonStripWidth; }
    // A button's zone in the window's client coordinates.
    Rect ButtonZone(std::size_t index, int frameWidth) const;
};

CaptionStrip CaptionStripAt(int dpi);

// The window's client size: content plus borders plus the caption strip.
struct FrameSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const FrameSize&, const FrameSize&) = default;
};
FrameSize GuideFrameSize(int width, int height, int border, const CaptionStrip& strip);
// The guide window's client size at the DPI of its monitor.
FrameSize OverlayFrameSize(const TSettings& settings, int dpi = kDefaultDpi);

// The measured area's top-left corner in a window whose top-left corner is at
// windowTopLeft: one Border in from the left, the strip and one Border down
// from the top. WindowTopLeftFor is its inverse.
Point MeasuredOrigin(Point windowTopLeft, int border, const CaptionStrip& strip);
Point WindowTopLeftFor(Point measuredOrigin, int border, const CaptionStrip& strip);

// The centre of the measured area of a window whose top-left is at topLeft,
// in the integer form that the centred resizes keep fixed.
Point ContentCentre(Point topLeft, int width, int height, int border, const CaptionStrip& strip);

// The window rectangle of a guide that moved from a monitor of oldDpi onto
// one of newDpi: its measured area keeps its place and device pixels, so
// only the strip above it changes and the window's top moves by the
// difference in rows. monitorDpi tells the DPI a window rectangle would
// have: where moving the top would hand the window back to a monitor of
// another DPI (monitors stacked, the window across their edge), the system
// would change it back at once, so the window keeps its top edge instead and
// the measured area moves by the strip's change this once.
Rect GuideRectForDpi(const Rect& window, int oldDpi, int newDpi, const std::function<int(const Rect&)>& monitorDpi);

}  // namespace lumetra
