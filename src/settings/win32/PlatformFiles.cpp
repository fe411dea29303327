#include "settings/win32/PlatformFiles.h"

#include "win32/UniqueHandle.h"
// After the platform header, which it needs.
#include <shlobj.h>

#include <algorithm>
#include <climits>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace lumetra {

namespace {

UniqueFile OpenExisting(const std::string& path) {
    return UniqueFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

UniqueFile OpenExisting(const std::u16string& path) {
    return UniqueFile(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// Reads ahead in small blocks so single bytes do not cost a call each.
class FileByteReader final : public IByteReader {
public:
    explicit FileByteReader(UniqueFile file) : file_(std::move(file)) {}

    bool ReadByte(std::uint8_t& byte) override {
        if (pos_ == filled_) {
            DWORD read = 0;
            if (!ReadFile(file_.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), &read, nullptr) ||
                read == 0) {
                return false;
            }
            pos_ = 0;
            filled_ = read;
        }
        byte = buffer_[pos_++];
        return true;
    }

private:
    UniqueFile file_;
    std::array<std::uint8_t, 4096> buffer_{};
    DWORD pos_ = 0;
    DWORD filled_ = 0;
};

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The search pattern also matches on the short 8.3 names, which cut the
// extension to three letters; the long name decides.
bool EndsWithIgnoringCase(std::string_view name, std::string_view extension) {
    if (name.size() < extension.size()) return false;
    const std::string_view end = name.substr(name.size() - extension.size());
    return std::equal(end.begin(), end.end(), extension.begin(), extension.end(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool WriteAll(HANDLE file, std::string_view contents) {
    constexpr std::size_t kChunk = 1 << 20;
    while (!contents.empty()) {
        const auto size = static_cast<DWORD>(std::min(contents.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file, contents.data(), size, &written, nullptr) || written != size) return false;
        contents.remove_prefix(size);
    }
    return true;
}

// Writes and flushes the whole file; false on any failure.
bool WriteNewFile(const std::string& path, std::string_view contents) {
    UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const bool written = WriteAll(file.get(), contents) && FlushFileBuffers(file.get()) != 0;
    // Closed now, so the rename can follow; a failed close fails the write.
    return CloseHandle(file.release()) != 0 && written;
}

}  // namespace

std::string Win32PlatformFiles::ModuleFileName() const {
    // Long-path installs can exceed MAX_PATH: grow until the name fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32PlatformFiles::SpecialFolderPath(SpecialFolder folder) const {
    int csidl = CSIDL_APPDATA;
    switch (folder) {
        case SpecialFolder::ProgramFiles: csidl = CSIDL_PROGRAM_FILES; break;
        case SpecialFolder::CommonAppData: csidl = CSIDL_COMMON_APPDATA; break;
        case SpecialFolder::AppData: csidl = CSIDL_APPDATA; break;
    }
    std::array<char, MAX_PATH> path{};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path.data()))) return {};
    return path.data();
}

std::string Win32PlatformFiles::UpperCase(std::string_view text) const {
    std::string upper(text);
    // The call takes a 32-bit length; the paths compared here are far shorter.
    const auto length = static_cast<DWORD>(std::min<std::size_t>(upper.size(), MAXDWORD));
    if (length > 0) CharUpperBuffA(upper.data(), length);
    return upper;
}

bool Win32PlatformFiles::FolderExists(const std::string& path) const {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32PlatformFiles::CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool Win32PlatformFiles::FileExists(const std::string& path) const {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<IByteReader> Win32PlatformFiles::OpenForReading(const std::string& path) const {
    const auto unspelt = unspelt_.find(path);
    UniqueFile file = unspelt == unspelt_.end() ? OpenExisting(path) : OpenExisting(unspelt->second);
    if (!file) return nullptr;
    return std::make_unique<FileByteReader>(std::move(file));
}

std::optional<std::string> Win32PlatformFiles::ReadWholeFile(const std::string& path) const {
    const UniqueFile file = OpenExisting(path);
    if (!file) return std::nullopt;
    std::string contents;
    std::array<char, 65536> block{};
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr)) return std::nullopt;
        if (read == 0) return contents;
        contents.append(block.data(), read);
    }
}

std::vector<std::string> Win32PlatformFiles::ListFiles(const std::string& folder, std::string_view extension,
                                                       std::size_t limit) const {
    std::vector<std::string> names;
    if (limit == 0) return names;
    WIN32_FIND_DATAW found{};
    const std::u16string wideFolder = FromCodePage(folder);
    const std::u16string pattern = FromCodePage(folder + "*" + std::string(extension));
    const UniqueFind search(FindFirstFileW(Wide(pattern), &found));
    if (!search) return names;
    do {
        const std::u16string wideName(reinterpret_cast<const char16_t*>(found.cFileName));
        std::string name = ToCodePage(wideName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !EndsWithIgnoringCase(name, extension)) {
            continue;
        }
        // Best-fit letters ('l' for 'ł') would name another file: '?'
        // stands for each letter the code page lacks.
        if (FromCodePage(name) != wideName) {
            name.clear();
            for (const char16_t unit : wideName) {
                const std::string letter = ToCodePage(std::u16string(1, unit));
                name += letter.size() == 1 && FromCodePage(letter) == std::u16string(1, unit) ? letter : "?";
            }
            unspelt_[folder + name] = wideFolder + wideName;
        }
        names.push_back(std::move(name));
    } while (names.size() < limit && FindNextFileW(search.get(), &found) != 0);
    return names;
}

bool Win32PlatformFiles::ReplaceFileContents(const std::string& path, std::string_view contents) {
    // The new file is complete and on disk before it takes the old one's
    // place, so a failure at any step leaves the old file as it was.
    const std::string temporary = path + ".tmp";
    if (WriteNewFile(temporary, contents) &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
    }
    DeleteFileA(temporary.c_str());
    return false;
}

char Win32PlatformFiles::DecimalSeparator() const {
    std::array<char, 8> separator{};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator.data(), static_cast<int>(separator.size())) <
        2) {
        return '.';
    }
    return separator[0];
}

// Both are UTF-16 code units on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

// The calls take 32-bit lengths; a longer text converts to nothing.
std::string Win32PlatformFiles::ToCodePage(std::u16string_view text) const {
    if (text.empty() || text.size() > INT_MAX) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::u16string Win32PlatformFiles::FromCodePage(std::string_view text) const {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::u16string out(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(out.data()), size);
    return out;
}

}  // namespace lumetra
