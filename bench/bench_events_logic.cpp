// The event lists and a month's day fields over a full table (32,767 events of every kind):
// checkEvents runs at every start, day change and edit, buildMonthEvents at every page of the
// month grid.
#include <benchmark/benchmark.h>

#include <string>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/events/forecast.h"
#include "core/events/month_events.h"
#include "platform/fake/fake_services.h"
#include "support/event_tables.h"
#include "support/forecast_strings.h"

namespace tv {
namespace {

void benchfCheckEvents(benchmark::State& state) {
    EventTable table = test::fullEventTable();
    StringTable s = test::forecastStrings();
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
    EventTable table = test::fullEventTable();
    StringTable s = test::forecastStrings();
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
    EventTable table = test::fullEventTable();
    StringTable s = test::forecastStrings();
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
