// What the main window's input logic asks the window to do. The logic only changes its own
// state and lists these; the Qt window carries them out in order, so a modal window opened by
// one action has closed before the next action runs.
#pragma once

#include <string>
#include <vector>

namespace tv {

enum class UiAction {
    kRedraw,  // redrawScreen, then presentScreen
    kBeep,
    kCloseWindow,       // the calendar window goes (the tray may stay)
    kExitProgram,       // after the exit question, the whole program ends
    kOpenEventList,     // modal
    kOpenSettings,      // modal
    kOpenAbout,         // modal
    kOpenNameSearch,    // modal
    kOpenMissedEvents,  // modal
    kOpenDiagnostics,   // modal: user id and language
    kStopAlarmSound,    // the alarm screen stays until the screen is switched
    kRebuildMonth,      // buildMonthEvents for the shown month
    kEventRefresh,      // checkEvents, buildMonthEvents, picture of the day, redraw
    kRemoveDayTooltip,
    kSetDayTooltip,  // cell = a, text
    kEndGame,        // stop the game's timer
    kPaintButton,    // button a in look b (ButtonLook)
    kStartRollover,  // rolloverTimer on
    kStopRollover,   // rolloverTimer off
    kBeginDrag,      // a drag of the window starts (Wayland hands it to the compositor)
    kMoveWindow,     // by a pixels across and b down
    kOpenDayMenu,    // the day field menu of cell a
    kOpenMainMenu,
};

enum ButtonLook : int { kLookUp = 0, kLookDown = 1, kLookOver = 2 };

struct Action {
    UiAction kind = UiAction::kRedraw;
    int a = 0;
    int b = 0;
    std::string text;
    bool operator==(const Action&) const = default;
};

using Actions = std::vector<Action>;

inline void pushAction(Actions& out, UiAction kind, int a = 0, int b = 0, std::string text = {}) {
    out.push_back(Action{kind, a, b, std::move(text)});
}
inline void appendActions(Actions& out, const Actions& more) {
    out.insert(out.end(), more.begin(), more.end());
}
inline bool hasAction(const Actions& actions, UiAction kind) {
    for (const Action& x : actions)
        if (x.kind == kind) return true;
    return false;
}

}  // namespace tv
