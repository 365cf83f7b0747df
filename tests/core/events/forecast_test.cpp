#include "core/events/forecast.h"

#include <gtest/gtest.h>

#include <set>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "support/forecast_strings.h"

namespace tv {
namespace {

struct Fixture {
    EventTable table;
    HashTable settings;
    StringTable strings = test::forecastStrings();
    EasterCache easter;
    EventLists lists;

    EventRecord& add(std::string name, RepeatKind repeat, int y, int m, int d, int notice = 0) {
        int slot = table.allocateEventSlot();
        EventRecord& e = table[slot];
        e.name = std::move(name);
        e.repeat = static_cast<uint8_t>(repeat);
        e.year = static_cast<int16_t>(y);
        e.month = static_cast<int16_t>(m);
        e.day = static_cast<uint8_t>(d);
        e.forecastDays = static_cast<int16_t>(notice);
        return e;
    }
    EventRecord& holiday(std::string name, int m, int d, int announce) {
        table.addBuiltinEvent(1, m, d, 1, announce, "", name, "", "");
        return table[table.slotCount() - 1];
    }
    void check(DateTime now, int daysSinceLastRun = 1,
               std::function<bool(const std::string&)> exists = {}) {
        EventCheckContext ctx;
        ctx.now = now;
        ctx.daysSinceLastRun = daysSinceLastRun;
        ctx.settings = &settings;
        ctx.strings = &strings;
        ctx.easter = &easter;
        ctx.programDir = "/opt/tv/";
        ctx.fileExists = exists ? exists : [](const std::string&) { return false; };
        checkEvents(table, ctx, lists);
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const ForecastEntry& f : lists.forecast)
            out.push_back(f.text);
        return out;
    }
};

DateTime at(int y, int m, int d, int h = 12, int mi = 0) {
    return DateTime::of(*Date::fromYmd(y, m, d), h, mi, 0);
}

TEST(Forecast, BirthdayAnnouncedWithItsAgeAndTheDaysLeft) {
    Fixture f;
    f.add("Anna", RepeatKind::kYearly, 1980, 3, 7, 7).anniversary = 1;
    f.check(at(2025, 3, 1));
    ASSERT_EQ(f.lists.forecast.size(), 1u);
    const ForecastEntry& e = f.lists.forecast[0];
    EXPECT_EQ(e.text, "Anna – (45) még 6 nap");
    EXPECT_EQ(e.daysUntil, 6);
    EXPECT_EQ(e.sortKey, "202503079999Anna");
    EXPECT_FALSE(e.isHoliday);

    f.check(at(2025, 3, 7));  // on the day: the name and the age only
    EXPECT_EQ(f.texts(), std::vector<std::string>{"Anna (45)"});
    f.check(at(2025, 2, 27));  // eight days ahead: one too early
    EXPECT_TRUE(f.lists.forecast.empty());
}

TEST(Forecast, TimeLeftPhrasesInBothModes) {
    StringTable s = test::forecastStrings();
    EXPECT_EQ(forecastTimeText(1, "1", s), "holnap");
    EXPECT_EQ(forecastTimeText(2, "1", s), "holnapután");
    EXPECT_EQ(forecastTimeText(6, "1", s), "még 6 nap");
    EXPECT_EQ(forecastTimeText(14, "1", s), "még 2 hét");
    EXPECT_EQ(forecastTimeText(15, "1", s), "még 2 hét 1 nap");
    EXPECT_EQ(forecastTimeText(9, "2", s), "1 hét 2 nap múlva");

    Fixture f;
    f.settings.setItem("ForecastMode", "0");
    f.add("Vizsga", RepeatKind::kOnce, 2025, 3, 10, 30);
    f.check(at(2025, 3, 1));
    EXPECT_EQ(f.texts(), std::vector<std::string>{"1 hét 2 nap múlva: Vizsga"});
}

TEST(Forecast, HolidaysAreAnnouncedByTheHolidaySettingOrOnlyOnTheDay) {
    Fixture f;
    f.settings.setItem("CeremForecast", "10");
    f.holiday("Nemzeti ünnep", 3, 15, 1);
    f.holiday("Karácsony", 3, 13, 0);
    f.check(at(2025, 3, 5));
    ASSERT_EQ(f.texts(), std::vector<std::string>{"Nemzeti ünnep – még 1 hét 3 nap"});
    EXPECT_TRUE(f.lists.forecast[0].isHoliday);
    f.check(at(2025, 3, 13));
    EXPECT_EQ(f.texts(), (std::vector<std::string>{"Nemzeti ünnep – holnapután", "Karácsony"}));
}

TEST(Forecast, TodayEntriesWithAlarmsComeFirstInTimeOrderAndNamesIgnoreCase) {
    Fixture f;
    f.add("barack", RepeatKind::kMonthly, 0, 0, 31);
    f.add("Alma", RepeatKind::kMonthly, 0, 0, 30);
    EventRecord& late = f.add("Zsolt", RepeatKind::kOnce, 2025, 4, 30);
    late.alarmOn = 1;
    late.alarmHour = 17;
    late.alarmMinute = 5;
    EventRecord& early = f.add("Ödön", RepeatKind::kOnce, 2025, 4, 30);
    early.alarmOn = 1;
    early.alarmHour = 8;
    f.check(at(2025, 4, 30));  // the 31st of a monthly event falls on the 30th
    ASSERT_EQ(f.texts(),
              (std::vector<std::string>{"8:00 - Ödön", "17:05 - Zsolt", "Alma", "barack"}));
    EXPECT_TRUE(f.lists.forecast[0].hasAlarm);
}

TEST(Forecast, MissedListCoversTheDaysTheCalendarWasNotRunning) {
    Fixture f;
    for (int d = 1; d <= 6; ++d)
        f.add("E" + std::to_string(d), RepeatKind::kOnce, 2025, 3, d);
    f.check(at(2025, 3, 6), 5);  // last run on 1 March
    ASSERT_EQ(f.lists.missed.size(), 4u);
    EXPECT_EQ(f.lists.missed[0].sortKey, "000004E2");  // the longest ago first
    EXPECT_EQ(f.lists.missed[3].sortKey, "000001E5");
    EXPECT_TRUE(f.lists.missedButtonVisible);
    EXPECT_EQ(f.texts(), std::vector<std::string>{"E6"});  // a past one-time event: not shown

    f.check(at(2025, 3, 6), 1);
    EXPECT_TRUE(f.lists.missed.empty());
    EXPECT_FALSE(f.lists.missedButtonVisible);
}

TEST(Forecast, AlarmListHoldsTodaysAndLaterAlarmsWithTheirPassedFlag) {
    Fixture f;
    auto withAlarm = [&f](const char* name, int day, int h, int m) {
        EventRecord& e = f.add(name, RepeatKind::kOnce, 2025, 3, day);
        e.alarmOn = 1;
        e.alarmHour = static_cast<uint8_t>(h);
        e.alarmMinute = static_cast<uint8_t>(m);
    };
    withAlarm("gone", 9, 9, 29);
    withAlarm("now", 9, 9, 30);  // rebuilt within its own minute: it must still ring
    withAlarm("ahead", 9, 9, 31);
    withAlarm("tomorrow", 10, 6, 0);
    withAlarm("yesterday", 8, 23, 0);
    f.check(at(2025, 3, 9, 9, 30));
    ASSERT_EQ(f.lists.alarms.size(), 4u);
    EXPECT_TRUE(f.lists.alarms[0].passed);
    EXPECT_FALSE(f.lists.alarms[1].passed);
    EXPECT_FALSE(f.lists.alarms[2].passed);
    EXPECT_FALSE(f.lists.alarms[3].passed);
    EXPECT_EQ(f.lists.alarms[3].date(), *Date::fromYmd(2025, 3, 10));
}

TEST(Forecast, SelectedMonthsWithoutAnyMonthAreNeverDue) {
    Fixture f;
    f.add("none", RepeatKind::kSelectedMonths, 0, 0, 9).alarmOn = 1;
    f.add("march", RepeatKind::kSelectedMonths, 0, 1 << 2, 9).alarmOn = 1;
    f.add("zero month, monthly", RepeatKind::kMonthly, 0, 0, 9);
    f.check(at(2025, 3, 9, 6, 0));
    EXPECT_EQ(f.texts(), (std::vector<std::string>{"0:00 - march", "zero month, monthly"}));
    ASSERT_EQ(f.lists.alarms.size(), 1u);
    EXPECT_EQ(f.lists.alarms[0].name, "march");
}

TEST(Forecast, AOneTimeEventsYearIsHeldWithinZeroTo2999) {
    Fixture f;
    for (int year : {-1, 0, 2999, 3000})
        f.add("e" + std::to_string(year), RepeatKind::kOnce, year, 3, 9);
    f.check(at(2025, 3, 9));
    EXPECT_EQ(f.table[0].year, 0);
    EXPECT_EQ(f.table[1].year, 0);
    EXPECT_EQ(f.table[2].year, 2999);
    EXPECT_EQ(f.table[3].year, 2999);
}

TEST(Forecast, MovableFeastsGetTheirDateAndSwitchedOffOnesAreIgnored) {
    Fixture f;
    f.table.addBuiltinEvent(2, 4, 4, 1, 1, "easter", "Húsvét", "", "");
    f.table.addBuiltinEvent(2, 5, 23, 1, 1, "whitsun", "Pünkösd", "", "");
    f.table[1].active = 0;
    f.check(at(2025, 4, 18));
    EXPECT_EQ(f.texts(), std::vector<std::string>{"Húsvét – holnapután"});
    EXPECT_EQ(f.table[0].month * 100 + f.table[0].day, 420);
    f.check(at(2025, 4, 21));  // past for this year: next year's Easter is stored
    EXPECT_EQ(f.table[0].year, 2026);
    EXPECT_EQ(f.table[0].month * 100 + f.table[0].day, 405);
}

TEST(Forecast, TheLastEventOfTheDayWithAnExistingPictureGivesTheDayPicture) {
    Fixture f;
    f.add("a", RepeatKind::kOnce, 2025, 3, 9).picture = "<AppPath>\\pictures\\a.jpg";
    f.add("b", RepeatKind::kOnce, 2025, 3, 9).picture = "/home/u/missing.jpg";
    f.add("c", RepeatKind::kOnce, 2025, 3, 10, 5).picture = "<AppPath>\\pictures\\c.jpg";
    std::set<std::string> files = {"/opt/tv/pictures/a.jpg", "/opt/tv/pictures/c.jpg"};
    f.check(at(2025, 3, 9), 1, [&files](const std::string& p) { return files.count(p) > 0; });
    EXPECT_EQ(f.lists.dayPicture, "/opt/tv/pictures/a.jpg");
}

}  // namespace
}  // namespace tv
