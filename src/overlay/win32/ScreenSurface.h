#pragma once
// A copy of one monitor kept from one look to the next, into which only the
// parts asked for are copied, each at its own place: following copies a
// few thin strips a tick, not the whole monitor, and allocates nothing.
#include <cstdint>
#include <memory>
#include <span>

#include "overlay/fit/PictureFinder.h"
#include "win32/GdiHandles.h"

namespace lumetra {

class ScreenSurface {
public:
    // A surface of the monitor's size (virtual-screen pixels); nothing when
    // the system cannot give one.
    static std::unique_ptr<ScreenSurface> ForMonitor(const RECT& monitor);
    ScreenSurface(const ScreenSurface&) = delete;
    ScreenSurface& operator=(const ScreenSurface&) = delete;
    ~ScreenSurface() = default;

    const RECT& Area() const { return area_; }
    // Copies each part from the screen, cut to the monitor; false when the
    // screen could not be read.
    bool Copy(std::span<const RECT> parts);
    // What the last copy of a part left there, cut to the monitor; rows lie
    // the monitor's width apart.
    ScreenImage Image(const RECT& part) const;
    // The same part cut to the monitor, as Image shows it.
    RECT Cut(const RECT& part) const;

private:
    ScreenSurface(const RECT& area, UniqueMemoryDc dc, UniqueBitmap bitmap, const std::uint32_t* bits);

    RECT area_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;  // a top-down DIB section, selected into dc_ while this lives
    SelectGuard selected_;
    const std::uint32_t* bits_;
};

}  // namespace lumetra
