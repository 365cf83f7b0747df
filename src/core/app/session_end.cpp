#include "core/app/session_end.h"

#include <string>

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/app/tray.h"

namespace tv {

void endSession(AppContext& ctx, std::string_view reason) {
    AppState& s = ctx.state;
    if (s.ended) return;
    s.log.write("Session end (" + std::string(reason) + ")", 2);
    if (s.loaded) {
        unloadCalendar(ctx, UnloadMode::kClose, UnloadIntent::kExit);
    } else {
        saveCalendarData(ctx);
    }
    unloadTrayForm(ctx);
    ctx.window.closeAllWindows();
    s.log.write("Ended", 0);
    s.ended = true;
    ctx.window.endProcess();
}

void commitSessionData(AppContext& ctx) {
    AppState& s = ctx.state;
    if (s.ended) return;
    s.log.write("Session manager: save", 2);
    saveCalendarData(ctx);
}

}  // namespace tv
