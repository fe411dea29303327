#include "app/win32/Win32StartupPlatform.h"

#include "win32/GdiHandles.h"

#include <cstdlib>

#include "app/CommandLine.h"
#include "win32/ErrorBox.h"
#include "win32/WideText.h"

namespace lumetra {

namespace {

constexpr wchar_t kUnsavedKey[] = L"Software\\Velmora\\Lumetra\\Unsaved";

}  // namespace

std::int32_t Win32StartupPlatform::PrimaryScreenWidth() const { return GetSystemMetrics(SM_CXSCREEN); }

int Win32StartupPlatform::ScreenBitsPerPixel() const {
    const WindowDc screen(nullptr);
    // Without a screen context there is nothing to warn about.
    return screen ? GetDeviceCaps(screen.get(), BITSPIXEL) : 32;
}

std::vector<std::string> Win32StartupPlatform::Arguments() const {
    // Split as the system splits it, by our own splitter, so every build
    // gets the same words; an argument may name a path in any script.
    std::vector<std::string> words = SplitCommandLine(Utf8(GetCommandLineW()));
    words.erase(words.begin());  // the program's name
    return words;
}

void Win32StartupPlatform::ShowWarning(const std::string& text, const std::string& caption) {
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(), MB_ICONWARNING | MB_OK);
}

void Win32StartupPlatform::ShowError(const std::string& text) { ShowErrorBox(text); }

void Win32StartupPlatform::RememberUnsaved(const std::string& settingsFilePath) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kUnsavedKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS) {
        return;  // nothing more can be done while the session ends
    }
    const UniqueRegistryKey key(created);
    const wchar_t empty[] = L"";
    RegSetValueExW(key.get(), Wide(settingsFilePath).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(empty),
                   sizeof empty);
}

bool Win32StartupPlatform::TakeUnsaved(const std::string& settingsFilePath) {
    return RegDeleteKeyValueW(HKEY_CURRENT_USER, kUnsavedKey, Wide(settingsFilePath).c_str()) == ERROR_SUCCESS;
}

}  // namespace lumetra
