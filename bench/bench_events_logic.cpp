// The event lists and a month's day fields over a full table (32,767 events of every kind):
// checkEvents runs at every start, day change and edit, buildMonthEvents at every page of the
// month grid.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/events/forecast.h"
#include "core/events/month_events.h"
#include "platform/fake/fake_services.h"

namespace tv {
namespace {

EventTable fullTable() {
    static const char* kNames[] = {
        "Anya születésnapja",   "Fogorvos", "Házassági évforduló", "Számlák befizetése",
        "Nyaralás a Balatonon", "Edzés",    "Névnapi köszöntő",    "Kölcsönzött könyv vissza"};
    static const char* kComments[] = {
        "Ne felejtsd el!",
        "Időpont a rendelőben, a leleteket és a TAJ-kártyát vinni kell, előtte nem enni.",
        "Ajándék: könyv vagy színházjegy; a virágot a sarki boltban kell megrendelni legalább két "
        "nappal előtte, mert szombaton zárva vannak."};
    EventTable t;
    static const char* kFeasts[] = {"easter",    "eastermonday", "whitsun", "whitsunmonday",
                                    "motherday", "kidsday",      "advent1", "advent4"};
    for (int i = 0; i < 14; ++i)
        t.addBuiltinEvent(1, 1 + i % 12, 1 + i, i % 2, 1, "", "Ünnep", "", "");
    for (const char* f : kFeasts)
        t.addBuiltinEvent(2, 4, 4, 1, 1, f, "Mozgó ünnep", "", "");
    std::mt19937 rng(32767);
    while (t.eventCount() < EventTable::kMaxSlots) {
        t.appendEventSlot();  // never a free slot to look for: the table only grows
        EventRecord& r = t.records().back();
        r.inUse = -1;
        r.repeat = static_cast<uint8_t>(rng() % 4);
        r.name = std::string(kNames[rng() % 8]) + " " + std::to_string(t.eventCount());
        r.comment = rng() % 3 == 0 ? std::string(kComments[rng() % 3]) : "";
        r.year = static_cast<int16_t>(1950 + rng() % 80);
        r.month = static_cast<int16_t>(r.repeat == 3 ? 1 + rng() % 4095 : 1 + rng() % 12);
        r.day = static_cast<uint8_t>(1 + rng() % 31);
        r.anniversary = static_cast<uint8_t>(r.repeat == 1 && rng() % 2);
        r.forecastDays = static_cast<int16_t>(rng() % 30);
        r.extraDays = static_cast<int16_t>(r.repeat == 0 && rng() % 5 == 0 ? rng() % 14 : 0);
        r.hue = static_cast<int16_t>(rng() % 360);
        r.alarmOn = static_cast<uint8_t>(rng() % 4 == 0);
        r.alarmHour = static_cast<uint8_t>(rng() % 24);
        r.alarmMinute = static_cast<uint8_t>(rng() % 60);
    }
    return t;
}

StringTable strings() {
    StringTable s;
    const char* pairs[][2] = {
        {"main_d_day", "$1 nap"},
        {"main_d_wd", "$1 hét $2 nap"},
        {"main_d_week", "$1 hét"},
        {"main_d_tomorrow1", "holnap"},
        {"main_d_a_tomorrow1", "holnapután"},
        {"main_d_still1", "még $1"},
        {"main_d_forecast1", "$1 – $2"},
        {"main_event_more", "…összesen $1"},
    };
    for (auto& p : pairs)
        s.table().add(p[0], p[1]);
    return s;
}

void benchfCheckEvents(benchmark::State& state) {
    EventTable table = fullTable();
    StringTable s = strings();
    HashTable settings;
    EasterCache easter;
    EventCheckContext ctx;
    ctx.now = DateTime::of(*Date::fromYmd(2025, 3, 9), 9, 30, 0);
    ctx.daysSinceLastRun = 5;
    ctx.settings = &settings;
    ctx.strings = &s;
    ctx.easter = &easter;
    ctx.fileExists = [](const std::string&) { return false; };
    EventLists lists;
    for (auto _ : state) {
        checkEvents(table, ctx, lists);
        benchmark::DoNotOptimize(lists.forecast.data());
    }
    state.counters["forecast"] = static_cast<double>(lists.forecast.size());
    state.counters["missed"] = static_cast<double>(lists.missed.size());
    state.counters["alarms"] = static_cast<double>(lists.alarms.size());
}
BENCHMARK(benchfCheckEvents)->Unit(benchmark::kMillisecond);

MonthContext monthContext(const StringTable& s, HashTable& settings, EasterCache& easter,
                          const TextMeasurer& measurer) {
    MonthContext ctx;
    ctx.year = 2025;
    ctx.month = 3;
    ctx.today = *Date::fromYmd(2025, 3, 9);
    ctx.settings = &settings;
    ctx.strings = &s;
    ctx.measurer = &measurer;
    ctx.easter = &easter;
    return ctx;
}

// Argument 1: every field's tooltip too; 0: tooltips left to the field under the mouse.
void benchBuildMonthEvents(benchmark::State& state) {
    EventTable table = fullTable();
    StringTable s = strings();
    HashTable settings;
    EasterCache easter;
    FakeMeasurer measurer;
    MonthContext ctx = monthContext(s, settings, easter, measurer);
    ctx.buildTooltips = state.range(0) != 0;
    MonthEvents month;
    for (auto _ : state) {
        buildMonthEvents(table, ctx, month);
        benchmark::DoNotOptimize(month.entries.data());
    }
    state.counters["entries"] = static_cast<double>(month.entries.size());
}
BENCHMARK(benchBuildMonthEvents)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The tooltip of the busiest field, built when the mouse comes to it.
void benchDayTipText(benchmark::State& state) {
    EventTable table = fullTable();
    StringTable s = strings();
    HashTable settings;
    EasterCache easter;
    FakeMeasurer measurer;
    MonthContext ctx = monthContext(s, settings, easter, measurer);
    ctx.buildTooltips = false;
    MonthEvents month;
    buildMonthEvents(table, ctx, month);
    int busiest = 0;
    for (int c = 0; c < kDayCells; ++c) {
        if (month.cells[static_cast<size_t>(c)].eventTotal >
            month.cells[static_cast<size_t>(busiest)].eventTotal) {
            busiest = c;
        }
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(dayTipText(month, table, busiest, &measurer));
    state.counters["events"] = month.cells[static_cast<size_t>(busiest)].eventTotal;
}
BENCHMARK(benchDayTipText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tv

BENCHMARK_MAIN();
