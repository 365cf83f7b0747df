#include "core/app/restore_reload.h"

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/app/tray.h"
#include "core/ports/platform.h"

namespace tv {

void reloadAfterRestore(AppContext& ctx) {
    AppState& s = ctx.state;
    unloadCalendar(ctx, UnloadMode::kRestore, UnloadIntent::kReload);
    // The restored events are not what the sync state knows: the next run re-matches them and
    // deletes nothing.
    if (ctx.platform.sync != nullptr) ctx.platform.sync->bindingUncertain();
    s.events = EventTable{};
    s.eventsLoaded = false;
    s.lists = EventLists{};
    s.settings.removeAll();
    // A backup of the old generation left config.qzi without settings.cfg: imported here, and the
    // load's event database imports the old event files the same way.
    readUserSettings(ctx);
    // The restored settings decide about the tray icon too.
    refreshTrayForm(ctx);
    loadUpCalendar(ctx, LoadMode::kRestore);
}

}  // namespace tv
