// The end of the desktop session (log-out, shutdown) and the termination signals. Closing the
// window saves where it stood, the page, settings.cfg and events.cdb; a session that ends must
// save the same, or the next start shows the missed events and the welcome again.
#pragma once

#include <string_view>

#include "core/app/window_host.h"

namespace tv {

// Saves as the close does and ends the process, once: later calls (a second signal, the
// application's own quit that follows) do nothing. `reason` goes to the log.
void endSession(AppContext& ctx, std::string_view reason);

// The session manager wants the data on disk before the session may end; the user may still
// cancel the log-out, so the calendar goes on.
void commitSessionData(AppContext& ctx);

}  // namespace tv
