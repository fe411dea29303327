#include "settings/IniCodec.h"

#include <algorithm>

namespace lumetra {

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// One line of the text: [begin, end) is its content, `next` the start of the
// following line. LF ends a line; a CR before it belongs to the line break.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
    bool hasBreak = false;
};

Line LineAt(std::string_view text, std::size_t begin) {
    Line line{begin, text.size(), text.size(), false};
    const auto lf = text.find('\n', begin);
    if (lf != std::string_view::npos) {
        line.end = lf > begin && text[lf - 1] == '\r' ? lf - 1 : lf;
        line.next = lf + 1;
        line.hasBreak = true;
    }
    return line;
}

std::string_view Content(std::string_view text, const Line& line) {
    return text.substr(line.begin, line.end - line.begin);
}

// The section name of a header line; nothing when the line is no header.
std::optional<std::string_view> HeaderName(std::string_view content) {
    const auto trimmed = Trim(content);
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    auto name = trimmed.substr(1);
    name = name.substr(0, name.find(']'));
    return Trim(name);
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> SplitKeyLine(std::string_view content) {
    const auto eq = content.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyLine{Trim(content.substr(0, eq)), Trim(content.substr(eq + 1))};
}

// Where a section's lines lie: from the line after its header up to the
// next header or the end of the text.
struct SectionSpan {
    std::size_t bodyBegin = 0;
    std::size_t bodyEnd = 0;
};

std::optional<SectionSpan> FindSection(std::string_view text, std::string_view section) {
    std::optional<SectionSpan> found;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        const auto header = HeaderName(Content(text, line));
        if (header) {
            if (found) {
                found->bodyEnd = line.begin;
                return found;
            }
            if (SameName(*header, section)) found = SectionSpan{line.next, text.size()};
        }
        pos = line.next;
    }
    return found;
}

struct KeyHit {
    Line line;
    std::string_view value;
};

std::optional<KeyHit> FindKey(std::string_view text, const SectionSpan& span, std::string_view key) {
    for (std::size_t pos = span.bodyBegin; pos < span.bodyEnd;) {
        const Line line = LineAt(text, pos);
        const auto entry = SplitKeyLine(Content(text, line));
        if (entry && SameName(entry->key, key)) return KeyHit{line, entry->value};
        pos = line.next;
    }
    return std::nullopt;
}

// Just after the last line of the section that is not blank, so the blank
// lines that separate it from the next section stay where they are.
std::size_t AppendPoint(std::string_view text, const SectionSpan& span) {
    std::size_t point = span.bodyBegin;
    for (std::size_t pos = span.bodyBegin; pos < span.bodyEnd;) {
        const Line line = LineAt(text, pos);
        if (!Trim(Content(text, line)).empty()) point = line.next;
        pos = line.next;
    }
    return point;
}

std::string SingleLine(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c != '\r' && c != '\n' && c != '\0') out.push_back(c);
    }
    return out;
}

}  // namespace

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const {
    const auto span = FindSection(text_, section);
    if (!span) return std::nullopt;
    const auto hit = FindKey(text_, *span, key);
    if (!hit) return std::nullopt;
    return std::string(hit->value.substr(0, kMaxIniValue));
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string entry = std::string(key) + "=" + SingleLine(value);
    const auto span = FindSection(text_, section);
    if (span) {
        if (const auto hit = FindKey(text_, *span, key)) {
            text_.replace(hit->line.begin, hit->line.end - hit->line.begin, entry);
            return;
        }
    }
    std::string addition = span ? entry + "\r\n" : "[" + std::string(section) + "]\r\n" + entry + "\r\n";
    const std::size_t point = span ? AppendPoint(text_, *span) : text_.size();
    // The line before the new ones may be the last of a file without a final
    // line break.
    if (point > 0 && text_[point - 1] != '\n') addition.insert(0, "\r\n");
    text_.insert(point, addition);
}

}  // namespace lumetra
