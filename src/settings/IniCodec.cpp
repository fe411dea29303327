#include "settings/IniCodec.h"

#include <algorithm>
#include <utility>

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
};

Line LineAt(std::string_view text, std::size_t begin) {
    Line line{begin, text.size(), text.size()};
    const auto lf = text.find('\n', begin);
    if (lf != std::string_view::npos) {
        line.end = lf > begin && text[lf - 1] == '\r' ? lf - 1 : lf;
        line.next = lf + 1;
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

// Walks the lines of the first `section`, handing each key line to `visit`
// (which returns false to stop early). Tells whether the section exists and
// where new keys go: just after its last line that is not blank, so the
// blank lines that separate it from the next section stay where they are.
struct SectionScan {
    bool found = false;
    std::size_t appendPoint = 0;
};

template <class Visit>
SectionScan ScanSection(std::string_view text, std::string_view section, Visit visit) {
    SectionScan scan;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        pos = line.next;
        const std::string_view content = Content(text, line);
        if (const auto header = HeaderName(content)) {
            if (scan.found) break;
            scan.found = SameName(*header, section);
            scan.appendPoint = line.next;
            continue;
        }
        if (!scan.found) continue;
        if (!Trim(content).empty()) scan.appendPoint = line.next;
        if (const auto entry = SplitKeyLine(content)) {
            if (!visit(line, *entry)) break;
        }
    }
    return scan;
}

std::string SingleLine(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c != '\r' && c != '\n') out.push_back(c);
    }
    return out;
}

// A stray CR ends the value, as it ends the line for other readers, and
// the cut value is trimmed again, so whatever is read writes back the same.
std::string ReadableValue(std::string_view value) {
    const std::string_view line = value.substr(0, value.find('\r'));
    return std::string(Trim(line.substr(0, kMaxIniValue)));
}

std::string EntryLine(const IniEntry& entry) { return std::string(entry.key) + "=" + SingleLine(entry.value); }

}  // namespace

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const {
    return Get(section, std::span<const std::string_view>(&key, 1)).front();
}

std::vector<std::optional<std::string>> IniText::Get(std::string_view section,
                                                     std::span<const std::string_view> keys) const {
    std::vector<std::optional<std::string>> values(keys.size());
    std::size_t left = keys.size();
    ScanSection(text_, section, [&](const Line&, const KeyLine& entry) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (!values[i] && SameName(entry.key, keys[i])) {
                values[i] = ReadableValue(entry.value);
                --left;
                break;
            }
        }
        return left > 0;
    });
    return values;
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    const IniEntry entry{key, std::string(value)};
    Set(section, std::span<const IniEntry>(&entry, 1));
}

void IniText::Set(std::string_view section, std::span<const IniEntry> entries) {
    struct Replacement {
        Line line;
        std::size_t entry;
    };
    std::vector<Replacement> replacements;
    std::vector<bool> placed(entries.size(), false);
    // The whole section is walked, even when all keys are placed early, so
    // the append point is known.
    const SectionScan scan = ScanSection(text_, section, [&](const Line& line, const KeyLine& found) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!placed[i] && SameName(found.key, entries[i].key)) {
                placed[i] = true;
                replacements.push_back({line, i});
                break;
            }
        }
        return true;
    });

    std::string added = scan.found ? "" : "[" + std::string(section) + "]\r\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!placed[i]) added += EntryLine(entries[i]) + "\r\n";
    }
    const std::size_t point = scan.found ? scan.appendPoint : text_.size();
    // The line before the new ones may be the last of a file without a final
    // line break.
    if (!added.empty() && point > 0 && text_[point - 1] != '\n') added.insert(0, "\r\n");

    // Replaced lines are not blank, so they all lie before the append point.
    std::string out;
    out.reserve(text_.size() + added.size());
    std::size_t copied = 0;
    for (const Replacement& r : replacements) {
        out.append(text_, copied, r.line.begin - copied);
        out += EntryLine(entries[r.entry]);
        copied = r.line.end;
    }
    out.append(text_, copied, point - copied);
    out += added;
    out.append(text_, point, std::string::npos);
    text_ = std::move(out);
}

}  // namespace lumetra
