#pragma once
// The program's one dealing with the desktop shell: open a document or a web
// address with whatever the shell associates with it, and fall back to the
// file explorer when the shell refuses. Never reports failure.
#include <string>

#include "common/Shell.h"

namespace lumetra {

void ShellOpen(IShell& shell, const std::string& target);
// ShellOpen of base followed directly by tail, no separator added.
void ShellOpenJoined(IShell& shell, const std::string& base, const std::string& tail);

}  // namespace lumetra
