#include "win32/InstallClock.h"

#include <optional>
#include <string>
#include <string_view>

#include "win32/UniqueHandle.h"

namespace lumetra {

namespace {

constexpr const wchar_t* kInstallKey = L"Software\\Velmora\\Lumetra";
constexpr const wchar_t* kInstallValue = L"InstallDate";

// A key opened for reading its values; empty when it cannot be opened.
UniqueRegistryKey OpenForQuery(HKEY root, const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    return UniqueRegistryKey(key);
}

Ticks ToTicks(const FILETIME& time) { return (static_cast<Ticks>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

std::optional<Ticks> RegistryInstallDate(HKEY root) {
    const UniqueRegistryKey key = OpenForQuery(root, kInstallKey);
    if (!key) return std::nullopt;
    // Room for the ten characters and a terminator; anything longer is not a date.
    wchar_t text[16] = {};
    DWORD type = 0;
    DWORD size = sizeof(text) - sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), kInstallValue, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::wstring_view value(text, size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.remove_suffix(1);
    // The date is ASCII digits and dashes; anything else is no date.
    std::string ascii;
    for (const wchar_t c : value) ascii.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return ParseInstallDate(ascii);
}

std::optional<Ticks> ProgramFileCreated() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    const UniqueFile file(CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
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

}  // namespace lumetra
