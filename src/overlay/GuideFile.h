#pragma once
// Guide files (*.guide): guides of the user's own, read from text that a
// designer writes by hand. Each line holds one statement:
//
//   name = Baseline grid                 the look list's entry
//   name.German = Grundlinienraster      the entry in one language
//   line X1 Y1 X2 Y2
//   polyline X1 Y1 X2 Y2 ...             2 to kMaxGuidePoints points
//   polygon X1 Y1 X2 Y2 X3 Y3 ...        closed, 3 to kMaxGuidePoints points
//   rect X1 Y1 X2 Y2                     two opposite corners
//   circle X Y R                         R of the shorter side
//   ellipse X Y RX RY                    RX of the width, RY of the height
//   arc X Y R FROM TO                    a circle's arc, degrees
//   arc X Y RX RY FROM TO                an ellipse's arc, degrees
//   text X Y "label"                     centred on X, Y; with the measurements
//
// and any element may end with "repeat DX DY [N]": copies shifted by DX, DY
// each, N in all (kMaxGuideRepeat when left out), of which those that touch
// the measured area are drawn. A value is a fraction of the measured area's
// width (X) or height (Y) counted from the orientation's origin corner
// ("0.25"), a percentage ("25%"), a percentage of a named side whatever the
// axis ("50%h", "50%w", "100%short", "100%long"), whole or part pixels
// ("8px") or two of them joined by "+" or "-" ("50%-8px"). "#" or ";"
// starts a comment, except within a name line or a quoted label.
//
// The file is untrusted: every bound below is checked, and what is drawn per
// paint stays bounded however the file is written.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumetra {

inline constexpr std::size_t kMaxGuideFileSize = 64 * 1024;
inline constexpr std::size_t kMaxGuideElements = 256;
inline constexpr std::size_t kMaxGuidePoints = 64;
inline constexpr std::size_t kMaxGuideTextLength = 64;  // names and labels, in characters
inline constexpr std::size_t kMaxGuideNames = 32;       // "name" and its languages together
inline constexpr std::size_t kMaxGuideErrors = 20;
inline constexpr std::int32_t kMaxGuideRepeat = 4096;
// Fractions and percentages from -1 to 2 (-100% to 200%), pixels up to the
// largest measured area either way, angles within one turn either way.
inline constexpr double kMinGuideFraction = -1.0;
inline constexpr double kMaxGuideFraction = 2.0;
inline constexpr double kMaxGuidePixels = 16384.0;
inline constexpr double kMaxGuideDegrees = 360.0;

// A distance from the origin corner: fraction times the span it is measured
// along (the width, the height or the shorter side), plus pixels, plus
// fractions of the sides named whatever the axis.
struct GuideLength {
    double fraction = 0.0;
    double pixels = 0.0;
    double ofWidth = 0.0;
    double ofHeight = 0.0;
    double ofShorter = 0.0;
    double ofLonger = 0.0;
    friend bool operator==(const GuideLength&, const GuideLength&) = default;
};

struct GuidePoint {
    GuideLength x;
    GuideLength y;
    friend bool operator==(const GuidePoint&, const GuidePoint&) = default;
};

enum class GuideShape { Line, Polyline, Polygon, Rect, Circle, Ellipse, Arc, Text };

struct GuideElement {
    GuideShape shape = GuideShape::Line;
    // Line 2, Polyline and Polygon their points, Rect two corners, the
    // others their centre or anchor.
    std::vector<GuidePoint> points;
    // Circle and a circle's arc (round): radiusX of the shorter side, for
    // both axes. Ellipse and an ellipse's arc: radiusX of the width and
    // radiusY of the height.
    GuideLength radiusX;
    GuideLength radiusY;
    bool round = false;
    // Arc: from the origin frame's X direction towards its Y direction.
    double fromDegrees = 0.0;
    double toDegrees = 0.0;
    std::string text;  // Text
    GuidePoint repeatStep;
    std::int32_t repeatCount = 1;  // 1: no repeat
};

struct UserGuide {
    std::string name;  // empty when the file gives none
    // Language file name ("German", "Portuguese (Brazil)") and the name in it.
    std::vector<std::pair<std::string, std::string>> localNames;
    std::vector<GuideElement> elements;
};

// line is 1-based; 0 speaks of the file as a whole.
struct GuideError {
    int line = 0;
    std::string message;
    friend bool operator==(const GuideError&, const GuideError&) = default;
};

struct GuideParse {
    UserGuide guide;
    // In line order, at most kMaxGuideErrors; a guide with any is not shown.
    std::vector<GuideError> errors;
    // What the guide is shown with all the same (a character the code page
    // lacks), in line order, at most kMaxGuideErrors.
    std::vector<GuideError> notes;
};

// One character, as UTF-16, in the program's code page; nothing when the
// code page lacks it.
using GuideCharConverter = std::function<std::optional<std::string>(std::u16string_view)>;
// Latin-1, for tools and tests that have no system code page to ask.
std::optional<std::string> Latin1Character(std::u16string_view character);

// Lines end with CR, LF or CR LF. A file with a UTF-16 byte-order mark, with
// UTF-8's, or valid UTF-8 holding any byte above 127 is read as Unicode, and
// its texts are converted to the code page, each character it lacks as '?';
// any other file is in the code page already and kept as the bytes stand.
GuideParse ParseGuideFile(std::string_view text, const GuideCharConverter& toCodePage = Latin1Character);

// The name for the language (ASCII case ignored), else the plain name, else
// fallback.
std::string GuideDisplayName(const UserGuide& guide, std::string_view language,
                             std::string_view fallback);

}  // namespace lumetra
