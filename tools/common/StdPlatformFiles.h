#pragma once
// IPlatformFiles for the developer tools, on the standard library alone.
// The tools have no special folders, so every data folder is the tool's own.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsFile.h"

namespace lumetra {

class StdPlatformFiles final : public IPlatformFiles {
public:
    // Larger files are refused by ReadWholeFile, so a device or a runaway
    // file cannot exhaust memory.
    static constexpr std::size_t kMaxWholeFile = 16u << 20;

    explicit StdPlatformFiles(std::string moduleFileName) : moduleFileName_(std::move(moduleFileName)) {}

    std::string ModuleFileName() const override { return moduleFileName_; }
    std::string SpecialFolderPath(SpecialFolder folder) const override;
    // ASCII only: the tools run in no particular locale.
    std::string UpperCase(std::string_view text) const override;
    bool FolderExists(const std::string& path) const override;
    bool CreateFolder(const std::string& path) override;
    bool FileExists(const std::string& path) const override;
    std::unique_ptr<IByteReader> OpenForReading(const std::string& path) const override;
    std::optional<std::string> ReadWholeFile(const std::string& path) const override;
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view extension,
                                       std::size_t limit) const override;
    bool ReplaceFileContents(const std::string& path, std::string_view contents) override;
    char DecimalSeparator() const override { return '.'; }
    // Latin-1 (28591) stands for the system's code page: the tools have none.
    std::string ToCodePage(std::u16string_view text) const override;
    unsigned SystemCodePage() const override { return kLatin1CodePage; }
    std::optional<LeadBytes> CodePageLeadBytes(unsigned codePage) const override;
    std::u16string DecodeCodePage(unsigned codePage, std::string_view bytes) const override;

    static constexpr unsigned kLatin1CodePage = 28591;

private:
    std::string moduleFileName_;
};

}  // namespace lumetra
