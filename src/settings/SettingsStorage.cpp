// Load and Save of TSettings: the settings file's keys, their formats,
// defaults and the order in which they are applied.
#include <cmath>
#include <utility>

#include "settings/AppSettings.h"
#include "settings/IniCodec.h"
#include "settings/IniValues.h"
#include "settings/SettingsFile.h"

namespace lumetra {

namespace {

constexpr std::string_view kSection = "Settings";

// Reads one key with its default; a missing or unreadable value gives the
// default.
class SettingsReader {
public:
    SettingsReader(std::string_view ini, char decimalSeparator) : ini_(ini), separator_(decimalSeparator) {}

    std::int32_t Int(std::string_view key, std::int32_t fallback) const {
        const auto text = ini_.Get(kSection, key);
        return text ? ParseIniInt(*text).value_or(fallback) : fallback;
    }

    bool Bool(std::string_view key, bool fallback) const {
        const auto text = ini_.Get(kSection, key);
        return text ? ParseIniBool(*text).value_or(fallback) : fallback;
    }

    // Only a positive finite ratio is usable; the setter would ignore any
    // other and leave the one the settings had before the file was read.
    double Ratio(std::string_view key, double fallback) const {
        const auto text = ini_.Get(kSection, key);
        const auto value = text ? ParseIniReal(*text, separator_) : std::nullopt;
        return value && std::isfinite(*value) && *value > 0.0 ? *value : fallback;
    }

    std::string String(std::string_view key, std::string_view fallback) const {
        return ini_.Get(kSection, key).value_or(std::string(fallback));
    }

private:
    IniText ini_;
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
    IniText file(existingFile);
    const auto put = [&file](std::string_view key, const std::string& value) { file.Set(kSection, key, value); };
    put("Border", FormatIniInt(border_));
    put("Height", FormatIniInt(height_));
    put("Width", FormatIniInt(width_));
    put("LockWidth", FormatIniBool(lockWidth_));
    put("Lock", FormatIniBool(lock_));
    put("Ratio", FormatIniReal(ratio_, decimalSeparator));
    put("LinesColor", FormatIniInt(FromColor(linesColor_)));
    put("ValuesColor", FormatIniInt(FromColor(valuesColor_)));
    put("MouseResizeAllowed", FormatIniBool(mouseResizeAllowed_));
    put("Opacity", FormatIniInt(opacity_));
    put("MouseWheelAllowed", FormatIniBool(mouseWheelAllowed_));
    put("OrientMode", FormatIniInt(orientMode_));
    put("ShowHints", FormatIniBool(showHints_));
    put("ShowValues", FormatIniBool(showValues_));
    put("LookMode", FormatIniInt(lookMode_));
    put("GridSize", FormatIniInt(gridSize_));
    put("SettingsOpacity", FormatIniBool(settingsOpacity_));
    put("MoveUsingGrid", FormatIniBool(moveUsingGrid_));
    put("Lang", lang_);
    put("X", FormatIniInt(x_));
    put("Y", FormatIniInt(y_));
    put("SX", FormatIniInt(sx_));
    put("SY", FormatIniInt(sy_));
    put("SVisible", FormatIniBool(sVisible_));
    put("SPage", FormatIniInt(sPage_));
    put("SFrame", FormatIniBool(sFrame_));
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
