// Applying a change request to the event table: the same functions for the command-line tool,
// when no calendar runs, and for the running calendar, when the tool hands the change over.
// Questions on the way take the answer the request gives in advance; what the user is to be told
// comes back as notes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/app/change_request.h"
#include "core/calc/date.h"
#include "core/events/event_record.h"
#include "core/ports/message_box.h"

namespace tv {

class HashTable;
class StringTable;

struct ChangeEnvironment {
    Date today;
    const StringTable* strings = nullptr;
    HashTable* settings = nullptr;  // AlarmEnabled, AS_TrayIcon, SaveInPastPromt
    std::string programDir;
    // Writes events.cdb after the table changed.
    std::function<bool(const EventTable&)> saveDatabase;
};

struct ChangeOutcome {
    bool done = false;  // applied and saved
    int slot = -1;      // the new or the deleted event
    int list = -1;      // the event list a new event shows in
    // A new alarm switched the alarms on: AlarmEnabled and AS_TrayIcon are "1" now.
    bool alarmsSwitchedOn = false;
    std::vector<std::string> notes;  // texts for the user, in order
};

// A new event through the editor's checks.
ChangeOutcome addEventChange(EventTable& table, const ChangeRequest& request,
                             const ChangeEnvironment& env);
// The deletion of an event, after the list's question.
ChangeOutcome deleteEventChange(EventTable& table, const ChangeRequest& request,
                                const ChangeEnvironment& env);

// A message box nobody sees: questions get the request's answer given in advance, and every
// text but the plain information is kept for the user.
class AnsweringBox : public MessageBox {
public:
    explicit AnsweringBox(bool yes) : yes_(yes) {}
    MessageAnswer show(const MessageRequest& request) override;
    std::vector<std::string> texts;

private:
    bool yes_;
};

}  // namespace tv
