#include "core/app/tray.h"

#include "core/app/app_contexts.h"
#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/app/tray_alarms.h"
#include "core/config/settings_keys.h"
#include "core/events/alarms.h"
#include "core/ports/platform.h"

namespace tv {
namespace {

uint8_t byteSetting(HashTable& settings, const SettingKey& key) {
    const int v = readInt(settings, key);
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// Characters that make the desktop-entry Exec key want the program quoted.
bool needsQuoting(const std::string& path) {
    return path.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
}

}  // namespace

static void readTrayVariables(AppContext& ctx) {
    HashTable& t = ctx.state.settings;
    TrayState& tray = ctx.state.tray;
    tray.oneClick = readFlag(t, settings::TrayOneClick);
    tray.trayIcon = readFlag(t, settings::AS_TrayIcon);
    tray.autoStart = readFlag(t, settings::AS_AutoStart);
    tray.onTime = readFlag(t, settings::AS_OnTime);
    tray.hour = byteSetting(t, settings::AS_Hour);
    tray.minute = byteSetting(t, settings::AS_Minute);
}

void refreshTrayForm(AppContext& ctx) {
    readTrayVariables(ctx);
    if (ctx.state.tray.trayIcon) {
        loadTrayForm(ctx);
    } else {
        unloadTrayForm(ctx);
    }
}

void loadTrayForm(AppContext& ctx) {
    AppState& s = ctx.state;
    if (s.tray.loaded) return;
    s.tray.loaded = true;
    readTrayVariables(ctx);
    ctx.tray.addIcon(std::string(kTrayTip));
    s.log.write("System tray icon added", 2);
}

void unloadTrayForm(AppContext& ctx) {
    AppState& s = ctx.state;
    if (!s.tray.loaded) return;
    s.tray.loaded = false;
    ctx.tray.removeIcon();
    s.log.write("System tray icon removed", 2);
}

void trayIconClicked(AppContext& ctx, TrayClick click) {
    const bool oneClick = ctx.state.tray.oneClick;
    switch (click) {
        case TrayClick::kSingle:
            if (oneClick) loadUpCalendar(ctx, LoadMode::kRaise);
            break;
        case TrayClick::kDouble:
            if (!oneClick) loadUpCalendar(ctx, LoadMode::kRaise);
            break;
        case TrayClick::kRight:
            ctx.tray.showTrayMenu();
            break;
    }
}

TickResult trayTick(AppContext& ctx) {
    AppState& s = ctx.state;
    TrayState& tray = s.tray;
    tray.busy = false;
    TickResult result = TickResult::kNothing;

    const DateTime now = ctx.platform.clock->now();
    tray.currentHour = now.hour();
    tray.currentMinute = now.minute();
    if (tray.currentHour != tray.handledHour || tray.currentMinute != tray.handledMinute) {
        tray.handledHour = tray.currentHour;
        tray.handledMinute = tray.currentMinute;
        // With the window closed the list is carried into the new day here.
        keepAlarmListCurrent(ctx);
        // An alarm wins over the daily showing of the same minute.
        AlarmContext alarms = alarmContextOf(ctx);
        if (checkAlarms(s.lists.alarms, now, s.alarm, alarms)) {
            tray.busy = true;
            result = TickResult::kAlarm;
        } else if (tray.currentHour == tray.hour && tray.currentMinute == tray.minute &&
                   tray.onTime && !s.loaded) {
            tray.busy = true;
            result = TickResult::kSchedule;
            loadUpCalendar(ctx, LoadMode::kSchedule);
        }
    }

    // The counters always advance; the check itself waits for a quiet tick.
    if (updateTick(s.update, makeUpdateContext(ctx), ctx.platform.download, kTrayTickSeconds,
                   tray.busy)) {
        result = TickResult::kUpdateCheck;
    }
    return result;
}

void receiveText(AppContext& ctx, std::string_view text) {
    // Without the tray form nobody listens, as a second start to such a run always found.
    if (!ctx.state.tray.loaded) return;
    if (text == "launch") {
        loadUpCalendar(ctx, LoadMode::kRaise);
    } else if (text == "launch-dev") {
        ctx.state.window.developer = true;
        loadUpCalendar(ctx, LoadMode::kRaise);
    }
}

std::string autostartCommand(const std::string& executable) {
    std::string program;
    if (needsQuoting(executable)) {
        program = "\"";
        for (char c : executable) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') program += '\\';
            program += c;
        }
        program += '"';
    } else {
        program = executable;
    }
    // A literal "%" in Exec is written twice.
    std::string out;
    for (char c : program) {
        out += c;
        if (c == '%') out += '%';
    }
    return out + " -boot";
}

bool autostartWanted(HashTable& settings) {
    // All three are read, so settings.cfg holds each of them.
    const bool tray = readFlag(settings, settings::AS_TrayIcon);
    const bool autoStart = readFlag(settings, settings::AS_AutoStart);
    const bool onTime = readFlag(settings, settings::AS_OnTime);
    return tray || autoStart || onTime;
}

void checkAutoStart(AppContext& ctx) {
    AppState& s = ctx.state;
    s.log.write("fCheckAutoStart", 1);
    const bool wanted = autostartWanted(s.settings);
    Autostart* entry = ctx.platform.autostart;
    if (entry == nullptr) return;

    const std::string command = autostartCommand(ctx.platform.paths.executable);
    const std::string current = entry->command().value_or("");
    bool ok = true;
    if (!current.empty() && (current == command || !wanted)) {
        if (!wanted) ok = entry->remove();
    } else if (wanted) {
        ok = entry->setCommand(command);
    }
    if (!ok && ctx.platform.messageBox != nullptr) {
        ctx.platform.messageBox->show({s.strings.getString("com_err_reg"),
                                       s.strings.getString("com_error"), MessageButtons::kOk,
                                       MessageIcon::kWarning});
    }
}

}  // namespace tv
