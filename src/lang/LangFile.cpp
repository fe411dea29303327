// Language files: the byte-level reader and the folder search.
#include <array>
#include <cstdint>
#include <memory>

#include "lang/LangTable.h"
#include "settings/SettingsFile.h"

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

// Everything up to the first "=", which is consumed; nothing is trimmed.
bool ReadKey(IByteReader& file, std::uint8_t first, std::string& key) {
    std::uint8_t byte = first;
    do {
        key.push_back(static_cast<char>(byte));
        if (!file.ReadByte(byte)) {
            return false;
        }
    } while (byte != '=');
    return true;
}

// Everything up to the CR that ends the entry. A backslash keeps the byte
// after it as it stands, except that backslash + CR joins the next line.
bool ReadValue(IByteReader& file, std::string& value) {
    std::uint8_t byte = 0;
    while (file.ReadByte(byte)) {
        if (byte == '\r') {
            return true;
        }
        if (byte != '\\') {
            value.push_back(static_cast<char>(byte));
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

}  // namespace

bool ReadLangEntry(IByteReader& file, std::string& key, std::string& value) {
    key.clear();
    value.clear();
    std::uint8_t first = 0;
    if (FindKeyStart(file, first) && ReadKey(file, first, key) && ReadValue(file, value)) {
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
    std::string key;
    std::string value;
    while (ReadLangEntry(*file, key, value)) {
        table.Merge(std::move(key), std::move(value));
    }
}

}  // namespace lumetra
