#pragma once
// Row access to the pixels of a 32-bit top-down bitmap, bounds-checked in
// debug builds through std::span.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumetra {

// The pixels of a 32-bit top-down bitmap, addressed by row and column.
class SheetPixels {
public:
    SheetPixels(std::uint32_t* bits, int width, int height)
        : pixels_(bits, static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
          width_(static_cast<std::size_t>(width)) {}

    std::span<std::uint32_t> Row(int row, int left, int count) const {
        return pixels_.subspan(static_cast<std::size_t>(row) * width_ + static_cast<std::size_t>(left),
                               static_cast<std::size_t>(count));
    }

    // Pixels from one row to the same column of the next.
    std::ptrdiff_t Stride() const { return static_cast<std::ptrdiff_t>(width_); }

    // Fills the block of width x height pixels whose top-left is (left, 0).
    void Fill(int left, int width, int height, std::uint32_t pixel) const {
        for (int row = 0; row < height; ++row) {
            const auto pixels = Row(row, left, width);
            std::fill(pixels.begin(), pixels.end(), pixel);
        }
    }

private:
    std::span<std::uint32_t> pixels_;
    std::size_t width_;
};

}  // namespace lumetra
