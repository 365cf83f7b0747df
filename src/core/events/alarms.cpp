#include "core/events/alarms.h"

#include "core/calc/date_words.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/ports/shell.h"
#include "core/ports/sound.h"

namespace tv {
namespace {

bool exists(const AlarmContext& ctx, const std::string& path) {
    if (path.empty()) return false;
    return ctx.fileExists ? ctx.fileExists(path) : fileExists(path);
}

// A bare file name lives in the program's sounds folder; a stored path may carry "<AppPath>".
std::string soundFilePath(const AlarmContext& ctx, const std::string& name) {
    std::string path = expandAppPath(name, ctx.programDir);
    if (path.empty() || path.front() == '/') return path;
    return ctx.programDir + "sounds/" + path;
}

}  // namespace

int32_t alarmLengthSeconds(int index) {
    constexpr int32_t kSeconds[8] = {-1, 15, 30, 60, 120, 300, 600, 1200};
    if (index < 0 || index > 7) return -1;
    return kSeconds[index];
}

std::string alarmSoundPath(AlarmContext& ctx) {
    if (ctx.settings != nullptr) {
        // The settings window's second choice is a file of the user's own.
        if (readInt(*ctx.settings, settings::AlarmSoundSet) == 1) {
            std::string custom = read(*ctx.settings, settings::CustomAlarmSound);
            if (exists(ctx, custom)) return custom;
        }
        std::string chosen = soundFilePath(ctx, read(*ctx.settings, settings::AlarmSoundFile));
        if (exists(ctx, chosen)) return chosen;
    }
    std::string fallback = soundFilePath(ctx, std::string(kDefaultAlarmSound));
    return exists(ctx, fallback) ? fallback : std::string();
}

bool checkAlarms(std::vector<AlarmEntry>& alarms, DateTime now, AlarmState& state,
                 AlarmContext& ctx) {
    const int minute = now.hour() * 60 + now.minute();
    if (minute == state.lastCheckedMinute) return false;
    state.lastCheckedMinute = minute;
    bool found = false;
    for (AlarmEntry& a : alarms) {
        if (a.passed || a.date() != now.date) continue;
        if (a.hour != now.hour() || a.minute != now.minute()) continue;
        a.passed = true;
        state.currentAlarm = a;
        state.hasCurrentAlarm = true;
        found = true;
    }
    if (found) startAlarm(state, ctx);
    return found;
}

void startAlarm(AlarmState& state, AlarmContext& ctx) {
    state.alarmCountdown = ctx.settings != nullptr
                               ? alarmLengthSeconds(readInt(*ctx.settings, settings::AlarmLength))
                               : -1;

    bool wasUp = false;
    if (ctx.hooks.showAlarmScreen) wasUp = ctx.hooks.showAlarmScreen();
    if (wasUp && ctx.hooks.redraw) ctx.hooks.redraw();
    if (ctx.hooks.flashTaskbar) ctx.hooks.flashTaskbar();
    state.alarmActive = true;

    const bool soundOn =
        ctx.settings == nullptr || read(*ctx.settings, settings::AlarmSoundOn) == "1";
    if (!soundOn) return;
    const bool loop =
        ctx.settings == nullptr || read(*ctx.settings, settings::AlarmSndRepeat) == "1";
    const std::string path = alarmSoundPath(ctx);
    const bool playing = !path.empty() && ctx.sound != nullptr && ctx.sound->play(path, loop);
    if (!playing) {
        if (ctx.shell != nullptr) ctx.shell->beep();
        return;
    }
    if (loop && state.alarmCountdown != -1) {
        state.timerAlarmEnabled = true;
        if (ctx.hooks.setAlarmTimer) ctx.hooks.setAlarmTimer(true);
    }
}

void alarmTimerTick(AlarmState& state, AlarmContext& ctx) {
    --state.alarmCountdown;
    if (state.alarmCountdown >= 1) return;
    state.timerAlarmEnabled = false;
    if (ctx.hooks.setAlarmTimer) ctx.hooks.setAlarmTimer(false);
    stopAlarmSound(ctx);
}

void stopAlarmSound(AlarmContext& ctx) {
    if (ctx.sound != nullptr) ctx.sound->stop();
}

std::string missedEventLine(const MissedEntry& m, const EventTable& table, Date today,
                            const StringTable& strings) {
    std::string line;
    if (m.daysSince == 1) {
        line = strings.getString("dates_list_day_m1");
    } else if (m.daysSince == 2) {
        line = strings.getString("dates_list_day_m2");
    } else {
        line = strings.formatString("dates_list_past", std::to_string(m.daysSince));
    }
    line += '\t';
    if (m.slot >= 0 && m.slot < table.slotCount()) line += table[m.slot].name;
    line += '\t';
    line += shortDateText(today.addDays(-m.daysSince), strings);
    return line;
}

MissedWindow buildMissedWindow(const std::vector<MissedEntry>& missed, const EventTable& table,
                               Date today, const StringTable& strings) {
    MissedWindow w;
    w.title = strings.getString("missed_title");
    w.text = strings.getString("missed_text");
    w.okCaption = strings.getString("com_ok");
    w.lines.reserve(missed.size());
    for (const MissedEntry& m : missed)
        w.lines.push_back(missedEventLine(m, table, today, strings));
    return w;
}

}  // namespace tv
