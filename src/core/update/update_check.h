// The online version check and the update notice: when to ask, what the answer does to the
// settings, and what the notice dialog shows and stores.
//
// The settings carry the whole state between runs: `Update_LastTime` (the last check or
// reminder), `Update_NextCheck` (seconds to wait after it; -1 = never remind), the latest version
// the service reported and its download link.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/update/version_number.h"

namespace tv {

class Clock;
class Download;
class HashTable;
class Log;
class MessageBox;
class Shell;
class StringTable;
class UserStore;

// Result of the last check.
inline constexpr int kCheckNotConfigured = -3;  // this installation names no service
inline constexpr int kCheckInvalidReply = -2;
inline constexpr int kCheckNoConnection = -1;
inline constexpr int kCheckUpToDate = 0;
inline constexpr int kCheckRunningIsNewer = 1;
inline constexpr int kCheckOutdated = 2;

inline constexpr int64_t kUpdateWeek = 604800;
inline constexpr int64_t kUpdateAfterDownload = 86400;
inline constexpr int64_t kUpdateMinUptime = 600;

// The notice's "remind me later" list: entry i (0-based) waits this many seconds; -1 = never.
inline constexpr std::array<int64_t, 7> kRemindLaterSeconds = {1800,  3600,   7200, 14400,
                                                               64800, 237600, -1};
inline constexpr size_t kRemindLaterPreselected = 2;

struct UpdateState {
    bool updatePending = false;  // the stored latest version is above ours
    int64_t checkInterval = kUpdateWeek;
    int64_t elapsed = 0;  // seconds since the last check or reminder
    int64_t uptime = 0;   // seconds the program has run
    int checkStatus = kCheckNoConnection;
    bool requestOut = false;  // a check waits for its reply
};

struct UpdateContext {
    HashTable* settings = nullptr;
    const Clock* clock = nullptr;
    const StringTable* strings = nullptr;  // for the notice's texts and the manual check's boxes
    Log* log = nullptr;                    // may be null
    UserStore* userStore = nullptr;        // the user identifier; may be null
    std::string programDir;                // ends with "/"; holds "data/update.cfg"
    std::string skin;                      // reported with the query (cleaned there)
    int entries = 0;                       // events in the event table
    VersionNumber running = VersionNumber::running();
    std::function<bool()> saveSettings;  // writes "settings.cfg"; may be empty
};

// The latest version the settings hold (our own when none was stored).
VersionNumber storedLatestVersion(HashTable& settings, VersionNumber running);

// At start-up: whether an update is pending (if not, the wait is reset to a week), the check
// interval and the seconds since the last check.
void updateStateAtStart(UpdateState& state, const UpdateContext& ctx);

// One tick of the tray timer: uptime and elapsed grow by `seconds`; then, when nothing was
// started in this tick, the program has run over ten minutes, no update is pending, reminders
// are on and the interval has passed, the automatic check starts. True when it did.
bool updateTick(UpdateState& state, const UpdateContext& ctx, Download* download, int seconds,
                bool startedThisTick);

// Runs the check: records the attempt at once, asks the service (no configured endpoint gives
// kCheckNotConfigured, a missing download service no connection) and, when the reply is in, stores
// what it said, sets `checkStatus`, saves the settings and calls `done` with the status. Without a
// reply nothing but the time of the attempt changes, so the next automatic check waits a full
// interval. `state` must outlive the request.
void getOnlineVersion(UpdateState& state, const UpdateContext& ctx, Download* download, bool manual,
                      std::function<void(int status)> done = {});

// What the notice dialog shows.
struct UpdateDialogModel {
    std::string link;
    std::string currentVersion;  // "v2.3.0"
    std::string onlineVersion;
    std::array<std::string, 7> laterTexts;  // "updt_remlist1" ... "updt_remlist7"
    size_t preselected = kRemindLaterPreselected;
};

// The notice, when due (always when `manual`): logs it, restarts the wait and returns what the
// dialog shows. Nothing when it is not due.
std::optional<UpdateDialogModel> updateReminder(UpdateState& state, const UpdateContext& ctx,
                                                bool manual);

// The dialog's buttons. Download opens the link (a beep when there is none) and asks again in a
// day; Later waits as long as the chosen list entry says.
void updateDownloadClicked(UpdateState& state, const UpdateContext& ctx, Shell* shell,
                           std::string_view link);
void updateLaterClicked(UpdateState& state, const UpdateContext& ctx, size_t entry);

// After a check the user asked for: an error box for no connection or a bad reply, an
// information box when we are up to date or when no service is configured, the notice when we
// are not.
std::optional<UpdateDialogModel> manualCheckFinished(UpdateState& state, const UpdateContext& ctx,
                                                     MessageBox* box, int status);

}  // namespace tv
