// The settings, the string table and the event table of one command that reads or changes the
// user's events, loaded as the calendar's start loads them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "core/app/change_apply.h"
#include "core/config/hash_table.h"
#include "core/events/event_database.h"
#include "core/events/event_record.h"
#include "core/ports/message_box.h"
#include "core/sync/sync_session.h"

namespace tv::cli {

// Answers every box with one answer and keeps what it was shown.
class CliBox : public MessageBox {
public:
    MessageAnswer show(const MessageRequest& r) override {
        shown.push_back(r);
        return answer;
    }
    std::vector<MessageRequest> shown;
    MessageAnswer answer = MessageAnswer::kNo;
};

class EventsSession {
public:
    explicit EventsSession(CliContext& c) : c_(c) {}

    // Loads like the calendar's start does, but never lets a file we cannot read be replaced:
    // the version question is answered "go on with an empty table" and the command then stops.
    bool load();
    bool save();
    std::string settingsPath() const { return c_.paths.userDataDir + "settings.cfg"; }
    // What the shared change functions work with: this command's tables and its save.
    ChangeEnvironment environment();

    HashTable settings;
    EventTable table;
    CliBox box;
    EventDbContext db;

private:
    CliContext& c_;
    // A folder that syncs: the records are bound to their server copies before any change, so
    // that a deletion here reaches the server as one.
    std::unique_ptr<SyncSession> sync_;
};

void printNotes(const CliContext& c, const std::vector<std::string>& notes);

}  // namespace tv::cli
