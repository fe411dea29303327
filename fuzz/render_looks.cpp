// Settings files of arbitrary bytes, then the whole overlay picture in every
// look and orientation: each paint must finish, stay on coordinates of a
// sane size and draw a bounded number of things.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "FuzzCheck.h"
#include "lang/LangTable.h"
#include "canvas/Canvas.h"
#include "overlay/compose/Compose.h"
#include "overlay/lookfiles/LookLibrary.h"
#include "overlay/looks/Looks.h"
#include "settings/AppSettings.h"
#include "support/FakePlatformFiles.h"

namespace {

using lumetra::Canvas;
using lumetra::Color;
using lumetra::Rect;

// Far beyond any window the bounded sizes allow, far below overflow.
constexpr int kCoordinateLimit = 1 << 24;
// The densest look is the grid at the smallest step on the largest window,
// about 11000 lines; the spiral looks stay within 4 x 4001 segments. A halo
// draws every line twice and every label nine times.
constexpr std::size_t kCallLimit = 200000;
constexpr std::size_t kTextLimit = 4096;

class CheckingCanvas final : public Canvas {
public:
    void MoveTo(int x, int y) override { Point(x, y); }
    void LineTo(int x, int y) override { Point(x, y); }
    void Ellipse(const Rect& box) override { Box(box); }
    void TextOut(int x, int y, std::string_view text) override {
        Point(x, y);
        Text(text);
    }
    lumetra::TextSize TextExtent(std::string_view text) override {
        Text(text);
        return {static_cast<int>(text.size()) * 6, 11};
    }
    void BoxText(const Rect& box, std::string_view text, lumetra::BoxPlacement) override {
        Box(box);
        Text(text);
    }
    void SetFontAngle(float degrees) override { FUZZ_CHECK(degrees == 0 || degrees == 90, "an unknown font angle"); }
    void SetPenColor(Color) override {}
    void SetPenWidth(int width) override { FUZZ_CHECK(width >= 1 && width <= 10, "a pen width out of bounds"); }
    void SetFontHeight(int height) override { FUZZ_CHECK(height >= 8 && height <= 44, "a font height out of bounds"); }
    void SetTextColor(Color) override {}
    void Fill(const Rect& area, Color) override { Box(area); }
    void DrawIcon(lumetra::FrameIcon, int x, int y) override { Point(x, y); }

private:
    void Count() { FUZZ_CHECK(++calls_ <= kCallLimit, "a paint draws without bound"); }
    void Point(int x, int y) {
        Count();
        FUZZ_CHECK(std::abs(x) < kCoordinateLimit && std::abs(y) < kCoordinateLimit, "a coordinate out of all bounds");
    }
    void Box(const Rect& box) {
        Point(box.left, box.top);
        Point(box.right, box.bottom);
    }
    void Text(std::string_view text) { FUZZ_CHECK(text.size() <= kTextLimit, "a text out of all bounds"); }

    std::size_t calls_ = 0;
};

// The English texts, so labels and captions are drawn as the program does.
lumetra::LangTable& Texts() {
    static lumetra::LangTable table = [] {
        lumetra::LangTable loaded;
        std::ifstream file(LUMETRA_SOURCE_DIR "/lang/English.lng", std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        lumetra::test::StringByteReader reader(std::move(bytes));
        std::string key;
        std::string value;
        while (lumetra::ReadLangEntry(reader, key, value)) loaded.Merge(key, value);
        return loaded;
    }();
    return table;
}

void Paint(const lumetra::TSettings& settings) {
    CheckingCanvas canvas;
    lumetra::ComposeBuffer(lumetra::GuidePictureOf(settings, true), lumetra::LookLibrary{}, Texts(), canvas);
    lumetra::DrawOrientGlyph(canvas, lumetra::GuidePictureOf(settings));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumetra::TSettings settings(1280);
    settings.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size), '.');
    // The file's own look and orientation first, whatever their values.
    Paint(settings);
    for (std::int32_t look = 0; look < lumetra::kLookCount; ++look) {
        for (std::int32_t orient = 0; orient < 4; ++orient) {
            settings.SetLookMode(look);
            settings.SetOrientMode(orient);
            Paint(settings);
        }
    }
    return 0;
}
