#pragma once
// Libraries loaded at run time, when a rarely used path first needs them,
// rather than with the program at every start.
#include "win32/GdiHandles.h"

namespace lumetra {

struct LibraryTraits {
    using Handle = HMODULE;
    static void Close(HMODULE library) noexcept { ::FreeLibrary(library); }
};
using UniqueLibrary = UniqueHandle<LibraryTraits>;

// From the system folder only, never from the program's own (the manifest
// still chooses the version). Empty when it cannot be loaded.
inline UniqueLibrary LoadSystemLibrary(const wchar_t* name) {
    return UniqueLibrary(::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

// An entry of a module as its own function type; null when it lacks it.
template <class Function>
Function ModuleEntry(HMODULE module, const char* name) {
    const FARPROC entry = ::GetProcAddress(module, name);
    // Through the generic function type: the untyped entry becomes the typed one.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}

// An entry of a loaded library; null when the library is empty or lacks it.
template <class Function>
Function LibraryEntry(const UniqueLibrary& library, const char* name) {
    return library ? ModuleEntry<Function>(library.get(), name) : nullptr;
}

// An entry of user32, which every program has loaded, that only newer
// versions of Windows have; null on older ones.
template <class Function>
Function User32Entry(const char* name) {
    return ModuleEntry<Function>(::GetModuleHandleW(L"user32.dll"), name);
}

}  // namespace lumetra
