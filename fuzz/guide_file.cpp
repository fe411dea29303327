// Guide files of arbitrary bytes through the parser, then drawn with the halo
// at a small and at the largest measured area in an orientation taken from
// the input. What the format guarantees: errors come in line order within
// their bound, a guide without errors draws something, every element keeps
// the file's bounds, and one paint stays within its strokes and its reach.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "lang/LangTable.h"
#include "overlay/lookfiles/LookFileDraw.h"
#include "overlay/lookfiles/LookFile.h"
#include "overlay/looks/Looks.h"
#include "settings/AppSettings.h"
#include "support/RecordingCanvas.h"

namespace {

using namespace lumetra;

// Within the file's bounds: pixels, the fractions of each span, and all
// fractions together.
bool WithinBounds(const LookLength& length) {
    double fractions = 0;
    for (const double fraction :
         {length.fraction, length.ofWidth, length.ofHeight, length.ofShorter, length.ofLonger}) {
        if (!std::isfinite(fraction) || fraction < kMinLookFraction || fraction > kMaxLookFraction) return false;
        fractions += fraction;
    }
    return std::isfinite(length.pixels) && fractions >= kMinLookFraction && fractions <= kMaxLookFraction &&
           std::fabs(length.pixels) <= kMaxLookPixels;
}

void CheckElement(const LookElement& e) {
    FUZZ_CHECK(!e.points.empty() && e.points.size() <= kMaxLookPoints, "an element's points are out of bounds");
    for (const LookPoint& p : e.points) FUZZ_CHECK(WithinBounds(p.x) && WithinBounds(p.y), "a point is out of bounds");
    FUZZ_CHECK(WithinBounds(e.radiusX) && WithinBounds(e.radiusY), "a radius is out of bounds");
    FUZZ_CHECK(std::fabs(e.toDegrees - e.fromDegrees) <= kMaxLookDegrees, "an arc turns more than once");
    FUZZ_CHECK(e.repeatCount >= 1 && e.repeatCount <= kMaxLookRepeat, "a repeat count is out of bounds");
    FUZZ_CHECK(e.text.size() <= 4 * kMaxLookTextLength, "a label is too long");  // characters of 1 to 4 bytes
    FUZZ_CHECK(e.shape != LookShape::Text || !e.text.empty(), "a label is empty");
}

void CheckPaint(const UserLook& guide, std::int32_t size, std::int32_t orient) {
    LookSettings s;
    s.width = size;
    s.height = size / 2 + 1;
    s.border = 12;
    s.orientMode = orient;
    s.showValues = true;
    s.halo = true;
    s.lineWidth = 2;
    LangTable lang;
    test::RecordingCanvas canvas;
    RenderUserLook(s, guide, lang, canvas);
    const auto strokes =
        static_cast<std::int64_t>(canvas.segments.size() + canvas.ellipses.size() + canvas.texts.size() / 9);
    FUZZ_CHECK(strokes <= 2 * kMaxLookStrokes, "a paint draws more than its strokes");
    constexpr int kReach = 8 * kMaxDimension;
    for (const auto& segment : canvas.segments) {
        for (const Point p : {segment.from, segment.to}) {
            FUZZ_CHECK(std::abs(p.x) <= kReach && std::abs(p.y) <= kReach, "a line reaches too far");
        }
    }
    for (const auto& e : canvas.ellipses) {
        FUZZ_CHECK(e.box.left <= e.box.right && e.box.top <= e.box.bottom, "an ellipse's box is turned");
        FUZZ_CHECK(std::abs(e.box.left) <= kReach && std::abs(e.box.bottom) <= kReach, "an ellipse reaches too far");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const LookFileParse parse = ParseLookFile(text);
    // CR, LF and CR LF each end a line; in UTF-16 this counts too many.
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
    }

    FUZZ_CHECK(parse.errors.size() <= kMaxLookErrors, "more errors than their bound");
    for (std::size_t i = 0; i < parse.errors.size(); ++i) {
        const LookFileError& error = parse.errors[i];
        FUZZ_CHECK(error.line >= 0 && error.line <= lines, "an error names a line the file lacks");
        FUZZ_CHECK(!error.message.empty(), "an error says nothing");
        FUZZ_CHECK(i == 0 || error.line == 0 || parse.errors[i - 1].line < error.line, "errors are out of line order");
    }
    const UserLook& guide = parse.guide;
    FUZZ_CHECK(guide.elements.size() <= kMaxLookElements, "more elements than their bound");
    FUZZ_CHECK(!parse.errors.empty() || !guide.elements.empty(), "a guide without errors draws nothing");
    FUZZ_CHECK(guide.name.size() <= 4 * kMaxLookTextLength, "a name is too long");
    FUZZ_CHECK(guide.localNames.size() + (guide.name.empty() ? 0 : 1) <= kMaxLookNames, "more names than their bound");
    for (const LookElement& e : guide.elements) CheckElement(e);

    const std::int32_t orient = size == 0 ? 0 : data[0] & 3;
    CheckPaint(guide, 396, orient);
    CheckPaint(guide, kMaxDimension, 3 - orient);
    return 0;
}
