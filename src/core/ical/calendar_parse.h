// Inside the import: an iCalendar text as the VEVENTs libical reads out of it, one at a time so
// that a large file never stands whole as components, with the line each starts on. The file's
// own time zones are read first, since an event may name one defined further down.
#pragma once

#include <libical/ical.h>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/ical/content_lines.h"
#include "core/ical/import_report.h"
#include "core/ical/vevent_mapping.h"

namespace tv {
class StringTable;
}

namespace tv::ical {

// The time zones of one file, then the system's database.
class FileZones {
public:
    FileZones() = default;
    FileZones(const FileZones&) = delete;
    FileZones& operator=(const FileZones&) = delete;
    ~FileZones();

    void add(icalcomponent* vtimezone);  // takes it over
    icaltimezone* find(std::string_view tzid);

private:
    std::unordered_map<std::string, icaltimezone*> own_;
};

struct ParsedEvent {
    VeventReading reading;
    int line = 0;
    // A changed occurrence (RECURRENCE-ID) of an event the file also holds: part of that event.
    bool changesPresentEvent = false;
    // An event the file also holds changed occurrences of: exceptions the record cannot hold.
    bool hasChangedOccurrences = false;
};

struct ParseSinks {
    std::function<void(ParsedEvent&&)> event;
    std::vector<ReportEntry> otherEntries;  // tasks and notes: not events
    std::vector<ReportEntry> errors;        // damage: the import stops
};

// Hands every VEVENT to `sinks.event` as it is read, so that a large file never stands whole as
// components or readings. `ctx.zone` is set to `zones` here. False after damage.
bool parseCalendar(std::string_view text, ReadContext ctx, FileZones& zones,
                   const StringTable& strings, ParseSinks& sinks);

}  // namespace tv::ical
