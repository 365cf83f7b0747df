// The name search over a 3,000-name list: in process (read, decode, scan) and as a whole run of
// `tempovirens-cli names search NAME --list`, which must stay under 5 ms. Also the day table.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/config/cp1250.h"
#include "core/names/name_search.h"
#include "core/names/name_table.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

constexpr int kNames = 3000;

// 20 x 10 x 15 distinct Hungarian-looking names, each with one to four days.
std::string makeNameList(std::string& lastName) {
    const char* first[] = {"Á",  "Be", "Cs", "Dó", "E", "Fü", "Gy", "Há", "Ib", "Jó",
                           "Ka", "Le", "Má", "Nó", "Ö", "Pé", "Re", "Sá", "Ti", "Ú"};
    const char* second[] = {"la", "rd", "na", "ta", "ős", "bel", "ka", "ria", "lin", "nor"};
    const char* third[] = {"",   "ka", "ke", "ton", "ra", "da", "ne", "it",
                           "us", "ő",  "mi", "re",  "ta", "sz", "ly"};
    std::string text = "// Utónevek a méréshez\r\n\r\n";
    int n = 0;
    for (const char* a : first) {
        for (const char* b : second) {
            for (const char* c : third) {
                const std::string name = std::string(a) + b + c;
                text += name + " ";
                const int days = 1 + n % 4;
                for (int d = 0; d < days; ++d) {
                    if (d > 0) text += ", ";
                    text += std::to_string(1 + (n + d * 5) % 12) + "." +
                            std::to_string(1 + (n * 7 + d) % 28) + ".";
                    if (days > 1 && d == days - 1) text += "*";
                }
                text += "\r\n";
                lastName = name;
                ++n;
            }
        }
    }
    return text;
}

struct Fixture {
    tv::test::TempDir folder;
    std::string dir = folder.dir();
    std::string searchName;  // folded, as a user types it
    Fixture() {
        std::filesystem::create_directory(dir + "data");
        std::string last;
        const std::string list = makeNameList(last);
        std::ofstream(dir + std::string(tv::kNameListRelativePath), std::ios::binary)
            << tv::utf8ToCp1250(list);
        searchName = tv::nameSearchKey(last);
        std::string days;
        for (int i = 0; i < tv::NameTable::kDays; ++i)
            days += "Név" + std::to_string(i) + ", Más" + std::to_string(i) + "\r\n";
        std::ofstream(dir + std::string(tv::NameTable::kRelativePath), std::ios::binary)
            << tv::utf8ToCp1250(days);
    }
};

const Fixture& fixture() {
    static const Fixture kF;
    return kF;
}

void benchNameListSearch(benchmark::State& state) {
    const Fixture& f = fixture();
    const std::string path = f.dir + std::string(tv::kNameListRelativePath);
    for (auto _ : state) {
        std::string text;
        tv::readNameFile(path, text);
        tv::NameSearchResults r = tv::searchNameListText(text, f.searchName);
        if (r.days.empty()) state.SkipWithError("the last name was not found");
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(benchNameListSearch)->Unit(benchmark::kMicrosecond);

void benchDayTableSearch(benchmark::State& state) {
    tv::NameTable table;
    table.load(fixture().dir);
    for (auto _ : state) {
        tv::NameSearchResults r = tv::searchDayTable(table, "mas364");
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(benchDayTableSearch)->Unit(benchmark::kMicrosecond);

// One whole process per iteration: start, read the list, search, print, exit.
void benchNamesSearchProcess(benchmark::State& state) {
    const Fixture& f = fixture();
    const std::string cli = std::string(TV_TEST_PROGRAM_DIR) + "/tempovirens-cli";
    if (::access(cli.c_str(), X_OK) != 0) {
        state.SkipWithError("build tempovirens-cli first");
        return;
    }
    std::vector<std::string> args = {cli,     "--program-dir", f.dir,        "--data-dir", f.dir,
                                     "names", "search",        f.searchName, "--list"};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv.data(), environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("names search failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(benchNamesSearchProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
