// Random access to a file (or bytes in memory) that never reads past the size it had when it
// was opened: the readers of indexed formats ask for ranges the file itself names.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

class BoundedFile {
public:
    BoundedFile() = default;
    ~BoundedFile() { close(); }
    BoundedFile(const BoundedFile&) = delete;
    BoundedFile& operator=(const BoundedFile&) = delete;

    // A regular file; false when it cannot be opened.
    bool openFile(const std::string& path);
    void openBytes(std::string bytes);
    void close();

    bool isOpen() const { return fd_ >= 0 || inMemory_; }
    uint64_t size() const { return size_; }
    // Up to n bytes from the 0-based offset; fewer at the end, none past it (also when the
    // file shrank since it was opened, or a read failed).
    std::string readAt(uint64_t offset, uint64_t n) const;

private:
    int fd_ = -1;
    std::string memory_;
    bool inMemory_ = false;
    uint64_t size_ = 0;
};

}  // namespace tv
