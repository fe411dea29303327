#pragma once
// Records what the program asks of the desktop shell.
#include <string>
#include <vector>

#include "app/ShellOpen.h"

namespace lumetra::test {

class FakeShell final : public IShell {
public:
    std::intptr_t result = 42;
    std::vector<std::string> opened;
    std::vector<std::string> commandLines;

    std::intptr_t Open(const std::string& target) override {
        opened.push_back(target);
        return result;
    }
    void StartCommandLine(const std::string& commandLine) override { commandLines.push_back(commandLine); }
};

}  // namespace lumetra::test
