// One event record as one iCalendar VEVENT, both ways, on libical components: the file import
// and export use these, and so does the CalDAV sync, which keeps a server's copy of each event.
//
// What a VEVENT written here holds:
//   UID, DTSTAMP                  eventUid(), the time of writing
//   SUMMARY, DESCRIPTION          name, comment (none when empty)
//   DTSTART;VALUE=DATE            the first day; never a date-time: our events are whole days
//   DTEND;VALUE=DATE              exclusive: start + extra days + 1
//   RRULE                         the repeat kind (rule_mapping.h)
//   TRANSP:TRANSPARENT            a whole-day event does not make the user busy
//   VALARM                        ACTION:DISPLAY, DESCRIPTION, TRIGGER;RELATED=START:PT<h>H<m>M
//   COLOR                         multi-day events: the nearest CSS3 name to the band's colour
//   X-TEMPOVIRENS-HUE             the band's hue in degrees, exactly (when not 0)
//   X-TEMPOVIRENS-FORECAST        days of notice (user events: when not the default 7)
//   X-TEMPOVIRENS-PICTURE         the event's picture path, "<AppPath>" placeholder and all
//   X-TEMPOVIRENS-ANNIVERSARY:1   a yearly event that counts the years from DTSTART's year
//   X-TEMPOVIRENS-CATEGORY        1 fixed holiday, 2 movable feast (user events: none)
//   X-TEMPOVIRENS-DAYOFF:1        a holiday that is a day off
//   X-TEMPOVIRENS-RULE            a movable feast's rule ("easter", ...)
//   X-TEMPOVIRENS-ACTIVE:0        a movable feast that is switched off
//   X-TEMPOVIRENS-DAY, -REPEAT    see rule_mapping.h
#pragma once

#include <libical/ical.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/date.h"
#include "core/events/event_record.h"
#include "core/ical/ical_component.h"
#include "core/ical/import_issue.h"

namespace tv::ical {

inline constexpr int kDefaultForecastDays = 7;  // the editor's default for a new event

struct WriteOptions {
    std::string uid;    // empty: eventUid(record)
    DateTime stampUtc;  // DTSTAMP
};

// A new VEVENT for the record.
ComponentPtr eventToVevent(const EventRecord& e, const WriteOptions& options);

struct ReadContext {
    Date today;  // a repeating event that starts later than today cannot be held exactly
    // The time zone of a TZID: the file's own VTIMEZONE first, then the system's database.
    // Null (or no function): the time counts as local time.
    std::function<icaltimezone*(std::string_view tzid)> zone;
    // The zone whose dates the calendar shows; null: the system's local time.
    icaltimezone* localZone = nullptr;
};

struct VeventReading {
    // False: nothing can be made of it (no start date, a year the record cannot hold ...).
    bool usable = false;
    // The exact form, or the nearest one when `issues` is not empty. A user event, a fixed
    // holiday or a movable feast (one year's date of it) by X-TEMPOVIRENS-CATEGORY.
    EventRecord record;
    std::vector<IssueNote> issues;
    std::string uid;
    std::string summary;             // as the file has it, for the report
    bool changesOccurrence = false;  // RECURRENCE-ID: it changes one occurrence of `uid`
    bool exact() const { return issues.empty(); }
};
VeventReading veventToEvent(icalcomponent* vevent, const ReadContext& ctx);

// Puts our record onto an existing VEVENT, such as a server's copy, changing only what differs
// from what veventToEvent reads out of it: SUMMARY and DESCRIPTION unless the difference is only
// what Windows-1250 cannot hold (sameUpToRecordLimits); DTSTART, DTEND, DURATION, RRULE when the
// date or the repeat differs (EXDATE and RDATE stay); the alarm veventToEvent takes (other
// VALARMs stay); TRANSP, COLOR and our X- properties. LOCATION, ATTENDEE, other alarms,
// exceptions and every property we do not know are kept. The UID stays; DTSTAMP is renewed.
void applyEventToVevent(const EventRecord& e, icalcomponent* vevent, const ReadContext& ctx,
                        const WriteOptions& options);

// The VALARM veventToEvent takes as the event's alarm, or null.
icalcomponent* eventAlarmOf(icalcomponent* vevent, const ReadContext& ctx);

}  // namespace tv::ical
