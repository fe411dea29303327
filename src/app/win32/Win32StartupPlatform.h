#pragma once
// What the start-up gate asks of Windows.
#include "app/Startup.h"
#include "win32/DesktopShell.h"
#include "win32/InstallClock.h"

namespace lumetra {

class Win32StartupPlatform final : public IStartupPlatform {
public:
    std::int32_t PrimaryScreenWidth() const override;
    int ScreenBitsPerPixel() const override;
    std::vector<std::string> Arguments() const override;
    void ShowWarning(const std::string& text, const std::string& caption) override;
    void ShowError(const std::string& text) override;
    IShell& Shell() override { return DesktopShell(); }
    const IInstallClock& InstallClock() const override { return clock_; }
    // Kept as a value named by the file's path under the user's key of the
    // program, which the user can write when the file's folder is not.
    void RememberUnsaved(const std::string& settingsFilePath) override;
    bool TakeUnsaved(const std::string& settingsFilePath) override;

private:
    Win32InstallClock clock_;
};

}  // namespace lumetra
