#pragma once
// The program's spine from process start to the message loop and from its
// end to the exit, written against a small platform interface so the order of
// the steps can be checked without a desktop.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "overlay/lookfiles/LookLibrary.h"

namespace lumetra {

class IInstallClock;
class IShell;
class LangTable;
class SettingsFile;
class TGuideSet;
class TSettings;

inline constexpr const char* kUninstallArgument = "/uninstall";
// What the program asks Windows to start it with again after an update.
inline constexpr const char* kRestartArgument = "/restart";

// Windows started this copy again after an update had closed it: the first
// argument is exactly kRestartArgument.
bool StartedForRestart(const std::vector<std::string>& arguments);

class IStartupPlatform {
public:
    virtual ~IStartupPlatform() = default;
    virtual std::int32_t PrimaryScreenWidth() const = 0;
    virtual int ScreenBitsPerPixel() const = 0;
    // The command-line arguments after the program name.
    virtual std::vector<std::string> Arguments() const = 0;
    // A box with the warning icon and one OK button, owned by no window.
    virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
    // The program's top-level error box.
    virtual void ShowError(const std::string& text) = 0;
    virtual IShell& Shell() = 0;
    virtual const IInstallClock& InstallClock() const = 0;
    // A save that failed while the Windows session ended, kept for the next
    // start: no box may hold up the end of a session.
    virtual void RememberUnsaved(const std::string& settingsFilePath) = 0;
    // Whether a save of this settings file was remembered so; forgets it.
    virtual bool TakeUnsaved(const std::string& settingsFilePath) = 0;
};

// The guide files of a run and what the user is told of them.
struct OfferedLooks {
    LookLibrary library;
    // The files that could not be used, each named once, or nothing when
    // every file was fine.
    std::string notice;
};

// Loads the guide files the program offers after its built-in looks and
// hands their names to every guide, whose saved choice of a guide file then
// holds again.
OfferedLooks OfferLookFiles(TGuideSet& guides, const SettingsFile& files, const LangTable& lang);

// Tells the user, once, in a warning box before any window, that the save
// of this settings file failed when the last session ended.
void ReportUnsavedSession(IStartupPlatform& platform, const SettingsFile& files, const LangTable& lang);

// Creates the settings into `settings`, loads them and the language texts
// into `lang`; an installed copy first takes over the settings file beside
// the program when it has none of its own yet. False means: end the process
// at once, without a window and without saving.
bool RunStartup(IStartupPlatform& platform, SettingsFile& files, LangTable& lang, std::unique_ptr<TSettings>& settings);

// The one save of a run. It comes after the message loop, or earlier when
// the Windows session ends: the process is then ended before the loop
// returns, and a second save would only write the same again.
class SettingsSaver {
public:
    SettingsSaver(IStartupPlatform& platform, SettingsFile& files) : platform_(platform), files_(files) {}
    // Saves every guide and reports a failed write, the first time only.
    void SaveOnce(const TGuideSet& guides);
    // The same while the session ends: a failed write leaves the file as it
    // was and is told at the next start instead.
    void SaveAtSessionEnd(const TGuideSet& guides);

private:
    IStartupPlatform& platform_;
    SettingsFile& files_;
    bool saved_ = false;
};

// Saves the guides unless they were saved already, reporting a failed write
// and going on, then frees them.
void RunShutdown(SettingsSaver& saver, std::unique_ptr<TGuideSet>& guides);

}  // namespace lumetra
