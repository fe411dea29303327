#pragma once
// The Windows edge of the program's texts: UTF-8 inside, UTF-16 in every
// call to the system, converted here and nowhere else.
#include <string>
#include <string_view>

#include "text/Unicode.h"
#include "win32/Win32.h"

namespace lumetra {

// Both are UTF-16 code units on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring Wide(std::string_view text) {
    const std::u16string units = Utf16FromUtf8(text);
    return std::wstring(units.begin(), units.end());
}

inline std::string Utf8(std::wstring_view text) {
    return Utf8FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

// A path for the wide file calls. One of MAX_PATH characters or more takes
// the "\\?\" form, which every Windows opens whatever its long-path policy;
// that form is taken literally, so its delimiters become backslashes first.
std::wstring WidePath(std::string_view path);

// A window's text (a control's caption, an edit's contents).
std::wstring WideWindowText(HWND window);
inline std::string WindowText(HWND window) { return Utf8(WideWindowText(window)); }

}  // namespace lumetra
