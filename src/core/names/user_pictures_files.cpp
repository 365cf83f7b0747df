#include "core/names/user_pictures_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/calc/text_format.h"
#include "core/config/binary_io.h"

namespace tv {
namespace {

constexpr uint64_t kImagesFixedSize = 41;  // magic, version, flag, date, source length
constexpr size_t kMaxText16 = 32767;
// A slot file this large is damaged, not a list: a fresh round is cheaper than the memory.
constexpr uint64_t kMaxSlotFile = kUserPicHeaderSize + kMaxListedPictures;

std::string smallHeader(std::string_view magic) {
    std::string h(magic);
    h += '\x02';
    h += '\0';
    h += '\0';
    return h;
}

bool startsWith(const ListBytes& file, std::string_view prefix) {
    std::string head;
    return file.readAt(0, prefix.size(), head) && head == prefix;
}

}  // namespace

bool MemoryListBytes::readAt(uint64_t offset, size_t n, std::string& out) const {
    out.clear();
    if (offset > bytes_.size() || n > bytes_.size() - offset) return false;
    out.assign(bytes_.substr(static_cast<size_t>(offset), n));
    return true;
}

FileListBytes::~FileListBytes() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileListBytes::open(const std::string& path) {
    if (fd_ >= 0) ::close(fd_);
    size_ = 0;
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    size_ = static_cast<uint64_t>(st.st_size);
    return true;
}

bool FileListBytes::readAt(uint64_t offset, size_t n, std::string& out) const {
    out.clear();
    if (fd_ < 0 || offset > size_ || n > size_ - offset) return false;
    out.resize(n);
    size_t done = 0;
    while (done < n) {
        const ssize_t got =
            ::pread(fd_, out.data() + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {  // the file shrank under us, or the disk failed
            out.clear();
            return false;
        }
        done += static_cast<size_t>(got);
    }
    return true;
}

std::string makeIndexHeader() {
    return smallHeader(kUserPicIndexMagic);
}
std::string makeSlotsHeader() {
    return smallHeader(kUserPicSlotsMagic);
}

std::string listingDateText(Date d) {
    const Ymd ymd = d.ymd();
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d.%02d.%02d", ymd.year, ymd.month, ymd.day);
    return buf;
}

std::string makeImagesHeader(Date listed, bool subFolders, std::string_view source) {
    ByteWriter w;
    w.raw(kUserPicImagesMagic);
    w.byte(0x02);
    w.byte(0x00);
    w.byte(subFolders ? 0x01 : 0x00);
    w.raw(listingDateText(listed));
    const std::string_view path = source.substr(0, kMaxText16);
    w.int16(static_cast<int>(path.size()));
    w.raw(path);
    w.byte(0x00);
    return w.take();
}

bool hasIndexHeader(const ListBytes& index) {
    return startsWith(index, makeIndexHeader());
}
bool hasSlotsHeader(const ListBytes& slots) {
    return startsWith(slots, makeSlotsHeader());
}
bool hasImagesHeader(const ListBytes& images) {
    return startsWith(images, std::string(kUserPicImagesMagic) + std::string("\x02\0", 2));
}

std::optional<ImagesHeader> readImagesHeader(const ListBytes& images) {
    std::string fixed;
    if (!images.readAt(28, kImagesFixedSize - 28, fixed)) return std::nullopt;
    ByteReader r(fixed);
    ImagesHeader h;
    h.subFolders = r.byte() != 0;
    h.listed = parseDate(r.raw(10));
    const int16_t length = r.int16();
    std::string source;
    if (length >= 0 && images.readAt(kImagesFixedSize, static_cast<size_t>(length), source)) {
        h.source = std::move(source);
    }
    return h;
}

int32_t listedPictureCount(uint64_t indexSize) {
    if (indexSize < kUserPicHeaderSize) return 0;
    const uint64_t n = (indexSize - kUserPicHeaderSize) / kUserPicRecordSize;
    return n > static_cast<uint64_t>(kMaxListedPictures) ? kMaxListedPictures
                                                         : static_cast<int32_t>(n);
}

std::optional<std::string> readListedPath(const ListBytes& index, const ListBytes& images,
                                          int32_t k) {
    if (k < 0) return std::nullopt;
    std::string record;
    const uint64_t at = kUserPicHeaderSize + static_cast<uint64_t>(k) * kUserPicRecordSize;
    if (!index.readAt(at, kUserPicRecordSize, record)) return std::nullopt;
    ByteReader r(record);
    const int32_t position = r.int32();
    const int16_t length = r.int16();
    if (position < 1 || length < 0) return std::nullopt;
    std::string path;
    if (!images.readAt(static_cast<uint64_t>(position) - 1, static_cast<size_t>(length), path)) {
        return std::nullopt;
    }
    return path;
}

std::vector<uint8_t> loadUserPictureSlots(const ListBytes* slots, uint64_t indexSize) {
    if (slots != nullptr && slots->size() > kUserPicHeaderSize && slots->size() <= kMaxSlotFile &&
        hasSlotsHeader(*slots)) {
        std::string bytes;
        const auto n = static_cast<size_t>(slots->size() - kUserPicHeaderSize);
        if (slots->readAt(kUserPicHeaderSize, n, bytes)) {
            return std::vector<uint8_t>(bytes.begin(), bytes.end());
        }
    }
    return std::vector<uint8_t>(static_cast<size_t>(listedPictureCount(indexSize)), 0);
}

void ListWriter::begin(Date listed, bool subFolders, std::string_view source) {
    index_ = makeIndexHeader();
    images_ = makeImagesHeader(listed, subFolders, source);
    count_ = 0;
}

bool ListWriter::add(std::string_view relative) {
    const uint64_t position = images_.size() + 1;
    if (relative.size() > kMaxText16 || position + relative.size() >= limits_.imagesBytes ||
        count_ >= limits_.pictures) {
        return false;
    }
    ByteWriter record;
    record.int32(static_cast<int64_t>(position));
    record.int16(static_cast<int>(relative.size()));
    index_ += record.bytes();
    images_ += relative;
    images_ += '\r';
    ++count_;
    return true;
}

}  // namespace tv
