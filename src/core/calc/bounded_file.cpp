#include "core/calc/bounded_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tv {

bool BoundedFile::openFile(const std::string& path) {
    close();
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        close();
        return false;
    }
    size_ = static_cast<uint64_t>(st.st_size);
    return true;
}

void BoundedFile::openBytes(std::string bytes) {
    close();
    memory_ = std::move(bytes);
    inMemory_ = true;
    size_ = memory_.size();
}

void BoundedFile::close() {
    // close() releases the descriptor even when it reports an error: nothing to retry.
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    memory_.clear();
    memory_.shrink_to_fit();
    inMemory_ = false;
    size_ = 0;
}

std::string BoundedFile::readAt(uint64_t offset, uint64_t n) const {
    if (offset >= size_) return {};
    n = std::min(n, size_ - offset);
    if (inMemory_) return memory_.substr(offset, n);
    std::string out(n, '\0');
    size_t done = 0;
    while (done < n) {
        ssize_t got = ::pread(fd_, out.data() + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    out.resize(done);
    return out;
}

}  // namespace tv
