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
inline UniqueLibrary LoadSystemLibrary(const char* name) {
    return UniqueLibrary(::LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

// An entry of a loaded library as its own function type; null when the
// library is empty or lacks the entry.
template <class Function>
Function LibraryEntry(const UniqueLibrary& library, const char* name) {
    if (!library) return nullptr;
    const FARPROC entry = ::GetProcAddress(library.get(), name);
    // Through the generic function type: the untyped entry becomes the typed one.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}

}  // namespace lumetra
