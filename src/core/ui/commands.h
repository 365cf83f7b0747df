// The one dispatcher of the main window's commands. Buttons, keys, the wheel and the popup
// menus all end here with the same codes; 0..11 are the skin's button indexes.
#pragma once

#include "core/ui/ui_actions.h"
#include "core/ui/window_state.h"

namespace tv {

class HashTable;

enum Command : int {
    kCmdClose = 0,
    kCmdPrevMonth = 1,
    kCmdNextMonth = 2,
    kCmdSwitchScreen = 3,
    kCmdEventList = 4,
    kCmdSettings = 5,
    kCmdAbout = 6,
    kCmdNameSearch = 7,
    kCmdStopAlarm = 8,
    kCmdSwitchNames = 9,
    kCmdMissedEvents = 10,
    kCmdHome = 11,
    kCmdPrevYear = 12,
    kCmdNextYear = 13,
    kCmdShowRepeating = 15,
    kCmdRepeatingNextOnly = 16,
    kCmdShowOneTime = 17,
    kCmdLastWisdom = 18,
    kCmdDiagnostics = 251,
    kCmdTestAlarmExtreme = 252,
    kCmdTestAlarmNormal = 253,
    kCmdTestWisdom = 254,
};

// Performs one command on the state and lists what the window must do, ending with a redraw.
// Nothing at all happens in the game's screen mode. `settings` holds Cal_Names, Wise and
// LastWisdom.
Actions buttonEvent(MainWindowState& state, int code, HashTable& settings);

}  // namespace tv
