#include "app/win32/SingleInstance.h"

#include "app/win32/ProgramShell.h"
#include "win32/WideText.h"

namespace lumetra {
namespace {

// How long a second start waits for a copy that is still starting.
constexpr int kHandOverTries = 100;
constexpr DWORD kHandOverPause = 100;  // milliseconds

}  // namespace

UINT HandOverMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"VelmoraLumetraHandOver");
    return message;
}

SingleInstance::SingleInstance(const std::string& key) : key_(key) {
    // Per session: another user's copy is no copy of ours.
    mutex_.reset(::CreateMutexW(nullptr, FALSE, Wide("Local\\" + key_).c_str()));
    first_ = !mutex_ || ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void SingleInstance::HandOver() const {
    for (int i = 0; i < kHandOverTries; ++i) {
        if (const HWND running = ::FindWindowW(TProgramShell::kClassName, Wide(key_).c_str())) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(running, &process);
            // The user started this copy, so it may hand the foreground on.
            ::AllowSetForegroundWindow(process);
            ::PostMessageW(running, HandOverMessage(), 0, 0);
            return;
        }
        ::Sleep(kHandOverPause);
    }
}

}  // namespace lumetra
