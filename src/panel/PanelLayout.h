#pragma once
// Where every control of the settings panel sits, as one table at 96 dpi,
// and the one mapping of that table to the device pixels of a display.
// Labels that take the width of their text have no width of their own here:
// the window fits them once their text is known.
#include <optional>
#include <span>

#include "common/Dpi.h"
#include "common/Types.h"
#include "panel/PanelCaption.h"
#include "panel/PanelLists.h"
#include "panel/PanelView.h"

namespace lumetra {

enum class PanelControl {
    // Main page.
    Logo,
    LogoLabel,
    CopyrightLabel,
    DevWebBtn,
    AskSupportBtn,
    CheckForUpdatesBtn,
    HelpBtn,
    NewGuideBtn,
    FitPictureBtn,
    CopyCompositionBtn,
    // Look page.
    SectionLabel,
    SnapToGroupBox,
    WidthRadio,
    HeightRadio,
    SizeEdit,
    SizeSpin,
    RatioLabel,
    RatioBox,
    LockCheckBox,
    GridLabel,
    LookLabel,
    LookBox,
    OrientationLabel,
    OrientationBox,
    GridSizeLabel,
    GridSizeEdit,
    GridSizeSpin,
    FollowCheckBox,
    // Colors page.
    LinesColorLabel,
    LinesColorBox,
    ValuesColorLabel,
    ValuesColorBox,
    OpacityLabel,
    OpacityBar,
    OpacityMinLabel,
    OpacityMaxLabel,
    LineWidthLabel,
    LineWidthEdit,
    LineWidthSpin,
    HaloCheckBox,
    HaloColorLabel,
    HaloColorBox,
    LabelSizeLabel,
    LabelSizeBox,
    // Advanced page.
    AdvancedLabel,
    AdvancedCheckList,
    LanguageLabel,
    LanguageBox,
    RestoreButton,
    // Work page; each hot key has a label, its box and the note below it,
    // in HotKeyCommand order.
    ClickThroughCheckBox,
    CaptureCheckBox,
    CaptureNote,
    HotKeysLabel,
    ClickThroughKeyLabel,
    ClickThroughKeyBox,
    ClickThroughKeyNote,
    ShowHideKeyLabel,
    ShowHideKeyBox,
    ShowHideKeyNote,
    FitKeyLabel,
    FitKeyBox,
    FitKeyNote,
    NextLookKeyLabel,
    NextLookKeyBox,
    NextLookKeyNote,
    // Advanced page, below the older controls.
    StartWithWindowsCheckBox,
    // Look page, beside the size's heading: the unit every length is read in.
    UnitsBox,
    // Advanced page: the button that opens the calibration group, and the group, which
    // shows in place of the page's other controls while it is open.
    CalibrateBtn,
    SizeUnknownNote,
    KnownWidthLabel,
    KnownWidthEdit,
    KnownHeightLabel,
    KnownHeightEdit,
    CalibrateCardBtn,
    ConfirmCalibrationBtn,
};

inline constexpr int kPanelControlCount = static_cast<int>(PanelControl::ConfirmCalibrationBtn) + 1;

// The controls of the calibration group, shown only while it is open.
constexpr bool InCalibrationGroup(PanelControl control) {
    return control >= PanelControl::SizeUnknownNote && control <= PanelControl::ConfirmCalibrationBtn;
}

struct PanelPlace {
    PanelControl control;
    PanelPage page;
    Rect rect;              // in the page's client area, at 96 dpi
    bool fitsText = false;  // the width follows the text; rect.right is rect.left
};

// Every control, in PanelControl order.
std::span<const PanelPlace> PanelLayout();
const PanelPlace& PlaceOf(PanelControl control);
// The control showing a text; none for the tabs, which are no controls of a page.
std::optional<PanelControl> ControlOf(PanelText text);

// A combo box's rectangle is its closed field; each row of its open list
// adds this much to the window, the room a row needs without visual styles.
inline constexpr int kDropRowHeight = 14;

// The body below the caption strip, in the panel; the tab control in the
// body; and the client area the tab control gives each page (two rows of
// tabs above it, a frame of 4 around it), all at 96 dpi.
inline constexpr Rect kPanelBody{0, kPanelCaptionHeight, kPanelWidth, kPanelHeight};
inline constexpr Rect kTabControl{0, 4, kPanelWidth, kPanelHeight - kPanelCaptionHeight};
inline constexpr Rect kPageArea{0, 0, 165, 304};

// The panel window's width and height (x and y) at a dpi.
Point ScaledPanelSize(int dpi);

}  // namespace lumetra
