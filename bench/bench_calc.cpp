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

void BM_WeekNumbersOfAYear(benchmark::State& state) {
    const Date start = Date::serial(2024, 1, 1);
    for (auto _ : state) {
        int sum = 0;
        for (int i = 0; i < 366; ++i)
            sum += WeekNumber(start.addDays(i));
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_WeekNumbersOfAYear);

void BM_FeastsOfAYearCached(benchmark::State& state) {
    EasterCache cache;
    const char* names[] = {"advent1", "advent4",      "motherday", "kidsday",
                           "easter",  "eastermonday", "whitsun",   "whitsunmonday"};
    for (auto _ : state) {
        for (const char* n : names)
            benchmark::DoNotOptimize(FeastDate(n, 2024, cache));
    }
}
BENCHMARK(BM_FeastsOfAYearCached);

void BM_FoldAccents(benchmark::State& state) {
    std::string text;
    while (text.size() < 4096)
        text += "Árvíztűrő tükörfúrógép, Őrült Ágnes és Tűzoltó Ödön. ";
    for (auto _ : state)
        benchmark::DoNotOptimize(FoldAccents(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FoldAccents);

void BM_WrapEventName(benchmark::State& state) {
    const FakeMeasurer measurer;
    std::string text;
    while (text.size() < static_cast<size_t>(state.range(0)))
        text += "születésnapi buli ";
    for (auto _ : state)
        benchmark::DoNotOptimize(WrapSurfaceText(measurer, text, 280, 0));
}
BENCHMARK(BM_WrapEventName)->Arg(40)->Arg(400)->Arg(4000);

void BM_FitLongText(benchmark::State& state) {
    const FakeMeasurer measurer;
    const std::string text(static_cast<size_t>(state.range(0)), 'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(FitSurfaceText(measurer, text, 200));
}
BENCHMARK(BM_FitLongText)->Arg(100)->Arg(1000)->Arg(10000);

}  // namespace
}  // namespace tv

BENCHMARK_MAIN();
