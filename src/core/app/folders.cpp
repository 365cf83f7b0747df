#include "core/app/folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/calc/files.h"

#ifndef TV_INSTALLED_PROGRAM_DIR
#define TV_INSTALLED_PROGRAM_DIR "../share/tempovirens"
#endif
#ifndef TV_MODULE_DIR_FROM_BIN
#define TV_MODULE_DIR_FROM_BIN "../lib/tempovirens"
#endif

namespace tv {
namespace {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? std::string(v) : std::string();
}

// The calendar's own folder inside each of the desktop's per-user folders.
constexpr char kOwnFolder[] = "Brimcove Tempovirens/";

// A relative value is invalid by the desktop's rules: the default takes its place.
std::string xdgFolder(const char* name, const std::string& fallback) {
    std::string folder = env(name);
    if (folder.empty() || folder[0] != '/') folder = fallback;
    return withSlash(folder);
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

std::string moduleDir() {
    const std::filesystem::path dir =
        (std::filesystem::path(executableDir()) / TV_MODULE_DIR_FROM_BIN).lexically_normal();
    return withSlash(dir.string());
}

std::string_view installedProgramDir() {
    return TV_INSTALLED_PROGRAM_DIR;
}

std::string programDirFor(const std::string& overrideDir, const std::string& executableDir) {
    if (!overrideDir.empty()) return withSlash(normalizePath(overrideDir));
    std::string here = withSlash(executableDir);
    if (folderExists(here + "data")) return here;
    // "/usr/bin/../share/tempovirens" becomes "/usr/share/tempovirens/": the log and the
    // settings show the folder the way a user would look for it.
    const std::filesystem::path installed =
        (std::filesystem::path(here) / installedProgramDir()).lexically_normal();
    return withSlash(installed.string());
}

Paths resolvePaths() {
    Paths p;
    p.executable = executablePath();
    p.programDir = programDirFor(env("TEMPOVIRENS_PROGRAM_DIR"), executableDir());

    const std::string home = env("HOME");
    p.userDataDir = xdgFolder("XDG_DATA_HOME", home + "/.local/share") + kOwnFolder;
    p.cacheDir = xdgFolder("XDG_CACHE_HOME", home + "/.cache") + kOwnFolder;

    std::string pictures = env("XDG_PICTURES_DIR");
    if (pictures.empty() && folderExists(home + "/Pictures")) pictures = home + "/Pictures";
    p.picturesDir = pictures.empty() ? std::string() : withSlash(pictures);
    return p;
}

}  // namespace tv
