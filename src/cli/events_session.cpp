#include "cli/events_session.h"

#include <ostream>

#include "core/calc/files.h"
#include "core/config/config_file.h"

namespace tv::cli {

bool EventsSession::load() {
    const std::string& dir = c_.paths.userDataDir;
    createFolderPath(dir);
    readConfig(settings, settingsPath());
    db = eventDbContextFor(dir, c_.clock, c_.strings(), settings, &box);
    box.answer = MessageAnswer::kYes;
    const bool ok = loadEventDatabase(table, db);
    for (const MessageRequest& r : box.shown) {
        if (r.buttons == MessageButtons::kYesNo) {
            c_.fail(
                "events.cdb has a format version this program cannot read; it was left as it "
                "is");
            return false;
        }
        *c_.err << plainText(r.text) << '\n';
    }
    box.shown.clear();
    if (!ok) c_.fail("events.cdb cannot be read");
    if (ok && fileExists(syncStorePath(dir))) {
        sync_ = std::make_unique<SyncSession>();
        if (sync_->open(dir)) sync_->tableLoaded(table);
    }
    return ok;
}

bool EventsSession::save() {
    box.answer = MessageAnswer::kOk;
    const bool ok = saveEventDatabase(table, db);
    if (ok && sync_ && sync_->isOpen()) sync_->tableSaved(table);
    for (const MessageRequest& r : box.shown)
        *c_.err << plainText(r.text) << '\n';
    box.shown.clear();
    return ok;
}

ChangeEnvironment EventsSession::environment() {
    ChangeEnvironment env;
    env.today = c_.clock.now().date;
    env.strings = &c_.strings();
    env.settings = &settings;
    env.programDir = c_.paths.programDir;
    env.saveDatabase = [this](const EventTable&) { return save(); };
    return env;
}

void printNotes(const CliContext& c, const std::vector<std::string>& notes) {
    for (const std::string& note : notes)
        *c.err << plainText(note) << '\n';
}

}  // namespace tv::cli
