#include "core/app/folders.h"

#include <unistd.h>

#include <cstdlib>

#include "core/calc/files.h"

namespace tv {
namespace {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? std::string(v) : std::string();
}

}  // namespace

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::string executablePath() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    return std::string(buf, static_cast<size_t>(n));
}

std::string executableDir() {
    std::string exe = executablePath();
    size_t slash = exe.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

Paths resolvePaths() {
    Paths p;
    p.executable = executablePath();
    std::string programDir = env("TEMPOVIRENS_PROGRAM_DIR");
    p.programDir = withSlash(programDir.empty() ? executableDir() : normalizePath(programDir));

    const std::string home = env("HOME");
    std::string data = env("XDG_DATA_HOME");
    if (data.empty() || data[0] != '/') data = home + "/.local/share";
    p.userDataDir = withSlash(data) + "Brimcove Tempovirens/";

    std::string pictures = env("XDG_PICTURES_DIR");
    if (pictures.empty() && folderExists(home + "/Pictures")) pictures = home + "/Pictures";
    p.picturesDir = pictures.empty() ? std::string() : withSlash(pictures);
    return p;
}

}  // namespace tv
