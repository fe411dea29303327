#include "app/win32/Win32StartupPlatform.h"

#include "win32/GdiHandles.h"

#include <cstdlib>

#include "win32/ErrorBox.h"

namespace lumetra {

namespace {

constexpr char kUnsavedKey[] = "Software\\Velmora\\Lumetra\\Unsaved";

}  // namespace

std::int32_t Win32StartupPlatform::PrimaryScreenWidth() const { return GetSystemMetrics(SM_CXSCREEN); }

int Win32StartupPlatform::ScreenBitsPerPixel() const {
    const WindowDc screen(nullptr);
    // Without a screen context there is nothing to warn about.
    return screen ? GetDeviceCaps(screen.get(), BITSPIXEL) : 32;
}

std::vector<std::string> Win32StartupPlatform::Arguments() const {
    // The runtime has split the ANSI command line by the usual quoting rules.
    std::vector<std::string> arguments;
    for (int i = 1; __argv && i < __argc; ++i)
        if (__argv[i]) arguments.emplace_back(__argv[i]);
    return arguments;
}

void Win32StartupPlatform::ShowWarning(const std::string& text, const std::string& caption) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_ICONWARNING | MB_OK);
}

void Win32StartupPlatform::ShowError(const std::string& text) { ShowErrorBox(text); }

void Win32StartupPlatform::RememberUnsaved(const std::string& settingsFilePath) {
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kUnsavedKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS) {
        return;  // nothing more can be done while the session ends
    }
    const UniqueRegistryKey key(created);
    RegSetValueExA(key.get(), settingsFilePath.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
}

bool Win32StartupPlatform::TakeUnsaved(const std::string& settingsFilePath) {
    return RegDeleteKeyValueA(HKEY_CURRENT_USER, kUnsavedKey, settingsFilePath.c_str()) == ERROR_SUCCESS;
}

}  // namespace lumetra
