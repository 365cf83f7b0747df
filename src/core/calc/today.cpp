#include "core/calc/today.h"

#include <string>

#include "core/config/string_table.h"

namespace tv {

int seasonOfMonth(int month) {
    if (month >= 3 && month <= 5) return 1;
    if (month >= 6 && month <= 8) return 2;
    if (month >= 9 && month <= 11) return 3;
    return 4;
}

void setTodayState(TodayState& today, const DateTime& now, const StringTable& strings) {
    const Ymd ymd = now.date.ymd();
    today.year = ymd.year;
    today.month = ymd.month;
    today.day = ymd.day;
    today.weekday = now.date.weekday();
    today.currentDay = now.date;
    today.season = seasonOfMonth(ymd.month);
    today.daysPerMonth = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

    for (size_t i = 0; i < today.dayNames.size(); ++i) {
        today.dayNames[i] = strings.getString("main_days_" + std::to_string(i));
    }
    for (size_t i = 0; i < today.monthNames.size(); ++i) {
        today.monthNames[i] = strings.getString("main_month_" + std::to_string(i));
        today.monthShortNames[i] = strings.getString("main_month_short_" + std::to_string(i));
    }
}

}  // namespace tv
