#include "core/app/app_contexts.h"

#include "core/app/app_state.h"
#include "core/ports/platform.h"

namespace tv {

EventDbContext eventDbContextOf(AppContext& ctx) {
    AppState& s = ctx.state;
    return EventDbContext{
        ctx.platform.paths.userDataDir, ctx.platform.clock, &s.strings, &s.settings, &s.log,
        ctx.platform.messageBox};
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

}  // namespace tv
