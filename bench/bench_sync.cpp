// Sync against a real Radicale on this machine: the first run of 5,000 events into an empty
// calendar, a run with nothing to do over the same 5,000, and one edit carried to the other
// machine. Each run is one iteration: the figures are wall-clock times of whole runs.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdlib>
#include <memory>

#include "core/sync/sync_apply.h"
#include "core/sync/sync_binding.h"
#include "core/sync/sync_engine.h"
#include "core/sync/sync_store.h"
#include "platform/qt/qt_caldav_client.h"
#include "sync/radicale_server.h"

namespace {

using namespace tv;

// 5,000 by default; TV_BENCH_SYNC_EVENTS sets another count for a quick look.
int eventCount() {
    const char* n = std::getenv("TV_BENCH_SYNC_EVENTS");
    return n != nullptr && std::atoi(n) > 0 ? std::atoi(n) : 5000;
}

// One machine: its table, its sync state and its binding.
struct Machine {
    test::TempDir dir;
    EventTable table;
    SyncBinding binding;
    std::unique_ptr<SyncStore> store = SyncStore::open(dir.file("sync.sqlite"));

    SyncReport sync(CalDavClient& dav, const std::string& calendar) {
        SyncOptions o;
        o.calendarHref = calendar;
        o.stampUtc = DateTime::of(Date::serial(2025, 1, 1), 12, 0, 0);
        o.today = Date::serial(2025, 1, 1);
        o.confirmed = true;
        const SyncResult r = runSync(takeSnapshot(table, binding), dav, *store, o);
        applySyncResult(
            table, binding, *store, r,
            [this](const EventTable& t) { return binding.noteSaved(t, *store); }, "now");
        return r.report;
    }
};

struct World {
    test::RadicaleServer server;
    QtCalDavClient dav{server.account()};
    Machine a;
    Machine b;
    bool ok = false;

    World() {
        ok = server.up() && server.makeCalendar(server.calendar());
        for (int i = 0, n = eventCount(); i < n; ++i) {
            const int slot = a.table.allocateEventSlot();
            EventRecord& r = a.table[slot];
            r.name = "Esemény " + std::to_string(i);
            r.comment = "megjegyzés";
            r.year = static_cast<int16_t>(2025 + i / 365);
            r.month = static_cast<int16_t>(1 + i % 12);
            r.day = static_cast<uint8_t>(1 + i % 28);
            r.forecastDays = 7;
        }
        a.binding.noteSaved(a.table, *a.store);
    }
};

World& world() {
    static World w;
    return w;
}

void firstSync(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        const SyncReport r = w.a.sync(w.dav, w.server.calendar());
        state.counters["uploaded"] = r.uploaded;
        state.counters["requests"] = r.requests;
    }
    if (!w.ok) state.SkipWithError("Radicale did not start");
}

void noChangeSync(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        const SyncReport r = w.a.sync(w.dav, w.server.calendar());
        state.counters["requests"] = r.requests;
    }
}

void secondMachineFirstSync(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        const SyncReport r = w.b.sync(w.dav, w.server.calendar());
        state.counters["added"] = r.added;
    }
}

void oneChangeSeenByTheOther(benchmark::State& state) {
    World& w = world();
    int n = 0;
    for (auto _ : state) {
        w.a.table[0].comment = "változott " + std::to_string(++n);
        w.a.binding.noteSaved(w.a.table, *w.a.store);
        w.a.sync(w.dav, w.server.calendar());
        const SyncReport r = w.b.sync(w.dav, w.server.calendar());
        state.counters["changed"] = r.changed;
        state.counters["requests"] = r.requests;
    }
}

}  // namespace

BENCHMARK(firstSync)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(noChangeSync)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(secondMachineFirstSync)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(oneChangeSeenByTheOther)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
