#pragma once
// An in-memory stand-in for the OS file services: files and folders by full
// path (matched exactly), made-up special folders and a settable decimal
// separator. Tests can make folder creation or file replacement fail.
#include <cctype>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsFile.h"

namespace lumetra::test {

class StringByteReader final : public IByteReader {
public:
    explicit StringByteReader(std::string bytes) : bytes_(std::move(bytes)) {}
    bool ReadByte(std::uint8_t& byte) override {
        if (pos_ >= bytes_.size()) return false;
        byte = static_cast<std::uint8_t>(bytes_[pos_++]);
        return true;
    }

private:
    std::string bytes_;
    std::size_t pos_ = 0;
};

class FakePlatformFiles final : public IPlatformFiles {
public:
    std::string moduleFileName = "C:\\Tools\\Lumetra\\Lumetra.exe";
    std::map<SpecialFolder, std::string> specialFolders;
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> unreadable;  // exist, but cannot be opened or read
    std::vector<std::string> createdFolders;
    char decimalSeparator = '.';
    bool failCreateFolder = false;
    bool failReplace = false;

    std::string ModuleFileName() const override { return moduleFileName; }

    std::string SpecialFolderPath(SpecialFolder folder) const override {
        const auto it = specialFolders.find(folder);
        return it == specialFolders.end() ? std::string() : it->second;
    }

    std::string UpperCase(std::string_view text) const override {
        std::string out(text);
        for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return out;
    }

    bool FolderExists(const std::string& path) const override { return folders.count(path) != 0; }

    bool CreateFolder(const std::string& path) override {
        createdFolders.push_back(path);
        if (failCreateFolder) return false;
        folders.insert(path);
        return true;
    }

    bool FileExists(const std::string& path) const override {
        return files.count(path) != 0 || unreadable.count(path) != 0;
    }

    std::unique_ptr<IByteReader> OpenForReading(const std::string& path) const override {
        const auto text = ReadWholeFile(path);
        if (!text) return nullptr;
        return std::make_unique<StringByteReader>(*text);
    }

    std::optional<std::string> ReadWholeFile(const std::string& path) const override {
        const auto it = files.find(path);
        if (it == files.end() || unreadable.count(path) != 0) return std::nullopt;
        return it->second;
    }

    // The files whose paths are folder + a name without a delimiter.
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view extension,
                                       std::size_t limit) const override {
        std::vector<std::string> names;
        for (const auto& [path, contents] : files) {
            if (names.size() == limit) break;
            if (!path.starts_with(folder)) continue;
            const std::string name = path.substr(folder.size());
            if (name.find_first_of("\\/") == std::string::npos && name.size() >= extension.size() &&
                UpperCase(name.substr(name.size() - extension.size())) == UpperCase(extension)) {
                names.push_back(name);
            }
        }
        return names;
    }

    bool ReplaceFileContents(const std::string& path, std::string_view contents) override {
        if (failReplace) return false;
        files[path] = std::string(contents);
        return true;
    }

    char DecimalSeparator() const override { return decimalSeparator; }

    // Latin-1 stands for the system's code page 1252; "932" is a made-up
    // double-byte code page with Shift JIS's lead bytes, each of its pairs
    // a CJK ideograph of its own, enough to see where characters end.
    static constexpr unsigned kFakeDoubleByte = 932;
    unsigned systemCodePage = 1252;

    std::string ToCodePage(std::u16string_view text) const override {
        std::string out;
        for (const char16_t unit : text) out.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
        return out;
    }

    unsigned SystemCodePage() const override { return systemCodePage; }

    std::optional<LeadBytes> CodePageLeadBytes(unsigned codePage) const override {
        if (codePage == 1252 || codePage == kUtf8CodePage) return LeadBytes();
        if (codePage != kFakeDoubleByte) return std::nullopt;
        LeadBytes lead;
        for (unsigned byte = 0x81; byte <= 0xFC; ++byte) lead[byte] = byte <= 0x9F || byte >= 0xE0;
        return lead;
    }

    std::u16string DecodeCodePage(unsigned codePage, std::string_view bytes) const override {
        const LeadBytes lead = CodePageLeadBytes(codePage).value_or(LeadBytes());
        std::u16string out;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (lead[byte] && i + 1 < bytes.size()) {
                const auto trail = static_cast<unsigned char>(bytes[++i]);
                out.push_back(static_cast<char16_t>(0x4E00 + (byte - 0x81) * 256 + trail));
            } else {
                out.push_back(byte);
            }
        }
        return out;
    }
};

}  // namespace lumetra::test
