#include "overlay/win32/MainFrm.h"

#include <exception>
#include <stdexcept>

#include "app/win32/ErrorBox.h"
#include "overlay/Compose.h"

namespace lumetra {
namespace {

COLORREF ToColorRef(Color color) { return static_cast<COLORREF>(color); }

}  // namespace

TMainForm::TMainForm(HINSTANCE instance, TSettings& settings, const LangTable& lang)
    : instance_(instance), settings_(settings), lang_(lang) {
    RegisterWindowClass(instance);
    // Created at 0 x 0 and shown at once; FormCreate (WM_CREATE) applies the
    // opacity, position and size before the window first appears.
    const HWND window = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_APPWINDOW, kClassName,
                                          kTitle, WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, nullptr, nullptr,
                                          instance, this);
    if (window == nullptr) {
        settings_.SetOverlay(nullptr);
        throw std::runtime_error("Unable to create the overlay window");
    }
}

TMainForm::~TMainForm() {
    settings_.SetOverlay(nullptr);
    window_.reset();  // handlers still find every member alive
}

void TMainForm::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    if (::GetClassInfoExA(instance, kClassName, &windowClass)) return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TMainForm::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);  // shared: never freed
    windowClass.hbrBackground = nullptr;  // every pixel comes from the back buffer
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassExA(&windowClass)) throw std::runtime_error("Unable to register the overlay window");
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.reset(window);  // owned from here until WM_NCDESTROY
    }
    auto* self = reinterpret_cast<TMainForm*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    // Unbound, or being destroyed by its owner: nothing of ours runs.
    if (self == nullptr || !self->window_) return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        (void)self->window_.release();  // the system is destroying it already
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    // An error escaping a handler is shown and the program goes on.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    } catch (...) {
        ShowErrorBox("Unknown error");
    }
    return 0;
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_.get();
    switch (message) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_ACTIVATEAPP:
            if (wParam != FALSE) FormActivate(); else FormDeactivate();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) FormActivate(); else FormDeactivate();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel; erasing would flicker
        case WM_PAINT:
            FormPaint();
            return 0;
        case WM_CLOSE:
            FormClose();
            return 0;
        default:
            return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

void TMainForm::FormCreate() {
    settings_.SetOverlay(this);
    pictures_ = FramePictures::Load(instance_);
    // Nothing shows until opacity and size are applied below.
    ::SetLayeredWindowAttributes(window_.get(), ToColorRef(kOverlayKeyColor), 0, LWA_COLORKEY | LWA_ALPHA);
    buffer_ = BackBuffer::Create(::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                 ::GetSystemMetrics(SM_CYVIRTUALSCREEN), pictures_);
    ApplyOpacity();
    RefreshLanguage();
    RefreshLook();
    ApplyPosition();
    ApplySize();
    RefreshOptions();
}

void TMainForm::FormActivate() {
    // Back to the top of the topmost band, bounds unchanged.
    const RECT bounds = Bounds();
    ::SetWindowPos(window_.get(), HWND_TOPMOST, bounds.left, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, 0);
    if (panel_ != nullptr) panel_->ScheduleRepaint();
    PaintNow();  // the caption colour shows the activation
    ApplyOpacity();
    ScheduleRepaint();
}

void TMainForm::FormDeactivate() {
    if (panel_ != nullptr) panel_->ScheduleRepaint();
    ApplyOpacity();
    ScheduleRepaint();
}

void TMainForm::FormClose() {
    const RECT bounds = Bounds();
    settings_.StoreOverlayPosition(bounds.left, bounds.top);
    if (panel_ != nullptr) {
        const PanelState panel = panel_->State();
        settings_.StorePanelState(panel.left, panel.top, panel.visible, panel.page);
    }
    buffer_.reset();  // paints that still arrive do nothing
    settings_.SetOverlay(nullptr);
    window_.reset();
    ::PostQuitMessage(0);
}

void TMainForm::FormPaint() {
    const PaintDc dc(window_.get());
    Paint(dc.get());
}

void TMainForm::PaintNow() {
    const WindowDc dc(window_.get());
    if (dc) Paint(dc.get());
}

void TMainForm::ScheduleRepaint() { ::InvalidateRect(window_.get(), nullptr, FALSE); }

void TMainForm::Paint(HDC target) {
    if (!buffer_) return;
    const FrameSize frame = OverlayFrameSize(settings_);
    if (!buffer_->Resize(frame.width, frame.height)) return;
    ComposeBuffer(settings_, lang_, buffer_->canvas(), IsActive());
    buffer_->CopyTo(target, frame.width, frame.height);
    GdiCanvas window(target, &pictures_);
    DrawOrientGlyph(window, settings_);
}

void TMainForm::ApplySize() {
    const FrameSize frame = OverlayFrameSize(settings_);
    const RECT bounds = Bounds();
    if (bounds.right - bounds.left == frame.width && bounds.bottom - bounds.top == frame.height) return;
    ::SetWindowPos(window_.get(), nullptr, 0, 0, frame.width, frame.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PaintNow();  // each resize step is on the screen before the next mouse event
}

void TMainForm::ApplyOpacity() {
    const std::int32_t opacity = settings_.Opacity();
    const DWORD flags = OpacityBlends(opacity) ? LWA_COLORKEY | LWA_ALPHA : LWA_COLORKEY;
    ::SetLayeredWindowAttributes(window_.get(), ToColorRef(kOverlayKeyColor), OpacityAlpha(opacity), flags);
    if (panel_ != nullptr) panel_->UpdateOpacity();
}

void TMainForm::ApplyPosition() {
    ::SetWindowPos(window_.get(), nullptr, settings_.X(), settings_.Y(), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::RefreshLook() { ScheduleRepaint(); }

// Tooltips over the overlay follow ShowHints once the hover hints exist.
void TMainForm::RefreshOptions() { ScheduleRepaint(); }

// Caption and hint texts are looked up at every paint and hover.
void TMainForm::RefreshLanguage() { RefreshOptions(); }

void TMainForm::MinimizeApplication() { ::ShowWindow(window_.get(), SW_MINIMIZE); }

bool TMainForm::IsActive() const { return ::GetActiveWindow() == window_.get(); }

RECT TMainForm::Bounds() const {
    RECT bounds{};
    ::GetWindowRect(window_.get(), &bounds);
    return bounds;
}

}  // namespace lumetra
