#include "overlay/PictureFinder.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "support/Scenes.h"

namespace lumetra {
namespace {

using test::Centre;
using test::Grey;
using test::Photo;
using test::Scene;
using test::TestPhoto;

const std::array<const char*, 5> kPhotos{"chelsea", "coffee", "astronaut", "rocket", "hubble"};
// White, black, mid-grey, two dark interfaces and two light pages.
const std::array<std::uint32_t, 7> kBackgrounds{Grey(255), Grey(0),    Grey(128), Grey(0x1E),
                                                Grey(0x2B), Grey(0xF0), Grey(0xE6)};

TEST(PictureFinderTest, FitsEachPhotoOnEachBackground) {
    for (const char* name : kPhotos) {
        const Photo photo = TestPhoto(name);
        ASSERT_GT(photo.width, 0) << name;
        for (const std::uint32_t background : kBackgrounds) {
            SCOPED_TRACE(std::string(name) + " on " + std::to_string(background & 0xFF));
            Scene scene(photo.width + 70, photo.height + 50, background);
            const Rect e = scene.Paste(photo, {31, 23});
            // The centre, and near each corner, where a short span sees little of the rim.
            for (const Point start : {Centre(e), Point{e.left + 2, e.top + 2}, Point{e.right - 3, e.top + 9},
                                      Point{e.left + 9, e.bottom - 3}, Point{e.right - 3, e.bottom - 3}}) {
                EXPECT_EQ(scene.Find(start), e) << start.x << "," << start.y;
            }
        }
    }
}

struct Layout {
    const char* name;
    std::vector<const char*> photos;
    int gap;
    std::uint32_t background;
};

// Pictures in a row, tops aligned, each fitted alone from its centre.
TEST(PictureFinderTest, FitsOnePictureAmongItsNeighbours) {
    const std::array<Layout, 5> layouts{{
        {"two, 1 px apart on white", {"chelsea", "coffee"}, 1, Grey(255)},
        {"two, 2 px apart on a dark interface", {"rocket", "hubble"}, 2, Grey(0x1E)},
        {"two, 4 px apart on a light page", {"astronaut", "chelsea"}, 4, Grey(0xF0)},
        {"three, 3 px apart on grey", {"coffee", "rocket", "astronaut"}, 3, Grey(128)},
        {"three, 8 px apart on black", {"hubble", "chelsea", "rocket"}, 8, Grey(0)},
    }};
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        Scene scene(600, 170, layout.background);
        std::vector<Rect> placed;
        int x = 12;
        for (const char* name : layout.photos) {
            placed.push_back(scene.Paste(TestPhoto(name), {x, 20}));
            x = placed.back().right + layout.gap;
        }
        for (const Rect& expected : placed) EXPECT_EQ(scene.Find(Centre(expected)), expected);
    }
}

struct Surround {
    const char* name;
    std::function<Rect(Scene&, const Photo&)> lay;
};

TEST(PictureFinderTest, FitsThePictureWithoutItsFrameAndWithinTheScreen) {
    const std::array<Surround, 8> surrounds{{
        {"grey line 2 px outside",
         [](Scene& s, const Photo& p) {
             const Rect r = s.Paste(p, {40, 30});
             s.Frame(r, 1, Grey(0xA0));
             return r;
         }},
        {"grey line touching the picture",
         [](Scene& s, const Photo& p) {
             const Rect r = s.Paste(p, {40, 30});
             s.Frame(r, 0, Grey(0xA0));
             return r;
         }},
        {"white mat on a grey page",
         [](Scene& s, const Photo& p) {
             s.Fill({20, 12, p.width + 60, p.height + 48}, Grey(255));
             return s.Paste(p, {40, 30});
         }},
        {"page with a faint gradient and noise",
         [](Scene& s, const Photo& p) {
             for (int y = 0; y < s.Height(); ++y) {
                 for (int x = 0; x < s.Width(); ++x) {
                     s.Set(x, y, Grey(static_cast<unsigned>(200 + y / 8 + (x * 7 + y * 3) % 3)));
                 }
             }
             return s.Paste(p, {40, 30});
         }},
        {"off the left", [](Scene& s, const Photo& p) { return s.Paste(p, {-30, 30}); }},
        {"off the top", [](Scene& s, const Photo& p) { return s.Paste(p, {40, -20}); }},
        {"off the right", [](Scene& s, const Photo& p) { return s.Paste(p, {s.Width() - p.width + 25, 30}); }},
        {"off the bottom-left corner",
         [](Scene& s, const Photo& p) { return s.Paste(p, {-25, s.Height() - p.height + 20}); }},
    }};
    for (const Surround& surround : surrounds) {
        for (const char* name : kPhotos) {
            SCOPED_TRACE(std::string(surround.name) + ": " + name);
            const Photo photo = TestPhoto(name);
            Scene scene(photo.width + 80, photo.height + 60, Grey(0xE6));
            const Rect expected = surround.lay(scene, photo);
            EXPECT_EQ(scene.Find(Centre(expected)), expected);
        }
    }
}

struct Drawing {
    const char* name;
    std::function<void(Scene&, const Rect&)> mask;
    std::function<Point(const Rect&)> start;
};

// The guide's lines, labels and caption lying over the picture and its rim.
TEST(PictureFinderTest, FitsTheSameUnderTheGuidesDrawing) {
    const auto centre = [](const Rect& r) { return Centre(r); };
    // Lines every 3 px, none on the last pixel before an edge, which the mask
    // leaves to the picture's side.
    const auto grid = [](Scene& s, const Rect& r) {
        const int px = (r.right - r.left) % 3 == 1 ? r.right : r.left;
        const int py = (r.bottom - r.top) % 3 == 1 ? r.bottom : r.top;
        s.MaskGrid(3, {px % 3, py % 3});
    };
    const std::array<Drawing, 7> drawings{{
        {"grid every 3 px", grid, centre},
        {"grid every 3 px, start by the bottom edge", grid,
         [](const Rect& r) { return Point{r.left + 87, r.bottom - 3}; }},
        {"lines along the edges",
         [](Scene& s, const Rect& r) {
             for (const int x : {r.left, r.left + 2, r.right, r.right + 2}) s.MaskColumn(x);
             for (const int y : {r.top, r.top + 2, r.bottom, r.bottom + 2}) s.MaskRow(y);
         },
         centre},
        {"labels across the edges",
         [](Scene& s, const Rect& r) {
             s.Mask({r.left - 20, r.top + 10, r.left + 25, r.top + 24});
             s.Mask({r.right - 30, r.bottom - 6, r.right + 12, r.bottom + 7});
             s.Mask({r.left + 8, r.top - 9, r.left + 50, r.top + 5});
         },
         centre},
        {"start on a line",
         [](Scene& s, const Rect& r) {
             s.MaskColumn(Centre(r).x);
             s.MaskRow(Centre(r).y);
         },
         centre},
        {"fitted guide", [](Scene& s, const Rect& r) { s.MaskFittedGuide(r); }, centre},
        {"fitted guide, start on its outline", [](Scene& s, const Rect& r) { s.MaskFittedGuide(r); },
         [](const Rect& r) { return Point{r.left, Centre(r).y}; }},
    }};
    for (const Drawing& drawing : drawings) {
        for (std::size_t i = 0; i < kPhotos.size(); ++i) {
            const std::uint32_t background = kBackgrounds[(i * 3) % kBackgrounds.size()];
            SCOPED_TRACE(std::string(drawing.name) + ": " + kPhotos[i] + " on " +
                         std::to_string(background & 0xFF));
            const Photo photo = TestPhoto(kPhotos[i]);
            Scene scene(photo.width + 70, photo.height + 60, background);
            const Rect expected = scene.Paste(photo, {30, 30});
            drawing.mask(scene, expected);
            EXPECT_EQ(scene.Find(drawing.start(expected)), expected);
        }
    }
}

// Glyph-like strokes: rows of letters of three to five columns, seven rows.
void Text(Scene& scene, const Rect& area) {
    unsigned seed = 12345;
    const auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int line = area.top; line + 7 <= area.bottom; line += 12) {
        for (int x = area.left; x + 5 <= area.right;) {
            const int width = 3 + static_cast<int>(next() % 3);
            for (int stroke = 0; stroke < 4; ++stroke) {
                const int sx = x + static_cast<int>(next() % static_cast<unsigned>(width));
                const int sy = line + static_cast<int>(next() % 7);
                if (next() % 2) scene.Fill({sx, line, sx + 1, line + 7}, Grey(0x20));
                else scene.Fill({x, sy, x + width, sy + 1}, Grey(0x20));
            }
            x += width + (next() % 5 == 0 ? 5 : 1);
        }
    }
}

struct Nothing {
    const char* name;
    std::function<Point(Scene&)> lay;
};

TEST(PictureFinderTest, FindsNothingWhereNoPictureStandsOut) {
    const std::array<Nothing, 8> scenes{{
        {"plain", [](Scene&) { return Point{100, 70}; }},
        {"text, start on a letter",
         [](Scene& s) {
             Text(s, {20, 20, 230, 130});
             return Point{45, 26};
         }},
        {"text, start between lines",
         [](Scene& s) {
             Text(s, {20, 20, 230, 130});
             return Point{100, 29};
         }},
        {"gradient",
         [](Scene& s) {
             for (int x = 0; x < s.Width(); ++x) s.Fill({x, 0, x + 1, s.Height()}, Grey(static_cast<unsigned>(x)));
             return Point{120, 70};
         }},
        {"photo below the smallest size",
         [](Scene& s) { return Centre(s.Paste(test::Scaled(TestPhoto("coffee"), 56, 37), {60, 40})); }},
        {"start beside a photo",
         [](Scene& s) {
             s.Paste(TestPhoto("chelsea"), {60, 20});
             return Point{30, 70};
         }},
        {"start in the gap between photos",
         [](Scene& s) {
             s.Paste(TestPhoto("astronaut"), {10, 10});
             s.Paste(TestPhoto("coffee"), {144, 10});
             return Point{141, 60};
         }},
        {"photo filling the screen",
         [](Scene& s) { return Centre(s.Paste(test::Scaled(TestPhoto("rocket"), 256, 150), {0, 0})); }},
    }};
    for (const Nothing& nothing : scenes) {
        SCOPED_TRACE(nothing.name);
        Scene scene(256, 150, Grey(255));
        const Point start = nothing.lay(scene);
        EXPECT_EQ(scene.Find(start), std::nullopt);
    }
}

TEST(PictureFinderTest, FindsNothingForAQueryThatDoesNotFitTheImage) {
    Scene scene(200, 150, Grey(255));
    const Rect photo = scene.Paste(TestPhoto("coffee"), {20, 20});
    const ScreenImage image = scene.Image();
    const std::vector<std::uint8_t> shortMask(200 * 149, 0);
    struct Bad {
        const char* name;
        ScreenImage image;
        PictureQuery query;
    };
    const std::array<Bad, 5> bad{{
        {"start left of the image", image, {{-1, 60}, {}, 1, 1}},
        {"start below the image", image, {{60, 150}, {}, 1, 1}},
        {"mask of another size", image, {Centre(photo), shortMask, 1, 1}},
        {"stride below the width", {image.pixels, 200, 150, 199}, {Centre(photo), {}, 1, 1}},
        {"pixels short of the last row", {image.pixels.first(image.pixels.size() - 4), 200, 150, image.stride},
         {Centre(photo), {}, 1, 1}},
    }};
    ASSERT_EQ(FindPicture(image, {Centre(photo), {}, 1, 1}), photo);
    for (const Bad& b : bad) EXPECT_EQ(FindPicture(b.image, b.query), std::nullopt) << b.name;
}

}  // namespace
}  // namespace lumetra
