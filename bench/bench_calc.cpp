// Calendar arithmetic and text fitting: the month grid asks for week numbers and feasts on every
// redraw, and the day-field tooltips wrap every event name.
#include <benchmark/benchmark.h>

#include <string>

#include "core/calc/calendar.h"
#include "core/calc/text_fit.h"
#include "core/calc/text_format.h"
#include "platform/fake/fake_services.h"

namespace tv {
namespace {

void benchWeekNumbersOfAYear(benchmark::State& state) {
    const Date start = Date::serial(2024, 1, 1);
    for (auto _ : state) {
        int sum = 0;
        for (int i = 0; i < 366; ++i)
            sum += weekNumber(start.addDays(i));
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(benchWeekNumbersOfAYear);

void benchFeastsOfAYearCached(benchmark::State& state) {
    EasterCache cache;
    const char* names[] = {"advent1", "advent4",      "motherday", "kidsday",
                           "easter",  "eastermonday", "whitsun",   "whitsunmonday"};
    for (auto _ : state) {
        for (const char* n : names)
            benchmark::DoNotOptimize(feastDate(n, 2024, cache));
    }
}
BENCHMARK(benchFeastsOfAYearCached);

void benchFoldAccents(benchmark::State& state) {
    std::string text;
    while (text.size() < 4096)
        text += "Árvíztűrő tükörfúrógép, Őrült Ágnes és Tűzoltó Ödön. ";
    for (auto _ : state)
        benchmark::DoNotOptimize(foldAccents(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(benchFoldAccents);

void benchWrapEventName(benchmark::State& state) {
    const FakeMeasurer measurer;
    std::string text;
    while (text.size() < static_cast<size_t>(state.range(0)))
        text += "születésnapi buli ";
    for (auto _ : state)
        benchmark::DoNotOptimize(wrapSurfaceText(measurer, text, 280, 0));
}
BENCHMARK(benchWrapEventName)->Arg(40)->Arg(400)->Arg(4000);

void benchFitLongText(benchmark::State& state) {
    const FakeMeasurer measurer;
    const std::string text(static_cast<size_t>(state.range(0)), 'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(fitSurfaceText(measurer, text, 200));
}
BENCHMARK(benchFitLongText)->Arg(100)->Arg(1000)->Arg(10000);

}  // namespace
}  // namespace tv

BENCHMARK_MAIN();
