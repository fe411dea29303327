#pragma once
// What the panel's behaviour needs from its window: show values in the
// controls and read back the texts of the two number fields. Nothing here
// runs a handler; PanelController decides what follows a change it makes.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/StartWithWindowsBox.h"
#include "common/Types.h"
#include "settings/HotKey.h"

namespace lumetra {

// Controls whose caption the localisation pass sets, in the pass's order.
enum class PanelText {
    MainTab,
    LogoLabel,
    CopyrightLabel,
    DevWebBtn,
    AskSupportBtn,
    CheckForUpdatesBtn,
    HelpBtn,
    LookTab,
    SectionLabel,
    SnapToGroupBox,
    WidthRadio,
    HeightRadio,
    RatioLabel,
    GridLabel,
    LookLabel,
    OrientationLabel,
    GridSizeLabel,
    ColorsTab,
    LinesColorLabel,
    ValuesColorLabel,
    OpacityLabel,
    AdvancedTab,
    LanguageLabel,
    AdvancedLabel,
    RestoreButton,
    LockCheckBox,
    NewGuideBtn,
    FitPictureBtn,
    LineWidthLabel,
    HaloCheckBox,
    HaloColorLabel,
    LabelSizeLabel,
    WorkTab,
    ClickThroughCheckBox,
    CaptureCheckBox,
    CaptureNote,
    HotKeysLabel,
    // One label per hot key, in HotKeyCommand order.
    ClickThroughKeyLabel,
    ShowHideKeyLabel,
    FitKeyLabel,
    NextLookKeyLabel,
    CopyCompositionBtn,
    FollowCheckBox,
    StartWithWindowsCheckBox,
    // The calibration group of the Advanced page.
    CalibrateBtn,
    SizeUnknownNote,
    KnownWidthLabel,
    KnownHeightLabel,
    CalibrateCardBtn,
    ConfirmCalibrationBtn,
};
inline constexpr int kPanelTextCount = static_cast<int>(PanelText::ConfirmCalibrationBtn) + 1;

// Of HaloColor only the automatic entry's text comes from the controller.
enum class PanelList { Ratio, Look, Orientation, Advanced, Language, LabelSize, HaloColor, Units };

// The edit + spin pairs.
enum class PanelSpin { Size, GridSize, LineWidth };

enum class PanelColorBox { Lines, Values, Halo };

inline constexpr int kAdvancedOptionCount = 7;
using AdvancedChecks = std::array<bool, kAdvancedOptionCount>;

class IPanelView {
public:
    virtual ~IPanelView() = default;

    virtual void MoveTo(Point topLeft) = 0;
    virtual void SetText(PanelText target, const std::string& text) = 0;

    // Replaces the item's text, or appends it when the list is shorter.
    // Replacing keeps an advanced entry's check mark.
    virtual void SetListItem(PanelList list, int index, const std::string& text) = 0;
    virtual void AddListItem(PanelList list, const std::string& text) = 0;
    virtual void ClearList(PanelList list) = 0;
    // -1 selects nothing.
    virtual void SelectListItem(PanelList list, int index) = 0;
    // The ratio box's own text, with no item selected.
    virtual void SetRatioText(const std::string& text) = 0;

    // The edit's text as the user left it, and the spin position written
    // into it as plain decimal.
    virtual std::string SpinText(PanelSpin spin) const = 0;
    virtual void ShowSpinPosition(PanelSpin spin, int position) = 0;
    // The spin position with another text in the edit: a length in a unit.
    virtual void ShowSpinValue(PanelSpin spin, int position, const std::string& text) = 0;

    virtual void ShowLock(bool widthLeads, bool lock) = 0;
    virtual void ShowHalo(bool on) = 0;
    virtual void ShowClickThrough(bool on) = 0;
    virtual void ShowFollow(bool on) = 0;
    // As the Run value is; greyed where this copy cannot be started so.
    virtual void ShowStartWithWindows(const StartWithWindowsBox& box) = 0;
    // Where the system cannot keep windows out of screen captures, the box
    // is greyed and its note shows.
    virtual void ShowCaptureHiding(bool on, bool available) = 0;
    // Whether the system kept the panel out of captures when asked once at
    // its creation.
    virtual bool CaptureHidingAvailable() const = 0;
    // Keeps the panel itself out of screen captures, or lets it show in them.
    virtual void ExcludeFromCapture(bool excluded) = 0;
    // The combination in the command's hot-key control, and the note beside
    // it (empty for none).
    virtual void ShowHotKey(HotKeyCommand command, HotKey hotKey, const std::string& note) = 0;
    // entry 0 is "Custom...", which then takes color.
    virtual void ShowColor(PanelColorBox box, int entry, Color color) = 0;
    virtual void ShowOptions(const AdvancedChecks& checks) = 0;
    virtual void ShowOpacity(int position) = 0;
    // The panel's own alpha blending; nothing switches it off.
    virtual void SetBlending(std::optional<std::uint8_t> alpha) = 0;
    virtual void EnableHints(bool on) = 0;
    virtual void RepaintAll() = 0;
};

}  // namespace lumetra
