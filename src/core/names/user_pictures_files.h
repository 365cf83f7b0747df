// The three files of the user picture list, kept in the per-user folder:
//
//   "userpic_index.dat"   "QZCALENDAR_UserImage_Index", 0x02, 0x00, 0x00, then one 6-byte record
//                         per picture: the 1-based position of its path in the images file
//                         (32-bit) and the path's length without its CR (16-bit).
//   "userpic_images.dat"  "QZCALENDAR_UserImage_Files", 0x02, 0x00, the sub-folder flag (0x01 on),
//                         the listing date "YYYY.MM.DD", the source folder's length (16-bit), the
//                         folder, 0x00, then each picture's path relative to the folder + CR.
//   "userpic_slots.dat"   "QZCALENDAR_UserImage_Slots", 0x02, 0x00, 0x00, then one byte per
//                         picture: 0 not shown in this round, 255 shown.
//
// Integers are biased big-endian (binary_io.h). Paths are kept as the file system spells them,
// byte for byte: a name outside Windows-1250 must still be found again, so no code page applies.
//
// A large tree lists into megabytes while a choice needs a few records, so the files are read
// piece by piece, and every position and length is checked against the file's size first.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/date.h"

namespace tv {

inline constexpr std::string_view kUserPicIndexFile = "userpic_index.dat";
inline constexpr std::string_view kUserPicImagesFile = "userpic_images.dat";
inline constexpr std::string_view kUserPicSlotsFile = "userpic_slots.dat";

inline constexpr std::string_view kUserPicIndexMagic = "QZCALENDAR_UserImage_Index";
inline constexpr std::string_view kUserPicImagesMagic = "QZCALENDAR_UserImage_Files";
inline constexpr std::string_view kUserPicSlotsMagic = "QZCALENDAR_UserImage_Slots";

inline constexpr uint64_t kUserPicHeaderSize = 29;  // index and slot files
inline constexpr uint64_t kUserPicRecordSize = 6;
inline constexpr uint8_t kUserPicShown = 255;
// More pictures than this are never counted: a damaged file must not make us allocate gigabytes
// of slots. A real tree of this size would take hours to list anyway.
inline constexpr int32_t kMaxListedPictures = 1 << 24;

// Random access to one list file, in memory (tests, fuzzing) or on disk.
class ListBytes {
public:
    virtual ~ListBytes() = default;
    virtual uint64_t size() const = 0;
    // Exactly `n` bytes from `offset` into `out`; false, and `out` empty, when they do not all lie
    // inside the file.
    virtual bool readAt(uint64_t offset, size_t n, std::string& out) const = 0;
};

class MemoryListBytes final : public ListBytes {
public:
    explicit MemoryListBytes(std::string_view bytes) : bytes_(bytes) {}
    uint64_t size() const override { return bytes_.size(); }
    bool readAt(uint64_t offset, size_t n, std::string& out) const override;

private:
    std::string_view bytes_;
};

class FileListBytes final : public ListBytes {
public:
    FileListBytes() = default;
    ~FileListBytes() override;
    FileListBytes(const FileListBytes&) = delete;
    FileListBytes& operator=(const FileListBytes&) = delete;

    // False when the path does not name a readable plain file.
    bool open(const std::string& path);
    uint64_t size() const override { return size_; }
    bool readAt(uint64_t offset, size_t n, std::string& out) const override;

private:
    int fd_ = -1;
    uint64_t size_ = 0;
};

std::string makeIndexHeader();
std::string makeSlotsHeader();
// `source` without its trailing slash; a path longer than 32767 bytes cannot be listed.
std::string makeImagesHeader(Date listed, bool subFolders, std::string_view source);
// "YYYY.MM.DD", as the images header holds the listing date.
std::string listingDateText(Date d);

bool hasIndexHeader(const ListBytes& index);
// The first 28 bytes: magic, 0x02, 0x00 (the 29th is the sub-folder flag).
bool hasImagesHeader(const ListBytes& images);
bool hasSlotsHeader(const ListBytes& slots);

struct ImagesHeader {
    bool subFolders = false;  // any non-zero flag byte
    Date listed;              // the zero date when the text is not a date
    // As stored; nullopt when its length is negative or runs past the end of the file.
    std::optional<std::string> source;
};
// Reads the header fields after the magic; nullopt when the file is too short to hold them.
std::optional<ImagesHeader> readImagesHeader(const ListBytes& images);

// (index length - 29) / 6, at most kMaxListedPictures.
int32_t listedPictureCount(uint64_t indexSize);
// The relative path of picture k (from 0); nullopt when the record or the text it points to does
// not lie inside the files.
std::optional<std::string> readListedPath(const ListBytes& index, const ListBytes& images,
                                          int32_t k);

// The round's slots: the slot file's bytes after its header when the file is longer than the
// header and starts with it, otherwise one free slot per record of the index.
std::vector<uint8_t> loadUserPictureSlots(const ListBytes* slots, uint64_t indexSize);

// What one listing may hold: the 32-bit positions of the images file and the record count.
// Tests shrink them to try their edges without gigabytes of paths.
struct ListLimits {
    uint64_t imagesBytes = uint64_t{1} << 31;  // positions end below 2^31
    int32_t pictures = kMaxListedPictures;
};

// Builds the index and images files of one listing in memory; they are saved when it ends.
class ListWriter {
public:
    explicit ListWriter(ListLimits limits = {}) : limits_(limits) {}
    void begin(Date listed, bool subFolders, std::string_view source);
    // Appends one picture; false (nothing written) when its path or position no longer fits the
    // 16- and 32-bit fields.
    bool add(std::string_view relative);

    const std::string& index() const { return index_; }
    const std::string& images() const { return images_; }
    int32_t count() const { return count_; }

private:
    ListLimits limits_;
    std::string index_;
    std::string images_;
    int32_t count_ = 0;
};

}  // namespace tv
