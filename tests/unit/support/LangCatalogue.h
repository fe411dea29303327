#pragma once
// The keys the windows look up, with the arguments each caller passes when
// it fills the text as a template. Every language file is checked against
// this list.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/Types.h"
#include "lang/Format.h"

namespace lumetra::test {

struct CatalogueKey {
    std::string key;
    // One letter per argument, in order: 'd' integer, 'r' real, 's' string.
    std::string args;
};

inline std::vector<CatalogueKey> LangCatalogue() {
    std::vector<CatalogueKey> keys{
        {"MSCaption", ""},
        {"MHelpButtonHint", ""},
        {"MSCloseButtonHint", ""},
        {"MSMainTab", ""},
        {"MSVersion", ""},
        {"MSCopyright", "s"},
        {"MSDevWebBtn", ""},
        {"MSAskSupportBtn", ""},
        {"MSCheckForUpdatesBtn", ""},
        {"MSHelpBtn", ""},
        {"MSLookTab", ""},
        {"MSSection", ""},
        {"MSSnapTo", ""},
        {"MSWidth", ""},
        {"MSHeight", ""},
        {"MSLockAspectRatio", ""},
        {"MSRatio", ""},
        {"MSGrid", ""},
        {"MSLook", ""},
        {"MSOrientation", ""},
        {"MSGridSize", ""},
        {"MSColorsTab", ""},
        {"MSLinesColor", ""},
        {"MSValuesColor", ""},
        {"MSOpacity", ""},
        {"MSAdvancedTab", ""},
        {"MSLanguage", ""},
        {"MSAdvanced", ""},
        {"MSRestore", ""},
        {"MOrientButtonHint", ""},
        {"MLookButtonHint", ""},
        {"MSettingsButtonHint", ""},
        {"MMinimizeButtonHint", ""},
        {"MCloseButtonHint", ""},
        {"MWidthHeight", "dd"},
        {"MGridSize", "d"},
        {"MSNewGuideBtn", ""},
        {"MSGuideCaption", "dd"},
        {"MGuideLimit", "d"},
        {"MSFitPictureBtn", ""},
        {"MFitNothing", ""},
        {"MGuideSkipped", "s"},
        {"MSLineWidth", ""},
        {"MSessionUnsaved", "s"},
        {"MSCopyCompositionBtn", ""},
        {"MCompositionCopied", ""},
        {"MCompositionNotCopied", ""},
        {"MSaveComposition", ""},
        {"MSaveGuide", ""},
        {"MFilePng", ""},
        {"MFileTransparentPng", ""},
        {"MFileSvg", ""},
        {"MFileNotWritten", "s"},
        {"MPictureRatio", "ddss"},
        {"MPictureRatioDecimal", "dds"},
        {"MPictureSize", "dd"},
        {"MRatioGolden", ""},
        {"MRatioASeries", ""},
        {"MSHalo", ""},
        {"MSHaloColor", ""},
        {"MSLabelSize", ""},
        {"MSAutomatic", ""},
        {"MClickThroughMark", ""},
        {"MTrayShow", ""},
        {"MTrayHide", ""},
        {"MTrayClickThrough", ""},
        {"MTraySettings", ""},
        {"MTrayManual", ""},
        {"MTrayExit", ""},
        {"MSWorkTab", ""},
        {"MSClickThrough", ""},
        {"MSHideFromCapture", ""},
        {"MSCaptureUnavailable", ""},
        {"MSHotKeys", ""},
        {"MSHotKeyTaken", ""},
        {"MSHotKeyUnnamed", ""},
        {"MSHotKeyNoModifier", ""},
        {"MSHotKeyAltGr", ""},
        {"MSHotKeyReserved", ""},
        {"MSHotKeyCommon", ""},
        {"MSHotKeyOurs", ""},
        {"MSHotKeyClash", ""},
        {"MFollowMark", ""},
        {"MFollowWaitingMark", ""},
        {"MTrayFollow", ""},
        // Units: the read-outs in a unit, the panel's list, the tray's submenu.
        {"MWidthHeightUnit", "sss"},
        {"MPictureRatioUnit", "sssss"},
        {"MPictureRatioDecimalUnit", "ssss"},
        {"MSUnits", ""},
        {"MTrayUnits", ""},
    };
    const auto addFamily = [&keys](std::string_view prefix, int count) {
        for (int i = 0; i < count; ++i) {
            keys.push_back({std::string(prefix) + std::to_string(i), ""});
        }
    };
    addFamily("MSRat", 17);
    addFamily("MSLook", kBuiltInLookCount);
    addFamily("MSOr", 4);
    addFamily("MSA", 7);
    addFamily("MSHotKey", 4);
    // Per cent reads out without a symbol of the language's: its size read-out
    // shows device pixels.
    addFamily("MUnitSymbol", 6);
    addFamily("MSUnit", 7);
    for (const char* real : {"MSRat0", "MSRat1", "MSRat12"}) {
        for (CatalogueKey& entry : keys) {
            if (entry.key == real) {
                entry.args = "r";
            }
        }
    }
    return keys;
}

// Arguments of the given kinds, with values a template is unlikely to hold.
inline std::vector<FormatArg> SampleArgs(std::string_view kinds) {
    std::vector<FormatArg> args;
    for (const char kind : kinds) {
        switch (kind) {
            case 'd': args.emplace_back(std::int64_t{7391}); break;
            case 'r': args.emplace_back(0.6180339887498949); break;
            default: args.emplace_back(std::string("Sample notice")); break;
        }
    }
    return args;
}

// FormatTemplate takes a braced list; this spreads a vector into one.
inline std::string FormatWithArgs(std::string_view tmpl, const std::vector<FormatArg>& a, char separator = '.') {
    switch (a.size()) {
        case 0: return FormatTemplate(tmpl, {}, separator);
        case 1: return FormatTemplate(tmpl, {a[0]}, separator);
        case 2: return FormatTemplate(tmpl, {a[0], a[1]}, separator);
        case 3: return FormatTemplate(tmpl, {a[0], a[1], a[2]}, separator);
        case 4: return FormatTemplate(tmpl, {a[0], a[1], a[2], a[3]}, separator);
        case 5: return FormatTemplate(tmpl, {a[0], a[1], a[2], a[3], a[4]}, separator);
        case 6: return FormatTemplate(tmpl, {a[0], a[1], a[2], a[3], a[4], a[5]}, separator);
        default: throw std::length_error("FormatWithArgs takes at most six arguments");
    }
}

// A template fits its arguments when it holds no directive or fills in.
inline bool TemplateFits(std::string_view tmpl, std::string_view kinds) {
    return tmpl.find('%') == std::string_view::npos || FormatWithArgs(tmpl, SampleArgs(kinds)) != tmpl;
}

// True when the template needs every one of its arguments: without the
// last one it can no longer be filled.
inline bool TemplateUsesAllArgs(std::string_view tmpl, std::string_view kinds) {
    if (kinds.empty()) {
        return true;
    }
    std::vector<FormatArg> fewer = SampleArgs(kinds);
    fewer.pop_back();
    return TemplateFits(tmpl, kinds) && FormatWithArgs(tmpl, fewer) == tmpl;
}

}  // namespace lumetra::test
