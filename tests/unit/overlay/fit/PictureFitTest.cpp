// Fitting a guide to a found picture: the placement, its way through the
// setters as a typed ratio goes, the one step back, and where the search starts.
#include <gtest/gtest.h>

#include <array>

#include <cstdint>
#include <optional>
#include <vector>

#include "overlay/fit/PictureFit.h"
#include "panel/PanelFixture.h"

namespace lumetra::test {
namespace {

struct PlacementCase {
    const char* name;
    bool lock;
    bool widthLeads;
    std::int32_t border;
    Rect picture;
    Point position;  // where the window goes
};

TEST_F(PanelTest, FitLaysTheMeasuredAreaOntoThePicture) {
    const PlacementCase cases[] = {
        {"unlocked, width leads", false, true, 12, {300, 200, 751, 500}, {288, 172}},
        {"locked, height leads", true, false, 12, {300, 200, 751, 500}, {288, 172}},
        // Taller than wide, and a ratio the old one would have cut short.
        {"portrait, no border", true, true, 0, {40, 30, 100, 930}, {40, 14}},
        {"wide strip", false, false, 30, {0, 500, 1600, 516}, {-30, 454}},
        {"square", true, true, 5, {10, 10, 210, 210}, {5, -11}},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        settings.RestoreDefaults();
        settings.SetLock(c.lock);
        settings.SetLockWidth(c.widthLeads);
        settings.SetBorder(c.border);
        StartPanel();
        const std::size_t items = view.items[PanelList::Ratio].size();

        const GuidePlacement placement = PlacementOnPicture(settings, c.picture);
        settings.SetPlacement(placement);

        const std::int32_t width = c.picture.right - c.picture.left;
        const std::int32_t height = c.picture.bottom - c.picture.top;
        EXPECT_EQ(placement.position, c.position);
        EXPECT_EQ(settings.Width(), width);
        EXPECT_EQ(settings.Height(), height);
        EXPECT_EQ(settings.Ratio(), static_cast<double>(height) / width);
        EXPECT_TRUE(settings.Lock());
        EXPECT_EQ(settings.LockWidth(), c.widthLeads);
        EXPECT_EQ(settings.Border(), c.border);
        EXPECT_EQ(CurrentPlacement(settings, c.position), placement);
        // The panel shows the new ratio as a typed one: in the box, and as a
        // new last item unless a preset has it.
        if (width != height) {
            EXPECT_EQ(view.items[PanelList::Ratio].size(), items + 1);
            EXPECT_EQ(view.ratioText, view.items[PanelList::Ratio].back());
        }
    }
}

TEST_F(PanelTest, UndoPutsTheGuideBackOnlyWhileItStandsAsFitted) {
    struct Case {
        const char* name;
        bool lock;
        bool touched;  // moved after the fit
        bool undone;
    };
    const Case cases[] = {
        {"locked before", true, false, true},
        {"unlocked before", false, false, true},
        {"moved since", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.RestoreDefaults();
        settings.SetLock(c.lock);
        settings.SetHeight(301);
        const GuidePlacement before = CurrentPlacement(settings, {100, 80});
        const GuidePlacement after = PlacementOnPicture(settings, {200, 150, 640, 480});
        settings.SetPlacement(after);
        FitUndo undo;
        undo.Remember(before, after);

        const Point now = c.touched ? Point{after.position.x + 16, after.position.y} : after.position;
        const std::optional<GuidePlacement> back = undo.Take(CurrentPlacement(settings, now));
        ASSERT_EQ(back.has_value(), c.undone);
        EXPECT_FALSE(undo.Take(CurrentPlacement(settings, now)).has_value()) << "one step only";
        if (!back) continue;
        settings.SetPlacement(*back);
        EXPECT_EQ(CurrentPlacement(settings, back->position), before);
    }
}

// A textured block on a white screen, at (40, 30) to (240, 150).
std::vector<std::uint32_t> BlockScreen(int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0x00FFFFFF);
    for (int y = 30; y < 150; ++y) {
        for (int x = 40; x < 240; ++x) {
            const auto shade = static_cast<std::uint32_t>((x * 7 + y * 13) % 96 + 40);
            pixels[static_cast<std::size_t>(y * width + x)] = shade * 0x010101u;
        }
    }
    return pixels;
}

TEST(PictureFit, SearchStartsInTurnAndAnswersInScreenPixels) {
    constexpr int kWidth = 320;
    constexpr int kHeight = 200;
    const std::vector<std::uint32_t> pixels = BlockScreen(kWidth, kHeight);
    const ScreenImage image{pixels, kWidth, kHeight, kWidth};
    const Point origin{-1000, 50};  // a monitor left of the primary one
    const Rect onScreen{-960, 80, -760, 200};
    struct Case {
        const char* name;
        std::vector<Point> starts;
        std::optional<Rect> found;
    };
    const Case cases[] = {
        {"on the picture", {{-900, 120}}, onScreen},
        {"background first, then the picture", {{-990, 55}, {-900, 120}}, onScreen},
        {"off the image, then the picture", {{0, 0}, {-900, 120}}, onScreen},
        {"background only", {{-990, 55}}, std::nullopt},
        {"no start", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindPictureFrom(image, origin, IgnoreMask(kWidth, kHeight), c.starts), c.found);
    }
}

TEST(PictureFit, MaskMarksWhatAWindowDrewWhereItLies) {
    constexpr std::uint32_t kKey = 0x00FE00FE;
    // A 3 x 2 picture in rows of 4: a line on its middle column, and a pixel
    // past each row's end that must never be read as picture.
    const std::vector<std::uint32_t> picture = {kKey, 0x1, kKey, 0x7, kKey, 0x2, kKey, 0x7};
    struct Case {
        const char* name;
        Point at;
        std::vector<int> marked;  // image pixels, row-major in a 4 x 3 image
    };
    const Case cases[] = {
        {"inside", {1, 1}, {6, 10}},
        {"off the left", {-1, 0}, {0, 4}},
        {"off the bottom right", {2, 2}, {11}},
        {"far away", {1 << 30, -(1 << 30)}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IgnoreMask mask(4, 3);
        mask.MarkDrawn(c.at, picture, 4, 3, 2, kKey);
        std::vector<int> marked;
        for (std::size_t i = 0; i < mask.Bytes().size(); ++i) {
            if (mask.Bytes()[i] != 0) marked.push_back(static_cast<int>(i));
        }
        EXPECT_EQ(marked, c.marked);
    }
}

// Two copies agree on their pixels alone: the padding past each row and the
// top byte are no part of them; any pixel, or the size, tells them apart.
TEST(PictureFit, CopiesOfTheScreenAgreeOnlyPixelForPixel) {
    const auto image = [](const std::vector<std::uint32_t>& pixels, int width, int height, int stride) {
        return ScreenImage{pixels, width, height, stride};
    };
    // Two rows of three pixels and one of padding.
    const std::vector<std::uint32_t> copy{1, 2, 3, 0xAA, 4, 5, 6, 0xBB};
    const std::vector<std::uint32_t> sameOtherwisePadded{0xFF000001, 2, 3, 0xCC, 4, 5, 0x7F000006, 0xDD};
    const std::vector<std::uint32_t> lastPixelChanged{1, 2, 3, 0xAA, 4, 5, 7, 0xBB};
    const struct {
        const char* name;
        ScreenImage other;
        bool same;
    } cases[] = {
        {"the same pixels, other padding and top bytes", image(sameOtherwisePadded, 3, 2, 4), true},
        {"the last pixel changed", image(lastPixelChanged, 3, 2, 4), false},
        {"one row only", image(copy, 3, 1, 4), false},
        {"a column fewer", image(copy, 2, 2, 4), false},
        {"rows further apart than the pixels hold", image(copy, 3, 2, 6), false},
    };
    for (const auto& c : cases) EXPECT_EQ(SameScreen(image(copy, 3, 2, 4), c.other), c.same) << c.name;
    EXPECT_FALSE(SameScreen(image({}, 0, 0, 0), image({}, 0, 0, 0))) << "nothing copied";
}

// A later copy of part of the screen agrees with the first where it lies in
// it, pixel for pixel; lying partly outside, it agrees with nothing.
TEST(PictureFit, APartCopiedAgainAgreesWithTheWholeCopyWhereItLies) {
    // Three rows of four pixels and a column of padding, from (10, 20) on the screen.
    const std::vector<std::uint32_t> whole{1, 2, 3, 4, 0xAA, 5, 6, 7, 8, 0xBB, 9, 10, 11, 12, 0xCC};
    const ScreenImage first{whole, 4, 3, 5};
    const std::vector<std::uint32_t> middle{0xFF000006, 7, 10, 11};  // (11, 21), 2 x 2
    const std::vector<std::uint32_t> changed{6, 7, 10, 99};
    const struct {
        const char* name;
        std::vector<std::uint32_t> pixels;
        Point at;
        int width;
        bool same;
    } cases[] = {
        {"the same pixels, another top byte", middle, {11, 21}, 2, true},
        {"one pixel changed", changed, {11, 21}, 2, false},
        {"the same pixels a column off", middle, {12, 21}, 2, false},
        {"reaching past the first copy", middle, {13, 21}, 2, false},
        {"above the first copy", middle, {11, 19}, 2, false},
        {"nothing copied", {}, {11, 21}, 0, false},
    };
    for (const auto& c : cases) {
        const ScreenImage part{c.pixels, c.width, c.width == 0 ? 0 : 2, c.width};
        EXPECT_EQ(SameWithin(first, {10, 20}, part, c.at), c.same) << c.name;
    }
}

TEST(PictureFit, OurOtherWindowsOverThePictureAreLeftOut) {
    // The settings panel, a notice or a hint lies over the picture's edge:
    // textured like a picture and touching it, it would widen the find.
    constexpr int kWidth = 320;
    constexpr int kHeight = 200;
    const Rect picture{40, 30, 240, 150};
    const Point origin{100, -20};
    const std::array<Point, 1> starts{Point{origin.x + 100, origin.y + 80}};
    const struct {
        const char* name;
        Rect window;  // in image pixels
    } cases[] = {
        {"over the right edge", {200, 60, 300, 190}},
        {"beside the bottom edge, touching it", {60, 150, 200, 195}},
        {"over the top-left corner", {10, 10, 90, 70}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint32_t> pixels = BlockScreen(kWidth, kHeight);
        for (int y = c.window.top; y < c.window.bottom; ++y) {
            for (int x = c.window.left; x < c.window.right; ++x) {
                const bool dark = (x / 3 + y / 2) % 2 != 0;  // text-like stripes
                pixels[static_cast<std::size_t>(y * kWidth + x)] = dark ? 0x00303030u : 0x00F0F0F0u;
            }
        }
        const ScreenImage image{pixels, kWidth, kHeight, kWidth};
        IgnoreMask unmarked(kWidth, kHeight);
        IgnoreMask marked(kWidth, kHeight);
        marked.MarkRect(c.window);
        const Rect expected{picture.left + origin.x, picture.top + origin.y, picture.right + origin.x,
                            picture.bottom + origin.y};
        EXPECT_NE(FindPictureFrom(image, origin, unmarked, starts), expected) << "the window made no difference";
        EXPECT_EQ(FindPictureFrom(image, origin, marked, starts), expected);
    }
}

}  // namespace
}  // namespace lumetra::test
