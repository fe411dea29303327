#pragma once
// The overlay window: a borderless, topmost, colour-keyed layered window that
// shows the composed picture and follows the settings through IOverlaySink.
#include <memory>

#include "overlay/win32/GdiCanvas.h"
#include "overlay/win32/GdiHandles.h"
#include "overlay/win32/PanelWindow.h"
#include "settings/AppSettings.h"

namespace lumetra {

class LangTable;

class TMainForm final : public IOverlaySink {
public:
    static constexpr char kClassName[] = "TLumetraOverlay";
    static constexpr char kTitle[] = "Velmora Lumetra";

    // Creates and shows the window and registers it with the settings.
    TMainForm(HINSTANCE instance, TSettings& settings, const LangTable& lang);
    ~TMainForm() override;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;
    TMainForm(TMainForm&&) = delete;
    TMainForm& operator=(TMainForm&&) = delete;

    HWND Handle() const { return window_.get(); }

    // The panel registers itself once it exists; nullptr unregisters.
    void SetPanel(IPanelWindow* panel) { panel_ = panel; }
    // Lent to the panel for its caption; they live as long as the overlay.
    const FramePictures& Pictures() const { return pictures_; }

    void ApplySize() override;
    void ApplyOpacity() override;
    void RefreshLook() override;
    void RefreshOptions() override;
    void RefreshLanguage() override;

    void ApplyPosition();
    void PaintNow();
    void ScheduleRepaint();
    // Minimises the program as a whole; its task-bar button brings it back.
    void MinimizeApplication();

private:
    static void RegisterWindowClass(HINSTANCE instance);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void FormCreate();
    void FormActivate();
    void FormDeactivate();
    void FormClose();
    void FormPaint();

    void Paint(HDC target);
    bool IsActive() const;
    RECT Bounds() const;

    HINSTANCE instance_;
    TSettings& settings_;
    const LangTable& lang_;
    IPanelWindow* panel_ = nullptr;
    FramePictures pictures_;
    std::unique_ptr<BackBuffer> buffer_;  // empty: painting does nothing
    UniqueWindow window_;                 // bound at WM_NCCREATE, released at WM_NCDESTROY
};

}  // namespace lumetra
