// The tray form: the icon and its clicks, the 20-second tick (alarms, the daily showing, the
// automatic update check), the messages of a second start, and the start-at-log-on entry.
#pragma once

#include <string>
#include <string_view>

#include "core/app/window_host.h"

namespace tv {

class HashTable;

inline constexpr std::string_view kTrayTip = "Tempovirens";
inline constexpr int kTrayTickSeconds = 20;

// Re-reads the form's settings, then loads the form when the tray flag is on and unloads it
// when it is off (switching the icon off takes it away).
void refreshTrayForm(AppContext& ctx);
void loadTrayForm(AppContext& ctx);
void unloadTrayForm(AppContext& ctx);

// The process stays for the alarms when the window closes, but the desktop shows no tray icon:
// the window's own menu then offers the exit, and the first close says how to come back.
bool residentWithoutTray(AppContext& ctx);

enum class TrayClick { kSingle, kDouble, kRight };
void trayIconClicked(AppContext& ctx, TrayClick click);

// What one tick did.
enum class TickResult { kNothing, kAlarm, kSchedule, kUpdateCheck };
TickResult trayTick(AppContext& ctx);

// A message of a second start: "launch" brings the window up, "launch-dev" also sets the
// developer flag; anything else, or a message while the form is down, is ignored.
void receiveText(AppContext& ctx, std::string_view text);

// The log-on entry's command: the program, quoted when it needs it, and " -boot".
std::string autostartCommand(const std::string& executable);
// The program a command of autostartCommand starts: its first word, unquoted.
std::string autostartProgram(std::string_view command);
// Whether any of the tray icon, the start at log-on or the daily showing wants the entry.
bool autostartWanted(HashTable& settings);
// Makes the entry match the settings; a failed write or removal shows "com_err_reg" once.
void checkAutoStart(AppContext& ctx);

}  // namespace tv
