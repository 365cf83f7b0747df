// A server's calendar object as the sync engine sees it: the record <-> VEVENT mapping of
// core/ical on whole objects (a master VEVENT with its exceptions), and which objects the event
// table cannot show. Other programs' alarms are never taken for ours: a VALARM that does not ring
// at a time of the event's own day is left out of the mapping and kept as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/calc/date.h"
#include "core/events/event_record.h"

namespace tv {

// Why a server object has no place in the event table.
enum class IcsUnfit : uint8_t {
    kNone = 0,
    kUnreadable,  // not iCalendar, or no VEVENT
    kNoUid,       // a VEVENT without UID cannot be matched again
    kRepeatRule,  // a repeat the calendar has no kind for (weekly, every second year, ...)
    kDateRange,   // no date the calendar can hold
    kBuiltIn,     // a holiday or feast: the calendar has its own
};

struct IcsEvent {
    IcsUnfit unfit = IcsUnfit::kNone;
    std::string uid;
    EventRecord record;  // a used user event when unfit is kNone
};

// Server objects are small; anything larger is refused unread.
inline constexpr size_t kMaxIcsBytes = size_t{1} << 20;

// The master VEVENT of a calendar object (exceptions and other components are left alone).
// `today` decides how a repeat that starts later is read.
IcsEvent readIcsEvent(std::string_view ics, Date today = Date());

// A new calendar object for the record.
std::string newIcsEvent(const EventRecord& record, std::string_view uid, DateTime stampUtc);

// The record's fields written onto the server's copy. Only the properties whose meaning differs
// from the record are touched, so what other programs stored there (location, attendees, their
// alarms, exceptions, unknown properties, emoji our texts cannot hold) stays as it was. Empty when
// the copy cannot be read.
std::string applyRecordToIcs(std::string_view serverIcs, const EventRecord& record,
                             DateTime stampUtc, Date today = Date());

// The UID of a record that has none yet: derived from its duplicate key, so that a write whose
// answer was lost and is tried again, or the same event typed on two machines, meets the same
// server object instead of making a second one. `attempt` (0, 1, ...) makes another one when the
// first is taken by a different event.
std::string deriveUid(const EventRecord& record, int attempt);

}  // namespace tv
