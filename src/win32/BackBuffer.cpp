#include "win32/BackBuffer.h"

#include <algorithm>
#include <cstdint>

#include "canvas/DibWriter.h"
#include "win32/TopDownDib.h"

namespace lumetra {
namespace {

UniqueFont CreateOverlayFont() {
    LOGFONTW description{};
    description.lfHeight = 11;  // positive: cell height, internal leading included
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(description.lfFaceName, L"Tahoma", LF_FACESIZE);
    UniqueFont font(::CreateFontIndirectW(&description));
    if (!font) return font;
    // Re-created from its own description so that only the quality changes.
    LOGFONTW actual{};
    if (::GetObjectW(font.get(), sizeof actual, &actual) == 0) return font;
    actual.lfQuality = NONANTIALIASED_QUALITY;
    UniqueFont plain(::CreateFontIndirectW(&actual));
    return plain ? std::move(plain) : std::move(font);
}

// The new capacity along one axis for a request of `wanted`.
int Grown(int wanted, int capacity, int desktop) {
    const std::int64_t least = std::max(wanted, capacity);
    const std::int64_t most = std::max<std::int64_t>(least, desktop);
    return static_cast<int>(std::clamp(std::int64_t{capacity} + capacity / 4, least, most));
}

}  // namespace

std::unique_ptr<BackBuffer> BackBuffer::Create(int width, int height, const FrameIcons& pictures, Writes writes) {
    width = CacheFriendlyWidth(std::max(width, 1));
    height = std::max(height, 1);
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return nullptr;
    std::uint32_t* bits = nullptr;
    UniqueBitmap bitmap = CreateTopDownDib(dc.get(), width, height, &bits);
    if (!bitmap) return nullptr;
    return std::unique_ptr<BackBuffer>(
        new BackBuffer(std::move(dc), std::move(bitmap), bits, width, height, pictures, writes));
}

BackBuffer::BackBuffer(UniqueMemoryDc dc, UniqueBitmap bitmap, std::uint32_t* bits, int width, int height,
                       const FrameIcons& pictures, Writes writes)
    : dc_(std::move(dc)),
      bitmap_(std::move(bitmap)),
      bitmapGuard_(dc_.get(), bitmap_.get()),
      bits_(bits),
      capacityWidth_(width),
      capacityHeight_(height),
      writes_(writes) {
    canvas_.emplace(dc_.get(), &pictures);
    WriteRows(height);
    SetUpDrawingState();
}

void BackBuffer::SetUpDrawingState() {
    brushGuard_ = SelectGuard(dc_.get(), ::GetStockObject(HOLLOW_BRUSH));  // stock: never freed
    ::SetGraphicsMode(dc_.get(), GM_ADVANCED);
    ::SetBkMode(dc_.get(), TRANSPARENT);
    canvas_->AdoptFont(CreateOverlayFont());
}

bool BackBuffer::Resize(int width, int height) {
    if (width <= capacityWidth_ && height <= capacityHeight_) {
        WriteRows(height);
        return true;
    }
    const int newWidth =
        CacheFriendlyWidth(Grown(width, capacityWidth_, ::GetSystemMetrics(SM_CXVIRTUALSCREEN)));
    const int newHeight = Grown(height, capacityHeight_, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    std::uint32_t* bits = nullptr;
    UniqueBitmap larger = CreateTopDownDib(dc_.get(), newWidth, newHeight, &bits);
    if (!larger) return false;
    canvas_->FinishLines();                   // into the bitmap they were meant for
    ::SelectObject(dc_.get(), larger.get());  // deselects the old bitmap freed below
    bitmap_ = std::move(larger);
    bits_ = bits;
    capacityWidth_ = newWidth;
    capacityHeight_ = newHeight;
    writtenRows_ = 0;
    WriteRows(height);
    return true;
}

void BackBuffer::WriteRows(int height) {
    const int rows = std::clamp(height, 1, capacityHeight_);
    if (writes_ != Writes::Direct || rows == writtenRows_) return;
    // Rows below the picture are never shown: the direct writes leave them
    // alone, which spares a tall drawing on a short picture most of its work.
    canvas_->DrawLinesInto({bits_, capacityWidth_, rows});
    writtenRows_ = rows;
}

void BackBuffer::CopyTo(HDC target, int width, int height) {
    canvas_->FinishLines();
    ::BitBlt(target, 0, 0, width, height, dc_.get(), 0, 0, SRCCOPY);
}

DibPixels BackBuffer::Pixels() {
    canvas_->FinishLines();
    ::GdiFlush();  // GDI may still hold drawing in its batch
    return Capacity();
}

}  // namespace lumetra
