// "events.cdb" with a full table (32,767 events of every kind): loading it from disk, turning the
// table into bytes (a save without the flush), the save with its flush, and a plain read of the
// same file for scale.
#include <benchmark/benchmark.h>

#include <string>

#include "core/calc/files.h"
#include "core/events/event_database.h"
#include "core/events/event_database_format.h"
#include "platform/fake/fake_clock.h"
#include "support/event_tables.h"
#include "support/temp_dir.h"

namespace {

const tv::EventTable& table() {
    static const tv::EventTable kT = tv::test::fullEventTable();
    return kT;
}

// A folder holding the saved table, removed at exit.
struct Folder {
    Folder() {
        ctx.userDataDir = dir.dir();
        ctx.clock = &clock;
        tv::saveEventDatabase(table(), ctx);
    }
    tv::test::TempDir dir;
    tv::FakeClock clock;
    tv::EventDbContext ctx;
};

Folder& folder() {
    static Folder f;
    return f;
}

void benchLoadEventDatabase(benchmark::State& state) {
    const tv::EventDbContext& ctx = folder().ctx;
    tv::EventTable t;
    for (auto _ : state) {
        if (!tv::loadEventDatabase(t, ctx)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(t.eventCount());
    }
    state.counters["events"] = t.eventCount();
}
BENCHMARK(benchLoadEventDatabase)->Unit(benchmark::kMillisecond);

void benchSaveEventDatabaseWithoutFlush(benchmark::State& state) {
    const tv::DateTime now = folder().clock.now();
    size_t bytes = 0;
    for (auto _ : state) {
        std::string out = tv::encodeEventDatabase(table(), now);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(benchSaveEventDatabaseWithoutFlush)->Unit(benchmark::kMillisecond);

void benchSaveEventDatabase(benchmark::State& state) {
    for (auto _ : state) {
        if (!tv::saveEventDatabase(table(), folder().ctx)) state.SkipWithError("save failed");
    }
}
BENCHMARK(benchSaveEventDatabase)->Unit(benchmark::kMillisecond);

void benchReadFileOnly(benchmark::State& state) {
    const std::string path = folder().dir.file("events.cdb");
    std::string bytes;
    for (auto _ : state) {
        tv::readWholeFile(path, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(benchReadFileOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
