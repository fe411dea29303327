#pragma once
// How one paint of the overlay window is laid down: background, look, caption
// strip and the orientation mark, plus the window numbers the shell applies.
#include <cstdint>
#include <string>

#include "common/Dpi.h"
#include "canvas/Canvas.h"
#include "overlay/draw/CaptionStrip.h"
#include "overlay/looks/Lengths.h"
#include "overlay/looks/Looks.h"

namespace lumetra {

class TSettings;
class LangTable;
struct LookLibrary;

// Pixels of exactly this colour are not shown by the window system and let
// the mouse through to what lies below.
inline constexpr Color kOverlayKeyColor = 0x00FE00FE;
inline constexpr Color kCaptionActiveColor = 0x00808080;
inline constexpr Color kCaptionInactiveColor = 0x00C0C0C0;
inline constexpr Color kOrientMarkColor = 0x00808080;

// The values a look draws from: the settings at one paint. dpi: the
// monitor's, for an automatic label size; measuring: the monitor the guide is
// measured on, whose unit the settings choose.
LookSettings LookSettingsOf(const TSettings& settings, std::int32_t dpi = kDefaultDpi,
                            const LookUnits& measuring = {});

// The window's overall alpha for an Opacity percentage, rounded half to even.
std::uint8_t OpacityAlpha(std::int32_t opacity);
// Alpha blending is needed for every opacity except 100.
bool OpacityBlends(std::int32_t opacity);

// What one paint of a guide draws: its look's values and its caption strip's.
struct GuidePicture {
    LookSettings look;
    bool frame = true;           // the caption strip, its buttons and grips are drawn
    bool active = true;          // the caption text's colour
    bool clickThrough = false;   // the caption's marks lead its text
    bool following = false;
    bool followWaiting = false;  // a following guide has lost its picture and says so
    std::string language;        // the language a guide file's name is read in
    std::int32_t dpi = kDefaultDpi;
};

// The picture of a guide with these settings. active chooses the caption text
// colour; dpi is the monitor's, for the caption strip and an automatic label
// size; measuring: the monitor the labels measure on.
GuidePicture GuidePictureOf(const TSettings& settings, bool active = true, std::int32_t dpi = kDefaultDpi,
                            bool followWaiting = false, const LookUnits& measuring = {});

// Builds the complete picture of the back buffer, which must already be at
// least OverlayFrameSize; looks: the guide files a LookMode past the built-in
// looks stands for.
void ComposeBuffer(const GuidePicture& picture, const LookLibrary& looks, const LangTable& lang, Canvas& canvas);

// The L-shaped mark inside the orientation button, pointing at the origin
// corner; drawn on the window itself after the buffer has been copied.
void DrawOrientGlyph(Canvas& canvas, const GuidePicture& picture);

}  // namespace lumetra
