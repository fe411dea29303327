#pragma once
// The settings panel: a borderless, topmost, colour-keyed tool window with
// its own caption strip and five pages of controls. It only wires the
// controls: PanelController decides what a control does and what it shows,
// CaptionInteraction what the strip does.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Links.h"
#include "win32/GdiHandles.h"
#include "win32/HintTip.h"
#include "overlay/win32/PanelWindow.h"
#include "panel/CalibrationPanel.h"
#include "panel/PanelController.h"
#include "panel/PanelLayout.h"
#include "panel/PanelLists.h"
#include "panel/PanelView.h"
#include "panel/win32/PanelStrip.h"

namespace lumetra {

class IgnoreMask;
class LangTable;
struct LookLibrary;
class SettingsFile;
class TSettings;

class TSettingsForm final : public IPanelView,
                            public IPanelWindow,
                            public IPanelStripOwner,
                            public ICalibrationView,
                            public IMeasuringMonitor {
public:
    static constexpr wchar_t kClassName[] = L"TLumetraSettings";

    // Creates the window after the overlay, at the DPI of the monitor it
    // shows on, and registers it with the settings and the overlay. Shown
    // when SVisible is on.
    // looks: the guide files the look list names; links: what the help and
    // web buttons open.
    TSettingsForm(HINSTANCE instance, TSettings& settings, const LookLibrary& looks, LangTable& texts,
                  const SettingsFile& files, IPanelGuide& overlay, ILinks& links);
    ~TSettingsForm() override;
    TSettingsForm(const TSettingsForm&) = delete;
    TSettingsForm& operator=(const TSettingsForm&) = delete;
    TSettingsForm(TSettingsForm&&) = delete;
    TSettingsForm& operator=(TSettingsForm&&) = delete;

    HWND Handle() const { return window_.get(); }

    // Edits this guide from now on (number counts from 1).
    void BindGuide(TSettings& settings, IPanelGuide& overlay, int number, int count);
    // Which hot keys other programs hold, from the program that registers
    // them; null while it holds none.
    void AttachHotKeys(IHotKeyStatus* status);
    // The program has registered its hot keys anew.
    void UpdateHotKeys();
    // The Run value behind the start-with-Windows box, read again whenever
    // the panel comes forward; null: none.
    void AttachStartWithWindows(IStartWithWindows* startWithWindows);
    void UpdateStartWithWindows();
    // Shows the panel where it last was, in front and active, with the
    // program back from the task bar first.
    void Present();
    // New guide, Fit and Copy composition act on the guides shown: while the
    // show-or-hide command hides them, they are unavailable, as in the icon's menu.
    void EnableGuideCommands(bool enabled);
    // Marks the panel and its hint where they show over the screen, in the
    // mask of a screen image whose top-left corner is origin.
    void MarkShown(IgnoreMask& mask, Point origin) const;

    // The message loop hands every message here before dispatching it: the
    // panel sees its keys first (F1, F2, F3, Enter in its fields) and gets
    // tab navigation and its default button. True means handled.
    bool PreTranslateMessage(MSG& message);

    // IPanelWindow: what the overlay asks of the panel.
    void UpdateOpacity() override;
    void ScheduleRepaint() override;
    PanelState State() const override;
    void ToggleVisible() override;

    // IPanelView
    void MoveTo(Point topLeft) override;
    void SetText(PanelText target, const std::string& text) override;
    void SetListItem(PanelList list, int index, const std::string& text) override;
    void AddListItem(PanelList list, const std::string& text) override;
    void ClearList(PanelList list) override;
    void SelectListItem(PanelList list, int index) override;
    void SetRatioText(const std::string& text) override;
    std::string SpinText(PanelSpin spin) const override;
    void ShowSpinPosition(PanelSpin spin, int position) override;
    void ShowSpinValue(PanelSpin spin, int position, const std::string& text) override;
    void ShowLock(bool widthLeads, bool lock) override;
    void ShowHalo(bool on) override;
    void ShowClickThrough(bool on) override;
    void ShowFollow(bool on) override;
    void ShowStartWithWindows(const StartWithWindowsBox& box) override;
    void ShowCaptureHiding(bool on, bool available) override;
    bool CaptureHidingAvailable() const override;
    void ExcludeFromCapture(bool excluded) override;
    void ShowHotKey(HotKeyCommand command, HotKey hotKey, const std::string& note) override;
    void ShowColor(PanelColorBox box, int entry, Color color) override;
    void ShowOptions(const AdvancedChecks& checks) override;
    void ShowOpacity(int position) override;
    void SetBlending(std::optional<std::uint8_t> alpha) override;
    void EnableHints(bool on) override;
    void RepaintAll() override;

    // IPanelStripOwner
    void HidePanel() override;
    void OpenManual() override;

    // ICalibrationView
    void ShowCalibration(bool open) override;
    void ShowSizeUnknown(bool unknown) override;
    std::string KnownText(KnownSide side) const override;
    void ShowKnown(KnownSide side, const std::string& text) override;
    // IMeasuringMonitor
    MonitorFacts MeasuringMonitor() const override;

private:
    enum class Id : int;
    // The check list scrolls sideways across this width, at 96 dpi.
    static constexpr int kHorizontalExtent = 280;

    template <class Form>
    friend LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UniqueWindow& BoundWindow() { return window_; }
    // The system is destroying the window, and the hint with it.
    void WindowDestroyed() {
        hint_.Forget();
        (void)window_.release();
    }
    // The check list's clicks and keys, the fields losing the focus, the
    // hot-key controls getting and losing it, and the pointer over the tabs.
    static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclass,
                                        DWORD_PTR self);
    void CheckListInput(UINT message, WPARAM wParam, LPARAM lParam);
    void FieldExit(HWND field, HWND next);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Building the window (SettingsControls.cpp).
    void CreateControls();
    void CreateMainPage(HWND page);
    void CreateLookPage(HWND page);
    void CreateColorsPage(HWND page);
    void CreateAdvancedPage(HWND page);
    void CreateWorkPage(HWND page);
    HWND AddChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, Id id = Id{},
                  DWORD exStyle = 0);
    // The control at its place in the layout.
    HWND AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, PanelControl control,
                    Id id = Id{}, DWORD exStyle = 0);
    HWND AddLabel(HWND parent, const wchar_t* text, PanelControl control, bool bold = false);
    // The layout's place is the closed field; the open list adds rows below it.
    HWND AddCombo(HWND parent, DWORD style, PanelControl control, int rows, Id id);
    // Spin buttons right of their edit, which keeps its place and width.
    HWND AddSpin(HWND parent, HWND buddy, PanelControl control, int minimum, int maximum);

    // Every child at its place for the panel's dpi: at creation and after
    // a move to a monitor of another dpi.
    void PlaceControls();
    void PlaceControl(PanelControl control);
    void LayoutPages();
    // Fonts, pictures, owner-drawn rows and places for a new dpi.
    void ChangeDpi(int dpi, const RECT& suggested);
    void LoadLogo();
    // The parts controls do not scale by their font: owner-drawn rows, the
    // opacity bar's slider, the room round the tabs' captions.
    void SizeControlParts();

    void FormCreate();
    void FormActivate(bool active);
    void FormPaint();
    void FormClose();
    void Show(bool shown);
    bool FormKeyDown(WPARAM key);
    bool FieldKeyDown(HWND target, WPARAM key);
    void FormCommand(int id, int code, HWND control);
    void ButtonClick(Id id, HWND control);
    void ListSelect(Id id);
    void FieldChange(Id id);
    LRESULT FormNotify(const NMHDR& header);
    void PageControlChange();
    void ColorBoxChange(PanelColorBox box);
    void ToggleCheck(int index);
    void ShowPage(int page);
    int ShownPage() const;
    std::vector<std::string> LanguageFiles() const;
    HWND ListHandle(PanelList list) const;
    HWND PickerHandle(PanelColorBox box) const;
    HWND EditHandle(PanelSpin spin) const;
    HWND SpinHandle(PanelSpin spin) const;
    std::optional<HotKeyCommand> HotKeyCommandOf(HWND control) const;
    // The control's text comes from the language.
    void Bind(PanelText target, HWND control);

    HINSTANCE instance_;
    TSettings* settings_;  // the guide being edited
    const SettingsFile& files_;
    IPanelGuide& overlay_;  // the first guide: it owns the panel
    ILinks& links_;
    IPanelGuide* current_;  // the guide being edited
    PanelController controller_;
    CalibrationController calibration_;
    int dpi_ = kDefaultDpi;  // of the monitor the panel is on

    // Freed after the window and its controls, which use them.
    UniqueFont font_;
    UniqueFont boldFont_;
    UniqueIcon logo_;
    PanelStrip strip_;
    HintTip hint_;  // owned by the window: destroyed before it

    // Children, destroyed with the window.
    HWND tabs_ = nullptr;
    std::array<HWND, kPanelPageCount> pages_{};
    std::array<HWND, kPanelTextCount> texts_{};
    HWND body_ = nullptr;
    std::array<HWND, kPanelControlCount> controls_{};  // in PanelControl order
    std::array<int, kPanelControlCount> dropRows_{};   // a combo box's open rows; 0 for others
    HWND sizeEdit_ = nullptr;
    HWND sizeSpin_ = nullptr;
    HWND gridEdit_ = nullptr;
    HWND gridSpin_ = nullptr;
    HWND ratioBox_ = nullptr;
    HWND lookBox_ = nullptr;
    HWND orientationBox_ = nullptr;
    HWND linesColorBox_ = nullptr;
    HWND valuesColorBox_ = nullptr;
    HWND opacityBar_ = nullptr;
    HWND lineWidthEdit_ = nullptr;
    HWND lineWidthSpin_ = nullptr;
    HWND haloColorBox_ = nullptr;
    HWND labelSizeBox_ = nullptr;
    HWND checkList_ = nullptr;
    HWND langBox_ = nullptr;
    HWND knownWidthEdit_ = nullptr;
    HWND knownHeightEdit_ = nullptr;
    bool sizeUnknown_ = false;       // as the calibration group last said
    bool calibrationShown_ = false;  // the group in place of the Advanced page's other controls
    HWND unitsBox_ = nullptr;
    std::array<HWND, kHotKeyCommandCount> hotKeyBoxes_{};  // in HotKeyCommand order
    std::array<HWND, kHotKeyCommandCount> hotKeyNotes_{};
    std::array<HotKey, kHotKeyCommandCount> hotKeysShown_{};  // the Windows key included

    HWND focus_ = nullptr;  // the control to focus when the window is activated
    bool showing_ = false;  // set while the panel writes into its own controls
    // Shown or hidden as the user left it: while the program is minimised the
    // system hides the panel with the overlay, which is no choice of the user.
    bool shown_ = false;
    bool started_ = false;
    bool captureHidingAvailable_ = false;  // the system kept the panel out of captures once
    bool excludedFromCapture_ = false;     // as last granted by the system
    UniqueWindow window_;                  // bound at WM_NCCREATE, released at WM_NCDESTROY
};

}  // namespace lumetra
