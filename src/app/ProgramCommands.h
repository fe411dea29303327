#pragma once
// What the program does for its notification-area menu and its hot keys,
// whichever program has the focus: the commands, which of them the menu
// offers in which state, and the click-through switch of all guides.
#include <cstdint>
#include <string_view>
#include <vector>

#include "app/StartWithWindows.h"
#include "settings/HotKey.h"

namespace lumetra {

class TGuideSet;

// Present is on no menu: a second start of the program asks the running one
// to show its guides and its panel in front.
enum class ProgramCommand {
    ShowHide,
    ClickThrough,
    Fit,
    NextLook,
    NewGuide,
    Settings,
    Manual,
    Exit,
    Present,
    CopyComposition,
    Follow,
    StartWithWindows
};

// What the menu depends on.
struct ProgramState {
    bool guidesShown = true;
    bool allClickThrough = false;  // every guide lets the mouse through
    int guides = 1;
    bool anyClickThrough = false;  // at least one guide lets the mouse through
    bool currentFollows = false;   // the guide used last follows its picture
    bool anyWaiting = false;       // a guide that follows has lost its picture
    StartWithWindowsBox startWithWindows{false, false};  // as the Run value is; greyed while unknown
    std::int32_t units = 0;        // the unit every read-out measures in
};

struct MenuItem {
    ProgramCommand command;
    std::string_view textKey;  // its text in the language files
    bool checked = false;
    bool enabled = true;
    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

// What the icon's menu, the hot keys and the command line act on: the
// windows of the guides.
class IProgramCommands {
public:
    virtual ~IProgramCommands() = default;
    virtual ProgramState State() const = 0;
    virtual void Run(ProgramCommand command) = 0;
    // The unit of every guide's read-outs, from the menu's Units submenu.
    virtual void ChooseUnits(std::int32_t units) = 0;
};

// The notification-area menu, top to bottom; Exit last.
std::vector<MenuItem> ProgramMenu(const ProgramState& state);
// The same with the start-with-Windows item before Exit: the menu the icon shows.
std::vector<MenuItem> FullProgramMenu(const ProgramState& state);

// The menu's Units submenu, after Follow: one item per unit, in the order
// of the Units setting, the one in use checked. Its items' commands play no
// part: an item chooses the unit of its place.
std::vector<MenuItem> UnitsMenu(const ProgramState& state);

// The command each hot key gives.
ProgramCommand HotKeyAction(HotKeyCommand command);

// Which guide waits for its picture is the windows' to tell: anyWaiting stays off.
ProgramState StateOf(const TGuideSet& guides, bool guidesShown);
// Click-through for every guide: on unless every guide has it already.
void SwitchClickThrough(TGuideSet& guides);

}  // namespace lumetra
