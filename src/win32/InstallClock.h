#pragma once
// The installation date behind the web links' day count. The installer
// stores it as the string value "InstallDate" ("YYYY-MM-DD") under
// HKEY_CURRENT_USER\Software\Velmora\Lumetra, or under HKEY_LOCAL_MACHINE for
// all users; a portable copy, which has neither, counts from the creation
// time of its program file.
#include "common/InstallClock.h"

namespace lumetra {

class Win32InstallClock final : public IInstallClock {
public:
    Ticks Now() const override;
    Ticks InstalledAt() const override;
};

}  // namespace lumetra
