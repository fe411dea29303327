#include "win32/InstallClock.h"

#include <optional>

#include "win32/UniqueHandle.h"

namespace lumetra {

namespace {

constexpr const char* kInstallKey = "Software\\Velmora\\Lumetra";
constexpr const char* kInstallValue = "InstallDate";

// A key opened for reading its values; empty when it cannot be opened.
UniqueRegistryKey OpenForQuery(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    return UniqueRegistryKey(key);
}

Ticks ToTicks(const FILETIME& time) { return (static_cast<Ticks>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

std::optional<Ticks> RegistryInstallDate(HKEY root) {
    const UniqueRegistryKey key = OpenForQuery(root, kInstallKey);
    if (!key) return std::nullopt;
    // Room for the ten characters and a terminator; anything longer is not a date.
    char text[16] = {};
    DWORD type = 0;
    DWORD size = sizeof(text) - 1;
    if (RegQueryValueExA(key.get(), kInstallValue, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
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
    const UniqueFile file(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME created = {};
    if (!file || !GetFileTime(file.get(), &created, nullptr, nullptr)) return std::nullopt;
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

std::string WebQuery() { return WebQuery(DaysSinceInstall(Win32InstallClock())); }

}  // namespace lumetra
