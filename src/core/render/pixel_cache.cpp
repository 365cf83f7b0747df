#include "core/render/pixel_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/calc/files.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

int64_t nanoseconds(const timespec& t) {
    return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::string entryPath(const std::string& folder, std::string_view sourcePath) {
    return (fs::path(folder) / pixelCacheFileName(sourcePath)).string();
}

// Exactly n bytes from `offset`, or false.
bool readExactly(int fd, void* out, uint64_t n, uint64_t offset) {
    auto* bytes = static_cast<char*>(out);
    uint64_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd, bytes + done, static_cast<size_t>(n - done),
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<uint64_t>(got);
    }
    return true;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::optional<PixelCacheKey> pixelCacheKeyFor(const std::string& sourcePath) {
    struct stat st {};
    if (sourcePath.empty() || ::stat(sourcePath.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::error_code ec;
    const fs::path absolute = fs::absolute(sourcePath, ec);
    if (ec) return std::nullopt;
    PixelCacheKey key;
    key.path = absolute.lexically_normal().string();
    key.size = static_cast<uint64_t>(st.st_size);
    key.modifiedNs = nanoseconds(st.st_mtim);
    key.changedNs = nanoseconds(st.st_ctim);
    return key;
}

bool readPixelCacheEntry(const std::string& folder, const PixelCacheKey& key,
                         const PixelDestination& destination) {
    const Descriptor fd(::open(entryPath(folder, key.path).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const auto length = static_cast<uint64_t>(st.st_size);
    std::string head(std::min<uint64_t>(length, kPixelCacheMaxHeaderBytes), '\0');
    if (!readExactly(fd.get(), head.data(), head.size(), 0)) return false;
    const std::optional<PixelCacheEntry> entry = parsePixelCacheEntry(head, length, key);
    if (!entry) return false;
    uint8_t* out = destination(entry->layout);
    if (out == nullptr || !readExactly(fd.get(), out, entry->pixelBytes, entry->pixelOffset))
        return false;
    // The entry's time is its last use, so that trimming removes what no start has needed lately.
    ::futimens(fd.get(), nullptr);
    return true;
}

bool writePixelCacheEntry(const std::string& folder, const PixelCacheKey& key,
                          const PixelLayout& layout, std::span<const uint8_t> pixels,
                          uint64_t capBytes) {
    const std::string bytes = encodePixelCacheEntry(key, layout, pixels);
    if (bytes.empty() || !createFolderPath(folder)) return false;
    // A temporary name of this process's own: two calendars starting at once must not write
    // into one temporary file.
    const std::string tempSuffix = "." + std::to_string(::getpid()) + ".tmp";
    const bool saved = saveFileAtomic(entryPath(folder, key.path), bytes, tempSuffix, 0600);
    trimPixelCache(folder, capBytes);
    return saved;
}

void trimPixelCache(const std::string& folder, uint64_t capBytes) {
    std::vector<PixelCacheFile> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        struct stat st {};
        if (!isPixelCacheFileName(name) || ::lstat(it->path().c_str(), &st) != 0 ||
            !S_ISREG(st.st_mode))
            continue;
        files.push_back({name, static_cast<uint64_t>(st.st_size), nanoseconds(st.st_mtim)});
    }
    for (const std::string& name : pixelCacheEvictions(std::move(files), capBytes))
        ::unlink((fs::path(folder) / name).c_str());
}

}  // namespace tv
