#pragma once
// The start-with-Windows check box as the panel and the icon's menu show it,
// and the Run value behind it as they ask it (app/StartWithWindows.h says
// what the value holds and how a click changes it).
namespace lumetra {

struct StartWithWindowsBox {
    bool checked = false;
    bool enabled = true;
    friend bool operator==(const StartWithWindowsBox&, const StartWithWindowsBox&) = default;
};

// The Run value as the panel's box and the icon's menu use it.
class IStartWithWindows {
public:
    virtual ~IStartWithWindows() = default;
    // Read from the registry now.
    virtual StartWithWindowsBox Shown() const = 0;
    // Ticks or unticks the box: writes or removes the value, as
    // app/StartWithWindows.h's StartWithWindowsChange says; false when the
    // registry refused.
    virtual bool Change(bool tick) = 0;
};

}  // namespace lumetra
