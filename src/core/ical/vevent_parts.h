// Inside the VEVENT mapping: the properties of ours, and the pieces the writer, the reader and
// the apply step share. Not for use outside core/ical.
#pragma once

#include <libical/ical.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/calc/date.h"
#include "core/events/event_record.h"
#include "core/ical/vevent_mapping.h"

namespace tv::ical {

inline constexpr const char* kPropHue = "X-TEMPOVIRENS-HUE";
inline constexpr const char* kPropForecast = "X-TEMPOVIRENS-FORECAST";
inline constexpr const char* kPropPicture = "X-TEMPOVIRENS-PICTURE";
inline constexpr const char* kPropAnniversary = "X-TEMPOVIRENS-ANNIVERSARY";
inline constexpr const char* kPropCategory = "X-TEMPOVIRENS-CATEGORY";
inline constexpr const char* kPropDayOff = "X-TEMPOVIRENS-DAYOFF";
inline constexpr const char* kPropRule = "X-TEMPOVIRENS-RULE";
inline constexpr const char* kPropActive = "X-TEMPOVIRENS-ACTIVE";
inline constexpr const char* kPropDay = "X-TEMPOVIRENS-DAY";
inline constexpr const char* kPropRepeat = "X-TEMPOVIRENS-REPEAT";
inline constexpr std::string_view kRepeatMonths = "months";

// X- properties by name, any case.
icalproperty* findX(icalcomponent* c, std::string_view name);
std::optional<std::string> xText(icalcomponent* c, std::string_view name);
std::optional<int> xNumber(icalcomponent* c, std::string_view name);
// Replaces every property of that name with one holding `value`; an empty value removes them.
void setX(icalcomponent* c, const char* name, const std::string& value);
void removeAll(icalcomponent* c, icalproperty_kind kind);

icaltimetype dateValue(Date d);

// The groups of properties the record owns.
void writeTexts(icalcomponent* vevent, const EventRecord& e);
void writeDates(icalcomponent* vevent, const EventRecord& e);
void writeAlarm(icalcomponent* vevent, const EventRecord& e);  // adds one VALARM when on
void writeOwnProperties(icalcomponent* vevent, const EventRecord& e);
void writeStamp(icalcomponent* vevent, const WriteOptions& options);

// Midnight of a day and a time of day in the calendar's own zone.
struct LocalMoment {
    Date date;
    int minute = 0;  // minutes since midnight, 0..1439
};
// A DTSTART/DTEND-like value with its TZID (empty: floating or UTC as the value says).
LocalMoment localMoment(icaltimetype t, std::string_view tzid, const ReadContext& ctx);
std::string tzidOf(icalproperty* p);

}  // namespace tv::ical
