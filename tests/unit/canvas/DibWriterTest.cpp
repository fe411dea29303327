#include "canvas/DibWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace lumetra::test {
namespace {

constexpr std::uint32_t kBlank = 0xFF000000;
constexpr std::uint32_t kGuard = 0xDEADBEEF;
constexpr std::size_t kGuardPixels = 256;
constexpr long long kLongestWrittenLine = 1 << 16;

struct Op {
    bool fill;  // else a line from (x0, y0) to (x1, y1)
    int x0, y0, x1, y1;
    std::uint32_t pixel;
};

// A bitmap inside a larger buffer whose guard pixels no write may reach.
class GuardedBitmap {
public:
    GuardedBitmap(int width, int height)
        : width_(width),
          height_(height),
          memory_(2 * kGuardPixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kGuard) {
        std::fill(memory_.begin() + kGuardPixels, memory_.end() - kGuardPixels, kBlank);
    }
    DibPixels Pixels() { return {memory_.data() + kGuardPixels, width_, height_}; }
    std::vector<std::uint32_t> Inside() const { return {memory_.begin() + kGuardPixels, memory_.end() - kGuardPixels}; }
    bool GuardsIntact() const {
        return std::all_of(memory_.begin(), memory_.begin() + kGuardPixels, [](auto p) { return p == kGuard; }) &&
               std::all_of(memory_.end() - kGuardPixels, memory_.end(), [](auto p) { return p == kGuard; });
    }

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> memory_;
};

// Where a slanted line passes exactly between two pixels, whether it takes the
// one further along its minor axis: by octant.
bool RoundsTiesUp(long long dx, long long dy) {
    const bool steep = std::llabs(dy) >= std::llabs(dx);
    if (dx < 0 && dy < 0) return true;
    if (dx < 0) return steep;
    if (dy < 0) return !steep;
    return false;
}

// Plots every pixel of each operation at once, in drawing order, where it lies
// on the bitmap. The slanted line's pixel at step i is its exact position
// rounded, rather than walked with an error term.
class Reference {
public:
    Reference(int width, int height)
        : width_(width),
          height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kBlank) {}

    // False when the writer has to leave the line alone.
    static bool Writes(const Op& op) {
        if (op.fill || op.x0 == op.x1 || op.y0 == op.y1) return true;
        return std::llabs(static_cast<long long>(op.x1) - op.x0) <= kLongestWrittenLine &&
               std::llabs(static_cast<long long>(op.y1) - op.y0) <= kLongestWrittenLine;
    }

    void Apply(const Op& op) {
        if (!Writes(op)) return;
        if (op.fill) {
            for (int y = std::max(op.y0, 0); y < std::min(op.y1, height_); ++y) {
                for (int x = std::max(op.x0, 0); x < std::min(op.x1, width_); ++x) Plot(x, y, op.pixel);
            }
            return;
        }
        const long long dx = static_cast<long long>(op.x1) - op.x0;
        const long long dy = static_cast<long long>(op.y1) - op.y0;
        if (dx == 0 || dy == 0) return ApplyStraight(op, dx);
        const bool xMajor = std::llabs(dx) > std::llabs(dy);
        const long long major = std::max(std::llabs(dx), std::llabs(dy));
        const long long minor = std::min(std::llabs(dx), std::llabs(dy));
        const long long up = RoundsTiesUp(dx, dy) ? 1 : 0;
        for (long long i = 0; i < major; ++i) {
            const long long along = (2 * i * minor + major - 1 + up) / (2 * major);
            const long long x = op.x0 + (xMajor ? i : along) * (dx > 0 ? 1 : -1);
            const long long y = op.y0 + (xMajor ? along : i) * (dy > 0 ? 1 : -1);
            Plot(x, y, op.pixel);
        }
    }

    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
    std::size_t Plotted() const { return plotted_; }

private:
    void ApplyStraight(const Op& op, long long dx) {
        // From the start up to but not including the end, clipped before the walk.
        const long long start = dx != 0 ? op.x0 : op.y0;
        const long long end = dx != 0 ? op.x1 : op.y1;
        const long long limit = dx != 0 ? width_ : height_;
        const long long first = std::max(start < end ? start : end + 1, 0LL);
        const long long last = std::min(start < end ? end - 1 : start, limit - 1);
        for (long long t = first; t <= last; ++t) {
            if (dx != 0) {
                Plot(t, op.y0, op.pixel);
            } else {
                Plot(op.x0, t, op.pixel);
            }
        }
    }
    void Plot(long long x, long long y, std::uint32_t pixel) {
        if (x < 0 || x >= width_ || y < 0 || y >= height_) return;
        pixels_[static_cast<std::size_t>(y * width_ + x)] = pixel;
        ++plotted_;
    }

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
    std::size_t plotted_ = 0;
};

// Draws ops with the writer the way the canvas does (what is held written before
// a fill or a change of line colour; a fill stays held under the lines after it) and checks the bitmap against the
// reference.
void ExpectSameAsReference(int width, int height, const std::vector<Op>& ops, Reference* reference = nullptr) {
    GuardedBitmap bitmap(width, height);
    Reference local(width, height);
    Reference& expected = reference ? *reference : local;
    DibWriter writer([] {});
    writer.Retarget(bitmap.Pixels());
    std::optional<std::uint32_t> linePixel;  // of the lines held since the last write
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const Op& op = ops[i];
        if (op.fill) {
            writer.WriteHeld();
            writer.HoldFill(Rect{op.x0, op.y0, op.x1, op.y1}, op.pixel);
            linePixel.reset();
        } else {
            if (linePixel && *linePixel != op.pixel) writer.WriteHeld();
            linePixel = op.pixel;
            ASSERT_EQ(writer.Line(op.x0, op.y0, op.x1, op.y1, op.pixel), Reference::Writes(op))
                << "op " << i << ": (" << op.x0 << ", " << op.y0 << ") to (" << op.x1 << ", " << op.y1 << ")";
        }
        expected.Apply(op);
    }
    writer.WriteHeld();
    ASSERT_TRUE(bitmap.GuardsIntact());
    const std::vector<std::uint32_t> actual = bitmap.Inside();
    for (std::size_t p = 0; p < actual.size(); ++p) {
        ASSERT_EQ(actual[p], expected.Pixels()[p]) << "first difference at (" << p % static_cast<std::size_t>(width)
                                                   << ", " << p / static_cast<std::size_t>(width) << ")";
    }
}

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;

Op Line(int x0, int y0, int x1, int y1, std::uint32_t pixel) { return {false, x0, y0, x1, y1, pixel}; }
Op Fill(int left, int top, int right, int bottom, std::uint32_t pixel) {
    return {true, left, top, right, bottom, pixel};
}

struct SequenceCase {
    const char* name;
    int width;
    int height;
    std::vector<Op> ops;
};

TEST(DibWriterTest, SequencesLeaveWhatPlottingEachOperationInTurnLeaves) {
    const std::vector<SequenceCase> cases{
        {"lines over a fill on a bitmap of several bands",
         37,
         200,
         {Fill(-5, 3, 30, 190, kRed), Line(4, 0, 4, 200, kGreen), Line(0, 1, 36, 199, kGreen),
          Line(36, 150, 2, 10, kGreen), Line(20, 199, 20, 0, kGreen), Line(0, 100, 37, 100, kBlue),
          Line(5, 5, 30, 6, kBlue), Line(30, 170, 5, 169, kBlue), Line(10, 40, 11, 190, kRed)}},
        {"each octant, ties included",
         64,
         64,
         {Line(32, 32, 40, 36, kRed), Line(32, 32, 36, 40, kRed), Line(32, 32, 24, 36, kRed),
          Line(32, 32, 28, 40, kRed), Line(32, 32, 40, 28, kGreen), Line(32, 32, 36, 24, kGreen),
          Line(32, 32, 24, 28, kGreen), Line(32, 32, 28, 24, kGreen), Line(0, 0, 63, 63, kBlue),
          Line(63, 0, 0, 63, kBlue)}},
        {"lines partly and wholly off the bitmap",
         50,
         70,
         {Fill(-100, -100, 100, 100, kRed), Line(-20, -7, 60, 90, kGreen), Line(70, 10, -30, 40, kGreen),
          Line(-10, 65, 45, 75, kGreen), Line(-5, -5, -1, 60, kGreen), Line(51, 0, 80, 69, kGreen),
          Line(-3, 20, 60, 20, kBlue), Line(49, -10, 49, 200, kBlue), Line(10, 70, 10, 80, kBlue),
          Line(60, 5, 0, 5, kBlue), Line(20, 40, 20, 40, kBlue)}},
        {"huge ends",
         40,
         40,
         {Line(INT_MIN, 3, INT_MAX, 3, kRed), Line(7, INT_MAX, 7, INT_MIN, kRed),
          Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kRed), Line(INT_MAX, 0, 0, INT_MAX, kGreen),
          Line(INT_MAX - 5, 2, INT_MAX, 9, kGreen), Line(INT_MIN, 5, INT_MIN + 3, 30, kGreen),
          Line(INT_MAX, 5, INT_MAX, 5, kBlue), Line(INT_MIN, INT_MIN, INT_MIN, INT_MIN, kBlue),
          Line(3, INT_MAX, 3, INT_MAX - 1, kBlue)}},
        {"short lines across the bands over a fill, some off the edges", 45, 200,
         [] {
             std::vector<Op> ops{Fill(0, 0, 45, 200, kRed)};
             for (int y = -9, i = 0; y < 205; y += 7, ++i) {
                 ops.push_back(Line(-4 + i % 9 * 6, y, 48 - i % 5 * 11, y + 31 - i % 3, kGreen));
                 ops.push_back(Line(i % 7 * 7, y + 32, 3 + i % 4 * 12, y, kGreen));
             }
             return ops;
         }()},
        {"lines up to two bands tall from every row of a band over a fill, some off the edges", 70, 230,
         [] {
             std::vector<Op> ops{Fill(0, 0, 70, 230, kRed)};
             for (int y = -40, i = 0; y < 230; y += 3, ++i) {
                 const int tall = 33 + i % 31;
                 ops.push_back(Line(i % 11 * 6, y, 69 - i % 7 * 9, y + tall, kGreen));
                 ops.push_back(Line(i % 5 * 3, y + tall, 10 + i % 6 * 10, y, kGreen));
             }
             return ops;
         }()},
        {"tall lines wholly on the bitmap, of either main direction, going down and up, over a fill",
         150,
         240,
         {Fill(0, 0, 150, 240, kRed), Line(0, 0, 149, 239, kGreen), Line(149, 5, 3, 100, kGreen),
          Line(2, 238, 140, 150, kGreen), Line(140, 230, 20, 1, kGreen), Line(75, 200, 76, 10, kBlue)}},
        {"tall lines of either main direction across many bands over a fill, off the top and the bottom",
         120,
         260,
         {Fill(0, 0, 120, 260, kRed), Line(-40, -50, 150, 300, kGreen), Line(119, -3, -60, 140, kGreen),
          Line(5, 259, 40, -20, kGreen), Line(110, 250, -100, 100, kGreen), Line(60, 40, 61, 220, kBlue)}},
        {"the longest line written and one longer",
         80,
         40,
         {Line(-65500, 1, 36, 30, kRed), Line(-65501, 2, 36, 31, kRed), Line(5, -65530, 30, 6, kGreen),
          Line(6, -65531, 31, 6, kGreen), Line(70, 39, 70 - 65536, 0, kBlue), Line(70, 38, 70 - 65537, 0, kBlue)}},
    };
    for (const SequenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectSameAsReference(c.width, c.height, c.ops);
    }
}

// Mostly near the bitmap, now and then anywhere an int reaches.
int RandomCoordinate(std::mt19937& random, int size) {
    if (random() % 40 == 0) return static_cast<int>(random());
    return std::uniform_int_distribution<int>(-size / 2, size + size / 2)(random);
}

TEST(DibWriterTest, RandomSequencesLeaveWhatPlottingEachOperationInTurnLeaves) {
    const std::uint32_t colours[] = {kRed, kGreen, kBlue};
    const struct {
        int width;
        int height;
    } sizes[] = {{1, 1}, {7, 31}, {33, 32}, {64, 65}, {19, 257}, {300, 97}};
    for (const auto size : sizes) {
        for (unsigned seed = 1; seed <= 6; ++seed) {
            SCOPED_TRACE("size " + std::to_string(size.width) + "x" + std::to_string(size.height) + ", seed " +
                         std::to_string(seed));
            std::mt19937 random(seed);
            std::vector<Op> ops;
            std::uint32_t colour = kRed;
            for (int i = 0; i < 300; ++i) {
                if (random() % 8 == 0) colour = colours[random() % 3];
                const int x0 = RandomCoordinate(random, size.width);
                const int y0 = RandomCoordinate(random, size.height);
                int x1 = RandomCoordinate(random, size.width);
                int y1 = RandomCoordinate(random, size.height);
                const auto kind = random() % 10;
                if (kind == 0) {
                    ops.push_back(Fill(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1), colour));
                    continue;
                }
                if (kind <= 3) x1 = x0;
                if (kind >= 8) y1 = y0;
                ops.push_back(Line(x0, y0, x1, y1, colour));
            }
            ExpectSameAsReference(size.width, size.height, ops);
        }
    }
}

TEST(DibWriterTest, ALineInAnotherColourLandsOverTheHeldLinesWithoutAWriteBetween) {
    // Only a fill is written before its lines; a change of colour is left
    // to the writer.
    const std::vector<SequenceCase> cases{
        {"a column over a slanted line",
         20,
         20,
         {Fill(0, 0, 20, 20, kRed), Line(0, 0, 19, 13, kGreen), Line(5, 0, 5, 20, kBlue)}},
        {"a slanted line over a column",
         20,
         20,
         {Fill(0, 0, 20, 20, kRed), Line(5, 0, 5, 20, kGreen), Line(0, 0, 19, 13, kBlue)}},
        {"a row over a column and a slanted line over the row",
         20,
         20,
         {Line(3, 0, 3, 20, kGreen), Line(0, 4, 20, 4, kBlue), Line(0, 0, 20, 20, kGreen)}},
        {"a colour change while nothing is held",
         20,
         20,
         {Fill(2, 2, 18, 18, kRed), Line(-50, -50, -40, -30, kGreen), Line(0, 9, 20, 9, kBlue),
          Line(9, 0, 9, 20, kGreen)}},
    };
    for (const SequenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        GuardedBitmap bitmap(c.width, c.height);
        Reference expected(c.width, c.height);
        DibWriter writer([] {});
        writer.Retarget(bitmap.Pixels());
        for (const Op& op : c.ops) {
            if (op.fill) {
                writer.WriteHeld();
                writer.HoldFill(Rect{op.x0, op.y0, op.x1, op.y1}, op.pixel);
            } else {
                writer.Line(op.x0, op.y0, op.x1, op.y1, op.pixel);
            }
            expected.Apply(op);
        }
        writer.WriteHeld();
        ASSERT_TRUE(bitmap.GuardsIntact());
        EXPECT_EQ(bitmap.Inside(), expected.Pixels());
    }
}

TEST(DibWriterTest, RowsARunCoversKeepTheColumnsBesideTheRun) {
    const std::vector<SequenceCase> cases{
        {"a run across every column",
         20,
         12,
         {Fill(0, 0, 20, 12, kRed), Line(2, 0, 2, 12, kGreen), Line(9, 0, 9, 12, kGreen), Line(0, 5, 20, 5, kGreen)}},
        {"a run short of the last column",
         20,
         12,
         {Fill(0, 0, 20, 12, kRed), Line(2, 0, 2, 12, kGreen), Line(16, 0, 16, 12, kGreen), Line(0, 5, 10, 5, kGreen)}},
        {"a run from past the first column",
         20,
         12,
         {Fill(0, 0, 20, 12, kRed), Line(2, 0, 2, 12, kGreen), Line(16, 0, 16, 12, kGreen), Line(3, 5, 20, 5, kGreen)}},
        {"the widest of two runs leaves a column",
         20,
         12,
         {Fill(0, 0, 20, 12, kRed), Line(2, 0, 2, 12, kGreen), Line(16, 0, 16, 12, kGreen), Line(0, 5, 12, 5, kGreen),
          Line(15, 5, 18, 5, kGreen)}},
        {"columns over other rows than the run's",
         20,
         12,
         {Fill(0, 0, 20, 12, kRed), Line(2, 0, 2, 4, kGreen), Line(6, 6, 6, 12, kGreen), Line(9, 3, 9, 8, kGreen),
          Line(1, 5, 19, 5, kGreen)}},
    };
    for (const SequenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectSameAsReference(c.width, c.height, c.ops);
    }
}

TEST(DibWriterTest, SlantedLinesBeyondWhatIsHeldLandOverTheFill) {
    // Shallow lines a row apart barely overlap, so pixels lost or misplaced
    // around either cap show: lines taller than a band are held by their
    // pixels, shorter ones whole.
    constexpr int kSide = 1200;
    const struct {
        const char* name;
        int rise;    // of each line
        int across;  // lines side by side on each row
        std::size_t cap;
        bool pixels;  // the cap counts pixels, not lines
    } cases[] = {
        {"tall lines past the held pixels", 140, 1, std::size_t{1} << 20, true},
        {"short lines past the held lines", 1, 70, std::size_t{1} << 16, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Op> ops{Fill(0, 0, kSide, kSide, kRed)};
        const int length = kSide / c.across;
        for (int y = 0; y + c.rise < kSide; ++y) {
            for (int x = 0; x + length <= kSide; x += length)
                ops.push_back(Line(x, y, x + length - 1, y + c.rise, kGreen));
        }
        ops.push_back(Line(kSide - 1, 0, 0, kSide - 1, kBlue));
        Reference reference(kSide, kSide);
        ExpectSameAsReference(kSide, kSide, ops, &reference);
        const std::size_t held = c.pixels ? reference.Plotted() - std::size_t{kSide} * kSide : ops.size() - 2;
        EXPECT_GT(held, c.cap) << "too few to reach the cap";
    }
}

TEST(DibWriterTest, OthersFinishDrawingBeforeTheFirstPixelIsWritten) {
    GuardedBitmap bitmap(40, 40);
    const std::vector<std::uint32_t> blank = bitmap.Inside();
    int calls = 0;
    bool untouchedAtFirstCall = false;
    DibWriter writer([&] {
        if (calls++ == 0) untouchedAtFirstCall = bitmap.Inside() == blank;
    });
    writer.Retarget(bitmap.Pixels());
    writer.HoldFill(Rect{0, 0, 40, 40}, kRed);
    EXPECT_TRUE(writer.Line(3, 0, 3, 40, kGreen));
    EXPECT_TRUE(writer.Line(0, 0, 30, 17, kGreen));
    EXPECT_EQ(calls, 0) << "held, not yet written";
    writer.WriteHeld();
    EXPECT_GE(calls, 1);
    EXPECT_TRUE(untouchedAtFirstCall);
    EXPECT_NE(bitmap.Inside(), blank);
}

// The outline an ellipse leaves on a blank bitmap, a held fill beneath it.
std::vector<std::uint32_t> DrawEllipse(int width, int height, const Rect& box, int penWidth, bool* written = nullptr) {
    GuardedBitmap bitmap(width, height);
    DibWriter writer([] {});
    writer.Retarget(bitmap.Pixels());
    writer.HoldFill(Rect{0, 0, width, height}, kRed);
    const bool drawn = writer.Ellipse(box, kGreen, penWidth);
    if (written != nullptr) *written = drawn;
    writer.WriteHeld();
    EXPECT_TRUE(bitmap.GuardsIntact());
    return bitmap.Inside();
}

TEST(DibWriterTest, EllipsesTakeGdisPixelsEvenWhenTurnedAround) {
    const std::vector<std::string> circle{".###.", "#...#", "#...#", "#...#", ".###."};
    for (const Rect& box : {Rect{0, 0, 5, 5}, Rect{5, 5, 0, 0}, Rect{0, 5, 5, 0}}) {
        const std::vector<std::uint32_t> pixels = DrawEllipse(5, 5, box, 1);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                EXPECT_EQ(pixels[static_cast<std::size_t>(y * 5 + x)], circle[y][x] == '#' ? kGreen : kRed)
                    << "box " << box.left << "," << box.top << " at " << x << "," << y;
            }
        }
    }
}

TEST(DibWriterTest, WideEllipsesCoverTheirOutlineMovedAlongEachAxis) {
    constexpr int kWidth = 90;
    constexpr int kHeight = 70;
    struct Case {
        Rect box;
        int penWidth;
    };
    // Odd and even across, flat and tall, inside the bitmap and off each edge.
    const std::vector<Case> cases{{{10, 10, 41, 41}, 3},    {{10, 10, 40, 40}, 2},   {{5, 20, 86, 31}, 5},
                                  {{30, 3, 37, 66}, 4},     {{-20, -15, 50, 40}, 3}, {{40, 30, 130, 95}, 8},
                                  {{-60, 10, 150, 60}, 10}, {{20, -40, 70, 110}, 1}, {{3, 3, 7, 6}, 6}};
    for (const Case& c : cases) {
        std::vector<std::uint32_t> expected(static_cast<std::size_t>(kWidth) * kHeight, kRed);
        const PenSpread spread = SpreadOf(c.penWidth);
        for (int d = -spread.before; d <= spread.after; ++d) {
            for (const Point move : {Point{d, 0}, Point{0, d}}) {
                const std::vector<std::uint32_t> copy = DrawEllipse(
                    kWidth, kHeight,
                    {c.box.left + move.x, c.box.top + move.y, c.box.right + move.x, c.box.bottom + move.y}, 1);
                for (std::size_t p = 0; p < copy.size(); ++p) {
                    if (copy[p] == kGreen) expected[p] = kGreen;
                }
            }
        }
        bool written = false;
        EXPECT_EQ(DrawEllipse(kWidth, kHeight, c.box, c.penWidth, &written), expected)
            << "box " << c.box.left << "," << c.box.top << "," << c.box.right << "," << c.box.bottom << " width "
            << c.penWidth;
        EXPECT_TRUE(written);
        EXPECT_NE(std::count(expected.begin(), expected.end(), kGreen), 0);
    }
}

TEST(DibWriterTest, EllipsesOffTheBitmapKeepTheirPixelsOnIt) {
    // The same outline on a larger bitmap, seen through the window the
    // smaller one shows.
    constexpr int kBig = 200;
    constexpr int kSmall = 60;
    constexpr int kAt = 70;
    for (const Rect& box :
         {Rect{50, 50, 150, 120}, Rect{10, 75, 190, 125}, Rect{95, 0, 106, 200}, Rect{0, 0, 200, 200}}) {
        for (const int penWidth : {1, 4, 5}) {
            const std::vector<std::uint32_t> big = DrawEllipse(kBig, kBig, box, penWidth);
            const std::vector<std::uint32_t> small = DrawEllipse(
                kSmall, kSmall, {box.left - kAt, box.top - kAt, box.right - kAt, box.bottom - kAt}, penWidth);
            for (int y = 0; y < kSmall; ++y) {
                for (int x = 0; x < kSmall; ++x) {
                    ASSERT_EQ(small[static_cast<std::size_t>(y * kSmall + x)],
                              big[static_cast<std::size_t>((y + kAt) * kBig + x + kAt)])
                        << "box " << box.left << "," << box.top << " width " << penWidth << " at " << x << "," << y;
                }
            }
        }
    }
}

// What the writer leaves on a small bitmap where the same drawing, moved by
// (at, at), lands on a large one without reaching its edges: the window the
// small bitmap shows of it.
template <typename Draw>
void ExpectWindowOfTheWhole(int big, int small, int at, Draw draw) {
    const auto render = [&](int side, int shift) {
        GuardedBitmap bitmap(side, side);
        DibWriter writer([] {});
        writer.Retarget(bitmap.Pixels());
        writer.HoldFill(Rect{0, 0, side, side}, kRed);
        draw(writer, shift);
        writer.WriteHeld();
        EXPECT_TRUE(bitmap.GuardsIntact());
        return bitmap.Inside();
    };
    const std::vector<std::uint32_t> whole = render(big, at);
    const std::vector<std::uint32_t> window = render(small, 0);
    ASSERT_NE(std::count(window.begin(), window.end(), kGreen), 0) << "nothing shows in the window";
    for (int y = 0; y < small; ++y) {
        for (int x = 0; x < small; ++x) {
            ASSERT_EQ(window[static_cast<std::size_t>(y * small + x)],
                      whole[static_cast<std::size_t>((y + at) * big + x + at)])
                << "at " << x << "," << y;
        }
    }
}

TEST(DibWriterTest, LinesReachingFarBeyondTheBitmapKeepTheirPixelsOnIt) {
    // Each line's walk begins and ends far off a 50-pixel bitmap, past every
    // edge and corner, in every octant: the steps it skips must leave the
    // pixels it shows where the whole walk puts them, caps and pen included.
    constexpr int kBig = 2600;
    constexpr int kSmall = 50;
    constexpr int kAt = 1275;
    struct Case {
        int x0, y0, x1, y1;
    };
    const std::vector<Case> cases{{-1270, -1200, 1300, 1260}, {1300, -1000, -1200, 1000}, {-1000, 30, 1200, 10},
                                  {20, -1250, 35, 1250},      {1310, 1290, -1260, -1230}, {-1250, 49, 1250, 0},
                                  {-1270, -1270, 1320, 1320}, {0, -1200, 49, 1200},       {-650, 1200, 700, -1100},
                                  {-1200, -1175, 1200, 1176}, {45, -1000, 38, 1000},      {-1000, 25, 1300, 26}};
    for (const Case& c : cases) {
        for (const int penWidth : {1, 2, 5, 8}) {
            SCOPED_TRACE("line " + std::to_string(c.x0) + "," + std::to_string(c.y0) + " to " + std::to_string(c.x1) +
                         "," + std::to_string(c.y1) + " width " + std::to_string(penWidth));
            ExpectWindowOfTheWhole(kBig, kSmall, kAt, [&](DibWriter& writer, int shift) {
                ASSERT_TRUE(writer.Line(c.x0 + shift, c.y0 + shift, c.x1 + shift, c.y1 + shift, kGreen, penWidth));
            });
        }
    }
}

TEST(DibWriterTest, OutlinesReachingFarBeyondTheBitmapKeepTheirPixelsOnIt) {
    // Outlines far larger than the bitmap, crossing it on their steep and on
    // their flat parts, whose walks stop past the rows it shows.
    constexpr int kBig = 2600;
    constexpr int kSmall = 60;
    constexpr int kAt = 1270;
    for (const Rect& box : {Rect{-1260, -1200, 30, 1300}, Rect{20, -1250, 1300, 1280}, Rect{-1200, 10, 1250, 1290},
                            Rect{-1000, -1265, 1200, 40}, Rect{-1200, -2430, 1260, 30}, Rect{-900, 10, 1100, 100}}) {
        for (const int penWidth : {1, 4, 8}) {
            SCOPED_TRACE("box " + std::to_string(box.left) + "," + std::to_string(box.top) + " width " +
                         std::to_string(penWidth));
            ExpectWindowOfTheWhole(kBig, kSmall, kAt, [&](DibWriter& writer, int shift) {
                ASSERT_TRUE(writer.Ellipse({box.left + shift, box.top + shift, box.right + shift, box.bottom + shift},
                                           kGreen, penWidth));
            });
        }
    }
}

TEST(DibWriterTest, EllipsesTooSmallForAnOutlineAreLeftToGdiAndEmptyOnesDrawNothing) {
    struct Case {
        Rect box;
        bool written;
    };
    for (const Case& c : {Case{{4, 4, 6, 9}, false}, Case{{4, 4, 9, 6}, false}, Case{{4, 4, 5, 5}, false},
                          Case{{4, 4, 4, 9}, true}, Case{{4, 7, 9, 7}, true}}) {
        bool written = !c.written;
        const std::vector<std::uint32_t> pixels = DrawEllipse(12, 12, c.box, 3, &written);
        EXPECT_EQ(written, c.written) << c.box.left << "," << c.box.top << "," << c.box.right << "," << c.box.bottom;
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kGreen), 0);
    }
}

TEST(DibWriterTest, EllipsesLandOverEverythingDrawnBeforeThem) {
    // A fill and a line of another colour, held when the ellipse comes.
    GuardedBitmap bitmap(20, 20);
    DibWriter writer([] {});
    writer.Retarget(bitmap.Pixels());
    writer.HoldFill(Rect{0, 0, 20, 20}, kRed);
    ASSERT_TRUE(writer.Line(0, 10, 20, 10, kBlue));
    ASSERT_TRUE(writer.Ellipse({2, 2, 19, 19}, kGreen));
    writer.WriteHeld();
    const std::vector<std::uint32_t> pixels = bitmap.Inside();
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * 20 + x)]; };
    EXPECT_EQ(at(2, 10), kGreen) << "the outline crosses the line";
    EXPECT_EQ(at(10, 10), kBlue) << "the line inside the outline";
    EXPECT_EQ(at(10, 2), kGreen);
    EXPECT_EQ(at(10, 5), kRed);
}

TEST(DibWriterTest, HeldEllipsesBeyondTheCapLandAsEachDrawnAlone) {
    // Concentric and shifted outlines of one colour, more than are held at
    // once and running off every edge, with lines among them: written a row
    // at a time, they must leave what each leaves written on its own.
    constexpr int kSide = 160;
    for (const int penWidth : {1, 2, 5}) {
        GuardedBitmap together(kSide, kSide);
        GuardedBitmap alone(kSide, kSide);
        DibWriter held([] {});
        DibWriter single([] {});
        held.Retarget(together.Pixels());
        single.Retarget(alone.Pixels());
        held.HoldFill(Rect{0, 0, kSide, kSide}, kRed);
        single.HoldFill(Rect{0, 0, kSide, kSide}, kRed);
        for (int i = 0; i < 300; ++i) {
            const int r = 3 + i % 97;
            const int cx = 80 + (i % 7) * 9 - 27;
            const int cy = 80 - (i % 5) * 13 + 26;
            const Rect box{cx - r, cy - r / 2, cx + r + i % 2, cy + r};
            ASSERT_TRUE(held.Ellipse(box, kGreen, penWidth));
            ASSERT_TRUE(single.Ellipse(box, kGreen, penWidth));
            single.WriteHeld();
            if (i % 50 == 0) {
                ASSERT_TRUE(held.Line(0, i, kSide, kSide - i, kGreen, penWidth));
                ASSERT_TRUE(single.Line(0, i, kSide, kSide - i, kGreen, penWidth));
                single.WriteHeld();
            }
        }
        held.WriteHeld();
        EXPECT_TRUE(together.GuardsIntact());
        EXPECT_EQ(together.Inside(), alone.Inside()) << "width " << penWidth;
    }
}

// The mask drawn at each of its eight neighbouring places, where they fall
// on a blank bitmap.
std::vector<std::uint32_t> EightCopies(int width, int height, const std::vector<std::string>& mask, long long left,
                                       long long top) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kRed);
    for (std::size_t my = 0; my < mask.size(); ++my) {
        for (std::size_t mx = 0; mx < mask[my].size(); ++mx) {
            if (mask[my][mx] != '#') continue;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const long long x = left + static_cast<long long>(mx) + dx;
                    const long long y = top + static_cast<long long>(my) + dy;
                    if ((dx != 0 || dy != 0) && 0 <= x && x < width && 0 <= y && y < height) {
                        pixels[static_cast<std::size_t>(y * width + x)] = kGreen;
                    }
                }
            }
        }
    }
    return pixels;
}

TEST(DibWriterTest, OutlinesAreTheMaskMovedByEachOneStepClippedToTheBitmap) {
    constexpr int kWidth = 12;
    constexpr int kHeight = 9;
    // A hole, a lone pixel and pixels on the mask's own edge.
    const std::vector<std::string> mask{"#..#.", ".###.", ".#.#.", ".###.", "....#"};
    struct Case {
        const char* name;
        int left;
        int top;
    };
    const std::vector<Case> cases{{"inside", 3, 2},
                                  {"over the left edge", -2, 2},
                                  {"over the right edge", 9, 1},
                                  {"over the top edge", 4, -3},
                                  {"over the bottom edge", 5, 6},
                                  {"in a corner", 9, 6},
                                  {"a pixel beyond the left", -6, 2},
                                  {"a pixel beyond the bottom", 3, 9},
                                  {"far beyond", INT_MAX - 2, INT_MIN + 1}};
    std::vector<std::uint32_t> maskPixels;
    for (const std::string& row : mask) {
        for (const char c : row) maskPixels.push_back(c == '#' ? 0x00FFFFFF : 0);
    }
    const DibPixels maskView{maskPixels.data(), 5, 5};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GuardedBitmap bitmap(kWidth, kHeight);
        DibWriter writer([] {});
        writer.Retarget(bitmap.Pixels());
        writer.HoldFill(Rect{0, 0, kWidth, kHeight}, kRed);
        writer.WriteOutline(maskView, c.left, c.top, kGreen);
        writer.WriteHeld();
        EXPECT_TRUE(bitmap.GuardsIntact());
        EXPECT_EQ(bitmap.Inside(), EightCopies(kWidth, kHeight, mask, c.left, c.top));
    }
}

TEST(DibWriterTest, OutlinesWaitForOthersToFinishDrawing) {
    GuardedBitmap bitmap(10, 10);
    const std::vector<std::uint32_t> blank = bitmap.Inside();
    bool untouchedAtFirstCall = false;
    int calls = 0;
    DibWriter writer([&] {
        if (calls++ == 0) untouchedAtFirstCall = bitmap.Inside() == blank;
    });
    writer.Retarget(bitmap.Pixels());
    std::vector<std::uint32_t> dot{1};
    writer.WriteOutline({dot.data(), 1, 1}, 4, 4, kGreen);
    EXPECT_GE(calls, 1);
    EXPECT_TRUE(untouchedAtFirstCall);
    const std::vector<std::uint32_t> pixels = bitmap.Inside();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kGreen), 8);
}

TEST(DibWriterTest, CacheFriendlyWidthsHoldTheRowInAnOddNumberOfCacheLines) {
    // One row per kind of width: a page-sized row, other whole numbers of
    // lines, part lines, the least and the widest screens.
    for (const int width : {4096, 2048, 1920, 3840, 7680, 1944, 1968, 1, 15, 17, 33, 16}) {
        SCOPED_TRACE(width);
        const int padded = CacheFriendlyWidth(width);
        EXPECT_GE(padded, width);
        EXPECT_LT(padded - width, 32);  // at most a line and all but a pixel of another
        EXPECT_EQ(padded % 16, 0);      // whole 64-byte lines of 32-bit pixels
        EXPECT_EQ(padded / 16 % 2, 1);  // an odd number of them
    }
    EXPECT_EQ(CacheFriendlyWidth(INT_MAX), INT_MAX);  // too large to pad
}

}  // namespace
}  // namespace lumetra::test
