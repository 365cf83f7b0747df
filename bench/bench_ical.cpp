// iCalendar export and import of a full table (32,767 events of every kind, a quarter with an
// alarm), and the peak memory of importing a 10 MB file. The memory figure comes from a fresh
// process (this program run with --measure-import FILE), so nothing the benchmark built before
// counts: getrusage's peak resident size after reading and importing, less the peak before.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "core/calc/files.h"
#include "core/ical/calendar_export.h"
#include "core/ical/calendar_import.h"

namespace {

const tv::Date kToday = tv::Date::serial(2025, 3, 1);

// Events the editor could have stored, with names the duplicate rule keeps apart.
tv::EventTable fullTable(int count) {
    static const char* kNames[] = {
        "Anya születésnapja",   "Fogorvos", "Házassági évforduló", "Számlák befizetése",
        "Nyaralás a Balatonon", "Edzés",    "Névnapi köszöntő",    "Kölcsönzött könyv vissza"};
    tv::EventTable t;
    std::mt19937 rng(32767);
    while (t.eventCount() < count) {
        t.appendEventSlot();
        tv::EventRecord& r = t.records().back();
        r.inUse = -1;
        r.repeat = static_cast<uint8_t>(rng() % 4);
        r.name = std::string(kNames[rng() % 8]) + " " + std::to_string(t.eventCount());
        r.comment = rng() % 3 == 0 ? std::string(rng() % 200, 'm') + " ő" : "";
        r.year = static_cast<int16_t>(r.repeat == 0 ? 1950 + rng() % 80 : 0);
        r.month = static_cast<int16_t>(r.repeat == 3   ? 1 + rng() % 4095
                                       : r.repeat == 2 ? 0
                                                       : 1 + rng() % 12);
        r.day = static_cast<uint8_t>(1 + rng() % (r.repeat >= 2 ? 32 : 28));
        r.anniversary = static_cast<uint8_t>(r.repeat == 1 && rng() % 2);
        if (r.anniversary != 0) r.year = static_cast<int16_t>(1930 + rng() % 90);
        r.forecastDays = static_cast<int16_t>(rng() % 30);
        r.extraDays = static_cast<int16_t>(r.repeat == 0 && rng() % 5 == 0 ? rng() % 14 : 0);
        r.hue = static_cast<int16_t>(rng() % 360);
        r.alarmOn = static_cast<uint8_t>(rng() % 4 == 0);
        r.alarmHour = static_cast<uint8_t>(rng() % 24);
        r.alarmMinute = static_cast<uint8_t>(rng() % 60);
    }
    return t;
}

std::string exported(int count) {
    tv::ical::ExportOptions o;
    o.stampUtc = tv::DateTime::of(kToday, 12, 0, 0);
    return tv::ical::exportCalendar(fullTable(count), o).text;
}

void BM_IcalExportFullTable(benchmark::State& state) {
    const tv::EventTable table = fullTable(tv::EventTable::kMaxSlots);
    tv::ical::ExportOptions o;
    o.stampUtc = tv::DateTime::of(kToday, 12, 0, 0);
    size_t bytes = 0;
    for (auto _ : state) {
        const tv::ical::ExportResult r = tv::ical::exportCalendar(table, o);
        bytes = r.text.size();
        benchmark::DoNotOptimize(r.text.data());
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_IcalExportFullTable)->Unit(benchmark::kMillisecond);

void BM_IcalImportFullTable(benchmark::State& state) {
    const std::string text = exported(tv::EventTable::kMaxSlots);
    tv::ical::ImportOptions o;
    o.today = kToday;
    o.localZone = "Europe/Budapest";
    size_t imported = 0;
    for (auto _ : state) {
        tv::EventTable table;
        const tv::ical::ImportReport r = tv::ical::importCalendar(text, table, o);
        imported = r.imported.size();
        benchmark::DoNotOptimize(table.records().data());
    }
    state.counters["imported"] = static_cast<double>(imported);
}
BENCHMARK(BM_IcalImportFullTable)->Unit(benchmark::kMillisecond);

long peakKilobytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// The child: read the file and import it, print the growth of the peak in KiB.
int measureImport(const char* file) {
    const long before = peakKilobytes();
    std::string text;
    if (tv::readWholeFile(file, text) != tv::ReadResult::kOk) return 1;
    tv::EventTable table;
    tv::ical::ImportOptions o;
    o.today = kToday;
    const tv::ical::ImportReport r = tv::ical::importCalendar(text, table, o);
    std::printf("%ld %zu\n", peakKilobytes() - before, r.imported.size());
    return 0;
}

void BM_IcalImportTenMegabytesPeakMemory(benchmark::State& state) {
    // Events until the file passes 10 MB (more than the table holds: the rest are reported).
    std::string text;
    for (int count = 20000; text.size() < 10'000'000; count += 10000)
        text = exported(count);
    const std::string file =
        (std::filesystem::temp_directory_path() / ("tv-bench-" + std::to_string(getpid()) + ".ics"))
            .string();
    tv::saveFileAtomic(file, text);
    double growthKb = 0;
    for (auto _ : state) {
        const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
        FILE* p = ::popen(("'" + self + "' --measure-import '" + file + "'").c_str(), "r");
        long kb = 0;
        size_t n = 0;
        if (p == nullptr || std::fscanf(p, "%ld %zu", &kb, &n) != 2)
            state.SkipWithError("no child");
        if (p != nullptr) ::pclose(p);
        growthKb = static_cast<double>(kb);
    }
    std::filesystem::remove(file);
    state.counters["file_mb"] = static_cast<double>(text.size()) / 1e6;
    state.counters["peak_growth_mb"] = growthKb * 1024 / 1e6;
    state.counters["growth_per_file_byte"] = growthKb * 1024 / static_cast<double>(text.size());
}
BENCHMARK(BM_IcalImportTenMegabytesPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--measure-import") == 0) return measureImport(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
