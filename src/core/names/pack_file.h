// Pack files ("QPK"): a few files with their names, attributes and time stamps plus a short
// comment, stored uncompressed in one file. Backups are pack files named "*.backup".
//
// Layout (integers biased big-endian): "QPK", 0x01, 0x00, the name width W (16-bit), the comment
// length C (one byte) and the comment, the packing time (7-byte stamp), the entry count N
// (16-bit), N directory entries of 23 + W bytes, then the contents in directory order.
// A directory entry: attributes (1 byte), creation and last-write stamps, the 1-based position
// and the size of the contents (32-bit each), the name padded with 0x00 to W bytes.
//
// Every position and size read from a pack is checked against the size of the file, and
// extraction writes only plain files directly inside the destination folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/bounded_file.h"
#include "core/calc/date.h"

namespace tv {

class Clock;

// A 7-byte time stamp as the pack stores it: local time, the year biased 16-bit, then one byte
// each for month, day, hour, minute and second. Fields read from a file can be anything.
struct PackStamp {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    static PackStamp of(DateTime t);
    // The moment the fields name, when they name one.
    std::optional<DateTime> toDateTime() const;
    friend bool operator==(const PackStamp&, const PackStamp&) = default;
};

// The attribute bits packs carry. On Linux only read-only means anything: it is a file without
// write bits.
inline constexpr uint8_t kPackAttrReadOnly = 1;
inline constexpr uint8_t kPackAttrHidden = 2;
inline constexpr uint8_t kPackAttrSystem = 4;
inline constexpr uint8_t kPackAttrArchive = 32;

struct PackEntry {
    std::string name;  // UTF-8, as read (not yet checked)
    uint8_t attributes = 0;
    PackStamp created;
    PackStamp modified;
    int32_t position = 0;  // 1-based byte position of the contents, as stored
    int32_t size = 0;
};

// Whether an entry may become a file of the destination folder: not empty, not "." or "..", no
// "/" or "\", no drive letter ("C:..."), no control characters.
bool isSafeEntryName(std::string_view name);

// The name field of a Windows-1250 name: a name longer than `width` keeps its part from the first
// full stop on and loses characters before it (or is cut to `width` when it has no full stop or
// that part alone is too long), then it is padded with 0x00 to `width`.
std::string packNameField(std::string_view cp1250Name, size_t width);

// What a pack operation came to. Open: kOk, kNoFile, kBadMagic, kBadVersion, kDamaged.
// Extract: kOk, kNotOpen, or a failure. Pack: kOk or a failure.
enum class PackResult {
    kOk = 0,
    kReadError = 1,      // a source, or an entry's contents, cannot be read
    kCouldNotClose = 2,  // kept for callers; closing cannot fail here
    kNotOpen = 3,
    kNoFile = 4,
    kBadMagic = 5,
    kBadVersion = 6,
    kDamaged = 7,  // header or directory cut off by the end of the file
    kWriteError = 8,
    kUnsafeName = 9,
    kTooLarge = 10,
};

class PackFile {
public:
    static constexpr uint16_t kNameWidth = 32;  // what we write; readers take the header's W
    static constexpr size_t kMaxCommentBytes = 255;
    // Packs are built and entries extracted in memory; backups are a few hundred kilobytes.
    static constexpr int64_t kMaxPackBytes = int64_t{256} << 20;

    PackFile() = default;
    ~PackFile() { closePack(); }
    PackFile(const PackFile&) = delete;
    PackFile& operator=(const PackFile&) = delete;

    // Writes the sources (in order, names without their folders) and the comment (raw bytes,
    // cut to 255) to `destination`, replacing it only once the whole pack is on disk.
    static PackResult pack(const std::string& destination, const std::vector<std::string>& sources,
                           std::string_view comment, const Clock& clock);

    // Opens a pack and reads its directory; any pack open before is closed first.
    PackResult openPack(const std::string& path);
    // The same over bytes in memory (tests, fuzzing).
    PackResult openBytes(std::string bytes);
    void closePack();

    bool isOpen() const { return isOpen_; }
    const std::string& path() const { return path_; }
    const std::string& comment() const { return comment_; }  // raw bytes
    const PackStamp& packedAt() const { return packedAt_; }
    int nameWidth() const { return nameWidth_; }
    const std::vector<PackEntry>& entries() const { return entries_; }

    // The contents of entry `index` (0-based): kOk, kNotOpen, kReadError (no such entry, or its
    // range leaves the file) or kTooLarge.
    PackResult readEntry(size_t index, std::string& out) const;
    // Writes entry `index` into `folder` through a temporary file; with `restore`, sets its
    // last-write time and its read-only state from the pack.
    PackResult extractEntry(const std::string& folder, size_t index, bool restore) const;
    // Every entry in order, going on after a failure; kOk only when all came out.
    PackResult extractAll(const std::string& folder, bool restore) const;

private:
    PackResult readDirectory();

    BoundedFile file_;  // no read goes past the size it had at open
    bool isOpen_ = false;
    std::string path_;
    std::string comment_;
    PackStamp packedAt_;
    int nameWidth_ = 0;
    std::vector<PackEntry> entries_;
};

}  // namespace tv
