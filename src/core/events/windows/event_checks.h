// The rules a user event or fixed holiday must meet to be stored, on plain numbers: the editor's
// save and the iCalendar import judge a record by the same checks and the same duplicate rule.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/events/event_record.h"
#include "core/events/windows/event_editor.h"

namespace tv {

inline constexpr int kOnceYearMin = 1900;
inline constexpr int kOnceYearMax = 2999;
inline constexpr int kBaseYearMin = 100;
inline constexpr int kBaseYearMax = 9999;
inline constexpr int kMaxForecastDays = 365;
inline constexpr int kLastDayOfMonth = 32;  // monthly events: always the month's last day
inline constexpr int kAllMonthsMask = 0xFFF;

// The values a save reads, before they are narrowed into the record's fields.
struct EventValues {
    bool user = true;  // a user event; false: a fixed holiday
    int kind = 0;      // repeat kind 0..3
    int year = 0;      // one-time events and anniversaries; 0 otherwise
    int month = 0;     // 1..12, or the month mask for selected months
    int day = 0;
    int forecast = 0;  // days of notice (user events)
    bool anniversary = false;
    bool alarmOn = false;
    int alarmHour = 0;
    int alarmMinute = 0;
};

// The values of a stored record.
EventValues valuesOf(const EventRecord& e);

// A refusal: the string-table key, its parameters and the field to correct.
struct ValueProblem {
    std::string key;
    std::vector<std::string> params;
    EditorField focus = EditorField::kNone;
};

// The date checks, in the editor's order: month, day, leap day, year limits; for monthly and
// selected-months events the day 1..32 and a mask with at least one month.
std::optional<ValueProblem> checkEventDate(const EventValues& v);
// The checks after the date: days of notice 0..365, alarm hour and minute.
std::optional<ValueProblem> checkEventNotice(const EventValues& v);
// Both, in order.
std::optional<ValueProblem> checkEventValues(const EventValues& v);
// A monthly event on the 29th..31st falls on the last day of shorter months: worth telling.
bool dayMissingInSomeMonths(const EventValues& v);

// The editor's duplicate rule for user events: the same name (trimmed, any case), the same repeat
// kind and the same date (one-time: year, month, day; yearly: month, day and anniversary, and
// the base year of an anniversary; monthly: day; selected months: the mask).
bool sameUserEvent(const EventRecord& a, const EventRecord& b);
// Equal for exactly the user events sameUserEvent pairs, so a whole table can be searched at once.
std::string userEventKey(const EventRecord& e);
// Fixed holidays allow one a day.
bool sameHolidayDay(const EventRecord& a, const EventRecord& b);

}  // namespace tv
