#include "win32/HintTip.h"

#include <commctrl.h>

#include "win32/SystemLibrary.h"
#include "win32/WideText.h"
#include "win32/WindowDpi.h"

namespace lumetra {
namespace {

constexpr COLORREF kHintBackground = RGB(255, 249, 206);

TOOLINFOW WholeWindowTool(HWND owner, wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    // The tool is the owner itself, so its whole client area; the control
    // watches the owner's mouse messages through its own subclass.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(owner);
    tool.lpszText = text;
    return tool;
}

// The system's metrics as they are at a DPI: asked directly where Windows
// can (10, version 1607 on), else scaled from the system's own DPI.
// SystemParametersInfoForDpi has only the wide form, which fills the wide
// structure.
NONCLIENTMETRICSW MetricsAt(int dpi) {
    using MetricsForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto metricsForDpi = User32Entry<MetricsForDpi>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (metricsForDpi != nullptr && metricsForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfStatusFont.lfHeight = ::MulDiv(metrics.lfStatusFont.lfHeight, dpi, SystemDpi());
    return metrics;
}

}  // namespace

void TipFont::Apply(HWND tip, int dpi) {
    if (tip == nullptr || (!font_ && dpi == SystemDpi())) return;
    const NONCLIENTMETRICSW metrics = MetricsAt(dpi);
    UniqueFont font(::CreateFontIndirectW(&metrics.lfStatusFont));
    if (!font) return;
    ::SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);  // the control no longer uses the old one
}

UniqueWindow CreateTipControl(HINSTANCE instance, HWND owner) {
    UniqueWindow control(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr));
    if (!control) return control;
    // With visual styles, Windows ignores the background colour unless the
    // tip has no theme. The theme library comes with the common controls;
    // linked to the program it would be loaded before the first picture.
    using SetThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const UniqueLibrary themes = LoadSystemLibrary(L"uxtheme.dll");
    if (const auto setTheme = LibraryEntry<SetThemeFunction>(themes, "SetWindowTheme"))
        setTheme(control.get(), L"", L"");
    ::SendMessageW(control.get(), TTM_SETTIPBKCOLOR, kHintBackground, 0);
    return control;
}

HintTip HintTip::Create(HINSTANCE instance, HWND owner) {
    HintTip tip;
    // Owned by the overlay: it stays above it and goes when the overlay goes.
    tip.window_ = CreateTipControl(instance, owner);
    if (!tip.window_) return tip;
    tip.owner_ = owner;
    tip.SetDpi(WindowDpi(owner));
    wchar_t empty[] = L"";
    TOOLINFOW tool = WholeWindowTool(owner, empty);
    ::SendMessageW(tip.window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

void HintTip::SetText(const std::string& text) {
    // Resending the same text on every move would restart the tip.
    if (text == text_) return;
    text_ = text;
    SendText();
}

void HintTip::SendText() {
    if (!window_) return;
    // The control copies the text; the buffer only has to outlive the call.
    std::wstring copy = Wide(text_);
    TOOLINFOW tool = WholeWindowTool(owner_, copy.data());
    ::SendMessageW(window_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void HintTip::Hide() {
    if (window_) ::SendMessageW(window_.get(), TTM_POP, 0, 0);
}

void HintTip::Activate(bool active) {
    if (window_) ::SendMessageW(window_.get(), TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

}  // namespace lumetra
