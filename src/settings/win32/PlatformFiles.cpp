#include "settings/win32/PlatformFiles.h"

#include "win32/UniqueHandle.h"
#include "win32/WideText.h"
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
    return UniqueFile(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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

DWORD Attributes(const std::string& path) { return GetFileAttributesW(WidePath(path).c_str()); }

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
        CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const bool written = WriteAll(file.get(), contents) && FlushFileBuffers(file.get()) != 0;
    // Closed now, so the rename can follow; a failed close fails the write.
    return CloseHandle(file.release()) != 0 && written;
}

}  // namespace

std::string Win32PlatformFiles::ModuleFileName() const {
    // Long-path installs can exceed MAX_PATH: grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return Utf8({buffer.data(), length});
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32PlatformFiles::SpecialFolderPath(SpecialFolder folder) const {
    const KNOWNFOLDERID* id = &FOLDERID_RoamingAppData;
    switch (folder) {
        case SpecialFolder::ProgramFiles: id = &FOLDERID_ProgramFiles; break;
        case SpecialFolder::CommonAppData: id = &FOLDERID_ProgramData; break;
        case SpecialFolder::AppData: id = &FOLDERID_RoamingAppData; break;
    }
    // The known-folder call has no MAX_PATH limit and no code page; its
    // string is the caller's to free. Not verified: a profile's data folder
    // that does not exist yet is made by the first save, as before.
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(*id, KF_FLAG_DONT_VERIFY, nullptr, &path);
    std::string utf8 = SUCCEEDED(result) && path != nullptr ? Utf8(path) : std::string();
    CoTaskMemFree(path);
    return utf8;
}

std::string Win32PlatformFiles::UpperCase(std::string_view text) const {
    std::wstring upper = Wide(text);
    // The call takes a 32-bit length; the paths compared here are far shorter.
    const auto length = static_cast<DWORD>(std::min<std::size_t>(upper.size(), MAXDWORD));
    if (length > 0) CharUpperBuffW(upper.data(), length);
    return Utf8(upper);
}

bool Win32PlatformFiles::FolderExists(const std::string& path) const {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32PlatformFiles::CreateFolder(const std::string& path) {
    return CreateDirectoryW(WidePath(path).c_str(), nullptr) != 0;
}

bool Win32PlatformFiles::FileExists(const std::string& path) const {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<IByteReader> Win32PlatformFiles::OpenForReading(const std::string& path) const {
    UniqueFile file = OpenExisting(path);
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
    const UniqueFind search(FindFirstFileW(WidePath(folder + "*" + std::string(extension)).c_str(), &found));
    if (!search) return names;
    do {
        std::string name = Utf8(found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !EndsWithIgnoringCase(name, extension)) {
            continue;
        }
        names.push_back(std::move(name));
    } while (names.size() < limit && FindNextFileW(search.get(), &found) != 0);
    return names;
}

bool Win32PlatformFiles::ReplaceFileContents(const std::string& path, std::string_view contents) {
    // The new file is complete and on disk before it takes the old one's
    // place, so a failure at any step leaves the old file as it was.
    const std::string temporary = path + ".tmp";
    if (WriteNewFile(temporary, contents) && MoveFileExW(WidePath(temporary).c_str(), WidePath(path).c_str(),
                                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
    }
    DeleteFileW(WidePath(temporary).c_str());
    return false;
}

char Win32PlatformFiles::DecimalSeparator() const {
    std::array<wchar_t, 8> separator{};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator.data(), static_cast<int>(separator.size())) <
        2) {
        return '.';
    }
    // The settings file writes the separator as one byte: an ASCII one.
    return separator[0] < 0x80 ? static_cast<char>(separator[0]) : '.';
}

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

unsigned Win32PlatformFiles::SystemCodePage() const { return GetACP(); }

std::optional<LeadBytes> Win32PlatformFiles::CodePageLeadBytes(unsigned codePage) const {
    if (codePage == kUtf8CodePage) return LeadBytes();
    CPINFO info{};
    if (codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_MACCP || codePage == CP_THREAD_ACP ||
        !IsValidCodePage(codePage) || !GetCPInfo(codePage, &info) || info.MaxCharSize > 2) {
        return std::nullopt;
    }
    // Pairs of bounds, ended by two zero bytes.
    LeadBytes lead;
    for (std::size_t i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        for (unsigned byte = info.LeadByte[i]; byte <= info.LeadByte[i + 1]; ++byte) lead[byte] = true;
    }
    return lead;
}

std::u16string Win32PlatformFiles::DecodeCodePage(unsigned codePage, std::string_view bytes) const {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::u16string out(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(out.data()), size);
    return out;
}

}  // namespace lumetra
