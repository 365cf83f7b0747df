// The one dispatcher of the main window's commands. Buttons, keys, the wheel and the popup
// menus all end here with the same codes; 0..11 are the skin's button indexes.
#pragma once

#include "core/ui/ui_actions.h"
#include "core/ui/window_state.h"

namespace tv {

class HashTable;

enum class CommandCode : int {
    kClose = 0,
    kPrevMonth = 1,
    kNextMonth = 2,
    kSwitchScreen = 3,
    kEventList = 4,
    kSettings = 5,
    kAbout = 6,
    kNameSearch = 7,
    kStopAlarm = 8,
    kSwitchNames = 9,
    kMissedEvents = 10,
    kHome = 11,
    kPrevYear = 12,
    kNextYear = 13,
    kShowRepeating = 15,
    kRepeatingNextOnly = 16,
    kShowOneTime = 17,
    kLastWisdom = 18,
    kDiagnostics = 251,
    kTestAlarmExtreme = 252,
    kTestAlarmNormal = 253,
    kTestWisdom = 254,
};

// Performs one command on the state and lists what the window must do, ending with a redraw.
// Nothing at all happens in the game's screen mode. `settings` holds Cal_Names, Wise and
// LastWisdom.
Actions buttonEvent(MainWindowState& state, CommandCode code, HashTable& settings);

// The command of skin button `index` (0..11): the two are numbered alike.
constexpr CommandCode commandOfButton(int index) {
    return static_cast<CommandCode>(index);
}

}  // namespace tv
