// Load and Save of TSettings: the settings file's keys, their formats,
// defaults and the order in which they are applied.
#include <cmath>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "settings/AppSettings.h"
#include "settings/IniCodec.h"
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
    // In the order of kKeys.
    const IniEntry entries[] = {
        {"Border", FormatIniInt(border_)},
        {"Height", FormatIniInt(height_)},
        {"Width", FormatIniInt(width_)},
        {"LockWidth", FormatIniBool(lockWidth_)},
        {"Lock", FormatIniBool(lock_)},
        {"Ratio", FormatIniReal(ratio_, decimalSeparator)},
        {"LinesColor", FormatIniInt(FromColor(linesColor_))},
        {"ValuesColor", FormatIniInt(FromColor(valuesColor_))},
        {"MouseResizeAllowed", FormatIniBool(mouseResizeAllowed_)},
        {"Opacity", FormatIniInt(opacity_)},
        {"MouseWheelAllowed", FormatIniBool(mouseWheelAllowed_)},
        {"OrientMode", FormatIniInt(orientMode_)},
        {"ShowHints", FormatIniBool(showHints_)},
        {"ShowValues", FormatIniBool(showValues_)},
        {"LookMode", FormatIniInt(lookMode_)},
        {"GridSize", FormatIniInt(gridSize_)},
        {"SettingsOpacity", FormatIniBool(settingsOpacity_)},
        {"MoveUsingGrid", FormatIniBool(moveUsingGrid_)},
        {"Lang", lang_},
        {"X", FormatIniInt(x_)},
        {"Y", FormatIniInt(y_)},
        {"SX", FormatIniInt(sx_)},
        {"SY", FormatIniInt(sy_)},
        {"SVisible", FormatIniBool(sVisible_)},
        {"SPage", FormatIniInt(sPage_)},
        {"SFrame", FormatIniBool(sFrame_)},
    };
    IniText file(existingFile);
    file.Set(kSection, entries);
    return file.Text();
}

void TSettings::Load(const SettingsFile& file) {
    IPlatformFiles& platform = file.Platform();
    const std::string path = file.SettingsFilePath();
    if (!platform.FileExists(path)) return;
    // A file that exists but cannot be read counts as missing: the first-run
    // values stand, and Save will not replace it.
    const auto text = platform.ReadWholeFile(path);
    if (!text) return;
    LoadFromText(*text, platform.DecimalSeparator());
}

bool TSettings::Save(SettingsFile& file) const {
    IPlatformFiles& platform = file.Platform();
    const std::string path = file.SettingsFilePath();
    std::string existing;
    if (platform.FileExists(path)) {
        auto text = platform.ReadWholeFile(path);
        // Replacing a file we could not read would drop the user's own lines.
        if (!text) return false;
        existing = std::move(*text);
    } else {
        // A folder that cannot be made shows up as the failed write below.
        file.ForceFolders(file.UserDataFolder(kProductSubPath));
    }
    return platform.ReplaceFileContents(path, SaveToText(existing, platform.DecimalSeparator()));
}

}  // namespace lumetra
