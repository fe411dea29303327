#pragma once
// The file services of the settings and language code on Windows, through
// the ANSI calls: paths and texts are in the system's single-byte code page.
// Folders are listed with the wide calls, so that a file whose name the code
// page cannot spell ("Z?oty.guide" for "Złoty.guide" on a Western system)
// is still listed, under that spelling, and opens by it.
#include <map>
#include <string>

#include "settings/SettingsFile.h"

namespace lumetra {

class Win32PlatformFiles final : public IPlatformFiles {
public:
    std::string ModuleFileName() const override;
    std::string SpecialFolderPath(SpecialFolder folder) const override;
    std::string UpperCase(std::string_view text) const override;
    bool FolderExists(const std::string& path) const override;
    bool CreateFolder(const std::string& path) override;
    bool FileExists(const std::string& path) const override;
    std::unique_ptr<IByteReader> OpenForReading(const std::string& path) const override;
    std::optional<std::string> ReadWholeFile(const std::string& path) const override;
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view extension,
                                       std::size_t limit) const override;
    bool ReplaceFileContents(const std::string& path, std::string_view contents) override;
    char DecimalSeparator() const override;
    std::string ToCodePage(std::u16string_view text) const override;
    std::u16string FromCodePage(std::string_view text) const override;

private:
    // The path of a listed file as the code page spells it, and its true
    // path, for each listed name the code page cannot spell.
    mutable std::map<std::string, std::u16string> unspelt_;
};

}  // namespace lumetra
