// Bringing the calendar up and taking it down: the process entry, the load and unload of the
// window with their mode words and log lines, the last-run bookkeeping and the change of day.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/app/load_mode.h"
#include "core/app/window_host.h"
#include "core/calc/date.h"
#include "core/render/skin.h"  // kDefaultSkin
#include "core/update/update_check.h"

namespace tv {

struct AppState;
class HashTable;
class Log;
struct PictureOfDay;

enum class MainOutcome {
    kHandedOver,  // another instance runs and got our request
    kRefused,     // another instance runs without its tray form: "A program már fut!"
    kLoaded,      // the window is up
    kInTray,      // a start at log-on without the window; the tray keeps the process
    kEnded,       // nothing keeps the process (or the event database could not be opened)
};

inline constexpr std::string_view kAlreadyRunning = "A program már fut!";

// The process entry. `commandLine` is everything after the program name.
MainOutcome startCalendar(AppContext& ctx, std::string_view commandLine);

// Loads the window, or raises it when it is up.
void loadUpCalendar(AppContext& ctx, LoadMode mode);

// Why the window goes down, beyond the mode word: a reload or the exit must not end the
// process halfway (the plain close does when there is no tray icon).
enum class UnloadIntent { kClose, kReload, kExit };

// Takes the window down and saves (unless the mode says not to).
void unloadCalendar(AppContext& ctx, UnloadMode mode, UnloadIntent intent = UnloadIntent::kClose);

// The reloads of the menu: another skin, and the data of a restored backup.
void reloadForSkin(AppContext& ctx);

// Updates LastAppear / LastAppearNow / LastRun / LastRunToday and sets the first-appearance,
// days-since-last-run and clock-set-back state.
void checkLastRun(AppState& state, DateTime now);

// The picture of the day, chosen and fitted into the area of `theme` (may be null): a load's
// choice, or with `redraw` (events or the day changed) only today's event picture. A seasonal
// choice moves the rotation marks, and the event database is saved at once so that a crash does
// not show a picture twice in one round. The drawing is the window's.
PictureOfDay loadBackgroundPicture(AppContext& ctx, HashTable* theme, bool redraw);

// The main window's 4-second check: true when the day changed and the day's steps ran again.
bool checkDayChange(AppContext& ctx);

// The first activation of the window after a load: missed events, the clock warning, welcome.
void firstActivation(AppContext& ctx);

// The tray menu's exit: unloads everything and ends, tray icon or not.
void exitProgram(AppContext& ctx);

// Where the window goes, in pixels. Centred in the work area, or at the stored position (twips)
// with at least 3000 twips of it left on the screen. Either way the title strip (the top
// `titleHeight` pixels, the only handle of the frameless window) stays inside the work area from
// top to bottom, and a centred window that fits across stays inside it from side to side: a
// window taller than the screen (a big skin at 2x scale) hangs from the top of the work area.
struct WindowPlacement {
    int x = 0;
    int y = 0;
};
inline constexpr int kDefaultTitleHeight = 25;
WindowPlacement placeWindow(bool centre, int lastXTwips, int lastYTwips, const PixelRect& window,
                            const PixelRect& workArea, const PixelRect& screen,
                            int titleHeight = kDefaultTitleHeight);

// Reads settings.cfg into the settings table, or imports the old generation's config.qzi (which
// writes settings.cfg). False when neither exists: the very first run.
bool readUserSettings(AppContext& ctx);
// The close's save: events.cdb, where the window stands and which page it shows, settings.cfg.
void saveWindowPosition(AppContext& ctx);
// The same without a close, whether the window is up or only the tray runs (a table never read
// from events.cdb is not written over it).
void saveCalendarData(AppContext& ctx);
// A load or a handed-over change is under way: the window's state is half built, and anything
// that would take it down or change the tables waits (or is refused).
bool calendarBusy(const AppState& state);
// Writes settings.cfg into the user data folder.
bool saveSettings(AppContext& ctx);
// The update logic's view of the program.
UpdateContext makeUpdateContext(AppContext& ctx);

}  // namespace tv
