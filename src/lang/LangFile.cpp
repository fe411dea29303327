// Language files: the byte-level reader, the file's encoding and the folder
// search.
#include <array>
#include <charconv>
#include <cstdint>
#include <memory>
#include <optional>

#include "lang/LangTable.h"
#include "settings/SettingsFile.h"
#include "text/Unicode.h"

namespace lumetra {
namespace {

bool IsAsciiLetter(std::uint8_t byte) { return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'); }

char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Skips the rest of a comment line, its LF included. False at end of file.
bool SkipLine(IByteReader& file) {
    std::uint8_t byte = 0;
    while (file.ReadByte(byte)) {
        if (byte == '\n') {
            return true;
        }
    }
    return false;
}

// Skips blanks, control bytes and comment lines up to the letter that starts
// the next key. False at end of file.
bool FindKeyStart(IByteReader& file, std::uint8_t& first) {
    while (file.ReadByte(first)) {
        if (first <= 0x20) {
            continue;
        }
        if (IsAsciiLetter(first)) {
            return true;
        }
        if (!SkipLine(file)) {
            return false;
        }
    }
    return false;
}

// The second byte of a double-byte character is never examined: in such
// code pages it may have the value of "\\" or a letter. No double-byte code
// page has trail bytes below 0x40, so a lead byte before a CR, a digit or
// "=" is a broken character, and that byte keeps its meaning.
bool IsTrailByte(std::uint8_t byte) { return byte >= 0x40; }

// Everything up to the first "=", which is consumed; nothing is trimmed.
bool ReadKey(IByteReader& file, std::uint8_t first, std::string& key, const LeadBytes& leadBytes) {
    std::uint8_t byte = first;
    do {
        key.push_back(static_cast<char>(byte));
        const bool lead = leadBytes[byte];
        if (!file.ReadByte(byte)) {
            return false;
        }
        if (lead && IsTrailByte(byte)) {
            key.push_back(static_cast<char>(byte));
            if (!file.ReadByte(byte)) return false;
        }
    } while (byte != '=');
    return true;
}

// Everything up to the CR that ends the entry. A backslash keeps the byte
// after it as it stands, except that backslash + CR joins the next line.
bool ReadValue(IByteReader& file, std::string& value, const LeadBytes& leadBytes) {
    std::uint8_t byte = 0;
    // A byte read after a lead byte that turned out no trail byte.
    bool held = false;
    while (held || file.ReadByte(byte)) {
        held = false;
        if (byte == '\r') {
            return true;
        }
        if (byte != '\\') {
            value.push_back(static_cast<char>(byte));
            if (!leadBytes[byte]) continue;
            if (!file.ReadByte(byte)) return false;
            if (IsTrailByte(byte)) {
                value.push_back(static_cast<char>(byte));
            } else {
                held = true;
            }
            continue;
        }
        std::uint8_t next = 0;
        if (!file.ReadByte(next)) {
            return false;
        }
        if (next == '\r') {
            std::uint8_t lineFeed = 0;  // whatever follows the CR is dropped
            if (!file.ReadByte(lineFeed)) {
                return false;
            }
            value += "\r\n";
        } else {
            value.push_back('\\');
            value.push_back(static_cast<char>(next));
        }
    }
    return false;
}

// Gives back the bytes it looked at for a byte-order mark before the rest.
class MarkReader final : public IByteReader {
public:
    explicit MarkReader(IByteReader& file) : file_(file) {
        while (count_ < kUtf8Mark.size() && file_.ReadByte(start_[count_])) {
            if (start_[count_] != static_cast<std::uint8_t>(kUtf8Mark[count_])) {
                ++count_;
                return;
            }
            ++count_;
        }
        if (count_ == kUtf8Mark.size()) {
            marked_ = true;
            count_ = 0;
        }
    }

    bool Marked() const { return marked_; }

    bool ReadByte(std::uint8_t& byte) override {
        if (given_ < count_) {
            byte = start_[given_++];
            return true;
        }
        return file_.ReadByte(byte);
    }

private:
    static constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    IByteReader& file_;
    std::array<std::uint8_t, 3> start_{};
    std::size_t count_ = 0;
    std::size_t given_ = 0;
    bool marked_ = false;
};

// The number of a "LangCodePage" entry: decimal digits alone.
std::optional<unsigned> CodePageNumber(const std::string& value) {
    unsigned number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || value.empty() || value.front() == '-') {
        return std::nullopt;
    }
    return number;
}

}  // namespace

bool ReadLangEntry(IByteReader& file, std::string& key, std::string& value, const LeadBytes& leadBytes) {
    key.clear();
    value.clear();
    std::uint8_t first = 0;
    if (FindKeyStart(file, first) && ReadKey(file, first, key, leadBytes) && ReadValue(file, value, leadBytes)) {
        return true;
    }
    key.clear();
    value.clear();
    return false;
}

bool IsSafeLanguageName(std::string_view name) {
    // A NUL would cut the path short inside the OS call, after these checks.
    if (name.find_first_of(std::string_view("\\/:\0", 4)) != std::string_view::npos) {
        return false;
    }
    // Windows maps these names to devices whatever the folder or extension.
    std::string base(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    for (char& c : base) {
        c = ToUpperAscii(c);
    }
    static constexpr std::array<std::string_view, 6> kDevices{"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const std::string_view device : kDevices) {
        if (base == device) {
            return false;
        }
    }
    const bool numberedPort =
        base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '0' && base[3] <= '9';
    return !numberedPort;
}

void ReadLanguageFile(IByteReader& file, const ICodePages& codePages,
                      const std::function<void(std::string key, std::string value)>& entry) {
    MarkReader reader(file);
    unsigned codePage = reader.Marked() ? kUtf8CodePage : codePages.SystemCodePage();
    LeadBytes leadBytes = reader.Marked() ? LeadBytes() : codePages.CodePageLeadBytes(codePage).value_or(LeadBytes());
    std::string key;
    std::string value;
    for (bool first = true; ReadLangEntry(reader, key, value, leadBytes); first = false) {
        // Only the first entry can declare the code page: before it is
        // known, a double-byte file cannot be split into entries. The
        // entry is ASCII, so it reads the same in any code page.
        if (first && key == kLangCodePageKey) {
            const std::optional<unsigned> declared = CodePageNumber(value);
            const auto itsLeadBytes =
                declared && !reader.Marked() ? codePages.CodePageLeadBytes(*declared) : std::nullopt;
            if (itsLeadBytes) {
                codePage = *declared;
                leadBytes = *itsLeadBytes;
            }
            continue;
        }
        entry(Utf8FromCodePage(codePages, codePage, key), Utf8FromCodePage(codePages, codePage, value));
    }
}

void MergeLanguageFile(LangTable& table, IByteReader& file, const ICodePages& codePages) {
    ReadLanguageFile(file, codePages,
                     [&table](std::string key, std::string value) { table.Merge(std::move(key), std::move(value)); });
}

void LoadLanguage(LangTable& table, const SettingsFile& folders, const std::string& name,
                  const std::string& commonSubPath, const std::string& userSubPath) {
    if (!IsSafeLanguageName(name)) {
        return;
    }
    const std::string fileName = name + ".lng";
    // Each later folder is asked for only when the one before it fails.
    std::unique_ptr<IByteReader> file = folders.OpenForReading(folders.ExeFolder() + fileName);
    if (!file) {
        file = folders.OpenForReading(folders.CommonDataFolder(commonSubPath) + fileName);
    }
    if (!file) {
        file = folders.OpenForReading(folders.UserDataFolder(userSubPath) + fileName);
    }
    if (!file) {
        return;
    }
    MergeLanguageFile(table, *file, folders.Platform());
}

void LoadProgramLanguage(LangTable& table, const SettingsFile& folders, const std::string& name) {
    LoadLanguage(table, folders, kBaseLanguage, kProductSubPath, kProductSubPath);
    if (name != kBaseLanguage) LoadLanguage(table, folders, name, kProductSubPath, kProductSubPath);
}

}  // namespace lumetra
