// Today's date state: filled at every load of the calendar window and at every change of day.
#pragma once

#include <array>
#include <string>

#include "core/calc/calendar.h"
#include "core/calc/date.h"

namespace tv {

class StringTable;

struct TodayState {
    int year = 0;
    int month = 0;    // 1..12
    int day = 0;      // 1..31
    int weekday = 0;  // 1 = Sunday .. 7 = Saturday
    Date currentDay;  // today at midnight: what "today" means everywhere
    int season = 0;   // 1 spring (March..May), 2 summer, 3 autumn, 4 winter (December..February)
    std::array<std::string, 7> dayNames;  // Sunday first
    std::array<std::string, 12> monthNames;
    std::array<std::string, 12> monthShortNames;
    // February is held as 29; the month grid itself uses 28 in a common year.
    std::array<int, 12> daysPerMonth = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    // Kept across day changes; cleared when the window is unloaded.
    EasterCache easter;

    const std::string& dayName() const { return dayNames[static_cast<size_t>(weekday - 1)]; }
    const std::string& monthName() const { return monthNames[static_cast<size_t>(month - 1)]; }
};

// 1 spring .. 4 winter for a month 1..12.
int seasonOfMonth(int month);

// Sets the date parts from `now` and loads the day and month names ("main_days_0".. for Sunday..,
// "main_month_0".. and "main_month_short_0".. for January..). The Easter cache is left alone.
void setTodayState(TodayState& today, const DateTime& now, const StringTable& strings);

}  // namespace tv
