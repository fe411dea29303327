#pragma once
// The hot keys that work whichever program has the focus. A hidden window
// receives their messages.
#include <array>

#include "overlay/win32/GdiHandles.h"
#include "settings/HotKey.h"

namespace lumetra {

class TSettings;

// What the hot keys act on.
class IProgramCommands {
public:
    virtual ~IProgramCommands() = default;
    virtual void Run(HotKeyCommand command) = 0;
};

class TProgramShell {
public:
    TProgramShell(HINSTANCE instance, IProgramCommands& commands);
    // Gives the hot keys back.
    ~TProgramShell();
    TProgramShell(const TProgramShell&) = delete;
    TProgramShell& operator=(const TProgramShell&) = delete;

    // Holds the hot keys of the settings in place of those held so far.
    void ApplyHotKeys(const TSettings& settings);
    // The command's hot key is set, but another program holds it.
    bool HotKeyTaken(HotKeyCommand command) const { return taken_[static_cast<std::size_t>(command)]; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ReleaseHotKeys();

    IProgramCommands& commands_;
    std::array<HotKey, kHotKeyCommandCount> held_{};
    std::array<bool, kHotKeyCommandCount> taken_{};
    UniqueWindow window_;
};

}  // namespace lumetra
