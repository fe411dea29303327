// Load and Save of TSettings: the settings file's keys, their formats,
// defaults, the order in which they are applied, and which of them each
// guide has for itself. The same rows give the first-run and the factory
// values (the constructor and RestoreDefaults).
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <vector>

#include "common/Text.h"
#include "settings/AppSettings.h"
#include "settings/IniCodec.h"
#include "settings/IniEncoding.h"
#include "settings/IniValues.h"
#include "settings/SettingsFile.h"
#include "text/Unicode.h"
#include "units/Calibration.h"
#include "units/Units.h"

namespace lumetra {

namespace {

constexpr std::string_view kSection = "Settings";

Color ToColor(std::int32_t value) { return static_cast<Color>(value); }
// Written as the signed value, which reads back through the integer reader.
std::int32_t FromColor(Color value) { return static_cast<std::int32_t>(value); }

// How the file names an automatic value.
constexpr std::string_view kAuto = "Auto";

bool IsAuto(std::string_view text) { return EqualsIgnoringAsciiCase(text, kAuto); }

// A monitor's identity as the system reports it in either letter case.
std::string AsciiUpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

enum class Scope { Guide, Shared };

// When a key is applied on loading: in the table's order, except that the
// sizes (Sizes) wait for the lock, the ratio and the guide's place (Early),
// so the locked dimension is derived from the values just read, and the
// height goes before the width. A new key is Late: after the sizes.
enum class Apply { Early, Sizes, Late };

// When RestoreDefaults sets a key to the value it has when the file lacks
// it: first the lock, then the side it leads by, then the width, and then
// the rest in the table's order. Kept: the language, the places and the hot
// keys stay as they are.
enum class Restore { Lock, Leader, Size, InOrder, Kept };

// One key's text from the file; a missing or unreadable value gives the
// default passed in.
class Value {
public:
    Value(const std::optional<std::string>& text, char separator) : text_(text), separator_(separator) {}

    std::int32_t Int(std::int32_t fallback) const { return text_ ? ParseIniInt(*text_).value_or(fallback) : fallback; }
    bool Bool(bool fallback) const { return text_ ? ParseIniBool(*text_).value_or(fallback) : fallback; }
    // Only a positive finite ratio is usable; the setter would ignore any
    // other and leave the one the settings had before the file was read.
    double Ratio(double fallback) const {
        const auto value = text_ ? ParseIniReal(*text_, separator_) : std::nullopt;
        return value && std::isfinite(*value) && *value > 0.0 ? *value : fallback;
    }
    std::string String(std::string_view fallback) const { return text_ ? *text_ : std::string(fallback); }
    // An integer, or `automatic` for the word Auto in any case.
    std::int32_t IntOrAuto(std::int32_t automatic, std::int32_t fallback) const {
        return text_ && IsAuto(*text_) ? automatic : Int(fallback);
    }

private:
    const std::optional<std::string>& text_;
    char separator_;
};

// What a value is written with: texts go in the file's own encoding.
struct Output {
    char separator;
    const IniTextEncoder& encode;

    std::string Text(const std::string& text) const { return encode ? encode(text) : text; }
};

struct Key {
    std::string_view name;
    Scope scope;
    Apply apply;
    Restore restore;
    void (*load)(TSettings&, const Value&);
    std::string (*save)(const TSettings&, const Output&);
    // For keys newer than the first 26: at their factory value they are
    // written only into a section that has them already, so that files
    // of users who never change them stay as they were.
    bool (*factory)(const TSettings&) = nullptr;
    // Where the factory's value is not the one a file without the key gives.
    void (*restoreTo)(TSettings&) = nullptr;
};

// A shared hot key; a text that names no usable combination keeps the
// factory's.
template <HotKeyCommand command>
constexpr HotKey FactoryHotKey() {
    return kFactoryHotKeys[static_cast<std::size_t>(command)];
}

template <HotKeyCommand command>
constexpr Key HotKeyRow(std::string_view name) {
    return {name,
            Scope::Shared,
            Apply::Late,
            Restore::Kept,
            [](TSettings& s, const Value& v) {
                const HotKey factory = FactoryHotKey<command>();
                s.SetHotKey(command, ParseHotKey(v.String(FormatHotKey(factory))).value_or(factory));
            },
            [](const TSettings& s, const Output&) { return FormatHotKey(s.HotKeyFor(command)); },
            [](const TSettings& s) { return s.HotKeyFor(command) == FactoryHotKey<command>(); }};
}

}  // namespace

// Nested in TSettings, so the rows can write the panel's place and the other
// values that have no setter directly.
struct TSettings::Storage {
    static constexpr Scope kGuide = Scope::Guide;
    static constexpr Scope kShared = Scope::Shared;

    // Every key of the file, in the order in which Save writes them. A new
    // key goes at the end, with Apply::Late; Restore::InOrder when
    // RestoreDefaults resets it, else Restore::Kept.
    static constexpr Key kKeys[] = {
        {"Border", kGuide, Apply::Early, Restore::InOrder, [](TSettings& s, const Value& v) { s.SetBorder(v.Int(12)); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.border_); }},
        {"Height", kGuide, Apply::Sizes, Restore::Kept, [](TSettings& s, const Value& v) { s.SetHeight(v.Int(301)); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.height_); }},
        {"Width", kGuide, Apply::Sizes, Restore::Size, [](TSettings& s, const Value& v) { s.SetWidth(v.Int(401)); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.width_); }, nullptr,
         [](TSettings& s) { s.SetWidth(396); }},
        {"LockWidth", kGuide, Apply::Early, Restore::Leader,
         [](TSettings& s, const Value& v) { s.SetLockWidth(v.Bool(true)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.lockWidth_); }},
        {"Lock", kGuide, Apply::Early, Restore::Lock, [](TSettings& s, const Value& v) { s.SetLock(v.Bool(true)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.lock_); }},
        {"Ratio", kGuide, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetRatio(v.Ratio(kFactoryRatio)); },
         [](const TSettings& s, const Output& o) { return FormatIniReal(s.ratio_, o.separator); }},
        {"LinesColor", kGuide, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetLinesColor(ToColor(v.Int(FromColor(kFactoryLinesColor)))); },
         [](const TSettings& s, const Output&) { return FormatIniInt(FromColor(s.linesColor_)); }},
        {"ValuesColor", kGuide, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetValuesColor(ToColor(v.Int(FromColor(kFactoryValuesColor)))); },
         [](const TSettings& s, const Output&) { return FormatIniInt(FromColor(s.valuesColor_)); }},
        {"MouseResizeAllowed", kShared, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetMouseResizeAllowed(v.Bool(true)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.mouseResizeAllowed_); }},
        {"Opacity", kGuide, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetOpacity(v.Int(90)); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.opacity_); }},
        {"MouseWheelAllowed", kShared, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetMouseWheelAllowed(v.Bool(true)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.mouseWheelAllowed_); }},
        {"OrientMode", kGuide, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetOrientMode(v.Int(0)); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.orientMode_); }},
        {"ShowHints", kShared, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetShowHints(v.Bool(true)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.showHints_); }},
        {"ShowValues", kGuide, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetShowValues(v.Bool(true)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.showValues_); }},
        {"LookMode", kGuide, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetLookMode(v.Int(kFactoryLookMode)); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.lookMode_); }},
        {"GridSize", kGuide, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetGridSize(v.Int(8)); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.gridSize_); }},
        {"SettingsOpacity", kShared, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetSettingsOpacity(v.Bool(false)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.settingsOpacity_); }},
        {"MoveUsingGrid", kShared, Apply::Early, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetMoveUsingGrid(v.Bool(true)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.moveUsingGrid_); }},
        {"Lang", kShared, Apply::Early, Restore::Kept,
         [](TSettings& s, const Value& v) { s.SetLang(v.String("English")); },
         [](const TSettings& s, const Output& o) { return o.Text(s.lang_); }},
        {"X", kGuide, Apply::Early, Restore::Kept, [](TSettings& s, const Value& v) { s.x_ = v.Int(200); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.x_); }},
        {"Y", kGuide, Apply::Early, Restore::Kept, [](TSettings& s, const Value& v) { s.y_ = v.Int(200); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.y_); }},
        {"SX", kShared, Apply::Late, Restore::Kept, [](TSettings& s, const Value& v) { s.sx_ = v.Int(600); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.sx_); }},
        {"SY", kShared, Apply::Late, Restore::Kept, [](TSettings& s, const Value& v) { s.sy_ = v.Int(10); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.sy_); }},
        {"SVisible", kShared, Apply::Late, Restore::Kept,
         [](TSettings& s, const Value& v) { s.sVisible_ = v.Bool(false); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.sVisible_); }},
        {"SPage", kShared, Apply::Late, Restore::Kept, [](TSettings& s, const Value& v) { s.sPage_ = v.Int(1); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.sPage_); }},
        {"SFrame", kGuide, Apply::Late, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetSFrame(v.Bool(true)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.sFrame_); }},
        {"LineWidth", kGuide, Apply::Late, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetLineWidth(v.Int(kMinLineWidth)); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.lineWidth_); },
         [](const TSettings& s) { return s.lineWidth_ == kMinLineWidth; }},
        {"Halo", kGuide, Apply::Late, Restore::InOrder, [](TSettings& s, const Value& v) { s.SetHalo(v.Bool(false)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.halo_); },
         [](const TSettings& s) { return !s.halo_; }},
        // Any text but a plain RGB colour reads as automatic.
        {"HaloColor", kGuide, Apply::Late, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetHaloColor(ToColor(v.Int(FromColor(kAutoHaloColor)))); },
         [](const TSettings& s, const Output&) {
             return s.haloColor_ == kAutoHaloColor ? std::string(kAuto) : FormatIniInt(FromColor(s.haloColor_));
         },
         [](const TSettings& s) { return s.haloColor_ == kAutoHaloColor; }},
        {"LabelSize", kGuide, Apply::Late, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetLabelSize(v.IntOrAuto(kAutoLabelSize, kFactoryLabelSize)); },
         [](const TSettings& s, const Output&) {
             return s.labelSize_ == kAutoLabelSize ? std::string(kAuto) : FormatIniInt(s.labelSize_);
         },
         [](const TSettings& s) { return s.labelSize_ == kFactoryLabelSize; }},
        {"ClickThrough", kGuide, Apply::Late, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetClickThrough(v.Bool(false)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.clickThrough_); },
         [](const TSettings& s) { return !s.clickThrough_; }},
        {"HideFromCapture", kShared, Apply::Late, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetHideFromCapture(v.Bool(false)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.hideFromCapture_); },
         [](const TSettings& s) { return !s.hideFromCapture_; }},
        HotKeyRow<HotKeyCommand::ClickThrough>("HotKeyClickThrough"),
        HotKeyRow<HotKeyCommand::ShowHide>("HotKeyShowHide"),
        HotKeyRow<HotKeyCommand::Fit>("HotKeyFit"),
        HotKeyRow<HotKeyCommand::NextLook>("HotKeyNextLook"),
        // The guide file the look is, by name: the look number alone would
        // change meaning as files are added or removed.
        {"LookFile", kGuide, Apply::Late, Restore::Kept,
         [](TSettings& s, const Value& v) { s.lookFile_ = v.String(""); },
         [](const TSettings& s, const Output& o) { return o.Text(s.lookFile_); },
         [](const TSettings& s) { return s.lookFile_.empty(); }},
        {"SaveFolder", kShared, Apply::Late, Restore::Kept,
         [](TSettings& s, const Value& v) { s.SetSaveFolder(v.String("")); },
         [](const TSettings& s, const Output& o) { return o.Text(s.saveFolder_); },
         [](const TSettings& s) { return s.saveFolder_.empty(); }},
        {"FollowPicture", kGuide, Apply::Late, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetFollowPicture(v.Bool(false)); },
         [](const TSettings& s, const Output&) { return FormatIniBool(s.followPicture_); },
         [](const TSettings& s) { return !s.followPicture_; }},
        // A number the program does not know reads as device pixels.
        {"Units", kShared, Apply::Late, Restore::InOrder,
         [](TSettings& s, const Value& v) { s.SetUnits(static_cast<std::int32_t>(UnitOf(v.Int(0)))); },
         [](const TSettings& s, const Output&) { return FormatIniInt(s.units_); },
         [](const TSettings& s) { return s.units_ == 0; }},
    };
    static constexpr std::size_t kKeyCount = std::size(kKeys);

    // The rows in the order of one column (Key::apply or Key::restore), the
    // table's order within each of its values; `skip` leaves those out.
    template <std::size_t count, typename Phase>
    static constexpr std::array<std::size_t, count> OrderBy(Phase Key::*phase, std::optional<Phase> skip = {}) {
        std::array<std::size_t, count> order{};
        std::array<bool, kKeyCount> placed{};
        std::size_t next = 0;
        while (next < count) {
            // The first row not yet placed whose value comes earliest.
            std::optional<std::size_t> first;
            for (std::size_t i = 0; i < kKeyCount; ++i) {
                if (placed[i] || kKeys[i].*phase == skip) continue;
                if (!first || kKeys[i].*phase < kKeys[*first].*phase) first = i;
            }
            placed[*first] = true;
            order[next++] = *first;
        }
        return order;
    }

    // The rows in the order of applying.
    static const std::array<std::size_t, kKeyCount> kApplyOrder;

    static constexpr std::size_t kRestoreCount =
        kKeyCount - static_cast<std::size_t>(std::count_if(std::begin(kKeys), std::end(kKeys), [](const Key& key) {
            return key.restore == Restore::Kept;
        }));
    // The restored rows in the order of RestoreDefaults.
    static const std::array<std::size_t, kRestoreCount> kRestoreOrder;

    // The value a file without the key gives, through the key's own reader.
    static void LoadMissing(TSettings& s, const Key& key) {
        static const std::optional<std::string> kMissing;
        key.load(s, Value(kMissing, '.'));
    }

    static void RestoreFactory(TSettings& s) {
        for (const std::size_t i : kRestoreOrder) {
            const Key& key = kKeys[i];
            if (key.restoreTo) {
                key.restoreTo(s);
            } else {
                LoadMissing(s, key);
            }
        }
    }

    // The factory's values, and for what RestoreDefaults keeps, the values
    // a file without those keys gives.
    static void FirstRun(TSettings& s) {
        s.RestoreDefaults();
        for (const std::size_t i : kApplyOrder) {
            if (kKeys[i].restore == Restore::Kept) LoadMissing(s, kKeys[i]);
        }
    }

    // The keys of the Settings section, or those of a further guide's section.
    static bool Takes(const Key& key, bool guideOnly) { return !guideOnly || key.scope == Scope::Guide; }

    static void Load(TSettings& s, std::string_view ini, std::string_view section, bool guideOnly,
                     char decimalSeparator) {
        std::vector<const Key*> keys;
        std::vector<std::string_view> names;
        for (const std::size_t i : kApplyOrder) {
            if (!Takes(kKeys[i], guideOnly)) continue;
            keys.push_back(&kKeys[i]);
            names.push_back(kKeys[i].name);
        }
        const IniText file(ini);
        const auto values = file.Get(section, names);
        for (std::size_t i = 0; i < keys.size(); ++i) keys[i]->load(s, Value(values[i], decimalSeparator));
        if (!guideOnly) LoadCalibrations(s, file);
    }

    // A line that does not read is left out, and stays in the file as the
    // user left it.
    static void LoadCalibrations(TSettings& s, const IniText& file) {
        for (const IniKeyValue& line : file.Entries(kCalibrationSection, kMostCalibrations)) {
            if (!line.value) continue;
            if (const auto calibration = ParseCalibration(*line.value)) {
                s.SetCalibration(AsciiUpperCase(line.key), *calibration);
            }
        }
    }

    // Only a file with a calibration has the section.
    static void SaveCalibrations(const TSettings& s, IniText& file) {
        if (s.calibrations_.empty()) return;
        std::vector<IniEntry> entries;
        for (const auto& [identity, calibration] : s.calibrations_) {
            entries.push_back({identity, FormatCalibration(calibration)});
        }
        file.Set(kCalibrationSection, entries);
    }

    static std::string Save(const TSettings& s, std::string_view existingFile, std::string_view section, bool guideOnly,
                            const Output& output) {
        IniText file(existingFile);
        std::vector<IniEntry> entries;
        for (const Key& key : kKeys) {
            if (!Takes(key, guideOnly)) continue;
            if (key.factory && key.factory(s) && !file.Get(section, key.name)) continue;
            entries.push_back({key.name, key.save(s, output)});
        }
        file.Set(section, entries);
        if (!guideOnly) SaveCalibrations(s, file);
        return file.Text();
    }

    // Each shared value as its row writes it and reads it back, which every
    // shared format does exactly.
    static void CopyShared(TSettings& to, const TSettings& from) {
        static const IniTextEncoder kAsTheyStand;
        const Output output{'.', kAsTheyStand};
        for (const std::size_t i : kApplyOrder) {
            const Key& key = kKeys[i];
            if (key.scope == Scope::Shared) key.load(to, Value(key.save(from, output), output.separator));
        }
        for (const auto& [identity, calibration] : from.calibrations_) to.SetCalibration(identity, calibration);
    }
};

// Defined once the class is complete, so the order functions can run.
constexpr std::array<std::size_t, TSettings::Storage::kKeyCount> TSettings::Storage::kApplyOrder =
    OrderBy<kKeyCount>(&Key::apply);
constexpr std::array<std::size_t, TSettings::Storage::kRestoreCount> TSettings::Storage::kRestoreOrder =
    OrderBy<kRestoreCount>(&Key::restore, std::optional<Restore>(Restore::Kept));

TSettings::TSettings(std::int32_t primaryScreenWidth) {
    Storage::FirstRun(*this);
    // A first run shows the panel, at the right of the primary screen, and
    // the guide at a place of its own: a file without these keys gives others.
    x_ = 300;
    y_ = 240;
    sx_ = primaryScreenWidth - 181;
    sVisible_ = true;
    sPage_ = 0;
}

void TSettings::RestoreDefaults() {
    // Start from values that differ from every factory value, so each setter
    // sees a change and every notification fires.
    height_ = 301;
    width_ = 401;
    lock_ = false;
    lockWidth_ = false;
    Storage::RestoreFactory(*this);
}

void TSettings::CopySharedFrom(const TSettings& other) { Storage::CopyShared(*this, other); }

void TSettings::LoadFromText(std::string_view ini, char decimalSeparator) {
    Storage::Load(*this, ini, kSection, false, decimalSeparator);
}

std::string TSettings::SaveToText(std::string_view existingFile, char decimalSeparator,
                                  const IniTextEncoder& encode) const {
    return Storage::Save(*this, existingFile, kSection, false, {decimalSeparator, encode});
}

void TSettings::LoadGuideFromText(std::string_view ini, std::string_view section, char decimalSeparator) {
    Storage::Load(*this, ini, section, true, decimalSeparator);
}

std::string TSettings::SaveGuideToText(std::string_view existingFile, std::string_view section, char decimalSeparator,
                                       const IniTextEncoder& encode) const {
    return Storage::Save(*this, existingFile, section, true, {decimalSeparator, encode});
}

void TSettings::Load(const SettingsFile& file) {
    // A file that exists but cannot be read counts as missing: the first-run
    // values stand, and Save will not replace it.
    if (const auto text = ReadSettingsText(file)) LoadFromText(*text, file.Platform().DecimalSeparator());
}

bool TSettings::Save(SettingsFile& file, const FurtherText& further) const {
    IPlatformFiles& platform = file.Platform();
    const std::string path = file.SettingsFilePath();
    IniFileText existing;
    if (platform.FileExists(path)) {
        const auto bytes = platform.ReadWholeFile(path);
        // Replacing a file we could not read would drop the user's own lines.
        if (!bytes) return false;
        existing = DecodeIniFile(*bytes);
    } else {
        // A folder that cannot be made shows up as the failed write below.
        file.ForceFolders(file.UserDataFolder(kProductSubPath));
    }
    const char separator = platform.DecimalSeparator();
    const auto saved = [&](IniFileText text, const IniTextEncoder& encode) {
        text.text = Storage::Save(*this, text.text, kSection, false, {separator, encode});
        if (further) text.text = further(text.text, separator, encode);
        return text;
    };
    if (existing.encoding == IniEncoding::Bytes) {
        // An 8-bit file keeps its bytes: the user's lines as they stand, the
        // program's texts in the system's code page, as the system's own
        // profile calls would write them.
        bool lacked = false;
        const IniTextEncoder toCodePage = [&](std::string_view text) {
            const std::u16string wide = Utf16FromUtf8(text);
            std::string bytes = platform.ToCodePage(wide);
            if (platform.DecodeCodePage(platform.SystemCodePage(), bytes) != wide) lacked = true;
            return bytes;
        };
        const IniFileText inCodePage = saved(existing, toCodePage);
        if (!lacked) return platform.ReplaceFileContents(path, EncodeIniFile(inCodePage));
        // A text the code page lacks (a folder named in another script)
        // would come back as '?': the file becomes UTF-16, which the system
        // reads as well and which keeps every line the user wrote.
        existing = {IniEncoding::Utf16Le, Utf8FromCodePage(platform, platform.SystemCodePage(), existing.text), {}};
    }
    return platform.ReplaceFileContents(path, EncodeIniFile(saved(existing, {})));
}

}  // namespace lumetra
