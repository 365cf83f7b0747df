// An iCalendar file into the event table: whole-day and timed events, the repeat forms the
// record has, alarms. What the record cannot express is reported with its reason and left out,
// unless the nearest form is asked for; events the table already has are reported, not added; a
// damaged file imports nothing. The table is saved once, or not at all.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/calc/date.h"
#include "core/events/event_record.h"
#include "core/ical/import_issue.h"
#include "core/ical/import_report.h"

namespace tv {
class StringTable;
}

namespace tv::ical {

struct ImportOptions {
    bool nearest = false;  // take the nearest form of what has no exact one
    bool dryRun = false;   // report only: the table stays as it is
    Date today;            // a repeating event that starts later cannot be held exactly
    // The zone whose dates the calendar shows ("Europe/Budapest"); empty: the system's.
    std::string localZone;
    const StringTable* strings = nullptr;  // the texts of the report
    // The one save of the whole table after the events went in; when it fails the table goes
    // back to what it was. Null: the table changes in memory only.
    std::function<bool(const EventTable&)> save;
};

ImportReport importCalendar(std::string_view text, EventTable& table, const ImportOptions& options);

// The issues' texts: the reason an event is left out or taken in its nearest form.
std::string issueText(const IssueNote& note, const StringTable& strings);

}  // namespace tv::ical
