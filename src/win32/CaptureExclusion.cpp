#include "win32/CaptureExclusion.h"

namespace lumetra {
namespace {

constexpr DWORD kFirstExcludingBuild = 19041;  // Windows 10 version 2004

// Earlier systems take WDA_EXCLUDEFROMCAPTURE for WDA_MONITOR, which leaves
// a black box in the capture: not what the user asked for.
bool SystemExcludesFromCapture() {
    static const bool excludes = [] {
        OSVERSIONINFOEXW wanted{};
        wanted.dwOSVersionInfoSize = sizeof wanted;
        wanted.dwMajorVersion = 10;
        wanted.dwBuildNumber = kFirstExcludingBuild;
        constexpr DWORD kParts = VER_MAJORVERSION | VER_MINORVERSION | VER_BUILDNUMBER;
        ULONGLONG condition = ::VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL);
        condition = ::VerSetConditionMask(condition, VER_MINORVERSION, VER_GREATER_EQUAL);
        condition = ::VerSetConditionMask(condition, VER_BUILDNUMBER, VER_GREATER_EQUAL);
        return ::VerifyVersionInfoW(&wanted, kParts, condition) != FALSE;
    }();
    return excludes;
}

}  // namespace

bool SetCaptureExclusion(HWND window, bool excluded) {
    if (window == nullptr || !SystemExcludesFromCapture()) return false;
    return ::SetWindowDisplayAffinity(window, excluded ? WDA_EXCLUDEFROMCAPTURE : WDA_NONE) != FALSE;
}

}  // namespace lumetra
