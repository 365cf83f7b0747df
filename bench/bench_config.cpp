// HashTable lookups against std::unordered_map on the keys of a 2,000-entry string table, and
// reading that table from disk.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/config/config_file.h"
#include "core/config/hash_table.h"

namespace {

// Keys shaped like the string table's: area prefix, words, numbered families.
std::vector<std::string> makeKeys() {
    const char* areas[] = {"main_", "dates_", "sets_", "name_", "com_", "updt_", "sets_bk_"};
    const char* words[] = {"err", "lbl",   "b",     "filter", "alarm", "today", "forecast",
                           "pic", "month", "short", "q",      "tt",    "save",  "restore"};
    std::vector<std::string> keys;
    std::mt19937 rng(7);
    while (keys.size() < 2000) {
        std::string k = areas[rng() % 7];
        k += words[rng() % 14];
        k += "_";
        k += words[rng() % 14];
        k += std::to_string(keys.size());
        keys.push_back(k);
    }
    return keys;
}

const std::vector<std::string>& keys() {
    static const std::vector<std::string> kKeys = makeKeys();
    return kKeys;
}

void benchHashTableLookup(benchmark::State& state) {
    tv::HashTable t;
    for (const auto& k : keys())
        t.add(k, "Egy szöveg, amely a felhasználónak szól: $1");
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.exists(keys()[i]));
        if (++i == keys().size()) i = 0;
    }
}
BENCHMARK(benchHashTableLookup);

void benchHashTableItem(benchmark::State& state) {
    tv::HashTable t;
    for (const auto& k : keys())
        t.add(k, "Egy szöveg, amely a felhasználónak szól: $1");
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.item(keys()[i]));
        if (++i == keys().size()) i = 0;
    }
}
BENCHMARK(benchHashTableItem);

void benchUnorderedMapLookup(benchmark::State& state) {
    std::unordered_map<std::string, std::string> m;
    for (const auto& k : keys())
        m.emplace(k, "Egy szöveg, amely a felhasználónak szól: $1");
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(m.find(keys()[i]) != m.end());
        if (++i == keys().size()) i = 0;
    }
}
BENCHMARK(benchUnorderedMapLookup);

void benchUnorderedMapItem(benchmark::State& state) {
    std::unordered_map<std::string, std::string> m;
    for (const auto& k : keys())
        m.emplace(k, "Egy szöveg, amely a felhasználónak szól: $1");
    size_t i = 0;
    for (auto _ : state) {
        auto it = m.find(keys()[i]);
        benchmark::DoNotOptimize(it != m.end() ? it->second : std::string());
        if (++i == keys().size()) i = 0;
    }
}
BENCHMARK(benchUnorderedMapItem);

void benchReadConfig2000(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "tv_bench_strings.dat").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "// a string table of 2,000 entries\r\n";
        for (const auto& k : keys()) {
            out << k << " = \"Egy szöveg, amely a felhasználónak szól: $1\"\r\n";
        }
    }
    for (auto _ : state) {
        tv::HashTable t;
        benchmark::DoNotOptimize(tv::readConfig(t, path));
    }
    std::remove(path.c_str());
}
BENCHMARK(benchReadConfig2000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
