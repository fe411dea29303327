#pragma once
// The numbers behind every look: the orientation frame, the ratio constants
// and presets, the working ratios, the step sequences and the spiral path.
// Everything here is a pure function of its arguments.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Types.h"

namespace lumetra {

class Canvas;

// The measured area seen from the origin corner that OrientMode selects.
// Distances from the origin grow along DX and DY (+1 or -1).
struct OrientFrame {
    std::int32_t X0 = 0;
    std::int32_t X1 = 0;
    std::int32_t DX = 1;
    std::int32_t Y0 = 0;
    std::int32_t Y1 = 0;
    std::int32_t DY = 1;
    std::int32_t CX = 0;
    std::int32_t CY = 0;
    friend bool operator==(const OrientFrame&, const OrientFrame&) = default;
};

// Sizes are expected within the settings' bounds (kMaxDimension, kMaxBorder);
// an OrientMode outside 0..3 means the bottom-left origin.
OrientFrame ComputeOrientFrame(std::int32_t width, std::int32_t height, std::int32_t border, std::int32_t orientMode);

// The double nearest to (sqrt(5) - 1) / 2.
inline constexpr double InvPhi = std::bit_cast<double>(std::uint64_t{0x3FE3C6EF372FE950});
inline constexpr long double Pi = 3.14159265358979323851L;

inline constexpr std::size_t kRatioPresetCount = 17;
// Height-to-width ratios offered by the panel's ratio list, in list order.
const std::array<double, kRatioPresetCount>& RatioPresets();

// Whether a typed value may become Ratio: a finite ratio from 0.01 (a 100:1
// strip; a thinner one rounds the other side to a line) up to below 3.1, and
// not within 0.001 of the square.
bool AcceptsTypedRatio(double v);

// The ratio a look works with: a Ratio of exactly 1 draws golden-ratio
// divisions, and a ratio no look can draw (zero, negative, not finite) falls
// back to InvPhi as well.
double EffectiveRatio(double ratio);
// The ratio turned to at most 1, so that every step shrinks.
double ReducedRatio(double q);
// The ratio turned to at least 1, kept in extended precision for the
// logarithm of the spiral rates.
long double SpiralFactor(double q);
// Rates of a spiral whose radius divides by the spiral factor every quarter
// turn or every full turn.
double QuarterTurnRate(long double spiralFactor);
double FullTurnRate(long double spiralFactor);

// The golden-ratio distance of a signed span, rounded.
std::int32_t PhiOffset(std::int32_t span);
constexpr std::int32_t ThirdOffset(std::int32_t span) { return span / 3; }

// start, then each term rounded from the previous one times r, while at most
// limit further terms have been made and the term is at least minimum.
std::vector<std::int32_t> RatioSteps(std::int32_t start, double r, int limit, std::int32_t minimum);
// "above,start,next,..." : the step above start, start, and at most twenty
// further steps, none below 2.
std::string StepText(std::int32_t start, double r);
// The same steps, each length written by `length` and joined by `joiner`.
std::string StepText(std::int32_t start, double r, const std::function<std::string(std::int32_t)>& length,
                     char joiner);

inline constexpr int kMaxSpiralSegments = 4001;

struct SpiralStart {
    double angle = 0.0;  // radians, clockwise on screen
    int sense = 1;       // +1 clockwise, -1 counter-clockwise
    friend bool operator==(const SpiralStart&, const SpiralStart&) = default;
};

// One point of a spiral's course: the angle turned so far, the radius there,
// and the cosine and sine of that angle, the last three carried along the
// course to within about a hundred units in the last place of double of their
// exact values (see SpiralCourse). Spirals that share the start radius, rate
// and minimum share their whole course; only where they start and which way
// they turn differs, so look 6 computes its four spirals' course once.
struct SpiralStep {
    double theta = 0.0;
    double radius = 0.0;
    double cos = 1.0;
    double sin = 0.0;
};

// A course and what it grew from, for the rare point whose pixel the steps'
// doubles cannot settle.
struct SpiralTrack {
    double startRadius = 0.0;
    double rate = 0.0;
    std::vector<SpiralStep> steps;
};

// The start (angle 0) and at most kMaxSpiralSegments further steps, ending
// once the radius drops below minRadius.
SpiralTrack SpiralCourse(double startRadius, double rate, std::int32_t minRadius);

// Draws one spiral through a shared course: a move to the first step, a line
// to each further one.
void SpiralPath(Canvas& canvas, Point centre, const SpiralTrack& course, const SpiralStart& start);

// Start angle and sense of spiral 1..4 of the spiral looks. portrait is
// q >= 1. An OrientMode outside 0..3 starts every spiral at angle 0, clockwise.
SpiralStart SpiralStarts(int spiral, bool portrait, std::int32_t orientMode);

}  // namespace lumetra
