#include "app/win32/RunValue.h"

#include "win32/Win32.h"

#include <vector>

#include "win32/UniqueHandle.h"
#include "win32/WideText.h"

namespace lumetra {

std::optional<std::string> ReadRunValue() {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(kRunKeyPath).c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const UniqueRegistryKey key(opened);
    const std::wstring name = Wide(kRunValueName);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // Windows runs expandable values too; either is text.
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    // Another program may have stored it without its final zero, or with an odd size.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &read) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring text(buffer.data(), read / sizeof(wchar_t));
    text = text.substr(0, text.find(L'\0'));
    return Utf8(text);
}

StartWithWindowsBox TRunValue::Shown() const { return StartWithWindowsShown(ReadRunValue(), programPath_); }

bool TRunValue::Change(bool tick) {
    switch (StartWithWindowsChange(tick, ReadRunValue(), programPath_)) {
        case RunValueChange::None: return true;
        case RunValueChange::Write: {
            HKEY created = nullptr;
            if (::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(kRunKeyPath).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &created, nullptr) != ERROR_SUCCESS) {
                return false;
            }
            const UniqueRegistryKey key(created);
            const std::wstring command = Wide(RunCommandFor(programPath_));
            const auto bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));  // with its zero
            return ::RegSetValueExW(key.get(), Wide(kRunValueName).c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(command.c_str()), bytes) == ERROR_SUCCESS;
        }
        case RunValueChange::Remove:
            return ::RegDeleteKeyValueW(HKEY_CURRENT_USER, Wide(kRunKeyPath).c_str(),
                                        Wide(kRunValueName).c_str()) == ERROR_SUCCESS;
    }
    return false;
}

}  // namespace lumetra
