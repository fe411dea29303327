#pragma once
// Which hot keys the program holds: the combinations the settings ask for,
// those another program holds already, and standing aside while the user
// types a combination into the panel. The system's side is an interface.
#include <array>

#include "settings/HotKeyStatus.h"
#include "settings/HotKey.h"

namespace lumetra {

// Takes combinations from the system and gives them back.
class IHotKeyRegistrar {
public:
    virtual ~IHotKeyRegistrar() = default;
    // False when another program holds the combination.
    virtual bool Register(HotKeyCommand command, HotKey hotKey) = 0;
    virtual void Unregister(HotKeyCommand command) = 0;
};

class HotKeyBook final : public IHotKeyStatus {
public:
    explicit HotKeyBook(IHotKeyRegistrar& registrar) : registrar_(registrar) {}
    HotKeyBook(const HotKeyBook&) = delete;
    HotKeyBook& operator=(const HotKeyBook&) = delete;

    // Holds `wanted` in place of what it holds; a combination an earlier
    // command has already stays with that one. The same set again changes
    // nothing, so a combination taken stays known as taken.
    void Apply(const HotKeySet& wanted);
    bool HotKeyTaken(HotKeyCommand command) const override { return taken_[static_cast<std::size_t>(command)]; }
    // Aside, the book gives what it holds back to the system; back, it takes
    // every combination again, and learns afresh which are taken.
    void StandAside(bool aside) override;
    // Gives back every combination it holds and forgets them.
    void Release();

private:
    bool Held(std::size_t command) const { return !wanted_[command].Empty() && !taken_[command] && !aside_; }
    bool Register(std::size_t command);

    IHotKeyRegistrar& registrar_;
    HotKeySet wanted_{};
    std::array<bool, kHotKeyCommandCount> taken_{};
    bool aside_ = false;
};

}  // namespace lumetra
