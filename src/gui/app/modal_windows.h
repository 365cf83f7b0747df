// The windows the calendar opens modally from its commands and menus: the event list, the
// settings, the name search, the about and diagnostics windows, the missed events, and the day
// field's and the main menu. Each saves what it changes; afterwards the calendar refreshes.
#pragma once

#include "core/ui/ui_actions.h"
#include "gui/app/run_modal.h"
#include "gui/windows/settings_window.h"
#include "gui/windows/window_services.h"

namespace tv {

class CalendarApp;
struct EventListOpen;

class ModalWindows {
public:
    explicit ModalWindows(CalendarApp& app) : app_(app) {}

    // Opens the window `kind` asks for (the modal hook first). False when the actions after it
    // must not run: the calendar window went, or a restore reloads it.
    bool open(UiAction kind, int argument);
    int openCount() const { return count_.open(); }
    // The settings window that a reload after a change of skin shows; true when it asks for
    // another reload.
    bool showSettingsAfterSkinReload();

    // What the windows work on, lent to each while it is open.
    WindowServices windowServices();
    // One set of hooks for the settings window, whether the menu or a skin reload opens it.
    SettingsWindowHooks settingsHooks();

private:
    void openEventList(const EventListOpen& open);
    void openSettings();
    void openNameSearch();
    void openAbout();
    void openDayMenu(int cell);
    void openMainMenu();

    CalendarApp& app_;
    ModalCount count_;
    bool restoredSinceLoad_ = false;
    bool restorePending_ = false;
};

}  // namespace tv
