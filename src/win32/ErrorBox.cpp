#include "win32/ErrorBox.h"

#include "win32/Win32.h"
#include "win32/WideText.h"

#include "app/Startup.h"

namespace lumetra {

void ShowErrorBox(const std::string& text) {
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(kProgramTitle).c_str(), MB_ICONERROR | MB_OK);
}

}  // namespace lumetra
