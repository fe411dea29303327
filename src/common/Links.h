#pragma once
// The program's links as its windows open them: a document such as the
// manual, and the pages of the maker's web site behind the panel's buttons
// and the uninstall.
// The app implements them on the desktop shell (app/ProgramLinks.h).
#include <string>

namespace lumetra {

enum class WebPage { Home, Service, Download, Uninstall };

class ILinks {
public:
    virtual ~ILinks() = default;
    // A web address or a file path, handed to the shell unchanged: a
    // relative path is resolved against the current folder.
    virtual void Open(const std::string& target) = 0;
    // The page of the maker's web site, with the query every link carries.
    virtual void OpenWebPage(WebPage page) = 0;
};

}  // namespace lumetra
