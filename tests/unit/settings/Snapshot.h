#pragma once
// Every value the settings file has a key for, in one value, so a single
// comparison shows all differences at once.
#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "settings/AppSettings.h"

namespace lumetra::test {

struct Snapshot {
    double ratio;
    bool lockWidth, lock;
    std::int32_t width, height, border;
    Color linesColor, valuesColor;
    bool mouseResizeAllowed;
    std::int32_t opacity;
    bool mouseWheelAllowed;
    std::int32_t orientMode;
    bool showValues;
    std::int32_t lookMode, gridSize;
    bool showHints, settingsOpacity, moveUsingGrid;
    std::string lang;
    std::int32_t x, y, sx, sy;
    bool sVisible;
    std::int32_t sPage;
    bool sFrame;
    // The newer keys. A snapshot spelt out with the values above only has
    // them at the value that a first run and a file without them agree on.
    std::int32_t lineWidth = kMinLineWidth;
    bool halo = false;
    Color haloColor = kAutoHaloColor;
    std::int32_t labelSize = kFactoryLabelSize;
    bool clickThrough = false;
    bool hideFromCapture = false;
    std::array<HotKey, kHotKeyCommandCount> hotKeys = kFactoryHotKeys;
    std::string lookFile{};
    std::string saveFolder{};
    bool followPicture = false;
    std::int32_t units = 0;

    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

inline std::array<HotKey, kHotKeyCommandCount> HotKeysOf(const TSettings& s) {
    std::array<HotKey, kHotKeyCommandCount> keys{};
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) keys[i] = s.HotKeyFor(static_cast<HotKeyCommand>(i));
    return keys;
}

inline Snapshot Take(const TSettings& s) {
    return {s.Ratio(),
            s.LockWidth(),
            s.Lock(),
            s.Width(),
            s.Height(),
            s.Border(),
            s.LinesColor(),
            s.ValuesColor(),
            s.MouseResizeAllowed(),
            s.Opacity(),
            s.MouseWheelAllowed(),
            s.OrientMode(),
            s.ShowValues(),
            s.LookMode(),
            s.GridSize(),
            s.ShowHints(),
            s.SettingsOpacity(),
            s.MoveUsingGrid(),
            s.Lang(),
            s.X(),
            s.Y(),
            s.SX(),
            s.SY(),
            s.SVisible(),
            s.SPage(),
            s.SFrame(),
            s.LineWidth(),
            s.Halo(),
            s.HaloColor(),
            s.LabelSize(),
            s.ClickThrough(),
            s.HideFromCapture(),
            HotKeysOf(s),
            s.LookFile(),
            s.SaveFolder(),
            s.FollowPicture(),
            s.Units()};
}

// `own` with the values that the guides of a group share taken from `shared`.
inline Snapshot WithShared(Snapshot own, const Snapshot& s) {
    own.mouseResizeAllowed = s.mouseResizeAllowed, own.mouseWheelAllowed = s.mouseWheelAllowed;
    own.showHints = s.showHints, own.settingsOpacity = s.settingsOpacity, own.moveUsingGrid = s.moveUsingGrid;
    own.lang = s.lang, own.sx = s.sx, own.sy = s.sy, own.sVisible = s.sVisible, own.sPage = s.sPage;
    own.hideFromCapture = s.hideFromCapture, own.hotKeys = s.hotKeys, own.saveFolder = s.saveFolder;
    own.units = s.units;
    return own;
}

inline void PrintTo(const Snapshot& s, std::ostream* os) {
    *os << "{ratio " << s.ratio << ", lock " << s.lock << "/" << s.lockWidth << ", " << s.width << "x" << s.height
        << ", border " << s.border << ", colours " << s.linesColor << "/" << s.valuesColor << ", opacity " << s.opacity
        << ", orient " << s.orientMode << ", look " << s.lookMode << ", grid " << s.gridSize << ", switches "
        << s.mouseResizeAllowed << s.mouseWheelAllowed << s.showValues << s.showHints << s.settingsOpacity
        << s.moveUsingGrid << s.sFrame << ", lang " << s.lang << ", overlay at " << s.x << "," << s.y << ", panel at "
        << s.sx << "," << s.sy << " shown " << s.sVisible << " page " << s.sPage << ", line width " << s.lineWidth
        << ", halo " << s.halo << " " << s.haloColor << ", label size " << s.labelSize << ", click-through "
        << s.clickThrough << ", hidden from capture " << s.hideFromCapture << ", hot keys";
    for (const HotKey& key : s.hotKeys) *os << " " << FormatHotKey(key);
    *os << ", look file " << s.lookFile << ", save folder " << s.saveFolder << ", units " << s.units << "}";
}

}  // namespace lumetra::test
