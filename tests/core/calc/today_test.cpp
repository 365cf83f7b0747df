#include "core/calc/today.h"

#include <gtest/gtest.h>

#include <string>

#include "core/config/string_table.h"

namespace tv {
namespace {

TEST(Today, FillsTheDatePartsAndNamesAndKeepsTheEasterCache) {
    StringTable strings;
    strings.table().add("main_days_6", "szombat");
    strings.table().add("main_month_2", "március");
    strings.table().add("main_month_short_2", "márc.");
    TodayState today;
    today.easter.easterSunday(2024);

    setTodayState(today, DateTime::of(*Date::fromYmd(2024, 3, 9), 7, 5, 0), strings);
    EXPECT_EQ(today.year * 10000 + today.month * 100 + today.day, 20240309);
    EXPECT_EQ(today.currentDay, *Date::fromYmd(2024, 3, 9));
    EXPECT_EQ(today.dayName(), "szombat");
    EXPECT_EQ(today.monthName() + today.monthShortNames[2], "márciusmárc.");
    EXPECT_EQ(today.monthNames[0], "main_month_0");  // a missing text shows its key
    EXPECT_EQ(today.season, 1);
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(seasonOfMonth(m), "441112223334"[m - 1] - '0') << m;
    EXPECT_EQ(today.easter.size(), 1u);
}

}  // namespace
}  // namespace tv
