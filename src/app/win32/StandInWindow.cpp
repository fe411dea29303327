#include "app/win32/StandInWindow.h"

#include <stdexcept>
#include <utility>

#include "app/Startup.h"
#include "app/win32/ErrorBox.h"
#include "app/win32/Resources.h"
#include "settings/AppSettings.h"

namespace lumetra {

namespace {

constexpr const char* kClassName = "LumetraStandIn";
constexpr COLORREF kKeyColor = RGB(254, 0, 254);
constexpr int kCaptionHeight = 16;

enum Picture { TlCorner, Caption, TrCorner, BrCorner, TlCornerS, TrCorner2, AppIcon };

struct PictureSpec {
    const char* name;
    int width;
    int height;
};

constexpr PictureSpec kPictures[] = {
    {"ZTLCORNER", 16, 16}, {"ZCAPTION", 32, 16},   {"ZTRCORNER", 64, 16}, {"ZBRCORNER", 24, 24},
    {"ZTLCORNERS", 16, 16}, {"ZTRCORNER2", 37, 16}, {kAppIconName, 32, 32},
};

// BeginPaint and its EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_ = nullptr;
};

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    // A second window of the class may register again; that failure is harmless.
    RegisterClassExA(&windowClass);
}

}  // namespace

StandInWindow::Icon::Icon(HINSTANCE instance, const char* name, int width, int height)
    : icon_(static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, width, height, LR_DEFAULTCOLOR))) {}

StandInWindow::Icon::~Icon() {
    if (icon_) DestroyIcon(icon_);
}

StandInWindow::Icon::Icon(Icon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}

StandInWindow::Icon& StandInWindow::Icon::operator=(Icon&& other) noexcept {
    std::swap(icon_, other.icon_);
    return *this;
}

void StandInWindow::Icon::Draw(HDC dc, int x, int y) const {
    // A picture that failed to load is simply not drawn.
    if (icon_) DrawIconEx(dc, x, y, icon_, 0, 0, 0, nullptr, DI_NORMAL);
}

StandInWindow::StandInWindow(HINSTANCE instance, TSettings& settings, const LangTable& /*lang*/)
    : settings_(settings) {
    for (std::size_t i = 0; i < pictures_.size(); ++i)
        pictures_[i] = Icon(instance, kPictures[i].name, kPictures[i].width, kPictures[i].height);

    RegisterWindowClass(instance, &StandInWindow::WindowProc);
    const int width = settings.Width() + 2 * settings.Border();
    const int height = settings.Height() + 2 * settings.Border() + kCaptionHeight;
    // WindowProc binds this object to the window at WM_NCCREATE.
    handle_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_LAYERED, kClassName, kProgramTitle,
                              WS_POPUP | WS_VISIBLE, settings.X(), settings.Y(), width, height,
                              nullptr, nullptr, instance, this);
    if (!handle_) throw std::runtime_error("Cannot create the main window");
    SetLayeredWindowAttributes(handle_, kKeyColor, 0, LWA_COLORKEY);
}

StandInWindow::~StandInWindow() {
    if (handle_) DestroyWindow(handle_);
}

LRESULT CALLBACK StandInWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<StandInWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<StandInWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
        return 0;
    }
}

LRESULT StandInWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        FormPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_CLOSE:
        FormClose();
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        handle_ = nullptr;
        return 0;
    default:
        return DefWindowProcA(handle_, message, wParam, lParam);
    }
}

void StandInWindow::FormPaint() {
    const PaintScope paint(handle_);
    const HDC dc = paint.Dc();
    RECT client;
    GetClientRect(handle_, &client);
    // The stock DC brush takes any colour without a brush of our own to free.
    SetDCBrushColor(dc, kKeyColor);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));

    const int width = client.right;
    pictures_[TlCorner].Draw(dc, 0, 0);
    for (int x = 16;; x += 32) {
        pictures_[Caption].Draw(dc, x, 0);
        if (x + 32 > width - 64) break;
    }
    pictures_[TrCorner].Draw(dc, width - 64, 0);
    pictures_[BrCorner].Draw(dc, width - 24, client.bottom - 24);

    // The settings panel's strip and the application icon, for a look at them.
    const int stripWidth = 173;
    pictures_[TlCornerS].Draw(dc, 0, 40);
    for (int x = 16; x <= stripWidth - 37; x += 32) pictures_[Caption].Draw(dc, x, 40);
    pictures_[TrCorner2].Draw(dc, stripWidth - 37, 40);
    pictures_[AppIcon].Draw(dc, 0, 64);
}

void StandInWindow::FormClose() {
    RECT bounds;
    if (GetWindowRect(handle_, &bounds)) settings_.StoreOverlayPosition(bounds.left, bounds.top);
    DestroyWindow(handle_);
    PostQuitMessage(0);
}

}  // namespace lumetra
