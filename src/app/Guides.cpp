#include "app/Guides.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "settings/AppSettings.h"
#include "settings/IniCodec.h"
#include "settings/IniEncoding.h"
#include "settings/SettingsFile.h"

namespace lumetra {

namespace {

// Guide sections are looked for up to this number, so a file with gaps in
// its numbering still gives all of its guides, and the sections of guides
// closed earlier are found again to be removed.
constexpr int kLastGuideSection = 64;

constexpr int kNewGuideStep = 32;

}  // namespace

TGuideSet::TGuideSet(std::unique_ptr<TSettings> first) { Join(std::move(first)); }

void TGuideSet::Join(std::unique_ptr<TSettings> guide) {
    guide->ShareWith(&group_);
    group_.push_back(guide.get());
    guides_.push_back(std::move(guide));
}

void TGuideSet::MakeCurrent(int index) {
    if (index >= 0 && index < Count()) current_ = index;
}

void TGuideSet::LoadFurtherFromText(std::string_view ini, char decimalSeparator) {
    const IniText file(ini);
    for (int number = 2; number <= kLastGuideSection && Count() < kMaxGuides; ++number) {
        const std::string section = SectionName(number - 1);
        if (!file.HasSection(section)) continue;
        // From first-run values, as the first guide's own keys are read; the
        // panel's place given here is shared and taken from the first guide.
        auto guide = std::make_unique<TSettings>(0);
        guide->LoadGuideFromText(ini, section, decimalSeparator);
        guide->CopySharedFrom(*guides_.front());
        Join(std::move(guide));
    }
}

void TGuideSet::LoadFurther(const SettingsFile& file) {
    if (const auto text = ReadSettingsText(file)) LoadFurtherFromText(*text, file.Platform().DecimalSeparator());
}

TSettings* TGuideSet::Add() {
    if (Count() >= kMaxGuides) return nullptr;
    auto guide = std::make_unique<TSettings>(0);  // every value comes from the copy
    guide->CopyFrom(CurrentGuide());
    // It opens beside the current guide's picture, not on it.
    guide->SetFollowPicture(false);
    TSettings* const added = guide.get();
    Join(std::move(guide));
    current_ = Count() - 1;
    return added;
}

bool TGuideSet::Remove(int index) {
    if (Count() <= 1 || index < 0 || index >= Count()) return false;
    for (int k = index; k + 1 < Count(); ++k) Guide(k).CopyFrom(Guide(k + 1));
    group_.pop_back();
    guides_.pop_back();
    if (current_ > index) --current_;
    current_ = std::min(current_, Count() - 1);
    return true;
}

std::string TGuideSet::SaveFurtherToText(std::string_view text, char decimalSeparator,
                                         const IniTextEncoder& encode) const {
    std::string out(text);
    for (int i = 1; i < Count(); ++i) out = Guide(i).SaveGuideToText(out, SectionName(i), decimalSeparator, encode);
    IniText file(out);
    for (int number = Count() + 1; number <= kLastGuideSection; ++number) {
        // Every copy: a second one would be read once the first is gone.
        const std::string section = SectionName(number - 1);
        while (file.HasSection(section)) file.RemoveSection(section);
    }
    return file.Text();
}

std::string TGuideSet::SaveToText(std::string_view existingFile, char decimalSeparator) const {
    return SaveFurtherToText(guides_.front()->SaveToText(existingFile, decimalSeparator), decimalSeparator);
}

bool TGuideSet::Save(SettingsFile& file) const {
    return guides_.front()->Save(file,
                                 [this](std::string_view text, char decimalSeparator, const IniTextEncoder& encode) {
                                     return SaveFurtherToText(text, decimalSeparator, encode);
                                 });
}

std::string TGuideSet::SectionName(int index) {
    return index == 0 ? std::string("Settings") : "Guide" + std::to_string(index + 1);
}

namespace {

// One axis of NewGuidePlace, wide enough for any window coordinates.
int PlaceOnAxis(std::int64_t begin, std::int64_t end, std::int64_t screenBegin, std::int64_t screenEnd) {
    const std::int64_t fitted = std::min(begin + kNewGuideStep, screenEnd - (end - begin));
    return static_cast<int>(std::max(fitted, screenBegin));
}

}  // namespace

Point NewGuidePlace(Rect currentWindow, Rect screen) {
    return {PlaceOnAxis(currentWindow.left, currentWindow.right, screen.left, screen.right),
            PlaceOnAxis(currentWindow.top, currentWindow.bottom, screen.top, screen.bottom)};
}

}  // namespace lumetra
