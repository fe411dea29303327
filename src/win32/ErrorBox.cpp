#include "win32/ErrorBox.h"

#include "win32/Win32.h"
#include "win32/WideText.h"

#include "Version.h"  // generated in the build from cmake/Version.h.in

namespace lumetra {

void ShowErrorBox(const std::string& text) {
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(kProductName).c_str(), MB_ICONERROR | MB_OK);
}

}  // namespace lumetra
