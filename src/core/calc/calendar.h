// Calendar arithmetic: leap years, our week numbers, Easter and the movable feasts, and the leap
// day of the name-day table.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "core/calc/date.h"

namespace tv {

bool isLeapYear(int year);

// Weeks start on Monday. Week 1 is the week of 1 January when that falls on Monday..Thursday;
// otherwise the days before the first Monday are week 0. Weeks never wrap into the next year,
// so late December can be week 53 where ISO 8601 would say week 1.
int weekNumber(Date d);

// Easter Sunday by the Julian computus up to 1752 and the Gregorian one after, remembered per
// year. Lives as long as the calendar window; clear() when it is unloaded.
class EasterCache {
public:
    Date easterSunday(int year);
    void clear() { entries_.clear(); }
    size_t size() const { return entries_.size(); }

private:
    std::vector<std::pair<int, Date>> entries_;
};

// Easter Sunday without a cache.
Date computeEasterSunday(int year);

// The date of a movable feast in `year`: "advent1".."advent4", "motherday", "kidsday",
// "goodfriday", "easter", "eastermonday", "whitsun", "whitsunmonday", in any case. An unknown
// name, or a year outside 100..9999, gives the zero date.
Date feastDate(std::string_view name, int year, EasterCache& easter);

// The feast's date this year, or next year's when this year's is already past.
Date feastDateFrom(std::string_view name, Date currentDay, EasterCache& easter);

// Whether bit `bit` (0 = lowest) of `value` is set; false for a bit outside 0..31.
bool isBitSet(int value, int bit);

// Midnights crossed from a to b, negative when b is earlier.
int daysBetween(Date a, Date b);

// Day of the year as in a common year (1 January = 1, 31 December = 365); 0 for a month or day
// that a common year does not have (29 February included).
int dayOfYearCommon(int month, int day);

inline constexpr int kNameTableLeapDay = -1;
inline constexpr int kNameTableInvalid = -2;

// Index into the 365-entry name-day table (0..364). In a leap year 24 February is the leap day
// (kNameTableLeapDay: it shows the leap-day text) and 25..29 February take the entries of the day
// before them; from 1 March on both kinds of year line up again. kNameTableInvalid for a date
// that does not exist.
int nameTableIndex(int year, int month, int day);

}  // namespace tv
