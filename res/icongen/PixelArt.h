#pragma once
// Pixel art kept as reviewable text, and its encoding as an icon file.
//
// A picture file holds a legend, then the pixels:
//
//   # comment lines and blank lines are skipped
//   . = transparent
//   G = 128 128 128
//   pixels
//   ..GG
//   .GWG
//
// Each legend line maps one character to a colour (red green blue, 0..255)
// or to "transparent". After the line "pixels" every line is one row of the
// picture, one character per pixel, all rows equally long.
//
// Header-only so the generator stays a single file that any host compiler
// can build without the project's build system.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::icongen {

struct Pixel {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool opaque = false;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;  // row by row, top row first

    const Pixel& At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

struct ParseResult {
    std::optional<Image> image;
    std::string error;  // "line N: ..." when image is empty
};

// The ICO directory stores sizes in one byte.
inline constexpr int kMaxIconSide = 256;

namespace detail {

inline std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

inline ParseResult Fail(int line, const std::string& message) {
    return {std::nullopt, "line " + std::to_string(line) + ": " + message};
}

inline std::optional<Pixel> ParseColour(std::string_view text) {
    if (text == "transparent") return Pixel{};
    std::array<int, 3> parts = {};
    std::size_t count = 0;
    while (!text.empty()) {
        if (count == parts.size()) return std::nullopt;
        int value = 0;
        std::size_t digits = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
            value = value * 10 + (text[digits] - '0');
            if (value > 255) return std::nullopt;
            ++digits;
        }
        if (digits == 0) return std::nullopt;
        parts[count++] = value;
        text = Trim(text.substr(digits));
    }
    if (count != parts.size()) return std::nullopt;
    return Pixel{static_cast<std::uint8_t>(parts[0]), static_cast<std::uint8_t>(parts[1]),
                 static_cast<std::uint8_t>(parts[2]), true};
}

inline void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// Bytes of one row of the 1-bit mask, padded to a multiple of four.
inline std::size_t MaskStride(int width) { return static_cast<std::size_t>((width + 31) / 32 * 4); }

inline std::uint32_t ImageBytes(const Image& image) {
    const auto height = static_cast<std::size_t>(image.height);
    return static_cast<std::uint32_t>(image.pixels.size() * 4 + MaskStride(image.width) * height);
}

}  // namespace detail

inline ParseResult ParsePixelArt(std::string_view text) {
    std::map<char, Pixel> legend;
    Image image;
    bool inPixels = false;
    int lineNumber = 0;
    std::istringstream lines{std::string(text)};
    for (std::string raw; std::getline(lines, raw);) {
        ++lineNumber;
        const std::string_view line = detail::Trim(raw);
        if (!inPixels) {
            if (line.empty() || line.front() == '#') continue;
            if (line == "pixels") {
                inPixels = true;
                continue;
            }
            if (line.size() < 3 || detail::Trim(line.substr(1)).front() != '=')
                return detail::Fail(lineNumber, "expected 'c = r g b' or 'c = transparent'");
            const char key = line.front();
            std::string_view value = detail::Trim(line.substr(1));
            const auto colour = detail::ParseColour(detail::Trim(value.substr(1)));
            if (!colour) return detail::Fail(lineNumber, "bad colour for '" + std::string(1, key) + "'");
            if (!legend.emplace(key, *colour).second)
                return detail::Fail(lineNumber, "'" + std::string(1, key) + "' defined twice");
            continue;
        }
        if (line.empty()) continue;
        const int width = static_cast<int>(line.size());
        if (image.height == 0) {
            if (width > kMaxIconSide) return detail::Fail(lineNumber, "row wider than 256 pixels");
            image.width = width;
        } else if (width != image.width) {
            return detail::Fail(lineNumber,
                                "row of " + std::to_string(width) + " pixels, expected " + std::to_string(image.width));
        }
        if (image.height == kMaxIconSide) return detail::Fail(lineNumber, "more than 256 rows");
        for (char c : line) {
            const auto it = legend.find(c);
            if (it == legend.end()) return detail::Fail(lineNumber, "'" + std::string(1, c) + "' not in the legend");
            image.pixels.push_back(it->second);
        }
        ++image.height;
    }
    if (!inPixels) return detail::Fail(lineNumber, "no 'pixels' line");
    if (image.height == 0) return detail::Fail(lineNumber, "no pixel rows");
    return {std::move(image), {}};
}

// An icon file with one entry per image: 32-bit BGRA whose alpha is 0 or 255,
// and the 1-bit AND mask that agrees with it (1 = transparent). Images must
// come from ParsePixelArt (1..256 pixels on each side).
inline std::vector<std::uint8_t> EncodeIco(const std::vector<Image>& images) {
    std::vector<std::uint8_t> out;
    detail::PutU16(out, 0);  // reserved
    detail::PutU16(out, 1);  // icon
    detail::PutU16(out, static_cast<unsigned>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const Image& image : images) {
        const std::uint32_t size = 40 + detail::ImageBytes(image);
        out.push_back(static_cast<std::uint8_t>(image.width % kMaxIconSide));  // 0 means 256
        out.push_back(static_cast<std::uint8_t>(image.height % kMaxIconSide));
        out.push_back(0);         // no palette
        out.push_back(0);         // reserved
        detail::PutU16(out, 1);   // planes
        detail::PutU16(out, 32);  // bits per pixel
        detail::PutU32(out, size);
        detail::PutU32(out, offset);
        offset += size;
    }
    for (const Image& image : images) {
        detail::PutU32(out, 40);
        detail::PutU32(out, static_cast<std::uint32_t>(image.width));
        // The height counts the colour rows and the mask rows together.
        detail::PutU32(out, static_cast<std::uint32_t>(2 * image.height));
        detail::PutU16(out, 1);
        detail::PutU16(out, 32);
        detail::PutU32(out, 0);  // uncompressed
        detail::PutU32(out, detail::ImageBytes(image));
        for (int i = 0; i < 4; ++i) detail::PutU32(out, 0);
        // Both bitmaps run bottom-up.
        for (int y = image.height - 1; y >= 0; --y) {
            for (int x = 0; x < image.width; ++x) {
                const Pixel& p = image.At(x, y);
                out.push_back(p.opaque ? p.b : 0);
                out.push_back(p.opaque ? p.g : 0);
                out.push_back(p.opaque ? p.r : 0);
                out.push_back(p.opaque ? 255 : 0);
            }
        }
        for (int y = image.height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(detail::MaskStride(image.width), 0);
            for (int x = 0; x < image.width; ++x)
                if (!image.At(x, y).opaque)
                    row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

}  // namespace lumetra::icongen
