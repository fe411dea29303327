#include "overlay/win32/MainFrm.h"

#include <cstdint>
#include <optional>
#include <stdexcept>

#include "Version.h"  // generated in the build from cmake/Version.h.in
#include "common/SessionEnd.h"
#include "overlay/compose/Compose.h"
#include "overlay/looks/Looks.h"
#include "win32/ApplicationCursor.h"
#include "win32/FormProcedure.h"
#include "win32/MonitorSize.h"
#include "win32/ButtonFace.h"
#include "win32/CaptureExclusion.h"
#include "win32/WindowDpi.h"
#include "overlay/win32/FollowTicker.h"
#include "overlay/win32/InputMapping.h"

namespace lumetra {
namespace {

// Posted by the guide's own close button, so the handler that asked
// finishes before the window goes.
constexpr UINT kCloseGuideMessage = WM_APP + 1;

COLORREF ToColorRef(Color color) { return static_cast<COLORREF>(color); }

MouseButton ButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: return MouseButton::Left;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return MouseButton::Right;
        default: return MouseButton::Middle;
    }
}

}  // namespace

TMainForm::TMainForm(HINSTANCE instance, TSettings& settings, const LookLibrary& looks, const LangTable& lang,
                     ILinks& links, IGuideHost* host, HWND owner, TFollowTicker* ticker)
    : instance_(instance),
      settings_(settings),
      looks_(looks),
      lang_(lang),
      links_(links),
      interaction_(settings, lang, *this),
      host_(host),
      ownTicker_(ticker == nullptr ? std::make_unique<TFollowTicker>(instance) : nullptr),
      ticker_(ticker == nullptr ? ownTicker_.get() : ticker) {
    // The arrow is a shared system cursor: never freed.
    RegisterFormClass<TMainForm>(instance, kClassName, ::LoadCursor(nullptr, IDC_ARROW));
    // The monitor the window is going to: its strip is drawn at that DPI
    // from the first paint.
    const FrameSize frame = OverlayFrameSize(settings_);
    dpi_ = DpiAt(RECT{settings_.X(), settings_.Y(), settings_.X() + frame.width, settings_.Y() + frame.height});
    // Created at 0 x 0 and shown at once; FormCreate (WM_CREATE) applies the
    // opacity, position and size before the window first appears.
    const DWORD taskBar = owner == nullptr ? WS_EX_APPWINDOW : 0;
    const HWND window = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_LAYERED | taskBar, kClassName, kProductNameWide,
                                          WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, owner, nullptr, instance, this);
    if (window == nullptr) {
        settings_.SetOverlay(nullptr);
        throw std::runtime_error("Unable to create the overlay window");
    }
    // Painted through the paint message before the settings panel is built,
    // so the picture is on the screen by then. Activation has usually done
    // so already; a window shown without it has not.
    ::UpdateWindow(window);
}

TMainForm::~TMainForm() {
    ticker_->Remove(*this);
    // A released guide's settings may be gone already.
    if (released_) return;
    settings_.SetOverlay(nullptr);
    hint_.Destroy();
    window_.reset();  // handlers still find every member alive
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_.get();
    if (HandleInput(message, wParam, lParam)) return 0;
    switch (message) {
        case WM_CREATE: FormCreate(); return 0;
        case WM_ACTIVATEAPP:
            if (wParam != FALSE)
                FormActivate();
            else
                FormDeactivate();
            return 0;
        case WM_ACTIVATE:
            active_ = LOWORD(wParam) != WA_INACTIVE;
            if (!active_) {
                FormDeactivate();
                return 0;
            }
            if (host_ != nullptr) host_->GuideActivated(*this);
            FormActivate();
            return 0;
        case WM_ERASEBKGND: return 1;  // the paint covers every pixel; erasing would flicker
        case WM_PAINT: FormPaint(); return 0;
        case WM_CLOSE:
            // A close from outside, or Alt+F4: the program ends, every guide kept.
            if (host_ != nullptr)
                host_->EndProgram();
            else
                FormClose();
            return 0;
        case kCloseGuideMessage:
            if (host_ != nullptr)
                host_->CloseGuide(*this);
            else
                FormClose();
            return 0;
        case WM_TIMER:
            if (wParam == kNoticeTimer) notice_.Hide();
            return 0;
        case WM_MOVE:
            place_.Moved(Position(), ::IsIconic(window) != FALSE);
            FollowMeasuringMonitor();
            return 0;
        case WM_SIZE: FormResize(wParam); return 0;
        case WM_DISPLAYCHANGE:
            // A monitor may have come, gone or changed its mode.
            ForgetMonitorFacts();
            if (host_ != nullptr) host_->DisplaysChanged();
            FollowDisplaysChanged();
            return 0;
        case WM_DPICHANGED:
            ForgetMonitorFacts();
            FormDpiChanged(HIWORD(wParam));
            return 0;
        case WM_SETTINGCHANGE:
            // The task bar moved or grew: the work areas are new.
            if (wParam == SPI_SETWORKAREA && host_ != nullptr) host_->DisplaysChanged();
            return ::DefWindowProcW(window, message, wParam, lParam);
        case WM_ENDSESSION: {
            const SessionEnd end = SessionEndOf(wParam != FALSE, static_cast<std::uint32_t>(lParam));
            if (end != SessionEnd::Cancelled) FormEndSession(end == SessionEnd::SaveAndExit);
            return 0;
        }
        case WM_SETCURSOR:
            if (FormSetCursor(lParam)) return TRUE;
            return ::DefWindowProcW(window, message, wParam, lParam);
        case WM_CAPTURECHANGED:
            // Our own SetCapture and ReleaseCapture report here too.
            if (reinterpret_cast<HWND>(lParam) != window) interaction_.CaptureLost();
            return 0;
        default: return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

// Mouse, wheel and keys go to the interaction; true when the message is done.
bool TMainForm::HandleInput(UINT message, WPARAM wParam, LPARAM lParam) {
    const Point at = ClientPoint(lParam);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: interaction_.FormMouseDown(ButtonOf(message), MouseState(wParam), at.x, at.y); return true;
        case WM_MOUSEMOVE:
            if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) interaction_.ButtonsUp();
            interaction_.FormMouseMove(at.x, at.y);
            return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: interaction_.FormMouseUp(at.x, at.y); return true;
        case WM_MOUSEWHEEL:
            // lParam holds screen coordinates here; the interaction needs none.
            interaction_.FormMouseWheel(MouseState(GET_KEYSTATE_WPARAM(wParam)), GET_WHEEL_DELTA_WPARAM(wParam));
            return true;
        case WM_KEYDOWN: interaction_.FormKeyDown(KeyFromCode(wParam), KeyboardState()); return true;
        case WM_KEYUP: interaction_.FormKeyUp(KeyFromCode(wParam)); return true;
        case WM_SYSKEYDOWN: return HandleSystemKey(wParam, lParam);
        case WM_SYSKEYUP: interaction_.FormKeyUp(KeyFromCode(wParam)); return false;  // the system still sees Alt go up
        case WM_SYSCHAR: return true;  // no menu to reach with Alt and a letter: no beep
        default: return false;
    }
}

// Keys pressed with Alt (and F10) arrive as system keys. The overlay's keys
// act as without Alt, except that Alt+F4 stays the system's close command;
// the rest goes to the system.
bool TMainForm::HandleSystemKey(WPARAM wParam, LPARAM lParam) {
    const VirtualKey key = KeyFromCode(wParam);
    const bool altHeld = (lParam & (LPARAM{1} << 29)) != 0;
    if (key == VirtualKey::Other || (key == VirtualKey::F4 && altHeld)) return false;
    interaction_.FormKeyDown(key, KeyboardState());
    return true;
}

bool TMainForm::FormSetCursor(LPARAM lParam) {
    if (ShowApplicationCursor()) return true;
    if (LOWORD(lParam) != HTCLIENT) return false;
    ::SetCursor(CursorFor(formCursor_));
    return true;
}

void TMainForm::FormCreate() {
    settings_.SetOverlay(this);
    stripIcons_ = FrameIcons::Load(instance_, dpi_);
    arrowCursor_ = ::LoadCursor(nullptr, IDC_ARROW);
    sizeCursor_ = ::LoadCursor(nullptr, IDC_SIZENWSE);
    handCursor_ = ::LoadCursor(nullptr, IDC_HAND);
    // Nothing shows until opacity and size are applied below.
    ::SetLayeredWindowAttributes(window_.get(), ToColorRef(kOverlayKeyColor), 0, LWA_COLORKEY | LWA_ALPHA);
    // As large as the guide, growing with it: sixteen guides on two 4K
    // monitors would hold a gigabyte at the desktop's size each.
    const FrameSize frame = OverlayFrameSize(settings_, dpi_);
    buffer_ = BackBuffer::Create(frame.width, frame.height, stripIcons_);
    ApplyOpacity();
    RefreshLanguage();
    RefreshLook();
    ApplyPosition();
    // Now at its place, the window tells its monitor's DPI itself; the
    // settings' X and Y stay its top-left corner.
    if (const int dpi = WindowDpi(window_.get()); dpi != dpi_) UseDpi(dpi);
    placed_ = true;
    ApplySize();
    RefreshOptions();
}

// A guide measures device pixels: on a monitor of another DPI its measured
// area keeps its size and its place on the screen, and only the caption
// strip above it changes. So the suggested rectangle, the window scaled as a
// whole, is not taken; the window's top moves by the strip's change instead.
void TMainForm::FormDpiChanged(int dpi) {
    if (dpi <= 0 || dpi == dpi_) return;
    if (!placed_) {
        // Still being placed: the settings' X and Y are its top-left corner.
        UseDpi(dpi);
        return;
    }
    // Moving the window below may change its monitor's DPI once more; the
    // rectangle is chosen so that it does not, and a change that still
    // comes is left to the next move rather than answered within this one.
    if (changingDpi_) return;
    changingDpi_ = true;
    const RECT bounds = Bounds();
    const Rect placed =
        GuideRectForDpi({bounds.left, bounds.top, bounds.right, bounds.bottom}, dpi_, dpi, [](const Rect& r) {
            return DpiAt(RECT{r.left, r.top, r.right, r.bottom});
        });
    UseDpi(dpi);
    interaction_.TopMoved(placed.top - bounds.top);
    const FrameSize frame = OverlayFrameSize(settings_, dpi_);
    ::SetWindowPos(window_.get(), nullptr, placed.left, placed.top, frame.width, frame.height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    changingDpi_ = false;
    const WindowDc dc(window_.get());
    if (dc && Paint(dc.get())) ::ValidateRect(window_.get(), nullptr);
}

void TMainForm::UseDpi(int dpi) {
    dpi_ = dpi;
    hint_.SetDpi(dpi_);
    notice_.SetDpi(dpi_);
    // The old buffer draws with the old pictures: it goes first.
    buffer_.reset();
    stripIcons_ = FrameIcons::Load(instance_, dpi_);
    const FrameSize frame = OverlayFrameSize(settings_, dpi_);
    buffer_ = BackBuffer::Create(frame.width, frame.height, stripIcons_);
}

void TMainForm::CreateHint() {
    hint_ = HintTip::Create(instance_, window_.get());
    hint_.Activate(settings_.ShowHints());
    if (hiddenFromCapture_) SetCaptureExclusion(hint_.Handle(), true);
}

void TMainForm::FormActivate() {
    // Back to the top of the topmost band, bounds unchanged. A further guide
    // does so without taking the activation: the program's activation
    // reaches every guide, and only the one the user chose is to be active.
    const RECT bounds = Bounds();
    ::SetWindowPos(window_.get(), HWND_TOPMOST, bounds.left, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, ::GetWindow(window_.get(), GW_OWNER) != nullptr ? SWP_NOACTIVATE : 0);
    if (panel_ != nullptr) panel_->ScheduleRepaint();
    // The caption colour shows the activation. Painted through the paint
    // message, which also hands the picture to the screen at once.
    ::RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ApplyOpacity();
    ScheduleRepaint();
}

void TMainForm::FormDeactivate() {
    if (panel_ != nullptr) panel_->ScheduleRepaint();
    ClearApplicationCursor();
    ApplyOpacity();
    ScheduleRepaint();
}

// Coming back from the task bar, the guides may find the monitors changed.
void TMainForm::FormResize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED) {
        minimised_ = true;
    } else if (minimised_ && kind == SIZE_RESTORED) {
        minimised_ = false;
        if (host_ != nullptr) host_->DisplaysChanged();
    }
}

void TMainForm::StoreWindowState() {
    const Point at = place_.Restored();
    settings_.StoreOverlayPosition(at.x, at.y);
    if (panel_ != nullptr) {
        const PanelState panel = panel_->State();
        settings_.StorePanelState(panel.left, panel.top, panel.visible, panel.page);
    }
}

void TMainForm::FormClose() {
    StoreWindowState();
    Release();
    ::PostQuitMessage(0);
}

void TMainForm::Release() {
    ticker_->Remove(*this);
    buffer_.reset();  // paints that still arrive do nothing
    settings_.SetOverlay(nullptr);
    hint_.Destroy();
    notice_ = {};  // owned by no window: it would stay on the screen
    window_.reset();
    stripIcons_ = {};
    released_ = true;
}

// Unless the program ends itself, the process ends once this returns; the
// windows stay as they are until then.
void TMainForm::FormEndSession(bool exit) {
    if (host_ != nullptr) {
        host_->SessionEnding(exit);
    } else if (exit) {
        FormClose();
    } else {
        StoreWindowState();
    }
}

void TMainForm::Reapply() {
    ApplyOpacity();
    ApplyPosition();
    ApplySize();
    // Another guide's settings: the picture is the one under the new place.
    StopFollowing();
    RefreshOptions();
    PaintNow();
}

void TMainForm::ShowNotice(const std::string& text) {
    if (!notice_) {
        notice_ = Notice::Create(instance_, window_.get());
        if (hiddenFromCapture_) SetCaptureExclusion(notice_.Handle(), true);
    }
    POINT pointer{};
    ::GetCursorPos(&pointer);
    notice_.Show(text, {pointer.x + 16, pointer.y + 16});
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

bool TMainForm::Paint(HDC target) {
    if (!buffer_) return false;
    const FrameSize frame = OverlayFrameSize(settings_, dpi_);
    if (!buffer_->Resize(frame.width, frame.height)) return false;
    const LookUnits units = MeasuringUnits();
    if (units.unit != Unit::DevicePixels) measuredOn_ = units;
    const GuidePicture picture = GuidePictureOf(settings_, active_, dpi_, mark_.Waiting(), units);
    ComposeBuffer(picture, looks_, lang_, buffer_->canvas());
    buffer_->CopyTo(target, frame.width, frame.height);
    GdiCanvas window(target, &stripIcons_);
    DrawOrientGlyph(window, picture);
    return true;
}

void TMainForm::ApplySize() {
    const FrameSize frame = OverlayFrameSize(settings_, dpi_);
    const RECT bounds = Bounds();
    if (bounds.right - bounds.left == frame.width && bounds.bottom - bounds.top == frame.height) return;
    // The old picture is not kept: it is painted over in full right below.
    ::SetWindowPos(window_.get(), nullptr, 0, 0, frame.width, frame.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    // Each resize step is on the screen before the next mouse event. The
    // whole window is then up to date: the paint the resize asked for would
    // only draw it all again.
    const WindowDc dc(window_.get());
    if (dc && Paint(dc.get())) ::ValidateRect(window_.get(), nullptr);
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

void TMainForm::RefreshOptions() {
    ScheduleRepaint();
    hint_.Activate(settings_.ShowHints());
    ApplyWorkOptions();
    SyncFollowing();
    if (host_ != nullptr) host_->OptionsChanged();
}

// Click-through lets every click and wheel turn pass to the window beneath.
// Where the system cannot keep a window out of captures, the window shows in
// them.
void TMainForm::ApplyWorkOptions() {
    const LONG_PTR style = ::GetWindowLongPtrW(window_.get(), GWL_EXSTYLE);
    const LONG_PTR wanted = settings_.ClickThrough() ? style | WS_EX_TRANSPARENT : style & ~LONG_PTR{WS_EX_TRANSPARENT};
    if (wanted != style) ::SetWindowLongPtrW(window_.get(), GWL_EXSTYLE, wanted);
    const bool hide = settings_.HideFromCapture();
    if (hide == hiddenFromCapture_) return;
    // Kept only where the system took it: refused, the next change asks again.
    if (!SetCaptureExclusion(window_.get(), hide)) return;
    hiddenFromCapture_ = hide;
    SetCaptureExclusion(hint_.Handle(), hide);
    SetCaptureExclusion(notice_.Handle(), hide);
}

// Caption and hint texts are looked up at every paint and hover.
void TMainForm::RefreshLanguage() { RefreshOptions(); }

// The panel and the other guides are owned by the first guide, so they go and
// come back with it.
void TMainForm::MinimizeApplication() {
    if (host_ != nullptr)
        host_->MinimizeAll();
    else
        ::ShowWindow(window_.get(), SW_MINIMIZE);
}

void TMainForm::ToggleSettingsPanel() {
    if (panel_ != nullptr) panel_->ToggleVisible();
}

void TMainForm::CloseOverlay() { ::PostMessageW(window_.get(), kCloseGuideMessage, 0, 0); }

void TMainForm::NewGuide() {
    if (host_ != nullptr) host_->NewGuide(*this);
}

void TMainForm::ShellOpen(const std::string& target) { links_.Open(target); }

void TMainForm::SetShown(bool shown) {
    if (!shown) {
        place_.Hide();
        ::ShowWindow(window_.get(), SW_HIDE);
        return;
    }
    // Restores a minimised window as well, without activating it.
    ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
    if (const std::optional<Point> at = place_.Show()) SetPosition(*at);
}

Rect TMainForm::ScreenBounds() const {
    const Point at = place_.Restored();
    const FrameSize frame = OverlayFrameSize(settings_, dpi_);
    return {at.x, at.y, at.x + frame.width, at.y + frame.height};
}

bool TMainForm::Minimised() const { return ::IsIconic(window_.get()) != FALSE; }

Point TMainForm::Position() const {
    const RECT bounds = Bounds();
    return {bounds.left, bounds.top};
}

void TMainForm::SetPosition(Point topLeft) {
    ::SetWindowPos(window_.get(), nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TMainForm::FormWidth() const {
    const RECT bounds = Bounds();
    return bounds.right - bounds.left;
}

int TMainForm::FormHeight() const {
    const RECT bounds = Bounds();
    return bounds.bottom - bounds.top;
}

void TMainForm::CaptureMouse() { ::SetCapture(window_.get()); }

void TMainForm::ReleaseMouse() {
    // ReleaseCapture would free any window of this thread, the panel's too.
    if (::GetCapture() == window_.get()) ::ReleaseCapture();
}

void TMainForm::SetFormCursor(CursorShape shape) {
    formCursor_ = shape;
    if (!ShowApplicationCursor()) ::SetCursor(CursorFor(shape));
}

void TMainForm::SetCursorOverride(CursorShape shape) { SetApplicationCursor(CursorFor(shape)); }

void TMainForm::ClearCursorOverride() { ClearApplicationCursor(); }

void TMainForm::SetHintText(const std::string& text) { hint_.SetText(text); }

void TMainForm::ClearHintText() { hint_.SetText({}); }

void TMainForm::HideHint() { hint_.Hide(); }

// The picture and the orientation mark, as a paint leaves them in the strip.
void TMainForm::DrawStrip(HDC dc) const {
    GdiCanvas canvas(dc, &stripIcons_);
    canvas.DrawIcon(FrameIcon::TRCorner, CaptionStripAt(dpi_).ButtonStripLeft(FormWidth()), 0);
    DrawOrientGlyph(canvas, GuidePictureOf(settings_, active_, dpi_));
}

// Straight onto the window: the next paint from the back buffer removes it.
void TMainForm::DrawButtonStrip() {
    const WindowDc dc(window_.get());
    if (dc) DrawStrip(dc.get());
}

void TMainForm::FillButtonFace(Point seed, Color color) {
    const CaptionStrip strip = CaptionStripAt(dpi_);
    const int width = FormWidth();
    // The seed is the top-left pixel of a button's face.
    int face = kButtonFaceSize;
    for (std::size_t i = 0; i < kCaptionButtonCount; ++i) {
        const Rect zone = strip.ButtonZone(i, width);
        if (zone.left == seed.x && zone.top == seed.y) face = zone.right - zone.left;
    }
    HighlightButtonFace(
        window_.get(), {strip.ButtonStripLeft(width), 0, width, strip.rows}, seed, color,
        [this](HDC dc) { DrawStrip(dc); }, face);
}

void TMainForm::MakeFullyTransparent() {
    ::SetLayeredWindowAttributes(window_.get(), ToColorRef(kOverlayKeyColor), 0, LWA_COLORKEY | LWA_ALPHA);
}

HCURSOR TMainForm::CursorFor(CursorShape shape) const {
    switch (shape) {
        case CursorShape::SizeNWSE: return sizeCursor_;
        case CursorShape::Hand: return handCursor_;
        case CursorShape::Arrow: break;
    }
    return arrowCursor_;
}

RECT TMainForm::Bounds() const {
    RECT bounds{};
    ::GetWindowRect(window_.get(), &bounds);
    return bounds;
}

}  // namespace lumetra
