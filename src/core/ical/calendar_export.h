// The user's events as one iCalendar file (RFC 5545), for any other calendar program.
#pragma once

#include <string>

#include "core/calc/date.h"
#include "core/events/event_record.h"

namespace tv::ical {

struct ExportOptions {
    bool holidays = false;  // also the built-in holidays that are switched on
    int fromYear = 0;       // movable feasts: one event a year, fromYear..toYear
    int toYear = 0;
    DateTime stampUtc;  // DTSTAMP of every event
};

struct ExportResult {
    std::string text;  // the whole file, CR LF line ends
    int events = 0;    // user events written
    int holidays = 0;  // holiday and feast events written
};

// User events in slot order, then fixed holidays (yearly events) and movable feasts (their dates
// in the years asked for). A selected-months event without any month has no date and is left out.
ExportResult exportCalendar(const EventTable& table, const ExportOptions& options);

}  // namespace tv::ical
