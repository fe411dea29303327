#include "units/Edid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace lumetra {
namespace {

constexpr std::array<std::uint8_t, 8> kHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kFirstDescriptor = 54;
constexpr std::size_t kDescriptorSize = 18;
constexpr std::size_t kDescriptorCount = 4;
constexpr std::uint8_t kSerialTag = 0xFF;
constexpr std::uint8_t kNameTag = 0xFC;

// Centimetres rounded (or cut) from the millimetres still confirm them.
constexpr std::int32_t kConfirmWithin = 10;
// A picture from a small portable to a wall of screens.
constexpr std::int32_t kSmallestSide = 50;
constexpr std::int32_t kLargestSide = 10'000;
// 13 to 1000 pixels to the inch.
constexpr long double kFewestPixelsPerMm = 0.5L;
constexpr long double kMostPixelsPerMm = 40.0L;
// Square pixels give the picture the shape of its pixel counts.
constexpr long double kShapeTolerance = 0.1L;

char Letter(unsigned code) { return code >= 1 && code <= 26 ? static_cast<char>('A' + code - 1) : '?'; }

std::string Manufacturer(std::uint8_t high, std::uint8_t low) {
    const unsigned id = (unsigned{high} << 8) | low;
    return {Letter((id >> 10) & 31u), Letter((id >> 5) & 31u), Letter(id & 31u)};
}

// A descriptor's 13 bytes of text: up to the line feed, printable ASCII.
std::string DescriptorText(std::span<const std::uint8_t> text) {
    std::string out;
    for (const std::uint8_t byte : text) {
        if (byte == 0x0A || byte == 0x00) break;
        out += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '?';
    }
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

struct DetailedTiming {
    PixelSize pixels;
    MillimetreSize size;
};

DetailedTiming ReadDetailedTiming(std::span<const std::uint8_t, kDescriptorSize> d) {
    DetailedTiming timing;
    timing.pixels.width = d[2] | ((d[4] >> 4) << 8);
    timing.pixels.height = d[5] | ((d[7] >> 4) << 8);
    if ((d[17] & 0x80) != 0) timing.pixels.height *= 2;  // an interlaced mode counts the lines of one field
    timing.size.width = d[12] | ((d[14] >> 4) << 8);
    timing.size.height = d[13] | ((d[14] & 0x0F) << 8);
    return timing;
}

bool IsAspectStandIn(const MillimetreSize& size) {
    for (const std::int32_t scale : {1, 10, 100}) {
        if (size.width == 16 * scale && (size.height == 9 * scale || size.height == 10 * scale)) return true;
    }
    return false;
}

// Why a stated size cannot be this monitor's; nothing when it can.
std::optional<EdidSize> Problem(const MillimetreSize& size, const std::optional<PixelSize>& pixels) {
    if (IsAspectStandIn(size)) return EdidSize::AspectOnly;
    const auto inRange = [](std::int32_t side) { return side >= kSmallestSide && side <= kLargestSide; };
    if (!inRange(size.width) || !inRange(size.height)) return EdidSize::Implausible;
    if (pixels && pixels->width > 0 && pixels->height > 0) {
        const long double perMmX = static_cast<long double>(pixels->width) / size.width;
        const long double perMmY = static_cast<long double>(pixels->height) / size.height;
        for (const long double perMm : {perMmX, perMmY}) {
            if (perMm < kFewestPixelsPerMm || perMm > kMostPixelsPerMm) return EdidSize::Implausible;
        }
        if (std::abs(perMmX / perMmY - 1) > kShapeTolerance) return EdidSize::Implausible;
    }
    return std::nullopt;
}

bool Confirms(const MillimetreSize& basic, const MillimetreSize& detailed) {
    return std::abs(basic.width - detailed.width) < kConfirmWithin &&
           std::abs(basic.height - detailed.height) < kConfirmWithin;
}

void ChooseSize(EdidInfo& info, std::optional<MillimetreSize> basic, std::optional<MillimetreSize> detailed) {
    if (!basic && !detailed) {
        info.sizeNote = EdidSize::NotGiven;
        return;
    }
    const std::optional<EdidSize> basicProblem = basic ? Problem(*basic, info.nativePixels) : EdidSize::NotGiven;
    const std::optional<EdidSize> detailedProblem =
        detailed ? Problem(*detailed, info.nativePixels) : EdidSize::NotGiven;
    const bool basicGood = !basicProblem;
    const bool detailedGood = !detailedProblem;
    if (detailedGood && basicGood && !Confirms(*basic, *detailed)) {
        info.sizeNote = EdidSize::Inconsistent;
    } else if (detailedGood) {
        info.size = detailed;
        info.sizeNote = EdidSize::Detailed;
    } else if (basicGood) {
        info.size = basic;
        info.sizeNote = EdidSize::Basic;
    } else {
        info.sizeNote = detailed ? *detailedProblem : *basicProblem;
    }
}

}  // namespace

bool IsPlausibleSize(const MillimetreSize& size, const PixelSize& pixels) { return !Problem(size, pixels); }

std::optional<EdidInfo> ReadEdid(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kEdidBlockSize) return std::nullopt;
    const auto block = bytes.first<kEdidBlockSize>();
    if (!std::equal(kHeader.begin(), kHeader.end(), block.begin())) return std::nullopt;

    EdidInfo info;
    EdidIdentity& id = info.identity;
    id.manufacturer = Manufacturer(block[8], block[9]);
    id.product = static_cast<std::uint16_t>(block[10] | (block[11] << 8));
    id.serialNumber = static_cast<std::uint32_t>(block[12]) | (static_cast<std::uint32_t>(block[13]) << 8) |
                      (static_cast<std::uint32_t>(block[14]) << 16) | (static_cast<std::uint32_t>(block[15]) << 24);

    std::optional<MillimetreSize> detailed;
    bool seenTiming = false;
    for (std::size_t i = 0; i < kDescriptorCount; ++i) {
        const auto d = block.subspan(kFirstDescriptor + i * kDescriptorSize).first<kDescriptorSize>();
        if (d[0] != 0 || d[1] != 0) {
            // The first detailed timing is the preferred one, the monitor's own mode.
            if (seenTiming) continue;
            seenTiming = true;
            const DetailedTiming timing = ReadDetailedTiming(d);
            if (timing.pixels.width > 0 && timing.pixels.height > 0) info.nativePixels = timing.pixels;
            if (timing.size.width > 0 && timing.size.height > 0) detailed = timing.size;
        } else if (d[2] == 0 && d[4] == 0) {
            const std::string text = DescriptorText(d.subspan(5));
            if (d[3] == kSerialTag && id.serialText.empty()) id.serialText = text;
            if (d[3] == kNameTag && id.name.empty()) id.name = text;
        }
    }

    const unsigned sum = std::accumulate(block.begin(), block.end(), 0u);
    if (sum % 256 != 0) {
        info.sizeNote = EdidSize::BadChecksum;
        return info;
    }
    // Both bytes or neither: one of them alone is an aspect ratio (version
    // 1.4) or an undefined size (before it).
    std::optional<MillimetreSize> basic;
    if (block[21] != 0 && block[22] != 0) basic = MillimetreSize{block[21] * 10, block[22] * 10};
    ChooseSize(info, basic, detailed);
    return info;
}

}  // namespace lumetra
