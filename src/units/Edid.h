#pragma once
// What a monitor says about itself in the base block of its EDID: who made
// it, its serial number, and the size of its picture.
//
// The size is stated twice: in whole centimetres in the basic display
// parameters (bytes 21 and 22) and in millimetres in each detailed timing
// descriptor. Many monitors state it wrongly: projectors and some
// televisions write 0, or the aspect ratio in place of a size (16 x 9 cm,
// 160 x 90 mm, 160 x 90 cm). Only a size that is plausible for the
// monitor's own pixels is kept; the rest say why there is none, so that the
// user can be offered calibration.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace lumetra {

inline constexpr std::size_t kEdidBlockSize = 128;

struct EdidIdentity {
    std::string manufacturer;        // three capital letters, "DEL"; '?' for a letter out of range
    std::uint16_t product = 0;       // the manufacturer's product code
    std::uint32_t serialNumber = 0;  // 0 when not given
    std::string serialText;          // the serial number descriptor, printable ASCII, trimmed
    std::string name;                // the product name descriptor, likewise
    friend bool operator==(const EdidIdentity&, const EdidIdentity&) = default;
};

struct MillimetreSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const MillimetreSize&, const MillimetreSize&) = default;
};

struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Why the block gives the size it gives, or none.
enum class EdidSize {
    Detailed,      // the timing descriptor's millimetres, which the centimetres confirm
    Basic,         // the centimetres alone
    NotGiven,      // 0, or an aspect ratio only
    AspectOnly,    // a ratio written as a size: 16 x 9, 160 x 90, 1600 x 900 mm (and 16:10)
    Implausible,   // too small or large, or not the shape of the monitor's pixels
    Inconsistent,  // centimetres and millimetres disagree
    BadChecksum,   // the block is damaged: its size is not trusted
};

struct EdidInfo {
    EdidIdentity identity;
    std::optional<MillimetreSize> size;
    EdidSize sizeNote = EdidSize::NotGiven;
    // The preferred timing's active pixels, when the block has one.
    std::optional<PixelSize> nativePixels;
};

// Whether a monitor of `pixels` can have a picture of `size`: an aspect
// ratio written as a size, sides beyond 5 cm to 10 m, pixels beyond 13 to
// 1000 to the inch or not of the picture's shape say no.
bool IsPlausibleSize(const MillimetreSize& size, const PixelSize& pixels);

// The base block at the start of `bytes` (extension blocks after it are
// ignored); nothing when it is shorter than a block or lacks the header.
std::optional<EdidInfo> ReadEdid(std::span<const std::uint8_t> bytes);

}  // namespace lumetra
