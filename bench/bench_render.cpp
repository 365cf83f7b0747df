// Composing the frame on real QImage surfaces with the built metal_big skin: the main screen
// with a full forecast, and a month grid whose every day holds ten event lines.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "core/calc/today.h"
#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/names/wisdom.h"
#include "core/render/month_grid.h"
#include "core/render/screen.h"
#include "platform/qt/qt_image_loader.h"
#include "platform/qt/qt_surface.h"

namespace {

using namespace tv;

struct Fixture {
    Fixture() {
        static int argc = 1;
        static char name[] = "bench_render";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        const std::string programDir = std::string(TV_TEST_PROGRAM_DIR) + "/";
        strings.loadFile(programDir + "data/hun_strings.dat");
        SkinServices sv;
        sv.factory = &factory;
        sv.images = &images;
        sv.settings = &settings;
        sv.strings = &strings;
        sv.programDir = programDir;
        std::string skin = "metal_big";
        setSkin(sc.skin, skin, false, sv);
        setTodayState(today, DateTime::of(Date::serial(2025, 3, 15), 10, 0, 0), strings);
        sc.settings = &settings;
        sc.strings = &strings;
        sc.today = &today;
        todayText =
            "Ma március 15., szombat,|az év 74. napja a 11. héten,|<r>Kristóf</r> "
            "napja, holnap Henrietta napja.";
        sc.todayText = &todayText;
        for (int i = 0; i < 12; ++i) {
            ForecastEntry e;
            e.text = "Esemény " + std::to_string(i) + " még " + std::to_string(i) + " nap";
            e.daysUntil = i / 3;
            e.isHoliday = i % 4 == 0;
            e.hasAlarm = i % 5 == 0;
            forecast.push_back(e);
        }
        sc.forecast = &forecast;
        wisdom.text = "Aki másnak vermet ás, maga esik bele.+Közmondás";
        wisdom.shown = true;
        sc.wisdom = &wisdom;

        month.year = 2025;
        month.month = 3;
        month.offset = 6;
        for (int c = 0; c < kDayCells; ++c) {
            DayCell& cell = month.cells[static_cast<size_t>(c)];
            cell.day = month.cellDate(c).day();
            cell.inMonth = month.cellDate(c).month() == 3;
            cell.userMark = true;
            for (int k = 0; k < 10; ++k) {
                const int hue = k % 2 ? -1 : 40 * k;
                cell.lines.push_back({FieldLineKind::kEvent, hue, "Esemény " + std::to_string(k)});
            }
        }
        for (int b = 0; b < 5; ++b)
            month.bands.push_back({b * 3, b * 3 + 9, true, true, 0x3070F0u, 9});
        sc.colours = readGridColours(sc.skin.theme);
        sc.month = &month;
    }
    std::unique_ptr<QGuiApplication> app;
    QtSurfaceFactory factory;
    QtImageLoader images;
    HashTable settings;
    StringTable strings;
    TodayState today;
    std::vector<ForecastEntry> forecast;
    WisdomState wisdom;
    std::string todayText;
    MonthEvents month;
    Screen sc;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void benchRedrawMainScreen(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        redrawScreen(f.sc, ScreenMode::kMain);
        benchmark::DoNotOptimize(f.sc.skin.mainBuffer->pixel(10, 10));
    }
}
BENCHMARK(benchRedrawMainScreen)->Unit(benchmark::kMillisecond);

void benchRedrawMonthGridTenEventsADay(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        redrawScreen(f.sc, ScreenMode::kMonth);
        benchmark::DoNotOptimize(f.sc.skin.mainBuffer->pixel(10, 10));
    }
}
BENCHMARK(benchRedrawMonthGridTenEventsADay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
