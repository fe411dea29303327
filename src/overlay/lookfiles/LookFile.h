#pragma once
// Look files, which the user knows as guide files (*.guide): looks of the
// user's own, read from text that a designer writes by hand. Each line
// holds one statement:
//
//   name = Baseline grid                 the look list's entry
//   name.German = Grundlinienraster      the entry in one language
//   line X1 Y1 X2 Y2
//   polyline X1 Y1 X2 Y2 ...             2 to kMaxLookPoints points
//   polygon X1 Y1 X2 Y2 X3 Y3 ...        closed, 3 to kMaxLookPoints points
//   rect X1 Y1 X2 Y2                     two opposite corners
//   circle X Y R                         R of the shorter side
//   ellipse X Y RX RY                    RX of the width, RY of the height
//   arc X Y R FROM TO                    a circle's arc, degrees
//   arc X Y RX RY FROM TO                an ellipse's arc, degrees
//   text X Y "label"                     centred on X, Y; with the measurements
//
// and any element may end with "repeat DX DY [N]": copies shifted by DX, DY
// each, N in all (kMaxLookRepeat when left out), of which those that touch
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

inline constexpr std::size_t kMaxLookFileSize = 64 * 1024;
inline constexpr std::size_t kMaxLookElements = 256;
inline constexpr std::size_t kMaxLookPoints = 64;
inline constexpr std::size_t kMaxLookTextLength = 64;  // names and labels, in characters (UTF-8: 4 bytes at most)
inline constexpr std::size_t kMaxLookNames = 32;       // "name" and its languages together
inline constexpr std::size_t kMaxLookErrors = 20;
inline constexpr std::int32_t kMaxLookRepeat = 4096;
// Fractions and percentages from -1 to 2 (-100% to 200%), pixels up to the
// largest measured area either way, angles within one turn either way.
inline constexpr double kMinLookFraction = -1.0;
inline constexpr double kMaxLookFraction = 2.0;
inline constexpr double kMaxLookPixels = 16384.0;
inline constexpr double kMaxLookDegrees = 360.0;

// A distance from the origin corner: fraction times the span it is measured
// along (the width, the height or the shorter side), plus pixels, plus
// fractions of the sides named whatever the axis.
struct LookLength {
    double fraction = 0.0;
    double pixels = 0.0;
    double ofWidth = 0.0;
    double ofHeight = 0.0;
    double ofShorter = 0.0;
    double ofLonger = 0.0;
    friend bool operator==(const LookLength&, const LookLength&) = default;
};

struct LookPoint {
    LookLength x;
    LookLength y;
    friend bool operator==(const LookPoint&, const LookPoint&) = default;
};

enum class LookShape { Line, Polyline, Polygon, Rect, Circle, Ellipse, Arc, Text };

struct LookElement {
    LookShape shape = LookShape::Line;
    // Line 2, Polyline and Polygon their points, Rect two corners, the
    // others their centre or anchor.
    std::vector<LookPoint> points;
    // Circle and a circle's arc (round): radiusX of the shorter side, for
    // both axes. Ellipse and an ellipse's arc: radiusX of the width and
    // radiusY of the height.
    LookLength radiusX;
    LookLength radiusY;
    bool round = false;
    // Arc: from the origin frame's X direction towards its Y direction.
    double fromDegrees = 0.0;
    double toDegrees = 0.0;
    std::string text;  // Text
    LookPoint repeatStep;
    std::int32_t repeatCount = 1;  // 1: no repeat
};

struct UserLook {
    std::string name;  // empty when the file gives none
    // Language file name ("German", "Portuguese (Brazil)") and the name in it.
    std::vector<std::pair<std::string, std::string>> localNames;
    std::vector<LookElement> elements;
};

// line is 1-based; 0 speaks of the file as a whole.
struct LookFileError {
    int line = 0;
    std::string message;
    friend bool operator==(const LookFileError&, const LookFileError&) = default;
};

struct LookFileParse {
    UserLook guide;
    // In line order, at most kMaxLookErrors; a guide with any is not shown.
    std::vector<LookFileError> errors;
};

// Text in the system's code page as UTF-8.
using LookTextDecoder = std::function<std::string(std::string_view)>;
// Latin-1, for tools and tests that have no system code page to ask.
std::string Latin1Text(std::string_view text);

// Lines end with CR, LF or CR LF. A file with a UTF-16 byte-order mark, with
// UTF-8's, or valid UTF-8 holding any byte above 127 is read as Unicode; any
// other file is in the system's code page. Names and labels are UTF-8.
LookFileParse ParseLookFile(std::string_view text, const LookTextDecoder& fromCodePage = Latin1Text);

// The name for the language (ASCII case ignored), else the plain name, else
// fallback.
std::string LookFileDisplayName(const UserLook& guide, std::string_view language, std::string_view fallback);

}  // namespace lumetra
