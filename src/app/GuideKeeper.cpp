#include "app/GuideKeeper.h"

#include "app/Guides.h"
#include "settings/AppSettings.h"

namespace lumetra {

bool GuideKeeper::Add(Point place) {
    const int previous = guides_.Current();
    TSettings* const settings = guides_.Add();
    if (settings == nullptr) return false;
    settings->StoreOverlayPosition(place.x, place.y);
    try {
        windows_.OpenLast();
    } catch (...) {
        // No window, no guide: the set and the windows stay in step.
        guides_.Remove(guides_.Count() - 1);
        guides_.MakeCurrent(previous);
        throw;
    }
    windows_.CurrentChanged();
    return true;
}

GuideKeeper::Closed GuideKeeper::Close(int index) {
    if (index < 0 || index >= guides_.Count()) return Closed::Nothing;
    if (guides_.Count() == 1) {
        windows_.EndProgram();
        return Closed::Program;
    }
    // The guides after this one move down a place with their positions; the
    // last window goes with the last object.
    windows_.StoreAll();
    windows_.CloseLast();
    guides_.Remove(index);
    for (int k = index; k < guides_.Count(); ++k) windows_.Reapply(k);
    windows_.CurrentChanged();
    return Closed::Guide;
}

void GuideKeeper::Activate(int index) {
    if (index < 0 || index == guides_.Current()) return;
    guides_.MakeCurrent(index);
    windows_.CurrentChanged();
}

}  // namespace lumetra
