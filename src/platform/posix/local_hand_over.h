// The running calendar's socket, reached without Qt: a second start only hands its request over
// and ends, and doing that before the toolkit starts makes it quick.
#pragma once

#include <optional>
#include <string>

namespace tv {

// The names in the runtime folder: the lock that decides which calendar is first, and the
// socket the first listens on.
inline constexpr const char* kInstanceSocketName = "Brimcove Tempovirens - Calendar SystemTray";
inline constexpr const char* kInstanceLockName = "Brimcove Tempovirens.lock";

// How long a second start waits for the running calendar's answer.
inline constexpr int kHandOverReplyTimeoutMs = 30000;

// $XDG_RUNTIME_DIR, else the session's /run/user/UID when it is ours; empty when neither.
std::string sessionRuntimeFolder();

// What became of one request: whether a calendar listened, and its answer when one came in time.
struct HandOver {
    bool reached = false;
    std::optional<std::string> answer;
};

// Sends `message` (and its closing zero byte) to the calendar listening in `folder` and waits up
// to `replyTimeoutMs` for its answer, which ends at its zero byte.
HandOver handOverToCalendar(const std::string& folder, const std::string& message,
                            int replyTimeoutMs);

// The same, told shortly: nothing when no calendar listens there; the answer otherwise (empty
// when it did not come in time).
std::optional<std::string> sendToRunningCalendar(const std::string& folder,
                                                 const std::string& message, int replyTimeoutMs);

// Whether a calendar listens in `folder` (a connection is taken and closed at once).
bool calendarListens(const std::string& folder);

// The socket's file in `folder`; empty when the path is too long for a socket address.
std::string instanceSocketPath(const std::string& folder);

}  // namespace tv
