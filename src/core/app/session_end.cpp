#include "core/app/session_end.h"

#include <string>

#include "core/app/app_contexts.h"
#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/app/tray.h"

namespace tv {
namespace {

// The close's save without taking the window down.
void saveAll(AppContext& ctx) {
    AppState& s = ctx.state;
    if (s.loaded) {
        saveWindowPosition(ctx);
        return;
    }
    // A table that was never read from events.cdb must not go over it.
    if (s.eventsLoaded) SaveEventDatabase(s.events, eventDbContextOf(ctx));
    saveSettings(ctx);
}

}  // namespace

void endSession(AppContext& ctx, std::string_view reason) {
    AppState& s = ctx.state;
    if (s.ended) return;
    s.log.fWriteLog("Session end (" + std::string(reason) + ")", 2);
    if (s.loaded) {
        fUnloadCalendar(ctx, "", UnloadIntent::kExit);
    } else {
        saveAll(ctx);
    }
    unloadTrayForm(ctx);
    ctx.window.closeAllWindows();
    s.log.fWriteLog("Ended", 0);
    s.ended = true;
    ctx.window.endProcess();
}

void commitSessionData(AppContext& ctx) {
    AppState& s = ctx.state;
    if (s.ended) return;
    s.log.fWriteLog("Session manager: save", 2);
    saveAll(ctx);
}

}  // namespace tv
