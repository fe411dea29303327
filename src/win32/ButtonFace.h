#pragma once
// The hover highlight of a caption button, shared by the overlay and the
// settings panel. The strip holding the button is drawn into a private copy
// whose pixels are known, the face is filled there by FillBounded, and only
// the face goes to the window. A system flood fill on the window itself did
// not keep to the grey outline under Wine.
#include <functional>

#include "common/Types.h"
#include "win32/Win32.h"

namespace lumetra {

// The grey that bounds every button face, and the face the outline encloses.
inline constexpr Color kButtonOutline = Rgb(128, 128, 128);
inline constexpr int kButtonFaceSize = 8;

// strip is the strip's place on the window, in client coordinates; drawStrip
// draws it in those coordinates on the DC it is given. The face is the
// faceSize square whose top-left pixel is seed: kButtonFaceSize at 96 dpi,
// larger on a monitor of another DPI.
void HighlightButtonFace(HWND window, const Rect& strip, Point seed, Color fill,
                         const std::function<void(HDC)>& drawStrip, int faceSize = kButtonFaceSize);

}  // namespace lumetra
