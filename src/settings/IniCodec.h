#pragma once
// A profile (INI) file held in memory. Reading follows the system's profile
// reader: CR, LF and CR LF each end a line, section and key names match
// without regard to letter case, values are trimmed of surrounding blanks,
// lose a pair of matching outer quotes and are cut to kMaxIniValue
// characters, and the first occurrence of a section or key wins. Writing
// touches only the line it sets, so everything else in a user's file
// survives byte for byte.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra {

inline constexpr std::size_t kMaxIniValue = 2047;

struct IniEntry {
    std::string_view key;
    std::string value;
};

// A key of a section with the value Get gives for it.
struct IniKeyValue {
    std::string key;
    std::optional<std::string> value;
    friend bool operator==(const IniKeyValue&, const IniKeyValue&) = default;
};

class IniText {
public:
    explicit IniText(std::string_view text) : text_(text) {}

    // The value of the first `key` in the first `section`; nothing when
    // either is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The same for several keys at once, in one pass over the text.
    std::vector<std::optional<std::string>> Get(std::string_view section, std::span<const std::string_view> keys) const;

    // Every key of the first `section` in the order of the file, each once,
    // as its first line names it; at most `most` of them.
    std::vector<IniKeyValue> Entries(std::string_view section, std::size_t most) const;

    // Replaces the first line of `key` in the first `section` in place,
    // keeping the file's spelling of the key; a missing key is added at the
    // end of the section, a missing section at the end of the text. New lines
    // end with CR LF. Line breaks in a value are dropped, so a value can never
    // add lines of its own; a value that would not read back as it is (outer
    // blanks, outer quotes) is written in quotes.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    // The same as setting the entries one after another, in one pass;
    // missing keys are added in the order given.
    void Set(std::string_view section, std::span<const IniEntry> entries);

    // Whether the text has a header of `section`.
    bool HasSection(std::string_view section) const;
    // Removes the first `section`: its header line and every line up to the
    // next header. Nothing changes when there is none.
    void RemoveSection(std::string_view section);

    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

}  // namespace lumetra
