#include "win32/MonitorSize.h"

#include <setupapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "win32/GdiHandles.h"
#include "win32/SystemLibrary.h"
#include "win32/WideText.h"
#include "win32/WindowDpi.h"

namespace lumetra {
namespace {

// A monitor's EDID is a few blocks of 128 bytes; a value longer than this
// is no EDID.
constexpr DWORD kLongestEdid = 32 * 1024;

// SetupAPI, loaded the first time a monitor is asked about: a program that
// reads out device pixels never loads it.
struct SetupApi {
    using CreateList = HDEVINFO(WINAPI*)(const GUID*, HWND);
    using DestroyList = BOOL(WINAPI*)(HDEVINFO);
    using OpenInterface = BOOL(WINAPI*)(HDEVINFO, PCWSTR, DWORD, PSP_DEVICE_INTERFACE_DATA);
    using InterfaceDetail = BOOL(WINAPI*)(HDEVINFO, PSP_DEVICE_INTERFACE_DATA, PSP_DEVICE_INTERFACE_DETAIL_DATA_W,
                                          DWORD, PDWORD, PSP_DEVINFO_DATA);
    using OpenDeviceKey = HKEY(WINAPI*)(HDEVINFO, PSP_DEVINFO_DATA, DWORD, DWORD, DWORD, REGSAM);

    UniqueLibrary library = LoadSystemLibrary(L"setupapi.dll");
    CreateList createList = LibraryEntry<CreateList>(library, "SetupDiCreateDeviceInfoList");
    DestroyList destroyList = LibraryEntry<DestroyList>(library, "SetupDiDestroyDeviceInfoList");
    OpenInterface openInterface = LibraryEntry<OpenInterface>(library, "SetupDiOpenDeviceInterfaceW");
    InterfaceDetail interfaceDetail = LibraryEntry<InterfaceDetail>(library, "SetupDiGetDeviceInterfaceDetailW");
    OpenDeviceKey openDeviceKey = LibraryEntry<OpenDeviceKey>(library, "SetupDiOpenDevRegKey");

    bool Complete() const { return createList && destroyList && openInterface && interfaceDetail && openDeviceKey; }
};

const SetupApi& Setup() {
    static const SetupApi api;
    return api;
}

struct DeviceInfoListTraits {
    using Handle = HDEVINFO;
    static HDEVINFO Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HDEVINFO list) noexcept { Setup().destroyList(list); }
};
using UniqueDeviceInfoList = UniqueHandle<DeviceInfoListTraits>;

// The device interface path of the first active monitor on the display
// `device` ("\\.\DISPLAY1"), the link between GDI and SetupAPI; empty when
// the system names none.
std::wstring MonitorInterfacePath(const wchar_t* device) {
    DISPLAY_DEVICEW monitor{};
    monitor.cb = sizeof(monitor);
    for (DWORD i = 0; ::EnumDisplayDevicesW(device, i, &monitor, EDD_GET_DEVICE_INTERFACE_NAME); ++i) {
        if ((monitor.StateFlags & DISPLAY_DEVICE_ACTIVE) != 0 && monitor.DeviceID[0] != L'\0') {
            return monitor.DeviceID;
        }
        monitor = {};
        monitor.cb = sizeof(monitor);
    }
    return {};
}

// The "EDID" value of the monitor's hardware key; empty when there is none.
std::vector<std::uint8_t> EdidOf(const std::wstring& interfacePath) {
    const SetupApi& api = Setup();
    if (interfacePath.empty() || !api.Complete()) return {};
    // Of no setup class: the path alone, of GUID_DEVINTERFACE_MONITOR, names the device.
    const UniqueDeviceInfoList list(api.createList(nullptr, nullptr));
    if (!list) return {};
    SP_DEVICE_INTERFACE_DATA monitorInterface{};
    monitorInterface.cbSize = sizeof(monitorInterface);
    if (!api.openInterface(list.get(), interfacePath.c_str(), 0, &monitorInterface)) return {};
    DWORD detailSize = 0;
    api.interfaceDetail(list.get(), &monitorInterface, nullptr, 0, &detailSize, nullptr);
    if (detailSize < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return {};
    // DWORDs, so the detail's own alignment holds.
    std::vector<DWORD> detailBuffer(detailSize / sizeof(DWORD) + 1);
    auto* const detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(detailBuffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    SP_DEVINFO_DATA deviceInfo{};
    deviceInfo.cbSize = sizeof(deviceInfo);
    if (!api.interfaceDetail(list.get(), &monitorInterface, detail,
                             static_cast<DWORD>(detailBuffer.size() * sizeof(DWORD)), nullptr, &deviceInfo)) {
        return {};
    }
    const HKEY opened = api.openDeviceKey(list.get(), &deviceInfo, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    // Failure is INVALID_HANDLE_VALUE here, not null.
    if (opened == nullptr || opened == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE)) return {};
    const UniqueHandle<RegistryKeyTraits> key(opened);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), L"EDID", nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size == 0 || size > kLongestEdid) {
        return {};
    }
    std::vector<std::uint8_t> edid(size);
    if (::RegQueryValueExW(key.get(), L"EDID", nullptr, &type, edid.data(), &size) != ERROR_SUCCESS) return {};
    edid.resize(size);
    return edid;
}

// A DC of the display itself: its sizes are that monitor's, in millimetres.
std::optional<MillimetreSize> SystemSize(const wchar_t* device) {
    const UniqueDisplayDc display(::CreateDCW(L"DISPLAY", device, nullptr, nullptr));
    if (!display) return std::nullopt;
    const int width = ::GetDeviceCaps(display.get(), HORZSIZE);
    const int height = ::GetDeviceCaps(display.get(), VERTSIZE);
    if (width <= 0 || height <= 0) return std::nullopt;
    return MillimetreSize{width, height};
}

MonitorFacts AskAbout(const MONITORINFOEXW& info, std::int32_t dpi) {
    MonitorFacts facts;
    facts.dpi = dpi;
    facts.pixels = {info.rcMonitor.right - info.rcMonitor.left, info.rcMonitor.bottom - info.rcMonitor.top};
    facts.systemSize = SystemSize(info.szDevice);
    const std::wstring path = MonitorInterfacePath(info.szDevice);
    const std::vector<std::uint8_t> bytes = EdidOf(path);
    const std::optional<EdidInfo> edid = ReadEdid(bytes);
    if (edid) facts.edidSize = edid->size;
    facts.identity = MonitorIdentity(edid ? std::optional(edid->identity) : std::nullopt, Utf8(path));
    return facts;
}

MonitorFactsCache& Cache() {
    static MonitorFactsCache cache;
    return cache;
}

}  // namespace

MonitorFacts MonitorFactsAt(POINT point, const Calibrations& calibrations) {
    const HMONITOR monitor = ::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    const std::int32_t dpi = MonitorDpi(monitor);
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info)) {
        MonitorFacts facts;
        facts.dpi = dpi;
        return facts;
    }
    const RECT& r = info.rcMonitor;
    MonitorKey key{Utf8(info.szDevice), Rect{r.left, r.top, r.right, r.bottom}, dpi};
    const MonitorFacts* known = Cache().Find(key);
    MonitorFacts facts = known ? *known : Cache().Remember(std::move(key), AskAbout(info, dpi));
    if (const auto calibration = calibrations.find(facts.identity); calibration != calibrations.end()) {
        facts.calibration = calibration->second;
    }
    return facts;
}

void ForgetMonitorFacts() { Cache().Forget(); }

}  // namespace lumetra
