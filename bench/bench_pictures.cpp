// The user picture list: listing a tree of 100,000 files in 1,000 folders, against a plain
// std::filesystem::recursive_directory_iterator count of the same tree (the walk must stay within
// 1.3 times of it), and one choice from a built list of any size (under 1 ms).
//
// The tree is built once in a temporary folder, or taken from $TV_PICTURE_TREE (for instance one
// made by walkcount's mktree.sh, so that both tools time the very same folders).
#include <benchmark/benchmark.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/calc/files.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/names/random_source.h"
#include "core/names/user_pictures.h"
#include "platform/fake/fake_clock.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// 10 x 100 folders of 100 files: 40 .jpg, 10 .JPG, 30 .png and 20 .txt each, as mktree.sh.
struct Tree {
    tv::test::TempDir workDir;  // per-user folder for the list files
    tv::test::TempDir treeDir;  // unused when the tree is given
    std::string root;
    std::string work = workDir.dir();

    Tree() {
        if (const char* given = std::getenv("TV_PICTURE_TREE"); given != nullptr && *given) {
            root = given;
            return;
        }
        root = treeDir.file("tree");
        char name[32];
        for (int a = 0; a < 10; ++a) {
            for (int b = 0; b < 100; ++b) {
                std::snprintf(name, sizeof name, "/y20%d/album%02d", a, b);
                const std::string folder = root + name;
                fs::create_directories(folder);
                for (int i = 0; i < 100; ++i) {
                    const char* kind = i % 10 < 4    ? "IMG_%02d.jpg"
                                       : i % 10 == 4 ? "DSC_%02d.JPG"
                                       : i % 10 < 8  ? "shot_%02d.png"
                                                     : "note_%02d.txt";
                    std::snprintf(name, sizeof name, kind, i);
                    std::ofstream(folder + "/" + name);
                }
            }
        }
    }
};

Tree& tree() {
    static Tree t;
    return t;
}

// The floor: what walkcount does (d_type only, no stat per file).
void benchRecursiveDirectoryIteratorCount(benchmark::State& state) {
    const std::string& root = tree().root;
    for (auto _ : state) {
        std::error_code ec;
        unsigned long n = 0;
        for (fs::recursive_directory_iterator
                 it(root, fs::directory_options::skip_permission_denied, ec),
             end;
             !ec && it != end; it.increment(ec)) {
            if (!it->is_regular_file(ec)) continue;
            const std::string name = it->path().filename().native();
            if (name.size() >= 4 && ::strcasecmp(name.c_str() + name.size() - 4, ".jpg") == 0) ++n;
        }
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(benchRecursiveDirectoryIteratorCount)->Unit(benchmark::kMillisecond)->UseRealTime();

// A whole background listing: the walk, and the two files saved through saveFileAtomic.
void benchPictureListWalk(benchmark::State& state) {
    tv::FakeClock clock;
    tv::UserPictureList list({tree().work, "", &clock, nullptr, {}});
    for (auto _ : state) {
        list.startPictureList(tree().root, true, true);
        list.completePictureList();
    }
    std::string index;
    tv::readWholeFile(tree().work + "userpic_index.dat", index);
    state.counters["pictures"] = static_cast<double>(tv::listedPictureCount(index.size()));
}
BENCHMARK(benchPictureListWalk)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same walk in timer-sized steps, as the window runs it.
void benchPictureListWalkInSteps(benchmark::State& state) {
    tv::FakeClock clock;
    tv::UserPictureList list({tree().work, "", &clock, nullptr, {}});
    for (auto _ : state) {
        list.startPictureList(tree().root, true, true);
        while (list.completePictureListStep()) {
        }
    }
}
BENCHMARK(benchPictureListWalkInSteps)->Unit(benchmark::kMillisecond)->UseRealTime();

// A built list of `n` pictures (every path names the one picture that exists) in its own folder.
struct BuiltList {
    tv::test::TempDir dir;
    std::string folder = dir.dir();
    std::string source;
    tv::FakeClock clock = tv::FakeClock::at(2024, 3, 9);
    tv::HashTable settings;

    explicit BuiltList(int n) {
        source = folder + "pics";
        fs::create_directories(source);
        std::ofstream(source + "/one.jpg") << "x";
        tv::ListWriter w;
        w.begin(clock.now().date, false, source);
        for (int i = 0; i < n; ++i)
            w.add("one.jpg");
        tv::saveFileAtomic(folder + "userpic_index.dat", w.index());
        tv::saveFileAtomic(folder + "userpic_images.dat", w.images());
        tv::write(settings, tv::settings::BGPic_Source, source);
    }
};

// manageUserPictures as a window load calls it: check the headers, read the round, choose, test the
// file and save the round.
void benchChooseUserPicture(benchmark::State& state) {
    BuiltList built(static_cast<int>(state.range(0)));
    tv::UserPictureList list({built.folder, "", &built.clock, nullptr, {}});
    tv::RandomSource random(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tv::manageUserPictures(list, built.settings, random));
    }
}
BENCHMARK(benchChooseUserPicture)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// The choice without saving the round: the headers, the round from the slot file, one record,
// one path, one file test. Second argument 0: half of the round shown; 1: all but the last.
void benchChooseUserPictureWithoutSave(benchmark::State& state) {
    BuiltList built(static_cast<int>(state.range(0)));
    std::string round = tv::makeSlotsHeader();
    for (int64_t i = 0; i < state.range(0); ++i) {
        const bool shown = state.range(1) == 0 ? i % 2 == 0 : i + 1 < state.range(0);
        round += shown ? '\xff' : '\0';
    }
    tv::saveFileAtomic(built.folder + "userpic_slots.dat", round);
    tv::RandomSource random(1);
    for (auto _ : state) {
        tv::FileListBytes index;
        tv::FileListBytes images;
        tv::FileListBytes slotFile;
        index.open(built.folder + "userpic_index.dat");
        images.open(built.folder + "userpic_images.dat");
        slotFile.open(built.folder + "userpic_slots.dat");
        const tv::UserPictureListCheck check = tv::checkUserPictureList(
            &index, &images, built.source, false, built.clock.now().date, nullptr);
        std::vector<uint8_t> slots = tv::loadUserPictureSlots(&slotFile, index.size());
        benchmark::DoNotOptimize(
            tv::chooseUserPicture(index, images, built.source, slots, random, {}, nullptr));
        benchmark::DoNotOptimize(check);
    }
}
BENCHMARK(benchChooseUserPictureWithoutSave)
    ->ArgsProduct({{1000, 100000, 1000000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
