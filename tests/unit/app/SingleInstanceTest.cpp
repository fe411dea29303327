// One copy per settings file, whatever the elevation of the copy that runs:
// what a start does about it, and what the running copy does when handed
// over to.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/SingleInstance.h"
#include "app/Startup.h"  // kRestartArgument

namespace lumetra::test {
namespace {

TEST(SingleInstance, AStartRunsAloneOnlyWhereNoCopyHoldsTheLock) {
    const struct {
        const char* name;
        InstanceLock lock;
        std::vector<std::string> arguments;
        StartAction action;
    } cases[] = {
        {"no copy runs", InstanceLock::Created, {}, StartAction::RunAlone},
        {"a copy runs", InstanceLock::Existed, {}, StartAction::HandOver},
        // Refused by an elevated copy's access list: that copy runs.
        {"an elevated copy runs", InstanceLock::Denied, {}, StartAction::HandOver},
        // Better a second copy than none at all.
        {"the lock gave no answer", InstanceLock::Failed, {}, StartAction::RunAlone},
        {"restarted by Windows, alone", InstanceLock::Created, {kRestartArgument}, StartAction::RunAlone},
        {"restarted by Windows beside a copy", InstanceLock::Existed, {kRestartArgument}, StartAction::EndQuietly},
        {"restarted beside an elevated copy", InstanceLock::Denied, {kRestartArgument}, StartAction::EndQuietly},
        {"restart in other letters", InstanceLock::Existed, {"/Restart"}, StartAction::HandOver},
        {"restart as the second argument", InstanceLock::Existed, {"x", kRestartArgument}, StartAction::HandOver},
    };
    for (const auto& c : cases) EXPECT_EQ(DecideStart(c.lock, c.arguments), c.action) << c.name;
}

TEST(SingleInstance, AHandOverAsksForPresentingOrClosing) {
    const struct {
        std::uintptr_t request;
        std::optional<ProgramCommand> command;
    } cases[] = {
        {0, ProgramCommand::Present},  // a second start
        {1, ProgramCommand::Exit},     // setup, before it replaces the program
        {2, std::nullopt},             // a newer version's request
        {~std::uintptr_t{0}, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(HandOverCommand(c.request), c.command) << c.request;
}

}  // namespace
}  // namespace lumetra::test
