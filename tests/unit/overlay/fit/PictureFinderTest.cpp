#include "overlay/fit/PictureFinder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "support/Scenes.h"

namespace lumetra::test {
namespace {

const std::array<const char*, 6> kPhotos{"chelsea", "coffee", "astronaut", "rocket", "hubble", "meadow"};
// White, black, mid-grey, two dark interfaces and two light pages.
const std::array<std::uint32_t, 7> kBackgrounds{Grey(255),  Grey(0),    Grey(128), Grey(0x1E),
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
        std::vector<Rect> placed{{0, 0, 12 - layout.gap, 0}};
        for (const char* name : layout.photos) {
            placed.push_back(scene.Paste(TestPhoto(name), {placed.back().right + layout.gap, 20}));
        }
        for (std::size_t i = 1; i < placed.size(); ++i) EXPECT_EQ(scene.Find(Centre(placed[i])), placed[i]);
    }
}

struct Surround {
    const char* name;
    Point at;        // the photo's corner; the screen is 80 x 60 larger than it
    int frameGap;    // a grey line this far outside the photo; -1: none
    bool mat;        // a white mat around the photo on the grey page
    bool noisyPage;  // a page with a faint gradient and noise
};

TEST(PictureFinderTest, FitsThePictureWithoutItsFrameAndWithinTheScreen) {
    const std::array<Surround, 8> surrounds{{
        {"grey line 1 px outside", {40, 30}, 1, false, false},
        {"grey line touching the picture", {40, 30}, 0, false, false},
        {"white mat on a grey page", {40, 30}, -1, true, false},
        {"page with a faint gradient and noise", {40, 30}, -1, false, true},
        {"off the left", {-30, 30}, -1, false, false},
        {"off the top", {40, -20}, -1, false, false},
        {"off the right", {105, 30}, -1, false, false},
        {"off the bottom-left corner", {-25, 80}, -1, false, false},
    }};
    for (const Surround& surround : surrounds) {
        for (const char* name : kPhotos) {
            SCOPED_TRACE(std::string(surround.name) + ": " + name);
            const Photo photo = TestPhoto(name);
            Scene scene(photo.width + 80, photo.height + 60, Grey(0xE6));
            for (int y = 0; surround.noisyPage && y < scene.Height(); ++y) {
                for (int x = 0; x < scene.Width(); ++x) scene.Set(x, y, Grey(200u + y / 8 + (x * 7 + y * 3) % 3));
            }
            if (surround.mat) scene.Fill({20, 12, photo.width + 60, photo.height + 48}, Grey(255));
            const Rect e = scene.Paste(photo, surround.at);
            if (surround.frameGap >= 0) scene.Frame(e, surround.frameGap, Grey(0xA0));
            EXPECT_EQ(scene.Find(Centre(e)), e);
        }
    }
}

// A night photograph past the screen's corner: a dark sky above a skyline of
// towers, each a detail with plain sky beside it, from starts among them.
TEST(PictureFinderTest, FitsFromAStartAmongDetailsBelowAPlainSky) {
    Scene scene(300, 240, Grey(0xE6));
    const Rect e = scene.Paste(test::Scaled(TestPhoto("rocket"), 320, 214), {-100, 60});
    for (const Point start : {Point{2, 160}, Point{80, 166}, Point{14, 202}, Point{92, 208}, Point{62, 232}}) {
        EXPECT_EQ(scene.Find(start), e) << start.x << "," << start.y;
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
        s.MaskGrid(3, {((r.right - r.left) % 3 == 1 ? r.right : r.left) % 3,
                       ((r.bottom - r.top) % 3 == 1 ? r.bottom : r.top) % 3});
    };
    // A guide's grid over part of the picture and its rim, a line of it just
    // outside the left and top rims, or on the last column and row.
    const auto partGrid = [](bool farCorner) {
        return [farCorner](Scene& s, const Rect& r) {
            const Point phase = farCorner ? Point{r.right - 1, r.bottom - 1} : Point{r.left - 1, r.top - 1};
            const Rect area = farCorner ? Rect{r.left + 20, r.top + 15, r.right + 9, r.bottom + 9}
                                        : Rect{r.left - 9, r.top - 9, r.right - 20, r.bottom - 15};
            s.MaskGrid(3, {phase.x % 3, phase.y % 3}, area);
        };
    };
    const std::array<Drawing, 8> drawings{{
        {"grid every 3 px", grid, centre},
        {"part grid, lines outside the left and top rims", partGrid(false),
         [](const Rect& r) {
             return Point{r.left + 10, r.top + 11};
         }},
        {"part grid, lines on the last column and row", partGrid(true),
         [](const Rect& r) {
             return Point{r.right - 10, r.bottom - 11};
         }},
        {"grid every 3 px, start by the bottom edge", grid,
         [](const Rect& r) {
             return Point{r.left + 87, r.bottom - 3};
         }},
        {"lines along the edges",
         [](Scene& s, const Rect& r) {
             for (const int x : {r.left, r.left + 2, r.right, r.right + 2}) s.Mask({x, 0, x + 1, s.Height()});
             for (const int y : {r.top, r.top + 2, r.bottom, r.bottom + 2}) s.Mask({0, y, s.Width(), y + 1});
         },
         centre},
        {"labels across the edges",
         [](Scene& s, const Rect& r) {
             s.Mask({r.left - 20, r.top + 10, r.left + 25, r.top + 24});
             s.Mask({r.right - 30, r.bottom - 6, r.right + 12, r.bottom + 7});
             s.Mask({r.left + 8, r.top - 9, r.left + 50, r.top + 5});
         },
         centre},
        {"fitted guide", [](Scene& s, const Rect& r) { s.MaskFittedGuide(r); }, centre},
        {"fitted guide, start on its outline", [](Scene& s, const Rect& r) { s.MaskFittedGuide(r); },
         [](const Rect& r) {
             return Point{r.left, Centre(r).y};
         }},
    }};
    for (const Drawing& drawing : drawings) {
        for (std::size_t i = 0; i < kPhotos.size(); ++i) {
            const std::uint32_t background = kBackgrounds[(i * 3) % kBackgrounds.size()];
            SCOPED_TRACE(std::string(drawing.name) + ": " + kPhotos[i] + " on " + std::to_string(background & 0xFF));
            const Photo photo = TestPhoto(kPhotos[i]);
            Scene scene(photo.width + 70, photo.height + 60, background);
            const Rect expected = scene.Paste(photo, {30, 30});
            drawing.mask(scene, expected);
            EXPECT_EQ(scene.Find(drawing.start(expected)), expected);
        }
    }
}

// Fitted in the grid look, a guide draws a line on the picture's last column
// and row and none after them, where other looks draw their outline: the
// guide's own area tells which side the hidden line belongs to.
TEST(PictureFinderTest, FindsAGridGuidesPictureAgain) {
    for (const char* name : kPhotos) {
        SCOPED_TRACE(name);
        Scene scene(220, 170, Grey(0xE6));
        const Rect picture = scene.Paste(test::Scaled(TestPhoto(name), 151, 100), {30, 40});
        scene.MaskFittedGrid(picture, 3);
        for (const Point start : {Centre(picture), Point{picture.right - 2, picture.bottom - 2}}) {
            EXPECT_EQ(scene.Find(start), picture) << start.x << "," << start.y;
        }
    }
}

// Rows of glyph-like letters, three to five columns by seven rows, of random strokes.
void Text(Scene& scene) {
    unsigned seed = 12345;
    const auto next = [&](unsigned n) { return static_cast<int>(((seed = seed * 1103515245u + 12345u) >> 16) % n); };
    for (int line = 20; line < 124; line += 12) {
        for (int x = 20, width = 3; x < 226; x += width + (next(5) == 0 ? 5 : 1), width = 3 + next(3)) {
            for (int stroke = 0; stroke < 4; ++stroke) {
                const int sx = x + next(static_cast<unsigned>(width));
                const int sy = line + next(7);
                scene.Fill(next(2) ? Rect{sx, line, sx + 1, line + 7} : Rect{x, sy, x + width, sy + 1}, Grey(0x20));
            }
        }
    }
}

struct FlatCase {
    const char* name;
    std::uint32_t pasteboard;
    std::uint32_t board;
    std::function<void(Scene&, const Rect&)> drawing;  // the guides' lines over it
    Point start;                                       // from the board's corner
};

// An artboard or a blank canvas: a plain rectangle standing out on all four
// sides from plain surroundings of another colour, also seen through a
// guide's lines and from a start on its outline.
TEST(PictureFinderTest, FitsAFlatPictureOnPlainSurroundings) {
    const auto none = [](Scene&, const Rect&) {};
    const std::array<FlatCase, 6> cases{{
        {"white artboard on a dark pasteboard", Grey(0x50), Grey(255), none, {150, 100}},
        {"blank canvas barely lighter than a white page", Grey(0xF6), Grey(255), none, {20, 180}},
        {"coloured board on a light pasteboard", Grey(0xE6), 0x3050A0u, none, {290, 5}},
        {"under the guide fitted to it",
         Grey(0x50),
         Grey(255),
         [](Scene& s, const Rect& r) { s.MaskFittedGuide(r); },
         {150, 100}},
        {"from the fitted guide's outline",
         Grey(0x2B),
         Grey(0xF0),
         [](Scene& s, const Rect& r) { s.MaskFittedGuide(r); },
         {0, 100}},
        {"under a grid every 3 px",
         Grey(0x50),
         Grey(255),
         [](Scene& s, const Rect&) {
             s.MaskGrid(3, {2, 0});
         },
         {150, 100}},
    }};
    for (const FlatCase& c : cases) {
        SCOPED_TRACE(c.name);
        Scene scene(400, 300, c.pasteboard);
        const Rect board{40, 30, 340, 230};
        scene.Fill(board, c.board);
        c.drawing(scene, board);
        EXPECT_EQ(scene.Find({board.left + c.start.x, board.top + c.start.y}), board);
    }
}

TEST(PictureFinderTest, FindsNothingWhereNoPictureStandsOut) {
    const std::array<std::pair<const char*, std::function<Point(Scene&)>>, 11> scenes{{
        {"plain",
         [](Scene&) {
             return Point{100, 70};
         }},
        {"text, start on a letter",
         [](Scene& s) {
             return Text(s), Point{45, 26};
         }},
        {"text, start between lines",
         [](Scene& s) {
             return Text(s), Point{100, 29};
         }},
        {"gradient",
         [](Scene& s) {
             for (int x = 0; x < s.Width(); ++x) s.Fill({x, 0, x + 1, s.Height()}, Grey(static_cast<unsigned>(x)));
             return Point{120, 70};
         }},
        {"photo below the smallest size",
         [](Scene& s) {
             return Centre(s.Paste(test::Scaled(TestPhoto("coffee"), 56, 37), {60, 40}));
         }},
        {"start beside a photo",
         [](Scene& s) {
             return s.Paste(TestPhoto("chelsea"), {60, 20}), Point{30, 70};
         }},
        {"start in the gap between photos",
         [](Scene& s) {
             s.Paste(TestPhoto("astronaut"), {10, 10});
             return s.Paste(TestPhoto("coffee"), {144, 10}), Point{141, 60};
         }},
        {"photo filling the screen",
         [](Scene& s) {
             return Centre(s.Paste(test::Scaled(TestPhoto("rocket"), 256, 150), {0, 0}));
         }},
        {"a page's margin beside a photo and text",
         [](Scene& s) {
             Text(s);
             return s.Paste(test::Scaled(TestPhoto("coffee"), 90, 60), {150, 80}), Point{8, 140};
         }},
        {"a plain panel reaching the screen's edge",
         [](Scene& s) {
             s.Fill({40, 30, 256, 120}, Grey(0xC0));
             return Point{150, 70};
         }},
        {"a plain band between two photos",
         [](Scene& s) {
             s.Paste(test::Scaled(TestPhoto("chelsea"), 256, 50), {0, 0});
             s.Paste(test::Scaled(TestPhoto("rocket"), 256, 50), {0, 100});
             return Point{128, 75};
         }},
    }};
    for (const auto& [name, lay] : scenes) {
        Scene scene(256, 150, Grey(255));
        const Point start = lay(scene);
        EXPECT_EQ(scene.Find(start), std::nullopt) << name;
    }
}

// Screen copies of real viewers showing a test photograph at 1 : 1, with the
// picture's rectangle there (see tests/data/screens): the window manager's
// title bar and one-pixel border, toolbars, a status bar, a browser's
// toolbar, an editor's rulers and scroll bars, on light and dark themes.
struct ViewerCase {
    const char* screen;
    Rect picture;
};

const std::array<ViewerCase, 11> kViewers{{
    {"feh-light", {7, 26, 187, 146}},          // title bar above, border on the other sides
    {"feh-dark", {8, 25, 158, 125}},           //
    {"gpicview-light", {197, 26, 325, 154}},   // title bar above, toolbar below, background beside
    {"gpicview-dark", {182, 25, 342, 132}},    //
    {"ristretto-light", {296, 93, 436, 215}},  // toolbar above, status bar below
    {"ristretto-dark", {277, 92, 457, 212}},   //
    {"chromium-light", {10, 93, 160, 193}},    // toolbar above, window border on the left, page
    {"chromium-dark", {10, 93, 170, 200}},     //
    {"editor-light", {30, 30, 158, 158}},      // rulers above and on the left, pasteboard
    {"editor-dark", {30, 30, 161, 107}},       // rulers and both scroll bars
    {"editor-scrolled", {91, 71, 241, 181}},   // pasteboard, both scroll bars
}};

// What starts spread over a screen copy found.
struct Sweep {
    int onPicture = 0;
    int wrong = 0;    // a rectangle other than the picture
    int nothing = 0;  // from a start on the picture
    int offPicture = 0;
    int foundOff = 0;   // anything, from a start off the picture
    std::string first;  // the first start that went wrong, and what it found
};

// Starts every `step` pixels on the picture and every `offStep` off it.
Sweep SweepStarts(const Scene& scene, const Rect& picture, int step, int offStep) {
    Sweep sweep;
    const auto note = [&](Point start, const std::optional<Rect>& found) {
        if (sweep.first.empty()) {
            sweep.first = std::to_string(start.x) + "," + std::to_string(start.y) + " found " +
                          (found ? ::testing::PrintToString(*found) : "nothing");
        }
    };
    for (int y = 0; y < scene.Height(); ++y) {
        for (int x = 0; x < scene.Width(); ++x) {
            const bool on = x >= picture.left && x < picture.right && y >= picture.top && y < picture.bottom;
            if (on ? (x % step != 0 || y % step != 0) : (x % offStep != 0 || y % offStep != 0)) continue;
            const std::optional<Rect> found = scene.Find({x, y});
            if (on) {
                ++sweep.onPicture;
                if (found == picture) continue;
                ++(found ? sweep.wrong : sweep.nothing);
            } else {
                ++sweep.offPicture;
                if (!found) continue;
                ++sweep.foundOff;
            }
            note({x, y}, found);
        }
    }
    return sweep;
}

// Every start on the picture finds it exactly, whichever parts of the frame
// it touches; a start on the frame, the viewer's background or the desktop
// finds nothing.
TEST(PictureFinderTest, FitsAPictureTouchingItsViewersFrameExactly) {
    for (const ViewerCase& viewer : kViewers) {
        SCOPED_TRACE(viewer.screen);
        const test::Photo screen = test::ViewerScreen(viewer.screen);
        ASSERT_GT(screen.width, 0);
        const Sweep sweep = SweepStarts(Scene(screen), viewer.picture, 4, 12);
        EXPECT_GT(sweep.onPicture, 500);
        EXPECT_EQ(sweep.wrong + sweep.nothing + sweep.foundOff, 0)
            << sweep.wrong << " wrong and " << sweep.nothing << " missed of " << sweep.onPicture
            << " starts on the picture; " << sweep.foundOff << " found of " << sweep.offPicture
            << " off it; first: " << sweep.first;
    }
}

struct PlainRim {
    const char* name;
    const char* screen;
    int side;  // 0 left, 1 top, 2 right, 3 bottom: where the sky lies
};

// A photograph with a clear sky along the side where it touches its
// viewer's frame: the sky's outermost line is one colour, the lines inward
// vary a little, as a real sky does. That line differs from the frame's
// beside it, so it is the picture's, and every start on the picture fits it
// exactly; off it, nothing is found still.
TEST(PictureFinderTest, FitsAPictureWhoseEdgeLineIsPlainAgainstItsFrame) {
    const std::array<PlainRim, 5> rims{{
        {"sky row under a light title bar", "feh-light", 1},
        {"sky row under a dark title bar", "feh-dark", 1},
        {"sky row under a toolbar", "ristretto-light", 1},
        {"burnt-out row over a status bar", "ristretto-dark", 3},
        {"plain column beside a window border", "chromium-light", 0},
    }};
    for (const PlainRim& rim : rims) {
        SCOPED_TRACE(rim.name);
        const auto viewer = std::find_if(kViewers.begin(), kViewers.end(),
                                         [&](const ViewerCase& v) { return std::string(v.screen) == rim.screen; });
        ASSERT_NE(viewer, kViewers.end());
        Scene scene(test::ViewerScreen(rim.screen));
        const Rect& p = viewer->picture;
        // Twelve lines of sky, the outermost one colour, the others with a
        // grain of one level.
        constexpr int kSky = 12;
        std::uint32_t seed = 99;
        for (int y = p.top; y < p.bottom; ++y) {
            for (int x = p.left; x < p.right; ++x) {
                const int depth = rim.side == 0   ? x - p.left
                                  : rim.side == 1 ? y - p.top
                                  : rim.side == 2 ? p.right - 1 - x
                                                  : p.bottom - 1 - y;
                if (depth >= kSky) continue;
                seed = seed * 1664525u + 1013904223u;
                const std::uint32_t grain = depth == 0 ? 0 : (seed >> 30) & 1u;
                scene.Set(x, y, 0x87CEEBu - static_cast<std::uint32_t>(depth) * 0x010101u + grain * 0x010101u);
            }
        }
        const Sweep sweep = SweepStarts(scene, p, 12, 24);
        EXPECT_EQ(sweep.wrong + sweep.nothing + sweep.foundOff, 0)
            << sweep.wrong << " wrong, " << sweep.nothing << " missed, " << sweep.foundOff
            << " found off it; first: " << sweep.first;
    }
}

TEST(PictureFinderTest, FindsNothingForAQueryThatDoesNotFitTheImage) {
    Scene scene(200, 150, Grey(255));
    const Point start = Centre(scene.Paste(TestPhoto("coffee"), {20, 20}));
    const ScreenImage image = scene.Image();
    const std::vector<std::uint8_t> shortMask(200 * 149, 0);
    const std::array<std::pair<ScreenImage, PictureQuery>, 6> bad{{
        {image, {{-1, 60}, {}, {}, 1, 1}},
        {image, {{60, 150}, {}, {}, 1, 1}},
        {image, {start, shortMask, {}, 1, 1}},
        {{image.pixels, 200, 150, 199}, {start, {}, {}, 1, 1}},
        {{image.pixels.first(image.pixels.size() - 4), 200, 150, image.stride}, {start, {}, {}, 1, 1}},
        {{image.pixels, 0, 150, image.stride}, {{0, 0}, {}, {}, 1, 1}},
    }};
    ASSERT_TRUE(FindPicture(image, {start, {}, {}, 1, 1}));
    for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_EQ(FindPicture(bad[i].first, bad[i].second), std::nullopt) << i;
}

}  // namespace
}  // namespace lumetra::test
