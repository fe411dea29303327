#include "app/win32/ProgramShell.h"

#include <shellapi.h>

#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "win32/Resources.h"
#include "app/CommandHandOver.h"
#include "app/win32/SingleInstance.h"
#include "win32/SystemLibrary.h"
#include "win32/WindowDpi.h"
#include "win32/WideText.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "win32/FormProcedure.h"
#include "settings/AppSettings.h"
#include "units/Units.h"

namespace lumetra {
namespace {

constexpr UINT kIconMessage = WM_APP + 3;
constexpr UINT kIconId = 1;
// Menu items are numbered by command, from 1; hot keys by theirs, from 1.
constexpr UINT kFirstMenuId = 1;
// The Units submenu's items, one per unit, clear of the commands.
constexpr UINT kFirstUnitsMenuId = 100;
constexpr int kFirstHotKeyId = 1;

UINT SystemModifiers(std::uint8_t modifiers) {
    UINT held = 0;
    if ((modifiers & kHotKeyCtrl) != 0) held |= MOD_CONTROL;
    if ((modifiers & kHotKeyShift) != 0) held |= MOD_SHIFT;
    if ((modifiers & kHotKeyAlt) != 0) held |= MOD_ALT;
    if ((modifiers & kHotKeyWin) != 0) held |= MOD_WIN;
    return held;
}

// A popup menu, destroyed with its owner object.
struct MenuTraits {
    using Handle = HMENU;
    static void Close(HMENU menu) { ::DestroyMenu(menu); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

using LoadIconScaledFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
using MetricForDpiFunction = int(WINAPI*)(int, UINT);

// The small-icon metric at a DPI; systems with one DPI for every monitor
// know it only at theirs.
int SmallIconMetric(int metric, int dpi) {
    static const auto forDpi = User32Entry<MetricForDpiFunction>("GetSystemMetricsForDpi");
    return forDpi != nullptr ? forDpi(metric, static_cast<UINT>(dpi)) : ::GetSystemMetrics(metric);
}

// The icon at the small size the notification area wants at the main
// display's DPI: the common controls pick the nearest frame (or scale a
// larger one down); systems without that entry get the nearest frame.
UniqueIcon LoadSmallIcon(HINSTANCE instance, const wchar_t* name, int dpi) {
    const int width = SmallIconMetric(SM_CXSMICON, dpi);
    const int height = SmallIconMetric(SM_CYSMICON, dpi);
    const UniqueLibrary controls = LoadSystemLibrary(L"comctl32.dll");
    if (const auto load = LibraryEntry<LoadIconScaledFunction>(controls, "LoadIconWithScaleDown")) {
        HICON icon = nullptr;
        if (SUCCEEDED(load(instance, name, width, height, &icon)) && icon != nullptr) {
            return UniqueIcon(icon);  // ours to destroy, as LoadImage's without LR_SHARED
        }
    }
    return UniqueIcon(static_cast<HICON>(::LoadImageW(instance, name, IMAGE_ICON, width, height, 0)));
}

// The DPI of the main display, where the notification area is.
int MainDisplayDpi() { return DpiAt(RECT{0, 0, 1, 1}); }

NOTIFYICONDATAW IconData(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = kIconId;
    return data;
}

}  // namespace

TProgramShell::TProgramShell(HINSTANCE instance, IProgramCommands& commands, LineCommandRunner lineCommands,
                             const LangTable& lang, const std::string& instanceKey)
    : commands_(commands),
      lineCommands_(std::move(lineCommands)),
      lang_(lang),
      instance_(instance),
      taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {
    LoadIcons();
    if (!ClassRegistered(instance, kClassName)) {
        WNDCLASSEXW windowClass{};
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        RegisterProcedureClass<TProgramShell>(windowClass);
    }
    // A top-level window that never shows: Explorer's restart message goes
    // to top-level windows only. The procedure binds it to window_.
    if (!::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, Wide(instanceKey).c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, instance, this))
        throw std::runtime_error("Unable to create the program's hidden window");
    // A second start may run without the elevation this copy has, and
    // Explorer always does: its restart message and the icon's clicks come
    // from there. Commands handed over as text come as WM_COPYDATA.
    AllowMessage(HandOverMessage());
    AllowMessage(WM_COPYDATA);
    AllowMessage(taskbarCreated_);
    AllowMessage(kIconMessage);
    look_ = TrayLookOf(commands_.State(), lang_, std::size(NOTIFYICONDATAW{}.szTip));
    AddIcon();
}

TProgramShell::~TProgramShell() {
    hotKeys_.Release();
    if (iconShown_) {
        NOTIFYICONDATAW data = IconData(window_.get());
        ::Shell_NotifyIconW(NIM_DELETE, &data);
    }
}

LRESULT TProgramShell::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        const auto index = static_cast<int>(wParam) - kFirstHotKeyId;
        if (index >= 0 && index < static_cast<int>(kHotKeyCommandCount)) {
            commands_.Run(HotKeyAction(static_cast<HotKeyCommand>(index)));
        }
        return 0;
    }
    if (message == kIconMessage) {
        switch (LOWORD(lParam)) {
            case WM_RBUTTONUP:
            case WM_CONTEXTMENU: ShowMenu(); break;
            case WM_LBUTTONDBLCLK: commands_.Run(ProgramCommand::Settings); break;
            default: break;
        }
        return 0;
    }
    if (message == WM_COPYDATA && lParam != 0) return ReceiveCommand(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    if (message == HandOverMessage()) {
        if (const std::optional<ProgramCommand> command = HandOverCommand(wParam)) commands_.Run(*command);
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // Explorer started afresh, without the icon, perhaps at another DPI.
        LoadIcons();
        AddIcon();
        return 0;
    }
    // The main display's scale changed: this window's own DPI message may
    // not come, as it never shows; the display and settings ones do.
    if (message == WM_DPICHANGED || message == WM_DISPLAYCHANGE || message == WM_SETTINGCHANGE) FollowMainDisplayDpi();
    return ::DefWindowProcW(window_.get(), message, wParam, lParam);
}

// Lets a message through the filter that keeps the messages of programs
// with less elevation out; Windows before 7 knows no such call.
void TProgramShell::AllowMessage(UINT message) {
    using FilterEx = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const auto filter = User32Entry<FilterEx>("ChangeWindowMessageFilterEx");
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    if (filter != nullptr && message != 0) filter(window_.get(), message, kAllow, nullptr);
}

void TProgramShell::LoadIcons() {
    iconDpi_ = MainDisplayDpi();
    icon_ = LoadSmallIcon(instance_, kAppIconName, iconDpi_);
    clickThroughIcon_ = LoadSmallIcon(instance_, kClickThroughIconName, iconDpi_);
    waitingIcon_ = LoadSmallIcon(instance_, kWaitingIconName, iconDpi_);
}

void TProgramShell::FollowMainDisplayDpi() {
    if (MainDisplayDpi() == iconDpi_) return;
    // The icon shown keeps its old picture until the new one is handed over.
    UniqueIcon old[] = {std::move(icon_), std::move(clickThroughIcon_), std::move(waitingIcon_)};
    LoadIcons();
    if (!iconShown_) return;
    NOTIFYICONDATAW data = IconLook();
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

NOTIFYICONDATAW TProgramShell::IconLook() const {
    NOTIFYICONDATAW data = IconData(window_.get());
    data.uFlags = NIF_ICON | NIF_TIP;
    data.hIcon = look_.waitingIcon && waitingIcon_             ? waitingIcon_.get()
                 : look_.clickThroughIcon && clickThroughIcon_ ? clickThroughIcon_.get()
                                                               : icon_.get();
    // The tip was cut to the buffer, at a character's end.
    const std::wstring tip = Wide(look_.tip);
    tip.copy(data.szTip, std::size(data.szTip) - 1);
    return data;
}

void TProgramShell::AddIcon() {
    NOTIFYICONDATAW data = IconLook();
    data.uFlags |= NIF_MESSAGE;
    data.uCallbackMessage = kIconMessage;
    iconShown_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE || iconShown_;
}

void TProgramShell::ShowState() {
    const TrayLook look = TrayLookOf(commands_.State(), lang_, std::size(NOTIFYICONDATAW{}.szTip));
    if (look == look_) return;
    look_ = look;
    if (!iconShown_) return;
    NOTIFYICONDATAW data = IconLook();
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TProgramShell::ShowMenu() {
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return;
    const ProgramState state = commands_.State();
    // The Units submenu after Follow; the menu owns it once appended.
    UniqueMenu units(::CreatePopupMenu());
    if (units) {
        UINT id = kFirstUnitsMenuId;
        for (const MenuItem& item : UnitsMenu(state)) {
            const UINT flags = MF_STRING | (item.checked ? MF_CHECKED : 0u);
            ::AppendMenuW(units.get(), flags, id++, Wide(lang_.Text(item.textKey)).c_str());
        }
    }
    for (const MenuItem& item : FullProgramMenu(state)) {
        if (item.command == ProgramCommand::StartWithWindows && units &&
            ::AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(units.get()),
                          Wide(lang_.Text(texts::MTrayUnits)).c_str())) {
            (void)units.release();
        }
        if (item.command == ProgramCommand::Exit) ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        const UINT flags = MF_STRING | (item.checked ? MF_CHECKED : 0u) | (item.enabled ? 0u : MF_GRAYED);
        const std::string text = lang_.Text(item.textKey);
        ::AppendMenuW(menu.get(), flags, kFirstMenuId + static_cast<UINT>(item.command), Wide(text).c_str());
    }
    POINT at{};
    ::GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only while this
    // program is in front.
    ::SetForegroundWindow(window_.get());
    const auto chosen = static_cast<UINT>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                           at.x, at.y, 0, window_.get(), nullptr));
    ::PostMessageW(window_.get(), WM_NULL, 0, 0);
    if (chosen >= kFirstUnitsMenuId && chosen < kFirstUnitsMenuId + kUnitCount) {
        commands_.ChooseUnits(static_cast<std::int32_t>(chosen - kFirstUnitsMenuId));
    } else if (chosen >= kFirstMenuId) {
        commands_.Run(static_cast<ProgramCommand>(chosen - kFirstMenuId));
    }
}

// The block is the sender's and valid only while this message is handled;
// the answer is the message's result, which the sender waits for.
LRESULT TProgramShell::ReceiveCommand(const COPYDATASTRUCT& data) {
    if (data.dwData != kCommandBlockTag || data.lpData == nullptr || data.cbData > kMaxCommandBlock) return 0;
    const std::string_view block(static_cast<const char*>(data.lpData), data.cbData);
    return AnswerCommandBlock(block, lineCommands_);
}

void TProgramShell::ApplyHotKeys(const TSettings& settings) {
    HotKeySet wanted{};
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) wanted[i] = settings.HotKeyFor(static_cast<HotKeyCommand>(i));
    hotKeys_.Apply(wanted);
}

bool TProgramShell::Register(HotKeyCommand command, HotKey hotKey) {
    const int id = kFirstHotKeyId + static_cast<int>(command);
    const UINT modifiers = SystemModifiers(hotKey.modifiers);
    // Held down, a hot key would repeat its command; older systems know no
    // such flag and refuse it.
    return ::RegisterHotKey(window_.get(), id, modifiers | MOD_NOREPEAT, hotKey.key) ||
           ::RegisterHotKey(window_.get(), id, modifiers, hotKey.key);
}

void TProgramShell::Unregister(HotKeyCommand command) {
    ::UnregisterHotKey(window_.get(), kFirstHotKeyId + static_cast<int>(command));
}

}  // namespace lumetra
