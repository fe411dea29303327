#include "app/ProgramLinks.h"

#include "app/ShellOpen.h"
#include "app/WebQuery.h"

namespace lumetra {
namespace {

// The path of a page on the maker's web site.
const char* WebPagePath(WebPage page) {
    switch (page) {
        case WebPage::Home: return kHomePath;
        case WebPage::Service: return kServicePath;
        case WebPage::Download: return kDownloadPath;
        case WebPage::Uninstall: return kUninstallPath;
    }
    return kHomePath;
}

}  // namespace

void ProgramLinks::Open(const std::string& target) { ShellOpen(shell_, target); }

void ProgramLinks::OpenWebPage(WebPage page) {
    ShellOpenJoined(shell_, std::string(kSiteUrl) + WebPagePath(page), WebQuery(DaysSinceInstall(clock_)));
}

}  // namespace lumetra
