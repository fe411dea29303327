#pragma once
// What the overlay needs from the settings panel window. The panel registers
// itself with TMainForm::SetPanel once it exists.
#include <cstdint>

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

}  // namespace lumetra
