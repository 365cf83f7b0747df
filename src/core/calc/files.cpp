#include "core/calc/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tv {
namespace {

std::string trimmed(std::string_view s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(b, e - b + 1));
}

bool writeAll(FileOps& ops, int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ops.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;  // no progress: a device that takes nothing more
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string folderOf(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos) return ".";
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string normalizePath(std::string_view path) {
    std::string out(path);
    for (char& c : out) {
        if (c == '\\') c = '/';
    }
    return out;
}

bool folderExists(std::string_view path) {
    std::string p = normalizePath(trimmed(path));
    struct stat st {};
    return !p.empty() && ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool fileExists(std::string_view path) {
    std::string p = normalizePath(trimmed(path));
    struct stat st {};
    return p.size() >= 4 && ::stat(p.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool createFolderPath(std::string_view path) {
    std::string p = normalizePath(trimmed(path));
    if (p.empty() || p[0] != '/') return false;
    if (folderExists(p)) return true;
    for (size_t i = 1; i <= p.size(); ++i) {
        if (i == p.size() || p[i] == '/') {
            std::string part = p.substr(0, i);
            if (!folderExists(part) && ::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
                return false;
            }
        }
    }
    return folderExists(p);
}

bool deleteFileForced(std::string_view path) {
    std::string p = normalizePath(path);
    if (!fileExists(p)) return false;
    ::chmod(p.c_str(), 0644);
    return ::unlink(p.c_str()) == 0;
}

ReadResult readWholeFile(const std::string& path, std::string& out, size_t maxBytes) {
    out.clear();
    int fd = ::open(normalizePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::kMissing : ReadResult::kError;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return ReadResult::kError;
    }
    if (static_cast<uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return ReadResult::kTooLarge;
    }
    out.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return ReadResult::kError;
        }
        if (n == 0) break;
        if (out.size() + static_cast<size_t>(n) > maxBytes) {
            ::close(fd);
            return ReadResult::kTooLarge;
        }
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return ReadResult::kOk;
}

bool flushFolder(const std::string& folder, FileOps& ops) {
    const int fd = ops.openFolder(folder);
    if (fd < 0) return false;
    bool ok = ops.fsyncFolder(fd) == 0 || errno == EINVAL;
    int reason = errno;
    if (ops.close(fd) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    errno = reason;
    return ok;
}

bool saveFileAtomic(const std::string& target, std::string_view bytes, std::string_view tempSuffix,
                    unsigned mode, FileOps& ops) {
    const std::string path = normalizePath(target);
    const std::string temp = path + std::string(tempSuffix);
    ops.unlink(temp);
    const int fd = ops.openNew(temp, mode);
    if (fd < 0) return false;
    bool ok = writeAll(ops, fd, bytes) && ops.fsync(fd) == 0;
    int reason = errno;
    if (ops.close(fd) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    if (ok) {
        ::chmod(path.c_str(), 0644);  // a read-only old file must not stop the rename's caller
        ok = ops.rename(temp, path) == 0;
        reason = errno;
    }
    if (!ok) {
        ops.unlink(temp);
        errno = reason;  // the reason the caller shows, not the clean-up's
        return false;
    }
    // The rename is the commit point; flushing the folder makes it survive a power cut.
    return flushFolder(folderOf(path), ops);
}

}  // namespace tv
