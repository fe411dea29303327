#include "win32/ErrorBox.h"

#include "win32/Win32.h"

#include "app/Startup.h"

namespace lumetra {

void ShowErrorBox(const std::string& text) { MessageBoxA(nullptr, text.c_str(), kProgramTitle, MB_ICONERROR | MB_OK); }

}  // namespace lumetra
