// The panel in the chosen language: the localisation pass over its controls
// and lists, the caption, and the list of language files.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "Version.h"  // generated in the build from cmake/Version.h.in
#include "lang/Format.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/looks/Geometry.h"
#include "overlay/compose/LookCatalogue.h"
#include "panel/PanelController.h"
#include "panel/PanelLists.h"
#include "settings/SettingsFile.h"

namespace lumetra {
namespace {

// The localisation pass in its order: a control and the language's entry
// for its text, or a list whose items are relabelled at that point.
struct PassRow {
    PanelText target;
    std::string_view key;  // empty: the row relabels `list`
    PanelList list;
};
constexpr PassRow Text(PanelText target, std::string_view key) { return {target, key, PanelList{}}; }
constexpr PassRow Items(PanelList list) { return {PanelText{}, {}, list}; }

constexpr std::array kLocalisationPass{
    Text(PanelText::MainTab, texts::MSMainTab),
    Text(PanelText::LogoLabel, texts::MSVersion),
    Text(PanelText::CopyrightLabel, texts::MSCopyright),
    Text(PanelText::DevWebBtn, texts::MSDevWebBtn),
    Text(PanelText::AskSupportBtn, texts::MSAskSupportBtn),
    Text(PanelText::CheckForUpdatesBtn, texts::MSCheckForUpdatesBtn),
    Text(PanelText::HelpBtn, texts::MSHelpBtn),
    Text(PanelText::NewGuideBtn, texts::MSNewGuideBtn),
    Text(PanelText::FitPictureBtn, texts::MSFitPictureBtn),
    Text(PanelText::CopyCompositionBtn, texts::MSCopyCompositionBtn),
    Text(PanelText::LookTab, texts::MSLookTab),
    Text(PanelText::SectionLabel, texts::MSSection),
    Text(PanelText::SnapToGroupBox, texts::MSSnapTo),
    Text(PanelText::WidthRadio, texts::MSWidth),
    Text(PanelText::HeightRadio, texts::MSHeight),
    Text(PanelText::RatioLabel, texts::MSRatio),
    Items(PanelList::Ratio),
    Text(PanelText::GridLabel, texts::MSGrid),
    Text(PanelText::LookLabel, texts::MSLook),
    Items(PanelList::Look),
    Text(PanelText::OrientationLabel, texts::MSOrientation),
    Items(PanelList::Orientation),
    Text(PanelText::GridSizeLabel, texts::MSGridSize),
    Text(PanelText::FollowCheckBox, texts::MTrayFollow),
    Text(PanelText::ColorsTab, texts::MSColorsTab),
    Text(PanelText::LinesColorLabel, texts::MSLinesColor),
    Text(PanelText::ValuesColorLabel, texts::MSValuesColor),
    Text(PanelText::OpacityLabel, texts::MSOpacity),
    Text(PanelText::LineWidthLabel, texts::MSLineWidth),
    Text(PanelText::HaloCheckBox, texts::MSHalo),
    Text(PanelText::HaloColorLabel, texts::MSHaloColor),
    Items(PanelList::HaloColor),
    Text(PanelText::LabelSizeLabel, texts::MSLabelSize),
    Items(PanelList::LabelSize),
    Text(PanelText::AdvancedTab, texts::MSAdvancedTab),
    Text(PanelText::LanguageLabel, texts::MSLanguage),
    Text(PanelText::AdvancedLabel, texts::MSAdvanced),
    Text(PanelText::RestoreButton, texts::MSRestore),
    Text(PanelText::StartWithWindowsCheckBox, texts::MSStartWithWindows),
    Text(PanelText::CalibrateBtn, texts::MSCalibrate),
    Text(PanelText::SizeUnknownNote, texts::MSMonitorSizeUnknown),
    Text(PanelText::KnownWidthLabel, texts::MSKnownWidth),
    Text(PanelText::KnownHeightLabel, texts::MSKnownHeight),
    Text(PanelText::CalibrateCardBtn, texts::MSCalibrateCard),
    Text(PanelText::ConfirmCalibrationBtn, texts::MSConfirmCalibration),
    Items(PanelList::Advanced),
    Items(PanelList::Units),
    Text(PanelText::WorkTab, texts::MSWorkTab),
    Text(PanelText::ClickThroughCheckBox, texts::MSClickThrough),
    Text(PanelText::CaptureCheckBox, texts::MSHideFromCapture),
    Text(PanelText::CaptureNote, texts::MSCaptureUnavailable),
    Text(PanelText::HotKeysLabel, texts::MSHotKeys),
    Text(PanelText::ClickThroughKeyLabel, texts::MSHotKey0),
    Text(PanelText::ShowHideKeyLabel, texts::MSHotKey1),
    Text(PanelText::FitKeyLabel, texts::MSHotKey2),
    Text(PanelText::NextLookKeyLabel, texts::MSHotKey3),
    Text(PanelText::LockCheckBox, texts::MSLockAspectRatio),
};

// Each list has one language entry per item.
static_assert(texts::MSRat.count == static_cast<int>(kRatioPresetCount));
static_assert(texts::MSOr.count == kOrientCount);
static_assert(texts::MSA.count == kAdvancedOptionCount);
static_assert(texts::MSUnit.count == kUnitCount);

constexpr const char* kCopyrightNotice = "Copyright \xC2\xA9 Velmora";

}  // namespace

std::string PanelController::CaptionText() const {
    if (guideCount_ < 2) return texts_.Text(texts::MSCaption);
    return FormatTemplate(texts_.Text(texts::MSGuideCaption), {std::int64_t{guideNumber_}, std::int64_t{guideCount_}},
                          DecimalSeparator());
}

void PanelController::ReloadLanguage() {
    ApplyLanguage(kBaseLanguage);
    ApplyLanguage(settings_->Lang());
}

void PanelController::FillLanguages(const std::vector<std::string>& languageFiles) {
    view_.ClearList(PanelList::Language);
    languages_.clear();
    for (const std::string& file : languageFiles) {
        languages_.push_back(LanguageFromFileName(file));
        view_.AddListItem(PanelList::Language, languages_.back());
    }
    const std::string& lang = settings_->Lang();
    const std::string fileNamePart = lang.substr(lang.find_last_of("\\/:") + 1);
    view_.SelectListItem(PanelList::Language, FindLanguage(languages_, fileNamePart, files_.Platform()));
}

void PanelController::ApplyLanguage(const std::string& name) {
    LoadProgramLanguage(texts_, files_, name);
    view_.SelectListItem(PanelList::Language, FindLanguage(languages_, name, files_.Platform()));
    ApplyTexts();
    // Relabelling a selected item can drop the selection.
    UpdateRatio();
    UpdateLook();
    UpdateOrientation();
    ShowUnits();
    UpdateColors();
    UpdateHotKeys();  // their notes are texts of the language too
}

void PanelController::ApplyTexts() {
    for (const PassRow& row : kLocalisationPass) {
        if (row.key.empty()) {
            RelabelItems(row.list);
            continue;
        }
        const std::string entry = texts_.Text(row.key);
        if (row.target == PanelText::LogoLabel) {
            view_.SetText(row.target, std::string(kProgramTitle) + "\n" + entry + " " + kProgramVersion);
        } else if (row.target == PanelText::CopyrightLabel) {
            view_.SetText(row.target, FormatTemplate(entry, {std::string(kCopyrightNotice)}, DecimalSeparator()));
        } else {
            view_.SetText(row.target, entry);
        }
    }
    view_.RepaintAll();
}

void PanelController::RelabelItems(PanelList list) {
    const auto text = [this](std::string_view key) { return texts_.Text(key); };
    switch (list) {
        case PanelList::Ratio: {
            const auto& presets = RatioPresets();
            const char separator = DecimalSeparator();
            for (int i = 0; i < static_cast<int>(kRatioPresetCount); ++i) {
                const std::string item = text(texts::MSRat.Key(i));
                // The square's name takes the golden ratio: it draws golden divisions.
                const bool named =
                    std::ranges::find(texts::kRatioNamesWithValue, i) != texts::kRatioNamesWithValue.end();
                const double value = i == 1 ? presets[1] : InvPhi;
                view_.SetListItem(list, i, named ? FormatTemplate(item, {value}, separator) : item);
            }
            return;
        }
        case PanelList::Look:
            for (int i = 0; i < settings_->LookCount(); ++i) {
                view_.SetListItem(list, i, LookName(looks_, i, texts_, settings_->Lang()));
            }
            return;
        case PanelList::Orientation:
            for (int i = 0; i < kOrientCount; ++i) view_.SetListItem(list, i, text(texts::MSOr.Key(i)));
            return;
        case PanelList::HaloColor: view_.SetListItem(list, kAutoColorEntry, text(texts::MSAutomatic)); return;
        case PanelList::LabelSize:
            view_.SetListItem(list, 0, text(texts::MSAutomatic));
            for (int i = 1; i < kLabelSizeEntryCount; ++i) {
                view_.SetListItem(list, i, std::to_string(*LabelSizeOfEntry(i)));
            }
            return;
        case PanelList::Advanced:
            for (int i = 0; i < kAdvancedOptionCount; ++i) view_.SetListItem(list, i, text(texts::MSA.Key(i)));
            return;
        case PanelList::Units:
            for (int i = 0; i < kUnitCount; ++i) view_.SetListItem(list, i, text(texts::MSUnit.Key(i)));
            return;
        case PanelList::Language: return;  // language names are file names
    }
}

}  // namespace lumetra
