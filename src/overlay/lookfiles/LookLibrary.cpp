#include "overlay/lookfiles/LookLibrary.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "common/Text.h"
#include "lang/LangTable.h"
#include "settings/SettingsFile.h"

namespace lumetra {
namespace {

// Sorts as the look list shows the guides: by name, ASCII case ignored,
// then as spelt so that the order never depends on the folder's.
bool NameBefore(const std::string& a, const std::string& b) {
    const auto lower = [](char c) { return static_cast<unsigned char>(LowerAscii(c)); };
    const bool before = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                     [&](char x, char y) { return lower(x) < lower(y); });
    if (before || !EqualsIgnoringAsciiCase(a, b)) return before;
    return a < b;
}

bool IsLookFileName(const std::string& name) {
    const std::string_view extension = kLookFileExtension;
    return name.size() > extension.size() &&
           EqualsIgnoringAsciiCase(std::string_view(name).substr(name.size() - extension.size()), extension) &&
           IsSafeLanguageName(name);
}

// The folder's guide files, sorted, at most kMaxLookFilesPerFolder.
std::vector<std::string> LookFileNames(const IPlatformFiles& platform, const std::string& folder) {
    std::vector<std::string> names = platform.ListFiles(folder, kLookFileExtension, kMaxListedLookFiles);
    std::erase_if(names, [](const std::string& name) { return !IsLookFileName(name); });
    std::sort(names.begin(), names.end(), NameBefore);
    if (names.size() > kMaxLookFilesPerFolder) names.resize(kMaxLookFilesPerFolder);
    return names;
}

bool Listed(const std::vector<std::string>& seen, const std::string& name) {
    return std::any_of(seen.begin(), seen.end(),
                       [&](const std::string& known) { return EqualsIgnoringAsciiCase(known, name); });
}

}  // namespace

std::optional<LookFileParse> ReadLookFile(const IPlatformFiles& platform, const std::string& path) {
    const std::unique_ptr<IByteReader> file = platform.OpenForReading(path);
    if (!file) return std::nullopt;
    std::string text;
    std::uint8_t byte = 0;
    while (text.size() <= kMaxLookFileSize && file->ReadByte(byte)) text.push_back(static_cast<char>(byte));
    return ParseLookFile(text, [&platform](std::string_view bytes) {
        return Utf8FromCodePage(platform, platform.SystemCodePage(), bytes);
    });
}

std::vector<std::string> LookFileFolders(const SettingsFile& folders, const std::string& commonSubPath,
                                         const std::string& userSubPath) {
    const std::string below = std::string(kLookFileFolderName) + "\\";
    std::vector<std::string> result;
    for (const std::string& base :
         {folders.ExeFolder(), folders.CommonDataFolder(commonSubPath), folders.UserDataFolder(userSubPath)}) {
        const std::string folder = base + below;
        if (std::find(result.begin(), result.end(), folder) == result.end()) result.push_back(folder);
    }
    return result;
}

LookLibrary LoadLookLibrary(const SettingsFile& folders, const std::string& commonSubPath,
                            const std::string& userSubPath) {
    LookLibrary library;
    std::vector<std::string> seen;
    for (const std::string& folder : LookFileFolders(folders, commonSubPath, userSubPath)) {
        for (const std::string& name : LookFileNames(folders.Platform(), folder)) {
            if (Listed(seen, name)) continue;
            seen.push_back(name);
            const std::string path = folder + name;
            std::optional<LookFileParse> parse = ReadLookFile(folders.Platform(), path);
            if (!parse) {
                library.skipped.push_back({name, path, {0, "cannot be read"}});
            } else if (!parse->errors.empty()) {
                library.skipped.push_back({name, path, parse->errors.front()});
            } else {
                library.guides.push_back({name, std::move(parse->guide)});
            }
        }
    }
    std::sort(library.guides.begin(), library.guides.end(),
              [](const LoadedLookFile& a, const LoadedLookFile& b) { return NameBefore(a.fileName, b.fileName); });
    return library;
}

int FindLookFile(const LookLibrary& library, std::string_view fileName) {
    for (std::size_t i = 0; i < library.guides.size(); ++i) {
        if (EqualsIgnoringAsciiCase(library.guides[i].fileName, fileName)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace lumetra
