// Program entry: the start-up gate, the two windows, the message loop and
// the shutdown, all on this one thread.
#include "win32/Win32.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "Version.h"  // generated in the build from cmake/Version.h.in
#include "app/CommandHandOver.h"
#include "app/Guides.h"
#include "app/ProgramLinks.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "win32/CommonControls.h"
#include "win32/ErrorBox.h"
#include "app/win32/GuideWindows.h"
#include "app/win32/ProgramShell.h"
#include "app/win32/RunValue.h"
#include "app/win32/SingleInstance.h"
#include "app/win32/Win32StartupPlatform.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/win32/MainFrm.h"
#include "panel/win32/SettingsFrm.h"
#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"
#include "settings/win32/PlatformFiles.h"
#include "win32/WideText.h"

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

// The folder this start was made in: a relative /save file is there.
std::string CurrentFolder() {
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    const DWORD length = size == 0 ? 0 : ::GetCurrentDirectoryW(size, folder.data());
    return length == 0 || length >= size ? std::string() : Utf8(std::wstring_view(folder.data(), length));
}

// A command that changed nothing: told in a box unless the start was quiet;
// the exit code says it either way.
int Refuse(IStartupPlatform& platform, bool quiet, LineCommandName name, CommandProblem problem,
           std::string_view argument) {
    if (!quiet) platform.ShowWarning(CommandProblemText(name, problem, argument, ProcessLangTable()), kProgramTitle);
    return ExitCodeFor(problem);
}

// The running copy carries the command out; this start ends with its answer.
int HandCommandOver(IStartupPlatform& platform, const SingleInstance& onlyCopy, const ParsedLine& parsed,
                    const std::string& folder) {
    const std::string block = PackCommand({folder, platform.Arguments()});
    const std::optional<CommandProblem> problem =
        onlyCopy.HandOverCommand(block, parsed.command.name == LineCommandName::Exit);
    if (!problem) {
        if (!parsed.quiet) platform.ShowWarning(ProcessLangTable().Text(texts::MCommandNotReached), kProgramTitle);
        return kCommandNotReached;
    }
    if (*problem == CommandProblem::None) return kCommandDone;
    return Refuse(platform, parsed.quiet, parsed.command.name, *problem, parsed.command.argument);
}

int Run(HINSTANCE instance) {
    Win32StartupPlatform platform;
    Win32PlatformFiles platformFiles;
    SettingsFile files(platformFiles);
    std::unique_ptr<TSettings> settings;
    if (!RunStartup(platform, files, ProcessLangTable(), settings)) return 0;
    const std::string folder = CurrentFolder();
    const ParsedLine parsed = ParseCommandLine(platform.Arguments(), folder);
    TRunValue runValue(platformFiles.ModuleFileName());
    // Neither needs the running copy, nor takes its lock: a plain start made
    // at the same moment (the installer's) still finds the copy that runs.
    if (parsed.kind == ParsedLine::Kind::Bad) {
        return Refuse(platform, parsed.quiet, parsed.command.name, parsed.problem, parsed.badArgument);
    }
    if (parsed.kind == ParsedLine::Kind::Command && CarriedOutByStarter(parsed.command.name)) {
        // A registry that refuses the change is out of reach like a copy that does not answer.
        return runValue.Change(StartWithWindowsTick(parsed.command.argument, runValue.Shown())) ? kCommandDone
                                                                                                 : kCommandNotReached;
    }
    const std::string instanceKey = InstanceKey(files.SettingsFilePath());
    const SingleInstance onlyCopy(instanceKey);
    std::optional<LineCommand> pending;  // carried out once the windows exist
    if (parsed.kind == ParsedLine::Kind::Command) {
        switch (RouteOf(parsed, onlyCopy.Lock())) {
            case CommandRoute::HandOver: return HandCommandOver(platform, onlyCopy, parsed, folder);
            case CommandRoute::NothingToDo: return kCommandDone;
            case CommandRoute::StartThenCarryOut: pending = parsed.command; break;
            case CommandRoute::Report:
            case CommandRoute::CarryOutHere: break;  // done above
        }
    } else {
        switch (DecideStart(onlyCopy.Lock(), platform.Arguments())) {
            case StartAction::RunAlone: break;
            case StartAction::HandOver: onlyCopy.HandOver(); return 0;  // that copy keeps and saves the settings
            case StartAction::EndQuietly: return 0;
        }
    }
    ReportUnsavedSession(platform, files, ProcessLangTable());
    auto guides = std::make_unique<TGuideSet>(std::move(settings));
    guides->LoadFurther(files);
    const OfferedLooks looks = OfferLookFiles(*guides, files, ProcessLangTable());
    // A look no look has: nothing starts, as with a copy running.
    if (pending && pending->name == LineCommandName::Look &&
        !LookFor(pending->argument, guides->CurrentGuide(), looks.library, ProcessLangTable())) {
        return Refuse(platform, parsed.quiet, pending->name, CommandProblem::UnknownLook, pending->argument);
    }
    SettingsSaver saver(platform, files);
    int exitCode = kCommandDone;

    std::optional<CommonControls> controls;  // outlives every window
    {
        // The guides come first: the first one owns the others and the
        // panel, whose caption borrows its pictures.
        ProgramLinks links(platform.Shell(), platform.InstallClock());
        TGuideWindows windows(instance, *guides, looks.library, ProcessLangTable(), links, saver);
        // The overlays' first pictures are on the screen by now; what only
        // the tooltips and the panel need comes after them.
        controls.emplace();
        RegisterForRestart();
        windows.CreateHints();
        TSettingsForm settingsForm(instance, guides->CurrentGuide(), looks.library, ProcessLangTable(), files,
                                   windows.First(), links);
        const PanelAttachment attachment(windows, settingsForm);
        TProgramShell shell(
            instance, windows, [&windows](const LineCommand& command) { return windows.CarryOutCommand(command); },
            ProcessLangTable(), instanceKey);
        const ShellAttachment shellAttachment(windows, shell);
        windows.AttachStartWithWindows(&runValue);
        settingsForm.AttachStartWithWindows(&runValue);
        // Stored places on a monitor that is gone, or under a shrunken screen.
        windows.DisplaysChanged();
        if (!looks.notice.empty()) windows.First().ShowNotice(looks.notice);
        if (pending) {
            if (const CommandProblem problem = windows.CarryOutCommand(*pending); problem != CommandProblem::None) {
                exitCode = Refuse(platform, parsed.quiet, pending->name, problem, pending->argument);
            }
        }
        RunMessageLoop(settingsForm);
    }
    RunShutdown(saver, guides);
    return exitCode;
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
