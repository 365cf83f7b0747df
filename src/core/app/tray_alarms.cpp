#include "core/app/tray_alarms.h"

#include "core/app/app_contexts.h"
#include "core/app/app_state.h"
#include "core/calc/text_format.h"
#include "core/ports/platform.h"

namespace tv {

bool ensureEventTable(AppContext& ctx) {
    AppState& s = ctx.state;
    if (s.eventsLoaded) return true;
    if (!loadEventDatabase(s.events, eventDbContextOf(ctx))) {
        s.log.write("events.cdb could not be read; the event table stays empty", 0);
        return false;
    }
    s.eventsLoaded = true;
    return true;
}

bool keepAlarmListCurrent(AppContext& ctx) {
    AppState& s = ctx.state;
    if (s.loaded) return true;  // the window's day-change check keeps the lists
    const Date today = ctx.platform.clock->now().date;
    if (s.lists.builtFor == today) return true;
    // Tried once a day: a file that cannot be read is not read again at every tick.
    s.lists = EventLists{};
    s.lists.builtFor = today;
    if (!ensureEventTable(ctx)) return false;
    s.log.write("Alarm list for " + isoDate(today), 2);
    checkEvents(s.events, eventCheckContextOf(ctx), s.lists);
    return true;
}

}  // namespace tv
