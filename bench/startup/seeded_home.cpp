// Starts a program in a home folder that holds a given event database, as a user's would: the
// start-up bench makes a fresh home for its runs, and the calendar must meet its 1,000 events
// there. The database is copied once (later runs keep what the calendar saved), then the program
// replaces this process, so the bench times and measures the program itself.
//
//   tv_seeded_home EVENTS.cdb PROGRAM ARGS...     (EVENTS.cdb "-": no data, only the exec)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool makeFolders(const std::string& path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/') continue;
        const std::string part = path.substr(0, i);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool copyFile(const char* from, const std::string& to) {
    const int in = ::open(from, O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool ok = out >= 0;
    char buffer[65536];
    ssize_t n = 0;
    while (ok && (n = ::read(in, buffer, sizeof buffer)) > 0)
        ok = ::write(out, buffer, static_cast<size_t>(n)) == n;
    ok = ok && n == 0;
    ::close(in);
    if (out >= 0) ::close(out);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tv_seeded_home EVENTS.cdb|- PROGRAM ARGS...\n");
        return 2;
    }
    if (std::string(argv[1]) != "-") {
        const char* home = std::getenv("HOME");
        const char* dataHome = std::getenv("XDG_DATA_HOME");
        std::string data = dataHome != nullptr && dataHome[0] == '/'
                               ? std::string(dataHome)
                               : std::string(home != nullptr ? home : "/tmp") + "/.local/share";
        const std::string folder = data + "/Brimcove Tempovirens";
        const std::string target = folder + "/events.cdb";
        struct stat st {};
        if (::stat(target.c_str(), &st) != 0 &&
            (!makeFolders(folder) || !copyFile(argv[1], target))) {
            std::perror("tv_seeded_home");
            return 1;
        }
    }
    ::execvp(argv[2], argv + 2);
    std::perror(argv[2]);
    return 127;
}
