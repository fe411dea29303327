#pragma once
// The fourteen looks. Each one is a pure function of the settings, the string
// table and a canvas.
#include "overlay/Canvas.h"

namespace lumetra {

class TSettings;
class LangTable;

// Draws the look numbered LookMode; a LookMode outside 0..13 draws nothing.
void RenderLook(const TSettings& settings, const LangTable& lang, Canvas& canvas);

}  // namespace lumetra
