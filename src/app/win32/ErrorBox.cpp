#include "app/win32/ErrorBox.h"

#include <windows.h>

#include "app/Startup.h"

namespace lumetra {

void ShowErrorBox(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), kProgramTitle, MB_ICONERROR | MB_OK);
}

}  // namespace lumetra
