// A start's skin pictures: the metal_big background (648 x 564, argument 0) and button sheet
// (argument 1) decoded from their PNGs, against the same pictures read from the decoded-pixel
// cache, and the first load that decodes and writes the entry.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "core/ports/surface.h"
#include "platform/qt/caching_image_loader.h"
#include "support/temp_dir.h"

namespace {

using namespace tv;

struct Fixture {
    Fixture() {
        static int argc = 1;
        static char name[] = "bench_pixel_cache";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    std::unique_ptr<QGuiApplication> app;
    test::TempDir cacheDir;
    QtImageLoader decoder;
    CachingImageLoader cached{cacheDir.file("pixels")};
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

std::string skinFile(const benchmark::State& state) {
    return std::string(TV_TEST_PROGRAM_DIR) + "/themes/metal_big/" +
           (state.range(0) == 0 ? "main_bg.png" : "buttons.png");
}

void loadOnce(const ImageLoader& loader, const std::string& file, benchmark::State& state) {
    ImageLoadResult result = ImageLoadResult::kOk;
    std::unique_ptr<Surface> surface = loader.load(file, result);
    if (!surface) state.SkipWithError("the skin picture did not load");
    benchmark::DoNotOptimize(surface);
}

void benchDecodePng(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string file = skinFile(state);
    for (auto _ : state)
        loadOnce(f.decoder, file, state);
}
BENCHMARK(benchDecodePng)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void benchFromPixelCache(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string file = skinFile(state);
    loadOnce(f.cached, file, state);  // the first start writes the entry
    for (auto _ : state)
        loadOnce(f.cached, file, state);
}
BENCHMARK(benchFromPixelCache)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The first start after a skin changed: decoding, and the safe save of the new entry.
void benchDecodeAndWriteEntry(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string file = skinFile(state);
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(f.cacheDir.file("pixels"));
        state.ResumeTiming();
        loadOnce(f.cached, file, state);
    }
}
BENCHMARK(benchDecodeAndWriteEntry)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
