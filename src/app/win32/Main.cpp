// Program entry: the start-up gate, the two windows, the message loop and
// the shutdown, all on this one thread.
#include "win32/Win32.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/Guides.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "win32/CommonControls.h"
#include "win32/ErrorBox.h"
#include "app/win32/GuideWindows.h"
#include "app/win32/ProgramShell.h"
#include "app/win32/SingleInstance.h"
#include "app/win32/Win32StartupPlatform.h"
#include "lang/LangTable.h"
#include "overlay/win32/MainFrm.h"
#include "panel/win32/SettingsFrm.h"
#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"
#include "settings/win32/PlatformFiles.h"

namespace lumetra {
namespace {

// The panel sees its keys before they are dispatched: F1 to F3, Enter in its
// fields, tab navigation and its default button.
void RunMessageLoop(TSettingsForm& panel) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (panel.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Windows may close the program for an update (Restart Manager) or restart
// the computer for one, and then starts it again with this argument. Not
// after a crash or a hang: a copy that failed is not to come back in a loop.
void RegisterForRestart() {
    const std::string argument = kRestartArgument;  // ASCII
    const std::wstring wide(argument.begin(), argument.end());
    ::RegisterApplicationRestart(wide.c_str(), RESTART_NO_CRASH | RESTART_NO_HANG);
}

// The guides know the panel while it lives.
class PanelAttachment {
public:
    PanelAttachment(TGuideWindows& windows, TSettingsForm& panel) : windows_(windows) { windows_.AttachPanel(panel); }
    ~PanelAttachment() { windows_.DetachPanel(); }
    PanelAttachment(const PanelAttachment&) = delete;
    PanelAttachment& operator=(const PanelAttachment&) = delete;

private:
    TGuideWindows& windows_;
};

// The icon and the hot keys act on the guides while the shell lives.
class ShellAttachment {
public:
    ShellAttachment(TGuideWindows& windows, TProgramShell& shell) : windows_(windows) { windows_.AttachShell(&shell); }
    ~ShellAttachment() { windows_.AttachShell(nullptr); }
    ShellAttachment(const ShellAttachment&) = delete;
    ShellAttachment& operator=(const ShellAttachment&) = delete;

private:
    TGuideWindows& windows_;
};

int Run(HINSTANCE instance) {
    Win32StartupPlatform platform;
    Win32PlatformFiles platformFiles;
    SettingsFile files(platformFiles);
    std::unique_ptr<TSettings> settings;
    if (!RunStartup(platform, files, ProcessLangTable(), settings)) return 0;
    const std::string instanceKey = InstanceKey(files.SettingsFilePath());
    const SingleInstance onlyCopy(instanceKey);
    switch (DecideStart(onlyCopy.Lock(), platform.Arguments())) {
        case StartAction::RunAlone: break;
        case StartAction::HandOver: onlyCopy.HandOver(); return 0;  // that copy keeps and saves the settings
        case StartAction::EndQuietly: return 0;
    }
    ReportUnsavedSession(platform, files, ProcessLangTable());
    auto guides = std::make_unique<TGuideSet>(std::move(settings));
    guides->LoadFurther(files);
    const std::string guideNotice = OfferLookFiles(*guides, files, ProcessLangTable());
    SettingsSaver saver(platform, files);

    std::optional<CommonControls> controls;  // outlives every window
    {
        // The guides come first: the first one owns the others and the
        // panel, whose caption borrows its pictures.
        TGuideWindows windows(instance, *guides, ProcessLangTable(), saver);
        // The overlays' first pictures are on the screen by now; what only
        // the tooltips and the panel need comes after them.
        controls.emplace();
        RegisterForRestart();
        windows.CreateHints();
        TSettingsForm settingsForm(instance, guides->CurrentGuide(), ProcessLangTable(), files, windows.First());
        const PanelAttachment attachment(windows, settingsForm);
        TProgramShell shell(instance, windows, ProcessLangTable(), instanceKey);
        const ShellAttachment shellAttachment(windows, shell);
        // Stored places on a monitor that is gone, or under a shrunken screen.
        windows.DisplaysChanged();
        if (!guideNotice.empty()) windows.First().ShowNotice(guideNotice);
        RunMessageLoop(settingsForm);
    }
    RunShutdown(saver, guides);
    return 0;
}

}  // namespace
}  // namespace lumetra

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    try {
        return lumetra::Run(instance);
    } catch (const std::exception& error) {
        lumetra::ShowErrorBox(error.what());
        return 1;
    } catch (...) {
        lumetra::ShowErrorBox("Unknown error");
        return 1;
    }
}
