#pragma once
// Keeping a guide on the picture it was fitted to while the viewer pans,
// zooms or scrolls: a look at the screen around the picture answers whether
// the guide stays, moves to a new rectangle, or has lost its picture. It
// never takes another picture of the same proportions for it: what it
// follows must show the same content and lie where the last one could have
// gone.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/Dpi.h"
#include "common/Types.h"
#include "overlay/fit/PictureFinder.h"
#include "settings/AppSettings.h"

namespace lumetra {

class GreySums;
struct Likeness;
class IgnoreMask;

// A copy of part of the screen: its pixels, where its top-left pixel lies
// on the screen, and what the guides drew over it (nothing: all is seen).
struct ScreenRegion {
    ScreenImage image;
    Point origin;
    const IgnoreMask* drawn = nullptr;
};

// A grey thumbnail of a picture: the mean grey of each of a grid of cells.
// Cell means hold for the picture at any size, so a zoomed copy matches.
class PictureSignature {
public:
    static constexpr int kSide = 16;

    PictureSignature() = default;
    // The picture at `picture` (screen pixels) as the region shows it;
    // cells the region does not show or the guides hide stay unknown.
    static PictureSignature Of(const ScreenRegion& region, const Rect& picture);

private:
    // The follower compares it with many places of one region: the
    // correlation of the cell means over the cells a place shows, 1 for the
    // same picture.
    friend class PictureFollower;
    static constexpr std::size_t kCells = static_cast<std::size_t>(kSide) * kSide;
    std::array<float, kCells> means_{};
    std::array<bool, kCells> known_{};
};

// The grey pixels around a picture's centre, as they were: a pan of a pixel
// or two hides behind the guide's own outline, which lies on the edges, but
// shows here.
class CentrePatch {
public:
    static constexpr int kSide = 48;
    // How far a shift is looked for, per axis.
    static constexpr int kReach = 2;

    static CentrePatch Of(const ScreenRegion& region, const Rect& picture);
    // How far the picture at `picture` has shifted since, when the patch
    // clearly shows it; nothing when it does not, or it has not.
    std::optional<Point> Shift(const ScreenRegion& region, const Rect& picture) const;
    // Where the patch shows again within `reach` pixels either way, for a
    // picture of the same size whose edges the finder cannot see (under the
    // guide's own caption strip): only a clear, unique match of a patch
    // with detail counts.
    std::optional<Point> Track(const ScreenRegion& region, const Rect& picture, int reach) const;

private:
    static constexpr std::size_t kPixels = static_cast<std::size_t>(kSide) * kSide;
    // The mean difference to the region at a shift, over every `every`-th
    // pixel seen then and now; nothing when too few are.
    std::optional<double> Difference(const ScreenRegion& region, Point corner, int every) const;

    std::array<std::int16_t, kPixels> grey_{};  // -1: not seen
    double detail_ = 0.0;                       // the mean difference between neighbouring pixels
};

enum class FollowStep {
    Stay,   // the picture is where the guide is, or it is not clear where it went
    Move,   // the picture is now at `rect`
    Lost,   // the picture is gone: the guide waits where it is
    Widen,  // the picture reaches past the region: look again at `rect`
    Found,  // the guide waited for a picture under it and has one at `rect`: a fit
};

struct FollowAnswer {
    FollowStep step = FollowStep::Stay;
    Rect rect;
    friend bool operator==(const FollowAnswer&, const FollowAnswer&) = default;
};

class PictureFollower {
public:
    // How far around the picture a look reaches: a pan between two looks
    // rarely goes further, and a copy this size stays cheap.
    static constexpr int kMargin = 64;
    // How thick the strips along the picture's edges are on either side of
    // each edge.
    static constexpr int kStripHalf = 3;
    // While waiting, one look in this many goes ahead although the strips
    // are still: the picture may come back beside them.
    static constexpr int kWaitingLookEvery = 8;
    // While the scene keeps changing and the answer stays the same, the
    // looks rest for up to this many ticks in between: at the shell's ticks
    // of 150 ms, a frame that moves then is still seen within 450 ms.
    static constexpr int kBackOffTicks = 2;

    // Starts following the picture at `picture` (screen pixels), shown in
    // the region, which holds the picture's content as the fit found it.
    void Start(const ScreenRegion& region, const Rect& picture);
    // Starts following the picture that lies under the guide's measured
    // area `guide` (screen pixels) once there is one: restored at start or
    // switched on, the guide waits until a look finds it.
    void Seek(const Rect& guide);
    // The displays changed: the picture is looked for again around the
    // guide's measured area, where the guide now stands, and waited for.
    void Displaced(const Rect& guide);
    void Stop() { following_ = false; }
    bool Following() const { return following_; }
    bool Waiting() const { return following_ && waiting_; }
    // Waiting for a first picture: no look at the screen has found one yet.
    bool Seeking() const { return following_ && seeking_; }
    // The last place of the picture, in screen pixels.
    const Rect& Picture() const { return picture_; }

    // The area a look copies: the picture grown by the margin, cut to the monitor.
    Rect Region(const Rect& monitor) const { return RegionAround(picture_, monitor); }
    static Rect RegionAround(const Rect& picture, const Rect& monitor);
    // Thin strips across the picture's four edges, cut to the monitor: any
    // pan, zoom or change of the picture changes them.
    std::array<Rect, 4> Strips(const Rect& monitor) const;
    // Whether a look is due, given the strips copied now: they differ from
    // the last ones (or there are none yet since the picture moved), or a
    // waiting guide's turn has come, and the looks do not rest. Remembers them.
    bool LookDue(std::span<const ScreenImage> strips);

    // Where the picture is now, seen in the region (its area within the
    // monitor). mayWiden: a picture reaching past the region's edge inside
    // the monitor asks for a wider region once; without it, that edge is
    // taken as unknown. A move is taken as made.
    FollowAnswer Decide(const ScreenRegion& region, const Rect& monitor, bool mayWiden);

private:
    struct Place;

    FollowAnswer Look(const ScreenRegion& region, const Rect& monitor, bool mayWiden);
    // The places the found rectangles put the picture at, overlapping its last one.
    std::vector<Place> Places(const GreySums& sums, std::span<const Rect> found, const Rect& area) const;
    FollowAnswer SeekIn(const ScreenRegion& region, const Rect& monitor, bool mayWiden);
    Rect Wider(const Rect& area, const Rect& monitor, std::span<const Rect> found) const;
    double InFrame(const GreySums& sums, const Likeness& asItLies) const;
    // Takes the place, refined by the centre's shift, and the picture as it
    // looks there now; answers the move, or staying when it is the same place.
    FollowAnswer MoveTo(const ScreenRegion& region, const GreySums& sums, Rect place);
    // Lets the looks rest after the same answer again; `waited`: before the look.
    FollowAnswer Paced(FollowAnswer answer, bool waited);
    // The looks from scratch: strips unknown, no rest.
    void Unpace();

    bool following_ = false;
    bool waiting_ = false;
    bool seeking_ = false;
    Rect picture_;
    PictureSignature signature_;
    CentrePatch patch_;
    std::optional<std::uint64_t> strips_;
    int quietLooks_ = 0;
    bool pending_ = false;      // a look is owed: the strips changed, or are new
    bool changed_ = false;      // the strips changed since the last look
    bool changedLook_ = false;  // the look under way was owed to a change
    bool calm_ = true;          // the look found the picture much as it was
    int backOff_ = 0;           // ticks the looks rest after each one
    int rest_ = 0;              // ticks still to rest
};

// The guide's placement on the picture it follows: as a fit places it, but a
// zoomed picture keeps the guide's ratio where that ratio gives the new size
// exactly through the setters, so the same ratio stays locked.
GuidePlacement PlacementFollowing(const TSettings& settings, const Rect& picture, int dpi = kDefaultDpi);

}  // namespace lumetra
