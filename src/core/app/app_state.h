// Everything the running calendar keeps: one object, owned by main and passed by reference, so
// that tests build their own with a fake clock and temporary folders.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/app/log.h"
#include "core/calc/today.h"
#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/events/alarms.h"
#include "core/events/event_record.h"
#include "core/events/forecast.h"
#include "core/names/name_table.h"
#include "core/names/random_source.h"
#include "core/names/user_pictures_walk.h"
#include "core/names/wisdom.h"
#include "core/ui/window_state.h"
#include "core/update/update_check.h"

namespace tv {

class Clock;

// Hues of the event colours, in the order the colour picker offers them.
inline constexpr std::array<int16_t, 14> kColourHues = {0,   30,  50,  60,  80,  120, 180,
                                                        190, 210, 240, 270, 290, 300, 330};

// The tray form's copy of its settings and the minute it handled last.
struct TrayState {
    bool loaded = false;   // the form, and so the icon and the message receiver, is up
    bool oneClick = true;  // TrayOneClick: a single click opens the window, else a double click
    bool trayIcon = true;
    bool autoStart = true;
    bool onTime = false;
    uint8_t hour = 5;  // the daily showing
    uint8_t minute = 0;
    int currentHour = -1;  // the latest tick's clock
    int currentMinute = -1;
    int handledHour = -1;  // so that each minute is handled once
    int handledMinute = -1;
    bool busy = false;  // the latest tick started something
};

struct AppState {
    explicit AppState(const Clock& clock) : log(clock) {}

    // Tables.
    HashTable settings;
    StringTable strings;
    HashTable theme;
    EventTable events;
    EventLists lists;
    TodayState today;
    NameTable names;
    std::array<int16_t, 14> hues{};

    // Texts and rotations of the day.
    std::string todayText;
    RandomSource random;
    // The list of the user's picture folder. Made by the first picture of the day that needs it
    // and kept for the whole process: a listing under way outlives a reload of the window.
    std::unique_ptr<UserPictureList> userPictures;
    AlarmState alarm;
    UpdateState update;
    TrayState tray;

    Log log;
    std::string commandLine;  // trimmed and lower-cased

    // The main window's state: the screen it shows, the shown month, the developer flag, the
    // wisdom box, and what the mouse and keys are in the middle of. It lives here, once, because
    // the load, the tray and the alarm set parts of it as much as the window's input does.
    MainWindowState window;

    // Flags of the run.
    bool firstRun = false;        // neither settings.cfg nor config.qzi was there
    bool loading = false;         // until the first load of the window has finished
    bool loaded = false;          // the calendar window is up
    bool loadInProgress = false;  // a load of the window runs (it lets window messages run)
    bool loadUpFront = true;
    bool firstAppearanceToday = true;
    bool timeMovedBackward = false;
    int daysSinceLastRun = 1;
    bool activatedSinceLoad = false;  // the first activation's messages ran for this load
    bool welcomeShown = false;
    bool welcomeAdded = false;  // this process has added (or found) the welcome event
    // The event table holds what events.cdb held: only then may it be saved over the file.
    bool eventsLoaded = false;
    bool applyingChange = false;  // a change handed over by the command-line tool is under way
    bool ended = false;           // the process was asked to end
    double loadStart = 0;         // seconds since midnight when the window began to load
};

}  // namespace tv
