#pragma once
// The per-user Run value in the registry, behind the start-with-Windows box
// of the panel and of the icon's menu and the /startwithwindows command.
#include <optional>
#include <string>
#include <utility>

#include "app/StartWithWindows.h"

namespace lumetra {

class TRunValue final : public IStartWithWindows {
public:
    // `programPath` is this copy's full path.
    explicit TRunValue(std::string programPath) : programPath_(std::move(programPath)) {}

    StartWithWindowsBox Shown() const override;
    bool Change(bool tick) override;

private:
    std::string programPath_;
};

// The value as it is now; nothing when there is none, or none that is text.
std::optional<std::string> ReadRunValue();

}  // namespace lumetra
