#include "win32/FrameIcons.h"

#include <algorithm>
#include <cstdint>

#include "canvas/IconMask.h"
#include "win32/TopDownDib.h"

namespace lumetra {
namespace {

struct IconResource {
    FrameIcon picture;
    const wchar_t* name;
    int width;
    int height;
};

constexpr std::array<IconResource, 6> kIconResources{{
    {FrameIcon::TLCorner, L"ZTLCORNER", 16, 16},
    {FrameIcon::Caption, L"ZCAPTION", 32, 16},
    {FrameIcon::TRCorner, L"ZTRCORNER", 64, 16},
    {FrameIcon::BRCorner, L"ZBRCORNER", 24, 24},
    {FrameIcon::TLCornerS, L"ZTLCORNERS", 16, 16},
    {FrameIcon::TRCorner2, L"ZTRCORNER2", 37, 16},
}};

std::size_t IconIndex(FrameIcon picture) { return static_cast<std::size_t>(picture); }

}  // namespace

std::unique_ptr<FrameIcons::Sheet> FrameIcons::CreateSheet(int width, int height, std::uint32_t** bits) {
    auto sheet = std::make_unique<Sheet>();
    sheet->dc = UniqueMemoryDc(::CreateCompatibleDC(nullptr));
    if (sheet->dc) sheet->bitmap = CreateTopDownDib(sheet->dc.get(), width, height, bits);
    if (!sheet->bitmap || *bits == nullptr) return nullptr;
    sheet->selected = SelectGuard(sheet->dc.get(), sheet->bitmap.get());
    return sheet;
}

FrameIcons FrameIcons::Load(HINSTANCE instance, int dpi) {
    FrameIcons pictures;
    std::array<UniqueIcon, kIconResources.size()> icons;
    int sheetWidth = 0;
    int sheetHeight = 0;
    for (const IconResource& resource : kIconResources) {
        const std::size_t index = IconIndex(resource.picture);
        icons[index] = UniqueIcon(static_cast<HICON>(
            ::LoadImageW(instance, resource.name, IMAGE_ICON, resource.width, resource.height, LR_DEFAULTCOLOR)));
        if (!icons[index]) continue;
        pictures.placements_[index] = {sheetWidth, resource.width, resource.height, false};
        sheetWidth += 2 * resource.width;
        sheetHeight = std::max(sheetHeight, resource.height);
    }
    if (sheetWidth == 0) return {};

    std::uint32_t* bits = nullptr;
    auto sheet = CreateSheet(sheetWidth, sheetHeight, &bits);
    if (!sheet) return {};

    const SheetPixels pixels(bits, sheetWidth, sheetHeight);
    for (std::size_t index = 0; index < icons.size(); ++index) {
        Placement& placement = pictures.placements_[index];
        if (placement.width == 0) continue;
        // Over black into the colour block, over white into the mask block:
        // the two drawings tell the transparent pixels from the opaque ones.
        pixels.Fill(placement.left, placement.width, placement.height, 0x00000000);
        pixels.Fill(placement.left + placement.width, placement.width, placement.height, 0x00FFFFFF);
        for (const int left : {placement.left, placement.left + placement.width}) {
            ::DrawIconEx(sheet->dc.get(), left, 0, icons[index].get(), 0, 0, 0, nullptr, DI_NORMAL);
        }
        ::GdiFlush();  // the drawings are read directly below
        for (int row = 0; row < placement.height; ++row) {
            // In place: the colour replaces the drawing over black, the mask
            // the drawing over white.
            const auto colour = pixels.Row(row, placement.left, placement.width);
            const auto mask = pixels.Row(row, placement.left + placement.width, placement.width);
            if (SplitIconMask(colour, mask, colour, mask)) placement.masked = true;
        }
    }
    pictures.sheet_ = std::move(sheet);
    pictures.sheetWidth_ = sheetWidth;
    pictures.sheetHeight_ = sheetHeight;
    pictures.bits_ = bits;
    return dpi == kDefaultDpi ? std::move(pictures) : pictures.ScaledTo(dpi);
}

FrameIcons FrameIcons::ScaledTo(int dpi) const {
    FrameIcons scaled;
    int sheetWidth = 0;
    for (std::size_t index = 0; index < placements_.size(); ++index) {
        const Placement& placement = placements_[index];
        if (placement.width == 0) continue;
        const int width = ScaledLength(placement.width, dpi);
        scaled.placements_[index] = {sheetWidth, width, ScaledLength(placement.height, dpi), placement.masked};
        sheetWidth += 2 * width;
    }
    const int sheetHeight = ScaledLength(sheetHeight_, dpi);
    std::uint32_t* bits = nullptr;
    auto sheet = CreateSheet(sheetWidth, sheetHeight, &bits);
    if (!sheet) return {};
    const SheetPixels from(bits_, sheetWidth_, sheetHeight_);
    const SheetPixels to(bits, sheetWidth, sheetHeight);
    for (std::size_t index = 0; index < placements_.size(); ++index) {
        const Placement& source = placements_[index];
        const Placement& target = scaled.placements_[index];
        if (source.width == 0) continue;
        // The colour block, then the mask block beside it.
        for (const int block : {0, 1}) {
            ScaleBlockNearest(from, source.left + block * source.width, source.width, source.height, to,
                              target.left + block * target.width, target.width, target.height);
        }
    }
    scaled.sheet_ = std::move(sheet);
    scaled.sheetWidth_ = sheetWidth;
    scaled.sheetHeight_ = sheetHeight;
    scaled.bits_ = bits;
    return scaled;
}

void FrameIcons::Draw(HDC dc, FrameIcon picture, int x, int y) const {
    const std::size_t index = IconIndex(picture);
    if (!sheet_ || index >= placements_.size() || placements_[index].width == 0) return;
    const Placement& placement = placements_[index];
    const HDC sheet = sheet_->dc.get();
    if (!placement.masked) {
        ::BitBlt(dc, x, y, placement.width, placement.height, sheet, placement.left, 0, SRCCOPY);
        return;
    }
    ::BitBlt(dc, x, y, placement.width, placement.height, sheet, placement.left + placement.width, 0, SRCAND);
    ::BitBlt(dc, x, y, placement.width, placement.height, sheet, placement.left, 0, SRCPAINT);
}

}  // namespace lumetra
