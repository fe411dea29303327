#include "settings/SettingsFile.h"

#include <cstddef>

#include "settings/IniEncoding.h"
#include "text/CodePages.h"

namespace lumetra {

namespace {

constexpr std::size_t kMaxPath = 260;

bool IsDelimiter(char c) { return c == '\\' || c == '/'; }

// The path up to and including its last delimiter or drive colon.
std::string ParentPath(const std::string& path) {
    const auto cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace

std::string SettingsFile::ExeFolder() const {
    const std::string module = platform_.ModuleFileName();
    const auto cut = module.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : module.substr(0, cut + 1);
}

std::string SettingsFile::ProgramFilesFolder() const {
    std::string folder = platform_.SpecialFolderPath(SpecialFolder::ProgramFiles);
    if (folder.size() > kMaxPath) folder.resize(kMaxPath);
    return folder;
}

SettingsFile::Copy SettingsFile::Kind() const {
    const std::string programFiles = ProgramFilesFolder();
    // A plain substring test: a sibling such as "<program files> (x86)"
    // counts as installed as well.
    if (!programFiles.empty() &&
        platform_.UpperCase(ExeFolder()).find(platform_.UpperCase(programFiles)) != std::string::npos) {
        return Copy::UnderProgramFiles;
    }
    return platform_.FileExists(ExeFolder() + kInstalledMarkerName) ? Copy::MarkedInstalled : Copy::Portable;
}

std::string SettingsFile::CommonDataFolder(const std::string& subPath) const {
    if (IsPortable()) return ExeFolder();
    const std::string folder = platform_.SpecialFolderPath(SpecialFolder::CommonAppData);
    return folder.empty() ? ExeFolder() : folder + "\\" + subPath;
}

std::string SettingsFile::UserDataFolder(const std::string& subPath) const {
    if (IsPortable()) return ExeFolder();
    const std::string folder = platform_.SpecialFolderPath(SpecialFolder::AppData);
    return folder.empty() ? ExeFolder() : folder + "\\" + subPath;
}

bool SettingsFile::ForceFolders(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && IsDelimiter(folder.back())) folder.pop_back();
    if (folder.size() < 3 || platform_.FolderExists(folder)) return true;
    const std::string parent = ParentPath(folder);
    // A path that still ends in a delimiter or a drive colon: nothing above
    // it to create.
    if (parent == folder) return true;
    const bool parentMade = ForceFolders(parent);
    const bool made = platform_.CreateFolder(folder);
    return parentMade && made;
}

std::unique_ptr<IByteReader> SettingsFile::OpenForReading(const std::string& fileName) const {
    return platform_.OpenForReading(fileName);
}

std::string SettingsFile::SettingsFilePath() const { return UserDataFolder(kProductSubPath) + kSettingsFileName; }

std::optional<IniFileText> ReadSettingsFile(const SettingsFile& file) {
    const IPlatformFiles& platform = file.Platform();
    const std::string path = file.SettingsFilePath();
    if (!platform.FileExists(path)) return std::nullopt;
    const auto bytes = platform.ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return DecodeIniFile(*bytes);
}

bool AdoptSettingsBesideProgram(SettingsFile& file) {
    if (file.Kind() != SettingsFile::Copy::MarkedInstalled) return false;
    IPlatformFiles& platform = file.Platform();
    const std::string own = file.SettingsFilePath();
    const std::string beside = file.ExeFolder() + kSettingsFileName;
    // Without a per-user folder the copy keeps the file beside it anyway.
    if (own == beside || platform.FileExists(own) || !platform.FileExists(beside)) return false;
    const auto bytes = platform.ReadWholeFile(beside);
    if (!bytes) return false;
    file.ForceFolders(file.UserDataFolder(kProductSubPath));
    // Byte for byte: the user's own lines and the file's encoding stay.
    return platform.ReplaceFileContents(own, *bytes);
}

std::optional<std::string> ReadSettingsText(const SettingsFile& file) {
    auto text = ReadSettingsFile(file);
    if (!text) return std::nullopt;
    if (text->encoding == IniEncoding::Utf16Le) return std::move(text->text);
    const IPlatformFiles& platform = file.Platform();
    return Utf8FromCodePage(platform, platform.SystemCodePage(), text->text);
}

}  // namespace lumetra
