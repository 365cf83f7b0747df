#include "core/app/log.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/calc/date.h"
#include "core/calc/files.h"
#include "core/ports/clock.h"

namespace tv {
namespace {

// One complete append: open, write, close.
void appendToFile(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
}

int digitsAt(const std::string& s, size_t pos, size_t len) {
    int v = 0;
    for (size_t i = pos; i < pos + len; ++i) {
        if (s[i] < '0' || s[i] > '9') return -1;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

}  // namespace

std::string Log::fileNameFor(int year, int month, int day) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "calendar_%04d-%02d-%02d.log", year, month, day);
    return buf;
}

void Log::open(const std::string& path) {
    path_ = normalizePath(path);
    if (!fileExists(path_)) appendToFile(path_, "");
    setReferenceTime();
}

void Log::setReferenceTime() {
    reference_ = clock_.secondsSinceMidnight();
}

void Log::write(std::string_view text, int level) const {
    if (path_.empty()) return;
    std::string line;
    switch (level) {
        case 0:
            line = "  " + std::string(text) + "\r\n";
            break;
        case 1: {
            char stamp[32];
            std::snprintf(stamp, sizeof stamp, "%.2f", clock_.secondsSinceMidnight() - reference_);
            line = "\r\n[" + std::string(stamp) + "] " + std::string(text) + "\r\n";
            break;
        }
        case 2:
            line = std::string(text) + "\r\n";
            break;
        case 3:
            line = "    " + std::string(text) + "\r\n";
            break;
        default:
            break;  // still a complete open and close, like every other call
    }
    appendToFile(path_, line);
}

void cleanLogs(const std::string& logsFolder, const Clock& clock) {
    const std::string folder = normalizePath(logsFolder);
    if (!folderExists(folder)) return;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const double now = clock.now().asDays();
    std::string base = folder;
    if (base.back() != '/') base += '/';
    while (dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.size() != 23 || !name.starts_with("calendar_") || !name.ends_with(".log"))
            continue;
        const std::string path = base + name;
        if (folderExists(path)) continue;
        int y = digitsAt(name, 9, 4);
        int m = digitsAt(name, 14, 2);
        int d = digitsAt(name, 17, 2);
        if (y < 0 || m < 0 || d < 0) continue;
        const double age = now - Date::serial(y, m, d).serialNumber();
        // Banker's rounding: an age of exactly 6.5 days counts as 6.
        if (std::nearbyint(age) >= 7) deleteFileForced(path);
    }
    ::closedir(dir);
}

}  // namespace tv
