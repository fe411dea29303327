#pragma once
// What the program does for its hot keys, whichever program has the focus:
// the click-through switch of all guides.
namespace lumetra {

class TGuideSet;

// Every guide lets the mouse through.
bool AllClickThrough(const TGuideSet& guides);
// Click-through for every guide: on unless every guide has it already.
void SwitchClickThrough(TGuideSet& guides);

}  // namespace lumetra
