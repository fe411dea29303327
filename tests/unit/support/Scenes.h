#pragma once
// Screens for the picture finder: the test photographs (binary P6 files)
// laid on backgrounds, frames and neighbours, and masks of what a guide
// draws over them.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <png.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/Types.h"
#include "overlay/fit/PictureFinder.h"

namespace lumetra {

inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

}  // namespace lumetra

namespace lumetra::test {

// 0x00RRGGBB, as the screen capture holds pixels.
constexpr std::uint32_t Grey(unsigned level) { return level * 0x010101u; }

struct Photo {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// An 8-bit binary P6 file; empty on any other content.
inline Photo ReadPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    int maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get();  // the one whitespace byte before the samples
    if (!in || magic != "P6" || maxValue != 255 || width <= 0 || height <= 0) return {};
    std::vector<unsigned char> bytes(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) return {};
    Photo photo{width, height, {}};
    photo.pixels.reserve(bytes.size() / 3);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        photo.pixels.push_back((std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2]);
    }
    return photo;
}

// A PNG file as 8-bit RGB; empty when it cannot be read.
inline Photo ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    Photo photo{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    photo.pixels.reserve(bytes.size() / 3);
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        photo.pixels.push_back((std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2]);
    }
    return photo;
}

#ifdef LUMETRA_SOURCE_DIR
inline Photo TestPhoto(const std::string& name) {
    return ReadPpm(std::string(LUMETRA_SOURCE_DIR) + "/tests/data/photos/" + name + ".ppm");
}
// A screen copy of a real program showing a test photograph.
inline Photo ViewerScreen(const std::string& name) {
    return ReadPng(std::string(LUMETRA_SOURCE_DIR) + "/tests/data/screens/" + name + ".png");
}
#endif

// Nearest-neighbour scaling.
inline Photo Scaled(const Photo& photo, int width, int height) {
    Photo out{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>(static_cast<long long>(x) * photo.width / width);
            const int sy = static_cast<int>(static_cast<long long>(y) * photo.height / height);
            out.pixels[static_cast<std::size_t>(y) * width + x] =
                photo.pixels[static_cast<std::size_t>(sy) * photo.width + sx];
        }
    }
    return out;
}

// Bilinear scaling with the pixel centres aligned, as image viewers zoom.
inline Photo ScaledBilinear(const Photo& photo, int width, int height) {
    Photo out{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    const auto at = [&](int x, int y, int shift) {
        x = std::clamp(x, 0, photo.width - 1);
        y = std::clamp(y, 0, photo.height - 1);
        return static_cast<double>((photo.pixels[static_cast<std::size_t>(y) * photo.width + x] >> shift) & 0xFFu);
    };
    for (int y = 0; y < height; ++y) {
        const double fy = (y + 0.5) * photo.height / height - 0.5;
        const int y0 = static_cast<int>(std::floor(fy));
        const double ty = fy - y0;
        for (int x = 0; x < width; ++x) {
            const double fx = (x + 0.5) * photo.width / width - 0.5;
            const int x0 = static_cast<int>(std::floor(fx));
            const double tx = fx - x0;
            std::uint32_t pixel = 0;
            for (const int shift : {0, 8, 16}) {
                const double top = at(x0, y0, shift) * (1 - tx) + at(x0 + 1, y0, shift) * tx;
                const double bottom = at(x0, y0 + 1, shift) * (1 - tx) + at(x0 + 1, y0 + 1, shift) * tx;
                pixel |= static_cast<std::uint32_t>(std::lround(top * (1 - ty) + bottom * ty)) << shift;
            }
            out.pixels[static_cast<std::size_t>(y) * width + x] = pixel;
        }
    }
    return out;
}

// A captured screen and the mask of a guide's drawing over it. Rows are
// `stride` pixels apart, wider than the screen, as a capture buffer may be.
class Scene {
public:
    Scene(int width, int height, std::uint32_t background, int padding = 3)
        : width_(width),
          height_(height),
          stride_(width + padding),
          pixels_(static_cast<std::size_t>(stride_) * height, 0xFF00FF00u),
          mask_(static_cast<std::size_t>(width) * height, 0) {
        Fill({0, 0, width, height}, background);
    }

    // A screen copy as it was captured.
    explicit Scene(const Photo& screen) : Scene(screen.width, screen.height, 0) { Paste(screen, {0, 0}); }

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Set(int x, int y, std::uint32_t colour) {
        if (x >= 0 && x < width_ && y >= 0 && y < height_) pixels_[Index(x, y)] = colour;
    }
    void Fill(const Rect& area, std::uint32_t colour) {
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) Set(x, y, colour);
        }
    }
    // The photo with its top-left corner at `at`, cut to the screen; answers
    // the visible rectangle.
    Rect Paste(const Photo& photo, Point at) {
        for (int y = 0; y < photo.height; ++y) {
            for (int x = 0; x < photo.width; ++x) {
                Set(at.x + x, at.y + y, photo.pixels[static_cast<std::size_t>(y) * photo.width + x]);
            }
        }
        return {std::max(at.x, 0), std::max(at.y, 0), std::min(at.x + photo.width, width_),
                std::min(at.y + photo.height, height_)};
    }
    // A one-pixel outline `gap` pixels outside the rectangle.
    void Frame(const Rect& around, int gap, std::uint32_t colour) {
        const Rect f{around.left - gap - 1, around.top - gap - 1, around.right + gap + 1, around.bottom + gap + 1};
        Fill({f.left, f.top, f.right, f.top + 1}, colour);
        Fill({f.left, f.bottom - 1, f.right, f.bottom}, colour);
        Fill({f.left, f.top, f.left + 1, f.bottom}, colour);
        Fill({f.right - 1, f.top, f.right, f.bottom}, colour);
    }

    void Mask(const Rect& area) {
        for (int y = std::max(area.top, 0); y < std::min(area.bottom, height_); ++y) {
            for (int x = std::max(area.left, 0); x < std::min(area.right, width_); ++x) {
                mask_[static_cast<std::size_t>(y) * width_ + x] = 1;
            }
        }
    }
    // Grid lines over the whole screen every `period` pixels from `phase`.
    void MaskGrid(int period, Point phase) { MaskGrid(period, phase, {0, 0, width_, height_}); }
    // The same within an area, as a guide smaller than the screen draws them.
    void MaskGrid(int period, Point phase, const Rect& area) {
        for (int x = phase.x; x < area.right; x += period) Mask({x, area.top, x + 1, area.bottom});
        for (int y = phase.y; y < area.bottom; y += period) Mask({area.left, y, area.right, y + 1});
    }
    // What a guide fitted to `picture` draws: its outline on the first column
    // and row and on the column and row after the last, the caption strip on
    // the sixteen rows above.
    void MaskFittedGuide(const Rect& picture) {
        Mask({picture.left, picture.top, picture.left + 1, picture.bottom + 1});
        Mask({picture.right, picture.top, picture.right + 1, picture.bottom + 1});
        Mask({picture.left, picture.top, picture.right + 1, picture.top + 1});
        Mask({picture.left, picture.bottom, picture.right + 1, picture.bottom + 1});
        Mask({picture.left, picture.top - 16, picture.right + 1, picture.top});
        guides_.push_back(picture);
    }
    // What a guide fitted to `picture` draws in the grid look: lines from its
    // first column and row every `step` pixels, none after its last, and the
    // caption strip above.
    void MaskFittedGrid(const Rect& picture, int step) {
        for (int x = picture.left; x < picture.right; x += step) Mask({x, picture.top, x + 1, picture.bottom});
        for (int y = picture.top; y < picture.bottom; y += step) Mask({picture.left, y, picture.right, y + 1});
        Mask({picture.left, picture.top - 16, picture.right, picture.top});
        guides_.push_back(picture);
    }

    ScreenImage Image() const { return {pixels_, width_, height_, stride_}; }

    std::optional<Rect> Find(Point start, bool masked = true, int minWidth = 58, int minHeight = 16) const {
        PictureQuery query;
        query.start = start;
        if (masked) {
            query.ignore = mask_;
            query.guides = guides_;
        }
        query.minWidth = minWidth;
        query.minHeight = minHeight;
        return FindPicture(Image(), query);
    }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * stride_ + x; }

    int width_;
    int height_;
    int stride_;
    std::vector<std::uint32_t> pixels_;
    std::vector<std::uint8_t> mask_;
    std::vector<Rect> guides_;  // the measured areas of the guides masked in
};

inline Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace lumetra::test
