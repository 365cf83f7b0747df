#include "core/app/app_contexts.h"

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/calc/today.h"
#include "core/names/name_table.h"
#include "core/ports/platform.h"

namespace tv {

EventDbContext eventDbContextOf(AppContext& ctx) {
    AppState& s = ctx.state;
    EventDbContext db = eventDbContextFor(ctx.platform.paths.userDataDir, *ctx.platform.clock,
                                          s.strings, s.settings, ctx.platform.messageBox, &s.log);
    if (SyncHost* sync = ctx.platform.sync) {
        db.loaded = [sync](const EventTable& t) { sync->tableLoaded(t); };
        db.saved = [sync](const EventTable& t) { sync->tableSaved(t); };
    }
    return db;
}

EventCheckContext eventCheckContextOf(AppContext& ctx) {
    AppState& s = ctx.state;
    EventCheckContext c;
    c.now = ctx.platform.clock->now();
    c.daysSinceLastRun = s.daysSinceLastRun;
    c.settings = &s.settings;
    c.strings = &s.strings;
    c.easter = &s.today.easter;
    c.programDir = ctx.platform.paths.programDir;
    return c;
}

MonthContext monthContextFor(TodayState& today, HashTable& settings, const StringTable& strings,
                             const NameTable& names) {
    MonthContext mc;
    mc.year = today.currentDay.year();
    mc.month = today.currentDay.month();
    mc.today = today.currentDay;
    mc.settings = &settings;
    mc.strings = &strings;
    mc.easter = &today.easter;
    mc.names = [&names](int index) { return names.line(index); };
    return mc;
}

AlarmContext alarmContextOf(AppContext& ctx) {
    AppState& s = ctx.state;
    AlarmContext a;
    a.settings = &s.settings;
    a.sound = ctx.platform.sound;
    a.shell = ctx.platform.shell;
    a.notifier = ctx.platform.notifier;
    a.strings = &s.strings;
    a.programDir = ctx.platform.paths.programDir;
    a.hooks.showAlarmScreen = [&ctx] {
        const bool wasUp = ctx.state.loaded;
        loadUpCalendar(ctx, LoadMode::kAlert);
        ctx.state.window.screenMode = ScreenMode::kAlarm;
        return wasUp;
    };
    a.hooks.redraw = [&ctx] { ctx.window.redraw(); };
    a.hooks.flashTaskbar = [&ctx] { ctx.window.flashTaskbar(); };
    a.hooks.setAlarmTimer = [&ctx](bool on) { ctx.window.setAlarmTimer(on); };
    a.hooks.openCalendar = [&ctx] { loadUpCalendar(ctx, LoadMode::kRaise); };
    return a;
}

}  // namespace tv
