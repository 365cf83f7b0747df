#include "core/events/occurrence.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

Date ymd(int y, int m, int d) {
    return *Date::fromYmd(y, m, d);
}

EventRecord event(RepeatKind repeat, int year, int month, int day) {
    EventRecord e;
    e.inUse = -1;
    e.repeat = static_cast<uint8_t>(repeat);
    e.year = static_cast<int16_t>(year);
    e.month = static_cast<int16_t>(month);
    e.day = static_cast<uint8_t>(day);
    return e;
}

TEST(Occurrence, LeapDayAndNotYetBegunAnniversaries) {
    EventRecord e = event(RepeatKind::kYearly, 2000, 2, 29);
    e.anniversary = 1;
    EXPECT_EQ(nextOccurrence(e, ymd(2024, 3, 1)), ymd(2025, 2, 28));
    EXPECT_EQ(previousOccurrence(e, ymd(2025, 2, 1)), ymd(2024, 2, 29));
    // Also in the current common year: never rolled over into March.
    EXPECT_EQ(nextOccurrence(e, ymd(2025, 2, 10)), ymd(2025, 2, 28));
    EXPECT_EQ(previousOccurrence(e, ymd(2025, 3, 10)), ymd(2025, 2, 28));
    e.year = 2026;  // its base date is still ahead: that is both occurrences
    EXPECT_EQ(nextOccurrence(e, ymd(2025, 6, 1)), ymd(2026, 2, 28));
    EXPECT_EQ(previousOccurrence(e, ymd(2025, 6, 1)), ymd(2026, 2, 28));
    e.anniversary = 0;  // a plain yearly event has no start
    EXPECT_EQ(previousOccurrence(e, ymd(2025, 6, 1)), ymd(2025, 2, 28));
}

TEST(Occurrence, MonthlyEventsInShortMonths) {
    EventRecord e = event(RepeatKind::kMonthly, 0, 0, 31);
    EXPECT_EQ(nextOccurrence(e, ymd(2025, 4, 30)), ymd(2025, 4, 30));
    EXPECT_EQ(previousOccurrence(e, ymd(2025, 4, 30)), ymd(2025, 3, 31));
    EXPECT_EQ(nextOccurrence(e, ymd(2024, 2, 10)), ymd(2024, 2, 29));
    e.day = 32;  // the editor's "last day of the month"
    EXPECT_EQ(nextOccurrence(e, ymd(2025, 2, 10)), ymd(2025, 2, 28));
}

TEST(Occurrence, SelectedMonthsStepToTheNextMarkedMonth) {
    const int janAndOct = 1 | (1 << 9);
    EventRecord e = event(RepeatKind::kSelectedMonths, 0, janAndOct, 15);
    EXPECT_EQ(nextOccurrence(e, ymd(2025, 3, 1)), ymd(2025, 10, 15));
    EXPECT_EQ(nextOccurrence(e, ymd(2025, 10, 16)), ymd(2026, 1, 15));
    EXPECT_EQ(previousOccurrence(e, ymd(2025, 3, 1)), ymd(2025, 1, 15));
    EXPECT_EQ(previousOccurrence(e, ymd(2025, 1, 14)), ymd(2024, 10, 15));
    // Only this month marked, and its day already gone: a whole year round.
    e.month = 1 << 5;
    EXPECT_EQ(nextOccurrence(e, ymd(2025, 6, 20)), ymd(2026, 6, 15));
    EXPECT_EQ(previousOccurrence(e, ymd(2025, 6, 10)), ymd(2024, 6, 15));
    e.month = 0;
    EXPECT_TRUE(nextOccurrence(e, ymd(2025, 6, 20)).isZero());
}

// Over two years of days: an occurrence never lies between the previous and the next one, and
// both agree on whether today is one.
TEST(Occurrence, NextAndPreviousBracketTodayForEveryKind) {
    const EventRecord events[] = {
        event(RepeatKind::kYearly, 0, 1, 1),
        event(RepeatKind::kYearly, 0, 12, 31),
        event(RepeatKind::kMonthly, 0, 0, 1),
        event(RepeatKind::kMonthly, 0, 0, 28),
        event(RepeatKind::kSelectedMonths, 0, 0b100000100001, 10),
    };
    for (const EventRecord& e : events) {
        for (Date t = ymd(2023, 12, 1); t < ymd(2026, 1, 31); t = t.addDays(1)) {
            Date next = nextOccurrence(e, t);
            Date prev = previousOccurrence(e, t);
            ASSERT_LE(prev, t);
            ASSERT_GE(next, t);
            ASSERT_EQ(next == t, prev == t) << e.repeat << " " << t.serialNumber();
            if (next > t) {
                ASSERT_EQ(nextOccurrence(e, t.addDays(1)), next);
            }
            if (prev < t) {
                ASSERT_EQ(previousOccurrence(e, t.addDays(-1)), prev);
            }
        }
    }
}

TEST(Occurrence, FeastsGoByTheirRule) {
    EventRecord e = event(RepeatKind::kYearly, 0, 4, 4);
    e.category = static_cast<uint8_t>(EventCategory::kFeast);
    e.ruleKey = "easter";
    EasterCache easter;
    FeastOccurrence f = feastOccurrences(e, ymd(2025, 4, 21), easter);
    EXPECT_EQ(f.next, ymd(2026, 4, 5));
    EXPECT_EQ(f.previous, ymd(2025, 4, 20));
    EXPECT_EQ(nextOccurrenceOf(e, ymd(2025, 1, 1), easter), ymd(2025, 4, 20));
    e.ruleKey = "lent";
    EXPECT_TRUE(feastOccurrences(e, ymd(2025, 1, 1), easter).next.isZero());
}

TEST(Occurrence, SortKeysFoldCaseIncludingHungarianLetters) {
    EXPECT_EQ(foldSortKey("0705ÁRVÍZTŰRŐ Tükörfúrógép"), "0705árvíztűrő tükörfúrógép");
    EXPECT_EQ(foldSortKey("ŐZ"), foldSortKey("őz"));
    EXPECT_LT(foldSortKey("alma"), foldSortKey("Barack"));
    EXPECT_EQ(foldSortKey("\xff broken"), "\xff broken");
    // Latin Extended-A pairs: capitals on even code points up to U+0137, on odd ones from
    // U+0139 to U+0148 and from U+0179; Ÿ's small letter sits in Latin-1.
    EXPECT_EQ(foldSortKey("ĀĹĽŁŃŅŇŹŻŽŸÀÞ"), "āĺľłńņňźżžÿàþ");
    EXPECT_EQ(foldSortKey("āĺłžÿ×ßİĸŉſ"), "āĺłžÿ×ßİĸŉſ");  // already small, or no pair
    EXPECT_EQ(alarmTimeText(7, 5), "7:05");
}

}  // namespace
}  // namespace tv
