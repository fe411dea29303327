#pragma once
// The guides on the screen: each has its own settings object, bound to one
// overlay window for its whole life, and all of them share the values that
// belong to the program rather than to a guide. The first guide keeps the
// Settings section of the file; the others have sections of their own.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/Types.h"
#include "settings/IniEncoding.h"

namespace lumetra {

class SettingsFile;
class TSettings;

inline constexpr int kMaxGuides = 16;

class TGuideSet {
public:
    // `first` is loaded already and becomes the current guide.
    explicit TGuideSet(std::unique_ptr<TSettings> first);
    TGuideSet(const TGuideSet&) = delete;
    TGuideSet& operator=(const TGuideSet&) = delete;

    int Count() const { return static_cast<int>(guides_.size()); }
    TSettings& Guide(int index) const { return *guides_.at(static_cast<std::size_t>(index)); }
    int Current() const { return current_; }
    TSettings& CurrentGuide() const { return Guide(current_); }
    // An index out of range is ignored.
    void MakeCurrent(int index);

    // The further guides of a file, added after those the set has, each
    // from its own section in number order; numbers missing from the file
    // are skipped, and guides past kMaxGuides are not read.
    void LoadFurtherFromText(std::string_view ini, char decimalSeparator);
    void LoadFurther(const SettingsFile& file);

    // A copy of the current guide, which becomes current; nullptr, and
    // nothing changed, once there are kMaxGuides.
    TSettings* Add();
    // The guides after `index` move down one place by their values, so each
    // remaining object keeps its address; the last object goes, and its
    // window must be gone by then. False, and nothing changed, for the only
    // guide or an index out of range.
    bool Remove(int index);

    // Every guide into the file's text; the sections of guides that are
    // gone are removed, every other line stays as it was.
    std::string SaveToText(std::string_view existingFile, char decimalSeparator) const;
    bool Save(SettingsFile& file) const;

    // "Settings" for the first guide, "Guide2" for the second, ...
    static std::string SectionName(int index);

private:
    void Join(std::unique_ptr<TSettings> guide);
    std::string SaveFurtherToText(std::string_view text, char decimalSeparator,
                                  const IniTextEncoder& encode = {}) const;

    // Declared before the guides, which point at it, so it outlives them.
    std::vector<TSettings*> group_;
    std::vector<std::unique_ptr<TSettings>> guides_;
    int current_ = 0;
};

// Where a new guide of the current window's size goes: a step right and down
// from the current window, moved back as far as it takes to lie inside
// `screen`, but never left of or above the screen's top-left corner.
Point NewGuidePlace(Rect currentWindow, Rect screen);

}  // namespace lumetra
