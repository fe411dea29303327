#include "overlay/GuideFile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "common/Text.h"
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
    if (text.size() > kMaxGuideTextLength) {
        return std::string(what) + " is longer than " + std::to_string(kMaxGuideTextLength) + " bytes";
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

struct Number {
    double value = 0.0;
    Unit unit = Unit::Fraction;
};

// "-0.25", "25%", "8px": a sign, digits with at most one point, a unit.
std::optional<Number> ReadNumber(std::string_view text) {
    Number number;
    if (text.size() > 2 && EqualsIgnoringAsciiCase(text.substr(text.size() - 2), "px")) {
        number.unit = Unit::Pixels;
        text.remove_suffix(2);
    } else if (!text.empty() && text.back() == '%') {
        number.unit = Unit::Percent;
        text.remove_suffix(1);
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

// One term of a length, added to it. Empty, or what is wrong.
std::string AddTerm(std::string_view text, const Number& number, GuideLength& length) {
    if (number.unit == Unit::Pixels) {
        if (std::fabs(number.value) > kMaxGuidePixels) return Quoted(text) + " is out of range (-16384px to 16384px)";
        length.pixels += number.value;
        return {};
    }
    const double fraction = number.unit == Unit::Percent ? number.value / 100.0 : number.value;
    if (fraction < kMinGuideFraction || fraction > kMaxGuideFraction) {
        return Quoted(text) + " is out of range (fractions -1 to 2, percentages -100% to 200%)";
    }
    length.fraction += fraction;
    return {};
}

// A coordinate or a step: one value, or two joined by "+" or "-" such as
// "50%-8px". Empty, or what is wrong.
std::string ReadLength(const Token& token, GuideLength& length) {
    length = {};
    const std::string_view text = token.text;
    const std::size_t join = text.find_last_of("+-");
    const std::size_t cut = join == std::string_view::npos || join == 0 ? text.size() : join;
    const std::string_view first = text.substr(0, cut);
    const std::string_view second = text.substr(cut);
    const auto a = token.quoted ? std::nullopt : ReadNumber(first);
    const auto b = second.empty() ? std::optional<Number>(Number{}) : ReadNumber(second);
    if (!a || !b) return NotANumber(token);
    if (std::string problem = AddTerm(first, *a, length); !problem.empty()) return problem;
    return second.empty() ? std::string() : AddTerm(second, *b, length);
}

// At least the pixels a fraction of the span makes up for, such as
// "50%-8px"; what the span cannot make up for is no radius at all.
std::string ReadRadius(const Token& token, GuideLength& length) {
    if (std::string problem = ReadLength(token, length); !problem.empty()) return problem;
    if (length.fraction < 0 || (length.fraction == 0 && length.pixels < 0)) {
        return Quoted(token.text) + " is a negative radius";
    }
    return {};
}

std::string ReadAngle(const Token& token, double& degrees) {
    const auto number = token.quoted ? std::nullopt : ReadNumber(token.text);
    if (!number || number->unit != Unit::Fraction) {
        return Quoted(token.text) + " is not an angle in degrees (such as 90)";
    }
    if (std::fabs(number->value) > kMaxGuideDegrees) {
        return Quoted(token.text) + " is out of range for an angle (-360 to 360 degrees)";
    }
    degrees = number->value;
    return {};
}

std::string ReadPoints(const std::vector<Token>& values, std::vector<GuidePoint>& points) {
    for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
        GuidePoint point;
        if (std::string problem = ReadLength(values[i], point.x); !problem.empty()) return problem;
        if (std::string problem = ReadLength(values[i + 1], point.y); !problem.empty()) return problem;
        points.push_back(point);
    }
    return {};
}

// The values of each statement, as its error message shows them.
struct ShapeRule {
    std::string_view keyword;
    GuideShape shape;
    std::string_view usage;
};

constexpr std::array<ShapeRule, 9> kShapes = {{
    {"line", GuideShape::Line, "X1 Y1 X2 Y2"},
    {"polyline", GuideShape::Polyline, "2 to 64 points X Y"},
    {"polygon", GuideShape::Polygon, "3 to 64 points X Y"},
    {"rect", GuideShape::Rect, "X1 Y1 X2 Y2"},
    {"rectangle", GuideShape::Rect, "X1 Y1 X2 Y2"},
    {"circle", GuideShape::Circle, "X Y R"},
    {"ellipse", GuideShape::Ellipse, "X Y RX RY"},
    {"arc", GuideShape::Arc, "X Y R FROM TO, or X Y RX RY FROM TO"},
    {"text", GuideShape::Text, "X Y \"label\""},
}};

bool TakesValueCount(GuideShape shape, std::size_t count) {
    switch (shape) {
        case GuideShape::Line:
        case GuideShape::Rect:
        case GuideShape::Ellipse: return count == 4;
        case GuideShape::Polyline: return count % 2 == 0 && count >= 4 && count <= 2 * kMaxGuidePoints;
        case GuideShape::Polygon: return count % 2 == 0 && count >= 6 && count <= 2 * kMaxGuidePoints;
        case GuideShape::Circle:
        case GuideShape::Text: return count == 3;
        case GuideShape::Arc: return count == 5 || count == 6;
    }
    return false;
}

std::string ReadShape(const ShapeRule& rule, const std::vector<Token>& values, GuideElement& element) {
    element.shape = rule.shape;
    if (!TakesValueCount(rule.shape, values.size())) {
        return Quoted(rule.keyword) + " takes " + std::string(rule.usage) + ", not " +
               std::to_string(values.size()) + (values.size() == 1 ? " value" : " values");
    }
    switch (rule.shape) {
        case GuideShape::Line:
        case GuideShape::Polyline:
        case GuideShape::Polygon:
        case GuideShape::Rect: return ReadPoints(values, element.points);
        case GuideShape::Circle:
            element.round = true;
            if (std::string problem = ReadPoints({values[0], values[1]}, element.points); !problem.empty()) return problem;
            return ReadRadius(values[2], element.radiusX);
        case GuideShape::Ellipse:
            if (std::string problem = ReadPoints({values[0], values[1]}, element.points); !problem.empty()) return problem;
            if (std::string problem = ReadRadius(values[2], element.radiusX); !problem.empty()) return problem;
            return ReadRadius(values[3], element.radiusY);
        case GuideShape::Arc: {
            element.round = values.size() == 5;
            if (std::string problem = ReadPoints({values[0], values[1]}, element.points); !problem.empty()) return problem;
            if (std::string problem = ReadRadius(values[2], element.radiusX); !problem.empty()) return problem;
            if (!element.round) {
                if (std::string problem = ReadRadius(values[3], element.radiusY); !problem.empty()) return problem;
            }
            const std::size_t angles = values.size() - 2;
            if (std::string problem = ReadAngle(values[angles], element.fromDegrees); !problem.empty()) return problem;
            if (std::string problem = ReadAngle(values[angles + 1], element.toDegrees); !problem.empty()) return problem;
            if (std::fabs(element.toDegrees - element.fromDegrees) > kMaxGuideDegrees) {
                return "an arc turns at most 360 degrees";
            }
            return {};
        }
        case GuideShape::Text:
            if (!values[2].quoted) return "'text' takes its label in double quotes";
            if (std::string problem = ReadPoints({values[0], values[1]}, element.points); !problem.empty()) return problem;
            element.text = std::string(values[2].text);
            return CheckShownText(element.text, "a label");
    }
    return {};
}

std::string ReadRepeat(const std::vector<Token>& values, GuideElement& element) {
    if (values.size() != 2 && values.size() != 3) return "'repeat' takes DX DY and an optional count N";
    std::vector<GuidePoint> step;
    if (std::string problem = ReadPoints({values[0], values[1]}, step); !problem.empty()) return problem;
    element.repeatStep = step.front();
    if (element.repeatStep == GuidePoint{}) return "a repeat needs a step other than 0 0";
    element.repeatCount = kMaxGuideRepeat;
    if (values.size() == 3) {
        const Token& count = values[2];
        std::int32_t n = 0;
        const char* end = count.text.data() + count.text.size();
        const auto [stop, error] = std::from_chars(count.text.data(), end, n);
        if (count.quoted || count.text.empty() || error == std::errc::invalid_argument || stop != end) {
            return Quoted(count.text) + " is not a whole number of copies";
        }
        if (error == std::errc::result_out_of_range || n < 1 || n > kMaxGuideRepeat) {
            return Quoted(count.text) + " is out of range for a repeat count (1 to 4096)";
        }
        element.repeatCount = n;
    }
    return {};
}

// One element statement; its keyword has been found in the table.
std::string ReadElement(const ShapeRule& rule, const std::vector<Token>& tokens, GuideElement& element) {
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

class Parser {
public:
    GuideParse Run(std::string_view text) {
        if (text.size() > kMaxGuideFileSize) {
            Fail(0, "the file is larger than " + std::to_string(kMaxGuideFileSize / 1024) + " KiB");
            return std::move(result_);
        }
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        int number = 0;
        while (!text.empty() && result_.errors.size() < kMaxGuideErrors) {
            const std::size_t end = text.find('\n');
            ++number;
            Statement(number, Trimmed(text.substr(0, end)));
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
        if (result_.errors.empty() && result_.guide.elements.empty()) Fail(0, "the file draws nothing");
        return std::move(result_);
    }

private:
    void Fail(int line, std::string message) { result_.errors.push_back({line, std::move(message)}); }

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
        if (result_.guide.elements.size() == kMaxGuideElements) {
            if (!tooMany_) Fail(number, "more than " + std::to_string(kMaxGuideElements) + " elements");
            tooMany_ = true;
            return;
        }
        GuideElement element;
        if (std::string problem = ReadElement(*rule, tokens, element); !problem.empty()) {
            Fail(number, std::move(problem));
            return;
        }
        result_.guide.elements.push_back(std::move(element));
    }

    static bool IsNameLine(std::string_view line) {
        if (line.size() < 5 || !EqualsIgnoringAsciiCase(line.substr(0, 4), "name")) return false;
        const std::string_view rest = Trimmed(line.substr(4));
        return !rest.empty() && (rest.front() == '=' || rest.front() == '.');
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
        const std::string_view name = Trimmed(rest.substr(equals + 1));
        const bool local = !language.empty();
        if (local) language = Trimmed(language.substr(1));
        const std::string key = local ? "name." + std::string(language) : std::string("name");
        if (local && (language.empty() || !IsSafeLanguageName(language) ||
                      !CheckShownText(language, "x").empty())) {
            Fail(number, Quoted(key) + " does not name a language file");
            return;
        }
        if (std::string problem = CheckShownText(name, "the name"); !problem.empty()) {
            Fail(number, std::move(problem));
            return;
        }
        UserGuide& guide = result_.guide;
        const bool given = local ? FindLocalName(language) : !guide.name.empty();
        if (given) {
            Fail(number, Quoted(key) + " is given twice");
            return;
        }
        if (!local) {
            guide.name = std::string(name);
        } else if (guide.localNames.size() + (guide.name.empty() ? 0 : 1) >= kMaxGuideNames) {
            Fail(number, "more than " + std::to_string(kMaxGuideNames) + " names");
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

    GuideParse result_;
    bool tooMany_ = false;
};

}  // namespace

GuideParse ParseGuideFile(std::string_view text) { return Parser().Run(text); }

std::string GuideDisplayName(const UserGuide& guide, std::string_view language, std::string_view fallback) {
    for (const auto& [known, name] : guide.localNames) {
        if (EqualsIgnoringAsciiCase(known, language)) return name;
    }
    return guide.name.empty() ? std::string(fallback) : guide.name;
}

}  // namespace lumetra
