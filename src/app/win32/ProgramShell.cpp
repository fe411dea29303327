#include "app/win32/ProgramShell.h"

#include <stdexcept>

#include "settings/AppSettings.h"

namespace lumetra {
namespace {

constexpr char kClassName[] = "TLumetraProgramShell";
// Hot keys are numbered by their command, from 1.
constexpr int kFirstHotKeyId = 1;

UINT SystemModifiers(std::uint8_t modifiers) {
    UINT held = 0;
    if ((modifiers & kHotKeyCtrl) != 0) held |= MOD_CONTROL;
    if ((modifiers & kHotKeyShift) != 0) held |= MOD_SHIFT;
    if ((modifiers & kHotKeyAlt) != 0) held |= MOD_ALT;
    if ((modifiers & kHotKeyWin) != 0) held |= MOD_WIN;
    return held;
}

}  // namespace

TProgramShell::TProgramShell(HINSTANCE instance, IProgramCommands& commands) : commands_(commands) {
    WNDCLASSEXA windowClass{};
    if (!::GetClassInfoExA(instance, kClassName, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &TProgramShell::WindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        if (!::RegisterClassExA(&windowClass)) throw std::runtime_error("Unable to register a window class");
    }
    // Never shown: it only receives the hot keys' messages.
    window_.reset(::CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                    this));
    if (!window_) throw std::runtime_error("Unable to create the program's hidden window");
}

TProgramShell::~TProgramShell() { ReleaseHotKeys(); }

LRESULT CALLBACK TProgramShell::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* shell = reinterpret_cast<TProgramShell*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (shell != nullptr && message == WM_HOTKEY) {
        const auto index = static_cast<int>(wParam) - kFirstHotKeyId;
        if (index >= 0 && index < static_cast<int>(kHotKeyCommandCount)) {
            shell->commands_.Run(static_cast<HotKeyCommand>(index));
        }
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void TProgramShell::ApplyHotKeys(const TSettings& settings) {
    std::array<HotKey, kHotKeyCommandCount> wanted{};
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) wanted[i] = settings.HotKeyFor(static_cast<HotKeyCommand>(i));
    if (wanted == held_) return;
    ReleaseHotKeys();
    held_ = wanted;
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        if (held_[i].Empty()) continue;
        const int id = kFirstHotKeyId + static_cast<int>(i);
        const UINT modifiers = SystemModifiers(held_[i].modifiers);
        // Held down, a hot key would repeat its command; older systems
        // know no such flag and refuse it.
        const bool registered = ::RegisterHotKey(window_.get(), id, modifiers | MOD_NOREPEAT, held_[i].key) ||
                                ::RegisterHotKey(window_.get(), id, modifiers, held_[i].key);
        taken_[i] = !registered;
    }
}

void TProgramShell::ReleaseHotKeys() {
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        if (!held_[i].Empty() && !taken_[i]) ::UnregisterHotKey(window_.get(), kFirstHotKeyId + static_cast<int>(i));
        taken_[i] = false;
    }
    held_ = {};
}

}  // namespace lumetra
