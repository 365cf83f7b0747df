// The user's files as a sync from the command line needs them: settings.cfg, events.cdb with
// the binding of its records, and the sync state; loaded and saved the way the calendar does.
#pragma once

#include <optional>
#include <string>

#include "cli/cli_context.h"
#include "core/config/hash_table.h"
#include "core/events/event_database.h"
#include "core/sync/sync_session.h"

namespace tv {
class CalDavClient;
}

namespace tv::cli {

class SyncTables {
public:
    explicit SyncTables(CliContext& c) : c_(c) {}

    bool loadSettings();
    bool saveSettings();
    // events.cdb and the sync state; false (after saying why) when either cannot be read.
    bool loadEvents();

    SyncReport run(CalDavClient& dav, const std::string& calendar, bool dryRun, bool confirmed);
    std::optional<int> restore(int id);

    HashTable settings;
    EventTable table;

private:
    bool save(const EventTable& t);

    CliContext& c_;
    EventDbContext db_;
    SyncSession session_;
};

}  // namespace tv::cli
