#pragma once
// The off-screen back buffer the overlay and the panel's caption strip
// compose into.
#include <cstdint>
#include <memory>
#include <optional>

#include "canvas/DibWriter.h"
#include "win32/FrameIcons.h"
#include "win32/GdiCanvas.h"
#include "win32/GdiHandles.h"

namespace lumetra {

// A 32-bit top-down DIB section with its own memory DC and the overlay's
// drawing state: hollow brush, advanced graphics mode, transparent text
// background and an 11-pixel non-antialiased "Tahoma".
class BackBuffer {
public:
    // Direct writes lines and plain fills straight into the pixels; GdiOnly
    // leaves every drawing to GDI, the reference the direct writes must match.
    enum class Writes { Direct, GdiOnly };

    // Null when the DC or the bitmap cannot be created. Its rows may hold a
    // few pixels more than width (CacheFriendlyWidth), never shown.
    static std::unique_ptr<BackBuffer> Create(int width, int height, const FrameIcons& pictures,
                                              Writes writes = Writes::Direct);

    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    BackBuffer(BackBuffer&&) = delete;
    BackBuffer& operator=(BackBuffer&&) = delete;
    ~BackBuffer() = default;

    // Makes room for width x height. The bitmap is only replaced when it is
    // too small, by one a quarter larger each way than it was (but no larger
    // than the desktop, unless asked), so a guide sized step by step by the
    // mouse seldom waits for a new one; if the larger one cannot be had, the
    // old one stays and the answer is false, so this paint is skipped but
    // smaller ones still work.
    // The direct writes then reach only the top `height` rows, all a paint
    // of that size shows.
    bool Resize(int width, int height);

    Canvas& canvas() { return *canvas_; }
    void CopyTo(HDC target, int width, int height);
    // Everything drawn so far, rows as wide as the bitmap.
    DibPixels Pixels();

private:
    BackBuffer(UniqueMemoryDc dc, UniqueBitmap bitmap, std::uint32_t* bits, int width, int height,
               const FrameIcons& pictures, Writes writes);
    DibPixels Capacity() const { return {bits_, capacityWidth_, capacityHeight_}; }
    void SetUpDrawingState();
    // Points the direct writes at the top `height` rows of the bitmap.
    void WriteRows(int height);

    // Destroyed in reverse: the canvas puts back pen and font, the guards the
    // brush and the bitmap, then the bitmap and the DC are freed.
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    SelectGuard bitmapGuard_;
    SelectGuard brushGuard_;
    std::uint32_t* bits_;
    int capacityWidth_;
    int capacityHeight_;
    Writes writes_;
    int writtenRows_ = 0;  // the rows the direct writes reach; 0 before the first
    std::optional<GdiCanvas> canvas_;
};

}  // namespace lumetra
