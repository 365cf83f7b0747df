#include "core/calc/file_ops.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace tv {
namespace {

class SystemFileOps final : public FileOps {
public:
    int openNew(const std::string& path, unsigned mode) override {
        return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                      static_cast<mode_t>(mode));
    }
    ssize_t write(int fd, const char* data, size_t size) override {
        return ::write(fd, data, size);
    }
    int fsync(int fd) override { return ::fsync(fd); }
    int close(int fd) override { return ::close(fd); }
    int rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str());
    }
    int openFolder(const std::string& path) override {
        return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    int fsyncFolder(int fd) override { return ::fsync(fd); }
    int unlink(const std::string& path) override { return ::unlink(path.c_str()); }
};

}  // namespace

FileOps& systemFileOps() {
    static SystemFileOps ops;  // stateless: the one shared instance holds nothing
    return ops;
}

}  // namespace tv
