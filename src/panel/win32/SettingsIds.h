#pragma once
// Control identifiers of the settings panel. None is IDOK or IDCANCEL, which
// the dialog keys send to the window itself.
namespace lumetra {

enum class TSettingsForm::Id : int {
    None = 0,
    PageControl = 100,
    DevWebBtn,
    AskSupportBtn,
    CheckForUpdatesBtn,
    HelpBtn,
    WidthRadio,
    HeightRadio,
    SizeEdit,
    RatioComboBox,
    LockCheckBox,
    LookComboBox,
    OrientationComboBox,
    GridSizeEdit,
    LinesColorBox,
    ValuesColorBox,
    OpacityTrackBar,
    AdvCheckListBox,
    RestoreButton,
    LangComboBox,
    NewGuideBtn,
    FitPictureBtn,
    CopyCompositionBtn,
    LineWidthEdit,
    HaloCheckBox,
    HaloColorBox,
    LabelSizeComboBox,
    ClickThroughCheckBox,
    CaptureCheckBox,
    FollowCheckBox,
    StartWithWindowsCheckBox,
    CalibrateBtn,
    CalibrateCardBtn,
    ConfirmCalibrationBtn,
    UnitsComboBox,
    // One per hot key, in HotKeyCommand order: the last identifiers.
    FirstHotKeyBox,
};

}  // namespace lumetra
