#include "overlay/looks/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "common/Numbers.h"
#include "canvas/Canvas.h"

namespace lumetra {

namespace {

constexpr double kHalfPi = 1.5707963267948966;
constexpr double kPiDouble = 3.141592653589793;

// A coordinate offset that saturates instead of overflowing.
int Offset(int base, std::int32_t delta) {
    const std::int64_t sum = std::int64_t{base} + delta;
    return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max()));
}

struct CosSin {
    long double cos;
    long double sin;
};

// cos and sin of a spiral angle in long double. The C library reduces a long
// double argument beyond pi/4 with its general multi-word method, which made
// the 16 000 points of look 6 cost milliseconds. Spiral angles stay within a
// few hundred radians, where pi/2 in three parts (k times either of the first
// two is exact) reduces them far more precisely than any rounding can see.
CosSin CosSinOf(double angle) {
    constexpr long double kHalfPi1 = 0x6487ED5110Bp-42L;
    constexpr long double kHalfPi2 = 0x4611A626331p-86L;
    constexpr long double kHalfPi3 = 0x45C06E0E68948127p-150L;
    constexpr long double kTwoOverPi = 0.636619772367581343075535053490057448L;
    const long double x = angle;
    const long double k = std::rint(x * kTwoOverPi);
    if (!(std::fabs(k) < 512)) return {std::cos(x), std::sin(x)};
    const long double r = ((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3;
    const long double c = std::cos(r);
    const long double s = std::sin(r);
    switch (static_cast<int>(k) & 3) {
        case 0: return {c, s};
        case 1: return {-s, c};
        case 2: return {-c, -s};
        default: return {s, -c};
    }
}

double SpiralRadius(double startRadius, double rate, double theta) {
    return static_cast<double>(std::exp(static_cast<long double>(rate) * theta) * startRadius);
}

// Whether a course's radius lies below the minimum, from the radius carried
// to it. Only where the two lie too close for its error to tell does the
// exact radius decide.
bool BelowMinimum(std::int32_t minRadius, double carried, double startRadius, double rate, double theta) {
    constexpr double kDoubt = 0x1p-40;  // far above the carried radius's error
    const double minimum = minRadius;
    if (std::isfinite(carried) && std::fabs(carried - minimum) > std::fabs(minimum) * kDoubt) {
        return minimum > carried;
    }
    return minimum > SpiralRadius(startRadius, rate, theta);
}

}  // namespace

OrientFrame ComputeOrientFrame(std::int32_t width, std::int32_t height, std::int32_t border, std::int32_t orientMode) {
    const std::int32_t left = border;
    const std::int32_t right = border + width;
    const std::int32_t top = border + 16;
    const std::int32_t bottom = border + 16 + height;
    const std::int32_t cx = Half(left + right);
    const std::int32_t cy = Half(top + bottom);
    switch (orientMode) {
        case 0: return {left, right, 1, top, bottom, 1, cx, cy};
        case 1: return {right, left, -1, top, bottom, 1, cx, cy};
        case 2: return {right, left, -1, bottom, top, -1, cx, cy};
        default: return {left, right, 1, bottom, top, -1, cx, cy};
    }
}

const std::array<double, kRatioPresetCount>& RatioPresets() {
    // Entries 1, 10 and 11 are divided or rooted in extended precision and
    // only then stored, which decides their last bit.
    static const std::array<double, kRatioPresetCount> presets = {
        InvPhi,
        static_cast<double>(1.0L / InvPhi),
        0.5,
        2.0,
        0.3333333333333333,
        3.0,
        0.75,
        1.3333333333333333,
        0.6666666666666666,
        1.5,
        static_cast<double>(1.0L / std::sqrt(2.0L)),
        static_cast<double>(std::sqrt(2.0L)),
        1.0,
        0.5625,
        1.7777777777777777,
        0.41841004184100417,
        2.39,
    };
    return presets;
}

bool AcceptsTypedRatio(double v) { return std::isfinite(v) && v >= 0.01 && std::fabs(v - 1.0) > 0.001 && v < 3.1; }

double EffectiveRatio(double ratio) {
    if (ratio == 1.0 || !(ratio > 0.0) || !std::isfinite(ratio)) return InvPhi;
    return ratio;
}

double ReducedRatio(double q) { return q <= 1.0 ? q : static_cast<double>(1.0L / q); }

long double SpiralFactor(double q) { return q >= 1.0 ? static_cast<long double>(q) : 1.0L / q; }

double QuarterTurnRate(long double spiralFactor) { return static_cast<double>(std::log(spiralFactor) * -2.0L / Pi); }

double FullTurnRate(long double spiralFactor) { return static_cast<double>(-std::log(spiralFactor) / Pi / 2.0L); }

std::int32_t PhiOffset(std::int32_t span) { return Nearest(static_cast<long double>(span) * InvPhi); }

std::vector<std::int32_t> RatioSteps(std::int32_t start, double r, int limit, std::int32_t minimum) {
    std::vector<std::int32_t> terms{start};
    std::int32_t t = start;
    for (int k = 1; k <= limit; ++k) {
        t = Nearest(static_cast<long double>(t) * r);
        if (t < minimum) break;
        terms.push_back(t);
    }
    return terms;
}

std::string StepText(std::int32_t start, double r) {
    return StepText(start, r, [](std::int32_t length) { return std::to_string(length); }, ',');
}

std::string StepText(std::int32_t start, double r, const std::function<std::string(std::int32_t)>& length,
                     char joiner) {
    constexpr int kMaxFurtherSteps = 20;
    std::string text = length(Nearest(static_cast<long double>(start) / r));
    std::int32_t t = start;
    for (int k = 0;; ++k) {
        text += joiner;
        text += length(t);
        t = Nearest(static_cast<long double>(t) * r);
        if (k + 1 > kMaxFurtherSteps || t < 2) break;
    }
    return text;
}

// The radius along the course is carried from step to step, multiplied by
// exp(rate * step) and by the first-order effect of the step's rounding; cos
// and sin come from turning the previous pair by the step just taken. A step
// is 0.05 plus its rounding to theta's precision (below 2^-45), which enters
// to first order: exact to double precision. Every kFreshEvery steps all
// three are evaluated afresh, so that in between each drifts by at most
// some 3 * kFreshEvery units in the last place of double (about 2^-46). Past
// kCarriedExponent, a radius some nine million times its start or smaller,
// each radius is evaluated afresh, so that no carried product runs out of
// range on the way; no spiral that ends at a pixel radius gets there.
SpiralTrack SpiralCourse(double startRadius, double rate, std::int32_t minRadius) {
    constexpr int kFreshEvery = 32;
    constexpr long double kStep = 0.05L;
    constexpr long double kCarriedExponent = 16.0L;
    static const auto stepCos = static_cast<double>(std::cos(kStep));
    static const auto stepSin = static_cast<double>(std::sin(kStep));
    const auto growth = static_cast<double>(std::exp(static_cast<long double>(rate) * kStep));
    SpiralTrack course{startRadius, rate, {}};
    std::vector<SpiralStep>& steps = course.steps;
    steps.reserve(kMaxSpiralSegments + 1);
    SpiralStep step{0.0, SpiralRadius(startRadius, rate, 0.0), 1.0, 0.0};
    steps.push_back(step);
    for (int i = 1; i <= kMaxSpiralSegments; ++i) {
        const double next = static_cast<double>(step.theta + kStep);
        const auto slip = static_cast<double>((static_cast<long double>(next) - step.theta) - kStep);
        const bool fresh = i % kFreshEvery == 0;
        if (fresh || !(std::fabs(static_cast<long double>(rate) * next) <= kCarriedExponent)) {
            step.radius = SpiralRadius(startRadius, rate, next);
        } else {
            step.radius *= growth * (1.0 + rate * slip);
        }
        if (BelowMinimum(minRadius, step.radius, startRadius, rate, next)) break;
        if (fresh) {
            const CosSin turned = CosSinOf(next);
            step.cos = static_cast<double>(turned.cos);
            step.sin = static_cast<double>(turned.sin);
        } else {
            const double c = stepCos - slip * stepSin;
            const double s = stepSin + slip * stepCos;
            step = {step.theta, step.radius, step.cos * c - step.sin * s, step.sin * c + step.cos * s};
        }
        step.theta = next;
        steps.push_back(step);
    }
    return course;
}

namespace {

// The spiral's point at its step's angle, precisely: each point lies at the
// stored angle sense * theta + start, rounded to a double. Its cosine and
// sine come from those of theta and of the start angle, in long double, and
// are then moved by that rounding (a few 1e-14 radians at most, so the
// first-order terms are exact to long double precision). This agrees with
// evaluating cos and sin of the stored angle to within the last bits of a
// long double. The radius is the exact one, not the carried.
Point PrecisePoint(Point centre, const SpiralTrack& course, double theta, const CosSin& turn,
                   const SpiralStart& start) {
    const CosSin along = CosSinOf(theta);
    const long double radius = SpiralRadius(course.startRadius, course.rate, theta);
    const long double sense = start.sense;
    const long double exact = sense * theta + start.angle;  // exact in long double
    const long double slip = static_cast<double>(exact) - exact;
    const long double sin = sense * along.sin;
    const long double c = along.cos * turn.cos - sin * turn.sin;
    const long double s = sin * turn.cos + along.cos * turn.sin;
    return {Offset(centre.x, Nearest((c - slip * s) * radius)), Offset(centre.y, Nearest((s + slip * c) * radius))};
}

// The offset Nearest gives a value that double arithmetic came within
// 2^-28 of (a few dozen units in the last place of the course's values at a
// radius below kLargestRadius): nothing where the value lies so close to a
// half that those could round it the other way. About one value in eight
// million is that close.
std::optional<int> SurelyNearest(double value) {
    constexpr double kDoubt = 0x1p-24;
    const double rounded = std::rint(value);
    if (std::fabs(std::fabs(value - rounded) - 0.5) < kDoubt) return std::nullopt;
    return static_cast<int>(rounded);
}

// The spiral's point in double arithmetic, where it rounds to the same pixel
// as PrecisePoint: that takes two long double library calls and an exp.
std::optional<Point> QuickPoint(Point centre, const SpiralStep& step, double turnCos, double turnSin,
                                const SpiralStart& start) {
    constexpr double kLargestRadius = 0x1p16;
    if (!(std::fabs(step.radius) < kLargestRadius)) return std::nullopt;
    // The stored angle and its rounding, exactly (two-sum): sense * theta is.
    const double along = start.sense * step.theta;
    const double angle = along + start.angle;
    const double alongPart = angle - start.angle;
    const double slip = -((along - alongPart) + (start.angle - (angle - alongPart)));
    const double sin = start.sense * step.sin;
    const double c = step.cos * turnCos - sin * turnSin;
    const double s = sin * turnCos + step.cos * turnSin;
    const std::optional<int> x = SurelyNearest((c - slip * s) * step.radius);
    const std::optional<int> y = SurelyNearest((s + slip * c) * step.radius);
    if (!x || !y) return std::nullopt;
    return Point{Offset(centre.x, *x), Offset(centre.y, *y)};
}

}  // namespace

void SpiralPath(Canvas& canvas, Point centre, const SpiralTrack& course, const SpiralStart& start) {
    const CosSin turn = CosSinOf(start.angle);
    const auto turnCos = static_cast<double>(turn.cos);
    const auto turnSin = static_cast<double>(turn.sin);
    bool first = true;
    for (const SpiralStep& step : course.steps) {
        const std::optional<Point> quick = QuickPoint(centre, step, turnCos, turnSin, start);
        const Point point = quick ? *quick : PrecisePoint(centre, course, step.theta, turn, start);
        if (first) {
            canvas.MoveTo(point.x, point.y);
            first = false;
        } else {
            canvas.LineTo(point.x, point.y);
        }
    }
}

SpiralStart SpiralStarts(int spiral, bool portrait, std::int32_t orientMode) {
    using Row = std::array<SpiralStart, 4>;  // by OrientMode 0..3
    static constexpr std::array<Row, 4> landscape = {{
        {{{kPiDouble, 1}, {0.0, -1}, {0.0, 1}, {kPiDouble, -1}}},
        {{{0.0, 1}, {kPiDouble, -1}, {kPiDouble, 1}, {0.0, -1}}},
        {{{-kHalfPi, 1}, {-kHalfPi, -1}, {kHalfPi, 1}, {kHalfPi, -1}}},
        {{{kHalfPi, 1}, {kHalfPi, -1}, {-kHalfPi, 1}, {-kHalfPi, -1}}},
    }};
    static constexpr std::array<Row, 4> upright = {{
        {{{-kHalfPi, -1}, {-kHalfPi, 1}, {kHalfPi, -1}, {kHalfPi, 1}}},
        {{{kHalfPi, -1}, {kHalfPi, 1}, {-kHalfPi, -1}, {-kHalfPi, 1}}},
        {{{kPiDouble, -1}, {0.0, 1}, {0.0, -1}, {kPiDouble, 1}}},
        {{{0.0, -1}, {kPiDouble, 1}, {kPiDouble, -1}, {0.0, 1}}},
    }};
    if (spiral < 1 || spiral > 4 || orientMode < 0 || orientMode > 3) return {0.0, 1};
    const auto& table = portrait ? upright : landscape;
    return table[static_cast<std::size_t>(spiral - 1)][static_cast<std::size_t>(orientMode)];
}

}  // namespace lumetra
