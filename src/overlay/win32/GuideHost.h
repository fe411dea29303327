#pragma once
// What an overlay window asks of the set of guides it belongs to.
#include "common/Types.h"

namespace lumetra {

class IgnoreMask;
class TMainForm;

class IGuideHost {
public:
    virtual ~IGuideHost() = default;
    // The user clicked, dragged or used a key on this guide.
    virtual void GuideActivated(TMainForm& guide) = 0;
    virtual void NewGuide(TMainForm& from) = 0;
    // The guide's own close button: it goes; the last one ends the program.
    virtual void CloseGuide(TMainForm& guide) = 0;
    // Every other close ends the program and keeps every guide.
    virtual void EndProgram() = 0;
    // The settings are saved now. With `exit` the program ends by itself
    // (Restart Manager asked), else Windows ends it once this returns.
    virtual void SessionEnding(bool exit) = 0;
    virtual void MinimizeAll() = 0;
    // The monitors or their work areas changed, or the program came back
    // from the task bar: windows the user cannot reach come back on screen.
    virtual void DisplaysChanged() = 0;
    // Marks what every guide shows on the screen, in the mask of a screen
    // image whose top-left corner is origin.
    virtual void MarkGuides(IgnoreMask& mask, Point origin) const = 0;
    // A guide's switches changed; those of the whole program may have too.
    virtual void OptionsChanged() = 0;
};

}  // namespace lumetra
