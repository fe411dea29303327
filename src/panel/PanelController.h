#pragma once
// The settings panel's behaviour without its window: the refresh operations
// through which the settings keep the controls current, and the handlers
// through which the controls change the settings. The window only wires its
// controls to these calls (IPanelView the other way).
//
// Win32 controls set from code fire no handlers, so the refreshes run the
// follow-ups that matter themselves: a moved size field re-applies the
// overlay's size, a moved grid field redraws the overlay, and a switched
// width/height choice shows the new leading dimension. Every such round trip
// ends at a setter that finds its value already stored.
#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/StartWithWindowsBox.h"
#include "panel/PanelFields.h"
#include "panel/PanelView.h"
#include "settings/AppSettings.h"
#include "settings/HotKeyStatus.h"
#include "units/Units.h"

namespace lumetra {

class CalibrationController;
class LangTable;
struct LookLibrary;
class SettingsFile;

class PanelController final : public IPanelSink {
public:
    // looks: the guide files the look list names after the built-in looks;
    // primaryScreenWidth bounds the size field: 0 .. 2 x width.
    PanelController(TSettings& settings, const LookLibrary& looks, LangTable& texts, const SettingsFile& files,
                    IOverlaySink& overlay, IPanelView& view, std::int32_t primaryScreenWidth);

    // The creation sequence: position, opacity, every control from the
    // settings, the language list from the "*.lng" file names beside the
    // program, then the languages and the texts.
    void Start(const std::vector<std::string>& languageFiles);
    // Edits another guide from now on: registers with its settings (and
    // leaves the previous guide's) and shows its values.
    void Rebind(TSettings& settings, IOverlaySink& overlay);

    // Panel notifications of the settings.
    void UpdateOptions() override;
    void UpdateOpacity() override;
    void UpdateGridSize() override;
    void UpdateColors() override;
    void UpdateLook() override;
    void UpdateOrientation() override;
    void UpdateLock() override;
    void UpdateRatio() override;
    void UpdateSizeField() override;
    void ReloadLanguage() override;

    // Which hot keys other programs hold, from the program that registers
    // them; null while it holds none.
    void AttachHotKeys(IHotKeyStatus* status);
    // The hot keys again, once the program has registered them anew.
    void UpdateHotKeys();
    // The per-user Run value behind the start-with-Windows box; null: none
    // (the box is greyed).
    void AttachStartWithWindows(IStartWithWindows* startWithWindows);
    // The box as the value is now, which another program may have changed.
    void UpdateStartWithWindows();

    // The calibration group, which follows the guide edited and shows
    // whether its monitor's size is known with every change of the options.
    void AttachCalibration(CalibrationController* calibration);

    void UpdatePosition();
    void UpdateSnapTo();
    void FillLanguages(const std::vector<std::string>& languageFiles);
    void ApplyLanguage(const std::string& name);
    // The localisation pass.
    void ApplyTexts();
    void RelabelItems(PanelList list);

    // User handlers. SizeEditKeyDown and SizeEditExit throw ConversionError
    // for a text that is not an integer, or NotALengthError for one that is
    // no length while the field shows a unit (below); a text left as the
    // field showed it sets nothing.
    void SizeEditKeyDown(FieldKey key);
    void SizeEditExit();
    void SizeEditChange();
    // The size field's spin buttons or arrow keys, delta device pixels at a
    // step, while the field shows a unit: the spin control would write its
    // position, a pixel count, into the field. False where the field shows
    // device pixels and the spin control steps by itself.
    bool SizeSpinStep(int delta);
    void UnitsComboBoxChange(int index);
    void GridSizeEditKeyDown(FieldKey key);
    void GridSizeEditExit();
    void GridSizeEditChange();
    // A click on the radio button already checked changes nothing: the
    // system reports one when the button only gets the focus.
    void WidthRadioClick();
    void HeightRadioClick();
    // index is the selected item, -1 when the user typed; text is what the
    // box shows (the item's text for a selected item).
    void RatioComboBoxSelect(int index, const std::string& text);
    // Enter in the ratio box: typed text wins over the selection the box
    // still holds unless it reads as the selected item (selection -1: none).
    void RatioComboBoxEnter(int selection, const std::string& selectedItem, const std::string& text);
    void LockCheckBoxClick(bool checked);
    void LookComboBoxChange(int index);
    void OrientationComboBoxChange(int index);
    void LinesColorBoxChange(Color color);
    void ValuesColorBoxChange(Color color);
    // Each typed width applies at once; a text that is no width changes
    // nothing, and Enter or leaving the field shows the width in use again.
    void LineWidthEditChange();
    void LineWidthEditDone();
    void HaloCheckBoxClick(bool checked);
    void HaloColorBoxChange(Color color);
    void LabelSizeComboBoxChange(int index);
    void OpacityTrackBarChange(int position);
    void ClickThroughCheckBoxClick(bool checked);
    void FollowCheckBoxClick(bool checked);
    void CaptureCheckBoxClick(bool checked);
    void StartWithWindowsCheckBoxClick(bool checked);
    // A hot-key control reports every key pressed in it: a combination still
    // without its key is being typed, one that may be no hot key goes back to
    // the hot key in use, with a note that says why until the box is left.
    void HotKeyChange(HotKeyCommand command, HotKey typed);
    // A hot-key box gets or loses the focus: the program's hot keys stand
    // aside meanwhile, and a combination left half typed gives way to the
    // one in use.
    void HotKeyBoxFocus(bool focused);
    // The command has no hot key from now on.
    void HotKeyClear(HotKeyCommand command);
    void AdvCheckListBoxClickCheck(const AdvancedChecks& checks);
    void RestoreButtonClick();
    void LangComboBoxChange(const std::string& name);

    bool EditsLive() const { return editsLive_; }

    // Which guide the panel edits (counting from 1) and how many there are.
    void ShowGuideNumber(int number, int count);
    // The caption names the guide once there are several.
    std::string CaptionText() const;

private:
    char DecimalSeparator() const;
    void ShowGuideValues();
    // The unit the size field shows the leading side in; nothing for device
    // pixels, which per cent keeps as well: the side is always 100 % of itself.
    std::optional<Unit> SizeFieldUnit() const;
    // What the field's text asks for in device pixels: the spin position,
    // taken from the text where it is a length within the spin's range.
    int ReadSize(const std::string& text);
    TypedLength TypedSize(const std::string& text, Unit unit) const;
    // What Enter or leaving the field sets; throws NotALengthError.
    std::int32_t CommittedSize(const std::string& text, Unit unit) const;
    void ShowUnits();
    std::int32_t Leading() const;
    void SetLeading(std::int32_t value);
    void CommitSize();
    void ApplyGridSize();
    void ShowSize(std::int32_t value);
    void ShowGridSize(std::int32_t value);
    void ShowLineWidth();
    void ShowWorkOptions();

    TSettings* settings_;  // the guide being edited
    const LookLibrary& looks_;
    LangTable& texts_;
    const SettingsFile& files_;
    IOverlaySink* overlay_;
    IPanelView& view_;
    IHotKeyStatus* hotKeys_ = nullptr;
    IStartWithWindows* startWithWindows_ = nullptr;
    CalibrationController* calibration_ = nullptr;
    // Per command, the language key of why the combination typed last was
    // refused; empty once one was taken or the box was left.
    std::array<std::string_view, kHotKeyCommandCount> hotKeyRefusals_{};

    SpinField size_;
    // The size field's text as last shown in a unit: it stands for the exact
    // position shown, which reading it back could miss by a pixel.
    std::string shownSize_;
    SpinField gridSize_;
    SpinField lineWidth_;
    bool editsLive_ = true;
    bool widthLeadsShown_ = true;
    std::vector<std::string> languages_;
    // Guards against a field's change running again inside its own setter.
    bool inSizeChange_ = false;
    bool inGridChange_ = false;
    int guideNumber_ = 1;
    int guideCount_ = 1;
};

}  // namespace lumetra
