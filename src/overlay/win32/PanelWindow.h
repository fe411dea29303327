#pragma once
// What the overlay and the settings panel window need of each other. The
// panel registers itself with the guide it belongs to once it exists.
#include <cstdint>

#include "settings/AppSettings.h"
#include "units/Monitors.h"
#include "win32/Win32.h"

namespace lumetra {

// The panel's place and page as the overlay stores them when it closes.
struct PanelState {
    std::int32_t left = 0;
    std::int32_t top = 0;
    bool visible = false;
    std::int32_t page = 0;
};

class IPanelWindow {
public:
    virtual ~IPanelWindow() = default;
    // Follows the overlay's opacity whenever the overlay applies its own.
    virtual void UpdateOpacity() = 0;
    // Queues a repaint: the caption shows whether the program is active.
    virtual void ScheduleRepaint() = 0;
    virtual PanelState State() const = 0;
    // Hides the panel when visible; otherwise shows it where it last was
    // and brings it to the front.
    virtual void ToggleVisible() = 0;
};

// What the panel asks of a guide: the first guide owns the panel, and the
// panel edits one guide at a time.
class IPanelGuide {
public:
    virtual ~IPanelGuide() = default;
    virtual HWND Handle() const = 0;
    // Where the panel's changes to this guide's settings are shown.
    virtual IOverlaySink& Sink() = 0;
    // The panel that follows this guide's opacity and activity; null: none.
    virtual void SetPanel(IPanelWindow* panel) = 0;
    virtual void ApplyOpacity() = 0;
    virtual void NewGuide() = 0;
    virtual void FitToPictureAtCentre() = 0;
    virtual void CopyComposition() = 0;
    // The monitor the guide is measured on, as the shell knows it now.
    virtual MonitorFacts MeasuringMonitor() const = 0;
};

}  // namespace lumetra
