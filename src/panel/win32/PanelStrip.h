#pragma once
// The panel's caption strip on its window: it paints the strip, turns the
// mouse messages over it into CaptionInteraction's calls and carries out what
// that asks of the window. Hiding the panel and opening the manual stay the
// panel's own.
#include <memory>
#include <string>

#include "panel/PanelCaption.h"
#include "win32/BackBuffer.h"
#include "win32/FrameIcons.h"
#include "win32/Win32.h"

namespace lumetra {

class HintTip;

class IPanelStripOwner {
public:
    virtual ~IPanelStripOwner() = default;
    virtual void HidePanel() = 0;
    virtual void OpenManual() = 0;
};

class PanelStrip final : public ICaptionWindow {
public:
    PanelStrip(IPanelStripOwner& owner, HintTip& hint, HINSTANCE instance);

    // The window is created after the strip, and its buffer after the window.
    void Attach(HWND window, int dpi);
    void CreateBuffer();
    // The window moved to a monitor of another dpi: pictures, buffer and
    // buttons at the new size.
    void SetDpi(int dpi);

    void Paint(HDC dc, const std::string& caption) const;
    // A mouse message over the window, or one it captured: true when the
    // strip took it.
    bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_SETCURSOR over the window's own client area.
    void ShowCursor() const;

    // ICaptionWindow
    Point Position() const override;
    void SetPosition(Point topLeft) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void SetCursor(CaptionCursor cursor) override;
    void SetHintText(const std::string& text) override;
    void ClearHint() override;
    void DrawRightEnd() override;
    void FillButtonFace(Point seed, Color color) override;
    void Hide() override;
    void OpenManual() override;

private:
    bool IsActive() const;
    void DrawRightEndOn(HDC dc) const;

    IPanelStripOwner& owner_;
    HintTip& hint_;
    HINSTANCE instance_;
    FrameIcons icons_;  // the panel's own, at its dpi; the buffer draws with them
    CaptionInteraction caption_;
    HWND window_ = nullptr;
    int dpi_ = kDefaultDpi;
    std::unique_ptr<BackBuffer> buffer_;  // empty: the strip is not painted
    HCURSOR cursor_ = nullptr;            // shared system cursor, never freed
};

}  // namespace lumetra
