#include "app/win32/SingleInstance.h"

#include "app/win32/ProgramShell.h"
#include "app/CommandHandOver.h"
// After the platform header, which it needs.
#include <sddl.h>

#include <vector>

#include "win32/WideText.h"

namespace lumetra {
namespace {

// How long a second start waits for a copy that is still starting.
constexpr int kHandOverTries = 100;
constexpr DWORD kHandOverPause = 100;  // milliseconds
// How long a command may take in the running copy (a /save writes a file),
// and how long that copy may take to save and end after /exit.
constexpr UINT kCommandTimeout = 30000;  // milliseconds
constexpr DWORD kEndTimeout = 30000;     // milliseconds

struct LocalMemoryTraits {
    using Handle = void*;
    static void Close(void* memory) noexcept { ::LocalFree(memory); }
};
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;

// The user this process runs as, in the SDDL form; empty when unknown.
std::wstring UserSid() {
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &opened)) return {};
    const UniqueKernelHandle token(opened);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
    LPWSTR text = nullptr;
    if (!::ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid, &text)) return {};
    const UniqueLocalMemory owned(text);
    return text;
}

// Elevated, a copy's default access list grants its objects to the
// administrators and the system only; an unelevated second start of the
// same user would be refused the lock. This one grants it to the user,
// whatever the elevation, and to the system. Empty when it cannot be made.
UniqueLocalMemory UserLockSecurity() {
    const std::wstring user = UserSid();
    if (user.empty()) return {};
    const std::wstring sddl = L"D:P(A;;GA;;;" + user + L")(A;;GA;;;SY)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return {};
    return UniqueLocalMemory(descriptor);
}

}  // namespace

UINT HandOverMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"VelmoraLumetraHandOver");
    return message;
}

SingleInstance::SingleInstance(const std::string& key) : key_(key) {
    const UniqueLocalMemory security = UserLockSecurity();
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security.get(), FALSE};
    // Per session: another user's copy is no copy of ours.
    // Only waiting rights: what a lower integrity level may still have.
    mutex_.reset(::CreateMutexExW(security ? &attributes : nullptr, Wide("Local\\" + key_).c_str(), 0, SYNCHRONIZE));
    const DWORD error = ::GetLastError();
    if (mutex_) {
        lock_ = error == ERROR_ALREADY_EXISTS ? InstanceLock::Existed : InstanceLock::Created;
    } else {
        lock_ = error == ERROR_ACCESS_DENIED ? InstanceLock::Denied : InstanceLock::Failed;
    }
}

HWND SingleInstance::RunningCopy() const {
    for (int i = 0; i < kHandOverTries; ++i) {
        if (const HWND running = ::FindWindowW(TProgramShell::kClassName, Wide(key_).c_str())) return running;
        ::Sleep(kHandOverPause);
    }
    return nullptr;
}

void SingleInstance::HandOver() const {
    const HWND running = RunningCopy();
    if (running == nullptr) return;
    DWORD process = 0;
    ::GetWindowThreadProcessId(running, &process);
    // The user started this copy, so it may hand the foreground on.
    ::AllowSetForegroundWindow(process);
    // An elevated copy lets the message through its filter.
    ::PostMessageW(running, HandOverMessage(), static_cast<WPARAM>(HandOverRequest::Present), 0);
}

std::optional<CommandProblem> SingleInstance::HandOverCommand(const std::string& block, bool endsCopy) const {
    const HWND running = RunningCopy();
    if (running == nullptr) return std::nullopt;
    DWORD process = 0;
    ::GetWindowThreadProcessId(running, &process);
    // /show and /settings bring that copy forward, which only the start the
    // user made may allow.
    ::AllowSetForegroundWindow(process);
    // Opened before the command ends the copy, so its end can be waited for.
    const UniqueKernelHandle copy(endsCopy ? ::OpenProcess(SYNCHRONIZE, FALSE, process) : nullptr);
    COPYDATASTRUCT data{kCommandBlockTag, static_cast<DWORD>(block.size()), const_cast<char*>(block.data())};
    DWORD_PTR reply = 0;
    // WM_COPYDATA is let through an elevated copy's message filter; a hung
    // copy is given up on rather than waited for.
    if (::SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                              kCommandTimeout, &reply) == 0) {
        return std::nullopt;
    }
    const std::optional<CommandProblem> problem = ProblemOfReply(static_cast<std::intptr_t>(reply));
    if (copy && problem == CommandProblem::None) ::WaitForSingleObject(copy.get(), kEndTimeout);
    return problem;
}

}  // namespace lumetra
