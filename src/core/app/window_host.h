// What the start-up and tray logic asks of the windows. The Qt program implements these with the
// real calendar window and tray icon; tests implement them with recording fakes.
#pragma once

#include <cstdint>
#include <string>

#include "core/ui/commands.h"

namespace tv {

struct AppState;
struct Platform;
struct UpdateDialogModel;

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class CalendarWindowHost {
public:
    virtual ~CalendarWindowHost() = default;

    // Loading, in the order the load runs them.
    virtual void showSplash() = 0;
    virtual void hideSplash() = 0;
    // Lets pending window messages run.
    virtual void processEvents() = 0;
    // setSkin: the skin folder's theme into the theme table, its surfaces and fonts. False
    // when the skin could not be loaded.
    virtual bool loadSkin(const std::string& skin) = 0;
    // initCalendarWindow: fonts, colours and the wheel hook from the loaded theme.
    virtual void initCalendarWindow() = 0;
    // loadBackgroundPicture: the picture of the day, the composed main screen and the window's
    // size.
    virtual void composeScreen() = 0;
    virtual void showWindow(bool focus) = 0;
    virtual void bringToFront() = 0;
    // The four-second day-change timer.
    virtual void setMainTimer(bool on) = 0;
    // The automatic refresh after a start at log-on (its counter restarts when switched on).
    virtual void setAutoRefresh(bool on) = 0;

    // Geometry in pixels.
    virtual PixelRect windowRect() const = 0;
    virtual PixelRect workArea() const = 0;
    virtual PixelRect screen() const = 0;
    virtual void moveWindow(int x, int y) = 0;
    // A window in front covers the primary screen exactly; false where the desktop cannot tell.
    virtual bool isFullScreenForeground() const = 0;

    // After the load.
    virtual void showUpdateNotice(const UpdateDialogModel& model) = 0;
    // The settings window, modal; true when it asks for another reload.
    virtual bool showSettingsModal() = 0;
    // A command code through the window's command handler (10: the missed-events window).
    virtual void runCommand(CommandCode code) = 0;
    // After a change of day: the day fields, the picture of the day and a full redraw.
    virtual void refreshDay() = 0;
    virtual void redraw() = 0;
    // After the event table changed from outside the window (a change the command-line tool
    // handed over): the lists, the day cells, the picture of the day and a redraw.
    virtual void refreshEvents() = 0;
    // A modal window of the calendar (event list, settings, ...) is open and works on the tables.
    virtual bool modalOpen() const = 0;
    virtual void flashTaskbar() = 0;
    virtual void setAlarmTimer(bool on) = 0;

    // Unloading, in this order.
    virtual void stopTimers() = 0;
    virtual void saveThemeState() = 0;
    // Tooltip, run-time controls, surfaces, fonts and the window itself.
    virtual void releaseWindow() = 0;
    // Every other window of the program (dialogs, splash) at the exit.
    virtual void closeAllWindows() = 0;

    // Ends the process once control returns to the event loop.
    virtual void endProcess() = 0;
};

class TrayHost {
public:
    virtual ~TrayHost() = default;
    // The icon with its tip, and the form's 20-second timer.
    virtual void addIcon(const std::string& tip) = 0;
    virtual void removeIcon() = 0;
    // The tray menu (scheduled-time line, exit question) at the mouse.
    virtual void showTrayMenu() = 0;
};

// The state and the services the shell's procedures work on.
struct AppContext {
    AppState& state;
    Platform& platform;
    CalendarWindowHost& window;
    TrayHost& tray;
};

}  // namespace tv
