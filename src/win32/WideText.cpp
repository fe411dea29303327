#include "win32/WideText.h"

#include <algorithm>

namespace lumetra {

std::wstring WidePath(std::string_view path) {
    std::wstring wide = Wide(path);
    if (wide.size() < MAX_PATH || wide.starts_with(L"\\\\?\\")) return wide;
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    const bool drive = wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\';
    if (drive) return L"\\\\?\\" + wide;
    // \\server\share\... becomes \\?\UNC\server\share\...
    if (wide.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + wide.substr(2);
    return wide;  // a relative path cannot take the long form
}

std::wstring WideWindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(::GetWindowTextW(window, text.data(), length + 1), 0)));
    return text;
}

}  // namespace lumetra
