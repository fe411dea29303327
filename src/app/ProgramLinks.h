#pragma once
// The windows' links on the desktop shell: opened by ShellOpen, with its
// fallback, and the web pages followed by the query that counts the days
// since the installation, read at each click.
#include "common/InstallClock.h"
#include "common/Links.h"
#include "common/Shell.h"

namespace lumetra {

class ProgramLinks final : public ILinks {
public:
    ProgramLinks(IShell& shell, const IInstallClock& clock) : shell_(shell), clock_(clock) {}

    void Open(const std::string& target) override;
    void OpenWebPage(WebPage page) override;

private:
    IShell& shell_;
    const IInstallClock& clock_;
};

}  // namespace lumetra
