#include "core/calc/calendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tv {
namespace {

Date ymd(int y, int m, int d) {
    return *Date::fromYmd(y, m, d);
}

// Meeus's Gregorian computus, written independently of ours.
Date meeusGregorian(int y) {
    int a = y % 19, b = y / 100, c = y % 100, e = b % 4, f = (b + 8) / 25;
    int h = (19 * a + b - b / 4 - (b - f + 1) / 3 + 15) % 30;
    int l = (32 + 2 * e + 2 * (c / 4) - h - c % 4) % 7;
    int n = h + l - 7 * ((a + 11 * h + 22 * l) / 451) + 114;
    return ymd(y, n / 31, n % 31 + 1);
}

TEST(LeapYear, CenturiesAreLeapOnlyEveryFourHundredYears) {
    EXPECT_TRUE(!isLeapYear(1900) && isLeapYear(2000) && isLeapYear(2024) && !isLeapYear(2023));
}

TEST(Easter, KnownYearsAndTheCache) {
    EasterCache cache;
    EXPECT_EQ(cache.easterSunday(2024), ymd(2024, 3, 31));
    EXPECT_EQ(cache.easterSunday(2025), ymd(2025, 4, 20));
    EXPECT_EQ(cache.easterSunday(2019), ymd(2019, 4, 21));
    EXPECT_EQ(cache.easterSunday(2038), ymd(2038, 4, 25));
    EXPECT_EQ(cache.easterSunday(2285), ymd(2285, 3, 22));
    // Up to 1752 the Julian rule gives the day and month; 1753 is Gregorian.
    EXPECT_EQ(cache.easterSunday(1500), ymd(1500, 4, 19));
    EXPECT_EQ(cache.easterSunday(1752), ymd(1752, 3, 29));
    EXPECT_EQ(cache.easterSunday(1753), ymd(1753, 4, 22));
    EXPECT_EQ(cache.easterSunday(2024), ymd(2024, 3, 31));
    EXPECT_EQ(cache.size(), 8u);  // each year computed once
}

TEST(Easter, GregorianYearsAgreeWithMeeusOnASundayBetween22MarchAnd25April) {
    for (int y = 1753; y <= 9999; ++y) {
        Date e = computeEasterSunday(y);
        ASSERT_EQ(e, meeusGregorian(y)) << y;
        ASSERT_EQ(e.weekday(), 1) << y;
        ASSERT_TRUE(e >= ymd(y, 3, 22) && e <= ymd(y, 4, 25)) << y;
    }
}

TEST(weekNumber, KnownDates) {
    EXPECT_EQ(weekNumber(ymd(2021, 1, 1)), 0);  // a Friday
    EXPECT_EQ(weekNumber(ymd(2020, 1, 1)), 1);  // a Wednesday
    EXPECT_EQ(weekNumber(ymd(2020, 12, 31)), 53);
    EXPECT_EQ(weekNumber(ymd(2024, 12, 30)), 53);  // ISO: week 1 of 2025
}

TEST(weekNumber, IsTheIsoWeekWithinTheYearAndNeverWraps) {
    for (Date d = ymd(1901, 1, 1); d <= ymd(2100, 12, 31); d = d.addDays(1)) {
        Date thursday = d.addDays(4 - d.isoWeekday());
        int isoYear = thursday.year();
        int iso = Date::serial(isoYear, 1, 1).daysUntil(thursday) / 7 + 1;
        int expected = isoYear == d.year() ? iso : (isoYear < d.year() ? 0 : 53);
        ASSERT_EQ(weekNumber(d), expected) << d.serialNumber();
    }
}

TEST(Feasts, KnownDatesInAnyCase) {
    EasterCache c;
    EXPECT_EQ(feastDate("advent4", 2023, c), ymd(2023, 12, 24));
    EXPECT_EQ(feastDate("advent1", 2023, c), ymd(2023, 12, 3));
    EXPECT_EQ(feastDate("motherday", 2022, c), ymd(2022, 5, 1));
    EXPECT_EQ(feastDate("kidsday", 2022, c), ymd(2022, 5, 29));
    EXPECT_EQ(feastDate("EasterMonday", 2024, c), ymd(2024, 4, 1));
    EXPECT_EQ(feastDate("whitsunmonday", 2024, c), ymd(2024, 5, 20));
    for (const char* unknown : {"advent5", "advent", "easter ", ""}) {
        EXPECT_TRUE(feastDate(unknown, 2023, c).isZero()) << unknown;
    }
}

TEST(Feasts, FallOnTheirWeekdaysInsideTheirWindows) {
    EasterCache c;
    for (int y = 1800; y <= 2400; ++y) {
        Date a4 = feastDate("advent4", y, c);
        ASSERT_TRUE(a4.weekday() == 1 && a4 >= ymd(y, 12, 18) && a4 <= ymd(y, 12, 24)) << y;
        ASSERT_EQ(feastDate("advent1", y, c), a4.addDays(-21));
        Date mother = feastDate("motherday", y, c), kids = feastDate("kidsday", y, c);
        ASSERT_TRUE(mother.weekday() == 1 && mother.month() == 5 && mother.day() <= 7) << y;
        ASSERT_TRUE(kids.weekday() == 1 && kids.month() == 5 && kids.day() >= 25) << y;
        ASSERT_EQ(feastDate("eastermonday", y, c).weekday(), 2);
    }
}

TEST(Feasts, GoodFridayIsTwoDaysBeforeEaster) {
    EasterCache c;
    for (int y = 1900; y <= 2100; ++y) {
        const Date friday = feastDate("goodfriday", y, c);
        ASSERT_EQ(friday, meeusGregorian(y).addDays(-2)) << y;
        ASSERT_EQ(friday.weekday(), 6) << y;
    }
    EXPECT_EQ(feastDate("GoodFriday", 2026, c), ymd(2026, 4, 3));
    EXPECT_EQ(feastDate("goodfriday", 2285, c), ymd(2285, 3, 20));  // Easter on 22 March
    EXPECT_EQ(feastDate("goodfriday", 1752, c), ymd(1752, 3, 27));  // the Julian rule
    EXPECT_EQ(feastDateFrom("goodfriday", ymd(2026, 4, 4), c), ymd(2027, 3, 26));
}

TEST(Feasts, FromTheCurrentDayTakesNextYearOnlyOnceThisYearsHasPassed) {
    EasterCache c;
    EXPECT_EQ(feastDateFrom("easter", ymd(2024, 3, 31), c), ymd(2024, 3, 31));
    EXPECT_EQ(feastDateFrom("easter", ymd(2024, 4, 1), c), ymd(2025, 4, 20));
    EXPECT_EQ(feastDateFrom("advent4", ymd(2023, 12, 25), c), ymd(2024, 12, 22));
    EXPECT_TRUE(feastDateFrom("nosuchday", ymd(2024, 4, 1), c).isZero());
}

TEST(NameTable, EveryEntryIsUsedOnceAndTheLeapDayShiftsOnlyLateFebruary) {
    EXPECT_EQ(nameTableIndex(2024, 2, 24), kNameTableLeapDay);
    EXPECT_EQ(nameTableIndex(2024, 2, 25), nameTableIndex(2023, 2, 24));
    EXPECT_EQ(nameTableIndex(2024, 2, 29), nameTableIndex(2023, 2, 28));
    EXPECT_EQ(nameTableIndex(2024, 3, 1), nameTableIndex(2023, 3, 1));
    for (int y : {2023, 2024}) {
        std::vector<int> uses(365, 0);
        for (Date d = ymd(y, 1, 1); d.year() == y; d = d.addDays(1)) {
            int i = nameTableIndex(y, d.month(), d.day());
            if (i != kNameTableLeapDay) ++uses.at(static_cast<size_t>(i));
        }
        EXPECT_EQ(std::count(uses.begin(), uses.end(), 1), 365) << y;
    }
    EXPECT_EQ(nameTableIndex(2023, 2, 29), kNameTableInvalid);
    EXPECT_EQ(nameTableIndex(2024, 4, 31), kNameTableInvalid);
}

}  // namespace
}  // namespace tv
