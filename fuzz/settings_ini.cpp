// Settings files of arbitrary bytes: load, save over the same file, load
// what was written. The second load must give the values of the first, so
// a file the program writes always reads back as it was meant. The file
// goes through the text cores and through Load and Save, which decode and
// encode a UTF-16 file; a key set in the decoded text leaves every other
// line of the file as it was. The set of guides read from the file gives the
// same number of guides from what it saved, and its file settles.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "app/Guides.h"
#include "settings/AppSettings.h"
#include "settings/IniCodec.h"
#include "settings/IniEncoding.h"
#include "settings/SettingsFile.h"
#include "support/FakePlatformFiles.h"

namespace {

using lumetra::TSettings;

constexpr std::int32_t kScreenWidth = 1280;

// Every key the file holds, in the file's own words.
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

// The text cores, which take the file's bytes as they are.
struct TextStore {
    char separator;
    void Load(TSettings& s, const std::string& file) const { s.LoadFromText(file, separator); }
    std::string Save(const TSettings& s, const std::string& file) const { return s.SaveToText(file, separator); }
};

// Load and Save of a portable copy's file.
struct FileStore {
    char separator;
    void Load(TSettings& s, const std::string& file) const {
        Platform platform(separator, file);
        s.Load(platform.file);
    }
    std::string Save(const TSettings& s, const std::string& file) const {
        Platform platform(separator, file);
        FUZZ_CHECK(s.Save(platform.file), "a readable file was not saved");
        return platform.fake.files[kPath];
    }

private:
    static constexpr const char* kPath = "C:\\Lumetra\\Lumetra.user.settings";
    struct Platform {
        Platform(char separator, const std::string& contents) {
            fake.moduleFileName = "C:\\Lumetra\\Lumetra.exe";
            fake.decimalSeparator = separator;
            fake.files[kPath] = contents;
        }
        lumetra::test::FakePlatformFiles fake;
        lumetra::SettingsFile file{fake};
    };
};

template <class Store>
void RoundTrip(const std::string& input, const Store& store) {
    const char separator = store.separator;
    TSettings first(kScreenWidth);
    store.Load(first, input);
    const std::string written = store.Save(first, input);

    TSettings second(kScreenWidth);
    store.Load(second, written);

    // The dumps below compare every field as written; Lang is compared as
    // held, so a byte the writer would drop cannot hide.
    FUZZ_CHECK(first.Lang() == second.Lang(), "a saved file loads a different Lang");
    if (first.Ratio() == second.Ratio()) {
        FUZZ_CHECK(Fields(first, separator) == Fields(second, separator), "a saved file loads different values");
        FUZZ_CHECK(store.Save(second, written) == written, "saving what was loaded changes the file");
        return;
    }
    // The file keeps 15 significant digits of the ratio, so a size derived
    // from it may land one pixel away; after that one save nothing moves.
    FUZZ_CHECK(SameExceptSizes(Fields(first, separator), Fields(second, separator)),
               "a saved file loads different values");
    FUZZ_CHECK(WithinOnePixel(first.Width(), second.Width()) && WithinOnePixel(first.Height(), second.Height()),
               "a shortened ratio moved a size by more than a pixel");
    const std::string rewritten = store.Save(second, written);
    TSettings third(kScreenWidth);
    store.Load(third, rewritten);
    FUZZ_CHECK(store.Save(third, rewritten) == rewritten, "the file keeps changing from save to save");
}

// What the write took out of the text lies within one line: a replaced
// line's content, or nothing where lines were added.
void SetKeepsOtherLines(const std::string& input) {
    lumetra::IniFileText file = lumetra::DecodeIniFile(input);
    FUZZ_CHECK(lumetra::EncodeIniFile(file) == input, "decoding and encoding changes a file's bytes");
    lumetra::IniText ini(file.text);
    ini.Set("Settings", "Lang", "Deutsch");
    const std::string_view before = file.text;
    const std::string_view after = ini.Text();
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
    const std::string_view removed = before.substr(head, before.size() - head - tail);
    FUZZ_CHECK(removed.find_first_of("\r\n") == std::string_view::npos, "a write lost or merged a line");

    file.text = ini.Text();
    const lumetra::IniFileText reread = lumetra::DecodeIniFile(lumetra::EncodeIniFile(file));
    FUZZ_CHECK(reread.encoding == file.encoding && reread.text == file.text && reread.oddByte == file.oddByte,
               "a written file decodes to another text");
}

std::unique_ptr<lumetra::TGuideSet> LoadGuides(const std::string& file, char separator) {
    auto first = std::make_unique<TSettings>(kScreenWidth);
    first->LoadFromText(file, separator);
    auto guides = std::make_unique<lumetra::TGuideSet>(std::move(first));
    guides->LoadFurtherFromText(file, separator);
    FUZZ_CHECK(guides->Count() <= lumetra::kMaxGuides, "more guides than the limit");
    return guides;
}

// As for one guide, a shortened ratio may move a size once; the second save
// is then the last that changes anything.
void GuidesRoundTrip(const std::string& input, char separator) {
    const auto first = LoadGuides(input, separator);
    const std::string written = first->SaveToText(input, separator);
    const auto second = LoadGuides(written, separator);
    FUZZ_CHECK(second->Count() == first->Count(), "a saved file gives another number of guides");
    const std::string rewritten = second->SaveToText(written, separator);
    FUZZ_CHECK(LoadGuides(rewritten, separator)->SaveToText(rewritten, separator) == rewritten,
               "the guides' file keeps changing from save to save");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    RoundTrip(input, TextStore{'.'});
    RoundTrip(input, TextStore{','});
    RoundTrip(input, FileStore{'.'});
    GuidesRoundTrip(input, ',');
    SetKeepsOtherLines(input);
    // Every input once more as the content of a UTF-16 file.
    SetKeepsOtherLines("\xFF\xFE" + input);
    RoundTrip("\xFF\xFE" + input, FileStore{','});
    return 0;
}
