#pragma once
// Where the program's data lives, and the settings file itself.
//
// A portable copy keeps its data beside the program; an installed copy keeps
// it in the system's application-data folders under the product subfolder.
// A copy is installed when the installer left its marker beside it, or when
// it lies under the program-files folder (where only an installer writes).
// The OS calls sit behind IPlatformFiles so the folder rules can be tested
// with made-up paths.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/CodePages.h"

namespace lumetra {

inline constexpr const char* kProductSubPath = "Velmora\\Lumetra\\";
inline constexpr const char* kSettingsFileName = "Lumetra.user.settings";
// Written by the installer (and any package manager) beside the program;
// only its presence counts.
inline constexpr const char* kInstalledMarkerName = "Lumetra.installed";

// A file opened for sequential reading, one byte at a time.
class IByteReader {
public:
    virtual ~IByteReader() = default;
    // True only when exactly one byte was read.
    virtual bool ReadByte(std::uint8_t& byte) = 0;
};

enum class SpecialFolder { ProgramFiles, CommonAppData, AppData };

// The OS services behind the folder rules, the settings file and the
// language files. Paths and names are UTF-8.
class IPlatformFiles : public ICodePages {
public:
    virtual ~IPlatformFiles() = default;
    // Full path of the running program file.
    virtual std::string ModuleFileName() const = 0;
    // The special folder without a trailing delimiter; empty when unknown.
    virtual std::string SpecialFolderPath(SpecialFolder folder) const = 0;
    // Upper-cases with the user locale's rules.
    virtual std::string UpperCase(std::string_view text) const = 0;
    virtual bool FolderExists(const std::string& path) const = 0;
    virtual bool CreateFolder(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) const = 0;
    // Opens an existing file with read sharing and a sequential hint;
    // nullptr when it does not exist or cannot be opened. Creates nothing.
    virtual std::unique_ptr<IByteReader> OpenForReading(const std::string& path) const = 0;
    // The whole file, or nothing when it cannot be read.
    virtual std::optional<std::string> ReadWholeFile(const std::string& path) const = 0;
    // The names of the files (not folders) directly in folder, which ends
    // with its delimiter, whose names end with extension (".guide", ASCII
    // case ignored): at most limit of them, in no particular order; none
    // when the folder cannot be listed.
    virtual std::vector<std::string> ListFiles(const std::string& folder, std::string_view extension,
                                               std::size_t limit) const = 0;
    // Writes a complete new file beside the old one and only then replaces
    // it, so the old file survives any failure intact.
    virtual bool ReplaceFileContents(const std::string& path, std::string_view contents) = 0;
    // The user's decimal separator at this moment.
    virtual char DecimalSeparator() const = 0;
    // Unicode in the system's code page, in which the settings file keeps
    // its texts; a character the code page lacks becomes '?'.
    virtual std::string ToCodePage(std::u16string_view text) const = 0;
};

// Folder helpers. Every folder result ends with a backslash unless noted.
class SettingsFile {
public:
    explicit SettingsFile(IPlatformFiles& platform) : platform_(platform) {}

    std::string ExeFolder() const;
    // Without a trailing backslash, at most 260 characters; empty when unknown.
    std::string ProgramFilesFolder() const;
    enum class Copy { Portable, UnderProgramFiles, MarkedInstalled };
    // Which kind of copy this is: under the program-files folder counts
    // first, whether the marker is there or not.
    Copy Kind() const;
    bool IsPortable() const { return Kind() == Copy::Portable; }
    std::string CommonDataFolder(const std::string& subPath) const;
    std::string UserDataFolder(const std::string& subPath) const;
    bool ForceFolders(const std::string& path);
    std::unique_ptr<IByteReader> OpenForReading(const std::string& fileName) const;

    // UserDataFolder(kProductSubPath) + kSettingsFileName.
    std::string SettingsFilePath() const;

    IPlatformFiles& Platform() const { return platform_; }

private:
    IPlatformFiles& platform_;
};

struct IniFileText;

// The settings file as text; nothing when it is missing or cannot be read.
std::optional<IniFileText> ReadSettingsFile(const SettingsFile& file);
// Its text in UTF-8, for reading values: an 8-bit file is in the system's
// code page.
std::optional<std::string> ReadSettingsText(const SettingsFile& file);

// A copy that its marker made installed and that has no settings file of its
// own yet takes a copy of the one beside the program, which stays as it was:
// a portable copy installed over keeps its settings. True when it did.
bool AdoptSettingsBesideProgram(SettingsFile& file);

}  // namespace lumetra
