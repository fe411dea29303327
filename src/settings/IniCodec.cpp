#include "settings/IniCodec.h"

#include <algorithm>
#include <utility>

namespace lumetra {

namespace {

constexpr std::string_view kBlanks = " \t\v\f";

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
// following line. CR, LF and CR LF each end a line, as for the system.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

Line LineAt(std::string_view text, std::size_t begin) {
    Line line{begin, text.size(), text.size()};
    const auto end = text.find_first_of("\r\n", begin);
    if (end != std::string_view::npos) {
        line.end = end;
        line.next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
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

// A line that is neither blank nor a header is a key line. Without an '='
// it names a key that has no value: the key reads as missing, and a later
// line of the same key stays hidden.
struct KeyLine {
    std::string_view key;
    std::optional<std::string_view> value;
};

std::optional<KeyLine> SplitKeyLine(std::string_view content) {
    const auto eq = content.find('=');
    if (eq == std::string_view::npos) {
        const auto name = Trim(content);
        if (name.empty()) return std::nullopt;
        return KeyLine{name, std::nullopt};
    }
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

bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

// `value` is trimmed already. Matching outer quotes go and their inner text
// stays as it is; an unquoted value is trimmed again after the cut, so
// whatever is read writes back the same.
std::string ReadableValue(std::string_view value) {
    if (IsQuoted(value)) return std::string(value.substr(1, value.size() - 2).substr(0, kMaxIniValue));
    return std::string(Trim(value.substr(0, kMaxIniValue)));
}

// A value that would lose its outer blanks or its own outer quotes on
// reading is written inside a pair of quotes, so it reads back unchanged.
std::string FileValue(std::string_view value) {
    std::string line = SingleLine(value);
    if (Trim(line).size() != line.size() || IsQuoted(line)) return '"' + line + '"';
    return line;
}

std::string EntryLine(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + FileValue(value);
}

}  // namespace

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const {
    return Get(section, std::span<const std::string_view>(&key, 1)).front();
}

std::vector<std::optional<std::string>> IniText::Get(std::string_view section,
                                                     std::span<const std::string_view> keys) const {
    std::vector<std::optional<std::string>> values(keys.size());
    // A key is settled by its first line, also when that line has no value.
    std::vector<bool> settled(keys.size(), false);
    std::size_t left = keys.size();
    ScanSection(text_, section, [&](const Line&, const KeyLine& entry) {
        // Every key the line names, so keys that differ only in letter case
        // read as each would alone.
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (!settled[i] && SameName(entry.key, keys[i])) {
                settled[i] = true;
                if (entry.value) values[i] = ReadableValue(*entry.value);
                --left;
            }
        }
        return left > 0;
    });
    return values;
}

std::vector<IniKeyValue> IniText::Entries(std::string_view section, std::size_t most) const {
    std::vector<IniKeyValue> entries;
    ScanSection(text_, section, [&](const Line&, const KeyLine& entry) {
        const bool seen = std::any_of(entries.begin(), entries.end(),
                                      [&](const IniKeyValue& e) { return SameName(e.key, entry.key); });
        if (!seen) {
            std::optional<std::string> value;
            if (entry.value) value = ReadableValue(*entry.value);
            entries.push_back({std::string(entry.key), std::move(value)});
        }
        return entries.size() < most;
    });
    return entries;
}

bool IniText::HasSection(std::string_view section) const {
    return ScanSection(text_, section, [](const Line&, const KeyLine&) { return false; }).found;
}

void IniText::RemoveSection(std::string_view section) {
    std::optional<std::size_t> begin;
    std::size_t end = text_.size();
    for (std::size_t pos = 0; pos < text_.size();) {
        const Line line = LineAt(text_, pos);
        pos = line.next;
        const auto header = HeaderName(Content(text_, line));
        if (!header) continue;
        if (begin) {
            end = line.begin;
            break;
        }
        if (SameName(*header, section)) begin = line.begin;
    }
    if (begin) text_.erase(*begin, end - *begin);
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    const IniEntry entry{key, std::string(value)};
    Set(section, std::span<const IniEntry>(&entry, 1));
}

void IniText::Set(std::string_view section, std::span<const IniEntry> entries) {
    // Entries naming one key in different letter case are one key, as if
    // they were set one after another: the first spells it, the last gives
    // the value.
    struct Key {
        std::string_view name;
        std::string_view value;
        bool placed = false;
    };
    std::vector<Key> keys;
    for (const IniEntry& entry : entries) {
        const auto same =
            std::find_if(keys.begin(), keys.end(), [&](const Key& key) { return SameName(key.name, entry.key); });
        if (same == keys.end()) {
            keys.push_back({entry.key, entry.value});
        } else {
            same->value = entry.value;
        }
    }

    struct Replacement {
        Line line;
        std::string text;
    };
    std::vector<Replacement> replacements;
    // The whole section is walked, even when all keys are placed early, so
    // the append point is known.
    const SectionScan scan = ScanSection(text_, section, [&](const Line& line, const KeyLine& found) {
        for (Key& key : keys) {
            if (!key.placed && SameName(found.key, key.name)) {
                key.placed = true;
                // The file's own spelling of the key stays.
                replacements.push_back({line, EntryLine(found.key, key.value)});
                break;
            }
        }
        return true;
    });

    std::string added = scan.found ? "" : "[" + std::string(section) + "]\r\n";
    for (const Key& key : keys) {
        if (!key.placed) added += EntryLine(key.name, key.value) + "\r\n";
    }
    const std::size_t point = scan.found ? scan.appendPoint : text_.size();
    // The line before the new ones may be the last of a file without a final
    // line break.
    if (!added.empty() && point > 0 && text_[point - 1] != '\n' && text_[point - 1] != '\r') {
        added.insert(0, "\r\n");
    }

    // Replaced lines are not blank, so they all lie before the append point.
    std::string out;
    out.reserve(text_.size() + added.size());
    std::size_t copied = 0;
    for (const Replacement& r : replacements) {
        out.append(text_, copied, r.line.begin - copied);
        out += r.text;
        copied = r.line.end;
    }
    out.append(text_, copied, point - copied);
    out += added;
    out.append(text_, point, std::string::npos);
    text_ = std::move(out);
}

}  // namespace lumetra
