// Following a picture on real photographs: the viewer pans, zooms, scrolls
// it half out of sight, shows another of the same proportions or another
// picture altogether, and the guide's own lines lie across the edges.
#include "overlay/fit/PictureFollower.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "overlay/fit/PictureFit.h"
#include "settings/AppSettings.h"
#include "support/Scenes.h"

namespace lumetra {

void PrintTo(const FollowAnswer& a, std::ostream* os) {
    *os << "step " << static_cast<int>(a.step) << " ";
    PrintTo(a.rect, os);
}

}  // namespace lumetra

namespace lumetra::test {
namespace {

constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1000;
constexpr std::uint32_t kPage = Grey(0x2B);

using Scaler = Photo (*)(const Photo&, int, int);

int Width(const Rect& r) { return r.right - r.left; }
int Height(const Rect& r) { return r.bottom - r.top; }

// The photo as a viewer shows it three times enlarged.
Photo Shown(const char* name, Scaler scale, double zoom = 1.0) {
    const Photo photo = TestPhoto(name);
    return scale(photo, static_cast<int>(std::lround(photo.width * 3 * zoom)),
                 static_cast<int>(std::lround(photo.height * 3 * zoom)));
}

// The part of a scene a look copies, with a guide's drawing over it: a
// guide fitted to `guide` (outline and caption strip) and, if asked, its
// grid every `grid` pixels.
struct Look {
    Look(const Scene& scene, const Rect& area, const Rect& guide, int grid) : mask(Width(area), Height(area)) {
        const ScreenImage whole = scene.Image();
        const std::size_t first = static_cast<std::size_t>(area.top) * whole.stride + area.left;
        region.image = {whole.pixels.subspan(first), Width(area), Height(area), whole.stride};
        region.origin = {area.left, area.top};
        region.drawn = &mask;
        const Rect g{guide.left - area.left, guide.top - area.top, guide.right - area.left, guide.bottom - area.top};
        mask.MarkRect({g.left, g.top, g.left + 1, g.bottom + 1});
        mask.MarkRect({g.right, g.top, g.right + 1, g.bottom + 1});
        mask.MarkRect({g.left, g.top, g.right + 1, g.top + 1});
        mask.MarkRect({g.left, g.bottom, g.right + 1, g.bottom + 1});
        mask.MarkRect({g.left, g.top - 16, g.right + 1, g.top});
        for (int x = g.left; grid > 0 && x < g.right; x += grid) mask.MarkRect({x, g.top, x + 1, g.bottom});
        for (int y = g.top; grid > 0 && y < g.bottom; y += grid) mask.MarkRect({g.left, y, g.right, y + 1});
        mask.AddGuide(g);
    }
    IgnoreMask mask;
    ScreenRegion region;
};

const Rect kMonitor{0, 0, kScreenWidth, kScreenHeight};

// What the shell does at a look: copy the region around the picture with
// the guide on it (where the follower last put it), decide, and copy a
// wider region once when asked.
FollowAnswer Follow(PictureFollower& follower, const Scene& scene, int grid = 0) {
    const Rect guide = follower.Picture();
    Rect area = follower.Region(kMonitor);
    for (int attempt = 0;; ++attempt) {
        const Look look(scene, area, guide, grid);
        const FollowAnswer answer = follower.Decide(look.region, kMonitor, attempt == 0);
        if (answer.step != FollowStep::Widen || attempt == 1) return answer;
        area = answer.rect;
    }
}

// Following starts as a fit leaves it: the whole screen copied, the guide
// still elsewhere.
PictureFollower Started(const Scene& scene, const Rect& picture) {
    PictureFollower follower;
    const Look look(scene, kMonitor, {-100, -100, -50, -50}, 0);
    follower.Start(look.region, picture);
    return follower;
}

Rect Placed(Scene& scene, const Photo& photo, Point at) { return scene.Paste(photo, at); }

// The strips a tick copies for the follower, from the scene.
std::vector<ScreenImage> StripsOf(const PictureFollower& follower, const Scene& scene) {
    std::vector<ScreenImage> images;
    const ScreenImage whole = scene.Image();
    for (const Rect& r : follower.Strips(kMonitor)) {
        images.push_back({whole.pixels.subspan(static_cast<std::size_t>(r.top) * whole.stride + r.left), Width(r),
                          Height(r), whole.stride});
    }
    return images;
}

const std::array<const char*, 4> kPhotos{"chelsea", "coffee", "rocket", "astronaut"};
const std::array<std::pair<const char*, Scaler>, 2> kScalers{
    {{"bilinear", test::ScaledBilinear}, {"nearest", test::Scaled}}};

struct Change {
    const char* name;
    Point pan;    // how far the picture's corner moves
    double zoom;  // its new size over the old, about its centre
};

// The picture moves or changes size: the guide lands exactly on it.
TEST(PictureFollowerTest, FollowsThePictureExactlyWhereverThePanOrZoomTakesIt) {
    const std::array<Change, 8> changes{{
        {"pan by 1 px", {1, 0}, 1.0},
        {"scroll up by 10 px, the top edge under the guide's caption strip", {-37, -10}, 1.0},
        {"pan by 17 px", {17, -17}, 1.0},
        {"pan by 300 px", {-300, 0}, 1.0},
        {"scroll by 17 px", {0, 17}, 1.0},
        {"zoom 0.5x", {0, 0}, 0.5},
        {"zoom 1.25x", {0, 0}, 1.25},
        {"zoom 2x", {0, 0}, 2.0},
    }};
    for (const char* name : kPhotos) {
        for (const auto& [scalerName, scale] : kScalers) {
            const Photo before = Shown(name, scale);
            for (const Change& change : changes) {
                SCOPED_TRACE(std::string(name) + ", " + scalerName + ", " + change.name);
                Scene scene(kScreenWidth, kScreenHeight, kPage);
                const Rect first = Placed(scene, before, {500, 300});
                PictureFollower follower = Started(scene, first);

                const Photo after = Shown(name, scale, change.zoom);
                const Point centre{(first.left + first.right) / 2 + change.pan.x,
                                   (first.top + first.bottom) / 2 + change.pan.y};
                Scene moved(kScreenWidth, kScreenHeight, kPage);
                const Rect second = Placed(moved, after, {centre.x - after.width / 2, centre.y - after.height / 2});

                EXPECT_EQ(Follow(follower, moved), (FollowAnswer{FollowStep::Move, second}));
                EXPECT_EQ(Follow(follower, moved), (FollowAnswer{FollowStep::Stay, second})) << "settled";
                EXPECT_FALSE(follower.Waiting());
            }
        }
    }
}

struct Cut {
    const char* name;
    Point at;  // the picture's first place
    Point pan;
    Rect view;  // where the viewer shows the page; outside, its frame
};

// Scrolled partly out of the viewer, or off the screen: three edges and the
// known size place the whole picture.
TEST(PictureFollowerTest, KeepsTheWholePictureWhenAnEdgeCutsIt) {
    const std::array<Cut, 5> cuts{{
        {"scrolled up under the viewer's toolbar", {560, 150}, {0, -150}, {0, 100, kScreenWidth, kScreenHeight}},
        {"scrolled down past the viewer's status bar", {560, 150}, {0, 200}, {0, 0, kScreenWidth, 600}},
        {"panned left past the viewer's side bar", {560, 150}, {-220, 0}, {400, 0, kScreenWidth, kScreenHeight}},
        {"panned off the screen's right", {1000, 150}, {300, 0}, kMonitor},
        {"scrolled off the screen's top", {560, 150}, {0, -190}, kMonitor},
    }};
    for (const char* name : kPhotos) {
        const Photo photo = Shown(name, test::ScaledBilinear);
        for (const Cut& cut : cuts) {
            SCOPED_TRACE(std::string(name) + ", " + cut.name);
            Scene scene(kScreenWidth, kScreenHeight, Grey(0xF0));
            scene.Fill(cut.view, kPage);
            const Rect first = Placed(scene, photo, cut.at);
            PictureFollower follower = Started(scene, first);

            const Rect whole{first.left + cut.pan.x, first.top + cut.pan.y, first.right + cut.pan.x,
                             first.bottom + cut.pan.y};
            // The viewer draws the page only inside its view.
            Scene page(kScreenWidth, kScreenHeight, kPage);
            page.Paste(photo, {whole.left, whole.top});
            Scene moved(kScreenWidth, kScreenHeight, Grey(0xF0));
            const ScreenImage shown = page.Image();
            for (int y = cut.view.top; y < cut.view.bottom; ++y) {
                for (int x = cut.view.left; x < cut.view.right; ++x) {
                    moved.Set(x, y, shown.pixels[static_cast<std::size_t>(y) * shown.stride + x]);
                }
            }
            EXPECT_EQ(Follow(follower, moved), (FollowAnswer{FollowStep::Move, whole}));
        }
    }
}

struct Trap {
    const char* name;
    std::function<void(Scene&, const Rect& picture)> change;
    FollowStep expected;
};

// Another picture of the same proportions, the picture replaced, changes
// elsewhere and the guide's own lines: the guide never goes anywhere else.
TEST(PictureFollowerTest, NeverTakesAnotherPictureForItsOwn) {
    const auto other = [](const char* name, const Rect& like) {
        return test::ScaledBilinear(TestPhoto(name), Width(like), Height(like));
    };
    const std::array<Trap, 5> traps{{
        {"another photo of the same size beside it",
         [&](Scene& s, const Rect& p) {
             s.Paste(other("coffee", p), {p.right + 40, p.top});
         },
         FollowStep::Stay},
        {"the photo replaced by another of the same size",
         [&](Scene& s, const Rect& p) {
             s.Paste(other("coffee", p), {p.left, p.top});
         },
         FollowStep::Lost},
        {"the photo gone, another 200 px away",
         [&](Scene& s, const Rect& p) {
             s.Fill(p, kPage);
             s.Paste(other("coffee", p), {p.left + 200, p.top + 30});
         },
         FollowStep::Lost},
        {"the page scrolled away", [](Scene& s, const Rect& p) { s.Fill(p, kPage); }, FollowStep::Lost},
        {"noise around it on the screen",
         [](Scene& s, const Rect& p) {
             std::uint32_t seed = 7;
             for (int y = p.top - 60; y < p.bottom + 60; ++y) {
                 for (int x = p.left - 60; x < p.right + 60; ++x) {
                     seed = seed * 1664525u + 1013904223u;
                     // A ring 40 to 60 px out: within the look, clear of the edges.
                     if (x < p.left - 40 || x >= p.right + 40 || y < p.top - 40 || y >= p.bottom + 40) {
                         s.Set(x, y, Grey(seed >> 24));
                     }
                 }
             }
         },
         FollowStep::Stay},
    }};
    const Photo photo = Shown("chelsea", test::ScaledBilinear);
    for (const Trap& trap : traps) {
        SCOPED_TRACE(trap.name);
        Scene scene(kScreenWidth, kScreenHeight, kPage);
        const Rect first = Placed(scene, photo, {400, 300});
        PictureFollower follower = Started(scene, first);
        trap.change(scene, first);
        EXPECT_EQ(Follow(follower, scene), (FollowAnswer{trap.expected, first}));
        EXPECT_EQ(follower.Waiting(), trap.expected == FollowStep::Lost);
    }
}

// A guide with a grid over the picture hides its edges and much of it.
TEST(PictureFollowerTest, SeesThePictureThroughTheGuidesOwnLines) {
    for (const int grid : {24, 32, 50}) {
        SCOPED_TRACE(grid);
        const Photo photo = Shown("rocket", test::ScaledBilinear);
        Scene scene(kScreenWidth, kScreenHeight, kPage);
        const Rect first = Placed(scene, photo, {400, 300});
        PictureFollower follower = Started(scene, first);
        EXPECT_EQ(Follow(follower, scene, grid), (FollowAnswer{FollowStep::Stay, first}));
        Scene moved(kScreenWidth, kScreenHeight, kPage);
        const Rect second = Placed(moved, photo, {417, 312});
        EXPECT_EQ(Follow(follower, moved, grid), (FollowAnswer{FollowStep::Move, second}));
    }
}

// Lost, the guide waits where it was; the same picture back under or near
// it, the guide follows it again.
TEST(PictureFollowerTest, FollowsAgainWhenTheSamePictureComesBack) {
    const struct {
        const char* name;
        Point back;  // where the picture returns, from its first place
    } returns[] = {{"at its place", {0, 0}}, {"nearby", {30, -20}}};
    const Photo photo = Shown("coffee", test::ScaledBilinear);
    for (const auto& r : returns) {
        SCOPED_TRACE(r.name);
        Scene scene(kScreenWidth, kScreenHeight, kPage);
        const Rect first = Placed(scene, photo, {400, 300});
        PictureFollower follower = Started(scene, first);
        Scene gone(kScreenWidth, kScreenHeight, kPage);
        EXPECT_EQ(Follow(follower, gone).step, FollowStep::Lost);
        EXPECT_EQ(Follow(follower, gone).step, FollowStep::Lost) << "still waiting";
        EXPECT_TRUE(follower.Waiting());

        Scene back(kScreenWidth, kScreenHeight, kPage);
        const Rect again = Placed(back, photo, {first.left + r.back.x, first.top + r.back.y});
        const FollowStep step = again == first ? FollowStep::Stay : FollowStep::Move;
        EXPECT_EQ(Follow(follower, back), (FollowAnswer{step, again}));
        EXPECT_FALSE(follower.Waiting());
    }
}

// Looks only when the strips along the edges changed, after a move, and
// now and then while waiting.
TEST(PictureFollowerTest, LooksOnlyWhenTheEdgesChanged) {
    Scene scene(kScreenWidth, kScreenHeight, kPage);
    const Rect first = Placed(scene, Shown("chelsea", test::ScaledBilinear), {400, 300});
    PictureFollower follower = Started(scene, first);
    const auto strips = [&](const Scene& s) { return StripsOf(follower, s); };
    EXPECT_TRUE(follower.LookDue(strips(scene))) << "nothing to compare with yet";
    EXPECT_FALSE(follower.LookDue(strips(scene)));
    scene.Set(700, 305, Grey(255));  // inside the picture, far from its edges
    scene.Set(50, 50, Grey(255));    // elsewhere on the screen
    EXPECT_FALSE(follower.LookDue(strips(scene)));
    scene.Set(first.right + 1, 400, Grey(255));  // just beside its right edge
    EXPECT_TRUE(follower.LookDue(strips(scene)));

    Scene gone(kScreenWidth, kScreenHeight, kPage);
    EXPECT_EQ(Follow(follower, gone).step, FollowStep::Lost);
    int looks = 0;
    for (int tick = 0; tick < 2 * PictureFollower::kWaitingLookEvery; ++tick) looks += follower.LookDue(strips(gone));
    EXPECT_EQ(looks, 2) << "the change, then one after " << PictureFollower::kWaitingLookEvery << " quiet ones";
}

// A viewer's view of a larger picture: the part from `offset` on, cut to
// the view, inside the viewer's one-pixel border.
void ShowInView(Scene& scene, const Photo& photo, const Rect& view, Point offset) {
    scene.Frame(view, 0, Grey(0x30));
    for (int y = view.top; y < view.bottom; ++y) {
        for (int x = view.left; x < view.right; ++x) {
            const int px = std::clamp(x - view.left + offset.x, 0, photo.width - 1);
            const int py = std::clamp(y - view.top + offset.y, 0, photo.height - 1);
            scene.Set(x, y, photo.pixels[static_cast<std::size_t>(py) * photo.width + px]);
        }
    }
}

const Rect kView{400, 250, 1000, 650};
constexpr std::uint32_t kLightPage = Grey(0xF0);

struct InFrame {
    const char* name;
    // The view's content at look i (0: as fitted), drawn over the view.
    std::function<void(Scene&, int look)> show;
};

// The frame stays while its content changes a little at every look: the
// guide stays on the frame, follows, and still knows the picture when the
// whole view moves afterwards.
TEST(PictureFollowerTest, StaysOnItsFrameWhileTheContentChangesInside) {
    const Photo zoomed = Shown("chelsea", test::ScaledBilinear, 2.0);
    const Photo backdrop = test::ScaledBilinear(TestPhoto("rocket"), Width(kView), Height(kView));
    const Photo sprite = test::ScaledBilinear(TestPhoto("coffee"), 90, 60);
    const std::array<InFrame, 5> cases{{
        {"a zoomed viewer panned 7 px at each look",
         [&](Scene& s, int i) {
             ShowInView(s, zoomed, kView, {300 + 7 * i, 200 + 3 * i});
         }},
        {"a zoomed viewer panned 25 px at each look",
         [&](Scene& s, int i) {
             ShowInView(s, zoomed, kView, {200 + 25 * i, 200});
         }},
        {"a zoomed viewer dragged 60 px at each look",
         [&](Scene& s, int i) {
             ShowInView(s, zoomed, kView, {120 + 60 * i, 280 - 15 * i});
         }},
        {"a video: the camera pans, something moves across",
         [&](Scene& s, int i) {
             ShowInView(s, zoomed, kView, {250 + 4 * i, 150 + 2 * i});
             s.Paste(sprite, {kView.left + 60 + 40 * i, kView.top + 150});
         }},
        {"a painting going on, stroke by stroke",
         [&](Scene& s, int i) {
             s.Paste(backdrop, {kView.left, kView.top});
             for (int k = 0; k < 12 * i; ++k) {
                 const int x = kView.left + 20 + (k * 97) % (Width(kView) - 80);
                 const int y = kView.top + 20 + (k * 53) % (Height(kView) - 60);
                 s.Fill({x, y, x + 40, y + 14}, Grey(static_cast<unsigned>(40 + (k * 37) % 200)));
             }
         }},
    }};
    constexpr int kLooks = 6;
    for (const InFrame& c : cases) {
        SCOPED_TRACE(c.name);
        Scene scene(kScreenWidth, kScreenHeight, kLightPage);
        c.show(scene, 0);
        PictureFollower follower = Started(scene, kView);
        for (int look = 1; look < kLooks; ++look) {
            Scene now(kScreenWidth, kScreenHeight, kLightPage);
            c.show(now, look);
            EXPECT_EQ(Follow(follower, now), (FollowAnswer{FollowStep::Stay, kView})) << "look " << look;
            EXPECT_FALSE(follower.Waiting()) << "look " << look;
        }
        // The whole viewer dragged, its content as the last look left it.
        Scene shown(kScreenWidth, kScreenHeight, kLightPage);
        c.show(shown, kLooks - 1);
        Scene dragged(kScreenWidth, kScreenHeight, kLightPage);
        const ScreenImage last = shown.Image();
        const Point by{-45, 30};
        for (int y = kView.top - 1; y <= kView.bottom; ++y) {
            for (int x = kView.left - 1; x <= kView.right; ++x) {
                dragged.Set(x + by.x, y + by.y, last.pixels[static_cast<std::size_t>(y) * last.stride + x]);
            }
        }
        const Rect moved{kView.left + by.x, kView.top + by.y, kView.right + by.x, kView.bottom + by.y};
        EXPECT_EQ(Follow(follower, dragged), (FollowAnswer{FollowStep::Move, moved}));
    }
}

// The viewer shows its next photo in place, at the same size or another:
// another picture, so the guide waits where it was and keeps its size; the
// first photo shown again is followed again.
TEST(PictureFollowerTest, WaitsWhileItsFrameShowsAnotherPhoto) {
    const Photo own = test::ScaledBilinear(TestPhoto("chelsea"), 600, 400);
    const struct {
        const char* name;
        const char* photo;
        Point size;
    } nexts[] = {
        {"coffee at the same size", "coffee", {600, 400}},
        {"astronaut, square, centred", "astronaut", {400, 400}},
        {"rocket, larger", "rocket", {660, 440}},
        {"hubble at the same size", "hubble", {600, 400}},
        {"a meadow at the same size", "meadow", {600, 400}},
    };
    for (const auto& next : nexts) {
        SCOPED_TRACE(next.name);
        Scene scene(kScreenWidth, kScreenHeight, kPage);
        const Rect first = Placed(scene, own, {500, 300});
        PictureFollower follower = Started(scene, first);
        Scene other(kScreenWidth, kScreenHeight, kPage);
        const Photo photo = test::ScaledBilinear(TestPhoto(next.photo), next.size.x, next.size.y);
        Placed(other, photo, {800 - photo.width / 2, 500 - photo.height / 2});
        EXPECT_EQ(Follow(follower, other), (FollowAnswer{FollowStep::Lost, first}));
        EXPECT_EQ(Follow(follower, other), (FollowAnswer{FollowStep::Lost, first})) << "still waiting";
        EXPECT_TRUE(follower.Waiting());
        EXPECT_EQ(Follow(follower, scene), (FollowAnswer{FollowStep::Stay, first})) << "the first one back";
        EXPECT_FALSE(follower.Waiting());
    }
}

struct Duplicate {
    const char* name;
    // The scene after the change; answers where the guide belongs then
    // (nothing: it waits where it was).
    std::function<std::optional<Rect>(Scene&, const Photo& own, const Rect& first)> change;
};

Photo Brighter(const Photo& photo) {
    Photo out = photo;
    for (std::uint32_t& p : out.pixels) {
        std::uint32_t q = 0;
        for (const int shift : {0, 8, 16}) {
            q |= std::min<std::uint32_t>(255, ((p >> shift) & 0xFFu) * 11 / 10) << shift;
        }
        p = q;
    }
    return out;
}

// Near-duplicates of the followed photo: a copy 10 % brighter, a thumbnail,
// the same photo again beside it. Gone, the photo is waited for, never
// replaced by one of them; moved, it is told from them.
TEST(PictureFollowerTest, NeverTakesANearDuplicateForItsOwn) {
    const std::array<Duplicate, 7> cases{{
        {"gone, a copy 10 % brighter beside it",
         [](Scene& s, const Photo& own, const Rect& p) -> std::optional<Rect> {
             s.Paste(Brighter(own), {p.right + 20, p.top});
             return std::nullopt;
         }},
        {"gone, a 0.3x thumbnail in a strip below",
         [](Scene& s, const Photo& own, const Rect& p) -> std::optional<Rect> {
             s.Paste(test::ScaledBilinear(own, own.width * 3 / 10, own.height * 3 / 10), {p.left + 40, p.bottom + 20});
             return std::nullopt;
         }},
        {"gone, the same photo beside it",
         [](Scene& s, const Photo& own, const Rect& p) -> std::optional<Rect> {
             s.Paste(own, {p.right + 10, p.top});
             return std::nullopt;
         }},
        {"replaced by its copy 10 % brighter in another frame on it",
         [](Scene& s, const Photo& own, const Rect& p) -> std::optional<Rect> {
             s.Paste(Brighter(own), {p.left + 30, p.top + 20});
             return std::nullopt;
         }},
        {"scrolled 17 px, the same photo beside it scrolled too",
         [](Scene& s, const Photo& own, const Rect& p) -> std::optional<Rect> {
             s.Paste(own, {p.right + 10, p.top + 17});
             return s.Paste(own, {p.left, p.top + 17});
         }},
        {"panned 30 px, a brighter copy beside it",
         [](Scene& s, const Photo& own, const Rect& p) -> std::optional<Rect> {
             s.Paste(Brighter(own), {p.right + 50, p.top});
             return s.Paste(own, {p.left + 30, p.top});
         }},
        {"zoomed to 0.3x about its centre, a thumbnail",
         [](Scene& s, const Photo& own, const Rect& p) -> std::optional<Rect> {
             const Photo small = test::ScaledBilinear(own, own.width * 3 / 10, own.height * 3 / 10);
             return s.Paste(small, {Centre(p).x - small.width / 2, Centre(p).y - small.height / 2});
         }},
    }};
    for (const char* name : {"chelsea", "rocket", "meadow"}) {
        const Photo own = test::ScaledBilinear(TestPhoto(name), 480, 320);
        for (const Duplicate& c : cases) {
            SCOPED_TRACE(std::string(name) + ": " + c.name);
            Scene scene(kScreenWidth, kScreenHeight, kPage);
            const Rect first = Placed(scene, own, {300, 200});
            PictureFollower follower = Started(scene, first);
            Scene changed(kScreenWidth, kScreenHeight, kPage);
            const std::optional<Rect> own_place = c.change(changed, own, first);
            if (own_place) {
                EXPECT_EQ(Follow(follower, changed), (FollowAnswer{FollowStep::Move, *own_place}));
            } else {
                EXPECT_EQ(Follow(follower, changed), (FollowAnswer{FollowStep::Lost, first}));
                EXPECT_EQ(Follow(follower, changed), (FollowAnswer{FollowStep::Lost, first})) << "still waiting";
            }
            EXPECT_EQ(follower.Waiting(), !own_place);
        }
    }
}

struct Seeking {
    const char* name;
    Rect guide;                                      // the guide's measured area when following is switched on
    std::function<std::optional<Rect>(Scene&)> lay;  // the picture under it, if one is to be taken
};

// Restored at start, or switched on from the panel or the menu, the guide
// takes the picture under its centre, as a fit does, and waits while there
// is none; then it follows that one.
TEST(PictureFollowerTest, FitsFirstWhenRestoredOrSwitchedOn) {
    const std::array<Seeking, 5> cases{{
        {"over the photo",
         {450, 300, 800, 500},
         [](Scene& s) -> std::optional<Rect> {
             return s.Paste(Shown("coffee", test::ScaledBilinear), {300, 200});
         }},
        {"over a flat artboard",
         {560, 350, 840, 560},
         [](Scene& s) -> std::optional<Rect> {
             s.Fill({500, 300, 900, 600}, Grey(255));
             return Rect{500, 300, 900, 600};
         }},
        {"larger than the photo under its centre",
         {200, 100, 1400, 900},
         [](Scene& s) -> std::optional<Rect> {
             return s.Paste(test::ScaledBilinear(TestPhoto("astronaut"), 300, 300), {650, 350});
         }},
        {"a photo under its edge, not its centre",
         {300, 300, 900, 700},
         [](Scene& s) -> std::optional<Rect> {
             s.Paste(test::ScaledBilinear(TestPhoto("rocket"), 300, 200), {200, 250});
             return std::nullopt;
         }},
        {"a plain desktop", {300, 300, 900, 700}, [](Scene&) -> std::optional<Rect> { return std::nullopt; }},
    }};
    for (const Seeking& c : cases) {
        SCOPED_TRACE(c.name);
        PictureFollower follower;
        follower.Seek(c.guide);
        EXPECT_TRUE(follower.Waiting());
        // Nothing there yet, as at sign-in: it waits.
        Scene desktop(kScreenWidth, kScreenHeight, kPage);
        EXPECT_EQ(Follow(follower, desktop), (FollowAnswer{FollowStep::Lost, c.guide}));
        Scene scene(kScreenWidth, kScreenHeight, kPage);
        const std::optional<Rect> picture = c.lay(scene);
        if (!picture) {
            EXPECT_EQ(Follow(follower, scene), (FollowAnswer{FollowStep::Lost, c.guide}));
            EXPECT_TRUE(follower.Seeking());
            continue;
        }
        EXPECT_EQ(Follow(follower, scene), (FollowAnswer{FollowStep::Found, *picture}));
        EXPECT_FALSE(follower.Waiting());
        // Then it follows that picture.
        Scene moved(kScreenWidth, kScreenHeight, kPage);
        const ScreenImage image = scene.Image();
        for (int y = picture->top; y < picture->bottom; ++y) {
            for (int x = picture->left; x < picture->right; ++x) {
                moved.Set(x + 21, y + 13, image.pixels[static_cast<std::size_t>(y) * image.stride + x]);
            }
        }
        const Rect there{picture->left + 21, picture->top + 13, picture->right + 21, picture->bottom + 13};
        EXPECT_EQ(Follow(follower, moved), (FollowAnswer{FollowStep::Move, there}));
    }
}

// The displays changed: the picture is looked for again where the guide
// now stands, and found, or waited for.
TEST(PictureFollowerTest, FindsThePictureAgainAfterADisplayChange) {
    const struct {
        const char* name;
        Point picture;  // how far the picture went
        Point guide;    // how far the guide was put
        bool found;
    } cases[] = {
        {"both where they were", {0, 0}, {0, 0}, true},
        {"both moved alike onto the new layout", {-260, 140}, {-260, 140}, true},
        {"the picture moved, the guide left where it was", {-900, 0}, {0, 0}, false},
        {"the picture gone", {5000, 5000}, {0, 0}, false},
    };
    const Photo photo = Shown("rocket", test::ScaledBilinear);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Scene scene(kScreenWidth, kScreenHeight, kPage);
        const Rect first = Placed(scene, photo, {600, 200});
        PictureFollower follower = Started(scene, first);
        const Rect guide{first.left + c.guide.x, first.top + c.guide.y, first.right + c.guide.x,
                         first.bottom + c.guide.y};
        follower.Displaced(guide);
        EXPECT_TRUE(follower.Waiting());
        Scene after(kScreenWidth, kScreenHeight, kPage);
        const Rect now = Placed(after, photo, {first.left + c.picture.x, first.top + c.picture.y});
        const FollowAnswer expected = c.found ? FollowAnswer{now == guide ? FollowStep::Stay : FollowStep::Move, now}
                                              : FollowAnswer{FollowStep::Lost, guide};
        EXPECT_EQ(Follow(follower, after), expected);
        EXPECT_EQ(follower.Waiting(), !c.found);
    }
}

// Over a scene that keeps changing in place (a video), the looks rest
// between ticks, never so long that a moved frame goes unseen for more
// than the rest allows.
TEST(PictureFollowerTest, RestsItsLooksWhileTheSceneChangesInPlace) {
    const Photo zoomed = Shown("chelsea", test::ScaledBilinear, 2.0);
    Scene scene(kScreenWidth, kScreenHeight, kPage);
    ShowInView(scene, zoomed, kView, {300, 200});
    PictureFollower follower = Started(scene, kView);
    const auto strips = [&](const Scene& s) { return StripsOf(follower, s); };
    constexpr int kTicks = 15;
    int looks = 0;
    int longest = 0;
    int since = 0;
    for (int tick = 1; tick <= kTicks; ++tick) {
        Scene now(kScreenWidth, kScreenHeight, kPage);
        ShowInView(now, zoomed, kView, {300 + 3 * tick, 200});  // a frame of the video at every tick
        ++since;
        if (!follower.LookDue(strips(now))) continue;
        ++looks;
        longest = std::max(longest, since);
        since = 0;
        EXPECT_EQ(Follow(follower, now), (FollowAnswer{FollowStep::Stay, kView})) << "tick " << tick;
    }
    EXPECT_LE(looks, kTicks / 2) << "the looks rest";
    EXPECT_LE(longest, PictureFollower::kBackOffTicks + 1) << "never longer than the rest allows";
    // The frame moves while the looks rest: seen within the rest.
    Scene dragged(kScreenWidth, kScreenHeight, kPage);
    const Rect moved{kView.left + 40, kView.top + 20, kView.right + 40, kView.bottom + 20};
    ShowInView(dragged, zoomed, moved, {300 + 3 * kTicks, 200});
    int waited = 1;
    while (!follower.LookDue(strips(dragged)) && waited <= PictureFollower::kBackOffTicks) ++waited;
    EXPECT_LE(waited, PictureFollower::kBackOffTicks + 1);
    EXPECT_EQ(Follow(follower, dragged), (FollowAnswer{FollowStep::Move, moved}));

    // A fast pan changes the picture much between two ticks: the looks keep
    // up instead of resting, or the next one would not know it.
    Scene fast(kScreenWidth, kScreenHeight, kLightPage);
    ShowInView(fast, zoomed, kView, {100, 200});
    PictureFollower keeping = Started(fast, kView);
    for (int tick = 1; tick <= 6; ++tick) {
        Scene now(kScreenWidth, kScreenHeight, kLightPage);
        ShowInView(now, zoomed, kView, {100 + 25 * tick, 200});
        ASSERT_TRUE(keeping.LookDue(StripsOf(keeping, now))) << "tick " << tick;
        EXPECT_EQ(Follow(keeping, now), (FollowAnswer{FollowStep::Stay, kView})) << "tick " << tick;
    }
}

struct FollowedPlacement {
    const char* name;
    bool lock;
    bool widthLeads;
    Rect picture;  // the guide was on {300, 200, 751, 500}: 451 x 300
    double ratio;  // what the guide keeps
};

// A zoomed picture keeps the guide's locked ratio where the setters give the
// picture's size with it; where they would not, the picture's own ratio.
TEST(PlacementFollowingTest, KeepsTheRatioWhereItGivesTheNewSizeExactly) {
    const double kept = 300.0 / 451.0;
    const FollowedPlacement cases[] = {
        {"moved", true, true, {337, 212, 788, 512}, kept},
        {"zoomed 1.5x, width leads", true, true, {100, 100, 777, 550}, kept},
        {"zoomed 1.5x, height leads", true, false, {100, 100, 777, 550}, kept},
        {"zoomed, rounded the other way", true, true, {100, 100, 777, 551}, 451.0 / 677.0},
        {"unlocked", false, true, {100, 100, 777, 550}, 450.0 / 677.0},
    };
    for (const FollowedPlacement& c : cases) {
        SCOPED_TRACE(c.name);
        TSettings settings(1920);
        settings.SetLockWidth(c.widthLeads);
        settings.SetPlacement(PlacementOnPicture(settings, {300, 200, 751, 500}));
        settings.SetLock(c.lock);
        const GuidePlacement placement = PlacementFollowing(settings, c.picture);
        EXPECT_EQ(placement.ratio, c.ratio);
        settings.SetPlacement(placement);
        EXPECT_EQ(settings.Width(), Width(c.picture));
        EXPECT_EQ(settings.Height(), Height(c.picture));
        EXPECT_EQ(placement.position,
                  (Point{c.picture.left - settings.Border(), c.picture.top - 16 - settings.Border()}));
    }
}

}  // namespace
}  // namespace lumetra::test
