#pragma once
// The one move-only owner of an OS handle, and the traits of the kernel,
// file, search and registry handles the shell holds.
#include <utility>

#include "win32/Win32.h"

namespace lumetra {

// The value that means "no handle": Traits::Invalid() where the handle has
// one of its own (INVALID_HANDLE_VALUE), else a value-initialised handle.
template <typename Traits>
typename Traits::Handle InvalidHandle() noexcept {
    if constexpr (requires { Traits::Invalid(); }) {
        return Traits::Invalid();
    } else {
        return typename Traits::Handle{};
    }
}

// Owns one handle; Traits::Close frees it. A default-constructed owner is empty.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != InvalidHandle<Traits>(); }

    // Hands ownership to the caller.
    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, InvalidHandle<Traits>()); }

    void reset(Handle handle = InvalidHandle<Traits>()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != InvalidHandle<Traits>()) Traits::Close(old);
    }

private:
    Handle handle_ = InvalidHandle<Traits>();
};

// A kernel object that reports failure as null (a mutex, an event).
struct KernelTraits {
    using Handle = HANDLE;
    static void Close(HANDLE handle) noexcept { ::CloseHandle(handle); }
};

// A file from CreateFile, which reports failure as INVALID_HANDLE_VALUE.
struct FileTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE file) noexcept { ::CloseHandle(file); }
};

// A search from FindFirstFile, ended with FindClose.
struct FindTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE search) noexcept { ::FindClose(search); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static void Close(HKEY key) noexcept { ::RegCloseKey(key); }
};

using UniqueKernelHandle = UniqueHandle<KernelTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

}  // namespace lumetra
