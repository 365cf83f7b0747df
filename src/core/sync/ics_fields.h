// The pieces of our VEVENT mapping both directions share: property names and the repeat rule.
#pragma once

#include <libical/ical.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/events/event_record.h"

namespace tv::ics {

inline constexpr const char* kForecast = "X-TEMPOVIRENS-FORECAST";
inline constexpr const char* kHue = "X-TEMPOVIRENS-HUE";
inline constexpr const char* kPicture = "X-TEMPOVIRENS-PICTURE";
inline constexpr const char* kAnniversary = "X-TEMPOVIRENS-ANNIVERSARY";
inline constexpr const char* kMonthDay = "X-TEMPOVIRENS-MONTHDAY";  // 29..32 of a monthly event
inline constexpr const char* kAlarm = "X-TEMPOVIRENS-ALARM";        // HH:MM; marks our VALARM
// Yearly events without a base year start in this (leap) year on the server.
inline constexpr int kFloatingYear = 2000;

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// The parsed object, or null. Bounded in size; libical reports errors without ending the process.
Component parse(std::string_view ics);
// The VEVENT without RECURRENCE-ID (the series itself), or null.
icalcomponent* masterEvent(icalcomponent* calendar);
std::string serialize(icalcomponent* calendar);

std::optional<std::string> xValue(icalcomponent* c, const char* name);
void setX(icalcomponent* c, const char* name, const std::optional<std::string>& value);

// "FREQ=YEARLY" and friends for the record's repeat kind; empty for a one-time event.
std::string repeatRule(const EventRecord& r);
// DTSTART of the record as a date.
icaltimetype startDate(const EventRecord& r);
icaltimetype dateOf(int year, int month, int day);

}  // namespace tv::ics
