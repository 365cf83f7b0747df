// Wall time of a command from just before its start until it has exited, over several runs:
// the second start that hands its request to a running calendar is measured so.
//   tv_run_timer RUNS PROGRAM ARGS...   prints "min MS median MS max MS" (and fails when a run
//   exits non-zero)
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tv_run_timer RUNS PROGRAM ARGS...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = ::fork();
        if (child < 0) return 1;
        if (child == 0) {
            ::execvp(argv[2], argv + 2);
            _exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const auto end = std::chrono::steady_clock::now();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "tv_run_timer: run %d failed (status %d)\n", i + 1, status);
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        ::usleep(50000);  // let the running instance settle between requests
    }
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    std::printf("min %.1f median %.1f max %.1f\n", ms.front(), median, ms.back());
    return 0;
}
