#pragma once
// The overlay window: a borderless, topmost, colour-keyed layered window that
// shows the composed picture, follows the settings through IOverlaySink and
// hands mouse, wheel and keyboard to the interaction through IOverlayWindow.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/Links.h"
#include "common/WindowPlace.h"
#include "overlay/input/Interaction.h"
#include "overlay/fit/PictureFit.h"
#include "overlay/fit/FollowPace.h"
#include "overlay/fit/PictureFollower.h"
#include "overlay/fit/SettledCopy.h"
#include "overlay/looks/Lengths.h"
#include "units/Monitors.h"
#include "win32/BackBuffer.h"
#include "win32/FrameIcons.h"
#include "win32/GdiHandles.h"
#include "overlay/win32/GuideHost.h"
#include "win32/HintTip.h"
#include "overlay/win32/Notice.h"
#include "overlay/win32/PanelWindow.h"
#include "overlay/win32/PictureExport.h"
#include "settings/AppSettings.h"

namespace lumetra {

class LangTable;
struct LookLibrary;
class ScreenShot;
class ScreenSurface;
class TFollowTicker;

class TMainForm final : public IOverlaySink, public IOverlayWindow, public IPanelGuide {
public:
    static constexpr wchar_t kClassName[] = L"TLumetraOverlay";

    // Creates, shows and paints the window and registers it with the settings.
    // Every guide after the first is owned by the first: it has no task-bar
    // button of its own and goes to the task bar with the first. Without a
    // host the window is the program's only one. The guides of one program
    // share one ticker for following; without one the window has its own.
    // looks: the guide files a LookMode past the built-in looks stands for;
    // links: what the help button and F1 open.
    TMainForm(HINSTANCE instance, TSettings& settings, const LookLibrary& looks, const LangTable& lang,
              ILinks& links, IGuideHost* host = nullptr, HWND owner = nullptr, TFollowTicker* ticker = nullptr);
    ~TMainForm() override;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;
    TMainForm(TMainForm&&) = delete;
    TMainForm& operator=(TMainForm&&) = delete;

    HWND Handle() const override { return window_.get(); }
    IOverlaySink& Sink() override { return *this; }

    // The tooltip over the caption buttons. Made after the first paint, once
    // the common controls are loaded; until then no hint shows.
    void CreateHint();

    // The panel registers itself once it exists; nullptr unregisters.
    void SetPanel(IPanelWindow* panel) override { panel_ = panel; }

    // IOverlaySink
    void ApplySize() override;
    void ApplyOpacity() override;
    void RefreshLook() override;
    void RefreshOptions() override;
    void RefreshLanguage() override;
    void ApplyPlacement(const GuidePlacement& placed) override;
    LengthScale MeasuringScale(bool alongWidth) const override;

    void ApplyPosition();
    // Shows the settings again after they were replaced as a whole.
    void Reapply();
    // The positions and the panel state, as closing stores them.
    void StoreWindowState();
    // Stops painting, destroys the window and lets go of the settings, which
    // may go before this object.
    void Release();
    // A short message beside the pointer.
    void ShowNotice(const std::string& text);
    // The picture under the guide with the guide on top, into a PNG file
    // without asking; false when it could not be taken or written.
    bool SaveCompositionTo(const std::string& path);
    // Hides the window, or shows it again without taking the focus, where it
    // was when hidden: a window manager may place a window it maps anew. A
    // guide hidden while minimised comes back restored, at its own place.
    void SetShown(bool shown);
    // The window and its caption strip's height, as the user sees them: the
    // restored place while the program is minimised.
    Rect ScreenBounds() const;
    bool Minimised() const;
    // The picture under the guide's centre, for the panel's button: the
    // pointer is on the panel then.
    void FitToPictureAtCentre() override;
    // Marks what this guide shows on the screen, in the mask of a screen
    // image whose top-left corner is origin.
    void MarkDrawn(IgnoreMask& mask, Point origin) const;
    // Marks every guide of the program, or this one alone when it has no
    // host, so neither the fit nor the follower takes a guide for a picture.
    void MarkGuides(IgnoreMask& mask, Point origin) const;
    TSettings& Settings() const { return settings_; }

    // IOverlayWindow
    Point Position() const override;
    void SetPosition(Point topLeft) override;
    int FormWidth() const override;
    int FormHeight() const override;
    int Dpi() const override { return dpi_; }
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void SetFormCursor(CursorShape shape) override;
    void SetCursorOverride(CursorShape shape) override;
    void ClearCursorOverride() override;
    void SetHintText(const std::string& text) override;
    void ClearHintText() override;
    void HideHint() override;
    void DrawButtonStrip() override;
    void FillButtonFace(Point seed, Color color) override;
    void MakeFullyTransparent() override;
    void PaintNow() override;
    void ScheduleRepaint() override;
    void ToggleSettingsPanel() override;
    // Minimises the program as a whole; its task-bar button brings it back.
    void MinimizeApplication() override;
    void CloseOverlay() override;
    void NewGuide() override;
    // The picture under the pointer, else the one under the guide's centre.
    void FitToPicture() override;
    void UndoFit() override;
    // MainFrmFollow.cpp
    void FitAndFollow() override;
    // Following, the guide has lost its picture and waits for it, as its
    // caption shows.
    bool FollowWaiting() const { return mark_.Waiting(); }
    // One tick of the guides' timer: the strips, and a look when due; now
    // in milliseconds.
    void FollowTick(TFollowTicker& ticker, std::uint64_t now);
    void ShellOpen(const std::string& target) override;
    // MainFrmExport.cpp
    void CopyComposition() override;
    void SaveComposition() override;
    void SaveGuideLayer() override;
    void ShowPictureRatio() override;
    // The monitor holding the measured area's centre, with its calibration.
    MonitorFacts MeasuringMonitor() const override;

private:
    template <class Form>
    friend LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UniqueWindow& BoundWindow() { return window_; }
    // The system is destroying the window, and the hint with it.
    void WindowDestroyed() {
        hint_.Forget();
        (void)window_.release();
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleInput(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleSystemKey(WPARAM wParam, LPARAM lParam);

    void FormCreate();
    void FormActivate();
    void FormDeactivate();
    void FormClose();
    void FormResize(WPARAM kind);
    void FormEndSession(bool exit);
    void FormPaint();
    void FormDpiChanged(int dpi);
    // Pictures and back buffer at the dpi from now on; the caller sizes the window.
    void UseDpi(int dpi);
    bool FormSetCursor(LPARAM lParam);
    void ApplyWorkOptions();

    // False when nothing could be painted.
    bool Paint(HDC target);
    // MainFrmExport.cpp: the monitor the measured area's centre is on, and
    // the unit the read-outs take.
    LookUnits MeasuringUnits() const;
    // After a move: on a monitor whose pixels measure otherwise, the guide's
    // read-outs and the panel's size field are shown anew. Nothing to do
    // while the unit is device pixels.
    void FollowMeasuringMonitor();
    // What the exports' pixels measure there, and the resolution a PNG
    // export carries (none unless the unit is physical).
    ExportDensity ExportDensityNow() const;
    std::optional<PngResolution> PngResolutionNow() const;
    void DrawStrip(HDC dc) const;
    RECT Bounds() const;
    HCURSOR CursorFor(CursorShape shape) const;
    // MainFrmFit.cpp
    // follow: the guide keeps to the picture found from now on.
    void FitFrom(POINT searchedMonitor, std::span<const Point> starts, bool follow);
    // MainFrmFollow.cpp
    void StartFollowing(const ScreenRegion& region, const Rect& picture);
    // Starts or stops following as FollowPicture says.
    void SyncFollowing();
    // Lets go of the picture; SyncFollowing takes one again if still asked.
    void StopFollowing();
    void FollowDisplaysChanged();
    void FollowLook(ScreenSurface& surface, const Rect& monitor);
    void ShowFollowing(bool waiting);
    void FollowStateChanged();
    // The guide's measured area on the screen.
    Rect MeasuredArea() const;
    // Whether the copy shows this window where and as it was last drawn.
    GuideInCopy ShownInCopy(const ScreenShot& shot) const;
    Point MeasuredCentre() const;
    // Size, ratio and place in one move and one paint.
    void Place(const GuidePlacement& placement) { settings_.SetPlacement(placement); }
    // MainFrmExport.cpp: the guide's measured area as drawn, rows of its width.
    std::vector<std::uint32_t> DrawnArea();
    // The screen there with the drawing on top; empty when it cannot be read.
    std::vector<std::uint32_t> Composition();
    // The save dialog, proposing the look's name and the measured area's
    // size, in the folder used last, which it then remembers.
    std::optional<SaveChoice> AskSave(std::string_view titleKey, const std::vector<SaveFileType>& types);

    HINSTANCE instance_;
    TSettings& settings_;
    const LookLibrary& looks_;
    const LangTable& lang_;
    ILinks& links_;
    OverlayInteraction interaction_;
    IGuideHost* host_;
    IPanelWindow* panel_ = nullptr;
    // The DPI of the monitor the window is on, and the caption strip's
    // pictures at it.
    int dpi_ = kDefaultDpi;
    FrameIcons stripIcons_;
    bool placed_ = false;       // FormCreate has put the window at its place
    bool changingDpi_ = false;  // FormDpiChanged is moving the window
    // Whether the window is the active one, as the last activation message
    // said: what GetActiveWindow would tell, without asking at every paint
    // (under Wine that asks the server, a millisecond while it is busy).
    bool active_ = false;
    // The monitor's measure the read-outs were last shown for, while a unit
    // is shown: set by each paint and each move.
    std::optional<LookUnits> measuredOn_;
    // Shared system cursors: never freed.
    HCURSOR arrowCursor_ = nullptr;
    HCURSOR sizeCursor_ = nullptr;
    HCURSOR handCursor_ = nullptr;
    CursorShape formCursor_ = CursorShape::Arrow;
    std::unique_ptr<BackBuffer> buffer_;  // empty: painting does nothing
    HintTip hint_;                        // owned by the window: destroyed before it
    Notice notice_;
    bool released_ = false;
    WindowPlace place_;
    bool minimised_ = false;          // as the last size message said
    bool hiddenFromCapture_ = false;  // as last asked of the system
    FitUndo fitUndo_;
    CopySettling copySettling_;  // learns whether this system's screen copies show the guides
    PictureFollower follower_;
    FollowMark mark_;
    std::unique_ptr<TFollowTicker> ownTicker_;  // a guide without a program's ticker
    TFollowTicker* ticker_;                     // the program's, or ownTicker_
    UniqueWindow window_;                       // bound at WM_NCCREATE, released at WM_NCDESTROY
};

}  // namespace lumetra
