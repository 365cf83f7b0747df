// The Hungarian holidays and movable feasts every new event table starts with.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/events/event_record.h"

namespace tv {

struct BuiltinHoliday {
    uint8_t category;  // 1: fixed date, 2: movable feast
    int month;
    int day;  // for movable feasts only a first guess: the date comes from ruleKey each year
    int dayOff;
    int forecastDays;  // 1: announced ahead, 0: never
    std::string_view ruleKey;
    std::string_view name;
    std::string_view comment;
    std::string_view picture;
};

inline constexpr int kFixedHolidayCount = 14;
// The ten feasts of the first tables, then Good Friday (see holidays.cpp).
inline constexpr int kMovableFeastCount = 11;
// Row of "Valentin nap": the one fixed holiday an imported legacy holiday list lacks.
inline constexpr int kValentinesDayRow = 2;
// Row of "Nagypéntek", which tables made before version 2.3.0 lack.
inline constexpr int kGoodFridayRow = 25;
inline constexpr std::string_view kGoodFridayRule = "goodfriday";

// The 25 rows in creation order: the fixed-date holidays, then the movable feasts.
std::span<const BuiltinHoliday> builtinHolidays();

// Set 0 appends the fixed-date holidays, set 1 the movable feasts; other values do nothing.
// The caller saves the table.
void createBuiltinHolidays(EventTable& table, int set);
// Appends one row (1-based, as in builtinHolidays()).
void addBuiltinHolidayRow(EventTable& table, int row);

}  // namespace tv
