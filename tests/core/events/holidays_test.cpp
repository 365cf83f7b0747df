#include "core/events/holidays.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tv {
namespace {

TEST(BuiltinHolidays, FourteenFixedThenElevenMovableAllYearlyAndActive) {
    EventTable t;
    createBuiltinHolidays(t, 0);
    createBuiltinHolidays(t, 1);
    createBuiltinHolidays(t, 2);  // not a set: nothing
    ASSERT_EQ(t.eventCount(), 25);
    std::set<std::string> neverAnnounced;
    for (int i = 0; i < 25; ++i) {
        const EventRecord& r = t[i];
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.slot, i);
        EXPECT_EQ(r.category, i < 14 ? 1 : 2);
        EXPECT_EQ(r.ruleKey.empty(), i < 14);
        EXPECT_EQ(r.repeatKind(), RepeatKind::kYearly);
        EXPECT_EQ(r.year, 0);
        EXPECT_EQ(r.active, 1);
        EXPECT_EQ(r.alarmOn, 0);
        if (r.forecastDays == 0) neverAnnounced.insert(r.name);
    }
    EXPECT_EQ(neverAnnounced,
              (std::set<std::string>{"Karácsony, Jézus születése", "Karácsony másnapja",
                                     "Az év utolsó napja", "Húsvét hétfő", "Pünkösd hétfő",
                                     "Advent második vasárnapja", "Advent harmadik vasárnapja",
                                     "Advent utolsó vasárnapja"}));
    EXPECT_EQ(t[0].name, "Boldog Új Évet!");
    EXPECT_EQ(t[0].picture, "<AppPath>\\pictures\\ujev.jpg");
    EXPECT_EQ(t[1].comment, "Szent Bálint, a szerelmesek védőszentjének ünnepe.");
    EXPECT_EQ(t[23].ruleKey, "advent4");

    // Good Friday comes after the ten older feasts, so the rows of older tables keep their slots.
    const EventRecord& goodFriday = t[kGoodFridayRow - 1];
    EXPECT_EQ(goodFriday.ruleKey, kGoodFridayRule);
    EXPECT_EQ(goodFriday.name, "Nagypéntek");
    EXPECT_EQ(goodFriday.dayOff, 1);
    EXPECT_EQ(goodFriday.forecastDays, t[14].forecastDays);  // announced like Easter
    EXPECT_EQ(goodFriday.picture, "<AppPath>\\pictures\\nagypentek.jpg");

    addBuiltinHolidayRow(t, kValentinesDayRow);
    EXPECT_EQ(t[25].name, "Valentin nap");
    EXPECT_EQ(t[25].slot, 25);
}

}  // namespace
}  // namespace tv
