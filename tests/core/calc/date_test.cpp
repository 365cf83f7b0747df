// The date type by its laws, over the whole range it accepts (years 100 to 9999), rather than a
// few chosen days.
#include "core/calc/date.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

constexpr Date kFirst = Date::serial(100, 1, 1);
constexpr Date kLast = Date::serial(9999, 12, 31);

TEST(Date, EveryDayOfTheRangeRoundTripsAndFollowsTheDayBefore) {
    Ymd prev = kFirst.addDays(-1).ymd();
    EXPECT_EQ(prev, (Ymd{99, 12, 31}));
    int weekday = kFirst.addDays(-1).weekday();
    for (Date d = kFirst; d <= kLast; d = d.addDays(1)) {
        const Ymd ymd = d.ymd();
        // Each day is the next after the one before: the same month, or the first of the next.
        const bool sameMonth =
            ymd.year == prev.year && ymd.month == prev.month && ymd.day == prev.day + 1;
        const bool nextMonth = ymd.day == 1 && prev.day == daysInMonth(prev.year, prev.month) &&
                               ((ymd.month == prev.month + 1 && ymd.year == prev.year) ||
                                (ymd.month == 1 && prev.month == 12 && ymd.year == prev.year + 1));
        ASSERT_TRUE(sameMonth || nextMonth) << ymd.year << "-" << ymd.month << "-" << ymd.day;
        ASSERT_EQ(Date::fromYmd(ymd.year, ymd.month, ymd.day), d);
        ASSERT_EQ(Date::serial(ymd.year, ymd.month, ymd.day), d);
        ASSERT_EQ(d.weekday(), weekday % 7 + 1);
        ASSERT_EQ(d.isoWeekday(), (d.weekday() + 5) % 7 + 1);
        prev = ymd;
        weekday = d.weekday();
    }
    EXPECT_EQ(prev, (Ymd{9999, 12, 31}));
}

TEST(Date, KnownDaysAnchorTheCount) {
    EXPECT_TRUE(Date{}.isZero());
    EXPECT_EQ(Date::serial(1899, 12, 30).serialNumber(), 0);
    EXPECT_EQ(Date::serial(1900, 1, 1).serialNumber(), 2);
    EXPECT_EQ(Date::serial(2024, 3, 9).serialNumber(), 45360);
    EXPECT_EQ(Date::serial(1899, 12, 30).weekday(), 7);  // a Saturday
    EXPECT_EQ(Date::serial(2024, 3, 10).weekday(), 1);   // a Sunday
    EXPECT_EQ(Date::serial(2024, 3, 11).isoWeekday(), 1);
    EXPECT_EQ(Date::serial(2024, 3, 10).isoWeekday(), 7);
    EXPECT_EQ(kFirst.addDays(-1).weekday(), Date::serial(99, 12, 31).weekday());
    EXPECT_EQ(Date::fromSerial(-1).ymd(), (Ymd{1899, 12, 29}));
    EXPECT_EQ(Date::fromSerial(-1).weekday(), 6);  // before day 0 the week still turns
}

TEST(Date, CheckedConstructionTakesExactlyTheDaysThatExist) {
    EXPECT_TRUE(Date::fromYmd(100, 1, 1));
    EXPECT_FALSE(Date::fromYmd(99, 12, 31));
    EXPECT_TRUE(Date::fromYmd(9999, 12, 31));
    EXPECT_FALSE(Date::fromYmd(10000, 1, 1));
    EXPECT_FALSE(Date::fromYmd(2024, 0, 1));
    EXPECT_FALSE(Date::fromYmd(2024, 13, 1));
    EXPECT_FALSE(Date::fromYmd(2024, 1, 0));
    for (int y : {1900, 2000, 2023, 2024, 2100}) {
        for (int m = 1; m <= 12; ++m) {
            const int last = daysInMonth(y, m);
            EXPECT_TRUE(Date::fromYmd(y, m, last)) << y << "-" << m;
            EXPECT_FALSE(Date::fromYmd(y, m, last + 1)) << y << "-" << m;
        }
    }
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2023, 2), 28);
    EXPECT_EQ(daysInMonth(2024, 2), 29);
}

TEST(Date, OutOfRangeMonthsAndDaysRollOver) {
    EXPECT_EQ(Date::serial(2023, 13, 1), Date::serial(2024, 1, 1));
    EXPECT_EQ(Date::serial(2024, 0, 1), Date::serial(2023, 12, 1));
    EXPECT_EQ(Date::serial(2024, -11, 1), Date::serial(2023, 1, 1));
    EXPECT_EQ(Date::serial(2024, -12, 1), Date::serial(2022, 12, 1));
    EXPECT_EQ(Date::serial(2024, 25, 1), Date::serial(2026, 1, 1));
    EXPECT_EQ(Date::serial(2024, 3, 0), Date::serial(2024, 2, 29));
    EXPECT_EQ(Date::serial(2023, 3, 0), Date::serial(2023, 2, 28));
    EXPECT_EQ(Date::serial(2024, 2, 30), Date::serial(2024, 3, 1));
    EXPECT_EQ(Date::serial(2024, 1, -1), Date::serial(2023, 12, 30));
    EXPECT_EQ(Date::serial(2024, 1, 366), Date::serial(2024, 12, 31));
    // Adding months by rolling and taking them off again gives the first of the month back.
    for (int y = 1900; y <= 2100; y += 7) {
        for (int m = 1; m <= 12; ++m) {
            for (int add : {-25, -13, -12, -1, 1, 11, 12, 13, 100}) {
                const Date later = Date::serial(y, m + add, 1);
                const Ymd l = later.ymd();
                EXPECT_EQ(Date::serial(l.year, l.month - add, 1), Date::serial(y, m, 1));
                EXPECT_EQ(l.day, 1);
            }
        }
    }
}

TEST(Date, DaysBetweenAndOrderAgreeWithTheSerial) {
    const Date a = Date::serial(2024, 2, 28);
    const Date b = Date::serial(2024, 3, 1);
    EXPECT_EQ(a.daysUntil(b), 2);
    EXPECT_EQ(b.daysUntil(a), -2);
    EXPECT_EQ(a.addDays(2), b);
    EXPECT_LT(a, b);
    EXPECT_EQ(kFirst.daysUntil(kLast), 3615899);
}

TEST(DateTime, SplitsItsSecondsAndOrdersByDateThenTime) {
    const DateTime t = DateTime::of(Date::serial(2024, 3, 9), 23, 59, 58);
    EXPECT_EQ(t.second, 86398);
    EXPECT_EQ(t.hour(), 23);
    EXPECT_EQ(t.minute(), 59);
    EXPECT_EQ(t.sec(), 58);
    EXPECT_DOUBLE_EQ(DateTime::of(Date::fromSerial(2), 12, 0, 0).asDays(), 2.5);
    EXPECT_LT(t, DateTime::of(Date::serial(2024, 3, 10), 0, 0, 0));
    EXPECT_LT(DateTime::of(Date::serial(2024, 3, 9), 7, 0, 0), t);
}

}  // namespace
}  // namespace tv
