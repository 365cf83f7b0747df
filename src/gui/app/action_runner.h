// Carries out what the core's input rules list: the commands of the buttons, keys, wheel and
// menus come back from the core as an ordered list of actions, and this runs them in order.
#pragma once

#include "core/ui/commands.h"
#include "core/ui/ui_actions.h"

namespace tv {

class CalendarApp;

class ActionRunner {
public:
    explicit ActionRunner(CalendarApp& app) : app_(app) {}

    void command(CommandCode code);
    void keyDown(int keyCode, int shift);
    // Stops early when an action takes the window away (a close, a reload, the end).
    void perform(const Actions& actions);

private:
    CalendarApp& app_;
};

}  // namespace tv
