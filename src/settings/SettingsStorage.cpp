// Load and Save of TSettings: the settings file's keys, their formats,
// defaults and the order in which they are applied.
#include <cmath>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/IniCodec.h"
#include "settings/IniEncoding.h"
#include "settings/IniValues.h"
#include "settings/SettingsFile.h"

namespace lumetra {

namespace {

constexpr std::string_view kSection = "Settings";

// Every key of the file, in the order in which Save writes them.
constexpr std::string_view kKeys[] = {
    "Border", "Height", "Width", "LockWidth", "Lock", "Ratio", "LinesColor", "ValuesColor",
    "MouseResizeAllowed", "Opacity", "MouseWheelAllowed", "OrientMode", "ShowHints", "ShowValues",
    "LookMode", "GridSize", "SettingsOpacity", "MoveUsingGrid", "Lang", "X", "Y", "SX", "SY",
    "SVisible", "SPage", "SFrame"};

// The values of every key, read in one pass; a missing or unreadable value
// gives the default passed with the key.
class SettingsReader {
public:
    SettingsReader(std::string_view ini, char decimalSeparator)
        : values_(IniText(ini).Get(kSection, kKeys)), separator_(decimalSeparator) {}

    std::int32_t Int(std::string_view key, std::int32_t fallback) const {
        const auto* text = Find(key);
        return text ? ParseIniInt(*text).value_or(fallback) : fallback;
    }

    bool Bool(std::string_view key, bool fallback) const {
        const auto* text = Find(key);
        return text ? ParseIniBool(*text).value_or(fallback) : fallback;
    }

    // Only a positive finite ratio is usable; the setter would ignore any
    // other and leave the one the settings had before the file was read.
    double Ratio(std::string_view key, double fallback) const {
        const auto* text = Find(key);
        const auto value = text ? ParseIniReal(*text, separator_) : std::nullopt;
        return value && std::isfinite(*value) && *value > 0.0 ? *value : fallback;
    }

    std::string String(std::string_view key, std::string_view fallback) const {
        const auto* text = Find(key);
        return text ? *text : std::string(fallback);
    }

private:
    const std::string* Find(std::string_view key) const {
        for (std::size_t i = 0; i < std::size(kKeys); ++i) {
            if (kKeys[i] == key) return values_[i] ? &*values_[i] : nullptr;
        }
        return nullptr;
    }

    std::vector<std::optional<std::string>> values_;
    char separator_;
};

Color ToColor(std::int32_t value) { return static_cast<Color>(value); }
// Written as the signed value, which reads back through the integer reader.
std::int32_t FromColor(Color value) { return static_cast<std::int32_t>(value); }

// The settings written into `existingFile`, with Lang in the file's own
// encoding.
std::string SettingsText(const TSettings& s, std::string_view existingFile, std::string_view lang,
                         char decimalSeparator) {
    // In the order of kKeys.
    const IniEntry entries[] = {
        {"Border", FormatIniInt(s.Border())},
        {"Height", FormatIniInt(s.Height())},
        {"Width", FormatIniInt(s.Width())},
        {"LockWidth", FormatIniBool(s.LockWidth())},
        {"Lock", FormatIniBool(s.Lock())},
        {"Ratio", FormatIniReal(s.Ratio(), decimalSeparator)},
        {"LinesColor", FormatIniInt(FromColor(s.LinesColor()))},
        {"ValuesColor", FormatIniInt(FromColor(s.ValuesColor()))},
        {"MouseResizeAllowed", FormatIniBool(s.MouseResizeAllowed())},
        {"Opacity", FormatIniInt(s.Opacity())},
        {"MouseWheelAllowed", FormatIniBool(s.MouseWheelAllowed())},
        {"OrientMode", FormatIniInt(s.OrientMode())},
        {"ShowHints", FormatIniBool(s.ShowHints())},
        {"ShowValues", FormatIniBool(s.ShowValues())},
        {"LookMode", FormatIniInt(s.LookMode())},
        {"GridSize", FormatIniInt(s.GridSize())},
        {"SettingsOpacity", FormatIniBool(s.SettingsOpacity())},
        {"MoveUsingGrid", FormatIniBool(s.MoveUsingGrid())},
        {"Lang", std::string(lang)},
        {"X", FormatIniInt(s.X())},
        {"Y", FormatIniInt(s.Y())},
        {"SX", FormatIniInt(s.SX())},
        {"SY", FormatIniInt(s.SY())},
        {"SVisible", FormatIniBool(s.SVisible())},
        {"SPage", FormatIniInt(s.SPage())},
        {"SFrame", FormatIniBool(s.SFrame())},
    };
    IniText file(existingFile);
    file.Set(kSection, entries);
    return file.Text();
}

}  // namespace

void TSettings::LoadFromText(std::string_view ini, char decimalSeparator) {
    const SettingsReader file(ini, decimalSeparator);
    // The lock and the ratio come before the sizes, and the height before the
    // width, so the locked dimension is derived from the values just read.
    SetBorder(file.Int("Border", 12));
    SetLockWidth(file.Bool("LockWidth", true));
    SetLock(file.Bool("Lock", true));
    SetRatio(file.Ratio("Ratio", kFactoryRatio));
    SetLinesColor(ToColor(file.Int("LinesColor", FromColor(kFactoryLinesColor))));
    SetValuesColor(ToColor(file.Int("ValuesColor", FromColor(kFactoryValuesColor))));
    SetMouseResizeAllowed(file.Bool("MouseResizeAllowed", true));
    SetOpacity(file.Int("Opacity", 90));
    SetMouseWheelAllowed(file.Bool("MouseWheelAllowed", true));
    SetOrientMode(file.Int("OrientMode", 0));
    SetShowHints(file.Bool("ShowHints", true));
    SetShowValues(file.Bool("ShowValues", true));
    SetLookMode(file.Int("LookMode", 1));
    SetGridSize(file.Int("GridSize", 8));
    SetSettingsOpacity(file.Bool("SettingsOpacity", false));
    SetMoveUsingGrid(file.Bool("MoveUsingGrid", true));
    SetLang(file.String("Lang", "English"));
    x_ = file.Int("X", 200);
    y_ = file.Int("Y", 200);
    SetHeight(file.Int("Height", 301));
    SetWidth(file.Int("Width", 401));
    sx_ = file.Int("SX", 600);
    sy_ = file.Int("SY", 10);
    sVisible_ = file.Bool("SVisible", false);
    sPage_ = file.Int("SPage", 1);
    sFrame_ = file.Bool("SFrame", true);
}

std::string TSettings::SaveToText(std::string_view existingFile, char decimalSeparator) const {
    return SettingsText(*this, existingFile, lang_, decimalSeparator);
}

void TSettings::Load(const SettingsFile& file) {
    IPlatformFiles& platform = file.Platform();
    const std::string path = file.SettingsFilePath();
    if (!platform.FileExists(path)) return;
    // A file that exists but cannot be read counts as missing: the first-run
    // values stand, and Save will not replace it.
    const auto bytes = platform.ReadWholeFile(path);
    if (!bytes) return;
    const IniFileText text = DecodeIniFile(*bytes);
    LoadFromText(text.text, platform.DecimalSeparator());
    // A UTF-16 file holds Lang in Unicode; the program holds it in the code page.
    if (text.encoding == IniEncoding::Utf16Le) SetLang(platform.ToCodePage(Utf16FromWtf8(lang_)));
}

bool TSettings::Save(SettingsFile& file) const {
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
    // A UTF-16 file stays UTF-16: written in the code page, it would lose
    // every character of the user's own lines that the code page lacks.
    const std::string lang =
        existing.encoding == IniEncoding::Utf16Le ? Wtf8FromUtf16(platform.FromCodePage(lang_)) : lang_;
    existing.text = SettingsText(*this, existing.text, lang, platform.DecimalSeparator());
    return platform.ReplaceFileContents(path, EncodeIniFile(existing));
}

}  // namespace lumetra
