// Program entry: the start-up gate, the two windows, the message loop and
// the shutdown, all on this one thread.
#include <windows.h>

#include <exception>
#include <memory>
#include <optional>

#include "app/Startup.h"
#include "app/win32/CommonControls.h"
#include "app/win32/ErrorBox.h"
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
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (panel.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int Run(HINSTANCE instance) {
    Win32StartupPlatform platform;
    Win32PlatformFiles platformFiles;
    SettingsFile files(platformFiles);
    std::unique_ptr<TSettings> settings;
    if (!RunStartup(platform, files, ProcessLangTable(), settings)) return 0;
    SettingsSaver saver(platform, files);

    std::optional<CommonControls> controls;  // outlives both windows
    {
        // The overlay is the main window: the loop ends when it closes. The
        // panel comes second: its caption borrows the overlay's pictures.
        TMainForm mainForm(instance, *settings, ProcessLangTable(), [&] { saver.SaveOnce(*settings); });
        // The overlay's first picture is on the screen by now; what only the
        // tooltips and the panel need comes after it.
        controls.emplace();
        mainForm.CreateHint();
        TSettingsForm settingsForm(instance, *settings, ProcessLangTable(), files, mainForm);
        RunMessageLoop(settingsForm);
    }
    RunShutdown(saver, settings);
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
