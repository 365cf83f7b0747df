#include "cli/sync_tables.h"

#include <ostream>

#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/config_file.h"
#include "core/ports/message_box.h"
#include "core/sync/sync_engine.h"

namespace tv::cli {
namespace {

// Questions are answered "go on without the file", which makes the load fail: the tool never
// replaces a file it could not read.
class RefusingBox : public MessageBox {
public:
    MessageAnswer show(const MessageRequest& r) override {
        if (r.buttons == MessageButtons::kYesNo) refused = true;
        return MessageAnswer::kYes;
    }
    bool refused = false;
};

std::string settingsPath(const CliContext& c) {
    return c.paths.userDataDir + "settings.cfg";
}

}  // namespace

bool SyncTables::loadSettings() {
    createFolderPath(c_.paths.userDataDir);
    readConfig(settings, settingsPath(c_));
    return true;
}

bool SyncTables::saveSettings() {
    return writeConfig(settings, settingsPath(c_));
}

bool SyncTables::loadEvents() {
    RefusingBox box;
    db_ = eventDbContextFor(c_.paths.userDataDir, c_.clock, c_.strings(), settings, &box);
    if (!loadEventDatabase(table, db_) || box.refused) {
        c_.fail("events.cdb cannot be read");
        return false;
    }
    db_.box = nullptr;
    std::string error;
    if (!session_.open(c_.paths.userDataDir, &error)) {
        c_.fail("the sync state (sync.sqlite) cannot be read: " + error);
        return false;
    }
    session_.tableLoaded(table);
    return true;
}

bool SyncTables::save(const EventTable& t) {
    if (!saveEventDatabase(t, db_)) return false;
    session_.tableSaved(t);
    return true;
}

SyncReport SyncTables::run(CalDavClient& dav, const std::string& calendar, bool dryRun,
                           bool confirmed) {
    const DateTime now = c_.clock.now();
    SyncOptions o;
    o.calendarHref = calendar;
    o.dryRun = dryRun;
    o.confirmed = confirmed;
    o.today = now.date;
    o.stampUtc = now;  // FIXME: the clock gives local time; DTSTAMP wants UTC
    o.nowText = isoDateTime(now);
    // The run writes the server side into its own connection, as the calendar's worker does.
    std::unique_ptr<SyncStore> store = SyncStore::open(session_.path());
    if (!store) {
        SyncReport r;
        r.stop = SyncStop::kStore;
        return r;
    }
    const SyncResult result = runSync(session_.snapshot(table), dav, *store, o);
    if (dryRun) return result.report;
    const ApplyOutcome a = session_.finish(
        table, result, [this](const EventTable& t) { return save(t); }, o.nowText);
    SyncReport report = result.report;
    if (!a.saved) {
        report.stop = SyncStop::kStore;
        report.error = "events.cdb could not be saved";
    }
    return report;
}

std::optional<int> SyncTables::restore(int id) {
    const std::optional<int> slot = session_.restoreConflict(table, id, c_.clock.now().date);
    if (slot && !save(table)) return std::nullopt;
    return slot;
}

}  // namespace tv::cli
