#include "tools/common/StdPlatformFiles.h"

#include "text/Unicode.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace lumetra {
namespace {

namespace fs = std::filesystem;

// Ends after kMaxWholeFile bytes, so an endless device cannot hang a reader.
class StreamByteReader final : public IByteReader {
public:
    explicit StreamByteReader(std::ifstream stream) : stream_(std::move(stream)) {}

    bool ReadByte(std::uint8_t& byte) override {
        char c = 0;
        if (read_ >= StdPlatformFiles::kMaxWholeFile || !stream_.get(c)) return false;
        ++read_;
        byte = static_cast<std::uint8_t>(c);
        return true;
    }

private:
    std::ifstream stream_;
    std::size_t read_ = 0;
};

bool IsDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(fs::path(path), error);
}

bool WriteTo(const fs::path& path, std::string_view contents) {
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    stream.close();
    return !stream.fail();
}

}  // namespace

std::string StdPlatformFiles::SpecialFolderPath(SpecialFolder) const { return {}; }

std::string StdPlatformFiles::UpperCase(std::string_view text) const {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

bool StdPlatformFiles::FolderExists(const std::string& path) const { return IsDirectory(path); }

bool StdPlatformFiles::CreateFolder(const std::string& path) {
    std::error_code error;
    return fs::create_directory(fs::path(path), error);
}

bool StdPlatformFiles::FileExists(const std::string& path) const {
    std::error_code error;
    return fs::exists(fs::path(path), error) && !IsDirectory(path);
}

std::unique_ptr<IByteReader> StdPlatformFiles::OpenForReading(const std::string& path) const {
    if (IsDirectory(path)) return nullptr;
    std::ifstream stream(fs::path(path), std::ios::binary);
    if (!stream) return nullptr;
    return std::make_unique<StreamByteReader>(std::move(stream));
}

std::optional<std::string> StdPlatformFiles::ReadWholeFile(const std::string& path) const {
    if (IsDirectory(path)) return std::nullopt;
    std::ifstream stream(fs::path(path), std::ios::binary);
    if (!stream) return std::nullopt;
    std::string contents;
    std::array<char, 65536> chunk{};
    while (stream) {
        stream.read(chunk.data(), chunk.size());
        contents.append(chunk.data(), static_cast<std::size_t>(stream.gcount()));
        if (contents.size() > kMaxWholeFile) return std::nullopt;
    }
    if (stream.bad()) return std::nullopt;
    return contents;
}

std::vector<std::string> StdPlatformFiles::ListFiles(const std::string& folder, std::string_view extension,
                                                     std::size_t limit) const {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(fs::path(folder), error), end; !error && entry != end && names.size() < limit;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (entry->is_directory(error) || name.size() < extension.size()) continue;
        const std::string_view tail = std::string_view(name).substr(name.size() - extension.size());
        if (UpperCase(tail) == UpperCase(extension)) names.push_back(name);
    }
    return names;
}

bool StdPlatformFiles::ReplaceFileContents(const std::string& path, std::string_view contents) {
    fs::path target = fs::path(path);
    std::error_code error;
    if (fs::exists(target, error)) {
        // Replace what a link points at, not the link; a device or a pipe
        // (/dev/stdout) is written to as it is, never renamed over.
        if (auto resolved = fs::canonical(target, error); !error) target = std::move(resolved);
        if (!fs::is_regular_file(target, error)) return WriteTo(target, contents);
    }
    fs::path temporary = target;
    temporary += ".tmp";
    if (!WriteTo(temporary, contents)) {
        fs::remove(temporary, error);
        return false;
    }
    fs::rename(temporary, target, error);
    if (error) {
        // Some runtimes refuse to rename over an existing file.
        fs::remove(target, error);
        fs::rename(temporary, target, error);
    }
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

std::string StdPlatformFiles::ToCodePage(std::u16string_view text) const {
    std::string out;
    out.reserve(text.size());
    for (const char16_t unit : text) out.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
    return out;
}

std::optional<LeadBytes> StdPlatformFiles::CodePageLeadBytes(unsigned codePage) const {
    if (codePage == kLatin1CodePage || codePage == kUtf8CodePage) return LeadBytes();
    return std::nullopt;
}

std::u16string StdPlatformFiles::DecodeCodePage(unsigned codePage, std::string_view bytes) const {
    if (codePage == kUtf8CodePage) return Utf16FromUtf8(bytes);
    std::u16string out;
    out.reserve(bytes.size());
    for (const char c : bytes) out.push_back(static_cast<unsigned char>(c));
    return out;
}

}  // namespace lumetra
