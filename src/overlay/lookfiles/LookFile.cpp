#include "overlay/lookfiles/LookFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <optional>

#include "common/Text.h"
#include "common/Utf8.h"
#include "lang/LangTable.h"

namespace lumetra {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// Names and labels: something to show, short, and nothing the window
// system would take as a command.
std::string CheckShownText(std::string_view text, std::string_view what) {
    if (text.empty()) return std::string(what) + " is empty";
    // Characters, not bytes: UTF-8 continuation bytes are not counted.
    const auto characters = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    if (characters > kMaxLookTextLength) {
        return std::string(what) + " is longer than " + std::to_string(kMaxLookTextLength) + " characters";
    }
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) return std::string(what) + " holds a control character";
    }
    return {};
}

struct Token {
    std::string_view text;
    bool quoted = false;
};

// Words split at blanks; a double quote runs to the next one; "#" or ";"
// outside quotes ends the statement. Empty, or what is wrong.
std::string Tokenise(std::string_view line, std::vector<Token>& tokens) {
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (IsBlank(c)) {
            ++i;
        } else if (c == '#' || c == ';') {
            break;
        } else if (c == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) return "a label's closing '\"' is missing";
            tokens.push_back({line.substr(i + 1, close - i - 1), true});
            i = close + 1;
        } else {
            const std::size_t start = i;
            while (i < line.size() && !IsBlank(line[i]) && line[i] != '"' && line[i] != '#' && line[i] != ';') ++i;
            tokens.push_back({line.substr(start, i - start), false});
        }
    }
    return {};
}

enum class Unit { Fraction, Percent, Pixels };

// What a percentage is of: the span of its own axis, or a side named.
enum class Side { Own, Width, Height, Shorter, Longer };

struct Number {
    double value = 0.0;
    Unit unit = Unit::Fraction;
    Side side = Side::Own;
};

struct SideSuffix {
    std::string_view suffix;
    Side side;
};
constexpr std::array<SideSuffix, 5> kSideSuffixes = {
    {{"%", Side::Own}, {"%w", Side::Width}, {"%h", Side::Height}, {"%short", Side::Shorter}, {"%long", Side::Longer}}};

// "-0.25", "25%", "50%h", "8px": a sign, digits with at most one point, a unit.
std::optional<Number> ReadNumber(std::string_view text) {
    Number number;
    const std::size_t percent = text.find('%');
    if (text.size() > 2 && EqualsIgnoringAsciiCase(text.substr(text.size() - 2), "px")) {
        number.unit = Unit::Pixels;
        text.remove_suffix(2);
    } else if (percent != std::string_view::npos) {
        const std::string_view suffix = text.substr(percent);
        const auto known = std::find_if(kSideSuffixes.begin(), kSideSuffixes.end(),
                                        [&](const SideSuffix& s) { return EqualsIgnoringAsciiCase(s.suffix, suffix); });
        if (known == kSideSuffixes.end()) return std::nullopt;
        number.unit = Unit::Percent;
        number.side = known->side;
        text = text.substr(0, percent);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Fixed notation only: no exponents, "inf" or "nan", which from_chars
    // would take.
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos ||
        text.find_first_of("0123456789") == std::string_view::npos) {
        return std::nullopt;
    }
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number.value, std::chars_format::fixed);
    if (stop != end) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Too many digits either way: far beyond every bound, or nothing.
        const std::string_view whole = text.substr(0, text.find('.'));
        const bool huge = whole.find_first_not_of('0') != std::string_view::npos;
        number.value = huge ? std::numeric_limits<double>::max() : 0.0;
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    if (negative) number.value = -number.value;
    return number;
}

std::string NotANumber(const Token& token) {
    return Quoted(token.quoted ? "\"" + std::string(token.text) + "\"" : std::string(token.text)) +
           " is not a number (such as 0.25, 25% or 8px)";
}

constexpr std::string_view kPixelRange = " is out of range (-16384px to 16384px)";
constexpr std::string_view kFractionRange = " is out of range (fractions -1 to 2, percentages -100% to 200%)";

bool FractionInRange(double fraction) { return fraction >= kMinLookFraction && fraction <= kMaxLookFraction; }

double& FractionOf(LookLength& length, Side side) {
    switch (side) {
        case Side::Own: break;
        case Side::Width: return length.ofWidth;
        case Side::Height: return length.ofHeight;
        case Side::Shorter: return length.ofShorter;
        case Side::Longer: return length.ofLonger;
    }
    return length.fraction;
}

// One term of a length, added to it. Empty, or what is wrong.
std::string AddTerm(std::string_view text, const Number& number, LookLength& length) {
    if (number.unit == Unit::Pixels) {
        if (std::fabs(number.value) > kMaxLookPixels) return Quoted(text) + std::string(kPixelRange);
        length.pixels += number.value;
        return {};
    }
    const double fraction = number.unit == Unit::Percent ? number.value / 100.0 : number.value;
    if (!FractionInRange(fraction)) return Quoted(text) + std::string(kFractionRange);
    FractionOf(length, number.side) += fraction;
    return {};
}

// Every fraction of a length together, whichever span each is of.
double Fractions(const LookLength& length) {
    return length.fraction + length.ofWidth + length.ofHeight + length.ofShorter + length.ofLonger;
}

// A value's one or two terms, split where "+" or "-" joins them such as
// "50%-8px"; nothing when it is no value.
std::optional<std::array<std::string_view, 2>> SplitTerms(std::string_view text) {
    const std::size_t join = text.find_last_of("+-");
    const std::size_t cut = join == std::string_view::npos || join == 0 ? text.size() : join;
    const std::array<std::string_view, 2> terms{text.substr(0, cut), text.substr(cut)};
    if (!ReadNumber(terms[0]) || (!terms[1].empty() && !ReadNumber(terms[1]))) return std::nullopt;
    return terms;
}

// A coordinate or a step: one value, or two joined by "+" or "-" such as
// "50%-8px", each term and the sum of its kind within the bounds: pixels
// with pixels, fractions of any span with each other. Empty, or what is
// wrong.
std::string ReadLength(const Token& token, LookLength& length) {
    length = {};
    const auto terms = token.quoted ? std::nullopt : SplitTerms(token.text);
    if (!terms) return NotANumber(token);
    for (const std::string_view term : *terms) {
        if (term.empty()) continue;
        if (std::string problem = AddTerm(term, *ReadNumber(term), length); !problem.empty()) return problem;
    }
    if (std::fabs(length.pixels) > kMaxLookPixels) return Quoted(token.text) + std::string(kPixelRange);
    if (!FractionInRange(Fractions(length))) return Quoted(token.text) + std::string(kFractionRange);
    return {};
}

// At least the pixels a fraction of the span makes up for, such as
// "50%-8px"; what the span cannot make up for is no radius at all.
std::string ReadRadius(const Token& token, LookLength& length) {
    if (std::string problem = ReadLength(token, length); !problem.empty()) return problem;
    const double fractions = Fractions(length);
    if (fractions < 0 || (fractions == 0 && length.pixels < 0)) {
        return Quoted(token.text) + " is a negative radius";
    }
    return {};
}

std::string ReadAngle(const Token& token, double& degrees) {
    const auto number = token.quoted ? std::nullopt : ReadNumber(token.text);
    if (!number || number->unit != Unit::Fraction) {
        return Quoted(token.text) + " is not an angle in degrees (such as 90)";
    }
    if (std::fabs(number->value) > kMaxLookDegrees) {
        return Quoted(token.text) + " is out of range for an angle (-360 to 360 degrees)";
    }
    degrees = number->value;
    return {};
}

std::string ReadPoints(const std::vector<Token>& values, std::vector<LookPoint>& points) {
    for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
        LookPoint point;
        if (std::string problem = ReadLength(values[i], point.x); !problem.empty()) return problem;
        if (std::string problem = ReadLength(values[i + 1], point.y); !problem.empty()) return problem;
        points.push_back(point);
    }
    return {};
}

// The values of each statement, as its error message shows them.
struct ShapeRule {
    std::string_view keyword;
    LookShape shape;
    std::string_view usage;
};

constexpr std::array<ShapeRule, 9> kShapes = {{
    {"line", LookShape::Line, "X1 Y1 X2 Y2"},
    {"polyline", LookShape::Polyline, "2 to 64 points X Y"},
    {"polygon", LookShape::Polygon, "3 to 64 points X Y"},
    {"rect", LookShape::Rect, "X1 Y1 X2 Y2"},
    {"rectangle", LookShape::Rect, "X1 Y1 X2 Y2"},
    {"circle", LookShape::Circle, "X Y R"},
    {"ellipse", LookShape::Ellipse, "X Y RX RY"},
    {"arc", LookShape::Arc, "X Y R FROM TO, or X Y RX RY FROM TO"},
    {"text", LookShape::Text, "X Y \"label\""},
}};

bool TakesValueCount(LookShape shape, std::size_t count) {
    switch (shape) {
        case LookShape::Line:
        case LookShape::Rect:
        case LookShape::Ellipse: return count == 4;
        case LookShape::Polyline: return count % 2 == 0 && count >= 4 && count <= 2 * kMaxLookPoints;
        case LookShape::Polygon: return count % 2 == 0 && count >= 6 && count <= 2 * kMaxLookPoints;
        case LookShape::Circle:
        case LookShape::Text: return count == 3;
        case LookShape::Arc: return count == 5 || count == 6;
    }
    return false;
}

// The count, and the first word among the values that is none, which is
// most often why the count is wrong.
std::string WrongValueCount(const ShapeRule& rule, const std::vector<Token>& values) {
    std::string message = Quoted(rule.keyword) + " takes " + std::string(rule.usage) + ", not " +
                          std::to_string(values.size()) + (values.size() == 1 ? " value" : " values");
    for (const Token& value : values) {
        if (value.quoted || SplitTerms(value.text)) continue;
        if (value.text == "+" || value.text == "-") {
            return message + "; " + Quoted(value.text) +
                   " stands alone (a sum is written without spaces, such as 50%-8px)";
        }
        message += "; " + Quoted(value.text) + " is no value";
        return value.text.starts_with("//") ? message + " (a comment starts with # or ;)" : message;
    }
    return message;
}

std::string ReadShape(const ShapeRule& rule, const std::vector<Token>& values, LookElement& element) {
    element.shape = rule.shape;
    if (!TakesValueCount(rule.shape, values.size())) return WrongValueCount(rule, values);
    switch (rule.shape) {
        case LookShape::Line:
        case LookShape::Polyline:
        case LookShape::Polygon:
        case LookShape::Rect: return ReadPoints(values, element.points);
        case LookShape::Circle:
            element.round = true;
            if (std::string problem = ReadPoints({values[0], values[1]}, element.points); !problem.empty())
                return problem;
            return ReadRadius(values[2], element.radiusX);
        case LookShape::Ellipse:
            if (std::string problem = ReadPoints({values[0], values[1]}, element.points); !problem.empty())
                return problem;
            if (std::string problem = ReadRadius(values[2], element.radiusX); !problem.empty()) return problem;
            return ReadRadius(values[3], element.radiusY);
        case LookShape::Arc: {
            element.round = values.size() == 5;
            if (std::string problem = ReadPoints({values[0], values[1]}, element.points); !problem.empty())
                return problem;
            if (std::string problem = ReadRadius(values[2], element.radiusX); !problem.empty()) return problem;
            if (!element.round) {
                if (std::string problem = ReadRadius(values[3], element.radiusY); !problem.empty()) return problem;
            }
            const std::size_t angles = values.size() - 2;
            if (std::string problem = ReadAngle(values[angles], element.fromDegrees); !problem.empty()) return problem;
            if (std::string problem = ReadAngle(values[angles + 1], element.toDegrees); !problem.empty())
                return problem;
            if (std::fabs(element.toDegrees - element.fromDegrees) > kMaxLookDegrees) {
                return "an arc turns at most 360 degrees";
            }
            return {};
        }
        case LookShape::Text:
            if (!values[2].quoted) return "'text' takes its label in double quotes";
            if (std::string problem = ReadPoints({values[0], values[1]}, element.points); !problem.empty())
                return problem;
            element.text = std::string(values[2].text);
            return CheckShownText(element.text, "a label");
    }
    return {};
}

std::string ReadRepeat(const std::vector<Token>& values, LookElement& element) {
    if (values.size() != 2 && values.size() != 3) return "'repeat' takes DX DY and an optional count N";
    std::vector<LookPoint> step;
    if (std::string problem = ReadPoints({values[0], values[1]}, step); !problem.empty()) return problem;
    element.repeatStep = step.front();
    if (element.repeatStep == LookPoint{}) return "a repeat needs a step other than 0 0";
    element.repeatCount = kMaxLookRepeat;
    if (values.size() == 3) {
        const Token& count = values[2];
        // "+5" as a coordinate may be written; from_chars takes no '+'.
        const std::string_view digits = count.text.size() > 1 && count.text.front() == '+' && count.text[1] != '-'
                                            ? count.text.substr(1)
                                            : count.text;
        std::int32_t n = 0;
        const char* end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, n);
        if (count.quoted || digits.empty() || error == std::errc::invalid_argument || stop != end) {
            return Quoted(count.text) + " is not a whole number of copies";
        }
        if (error == std::errc::result_out_of_range || n < 1 || n > kMaxLookRepeat) {
            return Quoted(count.text) + " is out of range for a repeat count (1 to 4096)";
        }
        element.repeatCount = n;
    }
    return {};
}

// One element statement; its keyword has been found in the table.
std::string ReadElement(const ShapeRule& rule, const std::vector<Token>& tokens, LookElement& element) {
    std::size_t repeat = tokens.size();
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        if (!tokens[i].quoted && EqualsIgnoringAsciiCase(tokens[i].text, "repeat")) {
            repeat = i;
            break;
        }
    }
    const std::vector<Token> values(tokens.begin() + 1, tokens.begin() + static_cast<std::ptrdiff_t>(repeat));
    if (std::string problem = ReadShape(rule, values, element); !problem.empty()) return problem;
    if (repeat == tokens.size()) return {};
    return ReadRepeat({tokens.begin() + static_cast<std::ptrdiff_t>(repeat) + 1, tokens.end()}, element);
}

// One code point of UTF-8 and the bytes it takes; nothing where the bytes
// are not UTF-8 (overlong forms, surrogates and points past U+10FFFF
// included).
struct CodePoint {
    char32_t value;
    std::size_t length;
};
std::optional<CodePoint> NextUtf8(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80) return CodePoint{lead, 1};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() < length) return std::nullopt;
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        value = value << 6 | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return CodePoint{value, length};
}

bool IsUtf8WithHighBytes(std::string_view text) {
    bool high = false;
    while (!text.empty()) {
        const auto point = NextUtf8(text);
        if (!point) return false;
        high = high || point->length > 1;
        text.remove_prefix(point->length);
    }
    return high;
}

// UTF-16 after its byte-order mark, as UTF-8; nothing when it is not
// UTF-16 (an odd byte at the end, a surrogate without its partner).
std::optional<std::string> Utf8FromUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::string out;
    const std::size_t units = bytes.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        char32_t value = unit(i);
        if (value >= 0xDC00 && value <= 0xDFFF) return std::nullopt;
        if (value >= 0xD800 && value <= 0xDBFF) {
            if (i + 1 == units || unit(i + 1) < 0xDC00 || unit(i + 1) > 0xDFFF) return std::nullopt;
            value = 0x10000 + ((value - 0xD800) << 10) + (unit(++i) - 0xDC00);
        }
        AppendUtf8(out, value);
    }
    return out;
}

class Parser {
public:
    explicit Parser(const LookTextDecoder& fromCodePage) : fromCodePage_(fromCodePage) {}

    LookFileParse Run(std::string_view text) {
        if (text.size() > kMaxLookFileSize) {
            Fail(0, "the file is larger than " + std::to_string(kMaxLookFileSize / 1024) + " KiB");
            return std::move(result_);
        }
        std::string decoded;
        if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
            std::optional<std::string> utf8 = Utf8FromUtf16(text.substr(2), text.front() == '\xFE');
            if (!utf8) {
                Fail(0, "the file starts as UTF-16 but is not UTF-16 throughout");
                return std::move(result_);
            }
            decoded = std::move(*utf8);
            text = decoded;
        } else if (text.starts_with("\xEF\xBB\xBF")) {
            text.remove_prefix(3);
        } else if (text.find('\0') != std::string_view::npos) {
            Fail(0, "the file holds NUL bytes (UTF-16 without its byte-order mark?): save it as UTF-8 or ANSI text");
            return std::move(result_);
        } else if (!IsUtf8WithHighBytes(text)) {
            // In the system's code page: as UTF-8 it is valid throughout.
            decoded = fromCodePage_(text);
            text = decoded;
        }
        int number = 0;
        while (!text.empty() && result_.errors.size() < kMaxLookErrors) {
            // CR, LF and CR LF each end a line.
            const std::size_t end = text.find_first_of("\r\n");
            const std::string_view line = text.substr(0, end);
            const std::size_t ending = end == std::string_view::npos ? 0 : text.substr(end, 2) == "\r\n" ? 2 : 1;
            ++number;
            if (IsUtf8Line(number, line)) Statement(number, Trimmed(line));
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + ending);
        }
        if (result_.errors.empty() && result_.guide.elements.empty()) Fail(0, "the file draws nothing");
        return std::move(result_);
    }

private:
    void Fail(int line, std::string message) { result_.errors.push_back({line, std::move(message)}); }

    // False, and an error, when the line is not UTF-8.
    bool IsUtf8Line(int number, std::string_view line) {
        while (!line.empty()) {
            const std::optional<CodePoint> point = NextUtf8(line);
            if (!point) {
                Fail(number, "the line is not UTF-8, as the rest of the file is");
                return false;
            }
            line.remove_prefix(point->length);
        }
        return true;
    }

    void Statement(int number, std::string_view line) {
        if (line.empty() || line.front() == '#' || line.front() == ';') return;
        if (IsNameLine(line)) {
            NameLine(number, line.substr(4));
            return;
        }
        std::vector<Token> tokens;
        if (std::string problem = Tokenise(line, tokens); !problem.empty()) {
            Fail(number, std::move(problem));
            return;
        }
        const ShapeRule* rule = FindShape(tokens.front());
        if (rule == nullptr) {
            Fail(number, "unknown statement " + Quoted(tokens.front().text));
            return;
        }
        if (result_.guide.elements.size() == kMaxLookElements) {
            if (!tooMany_) Fail(number, "more than " + std::to_string(kMaxLookElements) + " elements");
            tooMany_ = true;
            return;
        }
        LookElement element;
        if (std::string problem = ReadElement(*rule, tokens, element); !problem.empty()) {
            Fail(number, std::move(problem));
            return;
        }
        result_.guide.elements.push_back(std::move(element));
    }

    // "name" as a word of its own or followed by '=' or '.': "name Grid"
    // is a name line without its '=', not a statement.
    static bool IsNameLine(std::string_view line) {
        if (line.size() < 4 || !EqualsIgnoringAsciiCase(line.substr(0, 4), "name")) return false;
        return line.size() == 4 || IsBlank(line[4]) || line[4] == '=' || line[4] == '.';
    }

    static const ShapeRule* FindShape(const Token& token) {
        if (token.quoted) return nullptr;
        for (const ShapeRule& rule : kShapes) {
            if (EqualsIgnoringAsciiCase(token.text, rule.keyword)) return &rule;
        }
        return nullptr;
    }

    // After "name": an optional ".Language", then "=" and the name to the
    // end of the line, comment characters included.
    void NameLine(int number, std::string_view rest) {
        const std::size_t equals = rest.find('=');
        if (equals == std::string_view::npos) {
            Fail(number, "a name line needs '=' before the name");
            return;
        }
        std::string_view language = Trimmed(rest.substr(0, equals));
        if (!language.empty() && language.front() != '.') {
            Fail(number, "a name line needs '=' before the name");
            return;
        }
        const std::string_view name = Trimmed(rest.substr(equals + 1));
        const bool local = !language.empty();
        if (local) language = Trimmed(language.substr(1));
        const std::string key = local ? "name." + std::string(language) : std::string("name");
        if (local && (language.empty() || !IsSafeLanguageName(language) || !CheckShownText(language, "x").empty())) {
            Fail(number, Quoted(key) + " does not name a language file");
            return;
        }
        if (std::string problem = CheckShownText(name, "the name"); !problem.empty()) {
            Fail(number, std::move(problem));
            return;
        }
        UserLook& guide = result_.guide;
        const bool given = local ? FindLocalName(language) : !guide.name.empty();
        if (given) {
            Fail(number, Quoted(key) + " is given twice");
            return;
        }
        if (guide.localNames.size() + (guide.name.empty() ? 0 : 1) >= kMaxLookNames) {
            Fail(number, "more than " + std::to_string(kMaxLookNames) + " names");
        } else if (!local) {
            guide.name = std::string(name);
        } else {
            guide.localNames.emplace_back(std::string(language), std::string(name));
        }
    }

    bool FindLocalName(std::string_view language) const {
        for (const auto& [known, name] : result_.guide.localNames) {
            if (EqualsIgnoringAsciiCase(known, language)) return true;
        }
        return false;
    }

    const LookTextDecoder& fromCodePage_;
    LookFileParse result_;
    bool tooMany_ = false;
};

}  // namespace

std::string Latin1Text(std::string_view text) {
    std::string out;
    for (const char c : text) AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

LookFileParse ParseLookFile(std::string_view text, const LookTextDecoder& fromCodePage) {
    return Parser(fromCodePage).Run(text);
}

std::string LookFileDisplayName(const UserLook& guide, std::string_view language, std::string_view fallback) {
    for (const auto& [known, name] : guide.localNames) {
        if (EqualsIgnoringAsciiCase(known, language)) return name;
    }
    return guide.name.empty() ? std::string(fallback) : guide.name;
}

}  // namespace lumetra
