#pragma once
// The program's top-level error box: window procedures catch what a handler
// throws and show it here, and the program goes on.
#include <string>

namespace lumetra {

void ShowErrorBox(const std::string& text);

}  // namespace lumetra
