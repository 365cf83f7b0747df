// The real file calls, recorded, with one of them made to fail: the disk full at byte N, a failing
// fsync, rename or folder flush. For the tests of everything that saves through saveFileAtomic.
#pragma once

#include <algorithm>
#include <cerrno>
#include <set>
#include <string>
#include <vector>

#include "core/calc/file_ops.h"

namespace tv::test {

enum class FileStep {
    kNone,
    kOpen,
    kWrite,  // at byte `failAtByte` of the file
    kWriteNoProgress,
    kFsync,
    kClose,
    kRename,
    kOpenFolder,
    kFsyncFolder,
    kCloseFolder,
};

class FailingFileOps : public FileOps {
public:
    explicit FailingFileOps(FileStep fail = FileStep::kNone, int error = EIO)
        : fail_(fail), error_(error) {}

    size_t failAtByte = 0;
    size_t mostPerWrite = SIZE_MAX;   // below the request: short writes, as on a pipe or a signal
    bool interruptEachWrite = false;  // every write is first interrupted once (EINTR)
    // Every call in order: "open", "write", "fsync", "close", "rename", "open folder",
    // "fsync folder", "close folder", "unlink" (with the path for open, rename and unlink).
    std::vector<std::string> calls;
    size_t written = 0;

    int openNew(const std::string& path, unsigned mode) override {
        calls.push_back("open " + path);
        if (fail_ == FileStep::kOpen) return failed();
        return real().openNew(path, mode);
    }
    ssize_t write(int fd, const char* data, size_t size) override {
        calls.push_back("write");
        if (interruptEachWrite && !interrupted_) {
            interrupted_ = true;
            errno = EINTR;
            return -1;
        }
        interrupted_ = false;
        if (fail_ == FileStep::kWriteNoProgress) return 0;
        size = std::min(size, mostPerWrite);
        if (fail_ == FileStep::kWrite) {
            if (written >= failAtByte) return failed();
            size = std::min(size, failAtByte - written);
        }
        const ssize_t n = real().write(fd, data, size);
        if (n > 0) written += static_cast<size_t>(n);
        return n;
    }
    int fsync(int fd) override {
        calls.push_back("fsync");
        return fail_ == FileStep::kFsync ? failed() : real().fsync(fd);
    }
    int close(int fd) override {
        const bool folder = folders_.erase(fd) > 0;
        calls.push_back(folder ? "close folder" : "close");
        const int r = real().close(fd);  // the descriptor goes either way, as with close(2)
        if (fail_ == (folder ? FileStep::kCloseFolder : FileStep::kClose)) return failed();
        return r;
    }
    int rename(const std::string& from, const std::string& to) override {
        calls.push_back("rename " + from + " " + to);
        return fail_ == FileStep::kRename ? failed() : real().rename(from, to);
    }
    int openFolder(const std::string& path) override {
        calls.push_back("open folder");
        if (fail_ == FileStep::kOpenFolder) return failed();
        const int fd = real().openFolder(path);
        if (fd >= 0) folders_.insert(fd);
        return fd;
    }
    int fsyncFolder(int fd) override {
        calls.push_back("fsync folder");
        return fail_ == FileStep::kFsyncFolder ? failed() : real().fsyncFolder(fd);
    }
    int unlink(const std::string& path) override {
        calls.push_back("unlink " + path);
        return real().unlink(path);
    }

    // The calls without their paths, for checking the order.
    std::vector<std::string> steps() const {
        std::vector<std::string> out;
        for (const std::string& c : calls) {
            const bool withPath =
                c.starts_with("open /") || c.starts_with("rename ") || c.starts_with("unlink ");
            out.push_back(withPath ? c.substr(0, c.find(' ')) : c);
        }
        return out;
    }

private:
    static FileOps& real() { return systemFileOps(); }
    int failed() const {
        errno = error_;
        return -1;
    }

    FileStep fail_;
    int error_;
    bool interrupted_ = false;
    std::set<int> folders_;
};

}  // namespace tv::test
