// "events.cdb" with a full table (32,767 events of every kind): loading it from disk, turning the
// table into bytes (a save without the flush), the save with its flush, and a plain read of the
// same file for scale.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/calc/files.h"
#include "core/events/event_database.h"
#include "core/events/event_database_format.h"
#include "core/events/holidays.h"
#include "platform/fake/fake_clock.h"

namespace {

tv::EventTable fullTable() {
    static const char* kNames[] = {
        "Anya születésnapja",   "Fogorvos", "Házassági évforduló", "Számlák befizetése",
        "Nyaralás a Balatonon", "Edzés",    "Névnapi köszöntő",    "Kölcsönzött könyv vissza"};
    tv::EventTable t;
    tv::createBuiltinHolidays(t, 0);
    tv::createBuiltinHolidays(t, 1);
    std::mt19937 rng(32767);
    while (t.eventCount() < tv::EventTable::kMaxSlots) {
        t.appendEventSlot();
        tv::EventRecord& r = t.records().back();
        r.inUse = -1;
        r.category = 0;
        r.repeat = static_cast<uint8_t>(rng() % 4);
        r.name = std::string(kNames[rng() % 8]) + " " + std::to_string(t.eventCount());
        r.comment = rng() % 3 == 0 ? std::string(rng() % 200, 'm') : "";
        r.picture = rng() % 10 == 0 ? "<AppPath>\\pictures\\sajat_kep.jpg" : "";
        r.year = static_cast<int16_t>(1950 + rng() % 80);
        r.month = static_cast<int16_t>(r.repeat == 3 ? 1 + rng() % 4095 : 1 + rng() % 12);
        r.day = static_cast<uint8_t>(1 + rng() % 28);
        r.anniversary = static_cast<uint8_t>(r.repeat == 1 && rng() % 2);
        r.forecastDays = static_cast<int16_t>(rng() % 30);
        r.extraDays = static_cast<int16_t>(r.repeat == 0 && rng() % 5 == 0 ? rng() % 14 : 0);
        r.hue = static_cast<int16_t>(rng() % 360);
        r.alarmOn = static_cast<uint8_t>(rng() % 4 == 0);
        r.alarmHour = static_cast<uint8_t>(rng() % 24);
        r.alarmMinute = static_cast<uint8_t>(rng() % 60);
    }
    t.wisdomMarks().assign(2000, 0);
    return t;
}

const tv::EventTable& table() {
    static const tv::EventTable kT = fullTable();
    return kT;
}

// A folder holding the saved table, removed at exit.
struct Folder {
    Folder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tvbench-XXXXXX").string();
        path = ::mkdtemp(tmpl.data());
        path += "/";
        ctx.userDataDir = path;
        ctx.clock = &clock;
        tv::saveEventDatabase(table(), ctx);
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::string path;
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
    const std::string path = folder().path + "events.cdb";
    std::string bytes;
    for (auto _ : state) {
        tv::readWholeFile(path, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(benchReadFileOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
