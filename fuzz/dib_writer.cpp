// The direct pixel writes driven by arbitrary bytes: fills, lines and
// ellipses of any coordinates and widths in a few colours, held and written
// in any order into a bitmap of its exact size, so that any write outside
// it stops the run (AddressSanitizer). Every paint must also end with
// nothing held.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "canvas/DibWriter.h"

namespace {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    // Mostly near the bitmap, now and then anywhere an int reaches.
    int Coordinate() {
        const std::uint8_t kind = Byte();
        if (kind % 8 == 0) {
            std::int32_t value = 0;
            for (int i = 0; i < 4; ++i)
                value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << 8 | Byte());
            return value;
        }
        const int small = static_cast<int>(Byte()) | static_cast<int>(Byte()) << 8;
        return small % 700 - 200;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    const int width = 1 + bytes.Byte() % 200;
    const int height = 1 + bytes.Byte() % 200;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    bool writing = false;
    lumetra::DibWriter writer([&] { writing = true; });
    writer.Retarget({pixels.data(), width, height});
    constexpr std::uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (int op = 0; op < 256 && !bytes.Empty(); ++op) {
        const std::uint8_t code = bytes.Byte();
        const std::uint32_t pixel = kColours[(code >> 4) % 3];
        const int penWidth = 1 + (code >> 6) * 3 % 9;
        switch (code % 4) {
            case 0: {
                writer.WriteHeld();
                const int left = bytes.Coordinate();
                const int top = bytes.Coordinate();
                const int right = bytes.Coordinate();
                const int bottom = bytes.Coordinate();
                if (left < right && top < bottom) writer.HoldFill({left, top, right, bottom}, pixel);
                break;
            }
            case 1: {
                const int x0 = bytes.Coordinate();
                const int y0 = bytes.Coordinate();
                const int x1 = bytes.Coordinate();
                const int y1 = bytes.Coordinate();
                writer.Line(x0, y0, x1, y1, pixel, penWidth);
                break;
            }
            case 2: {
                const int left = bytes.Coordinate();
                const int top = bytes.Coordinate();
                writer.Ellipse({left, top, bytes.Coordinate(), bytes.Coordinate()}, pixel, penWidth);
                break;
            }
            default: writer.WriteHeld(); break;
        }
    }
    writer.WriteHeld();
    // Nothing is left held: a second flush must not write again.
    writing = false;
    writer.WriteHeld();
    FUZZ_CHECK(!writing, "pixels still held after WriteHeld");
    return 0;
}
