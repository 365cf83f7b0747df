#include "core/events/windows/event_list.h"

#include <gtest/gtest.h>

#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "platform/fake/fake_message_box.h"

namespace tv {
namespace {

const Date kToday = Date::serial(2025, 3, 1);  // a common year

EventRecord userEvent(std::string name, RepeatKind kind, int y, int m, int d) {
    EventRecord e;
    e.name = std::move(name);
    e.repeat = static_cast<uint8_t>(kind);
    e.year = static_cast<int16_t>(y);
    e.month = static_cast<int16_t>(m);
    e.day = static_cast<uint8_t>(d);
    return e;
}

EventRecord birthday(std::string name, int y, int m, int d) {
    EventRecord e = userEvent(std::move(name), RepeatKind::kYearly, y, m, d);
    e.anniversary = 1;
    return e;
}

class EventListTest : public ::testing::Test {
protected:
    EventListTest() {
        for (const auto& [key, text] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"dates_list_today", "ma"},
                 {"dates_list_day_m1", "tegnap"},
                 {"dates_list_day_m2", "tegnapelőtt"},
                 {"dates_list_day_p1", "holnap"},
                 {"dates_list_day_p2", "holnapután"},
                 {"dates_list_future", "$1 nap múlva"},
                 {"dates_list_past", "$1 napja"},
                 {"dates_list_error", "hibás dátum"},
                 {"dates_unnamedevent", "(névtelen)"},
                 {"dates_q_delete", "Törli? $1"},
                 {"main_month_2", "március"},
                 {"main_month_1", "február"},
                 {"main_month_3", "április"}}) {
            strings.table().add(key, text);
        }
        ctx.today = kToday;
        ctx.strings = &strings;
    }

    int add(EventRecord e) {
        table.appendEventSlot();
        const int slot = table.slotCount() - 1;
        e.inUse = -1;
        e.slot = static_cast<int16_t>(slot);
        table[slot] = e;
        return slot;
    }

    std::vector<std::string> names(const EventListView& v) const {
        std::vector<std::string> out;
        for (const auto& r : v.rows)
            out.push_back(table[r.slot].name);
        return out;
    }

    std::vector<std::string> fill(EventListKind list, EventSort sort = EventSort::kByName) {
        filter.list = list;
        filter.sort = sort;
        return names(fillList(table, filter, ctx));
    }

    EventTable table;
    StringTable strings;
    EventListFilter filter;
    EventListContext ctx;
};

using Names = std::vector<std::string>;

TEST_F(EventListTest, EachListTakesItsKindOfEventAndTheRepeatBoxesFilterTheFirst) {
    add(birthday("Béla", 1980, 3, 7));
    add(userEvent("Nyár", RepeatKind::kYearly, 0, 5, 1));
    add(userEvent("Havonta", RepeatKind::kMonthly, 0, 0, 10));
    add(userEvent("Tavasszal", RepeatKind::kSelectedMonths, 0, 0b111100, 3));
    add(userEvent("Egyszer", RepeatKind::kOnce, 2025, 4, 1));
    table.addBuiltinEvent(1, 1, 1, 1, 1, "", "Újév", "", "");
    table.addBuiltinEvent(2, 4, 4, 1, 1, "easter", "Húsvét", "", "");

    EXPECT_EQ(fill(EventListKind::kRecurring), (Names{"Béla", "Havonta", "Nyár", "Tavasszal"}));
    EXPECT_EQ(fill(EventListKind::kOneTime), (Names{"Egyszer"}));
    EXPECT_EQ(fill(EventListKind::kHolidays), (Names{"Húsvét", "Újév"}));

    filter.repeatFilter = {false, true, true};  // birthdays hidden, plain yearly events kept
    EXPECT_EQ(fill(EventListKind::kRecurring), (Names{"Havonta", "Nyár", "Tavasszal"}));
    filter.repeatFilter = {true, false, false};
    EXPECT_EQ(fill(EventListKind::kRecurring), (Names{"Béla"}));
}

TEST_F(EventListTest, SwitchedOffFeastsHaveTheirOwnViewWhichVanishesWithoutThem) {
    table.addBuiltinEvent(1, 1, 1, 1, 1, "", "Újév", "", "");
    table.addBuiltinEvent(2, 4, 4, 1, 1, "easter", "Húsvét", "", "");
    table.addBuiltinEvent(2, 5, 2, 1, 1, "motherday", "Anyák napja", "", "");
    filter.list = EventListKind::kHolidays;
    filter.showDisabledFeasts = true;
    EventListView v = fillList(table, filter, ctx);
    EXPECT_FALSE(v.disabledFeastsVisible);
    EXPECT_FALSE(filter.showDisabledFeasts);  // cleared: nothing is switched off
    EXPECT_EQ(v.rows.size(), 3u);

    table.deleteEvent(1);  // Easter is only switched off
    filter.showDisabledFeasts = true;
    v = fillList(table, filter, ctx);
    EXPECT_TRUE(v.disabledFeastsVisible);
    EXPECT_EQ(names(v), (Names{"Húsvét"}));
    filter.showDisabledFeasts = false;
    EXPECT_EQ(fill(EventListKind::kHolidays), (Names{"Anyák napja", "Újév"}));
}

TEST_F(EventListTest, PastWindowHidesOnlyOneTimeEventsOlderThanIt) {
    add(userEvent("Nyolc napja", RepeatKind::kOnce, 2025, 2, 21));
    add(userEvent("Hét napja", RepeatKind::kOnce, 2025, 2, 22));
    add(userEvent("Jövőre", RepeatKind::kOnce, 2026, 12, 31));
    filter.pastWindow = 1;  // 7 days
    EXPECT_EQ(fill(EventListKind::kOneTime), (Names{"Hét napja", "Jövőre"}));
    filter.pastWindow = 0;
    EXPECT_EQ(fill(EventListKind::kOneTime), (Names{"Jövőre"}));
    filter.pastWindow = kNoPastLimit;
    EXPECT_EQ(fill(EventListKind::kOneTime).size(), 3u);
}

TEST_F(EventListTest, ByDateRepeatingEventsComeSoonestFirstAndTiesKeepTheDateKeyOrder) {
    add(userEvent("Évente márc 10", RepeatKind::kYearly, 0, 3, 10));
    add(userEvent("Havonta 10", RepeatKind::kMonthly, 0, 0, 10));
    add(userEvent("Havonta 2", RepeatKind::kMonthly, 0, 0, 2));
    add(userEvent("Márciusban 10", RepeatKind::kSelectedMonths, 0, 1 << 2, 10));
    add(birthday("Béla", 1980, 2, 28));  // yesterday: next year
    // All three "10"s fall on 10 March: selected months, then monthly, then yearly.
    EXPECT_EQ(fill(EventListKind::kRecurring, EventSort::kByDate),
              (Names{"Havonta 2", "Márciusban 10", "Havonta 10", "Évente márc 10", "Béla"}));
}

TEST_F(EventListTest, OneTimeEventsByDateGoByTheirDateAndByNameIgnoreCase) {
    add(userEvent("b", RepeatKind::kOnce, 2025, 5, 1));
    add(userEvent("C", RepeatKind::kOnce, 2024, 1, 1));
    add(userEvent("a", RepeatKind::kOnce, 2025, 3, 1));
    add(userEvent("Á", RepeatKind::kOnce, 2025, 3, 1));
    EXPECT_EQ(fill(EventListKind::kOneTime, EventSort::kByDate), (Names{"C", "a", "Á", "b"}));
    EXPECT_EQ(fill(EventListKind::kOneTime, EventSort::kByName), (Names{"a", "b", "C", "Á"}));
}

TEST_F(EventListTest, RowTextsNameTheDayTheAlarmTheAgeAndTheDate) {
    add(birthday("Béla", 1980, 3, 7));
    EventRecord alarm = userEvent("", RepeatKind::kMonthly, 0, 0, 31);
    alarm.alarmOn = 1;
    alarm.alarmHour = 7;
    alarm.alarmMinute = 5;
    add(alarm);
    filter.list = EventListKind::kRecurring;
    EventListView v = fillList(table, filter, ctx);
    ASSERT_EQ(v.rows.size(), 2u);
    EXPECT_EQ(v.rows[0].text, "30 nap múlva\t(7:05) (névtelen)\t\tmárcius 31.");
    EXPECT_EQ(v.rows[1].text, "6 nap múlva\tBéla\t44,9\t1980. március 7.");
    EXPECT_EQ(v.tabStops, (std::vector<int>{64, 255, 280}));
    EXPECT_TRUE(v.repeatFilterVisible);
    EXPECT_FALSE(v.pastWindowVisible);
}

TEST_F(EventListTest, OneTimeRowsHaveNoAgeColumnAndNameTheDaysAround) {
    for (int d = -3; d <= 3; ++d) {
        const Ymd y = kToday.addDays(d).ymd();
        add(userEvent(std::to_string(d + 3), RepeatKind::kOnce, y.year, y.month, y.day));
    }
    filter.list = EventListKind::kOneTime;
    filter.sort = EventSort::kByDate;
    EventListView v = fillList(table, filter, ctx);
    std::vector<std::string> days;
    for (const auto& r : v.rows)
        days.push_back(r.dayText);
    EXPECT_EQ(days, (Names{"3 napja", "tegnapelőtt", "tegnap", "ma", "holnap", "holnapután",
                           "3 nap múlva"}));
    EXPECT_EQ(v.rows[0].text, "3 napja\t0\t2025. február 26.");
    EXPECT_EQ(v.tabStops, (std::vector<int>{64, 280}));
    EXPECT_TRUE(v.pastWindowVisible);
}

TEST_F(EventListTest, AStoredDateThatIsNoDateIsListedAsAnErrorWithItsNumbers) {
    add(userEvent("Szökőnap", RepeatKind::kOnce, 2023, 2, 29));
    add(userEvent("Áprilisi", RepeatKind::kYearly, 0, 4, 31));
    add(userEvent("Semmikor", RepeatKind::kSelectedMonths, 0, 0, 5));
    filter.list = EventListKind::kOneTime;
    EventListView v = fillList(table, filter, ctx);
    ASSERT_EQ(v.rows.size(), 1u);
    EXPECT_TRUE(v.rows[0].error);
    EXPECT_EQ(v.rows[0].text, "hibás dátum\tSzökőnap\t2023. 02. 29.");
    filter.list = EventListKind::kRecurring;
    v = fillList(table, filter, ctx);
    ASSERT_EQ(v.rows.size(), 2u);
    EXPECT_TRUE(v.rows[0].error && v.rows[1].error);
    EXPECT_EQ(v.rows[1].dateText, "április 31.");
}

TEST(AnniversaryAge, CountsTenthsOfTheYearGoneAndNeverRoundsUp) {
    EXPECT_EQ(anniversaryAgeText(1980, 2025, 110, false), "44,6");
    EXPECT_EQ(anniversaryAgeText(1980, 2025, 0, false), "45,0");
    EXPECT_EQ(anniversaryAgeText(1980, 2025, 364, false), "44,0");
    EXPECT_EQ(anniversaryAgeText(1980, 2024, 37, true), "43,8");  // 10 - 370/366 = 8.98...
    // The base date still ahead: not born yet.
    EXPECT_EQ(anniversaryAgeText(2025, 2025, 100, false), "-0,3");
}

TEST_F(EventListTest, SearchSelectsTheFirstRowInListOrderWhoseNameStartsWithTheText) {
    add(userEvent("Béla", RepeatKind::kOnce, 2025, 1, 1));
    add(userEvent("anna", RepeatKind::kOnce, 2025, 6, 1));
    add(userEvent("ANDRÁS", RepeatKind::kOnce, 2025, 2, 1));
    add(userEvent("Ágnes", RepeatKind::kOnce, 2025, 2, 1));
    filter.list = EventListKind::kOneTime;
    filter.sort = EventSort::kByDate;
    EventListView v = fillList(table, filter, ctx);
    ASSERT_EQ(names(v), (Names{"Béla", "ANDRÁS", "Ágnes", "anna"}));
    EXPECT_EQ(findListRow(v, table, "an"), 1);
    EXPECT_EQ(findListRow(v, table, "  Ann "), 3);
    EXPECT_EQ(findListRow(v, table, "ÁG"), 2);
    EXPECT_EQ(findListRow(v, table, "Ag"), -1);  // accents count
    EXPECT_EQ(findListRow(v, table, "annabella"), -1);
    EXPECT_EQ(rowOfSlot(v, 1), 3);
}

TEST_F(EventListTest, DeleteAsksWithTheNameAndRemovesOrSwitchesOffOnlyOnYes) {
    const int slot = add(userEvent("Fogorvos", RepeatKind::kOnce, 2025, 4, 1));
    table.addBuiltinEvent(2, 4, 4, 1, 1, "easter", "Húsvét", "", "");
    FakeMessageBox box;
    int saves = 0;
    auto save = [&saves](const EventTable&) { return ++saves > 0; };

    box.script = {MessageAnswer::kNo};
    EXPECT_FALSE(deleteListedEvent(table, slot, box, strings, save));
    EXPECT_EQ(table.eventCount(), 2);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(box.shown.at(0).text, "Törli? Fogorvos");

    box.script = {MessageAnswer::kYes, MessageAnswer::kYes};
    EXPECT_TRUE(deleteListedEvent(table, slot, box, strings, save));
    EXPECT_TRUE(deleteListedEvent(table, 1, box, strings, save));
    EXPECT_EQ(table.eventCount(), 1);
    EXPECT_FALSE(table[slot].used());
    EXPECT_EQ(table[1].active, 0);  // a feast stays, switched off
    EXPECT_EQ(saves, 2);
    EXPECT_FALSE(deleteListedEvent(table, slot, box, strings, save));  // nothing there any more
}

TEST_F(EventListTest, FiltersAreRememberedInTheSettingsAndTheDeveloperSeesTheCount) {
    HashTable settings;
    EventListFilter f = readListFilter(settings);
    EXPECT_EQ(f.pastWindow, kNoPastLimit);  // a first run lists every past event
    f.repeatFilter[1] = false;
    f.pastWindow = 3;
    writeListFilter(settings, f);
    EXPECT_EQ(settings.item("DatesRepeatFilter2"), "0");
    EXPECT_EQ(readListFilter(settings).repeatFilter, f.repeatFilter);
    EXPECT_EQ(readListFilter(settings).pastWindow, 3);

    add(userEvent("x", RepeatKind::kOnce, 2025, 4, 1));
    ctx.developer = true;
    EXPECT_EQ(fillList(table, filter, ctx).entriesCaption, "DEV: entries = 1");
}

}  // namespace
}  // namespace tv
