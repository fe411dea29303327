#pragma once
// The settings of one guide. Every change made from the interface goes
// through a setter, which validates, keeps width and height in the locked
// ratio, and tells the overlay and the settings panel what to refresh.
// Several guides may share a group, in which the program-wide switches, the
// language and the panel's state hold one value for all.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Types.h"
#include "settings/HotKey.h"
#include "settings/SettingBounds.h"
#include "settings/IniEncoding.h"
#include "units/Calibration.h"
#include "units/Units.h"

namespace lumetra {

class SettingsFile;
struct GuidePlacement;

// Refresh operations of the overlay window, called by the setters.
class IOverlaySink {
public:
    virtual ~IOverlaySink() = default;
    virtual void ApplySize() = 0;
    virtual void ApplyOpacity() = 0;
    virtual void RefreshLook() = 0;
    virtual void RefreshOptions() = 0;
    virtual void RefreshLanguage() = 0;
    // The size and the window's top-left corner at once, as the settings
    // now hold them: one move and one paint.
    virtual void ApplyPlacement(const GuidePlacement& placed) = 0;
    // What a length along the guide's width (else its height) measures on
    // the monitor the guide is measured on.
    virtual LengthScale MeasuringScale(bool alongWidth) const = 0;
};

// Refresh operations of the settings panel, called by the setters.
class IPanelSink {
public:
    virtual ~IPanelSink() = default;
    virtual void UpdateOptions() = 0;
    virtual void UpdateOpacity() = 0;
    virtual void UpdateGridSize() = 0;
    virtual void UpdateColors() = 0;
    virtual void UpdateLook() = 0;
    virtual void UpdateOrientation() = 0;
    virtual void UpdateLock() = 0;
    virtual void UpdateRatio() = 0;
    // The size field shows Width when LockWidth is on, else Height.
    virtual void UpdateSizeField() = 0;
    virtual void ReloadLanguage() = 0;
};

// Where a guide stands and how it is proportioned: what a fit or a follow
// step changes in one go, and what a fit's undo puts back.
struct GuidePlacement {
    Point position;  // the window's top-left corner
    std::int32_t width = 0;
    std::int32_t height = 0;
    double ratio = 0.0;
    bool lock = false;
    friend bool operator==(const GuidePlacement&, const GuidePlacement&) = default;
};

class TSettings {
public:
    // First-run values; the panel's default place depends on the primary
    // screen's width.
    explicit TSettings(std::int32_t primaryScreenWidth);
    virtual ~TSettings() = default;
    TSettings(const TSettings&) = delete;

    // A window registers itself when it is created; nullptr unregisters.
    // Notifications to an unregistered window are skipped.
    void SetOverlay(IOverlaySink* overlay) { overlay_ = overlay; }
    void SetPanel(IPanelSink* panel) { panel_ = panel; }

    // The guides that share the values the key table marks as shared (Lang,
    // the program's switches, hot keys, the panel's state): a change to one of
    // them reaches each member. nullptr leaves this guide on its own. The group
    // must outlive its use here.
    void ShareWith(const std::vector<TSettings*>* group) { group_ = group; }

    // Every value of `other`, written directly: nobody is told, and this
    // object keeps its windows and its group.
    void CopyFrom(const TSettings& other);
    // The shared values of `other`, through this object's setters.
    void CopySharedFrom(const TSettings& other);

    double Ratio() const { return ratio_; }
    bool LockWidth() const { return lockWidth_; }
    bool Lock() const { return lock_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::int32_t Border() const { return border_; }
    Color LinesColor() const { return linesColor_; }
    Color ValuesColor() const { return valuesColor_; }
    bool MouseResizeAllowed() const { return mouseResizeAllowed_; }
    std::int32_t Opacity() const { return opacity_; }
    bool MouseWheelAllowed() const { return mouseWheelAllowed_; }
    std::int32_t OrientMode() const { return orientMode_; }
    bool ShowValues() const { return showValues_; }
    std::int32_t LookMode() const { return lookMode_; }
    // The guide file the look is, by its file name; empty for a built-in look.
    const std::string& LookFile() const { return lookFile_; }
    // The built-in looks and the guide files after them.
    std::int32_t LookCount() const { return kBuiltInLookCount + static_cast<std::int32_t>(userLooks_.size()); }
    std::int32_t GridSize() const { return gridSize_; }
    bool ShowHints() const { return showHints_; }
    bool SettingsOpacity() const { return settingsOpacity_; }
    bool MoveUsingGrid() const { return moveUsingGrid_; }
    const std::string& Lang() const { return lang_; }
    std::int32_t X() const { return x_; }
    std::int32_t Y() const { return y_; }
    std::int32_t SX() const { return sx_; }
    std::int32_t SY() const { return sy_; }
    bool SVisible() const { return sVisible_; }
    std::int32_t SPage() const { return sPage_; }
    bool SFrame() const { return sFrame_; }
    std::int32_t LineWidth() const { return lineWidth_; }
    bool Halo() const { return halo_; }
    // kAutoHaloColor or a plain RGB colour.
    Color HaloColor() const { return haloColor_; }
    // kAutoLabelSize or a cell height within the label bounds.
    std::int32_t LabelSize() const { return labelSize_; }
    // The guide lets every click and wheel turn through to what lies beneath.
    bool ClickThrough() const { return clickThrough_; }
    // The guide keeps to the picture it was fitted to as the picture moves.
    bool FollowPicture() const { return followPicture_; }
    // Every window of the program stays out of screenshots and screen sharing.
    bool HideFromCapture() const { return hideFromCapture_; }
    // The folder a composition or a guide was last saved to; empty: none yet.
    const std::string& SaveFolder() const { return saveFolder_; }
    HotKey HotKeyFor(HotKeyCommand command) const { return hotKeys_[static_cast<std::size_t>(command)]; }
    // The unit every read-out of every guide measures lengths in: a value of
    // Unit (units/Units.h), device pixels at 0.
    std::int32_t Units() const { return units_; }
    // The monitors the user calibrated, by identity; shared by the guides,
    // kept by RestoreDefaults (they measure the hardware, not a choice).
    const Calibrations& MonitorCalibrations() const { return calibrations_; }

    void SetBorder(std::int32_t value);
    void SetSFrame(bool value);
    void SetGridSize(std::int32_t value);
    void SetLang(const std::string& value);
    void SetLinesColor(Color value);
    void SetLock(bool value);
    void SetLockWidth(bool value);
    // A look the program has that is a guide file also sets LookFile.
    void SetLookMode(std::int32_t value);
    // The guide files offered after the built-in looks, by file name in look
    // order. A LookFile read from the settings file chooses its look again
    // by name, so that files added or removed since leave the choice as it
    // was; a file that is gone gives the factory look.
    void SetUserLooks(std::vector<std::string> fileNames);
    void SetMouseResizeAllowed(bool value);
    void SetMouseWheelAllowed(bool value);
    void SetMoveUsingGrid(bool value);
    void SetOpacity(std::int32_t value);
    void SetOrientMode(std::int32_t value);
    void SetRatio(double value);
    void SetSettingsOpacity(bool value);
    void SetShowHints(bool value);
    void SetShowValues(bool value);
    void SetValuesColor(Color value);
    void SetWidth(std::int32_t value);
    void SetHeight(std::int32_t value);
    void SetLineWidth(std::int32_t value);
    void SetHalo(bool value);
    // Anything but a plain RGB colour makes the halo colour automatic.
    void SetHaloColor(Color value);
    void SetLabelSize(std::int32_t value);
    void SetClickThrough(bool value);
    void SetFollowPicture(bool value);
    // Size, ratio and lock as the setters would take them one after another,
    // the lock last, then one notification of each window: the overlay moves
    // to the placement's position. Following goes on: this is how it moves.
    void SetPlacement(const GuidePlacement& placement);
    void SetHideFromCapture(bool value);
    // Ignores a text no folder of Windows has: too long, or with control characters.
    void SetSaveFolder(const std::string& value);
    // A combination that may not be a hot key is ignored; an empty one
    // takes the command's hot key away.
    void SetHotKey(HotKeyCommand command, HotKey value);
    // Ignores a value that names no unit.
    void SetUnits(std::int32_t value);
    // The next unit, after the last the first.
    void NextUnits();
    // The guide is measured on a monitor whose pixels measure otherwise
    // than before: what it and the panel show in a unit is shown anew.
    void MeasuringChanged();
    // Ignores an identity MonitorIdentity cannot give and a calibration of
    // neither side, and a new monitor past kMostCalibrations.
    void SetCalibration(const std::string& identity, const Calibration& calibration);

    // Every value of this guide and of the shared switches back to the
    // factory's; the language, the panel's place and the hot keys stay.
    void RestoreDefaults();
    void NextLookMode();
    void NextOrientMode();
    void ApplyLock();

    // Plain field writes without notifications: the windows store their
    // places when they close. The panel's state is shared.
    void StoreOverlayPosition(std::int32_t x, std::int32_t y);
    void StorePanelState(std::int32_t sx, std::int32_t sy, bool visible, std::int32_t page);

    // Persistence (SettingsStorage.cpp). Load notifies nobody because it runs
    // before any window exists. Save reports failure through its result.
    // `further`, when given, edits the text once this object's keys are in
    // it: the other guides add their sections there.
    using FurtherText =
        std::function<std::string(std::string_view text, char decimalSeparator, const IniTextEncoder& encode)>;
    void Load(const SettingsFile& file);
    bool Save(SettingsFile& file, const FurtherText& further = {}) const;

    // The file-free cores of Load and Save, for tools and fuzzers: the INI
    // text in (UTF-8 where it holds texts), the user's decimal separator
    // passed by the caller.
    void LoadFromText(std::string_view ini, char decimalSeparator);
    std::string SaveToText(std::string_view existingFile, char decimalSeparator,
                           const IniTextEncoder& encode = {}) const;

    // A further guide's own section: only the keys each guide has for
    // itself, read with the same setters, order and defaults as above; the
    // shared values stay as they are.
    void LoadGuideFromText(std::string_view ini, std::string_view section, char decimalSeparator);
    std::string SaveGuideToText(std::string_view existingFile, std::string_view section, char decimalSeparator,
                                const IniTextEncoder& encode = {}) const;

private:
    // The settings file's keys (SettingsStorage.cpp).
    struct Storage;

    // For CopyFrom only.
    TSettings& operator=(const TSettings&) = default;

    void ShareWithGroup() const;
    void DeriveFollowingDimension();
    // Any other change of size, ratio or lock is the user's: following ends.
    void EndFollowing();
    void NotifyOptions();
    void NotifySize();
    void NotifyLook(void (IPanelSink::*update)());

    IOverlaySink* overlay_ = nullptr;
    IPanelSink* panel_ = nullptr;
    const std::vector<TSettings*>* group_ = nullptr;

    double ratio_ = 0.0;
    bool lockWidth_ = false;
    bool lock_ = false;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t border_ = 0;
    Color linesColor_ = 0;
    Color valuesColor_ = 0;
    bool mouseResizeAllowed_ = false;
    std::int32_t opacity_ = 0;
    bool mouseWheelAllowed_ = false;
    std::int32_t orientMode_ = 0;
    bool showValues_ = false;
    std::int32_t lookMode_ = 0;
    std::string lookFile_;
    std::vector<std::string> userLooks_;
    std::int32_t gridSize_ = 0;
    bool showHints_ = false;
    bool settingsOpacity_ = false;
    bool moveUsingGrid_ = false;
    std::string lang_;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::int32_t sx_ = 0;
    std::int32_t sy_ = 0;
    bool sVisible_ = false;
    std::int32_t sPage_ = 0;
    bool sFrame_ = false;
    // Kept at the factory values from the start, so that RestoreDefaults
    // tells nobody about them on a fresh object.
    std::int32_t lineWidth_ = kMinLineWidth;
    bool halo_ = false;
    Color haloColor_ = kAutoHaloColor;
    std::int32_t labelSize_ = kFactoryLabelSize;
    bool clickThrough_ = false;
    bool followPicture_ = false;
    bool hideFromCapture_ = false;
    std::string saveFolder_;
    std::array<HotKey, kHotKeyCommandCount> hotKeys_ = kFactoryHotKeys;
    std::int32_t units_ = 0;
    Calibrations calibrations_;
};

}  // namespace lumetra
