#include "app/win32/InstallClock.h"

#include <windows.h>

#include <optional>
#include <utility>

namespace lumetra {

namespace {

constexpr const char* kInstallKey = "Software\\Velmora\\Lumetra";
constexpr const char* kInstallValue = "InstallDate";

class RegistryKey {
public:
    RegistryKey(HKEY root, const char* path) {
        if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        std::swap(key_, other.key_);
        return *this;
    }

    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (Valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    FileHandle& operator=(FileHandle&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

Ticks ToTicks(const FILETIME& time) {
    return (static_cast<Ticks>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::optional<Ticks> RegistryInstallDate(HKEY root) {
    const RegistryKey key(root, kInstallKey);
    if (!key.Get()) return std::nullopt;
    // Room for the ten characters and a terminator; anything longer is not a date.
    char text[16] = {};
    DWORD type = 0;
    DWORD size = sizeof(text) - 1;
    if (RegQueryValueExA(key.Get(), kInstallValue, nullptr, &type, reinterpret_cast<BYTE*>(text),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::string_view value(text, size);
    while (!value.empty() && value.back() == '\0') value.remove_suffix(1);
    return ParseInstallDate(value);
}

std::optional<Ticks> ProgramFileCreated() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    const FileHandle file(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME created = {};
    if (!file.Valid() || !GetFileTime(file.Get(), &created, nullptr, nullptr)) return std::nullopt;
    return ToTicks(created);
}

}  // namespace

Ticks Win32InstallClock::Now() const {
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    return ToTicks(now);
}

Ticks Win32InstallClock::InstalledAt() const {
    if (auto date = RegistryInstallDate(HKEY_CURRENT_USER)) return *date;
    if (auto date = RegistryInstallDate(HKEY_LOCAL_MACHINE)) return *date;
    if (auto created = ProgramFileCreated()) return *created;
    return Now();
}

std::string WebQuery() {
    return WebQuery(DaysSinceInstall(Win32InstallClock()));
}

}  // namespace lumetra
