// The file calls a safe save makes, behind a small interface so that a test can fail any one of
// them (a full disk at byte N, a failing fsync or rename) and see what the save does about it.
#pragma once

#include <sys/types.h>

#include <string>

namespace tv {

// Each call returns what its POSIX namesake returns and leaves the reason in errno.
class FileOps {
public:
    virtual ~FileOps() = default;
    // Creates or truncates `path` for writing, with `mode` less the umask.
    virtual int openNew(const std::string& path, unsigned mode) = 0;
    virtual ssize_t write(int fd, const char* data, size_t size) = 0;
    virtual int fsync(int fd) = 0;
    virtual int close(int fd) = 0;
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual int openFolder(const std::string& path) = 0;
    virtual int fsyncFolder(int fd) = 0;
    virtual int unlink(const std::string& path) = 0;
};

// The real calls.
FileOps& systemFileOps();

}  // namespace tv
