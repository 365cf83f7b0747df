#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "core/calc/text_format.h"
#include "core/config/string_table.h"

namespace tv {
namespace {

Date ymd(int y, int m, int d) {
    return *Date::fromYmd(y, m, d);
}

// Each phrase shows its kind and parameters, so a test sees which one was chosen.
class TimeSpent : public ::testing::Test {
protected:
    TimeSpent() {
        for (const char* kind : {"d", "m", "md", "y", "ym", "yd", "ymd"}) {
            strings.table().add(std::string("time_spent_") + kind, std::string(kind) + " $1 $2 $3");
        }
    }
    std::string between(Date a, Date b) { return timeSpentBetween(a, b, strings); }
    StringTable strings;
};

TEST_F(TimeSpent, ChoosesThePhraseByWhichPartsAreZero) {
    EXPECT_EQ(between(ymd(2024, 5, 15), ymd(2024, 5, 15)), "time_spent_today");
    EXPECT_EQ(between(ymd(2024, 5, 15), ymd(2024, 5, 14)), "time_spent_no");
    EXPECT_EQ(between(ymd(2024, 5, 15), ymd(2024, 5, 20)), "d 5 $2 $3");
    EXPECT_EQ(between(ymd(2024, 5, 15), ymd(2024, 7, 20)), "md 2 5 $3");
    EXPECT_EQ(between(ymd(2024, 5, 15), ymd(2024, 7, 15)), "m 2 $2 $3");
    EXPECT_EQ(between(ymd(2020, 5, 15), ymd(2024, 7, 20)), "ymd 4 2 5");
    EXPECT_EQ(between(ymd(2020, 5, 15), ymd(2024, 5, 20)), "yd 4 5 $3");
    EXPECT_EQ(between(ymd(2023, 3, 9), ymd(2024, 3, 9)), "y 1 $2 $3");
}

TEST_F(TimeSpent, BorrowTakesTheLengthOfTheMonthBeforeTheEnd) {
    EXPECT_EQ(between(ymd(2023, 3, 10), ymd(2024, 3, 9)), "md 11 28 $3");   // February 2024: 29
    EXPECT_EQ(between(ymd(2023, 12, 20), ymd(2024, 1, 5)), "d 16 $2 $3");   // December: 31
    EXPECT_EQ(between(ymd(2023, 5, 31), ymd(2024, 5, 30)), "md 11 29 $3");  // April: 30
    EXPECT_EQ(between(ymd(2023, 2, 10), ymd(2023, 3, 5)), "d 23 $2 $3");    // February 2023: 28
    EXPECT_EQ(between(ymd(2100, 2, 10), ymd(2100, 3, 5)), "d 23 $2 $3");    // not leap either
    EXPECT_EQ(between(ymd(2000, 2, 10), ymd(2000, 3, 5)), "d 24 $2 $3");    // leap by the 400s
}

TEST_F(TimeSpent, SinceRejectsEmptyAndImpossibleDates) {
    const Date today = ymd(2024, 7, 1);
    EXPECT_EQ(timeSpentSince("2024", "2", "29", today, strings), "md 4 2 $3");
    EXPECT_EQ(timeSpentSince(" 2000", "07", "1", today, strings), "y 24 $2 $3");
    EXPECT_EQ(timeSpentSince("100", "7", "1", today, strings), "y 1924 $2 $3");
    for (auto [y, m, d] : {std::tuple{"2023", "2", "29"},
                           {"", "2", "1"},
                           {"99", "2", "1"},
                           {"10000", "1", "1"},
                           {"2024", "0", "1"},
                           {"2024", "1", "0"},
                           {"2024", "13", "1"},
                           {"2024", "4", "31"},
                           {"*", "4", "1"}}) {
        EXPECT_EQ(timeSpentSince(y, m, d, today, strings), "time_spent_invalid") << y << m << d;
    }
}

TEST(IsoText, PadsEveryPartAndParsesBackToTheSameValue) {
    EXPECT_EQ(isoDate(ymd(100, 1, 1)), "0100-01-01");
    EXPECT_EQ(isoDateTime(DateTime::of(ymd(2024, 3, 9), 7, 5, 0)), "2024-03-09T07:05:00");
    for (Date d = ymd(100, 1, 1); d <= ymd(9999, 12, 31); d = d.addDays(97)) {
        ASSERT_EQ(parseDate(isoDate(d)), d) << isoDate(d);
        const int64_t spread = int64_t{d.serialNumber()} * 7919 % 86400;
        DateTime t{d, static_cast<int32_t>((spread + 86400) % 86400)};
        ASSERT_EQ(parseDateTime(isoDateTime(t)), t) << isoDateTime(t);
    }
}

TEST(parseDate, TakesDashesDotsAndMonthsAloneAndNothingElse) {
    for (const char* text : {"2024-03-09", "  2024.03.09. ", "2024.03.09", "2024. 03. 09.",
                             "2024/3/9", "2024-03-09T07:05:00"}) {
        EXPECT_EQ(parseDate(text), ymd(2024, 3, 9)) << text;
    }
    EXPECT_EQ(parseDate("2024-00003-09"), ymd(2024, 3, 9));  // up to five digits a field
    EXPECT_TRUE(parseDate("2024-000003-09").isZero());
    EXPECT_TRUE(parseDate("002024-03-09").isZero());
    for (const char* text : {"2024.03", "2024.03.", "2024-3"}) {
        EXPECT_EQ(parseDate(text), ymd(2024, 3, 1)) << text;
    }
    for (const char* bad : {"", "2024", "2023-02-29", "2024-13-01", "2024-03-09-01", "abc",
                            "-2024-01-01", "10000-01-01", "2024..03", "2024.03.09..", "24:00",
                            "2024x03x09", "2024_3_9", "2024 03 09"}) {
        EXPECT_TRUE(parseDate(bad).isZero()) << bad;
    }
}

TEST(parseDateTime, TakesTheIsoFormLenientFormsAndRejectsImpossibleParts) {
    const Date d = ymd(2024, 3, 9);
    EXPECT_EQ(parseDateTime("2024-03-09 07:05"), DateTime::of(d, 7, 5, 0));
    EXPECT_EQ(parseDateTime("2024.03.09. 7:05:30"), DateTime::of(d, 7, 5, 30));
    EXPECT_EQ(parseDateTime("07:05"), DateTime::of(Date{}, 7, 5, 0));
    // Trailing junk makes the whole text invalid, in the short and in the full form.
    for (const char* bad :
         {"2024-03-09T24:00:00", "2024-03-09T23:60:00", "2024-02-30T00:00:00",
          "2024-03-09T07:05:0x", "2024-03-09X07:05", "nonsense", "", "2024-03-09 07:05xyz",
          "07:05xyz", "2024-03-09T07:05:00xyz", "2024-03-09T07:05:00 1", "2024-03-09 07:05:"}) {
        EXPECT_EQ(parseDateTime(bad), DateTime{}) << bad;
    }
}

}  // namespace
}  // namespace tv
