#include "core/events/month_events.h"

#include <gtest/gtest.h>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "platform/fake/fake_services.h"

namespace tv {
namespace {

struct Month {
    EventTable table;
    HashTable settings;
    StringTable strings;
    FakeMeasurer measurer{7, 3};
    MonthContext ctx;
    MonthEvents m;

    Month() {
        strings.table().add("main_event_more", "…összesen $1");
        strings.table().add("main_leapyear", "szökőnap");
        strings.table().add("main_event_new", "Új esemény ($1)");
        strings.table().add("main_event_del", "„$1” törlése");
        strings.table().add("main_month_short_2", "márc.");
        ctx.settings = &settings;
        ctx.strings = &strings;
        ctx.measurer = &measurer;
        ctx.today = *Date::fromYmd(2025, 3, 1);
    }
    EventRecord& add(std::string name, RepeatKind repeat, int y, int mo, int d) {
        EventRecord& e = table[table.allocateEventSlot()];
        e.name = std::move(name);
        e.repeat = static_cast<uint8_t>(repeat);
        e.year = static_cast<int16_t>(y);
        e.month = static_cast<int16_t>(mo);
        e.day = static_cast<uint8_t>(d);
        return e;
    }
    const MonthEvents& build(int y, int mo) {
        ctx.year = y;
        ctx.month = mo;
        buildMonthEvents(table, ctx, m);
        return m;
    }
    const DayCell& cellOf(int day) const { return m.cells[static_cast<size_t>(m.cellOfDay(day))]; }
    std::vector<std::string> lines(int day) const {
        std::vector<std::string> out;
        for (const FieldLine& l : cellOf(day).lines)
            out.push_back(l.text);
        return out;
    }
};

TEST(MonthEvents, CellsShowTheNeighbouringMonthsAroundTheShownOne) {
    Month t;
    t.build(2025, 6);  // begins on a Sunday and needs all six rows
    EXPECT_EQ(t.m.cells[5].day, 31);
    EXPECT_FALSE(t.m.cells[5].inMonth);
    EXPECT_EQ(t.m.cells[6].day, 1);
    EXPECT_EQ(t.m.cells[35].day, 30);
    EXPECT_EQ(t.m.cells[36].day, 1);
    EXPECT_FALSE(t.m.cells[36].inMonth);
    t.build(2024, 3);  // the leading days come from a leap February
    EXPECT_EQ(t.m.cells[0].day, 26);
    EXPECT_EQ(t.m.cells[3].day, 29);
    EXPECT_EQ(t.m.cellDate(0), *Date::fromYmd(2024, 2, 26));
}

TEST(MonthEvents, LateDaysOfMonthlyEventsMoveToTheLastDay) {
    Month t;
    t.add("Bérlet", RepeatKind::kMonthly, 0, 0, 31);
    t.build(2025, 4);
    EXPECT_EQ(t.lines(30), std::vector<std::string>{"Bérlet"});
    t.build(2024, 2);
    EXPECT_EQ(t.lines(29), std::vector<std::string>{"Bérlet"});
    t.build(2025, 2);
    EXPECT_EQ(t.lines(28), std::vector<std::string>{"Bérlet"});
    EXPECT_TRUE(t.cellOf(28).userMark);
}

TEST(MonthEvents, LongEventsGetABandInEveryMonthTheyTouch) {
    Month t;
    EventRecord& e = t.add("Túra", RepeatKind::kOnce, 2025, 1, 30);
    e.extraDays = 2;
    e.hue = 300;
    t.build(2025, 1);
    ASSERT_EQ(t.m.bands.size(), 1u);
    LongBand b = t.m.bands[0];
    EXPECT_EQ(b.firstCell, t.m.cellOfDay(30));
    EXPECT_EQ(b.lastCell, t.m.cellOfDay(31));
    EXPECT_TRUE(b.startsHere);
    EXPECT_FALSE(b.endsHere);
    EXPECT_EQ(b.length, 2);
    EXPECT_EQ(b.colour, 0xFF00FFu);  // magenta at full saturation and value
    ASSERT_EQ(t.cellOf(30).lines.size(), 1u);
    EXPECT_EQ(t.cellOf(30).lines[0].text, "Túra");
    EXPECT_EQ(t.cellOf(30).lines[0].hue, 300);

    t.build(2025, 2);
    ASSERT_EQ(t.m.bands.size(), 1u);
    b = t.m.bands[0];
    EXPECT_EQ(b.firstCell, t.m.cellOfDay(1));
    EXPECT_EQ(b.lastCell, t.m.cellOfDay(1));
    EXPECT_FALSE(b.startsHere);
    EXPECT_TRUE(b.endsHere);
    EXPECT_TRUE(t.m.entries.empty());  // the day entry stays with the first day
    t.build(2025, 3);
    EXPECT_TRUE(t.m.bands.empty());

    t.add("long", RepeatKind::kOnce, 2025, 2, 3).extraDays = 9;
    t.build(2025, 2);
    ASSERT_EQ(t.m.bands.size(), 2u);
    EXPECT_EQ(t.m.bands[0].length, 9);          // the longest first
    EXPECT_EQ(t.m.bands[0].colour, 0x0000FFu);  // hue 0 is red
    EXPECT_EQ(hsvColour(240, 1, 0.5), 0x800000u);
    EXPECT_EQ(hsvColour(400, 0, 1), 0xFFFFFFu);
}

TEST(MonthEvents, CrowdedDaysShowAMoreLine) {
    Month t;
    for (const char* name : {"a", "b", "c"})
        t.add(name, RepeatKind::kOnce, 2025, 3, 10);
    t.add("x", RepeatKind::kOnce, 2025, 3, 11);
    t.add("y", RepeatKind::kOnce, 2025, 3, 11);
    t.build(2025, 3);
    EXPECT_EQ(t.lines(10), (std::vector<std::string>{"a", "…összesen 3"}));
    ASSERT_EQ(t.cellOf(10).lines.size(), 2u);
    EXPECT_EQ(t.cellOf(10).lines[1].kind, FieldLineKind::kMore);
    EXPECT_EQ(t.cellOf(10).eventTotal, 3);
    EXPECT_EQ(t.lines(11), (std::vector<std::string>{"x", "y"}));

    t.ctx.theme.fieldMaxEvents = 1;  // room for the "more" line only
    t.build(2025, 3);
    EXPECT_EQ(t.lines(10), std::vector<std::string>{"…összesen 3"});
    t.ctx.theme.fieldMaxEvents = 0;
    t.build(2025, 3);
    EXPECT_TRUE(t.cellOf(10).lines.empty());
}

TEST(MonthEvents, AlarmsOrderTheDayAndTheTooltipListsEverything) {
    Month t;
    EventRecord& late = t.add("Busz", RepeatKind::kYearly, 0, 3, 12);
    late.alarmOn = 1;
    late.alarmHour = 7;
    late.alarmMinute = 50;
    EventRecord& early = t.add("Reggeli", RepeatKind::kYearly, 0, 3, 12);
    early.alarmOn = 1;
    early.alarmHour = 7;
    early.alarmMinute = 5;
    early.comment = "Kávé";
    t.add("Vacsora", RepeatKind::kOnce, 2025, 3, 12).comment = "Vacsora";
    t.add(std::string(50, 'w'), RepeatKind::kOnce, 2025, 3, 12);
    t.ctx.theme.fieldMaxEvents = 5;
    t.build(2025, 3);
    EXPECT_EQ(t.lines(12),
              (std::vector<std::string>{"Reggeli", "Busz", "Vacsora", std::string(50, 'w')}));
    // 280 pixels hold 40 characters of the measurer.
    EXPECT_EQ(t.cellOf(12).tipText,
              "• [7:05] Reggeli\r\nKávé\r\n\r\n• [7:50] Busz\r\n\r\n• Vacsora\r\n\r\n• " +
                  std::string(40, 'w') + "\r\n" + std::string(10, 'w'));
    // Built on demand, the tooltip is the same.
    t.ctx.buildTooltips = false;
    t.build(2025, 3);
    EXPECT_TRUE(t.cellOf(12).tipText.empty());
    EXPECT_EQ(dayTipText(t.m, t.table, t.m.cellOfDay(12), &t.measurer),
              "• [7:05] Reggeli\r\nKávé\r\n\r\n• [7:50] Busz\r\n\r\n• Vacsora\r\n\r\n• " +
                  std::string(40, 'w') + "\r\n" + std::string(10, 'w'));
}

TEST(MonthEvents, AnniversariesCountYearsFromTheirBase) {
    Month t;
    EventRecord& e = t.add("Péter", RepeatKind::kYearly, 1990, 6, 2);
    e.anniversary = 1;
    t.build(2025, 6);
    EXPECT_EQ(t.lines(2), std::vector<std::string>{"Péter (35)"});
    EXPECT_EQ(t.cellOf(2).tipText, "• Péter (35)");
    t.build(1989, 6);
    EXPECT_TRUE(t.m.entries.empty());
    EXPECT_FALSE(t.cellOf(2).userMark);
}

TEST(MonthEvents, HolidayMarksAndFeasts) {
    Month t;
    t.table.addBuiltinEvent(1, 4, 20, 1, 1, "", "Szabadnap", "", "");
    t.table.addBuiltinEvent(2, 4, 4, 1, 1, "easter", "Húsvét", "", "");
    t.table.addBuiltinEvent(2, 5, 23, 1, 1, "whitsun", "Pünkösd", "", "");
    t.table.addBuiltinEvent(1, 4, 21, 0, 0, "", "Emléknap", "", "");
    t.table[2].active = 0;
    t.build(2025, 4);  // Easter Sunday 2025 is 20 April
    EXPECT_EQ(t.lines(20), (std::vector<std::string>{"Húsvét", "Szabadnap"}));
    EXPECT_EQ(t.cellOf(20).holidayMark, 2);
    EXPECT_EQ(t.cellOf(21).holidayMark, 1);
    EXPECT_FALSE(t.cellOf(20).userMark);
    EXPECT_EQ(t.table[1].year * 10000 + t.table[1].month * 100 + t.table[1].day, 20250420);
    t.build(2025, 6);  // Whitsun 2025 is 8 June, but it is switched off
    EXPECT_TRUE(t.m.entries.empty());
}

TEST(MonthEvents, DisplaySwitchesFilterOneTimeAndRepeatingEvents) {
    Month t;  // today is 1 March 2025
    t.add("once", RepeatKind::kOnce, 2026, 3, 5);
    t.add("yearly", RepeatKind::kYearly, 0, 3, 10);
    t.add("quarterly", RepeatKind::kSelectedMonths, 0, 1 << 2 | 1 << 5, 15);
    auto names = [&t](int y, int mo) {
        std::vector<std::string> out;
        for (const DayEntry& d : t.build(y, mo).entries)
            out.push_back(d.text);
        return out;
    };
    EXPECT_EQ(names(2026, 3), (std::vector<std::string>{"once", "quarterly", "yearly"}));
    t.ctx.switches.showOneTime = false;
    EXPECT_EQ(names(2026, 3), (std::vector<std::string>{"quarterly", "yearly"}));
    t.ctx.switches.repeatingNextOnly = true;  // next year's March is not the next occurrence
    EXPECT_TRUE(names(2026, 3).empty());
    EXPECT_EQ(names(2025, 3), (std::vector<std::string>{"quarterly", "yearly"}));
    t.ctx.switches.showOneTime = true;
    t.ctx.switches.showRepeating = false;
    EXPECT_EQ(names(2026, 3), std::vector<std::string>{"once"});
    EXPECT_TRUE(names(2025, 6).empty());
}

TEST(MonthEvents, NamesModeShowsTheLeapDayAndShiftsTheNamesAfterIt) {
    Month t;
    t.settings.setItem("Cal_Names", "1");
    t.ctx.names = [](int index) { return "names#" + std::to_string(index); };
    t.add("a", RepeatKind::kOnce, 2024, 2, 25);
    t.build(2024, 2);
    EXPECT_TRUE(t.m.namesMode);
    EXPECT_EQ(t.cellOf(23).names, "names#53");
    EXPECT_EQ(t.cellOf(24).names, "szökőnap");
    EXPECT_EQ(t.cellOf(25).names, "names#54");
    EXPECT_EQ(t.cellOf(25).eventTotal, 1);
    EXPECT_EQ(t.cellOf(25).tipText, "• a");   // the events stay in the tooltip
    EXPECT_TRUE(t.m.cells[0].names.empty());  // January's days have none
}

TEST(MonthEvents, DayFieldMenuListsUpToSixteenEvents) {
    Month t;
    t.add("R&D", RepeatKind::kOnce, 2025, 3, 7);
    t.build(2025, 3);
    const int cell = t.m.cellOfDay(7);
    std::vector<DayMenuItem> menu = buildDayFieldMenu(t.m, cell, t.table, t.strings);
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_EQ(menu[0].id, kDayMenuNewId);
    EXPECT_EQ(menu[0].text, "Új esemény (márc. 7.)");
    EXPECT_TRUE(menu[1].separator);
    EXPECT_EQ(menu[2].id, 100);
    EXPECT_EQ(menu[2].text, "R&&D");
    EXPECT_EQ(menu[4].id, 200);
    EXPECT_EQ(menu[4].text, "„R&&D” törlése");
    DayMenuChoice c = resolveDayFieldMenu(t.m, cell, menu, 200);
    EXPECT_EQ(c.command, DayMenuCommand::kDeleteEvent);
    EXPECT_EQ(c.slot, 0);
    c = resolveDayFieldMenu(t.m, cell, menu, 11);
    EXPECT_EQ(c.command, DayMenuCommand::kNewEvent);
    EXPECT_EQ(c.date, *Date::fromYmd(2025, 3, 7));
    EXPECT_EQ(resolveDayFieldMenu(t.m, cell, menu, 101).command, DayMenuCommand::kNone);

    for (int i = 0; i < 16; ++i)
        t.add("e" + std::to_string(i), RepeatKind::kOnce, 2025, 3, 7);
    t.build(2025, 3);
    menu = buildDayFieldMenu(t.m, cell, t.table, t.strings);
    ASSERT_EQ(menu.size(), 1u + 1 + 16 + 1 + 16 + 2);
    EXPECT_EQ(menu[17].id, 115);
    EXPECT_EQ(menu[34].id, 215);
    EXPECT_FALSE(menu.back().enabled);
    EXPECT_EQ(menu.back().text, "main_event_cant");
    EXPECT_EQ(buildDayFieldMenu(t.m, t.m.cellOfDay(8), t.table, t.strings).size(), 1u);
}

}  // namespace
}  // namespace tv
