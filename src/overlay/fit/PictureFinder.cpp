#include "overlay/fit/PictureFinder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <utility>

namespace lumetra {
namespace {

// Neighbouring pixels along a plain line differ by at most this much in every
// channel: flat backgrounds and slow gradients pass, photographs do not.
constexpr int kPlainStep = 4;
// Inside and outside pixels differ by more than this in some channel to count
// as contrast. Low enough for a deep-space photograph on black (its darkest
// rim still lies 7 or more above black), high enough to skip compression noise.
constexpr int kContrast = 6;
// A side closes where at least half of the known positions show contrast: a
// photograph's rim against its surroundings does almost everywhere (the worst
// of the test photographs, dark areas of one on black, 60 %); a row of text
// against the page gap does far less.
constexpr int kCloseShareNumerator = 1;
constexpr int kCloseShareDenominator = 2;
// A line is judged only when at least a sixteenth of its positions are known:
// a guide's grid hides a line along its whole width, and the few positions
// beyond the grid's end are the rim's only witnesses there.
constexpr int kKnownShareDenominator = 16;
// The longest masked run a boundary is seen through: the caption strip's
// sixteen rows plus the outline's row, with room to spare.
constexpr int kMaskedRunLimit = 32;
// How far an open side may settle inward at the end: past one line of a
// guide's drawing that lay just outside the rim.
constexpr int kSettleLines = 2;
// Positions seen straight across a boundary that decide it on their own.
constexpr int kDirectWitnesses = 4;
// A program draws its frame flat: a title bar's, toolbar's or ruler's line,
// a border or a scroll bar's trough is one exact colour along a picture that
// touches it, up to where another part of the frame meets it. A photograph's
// line is one colour this long only where it is burnt out or blank, and then
// its neighbour is too. Shorter lines are not judged so: a photograph's flat
// patch often is one colour over a few pixels.
constexpr int kFrameLineLength = 16;

int Distance(std::uint32_t a, std::uint32_t b) {
    const auto channel = [&](int shift) {
        return std::abs(static_cast<int>((a >> shift) & 0xFFu) - static_cast<int>((b >> shift) & 0xFFu));
    };
    return std::max({channel(0), channel(8), channel(16)});
}

enum SideIndex { kLeft, kTop, kRight, kBottom };

// How the pixels across a boundary were read at one position.
enum class Reading {
    None,     // hidden by the guides' drawing
    Direct,   // both neighbours of the boundary known
    Through,  // across a run of hidden pixels
};

// Whether part is at least the closing share of whole.
bool Shared(int part, int whole) { return part * kCloseShareDenominator >= whole * kCloseShareNumerator; }

enum class Verdict {
    Bound,    // on the image's edge: closed
    Closed,   // plain outside with contrast against the inside
    Pending,  // plain outside, content inside, too little contrast yet
    Plain,    // plain on both sides without contrast: background, or a plain
              // stretch of the picture seen over too short a span
    Content,  // content outside, or too little known to tell
    Short,    // a frame's line outside, over too short a span to tell it from
              // a flat patch of the picture
};

// What one line pair along a side holds so far: the side's boundary, the
// positions looked at and what was seen there. Sides only move outward and
// spans only widen, so a side that stays put extends its figures at the ends.
struct LineStats {
    int at = -1;  // boundary coordinate; -1: nothing recorded
    int from = 0;
    int to = 0;
    int known = 0;
    int contrast = 0;
    int direct = 0;  // seen where the pixels on both sides of the boundary are known
    int directContrast = 0;
    bool outsidePlain = true;
    bool insidePlain = true;
    std::uint32_t outsideFirst = 0;
    std::uint32_t outsideLast = 0;
    std::uint32_t insideFirst = 0;
    std::uint32_t insideLast = 0;
};

class Finder {
public:
    Finder(const ScreenImage& image, const PictureQuery& query)
        : pixels_(image.pixels.data()),
          mask_(query.ignore.empty() ? nullptr : query.ignore.data()),
          width_(image.width),
          height_(image.height),
          stride_(image.stride),
          query_(query),
          rect_{query.start.x, query.start.y, query.start.x + 1, query.start.y + 1} {}

    std::optional<Rect> Run();

private:
    static bool Vertical(int side) { return side == kLeft || side == kRight; }
    // For the left and top sides the outside lies at the lower coordinate.
    static bool OutsideLow(int side) { return side == kLeft || side == kTop; }

    bool Known(int x, int y) const {
        return mask_ == nullptr ||
               mask_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] == 0;
    }
    std::uint32_t At(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_) + static_cast<std::size_t>(x)] &
               0x00FFFFFFu;
    }
    // Pixels across a side: coordinate c across it, position p along it.
    bool KnownAcross(int side, int c, int p) const { return Vertical(side) ? Known(c, p) : Known(p, c); }
    std::uint32_t AtAcross(int side, int c, int p) const { return Vertical(side) ? At(c, p) : At(p, c); }

    int Boundary(int side) const {
        switch (side) {
            case kLeft: return rect_.left;
            case kTop: return rect_.top;
            case kRight: return rect_.right;
            default: return rect_.bottom;
        }
    }
    bool OnBound(int side) const {
        switch (side) {
            case kLeft: return rect_.left == 0;
            case kTop: return rect_.top == 0;
            case kRight: return rect_.right == width_;
            default: return rect_.bottom == height_;
        }
    }
    bool BelowMinimum(int side) const {
        return Vertical(side) ? rect_.right - rect_.left < query_.minWidth
                              : rect_.bottom - rect_.top < query_.minHeight;
    }
    void Move(int side) {
        switch (side) {
            case kLeft: --rect_.left; break;
            case kTop: --rect_.top; break;
            case kRight: ++rect_.right; break;
            default: ++rect_.bottom; break;
        }
    }

    // The side's line is the start's: it cannot come further in.
    bool AtStart(int side) const {
        switch (side) {
            case kLeft: return rect_.left == query_.start.x;
            case kTop: return rect_.top == query_.start.y;
            case kRight: return rect_.right == query_.start.x + 1;
            default: return rect_.bottom == query_.start.y + 1;
        }
    }
    static bool Holds(Verdict verdict) { return verdict == Verdict::Bound || verdict == Verdict::Closed; }

    void MoveIn(int side) {
        switch (side) {
            case kLeft: ++rect_.left; break;
            case kTop: ++rect_.top; break;
            case kRight: --rect_.right; break;
            default: --rect_.bottom; break;
        }
    }

    Reading ReadAcross(int side, int boundary, int p, std::uint32_t& outside, std::uint32_t& inside) const;
    int SeenBoundary(int side, int p, int low, int high) const;
    bool Add(int side, LineStats& stats, int p, bool atEnd) const;
    Verdict Evaluate(int side);
    Verdict AlongFrame(int side) const;
    bool OneColour(int side, int c, std::uint32_t& colour) const;
    bool DiffersFrom(int side, int c, std::uint32_t colour) const;
    bool TookInFrame() const;
    bool EdgeLineOfPicture(int side, int c, int inward, std::uint32_t colour) const;
    bool Flat() const;
    bool OutsidePlain(int side) const;
    bool InsidePlain(int side) const;
    bool MoveAll(const std::array<Verdict, 4>& verdicts, Verdict which);
    bool MovePastDetail(const std::array<Verdict, 4>& verdicts);
    void TrimFromBound(int side);
    bool Settled(int side);
    bool StartOnBackground() const;
    bool WalksOut(int dx, int dy) const;

    const std::uint32_t* pixels_;
    const std::uint8_t* mask_;
    int width_;
    int height_;
    int stride_;
    const PictureQuery& query_;
    Rect rect_;
    std::array<LineStats, 4> stats_{};
};

// The pixels on either side of the boundary between coordinates b - 1 and b
// at one position. Where the guides' drawing hides pixels there, the run of
// hidden pixels lies between the last known pixel before it and the first
// known one after it, and the boundary is seen at one place within: at a
// guide's own edge if one lies there, else before the run's last pixel,
// which goes with the side after it (right, below). A guide drawing its
// outline on the first column and row of its area and on the column and row
// after its last finds the picture it was fitted to again either way.
Reading Finder::ReadAcross(int side, int boundary, int p, std::uint32_t& outside, std::uint32_t& inside) const {
    const int across = Vertical(side) ? width_ : height_;
    int low = boundary - 1;
    int high = boundary;
    Reading reading = Reading::Direct;
    if (!KnownAcross(side, low, p) || !KnownAcross(side, high, p)) {
        const int lowest = std::max(0, boundary - kMaskedRunLimit);
        while (low >= lowest && !KnownAcross(side, low, p)) --low;
        const int highest = std::min(across, boundary + kMaskedRunLimit);
        while (high < highest && !KnownAcross(side, high, p)) ++high;
        if (low < lowest || high >= highest || boundary != SeenBoundary(side, p, low, high)) return Reading::None;
        reading = Reading::Through;
    }
    const std::uint32_t lowPixel = AtAcross(side, low, p);
    const std::uint32_t highPixel = AtAcross(side, high, p);
    outside = OutsideLow(side) ? lowPixel : highPixel;
    inside = OutsideLow(side) ? highPixel : lowPixel;
    return reading;
}

// Where a boundary hidden between the known pixels low and high is seen.
int Finder::SeenBoundary(int side, int p, int low, int high) const {
    for (const Rect& guide : query_.guides) {
        const bool along =
            Vertical(side) ? guide.top - 1 <= p && p <= guide.bottom : guide.left - 1 <= p && p <= guide.right;
        if (!along) continue;
        for (const int edge :
             Vertical(side) ? std::array{guide.left, guide.right} : std::array{guide.top, guide.bottom}) {
            if (low < edge && edge <= high) return edge;
        }
    }
    return high - 1;
}

// Records one position at the start or the end of the recorded span; answers
// whether the outside is still plain.
bool Finder::Add(int side, LineStats& stats, int p, bool atEnd) const {
    std::uint32_t outside = 0;
    std::uint32_t inside = 0;
    const Reading reading = ReadAcross(side, stats.at, p, outside, inside);
    if (reading == Reading::None) return true;
    if (stats.known == 0) {
        stats.outsideFirst = stats.outsideLast = outside;
        stats.insideFirst = stats.insideLast = inside;
    } else {
        std::uint32_t& outsideNeighbour = atEnd ? stats.outsideLast : stats.outsideFirst;
        std::uint32_t& insideNeighbour = atEnd ? stats.insideLast : stats.insideFirst;
        stats.outsidePlain = stats.outsidePlain && Distance(outside, outsideNeighbour) <= kPlainStep;
        stats.insidePlain = stats.insidePlain && Distance(inside, insideNeighbour) <= kPlainStep;
        outsideNeighbour = outside;
        insideNeighbour = inside;
    }
    ++stats.known;
    const bool contrast = Distance(outside, inside) > kContrast;
    if (contrast) ++stats.contrast;
    if (reading == Reading::Direct) {
        ++stats.direct;
        if (contrast) ++stats.directContrast;
    }
    return stats.outsidePlain;
}

Verdict Finder::Evaluate(int side) {
    if (OnBound(side)) return Verdict::Bound;
    // The span reaches one pixel past each end, so a line inside a picture
    // that is plain across it (a sky, a horizon) still meets the rim beyond.
    const int from = Vertical(side) ? std::max(0, rect_.top - 1) : std::max(0, rect_.left - 1);
    const int to = Vertical(side) ? std::min(height_, rect_.bottom + 1) : std::min(width_, rect_.right + 1);
    LineStats& stats = stats_[static_cast<std::size_t>(side)];
    const int at = Boundary(side);
    if (stats.at != at) stats = LineStats{at, from, from};
    // Content stops the scan at once: the side moves, and a moved side starts
    // its figures afresh. A frame's line along the side stops it instead.
    while (stats.from > from) {
        if (!Add(side, stats, --stats.from, false)) {
            stats.at = -1;
            return AlongFrame(side);
        }
    }
    while (stats.to < to) {
        if (!Add(side, stats, stats.to++, true)) {
            stats.at = -1;
            return AlongFrame(side);
        }
    }
    // A line the guides' drawing hides waits, as a plain one does, for a
    // wider span that shows more of it.
    if (stats.known == 0 || stats.known * kKnownShareDenominator < to - from) return Verdict::Plain;
    // Seen straight, the boundary outweighs what is read through the guides'
    // drawing: a line of it just outside the rim reads as the rim.
    const bool contrast = stats.direct >= kDirectWitnesses ? Shared(stats.directContrast, stats.direct)
                                                           : Shared(stats.contrast, stats.known);
    if (contrast) return Verdict::Closed;
    return stats.insidePlain ? Verdict::Plain : Verdict::Pending;
}

// The verdict on a side whose outside line is not plain over the span: closed
// where that line is a frame's, over the rectangle's own span (its two ends,
// where other parts of a frame meet it, left out) one exact colour, long
// enough and in contrast with the inside as a closed side is; waiting where
// it is so but too short to tell; else content.
Verdict Finder::AlongFrame(int side) const {
    const int from = Vertical(side) ? rect_.top : rect_.left;
    const int to = Vertical(side) ? rect_.bottom : rect_.right;
    const int at = Boundary(side);
    int known = 0, contrast = 0, direct = 0, directContrast = 0;
    std::uint32_t colour = 0;
    for (int p = from; p < to; ++p) {
        std::uint32_t outside = 0;
        std::uint32_t inside = 0;
        const Reading reading = ReadAcross(side, at, p, outside, inside);
        if (reading == Reading::None) continue;
        if (known > 0 && outside != colour) return Verdict::Content;
        colour = outside;
        ++known;
        const bool differs = Distance(outside, inside) > kContrast;
        contrast += differs ? 1 : 0;
        if (reading == Reading::Direct) {
            ++direct;
            directContrast += differs ? 1 : 0;
        }
    }
    if (known == 0 || known * kKnownShareDenominator < to - from) return Verdict::Content;
    if (!(direct >= kDirectWitnesses ? Shared(directContrast, direct) : Shared(contrast, known))) {
        return Verdict::Content;
    }
    if (known >= kFrameLineLength) return Verdict::Closed;
    // Too short to tell a frame from a flat patch: where the colour goes on
    // past an end, as a frame's line longer than the span does, the side
    // waits for the other sides to widen the span.
    const int along = Vertical(side) ? height_ : width_;
    for (const int p : {from - 1, to}) {
        std::uint32_t outside = 0;
        std::uint32_t inside = 0;
        if (p >= 0 && p < along && ReadAcross(side, at, p, outside, inside) != Reading::None && outside == colour) {
            return Verdict::Short;
        }
    }
    return Verdict::Content;
}

// Whether line c along the side, over the rectangle's span, is mostly one
// exact colour: a run of it, masked pixels passed over, reaches half the
// span; the colour is answered through colour. Such a run covers the span's
// middle, so it is grown from there: a photograph's line stops at once.
bool Finder::OneColour(int side, int c, std::uint32_t& colour) const {
    const int from = Vertical(side) ? rect_.top : rect_.left;
    const int to = Vertical(side) ? rect_.bottom : rect_.right;
    const int middle = from + (to - from) / 2;
    int low = middle;
    while (low >= from && !KnownAcross(side, c, low)) --low;
    if (low < from) return false;
    colour = AtAcross(side, c, low);
    int known = 1;
    // Whether pixel p goes on the run; counts the known ones.
    const auto extends = [&](int p) {
        if (!KnownAcross(side, c, p)) return true;
        if (AtAcross(side, c, p) != colour) return false;
        ++known;
        return true;
    };
    int high = low + 1;
    while (high < to && extends(high)) ++high;
    while (low > from && extends(low - 1)) --low;
    // Seen, not guessed: a quarter of the span known on the run.
    return (high - low) * 2 >= to - from && known * 4 >= to - from;
}

// Whether line c along the side differs from the colour at half or more of
// its known positions over the rectangle's span.
bool Finder::DiffersFrom(int side, int c, std::uint32_t colour) const {
    const int from = Vertical(side) ? rect_.top : rect_.left;
    const int to = Vertical(side) ? rect_.bottom : rect_.right;
    int known = 0;
    int differs = 0;
    for (int p = from; p < to; ++p) {
        if (!KnownAcross(side, c, p)) continue;
        ++known;
        if (Distance(AtAcross(side, c, p), colour) > kContrast) ++differs;
    }
    return known > 0 && Shared(differs, known);
}

// Whether the rectangle holds more than a picture: its own edge line is
// mostly one colour (a page's or a viewer's background beside the picture, a
// title bar's gradient row), or such a line runs across it against a line
// beside it (a frame's line between a picture and a title bar, a toolbar or
// a ruler).
bool Finder::TookInFrame() const {
    for (const int side : {kLeft, kTop}) {
        const int first = side == kLeft ? rect_.left : rect_.top;
        const int last = side == kLeft ? rect_.right - 1 : rect_.bottom - 1;
        for (int c = first; c <= last; ++c) {
            std::uint32_t colour = 0;
            if (!OneColour(side, c, colour)) continue;
            if (c == first || c == last) {
                if (EdgeLineOfPicture(side, c, c == first ? 1 : -1, colour)) continue;
                return true;
            }
            if (DiffersFrom(side, c - 1, colour) || DiffersFrom(side, c + 1, colour)) return true;
        }
    }
    return false;
}

// Whether a one-colour edge line c is the picture's own (a clear sky's top
// row, a burnt-out rim): the frame's line beyond it is of another colour,
// and the picture's content begins on the very next line inward. Taken-in
// background, or a frame's band, goes on inward in one colour.
bool Finder::EdgeLineOfPicture(int side, int c, int inward, std::uint32_t colour) const {
    const int beyond = c - inward;
    const int across = Vertical(side) ? width_ : height_;
    if (beyond < 0 || beyond >= across || !DiffersFrom(side, beyond, colour)) return false;
    std::uint32_t next = 0;
    return !OneColour(side, c + inward, next);
}

// Whether the known pixels of the side's own line, over the rectangle's span,
// are plain.
bool Finder::InsidePlain(int side) const {
    const int c = side == kLeft    ? rect_.left
                  : side == kTop   ? rect_.top
                  : side == kRight ? rect_.right - 1
                                   : rect_.bottom - 1;
    const int from = Vertical(side) ? rect_.top : rect_.left;
    const int to = Vertical(side) ? rect_.bottom : rect_.right;
    bool seen = false;
    std::uint32_t last = 0;
    for (int p = from; p < to; ++p) {
        if (!KnownAcross(side, c, p)) continue;
        const std::uint32_t pixel = AtAcross(side, c, p);
        if (seen && Distance(pixel, last) > kPlainStep) return false;
        seen = true;
        last = pixel;
    }
    return true;
}

// Whether the rectangle is plain throughout and stands on plain
// surroundings of another colour on all four sides, within the image: a
// flat picture. A plain stretch of a page or the desktop reaches the image's
// edge or meets content (text, a picture) on some side; a flat control of a
// program meets its frame's lines, which are not plain around it.
bool Finder::Flat() const {
    for (int side = kLeft; side <= kBottom; ++side) {
        if (OnBound(side) || !OutsidePlain(side)) return false;
    }
    for (int y = rect_.top; y < rect_.bottom; ++y) {
        for (int x = rect_.left; x < rect_.right; ++x) {
            if (!Known(x, y)) continue;
            const std::uint32_t pixel = At(x, y);
            if ((x > rect_.left && Known(x - 1, y) && Distance(pixel, At(x - 1, y)) > kPlainStep) ||
                (y > rect_.top && Known(x, y - 1) && Distance(pixel, At(x, y - 1)) > kPlainStep)) {
                return false;
            }
        }
    }
    return true;
}

// Whether the line just outside the side, from one pixel before the
// rectangle's span to one after it, is plain as the side's boundary is
// seen: across the guides' drawing where it hides the pixels beside it.
bool Finder::OutsidePlain(int side) const {
    const int along = Vertical(side) ? height_ : width_;
    const int from = std::max(0, (Vertical(side) ? rect_.top : rect_.left) - 1);
    const int to = std::min(along, (Vertical(side) ? rect_.bottom : rect_.right) + 1);
    bool seen = false;
    std::uint32_t last = 0;
    for (int p = from; p < to; ++p) {
        std::uint32_t outside = 0;
        std::uint32_t inside = 0;
        if (ReadAcross(side, Boundary(side), p, outside, inside) == Reading::None) continue;
        if (seen && Distance(outside, last) > kPlainStep) return false;
        seen = true;
        last = outside;
    }
    return seen;
}

// Whether the start lies on the surroundings rather than on the picture: the
// plain walks from it along a line reach the rectangle's sides with no
// contrast beyond them, both ways (or the one way that does not end on the
// image's edge). A start in the gap between two pictures otherwise finds the
// pair. One walk alone does not tell: near a picture's rim a plain patch of
// it (dark ground by a dark page) may match what lies beyond.
bool Finder::StartOnBackground() const {
    // Per axis: whether a walk reached the surroundings, and whether one
    // along it ran into anything else.
    std::array<bool, 2> reached{};
    std::array<bool, 2> blocked{};
    for (int side = kLeft; side <= kBottom; ++side) {
        if (OnBound(side)) continue;
        const int axis = Vertical(side) ? 0 : 1;
        const int dx = side == kLeft ? -1 : side == kRight ? 1 : 0;
        const int dy = side == kTop ? -1 : side == kBottom ? 1 : 0;
        if (WalksOut(dx, dy)) {
            reached[static_cast<std::size_t>(axis)] = true;
        } else {
            blocked[static_cast<std::size_t>(axis)] = true;
        }
    }
    return (reached[0] && !blocked[0]) || (reached[1] && !blocked[1]);
}

// Whether a walk from the start in one direction stays plain up to the
// rectangle's side and finds no contrast beyond it.
bool Finder::WalksOut(int dx, int dy) const {
    bool plain = true;
    bool seen = false;
    std::uint32_t last = 0;
    int x = query_.start.x;
    int y = query_.start.y;
    while (plain && x >= rect_.left && x < rect_.right && y >= rect_.top && y < rect_.bottom) {
        if (Known(x, y)) {
            const std::uint32_t pixel = At(x, y);
            plain = !seen || Distance(pixel, last) <= kPlainStep;
            seen = true;
            last = pixel;
        }
        x += dx;
        y += dy;
    }
    if (!plain || !seen) return false;
    // The first known pixel beyond the side.
    for (int step = 0; step < kMaskedRunLimit && x >= 0 && x < width_ && y >= 0 && y < height_; ++step) {
        if (Known(x, y)) return Distance(At(x, y), last) <= kContrast;
        x += dx;
        y += dy;
    }
    return false;
}

bool Finder::MoveAll(const std::array<Verdict, 4>& verdicts, Verdict which) {
    bool moved = false;
    for (int side = kLeft; side <= kBottom; ++side) {
        if (verdicts[static_cast<std::size_t>(side)] == which) {
            Move(side);
            moved = true;
        }
    }
    return moved;
}

// Stuck below the smallest size: a detail inside a picture (a star, an eye, a
// rocket against the sky). Looks past it across the dimension that falls
// short, on its sides with the weaker evidence, so that a picture's rim found
// early stays.
bool Finder::MovePastDetail(const std::array<Verdict, 4>& verdicts) {
    bool moved = false;
    for (const auto& [first, second] : {std::pair{kLeft, kRight}, std::pair{kTop, kBottom}}) {
        if (!BelowMinimum(first)) continue;
        const Verdict a = verdicts[static_cast<std::size_t>(first)];
        const Verdict b = verdicts[static_cast<std::size_t>(second)];
        const Verdict weaker = a == Verdict::Pending || b == Verdict::Pending ? Verdict::Pending : Verdict::Closed;
        for (const auto& [side, verdict] : {std::pair{first, a}, std::pair{second, b}}) {
            if (verdict == weaker) {
                Move(side);
                moved = true;
            }
        }
    }
    return moved;
}

// A side that reached the image's edge through plain lines let background in
// where the rim showed too little contrast over the span of the moment: it
// comes back over plain lines until it meets the rim, never past the start.
void Finder::TrimFromBound(int side) {
    if (!OnBound(side)) return;
    for (;;) {
        if (AtStart(side) || !InsidePlain(side)) return;
        MoveIn(side);
        stats_[static_cast<std::size_t>(side)].at = -1;
        if (Evaluate(side) == Verdict::Closed) return;
    }
}

// Whether the side holds where it is or a line or two further in. While the
// rectangle was narrower than the guide's drawing over the rim, a line of it
// just outside the rim hid the rim's outside, and the side closed on it; seen
// over the whole rim, the rim itself closes.
bool Finder::Settled(int side) {
    const Rect grown = rect_;
    for (int step = 0; step <= kSettleLines; ++step) {
        if (step > 0) {
            if (AtStart(side)) break;
            MoveIn(side);
        }
        stats_[static_cast<std::size_t>(side)].at = -1;
        if (Holds(Evaluate(side))) return true;
    }
    rect_ = grown;
    return false;
}

std::optional<Rect> Finder::Run() {
    // Every round moves at least one side by a line, so the rounds end after
    // at most width + height of them. Sides on content move first; plain
    // ones wait for the others, whose growth widens their span, and sides on
    // a frame's line too short to judge wait longer still. Last, a side
    // still short of contrast is taken for a plain stretch inside the picture
    // bounded by a detail (a sky above a skyline) and moves on: a true rim
    // that faint would not hold at the end anyway.
    for (;;) {
        std::array<Verdict, 4> verdicts{};
        for (int side = kLeft; side <= kBottom; ++side) verdicts[static_cast<std::size_t>(side)] = Evaluate(side);
        if (!MoveAll(verdicts, Verdict::Content) && !MoveAll(verdicts, Verdict::Plain) &&
            !MoveAll(verdicts, Verdict::Short) && !MovePastDetail(verdicts) && !MoveAll(verdicts, Verdict::Pending)) {
            break;
        }
    }
    for (int side = kLeft; side <= kBottom; ++side) TrimFromBound(side);
    // The trimmed sides narrowed the others' spans: judge every side afresh.
    // A side still open may have closed early on a guide's line just outside
    // the rim: it settles inward onto the rim. One that does not never gained
    // contrast: an edge too faint to trust.
    for (int side = kLeft; side <= kBottom; ++side) {
        if (!Settled(side)) return std::nullopt;
    }
    for (int side = kLeft; side <= kBottom; ++side) {
        stats_[static_cast<std::size_t>(side)].at = -1;
        if (!Holds(Evaluate(side))) return std::nullopt;
    }
    if (OnBound(kLeft) && OnBound(kTop) && OnBound(kRight) && OnBound(kBottom)) return std::nullopt;
    if (rect_.right - rect_.left < query_.minWidth || rect_.bottom - rect_.top < query_.minHeight) return std::nullopt;
    // A plain rectangle closed on every side against plain surroundings is
    // an artboard or a blank canvas.
    if (Flat()) return rect_;
    // What took in part of a frame cannot be told from the picture in it.
    if (TookInFrame()) return std::nullopt;
    if (StartOnBackground()) return std::nullopt;
    return rect_;
}

bool Fits(const ScreenImage& image, const PictureQuery& query) {
    if (image.width <= 0 || image.height <= 0 || image.stride < image.width) return false;
    const auto needed = static_cast<std::size_t>(image.height - 1) * static_cast<std::size_t>(image.stride) +
                        static_cast<std::size_t>(image.width);
    if (image.pixels.size() < needed) return false;
    const auto area = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (!query.ignore.empty() && query.ignore.size() != area) return false;
    return query.start.x >= 0 && query.start.x < image.width && query.start.y >= 0 && query.start.y < image.height;
}

}  // namespace

// Region growing by lines. A rectangle starts as the start pixel; each round
// judges its four sides by the line pair across each: the line just outside
// (over the current span and one pixel past each end) and the rectangle's own
// edge line. A side is closed where the outside line is plain and differs
// from the inside at half or more of the known positions, or where it is a
// frame's line: one exact colour over the rectangle's own span, whatever
// meets it at the ends, and as different from the inside. Sides with content
// beyond them move out a line; sides plain on both sides, or hidden by the
// guides' drawing, wait while others move, since a wider span may show the
// contrast a short one missed; a closed rectangle still below the smallest
// size is a detail and is grown past; a side short of contrast moves on
// once nothing else does. The rounds end when no side moves.
// Sides that reached the image's edge over plain lines come back to the rim,
// and a side left open may settle a line or two inward onto it; then every
// side must be closed or on the image's edge (not all four), the size
// reached, and the rectangle either plain on plain surroundings (a flat
// picture) or with no part of a frame taken in, and the start must not sit
// on the surroundings. Each round moves a side, so at most width + height rounds
// run; a side that stays put only reads the new ends of its span.
std::optional<Rect> FindPicture(const ScreenImage& image, const PictureQuery& query) {
    if (!Fits(image, query)) return std::nullopt;
    return Finder(image, query).Run();
}

}  // namespace lumetra
