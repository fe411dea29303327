#pragma once
// Guides come and go with their windows: the order in which the set and the
// windows change, so that each window always shows the guide of its place,
// and the way back when a window cannot be made.
#include "common/Types.h"

namespace lumetra {

class TGuideSet;

// The windows of a set's guides, window i showing guide i.
class IGuideWindowList {
public:
    virtual ~IGuideWindowList() = default;
    // Opens the window of the set's last guide, just added. Throws, with no
    // window added, when it cannot.
    virtual void OpenLast() = 0;
    // Every window's place into its guide, before guides change places.
    virtual void StoreAll() = 0;
    // The last window goes while the set still has its guide; nothing may
    // stay bound to that guide, whose object goes next.
    virtual void CloseLast() = 0;
    // The window of guide `index`, which took the values of the next one,
    // shows them.
    virtual void Reapply(int index) = 0;
    // Another guide is current, or the current one has another number.
    virtual void CurrentChanged() = 0;
    virtual void EndProgram() = 0;
};

class GuideKeeper {
public:
    GuideKeeper(TGuideSet& guides, IGuideWindowList& windows) : guides_(guides), windows_(windows) {}
    GuideKeeper(const GuideKeeper&) = delete;
    GuideKeeper& operator=(const GuideKeeper&) = delete;

    // A copy of the current guide at `place`, in a window of its own, becomes
    // current. False, and nothing changed, once the set is full. When its
    // window cannot be made the set is put back as it was and the error goes
    // on to the caller.
    bool Add(Point place);

    enum class Closed { Nothing, Guide, Program };
    // Closing the only guide ends the program. An index out of range closes
    // nothing.
    Closed Close(int index);

    // The user turned to guide `index`.
    void Activate(int index);

private:
    TGuideSet& guides_;
    IGuideWindowList& windows_;
};

}  // namespace lumetra
