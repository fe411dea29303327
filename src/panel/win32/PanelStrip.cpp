#include "panel/win32/PanelStrip.h"

#include <windowsx.h>

#include <algorithm>

#include "lang/LangTable.h"
#include "win32/ButtonFace.h"
#include "win32/FrameIcons.h"
#include "win32/GdiCanvas.h"
#include "win32/GdiHandles.h"
#include "win32/HintTip.h"

namespace lumetra {

PanelStrip::PanelStrip(IPanelStripOwner& owner, HintTip& hint, HINSTANCE instance)
    : owner_(owner), hint_(hint), instance_(instance), caption_(*this, &LangText) {}

void PanelStrip::Attach(HWND window, int dpi) {
    window_ = window;
    dpi_ = dpi;
    icons_ = FrameIcons::Load(instance_, dpi);
    caption_.SetDpi(dpi);
}

void PanelStrip::CreateBuffer() {
    const Point size = {ScaledLength(kPanelWidth, dpi_), ScaledLength(kPanelHeight, dpi_)};
    buffer_ = BackBuffer::Create(size.x, size.y, icons_);
}

void PanelStrip::SetDpi(int dpi) {
    buffer_.reset();  // it draws with the pictures replaced here
    Attach(window_, dpi);
    CreateBuffer();
}

void PanelStrip::Paint(HDC dc, const std::string& caption) const {
    if (!buffer_) return;
    ComposePanelCaption(buffer_->canvas(), caption, IsActive(), dpi_);
    buffer_->CopyTo(dc, ScaledLength(kPanelWidth, dpi_), PanelCaptionHeight(dpi_));
}

bool PanelStrip::HandleMouse(UINT message, WPARAM /*wParam*/, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: caption_.FormMouseDown(x, y); return true;
        case WM_MOUSEMOVE: caption_.FormMouseMove(x, y); return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: caption_.FormMouseUp(x, y); return true;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window_) caption_.CaptureLost();
            return true;
        default: return false;
    }
}

void PanelStrip::ShowCursor() const { ::SetCursor(cursor_ != nullptr ? cursor_ : ::LoadCursor(nullptr, IDC_ARROW)); }

bool PanelStrip::IsActive() const { return ::GetForegroundWindow() == window_; }

Point PanelStrip::Position() const {
    RECT bounds{};
    ::GetWindowRect(window_, &bounds);
    return {bounds.left, bounds.top};
}

void PanelStrip::SetPosition(Point topLeft) {
    ::SetWindowPos(window_, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PanelStrip::CaptureMouse() { ::SetCapture(window_); }

void PanelStrip::ReleaseMouse() { ::ReleaseCapture(); }

void PanelStrip::SetCursor(CaptionCursor cursor) {
    // Shared system cursors: never freed.
    cursor_ = ::LoadCursor(nullptr, cursor == CaptionCursor::Hand ? IDC_HAND : IDC_ARROW);
    ::SetCursor(cursor_);
}

void PanelStrip::SetHintText(const std::string& text) { hint_.SetText(text); }

void PanelStrip::ClearHint() {
    hint_.SetText({});
    hint_.Hide();
}

void PanelStrip::DrawRightEnd() {
    const WindowDc dc(window_);
    if (dc) DrawRightEndOn(dc.get());
}

void PanelStrip::DrawRightEndOn(HDC dc) const {
    GdiCanvas canvas(dc, &icons_);
    canvas.DrawIcon(FrameIcon::TRCorner2, PanelRightEndX(dpi_), 0);
}

void PanelStrip::FillButtonFace(Point seed, Color color) {
    // The scaled face may be a pixel wider than high, or higher than wide.
    const Rect face = PanelButtonFace(CaptionZoneAt(seed.x, seed.y, dpi_), dpi_);
    const int faceSize = std::max(face.right - face.left, face.bottom - face.top);
    HighlightButtonFace(
        window_, {PanelRightEndX(dpi_), 0, ScaledLength(kPanelWidth, dpi_), PanelCaptionHeight(dpi_)}, seed, color,
        [this](HDC dc) { DrawRightEndOn(dc); }, faceSize);
}

void PanelStrip::Hide() { owner_.HidePanel(); }

void PanelStrip::OpenManual() { owner_.OpenManual(); }

}  // namespace lumetra
