// Which hot keys the program holds as the settings change, as other programs
// take combinations, and while the panel's hot-key box has the focus.
#include "app/HotKeyBook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace lumetra::test {
namespace {

constexpr std::uint8_t kCtrlShift = kHotKeyCtrl | kHotKeyShift;
constexpr HotKey kF5{0x74, kCtrlShift};
constexpr HotKey kF6{0x75, kCtrlShift};

// The system's hot keys: what other programs hold and what we hold, by command.
class FakeSystem final : public IHotKeyRegistrar {
public:
    bool Register(HotKeyCommand command, HotKey hotKey) override {
        auto& ours = held[static_cast<std::size_t>(command)];
        if (ours) ADD_FAILURE() << "registered twice: " << static_cast<int>(command);
        const bool free = std::find(others.begin(), others.end(), hotKey) == others.end() &&
                          std::find(held.begin(), held.end(), hotKey) == held.end();
        if (free) ours = hotKey;
        return free;
    }
    void Unregister(HotKeyCommand command) override {
        auto& ours = held[static_cast<std::size_t>(command)];
        if (!ours) ADD_FAILURE() << "gave back what it did not hold: " << static_cast<int>(command);
        ours.reset();
    }

    std::vector<HotKey> others;  // combinations other programs hold
    std::array<std::optional<HotKey>, kHotKeyCommandCount> held{};
};

using Held = std::array<std::optional<HotKey>, kHotKeyCommandCount>;
using Taken = std::array<bool, kHotKeyCommandCount>;
using Step = std::function<void(HotKeyBook&, FakeSystem&)>;

constexpr HotKeySet kFactory = kFactoryHotKeys;
const Held kFactoryHeld{kFactory[0], kFactory[1], kFactory[2], kFactory[3]};

Step Apply(HotKeySet wanted) {
    return [wanted](HotKeyBook& book, FakeSystem&) { book.Apply(wanted); };
}
Step Aside(bool aside) {
    return [aside](HotKeyBook& book, FakeSystem&) { book.StandAside(aside); };
}
Step OtherProgramTakes(HotKey hotKey) {
    return [hotKey](HotKeyBook&, FakeSystem& system) { system.others.push_back(hotKey); };
}
Step OtherProgramFrees() {
    return [](HotKeyBook&, FakeSystem& system) { system.others.clear(); };
}

struct Case {
    const char* name;
    std::vector<Step> steps;
    Held held;    // what the program holds at the end
    Taken taken;  // which the panel shows as another program's
};

void Check(const Case& c) {
    SCOPED_TRACE(c.name);
    FakeSystem system;
    HotKeyBook book(system);
    for (const Step& step : c.steps) step(book, system);
    EXPECT_EQ(system.held, c.held);
    for (std::size_t i = 0; i < kHotKeyCommandCount; ++i) {
        EXPECT_EQ(book.HotKeyTaken(static_cast<HotKeyCommand>(i)), c.taken[i]) << i;
    }
    book.Release();
    EXPECT_EQ(system.held, Held{}) << "released";
}

TEST(HotKeyBook, HoldsWhatTheSettingsAskUnlessAnotherProgramHoldsIt) {
    const Case cases[] = {
        {"all free", {Apply(kFactory)}, kFactoryHeld, {}},
        {"one taken",
         {OtherProgramTakes(kFactory[2]), Apply(kFactory)},
         {kFactory[0], kFactory[1], std::nullopt, kFactory[3]},
         {false, false, true, false}},
        {"no hot key for a command",
         {Apply({kF5, HotKey{}, kF6, HotKey{}})},
         {kF5, std::nullopt, kF6, std::nullopt},
         {}},
        {"two commands, one combination: the first keeps it",
         {Apply({kF5, kF6, kF5, kF5})},
         {kF5, kF6, std::nullopt, std::nullopt},
         {}},
        {"changed: the old ones go back",
         {Apply(kFactory), Apply({kF5, kF6, HotKey{}, HotKey{}})},
         {kF5, kF6, std::nullopt, std::nullopt},
         {}},
        {"changed: a taken one is asked again",
         {OtherProgramTakes(kFactory[0]), Apply(kFactory), OtherProgramFrees(),
          Apply({kFactory[0], kF5, kF6, HotKey{}})},
         {kFactory[0], kF5, kF6, std::nullopt},
         {}},
        // The panel applies the settings after every change; the same set
        // keeps what is known rather than asking the system again.
        {"the same again: taken stays taken",
         {OtherProgramTakes(kFactory[0]), Apply(kFactory), OtherProgramFrees(), Apply(kFactory)},
         {std::nullopt, kFactory[1], kFactory[2], kFactory[3]},
         {true, false, false, false}},
        {"all cleared", {Apply(kFactory), Apply(HotKeySet{})}, {}, {}},
    };
    for (const Case& c : cases) Check(c);
}

TEST(HotKeyBook, StandsAsideWhileAHotKeyBoxHasTheFocus) {
    const Case cases[] = {
        {"aside: nothing held", {Apply(kFactory), Aside(true)}, {}, {}},
        {"aside: taken stays known",
         {OtherProgramTakes(kFactory[1]), Apply(kFactory), Aside(true)},
         {},
         {false, true, false, false}},
        {"back: all held again", {Apply(kFactory), Aside(true), Aside(false)}, kFactoryHeld, {}},
        {"back: freed meanwhile, now held",
         {OtherProgramTakes(kFactory[1]), Apply(kFactory), Aside(true), OtherProgramFrees(), Aside(false)},
         kFactoryHeld,
         {}},
        {"back: taken meanwhile, now shown taken",
         {Apply(kFactory), Aside(true), OtherProgramTakes(kFactory[3]), Aside(false)},
         {kFactory[0], kFactory[1], kFactory[2], std::nullopt},
         {false, false, false, true}},
        {"aside twice, back once", {Apply(kFactory), Aside(true), Aside(true), Aside(false)}, kFactoryHeld, {}},
        {"back without being aside", {Apply(kFactory), Aside(false)}, kFactoryHeld, {}},
        // A combination typed into the box is applied while aside: the
        // system is only asked whether it is free.
        {"changed while aside",
         {OtherProgramTakes(kF6), Apply(kFactory), Aside(true), Apply({kF5, kF6, HotKey{}, HotKey{}})},
         {},
         {false, true, false, false}},
        {"changed while aside, then back",
         {Apply(kFactory), Aside(true), Apply({kF5, kF6, HotKey{}, HotKey{}}), Aside(false)},
         {kF5, kF6, std::nullopt, std::nullopt},
         {}},
    };
    for (const Case& c : cases) Check(c);
}

}  // namespace
}  // namespace lumetra::test
