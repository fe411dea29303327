#include "overlay/fit/PictureFollower.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <utility>
#include <vector>

#include "overlay/fit/PictureFit.h"
#include "settings/AppSettings.h"

namespace lumetra {
namespace {

// The same picture correlates near 1 at any size and through either usual
// way of scaling; another photograph rarely passes 0.6 (of the test
// photographs, the closest pair at 0.45). A move needs a clear match, and
// between two places it needs one clearly better.
constexpr double kMatch = 0.9;
constexpr double kClearlyBetter = 0.03;
// In the frame where it was, the picture may change between two looks (a
// video's motion, a viewer's pan inside its view, a painting going on) and
// stays the same picture while it still correlates above what another
// photograph reaches.
constexpr double kSameFrame = 0.6;
// The same picture elsewhere shows the same exposure too: its cell means
// differ by under 2 grey levels through either way of scaling, a copy 10 %
// brighter by 10 or more.
constexpr double kSameLevel = 5.0;
// Too few cells tell nothing: a quarter of the thumbnail at least.
constexpr int kFewestCells = PictureSignature::kSide * PictureSignature::kSide / 4;
// Starts for the finder across the last place of the picture, per axis.
constexpr int kStartsAcross = 3;
// And across the whole region while waiting, per axis.
constexpr int kWaitingStartsAcross = 4;

int Width(const Rect& r) { return r.right - r.left; }
int Height(const Rect& r) { return r.bottom - r.top; }
bool Empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

Rect Intersection(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}
bool Overlap(const Rect& a, const Rect& b) { return !Empty(Intersection(a, b)); }
bool Contains(const Rect& r, Point p) { return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom; }
Rect Grown(const Rect& r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

// The grey of a 0x00RRGGBB pixel, as the eye weighs the channels.
std::uint32_t Grey(std::uint32_t p) {
    return (77u * ((p >> 16) & 0xFFu) + 150u * ((p >> 8) & 0xFFu) + 29u * (p & 0xFFu)) >> 8;
}

// Whether the region's pixels and mask can be read as they claim.
bool Readable(const ScreenImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.stride < image.width) return false;
    const auto needed = static_cast<std::size_t>(image.height - 1) * static_cast<std::size_t>(image.stride) +
                        static_cast<std::size_t>(image.width);
    return image.pixels.size() >= needed;
}

std::span<const std::uint8_t> MaskOf(const ScreenRegion& region) {
    if (region.drawn == nullptr) return {};
    const std::span<const std::uint8_t> bytes = region.drawn->Bytes();
    const auto area = static_cast<std::size_t>(region.image.width) * static_cast<std::size_t>(region.image.height);
    return bytes.size() == area ? bytes : std::span<const std::uint8_t>{};
}

Rect AreaOf(const ScreenRegion& region) {
    if (!Readable(region.image)) return {};
    return {region.origin.x, region.origin.y, region.origin.x + region.image.width,
            region.origin.y + region.image.height};
}

}  // namespace

// Sums of grey and of seen pixels over any rectangle of the region in
// constant time, so every cell of every guess costs the same. Kept modulo
// 2^32, 8 bytes a pixel: the sum over a rectangle comes out exact while it
// stays below 2^32, and a cell's does (a cell below 16 million pixels).
class GreySums {
public:
    // Below this many pixels a rectangle's sum of grey fits 32 bits.
    static constexpr long long kExactArea = (1LL << 32) / 256;

    explicit GreySums(const ScreenRegion& region) : origin_(region.origin) {
        if (!Readable(region.image)) return;
        width_ = region.image.width;
        height_ = region.image.height;
        const std::span<const std::uint8_t> mask = MaskOf(region);
        const std::size_t row = static_cast<std::size_t>(width_) + 1;
        grey_.assign(row * (static_cast<std::size_t>(height_) + 1), 0);
        seen_.assign(grey_.size(), 0);
        for (int y = 0; y < height_; ++y) {
            std::uint32_t greyRow = 0;
            std::uint32_t seenRow = 0;
            const std::uint32_t* pixels = region.image.pixels.data() +
                                          static_cast<std::size_t>(y) * static_cast<std::size_t>(region.image.stride);
            for (int x = 0; x < width_; ++x) {
                const std::size_t at =
                    static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
                if (mask.empty() || mask[at] == 0) {
                    greyRow += Grey(pixels[x]);
                    ++seenRow;
                }
                const std::size_t below = (static_cast<std::size_t>(y) + 1) * row + static_cast<std::size_t>(x) + 1;
                grey_[below] = grey_[below - row] + greyRow;
                seen_[below] = seen_[below - row] + seenRow;
            }
        }
    }

    Rect Area() const { return {origin_.x, origin_.y, origin_.x + width_, origin_.y + height_}; }

    // The mean grey of the seen pixels of r (screen pixels, within the
    // area), when at least a quarter of them are seen.
    std::optional<float> Mean(const Rect& r) const {
        const std::size_t row = static_cast<std::size_t>(width_) + 1;
        const auto at = [&](int x, int y) {
            return static_cast<std::size_t>(y - origin_.y) * row + static_cast<std::size_t>(x - origin_.x);
        };
        const std::uint32_t seen = seen_[at(r.right, r.bottom)] - seen_[at(r.left, r.bottom)] -
                                   seen_[at(r.right, r.top)] + seen_[at(r.left, r.top)];
        const long long area = static_cast<long long>(Width(r)) * Height(r);
        if (seen == 0 || static_cast<long long>(seen) * 4 < area || area >= kExactArea) return std::nullopt;
        const std::uint32_t grey = grey_[at(r.right, r.bottom)] - grey_[at(r.left, r.bottom)] -
                                   grey_[at(r.right, r.top)] + grey_[at(r.left, r.top)];
        return static_cast<float>(static_cast<double>(grey) / seen);
    }

private:
    Point origin_;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> grey_;  // (width + 1) x (height + 1), a zero row and column first
    std::vector<std::uint32_t> seen_;
};

// How a place looks against a signature, over the cells both know.
struct Likeness {
    // The correlation of the cell means: 1 for the same picture at any size
    // and exposure. For a flat signature, the share of cells at its grey.
    double shape = 0.0;
    double level = 0.0;  // the mean difference of the cell means, in grey levels
    bool Same() const { return shape >= kMatch && level <= kSameLevel; }
};

namespace {

// Cell (i, j) of a picture's grid, in screen pixels.
Rect Cell(const Rect& picture, int i, int j) {
    const auto edge = [](int from, int size, int k) {
        return from + static_cast<int>(static_cast<long long>(size) * k / PictureSignature::kSide);
    };
    return {edge(picture.left, Width(picture), i), edge(picture.top, Height(picture), j),
            edge(picture.left, Width(picture), i + 1), edge(picture.top, Height(picture), j + 1)};
}

// The cell means of a picture supposed at `picture`, over the cells wholly
// within `visible` and the summed area.
template <class Visit>
void EachCellMean(const GreySums& sums, const Rect& picture, const Rect& visible, Visit visit) {
    const Rect seen = Intersection(visible, sums.Area());
    if (Empty(seen) || Width(picture) < PictureSignature::kSide || Height(picture) < PictureSignature::kSide) return;
    for (int j = 0; j < PictureSignature::kSide; ++j) {
        for (int i = 0; i < PictureSignature::kSide; ++i) {
            const Rect cell = Cell(picture, i, j);
            if (Empty(cell) || Intersection(cell, seen) != cell) continue;
            if (const std::optional<float> mean = sums.Mean(cell)) {
                visit(static_cast<std::size_t>(j) * PictureSignature::kSide + static_cast<std::size_t>(i), *mean);
            }
        }
    }
}

// Whether b has a's proportions within the rounding of a scaled size.
bool SameRatio(const Rect& a, const Rect& b) {
    const long long cross = static_cast<long long>(Height(b)) * Width(a) - static_cast<long long>(Width(b)) * Height(a);
    return std::llabs(cross) <= static_cast<long long>(Width(a)) + Height(a);
}

std::optional<Rect> Found(const ScreenRegion& region, Point start) {
    PictureQuery query;
    query.start = {start.x - region.origin.x, start.y - region.origin.y};
    query.ignore = MaskOf(region);
    if (!query.ignore.empty()) query.guides = region.drawn->Guides();
    query.minWidth = kMinWidth;
    query.minHeight = kMinPictureHeight;
    const std::optional<Rect> found = FindPicture(region.image, query);
    if (!found) return std::nullopt;
    return Rect{found->left + region.origin.x, found->top + region.origin.y, found->right + region.origin.x,
                found->bottom + region.origin.y};
}

// Points spread evenly across an area, `across` per axis.
void AddStarts(std::vector<Point>& starts, const Rect& area, int across) {
    if (Empty(area)) return;
    for (int j = 0; j < across; ++j) {
        for (int i = 0; i < across; ++i) {
            starts.push_back(
                {area.left + static_cast<int>(static_cast<long long>(Width(area)) * (2 * i + 1) / (2 * across)),
                 area.top + static_cast<int>(static_cast<long long>(Height(area)) * (2 * j + 1) / (2 * across))});
        }
    }
}

struct Guess {
    Rect rect;
    double score;
};

Likeness Compare(std::span<const std::pair<float, float>> pairs) {
    const double n = static_cast<double>(pairs.size());
    double meanA = 0.0;
    double meanB = 0.0;
    double level = 0.0;
    for (const auto& [a, b] : pairs) {
        meanA += a;
        meanB += b;
        level += std::abs(a - b);
    }
    meanA /= n;
    meanB /= n;
    double ab = 0.0;
    double aa = 0.0;
    double bb = 0.0;
    for (const auto& [a, b] : pairs) {
        ab += (a - meanA) * (b - meanB);
        aa += (a - meanA) * (a - meanA);
        bb += (b - meanB) * (b - meanB);
    }
    // Flat, a picture shows no shape to correlate: a flat one (an artboard)
    // is known by its grey over the cells; against it, a place counts the
    // cells still at that grey, so a canvas being painted stays itself.
    constexpr double kFlat = 4.0;
    if (aa < kFlat * n) {
        int at = 0;
        for (const auto& pair : pairs) at += std::abs(pair.second - meanA) <= kSameLevel ? 1 : 0;
        return {at / n, level / n};
    }
    if (bb < kFlat * n) return {0.0, level / n};
    return {ab / std::sqrt(aa * bb), level / n};
}

// How well the summed region shows a signature's picture at `picture`, over
// the cells wholly within `visible`; nothing when too few cells compare.
std::optional<Likeness> MatchWith(const GreySums& sums, std::span<const float> means, std::span<const bool> known,
                                  const Rect& picture, const Rect& visible) {
    std::vector<std::pair<float, float>> pairs;
    pairs.reserve(means.size());
    EachCellMean(sums, picture, visible, [&](std::size_t cell, float mean) {
        if (known[cell]) pairs.emplace_back(means[cell], mean);
    });
    if (static_cast<int>(pairs.size()) < kFewestCells) return std::nullopt;
    return Compare(pairs);
}

// The grey of the region's pixel at a screen point; -1 where the region does
// not show it or the guides hide it.
int GreyAt(const ScreenRegion& region, std::span<const std::uint8_t> mask, Point p) {
    const int x = p.x - region.origin.x;
    const int y = p.y - region.origin.y;
    if (x < 0 || y < 0 || x >= region.image.width || y >= region.image.height) return -1;
    if (!mask.empty() && mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(region.image.width) +
                              static_cast<std::size_t>(x)] != 0) {
        return -1;
    }
    const std::uint32_t v =
        region.image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(region.image.stride) +
                            static_cast<std::size_t>(x)];
    return static_cast<int>(Grey(v));
}

// The mean grey difference of the same pixels seen twice.
constexpr double kSamePixels = 3.0;

Point PatchCorner(const Rect& picture) {
    return {picture.left + Width(picture) / 2 - CentrePatch::kSide / 2,
            picture.top + Height(picture) / 2 - CentrePatch::kSide / 2};
}

// How many lines the guides' drawing hides at the picture's edges, per
// axis, at most as far as the centre's shift is looked for: counted inward
// from the first line and outward from the line after the last, across the
// middle, the smaller of the two.
Point HiddenEdges(const ScreenRegion& region, const Rect& picture) {
    const std::span<const std::uint8_t> mask = MaskOf(region);
    const auto run = [&](Point from, Point step) {
        int hidden = 0;
        while (hidden < CentrePatch::kReach) {
            const int x = from.x + step.x * hidden - region.origin.x;
            const int y = from.y + step.y * hidden - region.origin.y;
            if (mask.empty() || x < 0 || y < 0 || x >= region.image.width || y >= region.image.height ||
                mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(region.image.width) +
                     static_cast<std::size_t>(x)] == 0) {
                break;
            }
            ++hidden;
        }
        return hidden;
    };
    const int middleX = picture.left + Width(picture) / 2;
    const int middleY = picture.top + Height(picture) / 2;
    return {std::min(run({picture.left, middleY}, {1, 0}), run({picture.right, middleY}, {1, 0})),
            std::min(run({middleX, picture.top}, {0, 1}), run({middleX, picture.bottom}, {0, 1}))};
}

}  // namespace

PictureSignature PictureSignature::Of(const ScreenRegion& region, const Rect& picture) {
    PictureSignature signature;
    EachCellMean(GreySums(region), picture, picture, [&](std::size_t cell, float mean) {
        signature.means_[cell] = mean;
        signature.known_[cell] = true;
    });
    return signature;
}

CentrePatch CentrePatch::Of(const ScreenRegion& region, const Rect& picture) {
    CentrePatch patch;
    patch.grey_.fill(-1);
    if (!Readable(region.image)) return patch;
    const std::span<const std::uint8_t> mask = MaskOf(region);
    const Point corner = PatchCorner(picture);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            patch.grey_[static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x)] =
                static_cast<std::int16_t>(GreyAt(region, mask, {corner.x + x, corner.y + y}));
        }
    }
    long long steps = 0;
    int pairs = 0;
    for (std::size_t i = 1; i < kPixels; ++i) {
        if (i % kSide == 0 || patch.grey_[i] < 0 || patch.grey_[i - 1] < 0) continue;
        steps += std::abs(patch.grey_[i] - patch.grey_[i - 1]);
        ++pairs;
    }
    patch.detail_ = pairs > 0 ? static_cast<double>(steps) / pairs : 0.0;
    return patch;
}

std::optional<double> CentrePatch::Difference(const ScreenRegion& region, Point corner, int every) const {
    const std::span<const std::uint8_t> mask = MaskOf(region);
    long long sum = 0;
    int count = 0;
    int looked = 0;
    for (int y = 0; y < kSide; y += every) {
        for (int x = 0; x < kSide; x += every) {
            const int then = grey_[static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x)];
            if (then < 0) continue;
            ++looked;
            const int now = GreyAt(region, mask, {corner.x + x, corner.y + y});
            if (now < 0) continue;
            sum += std::abs(now - then);
            ++count;
        }
    }
    if (looked == 0 || count * 2 < looked || count * every * every * 4 < static_cast<int>(kPixels)) return std::nullopt;
    return static_cast<double>(sum) / count;
}

std::optional<Point> CentrePatch::Shift(const ScreenRegion& region, const Rect& picture) const {
    if (!Readable(region.image)) return std::nullopt;
    const Point corner = PatchCorner(picture);
    const std::optional<double> still = Difference(region, corner, 1);
    if (!still) return std::nullopt;
    Point best{0, 0};
    double bestDifference = *still;
    for (int dy = -kReach; dy <= kReach; ++dy) {
        for (int dx = -kReach; dx <= kReach; ++dx) {
            const std::optional<double> d = Difference(region, {corner.x + dx, corner.y + dy}, 1);
            if (d && *d < bestDifference) {
                bestDifference = *d;
                best = {dx, dy};
            }
        }
    }
    // Clearly better, and close to the same pixels: a flat patch or a
    // changing picture shows no shift worth taking.
    if (best == Point{0, 0} || bestDifference > kSamePixels || bestDifference * 2 >= *still) return std::nullopt;
    return best;
}

std::optional<Point> CentrePatch::Track(const ScreenRegion& region, const Rect& picture, int reach) const {
    // A patch without detail matches anywhere on a plain stretch.
    constexpr double kLeastDetail = 4.0;
    constexpr int kCoarseStep = 2;
    constexpr int kCoarsePixels = 3;
    if (!Readable(region.image) || detail_ < kLeastDetail) return std::nullopt;
    const Point corner = PatchCorner(picture);
    // Coarse first: every other shift, every third pixel.
    struct Offset {
        Point at;
        double difference;
    };
    std::vector<Offset> coarse;
    for (int dy = -reach; dy <= reach; dy += kCoarseStep) {
        for (int dx = -reach; dx <= reach; dx += kCoarseStep) {
            if (const auto d = Difference(region, {corner.x + dx, corner.y + dy}, kCoarsePixels)) {
                coarse.push_back({{dx, dy}, *d});
            }
        }
    }
    if (coarse.empty()) return std::nullopt;
    const auto best = std::min_element(coarse.begin(), coarse.end(),
                                       [](const Offset& a, const Offset& b) { return a.difference < b.difference; });
    // Unique: nothing a few pixels away or further comes close. A zoomed
    // picture is smooth, so its neighbours nearby differ little.
    constexpr int kNear = 4 * kCoarseStep;
    for (const Offset& other : coarse) {
        const bool near = std::abs(other.at.x - best->at.x) <= kNear && std::abs(other.at.y - best->at.y) <= kNear;
        if (!near && other.difference < best->difference + kSamePixels) return std::nullopt;
    }
    // Then exact, around the coarse best.
    Point at = best->at;
    double least = -1.0;
    for (int dy = best->at.y - kCoarseStep; dy <= best->at.y + kCoarseStep; ++dy) {
        for (int dx = best->at.x - kCoarseStep; dx <= best->at.x + kCoarseStep; ++dx) {
            const auto d = Difference(region, {corner.x + dx, corner.y + dy}, 1);
            if (d && (least < 0 || *d < least)) {
                least = *d;
                at = {dx, dy};
            }
        }
    }
    if (least < 0 || least > kSamePixels) return std::nullopt;
    return at;
}

void PictureFollower::Start(const ScreenRegion& region, const Rect& picture) {
    following_ = true;
    waiting_ = false;
    seeking_ = false;
    picture_ = picture;
    signature_ = PictureSignature::Of(region, picture);
    patch_ = CentrePatch::Of(region, picture);
    Unpace();
}

void PictureFollower::Seek(const Rect& guide) {
    following_ = true;
    waiting_ = true;
    seeking_ = true;
    picture_ = guide;
    Unpace();
}

void PictureFollower::Displaced(const Rect& guide) {
    if (!following_) return;
    waiting_ = true;
    picture_ = guide;
    Unpace();
}

void PictureFollower::Unpace() {
    strips_.reset();
    quietLooks_ = 0;
    backOff_ = 0;
    rest_ = 0;
    pending_ = false;
    changed_ = false;
    changedLook_ = false;
}

Rect PictureFollower::RegionAround(const Rect& picture, const Rect& monitor) {
    return Intersection(Grown(picture, kMargin), monitor);
}

std::array<Rect, 4> PictureFollower::Strips(const Rect& monitor) const {
    const Rect& p = picture_;
    const int h = kStripHalf;
    const std::array<Rect, 4> strips{{
        {p.left - h, p.top - h, p.right + h, p.top + h},
        {p.left - h, p.bottom - h, p.right + h, p.bottom + h},
        {p.left - h, p.top + h, p.left + h, p.bottom - h},
        {p.right - h, p.top + h, p.right + h, p.bottom - h},
    }};
    std::array<Rect, 4> cut{};
    for (std::size_t i = 0; i < strips.size(); ++i) {
        cut[i] = Intersection(strips[i], monitor);
        if (Empty(cut[i])) cut[i] = {};
    }
    return cut;
}

bool PictureFollower::LookDue(std::span<const ScreenImage> strips) {
    // FNV-1a over the sizes and the pixels, the top byte left out.
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (value >> shift) & 0xFFu;
            hash *= 1099511628211ull;
        }
    };
    for (const ScreenImage& strip : strips) {
        if (!Readable(strip)) {
            mix(0);
            continue;
        }
        mix(static_cast<std::uint32_t>(strip.width));
        mix(static_cast<std::uint32_t>(strip.height));
        for (int y = 0; y < strip.height; ++y) {
            const std::uint32_t* row =
                strip.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(strip.stride);
            for (int x = 0; x < strip.width; ++x) mix(row[x] & 0x00FFFFFFu);
        }
    }
    // A change seen while the looks rest is looked at when they resume.
    const bool changed = strips_ && *strips_ != hash;
    changed_ = changed_ || changed;
    pending_ = pending_ || changed || !strips_;
    strips_ = hash;
    if (waiting_ && ++quietLooks_ >= kWaitingLookEvery) pending_ = true;
    if (rest_ > 0) {
        --rest_;
        return false;
    }
    const bool due = pending_;
    if (due) {
        pending_ = false;
        quietLooks_ = 0;
        changedLook_ = changed_;
        changed_ = false;
    }
    return due;
}

FollowAnswer PictureFollower::Paced(FollowAnswer answer, bool waited) {
    // The same answer again over a scene that keeps changing (a video, a
    // page being painted, another program's animation) lets the looks rest
    // longer; anything new brings them back at once.
    // A look after a move, whose strips are new, or a waiting guide's turn
    // is no sign of a changing scene.
    // Over a scene that changed much since the last look (a fast pan), the
    // looks keep up rather than rest, or the next would find it changed past
    // knowing.
    const bool again = changedLook_ && ((answer.step == FollowStep::Stay && !waited && calm_) ||
                                        (answer.step == FollowStep::Lost && waited));
    changedLook_ = false;
    calm_ = true;
    backOff_ = again ? std::min(backOff_ + 1, kBackOffTicks) : 0;
    rest_ = backOff_;
    return answer;
}

FollowAnswer PictureFollower::Decide(const ScreenRegion& region, const Rect& monitor, bool mayWiden) {
    const Rect area = AreaOf(region);
    if (!following_ || Empty(area)) return {waiting_ && following_ ? FollowStep::Lost : FollowStep::Stay, picture_};
    const bool waited = waiting_;
    const FollowAnswer answer = seeking_ ? SeekIn(region, monitor, mayWiden) : Look(region, monitor, mayWiden);
    return answer.step == FollowStep::Widen ? answer : Paced(answer, waited);
}

// A picture that reaches the region's edge inside the monitor may go on
// beyond it: the wider region to look at again, that far wider as the
// picture is large; the region itself when none does.
Rect PictureFollower::Wider(const Rect& area, const Rect& monitor, std::span<const Rect> found) const {
    const int reach = std::max({Width(picture_), Height(picture_), kMargin});
    Rect wider = area;
    // Zoomed in past the region on every side, the picture shows no edge.
    if (found.empty() && !waiting_) wider = Grown(area, reach);
    for (const Rect& f : found) {
        if (f.left == area.left && area.left > monitor.left) wider.left = std::min(wider.left, area.left - reach);
        if (f.top == area.top && area.top > monitor.top) wider.top = std::min(wider.top, area.top - reach);
        if (f.right == area.right && area.right < monitor.right)
            wider.right = std::max(wider.right, area.right + reach);
        if (f.bottom == area.bottom && area.bottom < monitor.bottom) {
            wider.bottom = std::max(wider.bottom, area.bottom + reach);
        }
    }
    return Intersection(wider, monitor);
}

// How like the picture the content of its frame still is, where it stood:
// as it lies, or panned inside the frame by up to kPanCells cells either
// way (a camera's pan, a zoomed viewer dragged), in steps of half a cell.
double PictureFollower::InFrame(const GreySums& sums, const Likeness& asItLies) const {
    constexpr int kPanCells = 2;
    double best = asItLies.shape;
    const int w = Width(picture_);
    const int h = Height(picture_);
    for (int j = -2 * kPanCells; j <= 2 * kPanCells; ++j) {
        for (int i = -2 * kPanCells; i <= 2 * kPanCells; ++i) {
            if (i == 0 && j == 0) continue;
            const int dx = i * w / (2 * PictureSignature::kSide);
            const int dy = j * h / (2 * PictureSignature::kSide);
            const Rect shifted{picture_.left + dx, picture_.top + dy, picture_.right + dx, picture_.bottom + dy};
            if (const std::optional<Likeness> panned =
                    MatchWith(sums, signature_.means_, signature_.known_, shifted, picture_)) {
                best = std::max(best, panned->shape);
            }
        }
    }
    return best;
}

// Restored or switched on, the guide takes the picture under its centre,
// as a fit does, once there is one.
FollowAnswer PictureFollower::SeekIn(const ScreenRegion& region, const Rect& monitor, bool mayWiden) {
    const Rect area = AreaOf(region);
    const Point centre{picture_.left + Width(picture_) / 2, picture_.top + Height(picture_) / 2};
    const std::optional<Rect> found = Contains(area, centre) ? Found(region, centre) : std::nullopt;
    if (mayWiden) {
        // A picture larger than the region around the guide shows no edge
        // in it: the search goes as far around as the guide is large.
        const Rect wider = found ? Wider(area, monitor, std::span<const Rect>(&*found, 1))
                                 : Intersection(Grown(area, std::max(Width(picture_), Height(picture_))), monitor);
        if (wider != area) return {FollowStep::Widen, wider};
    }
    if (!found) return {FollowStep::Lost, picture_};
    Start(region, *found);
    return {FollowStep::Found, picture_};
}

// A place where the picture may stand now, and how it looks there.
struct PictureFollower::Place {
    Rect rect;
    Likeness likeness;
};

// Where each found rectangle puts the picture: itself, when it has the
// picture's proportions (moved or zoomed); or, when it is the picture
// cut across one dimension by a viewer's or the region's edge, the
// picture's known size laid from the three edges that are its own. Only
// a place that overlaps the last one can be the picture: a copy, a
// thumbnail or a neighbour elsewhere never is, and the guide would
// rather wait.
std::vector<PictureFollower::Place> PictureFollower::Places(const GreySums& sums, std::span<const Rect> found,
                                                            const Rect& area) const {
    std::vector<Place> places;
    const auto consider = [&](const Rect& place, const Rect& seen) {
        if (!Overlap(place, picture_)) return;
        const std::optional<Likeness> likeness = MatchWith(sums, signature_.means_, signature_.known_, place, seen);
        if (!likeness) return;
        for (Place& known : places) {
            if (known.rect == place) {
                if (likeness->shape > known.likeness.shape) known.likeness = *likeness;
                return;
            }
        }
        places.push_back({place, *likeness});
    };
    const int w = Width(picture_);
    const int h = Height(picture_);
    for (const Rect& f : found) {
        const bool leftOpen = f.left == area.left;
        const bool topOpen = f.top == area.top;
        const bool rightOpen = f.right == area.right;
        const bool bottomOpen = f.bottom == area.bottom;
        if (!leftOpen && !topOpen && !rightOpen && !bottomOpen && SameRatio(picture_, f)) consider(f, f);
        if (Width(f) == w && Height(f) < h && !leftOpen && !rightOpen) {
            if (!topOpen) consider({f.left, f.top, f.right, f.top + h}, f);
            if (!bottomOpen) consider({f.left, f.bottom - h, f.right, f.bottom}, f);
        }
        if (Height(f) == h && Width(f) < w && !topOpen && !bottomOpen) {
            if (!leftOpen) consider({f.left, f.top, f.left + w, f.bottom}, f);
            if (!rightOpen) consider({f.right - w, f.top, f.right, f.bottom}, f);
        }
    }
    return places;
}

FollowAnswer PictureFollower::Look(const ScreenRegion& region, const Rect& monitor, bool mayWiden) {
    const Rect area = AreaOf(region);
    const Rect lost = picture_;

    // The pictures under the last place, and while waiting, anywhere near.
    std::vector<Point> starts;
    AddStarts(starts, Intersection(picture_, area), kStartsAcross);
    if (waiting_) AddStarts(starts, area, kWaitingStartsAcross);
    std::vector<Rect> found;
    for (const Point start : starts) {
        if (std::any_of(found.begin(), found.end(), [start](const Rect& r) { return Contains(r, start); })) continue;
        if (const std::optional<Rect> picture = Found(region, start)) found.push_back(*picture);
    }
    if (mayWiden) {
        if (const Rect wider = Wider(area, monitor, found); wider != area) return {FollowStep::Widen, wider};
    }

    const GreySums sums(region);
    const std::vector<Place> places = Places(sums, found, area);

    // The frame first: where it stands as it stood, it holds the same
    // picture while the content is still like it (a video plays, a viewer
    // pans inside it, a painting goes on); a waiting guide wants its own
    // picture back, and a frame now showing another photo is another
    // picture, whatever else lies there.
    const auto frame = std::find_if(places.begin(), places.end(), [&](const Place& p) { return p.rect == picture_; });
    if (frame != places.end() && (waiting_ ? frame->likeness.Same() : InFrame(sums, frame->likeness) >= kSameFrame)) {
        waiting_ = false;
        calm_ = frame->likeness.shape >= kMatch;
        return MoveTo(region, sums, picture_);
    }
    std::vector<Place> same;
    for (const Place& place : places) {
        if (place.rect != picture_ && place.likeness.Same()) same.push_back(place);
    }
    if (!same.empty()) {
        std::sort(same.begin(), same.end(),
                  [](const Place& a, const Place& b) { return a.likeness.shape > b.likeness.shape; });
        if (same.size() > 1 && same[0].likeness.shape - same[1].likeness.shape < kClearlyBetter) {
            // Two places fit about as well: stay.
            return waiting_ ? FollowAnswer{FollowStep::Lost, lost} : FollowAnswer{FollowStep::Stay, picture_};
        }
        waiting_ = false;
        return MoveTo(region, sums, same[0].rect);
    }
    // A copy of it at another exposure lies over the place: not its own.
    const bool duplicate =
        std::any_of(places.begin(), places.end(), [](const Place& p) { return p.likeness.shape >= kMatch; });
    if (frame == places.end() && !duplicate && !waiting_) {
        // Nothing found, but the centre shows clearly where it went, and the
        // whole picture there is the same: its edges were hidden.
        if (const std::optional<Point> shift = patch_.Track(region, picture_, kMargin)) {
            const Rect moved{picture_.left + shift->x, picture_.top + shift->y, picture_.right + shift->x,
                             picture_.bottom + shift->y};
            const std::optional<Likeness> likeness =
                MatchWith(sums, signature_.means_, signature_.known_, moved, moved);
            if (likeness && likeness->Same()) return MoveTo(region, sums, moved);
        }
        // Nothing found where it could be: still there, its edges hidden
        // for the moment (or blurred by what crosses them), or gone. Where
        // it was, it may have changed as much as in a frame that shows.
        const std::optional<Likeness> still = MatchWith(sums, signature_.means_, signature_.known_, picture_, picture_);
        if (still && still->shape >= kSameFrame) return MoveTo(region, sums, picture_);
    }
    waiting_ = true;
    return {FollowStep::Lost, lost};
}

GuidePlacement PlacementFollowing(const TSettings& settings, const Rect& picture, int dpi) {
    GuidePlacement placement = PlacementOnPicture(settings, picture, dpi);
    if (!settings.Lock()) return placement;
    GuidePlacement kept = placement;
    kept.ratio = settings.Ratio();
    // The setters' own rounding decides: tried on settings of their own.
    TSettings trial(0);
    trial.SetLockWidth(settings.LockWidth());
    trial.SetPlacement(kept);
    return trial.Width() == placement.width && trial.Height() == placement.height ? kept : placement;
}

FollowAnswer PictureFollower::MoveTo(const ScreenRegion& region, const GreySums& sums, Rect place) {
    // The guide's outline hides the picture's first line and the line after
    // its last, so a shift of as many pixels shows only at the centre; where
    // the size stayed, the centre tells. Further than the outline hides, the
    // edges would have shown it: the content moved inside a frame that stayed.
    if (Width(place) == Width(picture_) && Height(place) == Height(picture_)) {
        if (const std::optional<Point> shift = patch_.Shift(region, place)) {
            const Point hidden = HiddenEdges(region, place);
            if (std::abs(shift->x) <= hidden.x && std::abs(shift->y) <= hidden.y) {
                place = {place.left + shift->x, place.top + shift->y, place.right + shift->x, place.bottom + shift->y};
            }
        }
    }
    // Every confident look takes the picture as it is now, so one that
    // changes slowly (a painting, a video) stays known.
    EachCellMean(sums, place, place, [&](std::size_t cell, float mean) {
        signature_.means_[cell] = mean;
        signature_.known_[cell] = true;
    });
    patch_ = CentrePatch::Of(region, place);
    if (place == picture_) return {FollowStep::Stay, picture_};
    picture_ = place;
    strips_.reset();
    return {FollowStep::Move, picture_};
}

}  // namespace lumetra
