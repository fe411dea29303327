#pragma once
// The program's presence outside its windows: the notification-area icon
// with its menu, and the hot keys that work whichever program has the focus.
// A hidden window receives their messages.
#include <functional>
#include <string>

#include "win32/Win32.h"
// After the platform header, which it needs.
#include <shellapi.h>

#include "app/CommandLine.h"
#include "app/HotKeyBook.h"
#include "app/ProgramCommands.h"
#include "app/TrayIcon.h"
#include "win32/GdiHandles.h"
#include "settings/HotKey.h"

namespace lumetra {

class LangTable;
class TSettings;

// Carries out a command handed over by a second start.
using LineCommandRunner = std::function<CommandProblem(const LineCommand&)>;

class TProgramShell final : private IHotKeyRegistrar {
public:
    static constexpr wchar_t kClassName[] = L"TLumetraProgramShell";

    // The hidden window bears the instance key as its title, by which a
    // second start finds it; the commands it hands over go to lineCommands.
    TProgramShell(HINSTANCE instance, IProgramCommands& commands, LineCommandRunner lineCommands, const LangTable& lang,
                  const std::string& instanceKey);
    // Takes the icon from the notification area and gives the hot keys back.
    ~TProgramShell() override;
    TProgramShell(const TProgramShell&) = delete;
    TProgramShell& operator=(const TProgramShell&) = delete;

    // Holds the hot keys of the settings in place of those held so far.
    void ApplyHotKeys(const TSettings& settings);
    // The command's hot key is set, but another program holds it.
    bool HotKeyTaken(HotKeyCommand command) const { return hotKeys_.HotKeyTaken(command); }
    // Gives the hot keys it holds back to the system for a while, or takes
    // them again; which are taken stays known meanwhile.
    void StandAside(bool aside) { hotKeys_.StandAside(aside); }
    // The icon's picture and tip follow the guides' click-through.
    void ShowState();

private:
    template <class Form>
    friend LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UniqueWindow& BoundWindow() { return window_; }
    // Before the destructor only when another program closed the window:
    // the handle stays, as the notification area knows the icon by it
    // until the destructor takes the icon away.
    void WindowDestroyed() {}
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void AllowMessage(UINT message);
    void AddIcon();
    // At the main display's DPI.
    void LoadIcons();
    void FollowMainDisplayDpi();
    // The icon's picture and tip as the look says.
    NOTIFYICONDATAW IconLook() const;
    void ShowMenu();
    LRESULT ReceiveCommand(const COPYDATASTRUCT& data);
    bool Register(HotKeyCommand command, HotKey hotKey) override;
    void Unregister(HotKeyCommand command) override;

    IProgramCommands& commands_;
    LineCommandRunner lineCommands_;
    const LangTable& lang_;
    HINSTANCE instance_;
    UniqueIcon icon_;              // at the notification area's size
    UniqueIcon clickThroughIcon_;  // the same, while a guide lets clicks through
    UniqueIcon waitingIcon_;       // the same, while a guide waits for its picture
    int iconDpi_ = 0;              // the DPI the icons were loaded at
    TrayLook look_;
    UINT taskbarCreated_;
    HotKeyBook hotKeys_{*this};
    bool iconShown_ = false;
    UniqueWindow window_;  // bound at WM_NCCREATE
};

}  // namespace lumetra
