// Settings files of arbitrary bytes: load, save over the same file, load
// what was written. The second load must give the values of the first, so
// a file the program writes always reads back as it was meant.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/AppSettings.h"
#include "settings/IniCodec.h"

namespace {

using lumetra::TSettings;

constexpr std::int32_t kScreenWidth = 1280;

// Every field, in the file's own words.
std::string Fields(const TSettings& s, char separator) { return s.SaveToText("", separator); }

// The Settings lines of two field dumps, except the two sizes.
bool SameExceptSizes(const std::string& a, const std::string& b) {
    lumetra::IniText left(a);
    lumetra::IniText right(b);
    left.Set("Settings", "Width", "");
    left.Set("Settings", "Height", "");
    right.Set("Settings", "Width", "");
    right.Set("Settings", "Height", "");
    return left.Text() == right.Text();
}

bool WithinOnePixel(std::int32_t a, std::int32_t b) { return std::abs(static_cast<std::int64_t>(a) - b) <= 1; }

void RoundTrip(std::string_view input, char separator) {
    TSettings first(kScreenWidth);
    first.LoadFromText(input, separator);
    const std::string written = first.SaveToText(input, separator);

    TSettings second(kScreenWidth);
    second.LoadFromText(written, separator);

    // The dumps below compare every field as written; Lang is compared as
    // held, so a byte the writer would drop cannot hide.
    FUZZ_CHECK(first.Lang() == second.Lang(), "a saved file loads a different Lang");
    if (first.Ratio() == second.Ratio()) {
        FUZZ_CHECK(Fields(first, separator) == Fields(second, separator), "a saved file loads different values");
        FUZZ_CHECK(second.SaveToText(written, separator) == written, "saving what was loaded changes the file");
        return;
    }
    // The file keeps 15 significant digits of the ratio, so a size derived
    // from it may land one pixel away; after that one save nothing moves.
    FUZZ_CHECK(SameExceptSizes(Fields(first, separator), Fields(second, separator)),
               "a saved file loads different values");
    FUZZ_CHECK(WithinOnePixel(first.Width(), second.Width()) && WithinOnePixel(first.Height(), second.Height()),
               "a shortened ratio moved a size by more than a pixel");
    const std::string rewritten = second.SaveToText(written, separator);
    TSettings third(kScreenWidth);
    third.LoadFromText(rewritten, separator);
    FUZZ_CHECK(third.SaveToText(rewritten, separator) == rewritten, "the file keeps changing from save to save");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    RoundTrip(input, '.');
    RoundTrip(input, ',');
    return 0;
}
