#pragma once
// Move-only owners of the GDI and window-system handles the shell uses, and a
// guard that puts back whatever object a DC had selected before.
#include <utility>

#include "win32/UniqueHandle.h"
#include "win32/Win32.h"

namespace lumetra {

template <typename H>
struct GdiObjectTraits {
    using Handle = H;
    static void Close(H handle) noexcept { ::DeleteObject(handle); }
};

// A device context this program created, memory or display: DeleteDC frees both.
struct CreatedDcTraits {
    using Handle = HDC;
    static void Close(HDC dc) noexcept { ::DeleteDC(dc); }
};

struct IconTraits {
    using Handle = HICON;
    static void Close(HICON icon) noexcept { ::DestroyIcon(icon); }
};

struct WindowTraits {
    using Handle = HWND;
    static void Close(HWND window) noexcept { ::DestroyWindow(window); }
};

using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueMemoryDc = UniqueHandle<CreatedDcTraits>;   // from CreateCompatibleDC
using UniqueDisplayDc = UniqueHandle<CreatedDcTraits>;  // from CreateDCW
using UniqueIcon = UniqueHandle<IconTraits>;            // from LoadImage without LR_SHARED
using UniqueWindow = UniqueHandle<WindowTraits>;

// Selects an object into a DC and selects the previous one back on
// destruction, so the owner of the new object can then free it.
class SelectGuard {
public:
    SelectGuard() = default;
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {
        // SelectObject answers null (or HGDI_ERROR for regions) on failure:
        // there is then nothing to put back.
        if (previous_ == HGDI_ERROR) previous_ = nullptr;
    }
    ~SelectGuard() { Restore(); }

    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    SelectGuard(SelectGuard&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
    SelectGuard& operator=(SelectGuard&& other) noexcept {
        if (this != &other) {
            Restore();
            dc_ = std::exchange(other.dc_, nullptr);
            previous_ = std::exchange(other.previous_, nullptr);
        }
        return *this;
    }

    bool Active() const noexcept { return previous_ != nullptr; }

private:
    void Restore() noexcept {
        if (dc_ != nullptr && previous_ != nullptr) ::SelectObject(dc_, previous_);
        dc_ = nullptr;
        previous_ = nullptr;
    }

    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// A window's DC from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    WindowDc(WindowDc&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&&) = delete;

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// The DC of a WM_PAINT; EndPaint validates the window when it goes.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintDc() { ::EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    PaintDc(PaintDc&&) = delete;
    PaintDc& operator=(PaintDc&&) = delete;

    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace lumetra
