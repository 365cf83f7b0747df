// The running calendar's end of the single-instance channel: a second start's "launch", and the
// changes the command-line tool hands over so that the calendar stays the only writer of the
// user's files.
#pragma once

#include <string>
#include <string_view>

#include "core/app/window_host.h"

namespace tv {

// Any message of the channel; returns the answer the sender waits for. "launch" and
// "launch-dev" answer "ok"; "apply ID" answers as receiveChangeRequest.
std::string receiveMessage(AppContext& ctx, std::string_view text);

// Reads the request file ID in the runtime folder, applies it with the same functions the tool
// uses, saves, brings the window (or, in the tray, the alarm list) up to date, and answers "done"
// with the result, "error" with the reason, or "elsewhere" for another data folder. A calendar
// with a window open, or in the middle of a load or another change, refuses: it never applies a
// change under a window that works on the same table.
std::string receiveChangeRequest(AppContext& ctx, std::string_view id);

}  // namespace tv
