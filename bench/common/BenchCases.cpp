#include "bench/common/BenchCases.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "lang/LangTable.h"
#include "overlay/compose/LookCatalogue.h"
#include "overlay/looks/Looks.h"
#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"

namespace lumetra::bench {
namespace {

// A typed ratio one step short of 1: every step is only a pixel shorter.
constexpr double kSlowRatio = 0.998;

class FileBytes final : public IByteReader {
public:
    explicit FileBytes(std::FILE* file) : file_(file) {}
    bool ReadByte(std::uint8_t& byte) override {
        const int c = std::fgetc(file_);
        if (c == EOF) return false;
        byte = static_cast<std::uint8_t>(c);
        return true;
    }

private:
    std::FILE* file_;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Lines(const std::string& line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line + "\n";
    return text;
}

// Guide files that cost the most per paint within the file's bounds.
std::vector<std::pair<std::string, std::string>> HostileGuides() {
    std::string longLines;
    for (int i = 0; i < 16; ++i) {
        longLines +=
            "line -100%-16384px " + std::to_string(i * 6) + "% 200%+16384px " + std::to_string(100 - i * 6) + "%\n";
    }
    return {
        // Ellipses far larger than the screen, their outlines crossing it.
        {"circles", Lines("circle 50% 50% 200%+16384px", 16)},
        // Slanted lines reaching far beyond the screen on both sides.
        {"long lines", longLines},
        // Every stroke the budget allows, a quarter each: huge arcs, huge
        // circles whose outlines cross the screen, long lines across it.
        {"worst", Lines("arc 50% 50% 100%+16384px 100%+16384px -180 180", 64) +
                      Lines("circle -100%-16384px 50% 200%+16384px repeat 1px 0 256", 64) +
                      Lines("line -100%-16384px -100% 200%+16384px 200% repeat 0 1px 256", 64) +
                      Lines("line -100% 200%+16384px 200% -100%-16384px repeat 1px 0 256", 64)},
    };
}

std::string LookName(std::int32_t look) { return (look < 10 ? "look0" : "look") + std::to_string(look); }

}  // namespace

std::vector<BenchCase> BenchCases() {
    std::vector<BenchCase> cases;
    for (std::int32_t look = 0; look < kLookCount; ++look) cases.push_back({LookName(look), look, 0, 0.0});
    cases.push_back({"look00 grid 3", 0, kMinGridSize, 0.0});
    for (const std::int32_t look : {1, 6, 7, 8, 10}) {
        cases.push_back({LookName(look) + " ratio 0.998", look, 0, kSlowRatio});
    }
    for (std::int32_t look = 0; look < kLookCount; ++look) {
        cases.push_back({LookName(look) + " width 3 halo", look, 0, 0.0, 3, true});
    }
    for (const auto& [name, text] : HostileGuides()) {
        cases.push_back({"guide " + name, 0, 0, 0.0, 1, false, text});
        cases.push_back({"guide " + name + " width 8 halo", 0, 0, 0.0, 8, true, text});
    }
    return cases;
}

LookLibrary ApplyCase(TSettings& settings, const BenchCase& benchCase, BenchSize size) {
    LookLibrary library;
    if (!benchCase.guide.empty()) {
        library.guides.push_back({"bench.guide", ParseLookFile(benchCase.guide).guide});
        settings.SetUserLooks({"bench.guide"});
    }
    settings.SetLock(false);
    settings.SetRatio(benchCase.ratio > 0.0 ? benchCase.ratio : kFactoryRatio);
    settings.SetWidth(size.width);
    settings.SetHeight(size.height);
    settings.SetGridSize(benchCase.gridSize > 0 ? benchCase.gridSize : TSettings(0).GridSize());
    settings.SetLookMode(benchCase.guide.empty() ? benchCase.lookMode : kBuiltInLookCount);
    settings.SetShowValues(true);
    settings.SetLineWidth(benchCase.lineWidth);
    settings.SetHalo(benchCase.halo);
    return library;
}

std::string SizeName(BenchSize size) { return std::to_string(size.width) + "x" + std::to_string(size.height); }

bool ReadLanguageFile(LangTable& table, const std::string& path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    FileBytes bytes(file.get());
    std::string key;
    std::string value;
    while (ReadLangEntry(bytes, key, value)) table.Merge(key, value);
    return true;
}

}  // namespace lumetra::bench
