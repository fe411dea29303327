#pragma once
// The program's spine from process start to the message loop and from its
// end to the exit, written against a small platform interface so the order of
// the steps can be checked without a desktop.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumetra {

class IInstallClock;
class IShell;
class LangTable;
class SettingsFile;
class TSettings;

inline constexpr const char* kProgramTitle = "Velmora Lumetra";
inline constexpr const char* kBaseLanguage = "English";
inline constexpr const char* kUninstallArgument = "/uninstall";

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
};

// Creates the settings into `settings`, loads them and the language texts
// into `lang`. False means: end the process at once, without a window and
// without saving.
bool RunStartup(IStartupPlatform& platform, const SettingsFile& files, LangTable& lang,
                std::unique_ptr<TSettings>& settings);

// Saves the settings, reports a failed write and goes on, then frees them.
void RunShutdown(IStartupPlatform& platform, SettingsFile& files,
                 std::unique_ptr<TSettings>& settings);

}  // namespace lumetra
