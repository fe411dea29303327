#pragma once
// The file services of the settings and language code on Windows, through
// the wide calls: paths are UTF-8 inside and UTF-16 at every call, so a
// folder named in any script works, and long paths take their long form.
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
    unsigned SystemCodePage() const override;
    std::optional<LeadBytes> CodePageLeadBytes(unsigned codePage) const override;
    std::u16string DecodeCodePage(unsigned codePage, std::string_view bytes) const override;
};

}  // namespace lumetra
