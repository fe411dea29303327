#pragma once
// The overlay sizes and looks every benchmark runs: each look with the
// factory grid and ratio, plus the settings that make a look do the most work.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "overlay/lookfiles/LookLibrary.h"

namespace lumetra {

class TSettings;
class LangTable;

namespace bench {

struct BenchSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The factory size, full HD and 4K.
inline constexpr std::array<BenchSize, 3> kBenchSizes{{{396, 245}, {1920, 1080}, {3840, 2160}}};

struct BenchCase {
    std::string name;  // e.g. "look06" or "look06 ratio 0.998"
    std::int32_t lookMode = 0;
    std::int32_t gridSize = 0;  // 0: keep the factory value
    double ratio = 0.0;         // 0: keep the factory value
    std::int32_t lineWidth = 1;
    bool halo = false;
    std::string guide{};  // a guide file's text, drawn instead of the look
};

// Every look as shipped, then the worst cases: the finest grid, and a ratio
// so close to 1 that spirals run to their segment limit and stepped looks
// to their count limits. Then every look again with wide, haloed lines, and
// hostile guide files with and without them.
std::vector<BenchCase> BenchCases();

// Factory settings with the case and size applied, values shown. The lock is
// off so that any width and height can be had together. A guide case makes
// its file the program's only guide and chooses it. The answer: the guide
// files the case draws with.
LookLibrary ApplyCase(TSettings& settings, const BenchCase& benchCase, BenchSize size);

std::string SizeName(BenchSize size);

// Reads a language file into table; false when it cannot be opened.
bool ReadLanguageFile(LangTable& table, const std::string& path);

}  // namespace bench
}  // namespace lumetra
