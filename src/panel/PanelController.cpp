#include "panel/PanelController.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "overlay/looks/Geometry.h"
#include "panel/CalibrationPanel.h"
#include "panel/PanelLists.h"
#include "settings/IniValues.h"
#include "settings/SettingsFile.h"

namespace lumetra {
namespace {

constexpr double kPresetTolerance = 0.001;

}  // namespace

PanelController::PanelController(TSettings& settings, const LookLibrary& looks, LangTable& texts,
                                 const SettingsFile& files, IOverlaySink& overlay, IPanelView& view,
                                 std::int32_t primaryScreenWidth)
    : settings_(&settings),
      looks_(looks),
      texts_(texts),
      files_(files),
      overlay_(&overlay),
      view_(view),
      size_(0, static_cast<int>(std::clamp<std::int64_t>(2 * std::int64_t{primaryScreenWidth}, 0, kMaxSpinPosition))),
      gridSize_(0, kMaxGridSize),
      lineWidth_(kMinLineWidth, kMaxLineWidth) {}

void PanelController::Start(const std::vector<std::string>& languageFiles) {
    UpdatePosition();
    ShowGuideValues();
    FillLanguages(languageFiles);
    ReloadLanguage();
}

void PanelController::Rebind(TSettings& settings, IOverlaySink& overlay) {
    if (settings_ != &settings) {
        settings_->SetPanel(nullptr);
        settings_ = &settings;
        settings_->SetPanel(this);
    }
    overlay_ = &overlay;
    if (calibration_) calibration_->Bind(settings);
    ShowGuideValues();
}

void PanelController::AttachCalibration(CalibrationController* calibration) {
    calibration_ = calibration;
    if (calibration_) calibration_->Bind(*settings_);
}

// Every control that shows a setting of the guide. The options list holds
// two of them (the labels and the caption strip switches) among shared ones.
void PanelController::ShowGuideValues() {
    UpdateOpacity();
    UpdateColors();
    UpdateSnapTo();
    UpdateLook();
    UpdateRatio();
    UpdateOrientation();
    UpdateGridSize();
    UpdateOptions();
}

void PanelController::ShowGuideNumber(int number, int count) {
    guideNumber_ = number;
    guideCount_ = count;
    view_.RepaintAll();
}

char PanelController::DecimalSeparator() const { return files_.Platform().DecimalSeparator(); }

// ---- refreshes -------------------------------------------------------------

void PanelController::UpdatePosition() { view_.MoveTo({settings_->SX(), settings_->SY()}); }

void PanelController::UpdateOptions() {
    view_.ShowOptions(AdvancedOptions(*settings_));
    ShowUnits();
    view_.EnableHints(settings_->ShowHints());
    UpdateOpacity();
    ShowWorkOptions();
    if (calibration_) calibration_->Refresh();
}

// Click-through and following are the guide's own; capture hiding and the
// hot keys are the program's, and the panel takes capture hiding for itself
// as well.
void PanelController::ShowWorkOptions() {
    view_.ShowClickThrough(settings_->ClickThrough());
    view_.ShowFollow(settings_->FollowPicture());
    const bool available = view_.CaptureHidingAvailable();
    view_.ShowCaptureHiding(settings_->HideFromCapture(), available);
    if (available) view_.ExcludeFromCapture(settings_->HideFromCapture());
    UpdateHotKeys();
}

void PanelController::AttachStartWithWindows(IStartWithWindows* startWithWindows) {
    startWithWindows_ = startWithWindows;
    UpdateStartWithWindows();
}

void PanelController::UpdateStartWithWindows() {
    view_.ShowStartWithWindows(startWithWindows_ != nullptr ? startWithWindows_->Shown()
                                                            : StartWithWindowsBox{false, false});
}

// The box shows what the registry holds afterwards, whether or not the
// change was made.
void PanelController::StartWithWindowsCheckBoxClick(bool checked) {
    if (startWithWindows_ != nullptr) startWithWindows_->Change(checked);
    UpdateStartWithWindows();
}

void PanelController::UpdateOpacity() {
    const std::int32_t opacity = settings_->Opacity();
    const bool blends = settings_->SettingsOpacity() && OpacityBlends(opacity);
    view_.SetBlending(blends ? std::optional<std::uint8_t>(OpacityAlpha(opacity)) : std::nullopt);
    view_.ShowOpacity(std::clamp(opacity, 0, 100));
}

void PanelController::UpdateGridSize() { ShowGridSize(settings_->GridSize()); }

void PanelController::UpdateColors() {
    view_.ShowColor(PanelColorBox::Lines, ColorEntryFor(settings_->LinesColor()), settings_->LinesColor());
    view_.ShowColor(PanelColorBox::Values, ColorEntryFor(settings_->ValuesColor()), settings_->ValuesColor());
    // The lines' width, halo and labels tell the panel as the colours do.
    ShowLineWidth();
    view_.ShowHalo(settings_->Halo());
    view_.ShowColor(PanelColorBox::Halo, HaloEntryFor(settings_->HaloColor()), settings_->HaloColor());
    view_.SelectListItem(PanelList::LabelSize, LabelSizeEntryFor(settings_->LabelSize()));
}

void PanelController::UpdateLook() {
    const std::int32_t look = settings_->LookMode();
    if (look >= 0 && look < settings_->LookCount()) view_.SelectListItem(PanelList::Look, look);
}

void PanelController::UpdateOrientation() {
    const std::int32_t orient = settings_->OrientMode();
    view_.SelectListItem(PanelList::Orientation, orient >= 0 && orient < kOrientCount ? orient : -1);
}

void PanelController::UpdateLock() {
    const bool widthLeads = settings_->LockWidth();
    view_.ShowLock(widthLeads, settings_->Lock());
    // A switched choice shows the other dimension, as its click would.
    if (std::exchange(widthLeadsShown_, widthLeads) != widthLeads) ShowSize(Leading());
}

void PanelController::UpdateSnapTo() {
    widthLeadsShown_ = settings_->LockWidth();
    view_.ShowLock(widthLeadsShown_, settings_->Lock());
    ShowSize(Leading());
}

void PanelController::UpdateRatio() {
    const double ratio = settings_->Ratio();
    const auto& presets = RatioPresets();
    for (std::size_t i = 0; i < presets.size(); ++i) {
        if (std::fabs(presets[i] - ratio) < kPresetTolerance) {
            view_.SelectListItem(PanelList::Ratio, static_cast<int>(i));
            return;
        }
    }
    // Every run without a preset adds the value again; items stay all run.
    const std::string text = FormatIniReal(ratio, DecimalSeparator());
    view_.SetRatioText(text);
    view_.AddListItem(PanelList::Ratio, text);
}

void PanelController::UpdateSizeField() { ShowSize(Leading()); }

void PanelController::ShowUnits() {
    view_.SelectListItem(PanelList::Units, static_cast<int>(UnitOf(settings_->Units())));
}

// ---- grid field ------------------------------------------------------------

void PanelController::ShowGridSize(std::int32_t value) {
    view_.ShowSpinPosition(PanelSpin::GridSize, gridSize_.MoveTo(value));
    GridSizeEditChange();
}

void PanelController::ApplyGridSize() {
    settings_->SetGridSize(gridSize_.ReadFrom(view_.SpinText(PanelSpin::GridSize)));
    overlay_->RefreshLook();
}

void PanelController::GridSizeEditKeyDown(FieldKey key) {
    // Enter leaves EditsLive as it is: after it, changes apply again only
    // once the field has lost the focus.
    if (key == FieldKey::Enter) {
        ApplyGridSize();
    } else {
        editsLive_ = false;
    }
}

void PanelController::GridSizeEditExit() {
    editsLive_ = true;
    ApplyGridSize();
}

void PanelController::GridSizeEditChange() {
    if (!editsLive_ || inGridChange_) return;
    inGridChange_ = true;
    ApplyGridSize();
    inGridChange_ = false;
}

// ---- the other controls ----------------------------------------------------

void PanelController::RatioComboBoxSelect(int index, const std::string& text) {
    const auto& presets = RatioPresets();
    if (index >= 0 && index < static_cast<int>(presets.size())) {
        settings_->SetRatio(presets[static_cast<std::size_t>(index)]);
    } else if (const std::optional<double> typed = TypedRatio(text, DecimalSeparator())) {
        settings_->SetRatio(*typed);
    }
    overlay_->RefreshLook();
}

void PanelController::RatioComboBoxEnter(int selection, const std::string& selectedItem, const std::string& text) {
    RatioComboBoxSelect(selection >= 0 && selectedItem == text ? selection : -1, text);
}

void PanelController::LockCheckBoxClick(bool checked) {
    settings_->SetLock(checked);
    settings_->ApplyLock();
}

void PanelController::LookComboBoxChange(int index) {
    if (index >= 0 && index < settings_->LookCount()) settings_->SetLookMode(index);
}

void PanelController::OrientationComboBoxChange(int index) {
    if (index >= 0 && index < kOrientCount) settings_->SetOrientMode(index);
}

void PanelController::UnitsComboBoxChange(int index) {
    if (index >= 0 && index < kUnitCount) settings_->SetUnits(index);
}

void PanelController::LinesColorBoxChange(Color color) { settings_->SetLinesColor(color); }

void PanelController::ValuesColorBoxChange(Color color) { settings_->SetValuesColor(color); }

// ---- line width field -----------------------------------------------------

// Rewriting the field while the user types in it would put the caret back at
// its start: it is rewritten only when it shows something else.
void PanelController::ShowLineWidth() {
    const int width = lineWidth_.MoveTo(settings_->LineWidth());
    if (view_.SpinText(PanelSpin::LineWidth) != std::to_string(width)) {
        view_.ShowSpinPosition(PanelSpin::LineWidth, width);
    }
}

void PanelController::LineWidthEditChange() {
    settings_->SetLineWidth(lineWidth_.ReadFrom(view_.SpinText(PanelSpin::LineWidth)));
}

void PanelController::LineWidthEditDone() { ShowLineWidth(); }

void PanelController::HaloCheckBoxClick(bool checked) { settings_->SetHalo(checked); }

void PanelController::HaloColorBoxChange(Color color) { settings_->SetHaloColor(color); }

void PanelController::LabelSizeComboBoxChange(int index) {
    if (const std::optional<std::int32_t> size = LabelSizeOfEntry(index)) settings_->SetLabelSize(*size);
}

void PanelController::OpacityTrackBarChange(int position) { settings_->SetOpacity(position); }

void PanelController::ClickThroughCheckBoxClick(bool checked) { settings_->SetClickThrough(checked); }

void PanelController::FollowCheckBoxClick(bool checked) { settings_->SetFollowPicture(checked); }

// Where the system cannot hide windows from captures the box is greyed; a
// click that reaches it all the same leaves the setting as it is.
void PanelController::CaptureCheckBoxClick(bool checked) {
    if (view_.CaptureHidingAvailable()) settings_->SetHideFromCapture(checked);
    ShowWorkOptions();
}

void PanelController::AdvCheckListBoxClickCheck(const AdvancedChecks& checks) {
    ApplyAdvancedOptions(*settings_, checks);
}

void PanelController::RestoreButtonClick() { settings_->RestoreDefaults(); }

void PanelController::LangComboBoxChange(const std::string& name) { settings_->SetLang(name); }

}  // namespace lumetra
