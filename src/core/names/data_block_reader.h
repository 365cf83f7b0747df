// Reader of the indexed data block files that ship in the data folder ("DATA_QZS"), such as the
// sayings in "data/hun_wise.dat".
//
// Layout: the magic "DATA_QZS", the entry count (biased 32-bit), one byte each for the widths of
// an index record's position and length fields (1, 2 or 4), then one index record per entry, then
// the texts in Windows-1250. Positions are 1-based byte positions in the file.
//
// Nothing is cached: the file stays open and each readEntry does two small reads, one for the
// index record and one for the text. Every position and length is checked against the size of
// the file; what lies past its end is never read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/calc/bounded_file.h"

namespace tv {

// Biased big-endian integers, as every binary file of the calendar stores them: a 16-bit field
// holds value + 32768 and a 32-bit field value + 2^31, high byte first. A text of any other
// length than 2 (or 4) decodes to 0.
int16_t decodeInt16(std::string_view bytes);
int32_t decodeInt32(std::string_view bytes);

// What opening a data block file came to.
enum class DataBlockOpen : uint8_t {
    kOpened = 0,
    kCloseFailed = 1,  // kept for callers; closing cannot fail here
    kNoFile = 2,
    kBadMagic = 3,
};

class DataBlockReader {
public:
    static constexpr std::string_view kMagic = "DATA_QZS";
    static constexpr uint64_t kHeaderSize = 14;

    DataBlockReader() = default;
    ~DataBlockReader() { closeFile(); }
    DataBlockReader(const DataBlockReader&) = delete;
    DataBlockReader& operator=(const DataBlockReader&) = delete;

    // The count from the header while open, else 0. Taken as the file says: it may exceed the
    // records the file really holds (those entries read as empty text), or even be negative.
    int32_t entryCount() const { return isOpen_ ? entryCount_ : 0; }

    // Opens the file and reads its header. A path shorter than 4 characters, a folder or an
    // unreadable file is kNoFile; a file that does not start with a whole header whose first
    // eight bytes are "DATA_QZS" is kBadMagic and leaves the reader closed. A file that was open
    // before is closed first (unless the new path does not exist).
    DataBlockOpen openFile(std::string_view path);
    // The same over bytes in memory (tests, fuzzing): kOpened or kBadMagic.
    DataBlockOpen openBytes(std::string bytes);
    // Closes the file, if any, and resets count and widths. Always 0.
    uint8_t closeFile();

    // Entry n (1-based) as UTF-8; the empty text for n outside 1..count. A position or length
    // that points past the end of the file gives empty or cut text; so does an index record that
    // the file cuts off, or a field width other than 1, 2 or 4.
    std::string readEntry(int32_t n) const;

    bool isOpen() const { return isOpen_; }
    const std::string& fileName() const { return fileName_; }
    uint8_t offsetWidth() const { return offsetWidth_; }
    uint8_t lengthWidth() const { return lengthWidth_; }

private:
    DataBlockOpen readHeader();

    BoundedFile file_;  // no read goes past the size it had at open
    std::string fileName_;
    bool isOpen_ = false;
    int32_t entryCount_ = 0;
    uint8_t offsetWidth_ = 0;
    uint8_t lengthWidth_ = 0;
};

}  // namespace tv
