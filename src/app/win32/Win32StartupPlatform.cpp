#include "app/win32/Win32StartupPlatform.h"

#include <windows.h>

#include <cstdlib>

#include "app/win32/ErrorBox.h"

namespace lumetra {

namespace {

// The screen's device context, released when the reading is done.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

std::int32_t Win32StartupPlatform::PrimaryScreenWidth() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

int Win32StartupPlatform::ScreenBitsPerPixel() const {
    const ScreenDc screen;
    // Without a screen context there is nothing to warn about.
    return screen.Get() ? GetDeviceCaps(screen.Get(), BITSPIXEL) : 32;
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

void Win32StartupPlatform::ShowError(const std::string& text) {
    ShowErrorBox(text);
}

}  // namespace lumetra
