#pragma once
// The guide files the program offers after its built-in looks: *.guide files
// in a Guides folder beside the program, in the common data folder and in the
// per-user data folder, found in that order as the language files are.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "overlay/lookfiles/LookFile.h"

namespace lumetra {

class IPlatformFiles;
class SettingsFile;

inline constexpr const char* kLookFileFolderName = "Guides";
inline constexpr const char* kLookFileExtension = ".guide";
// Further files in a folder are left out: the first ones by name are taken.
inline constexpr std::size_t kMaxLookFilesPerFolder = 64;
// What a folder listing may hold before the names are sorted and cut.
inline constexpr std::size_t kMaxListedLookFiles = 1024;

struct LoadedLookFile {
    std::string fileName;  // "baseline.guide", as the folder spells it
    UserLook guide;
};

// A file that is not offered: problem is its first error, or line 0 and
// "cannot be read".
struct SkippedLookFile {
    std::string fileName;
    std::string path;
    LookFileError problem;
};

struct LookLibrary {
    std::vector<LoadedLookFile> guides;  // by file name, ASCII case ignored
    std::vector<SkippedLookFile> skipped;
};

// Reads at most one byte more than a guide file may hold, so a device or a
// huge file costs no more; nothing when the file does not open.
std::optional<LookFileParse> ReadLookFile(const IPlatformFiles& platform, const std::string& path);

// The three folders, each once (a portable copy has one folder for all).
std::vector<std::string> LookFileFolders(const SettingsFile& folders, const std::string& commonSubPath,
                                         const std::string& userSubPath);

// A file name found in an earlier folder hides the same name (ASCII case
// ignored) in the later ones, even when that file cannot be read or holds an
// error. Names that are not safe file names (see IsSafeLanguageName) are
// never opened.
LookLibrary LoadLookLibrary(const SettingsFile& folders, const std::string& commonSubPath,
                            const std::string& userSubPath);

// The position of the guide saved by its file name (ASCII case ignored), or
// -1 when no such file was loaded.
int FindLookFile(const LookLibrary& library, std::string_view fileName);

}  // namespace lumetra
