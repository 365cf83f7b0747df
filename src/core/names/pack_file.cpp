#include "core/names/pack_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "core/calc/files.h"
#include "core/config/binary_io.h"
#include "core/config/cp1250.h"
#include "core/ports/clock.h"

namespace tv {
namespace {

constexpr std::string_view kMagic = "QPK";
constexpr size_t kEntryFixedBytes = 23;
// Unlikely to collide with an entry of the same pack, which a plain ".tmp" could.
constexpr std::string_view kTempSuffix = ".qpk-part";

DateTime localTime(time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return DateTime::of(Date::serial(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday), tm.tm_hour,
                        tm.tm_min, tm.tm_sec);
}

std::optional<time_t> toTimeT(DateTime t) {
    std::tm tm{};
    const Ymd d = t.date.ymd();
    tm.tm_year = d.year - 1900;
    tm.tm_mon = d.month - 1;
    tm.tm_mday = d.day;
    tm.tm_hour = t.hour();
    tm.tm_min = t.minute();
    tm.tm_sec = t.sec();
    tm.tm_isdst = -1;  // the stamp is wall-clock time; let the zone rules decide
    errno = 0;
    const time_t r = std::mktime(&tm);
    if (r == static_cast<time_t>(-1) && errno != 0) return std::nullopt;
    return r;
}

void writeStamp(ByteWriter& w, const PackStamp& s) {
    w.int16(s.year);
    for (int v : {s.month, s.day, s.hour, s.minute, s.second})
        w.byte(static_cast<uint8_t>(v));
}

PackStamp readStamp(ByteReader& r) {
    PackStamp s;
    s.year = r.int16();
    s.month = r.byte();
    s.day = r.byte();
    s.hour = r.byte();
    s.minute = r.byte();
    s.second = r.byte();
    return s;
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What a source contributes to the pack.
struct Source {
    std::string nameField;
    uint8_t attributes = kPackAttrArchive;
    PackStamp created;
    PackStamp modified;
    std::string bytes;
};

PackResult readSource(const std::string& path, int64_t budget, const Clock& clock, size_t width,
                      Source& out) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return PackResult::kReadError;
    if (st.st_size > budget) return PackResult::kTooLarge;
    const ReadResult read = readWholeFile(path, out.bytes, static_cast<size_t>(budget));
    if (read == ReadResult::kTooLarge) return PackResult::kTooLarge;
    if (read != ReadResult::kOk) return PackResult::kReadError;

    const std::string name = baseName(path);
    out.nameField = packNameField(utf8ToCp1250(name), width);
    if ((st.st_mode & 0222) == 0) out.attributes |= kPackAttrReadOnly;
    if (!name.empty() && name[0] == '.') out.attributes |= kPackAttrHidden;

    // Linux keeps a birth time only on some file systems; the last write stands in for it.
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &sx) == 0 &&
        (sx.stx_mask & STATX_MTIME) != 0) {
        out.modified = PackStamp::of(localTime(static_cast<time_t>(sx.stx_mtime.tv_sec)));
        out.created = (sx.stx_mask & STATX_BTIME) != 0
                          ? PackStamp::of(localTime(static_cast<time_t>(sx.stx_btime.tv_sec)))
                          : out.modified;
    } else {
        out.created = out.modified = PackStamp::of(clock.now());
    }
    return PackResult::kOk;
}

}  // namespace

PackStamp PackStamp::of(DateTime t) {
    const Ymd d = t.date.ymd();
    return PackStamp{d.year, d.month, d.day, t.hour(), t.minute(), t.sec()};
}

std::optional<DateTime> PackStamp::toDateTime() const {
    const std::optional<Date> d = Date::fromYmd(year, month, day);
    if (!d || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return DateTime::of(*d, hour, minute, second);
}

bool isSafeEntryName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.size() >= 2 && name[1] == ':' &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'))) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
}

std::string packNameField(std::string_view name, size_t width) {
    std::string out;
    if (name.size() <= width) {
        out = name;
    } else {
        const size_t dot = name.find('.');
        const std::string_view tail = dot == std::string_view::npos ? "" : name.substr(dot);
        if (dot == std::string_view::npos || tail.size() >= width) {
            out = name.substr(0, width);
        } else {
            out = std::string(name.substr(0, width - tail.size())) + std::string(tail);
        }
    }
    out.resize(width, '\0');
    return out;
}

PackResult PackFile::pack(const std::string& destination, const std::vector<std::string>& sources,
                          std::string_view comment, const Clock& clock) {
    if (sources.size() > 32767) return PackResult::kTooLarge;
    comment = comment.substr(0, std::min(comment.size(), kMaxCommentBytes));
    const auto n = static_cast<int64_t>(sources.size());
    const int64_t directoryEnd = 17 + static_cast<int64_t>(comment.size()) +
                                 n * static_cast<int64_t>(kEntryFixedBytes + kNameWidth);

    std::vector<Source> files(sources.size());
    int64_t total = directoryEnd;
    for (size_t i = 0; i < sources.size(); ++i) {
        const PackResult r = readSource(normalizePath(sources[i]), kMaxPackBytes - total, clock,
                                        kNameWidth, files[i]);
        if (r != PackResult::kOk) return r;
        total += static_cast<int64_t>(files[i].bytes.size());
    }

    ByteWriter w;
    w.reserve(static_cast<size_t>(total));
    w.raw(kMagic);
    w.byte(1);
    w.byte(0);
    w.int16(kNameWidth);
    w.byte(static_cast<uint8_t>(comment.size()));
    w.raw(comment);
    writeStamp(w, PackStamp::of(clock.now()));
    w.int16(static_cast<int>(n));
    int64_t position = directoryEnd + 1;  // 1-based
    for (const Source& f : files) {
        w.byte(f.attributes);
        writeStamp(w, f.created);
        writeStamp(w, f.modified);
        w.int32(position);
        w.int32(static_cast<int64_t>(f.bytes.size()));
        w.raw(f.nameField);
        position += static_cast<int64_t>(f.bytes.size());
    }
    for (const Source& f : files)
        w.raw(f.bytes);
    return saveFileAtomic(normalizePath(destination), w.bytes()) ? PackResult::kOk
                                                                 : PackResult::kWriteError;
}

PackResult PackFile::openPack(const std::string& path) {
    closePack();
    const std::string p = normalizePath(path);
    if (!fileExists(p)) return PackResult::kNoFile;
    if (!file_.openFile(p)) {
        closePack();
        return PackResult::kNoFile;
    }
    path_ = p;
    return readDirectory();
}

PackResult PackFile::openBytes(std::string bytes) {
    closePack();
    file_.openBytes(std::move(bytes));
    return readDirectory();
}

PackResult PackFile::readDirectory() {
    // The fixed header and the comment come first; 17 + 255 bytes cover both.
    const std::string head = file_.readAt(0, 17 + kMaxCommentBytes);
    ByteReader r(head);
    PackResult result = PackResult::kOk;
    if (r.raw(3) != kMagic) {
        result = PackResult::kBadMagic;
    } else if (r.byte() != 1 || r.byte() != 0 || r.truncated()) {
        result = PackResult::kBadVersion;
    }
    if (result != PackResult::kOk) {
        closePack();
        return result;
    }
    nameWidth_ = r.int16();
    comment_ = std::string(r.raw(r.byte()));
    packedAt_ = readStamp(r);
    const int count = r.int16();
    if (r.truncated() || nameWidth_ < 0 || count < 0) {
        closePack();
        return PackResult::kDamaged;
    }

    const uint64_t entryBytes = kEntryFixedBytes + static_cast<uint64_t>(nameWidth_);
    const uint64_t directoryBytes = static_cast<uint64_t>(count) * entryBytes;
    if (r.position() + directoryBytes > file_.size()) {
        closePack();
        return PackResult::kDamaged;
    }
    const std::string directory = file_.readAt(r.position(), directoryBytes);
    if (directory.size() != directoryBytes) {
        closePack();
        return PackResult::kDamaged;
    }
    ByteReader d(directory);
    entries_.resize(static_cast<size_t>(count));
    for (PackEntry& e : entries_) {
        e.attributes = d.byte();
        e.created = readStamp(d);
        e.modified = readStamp(d);
        e.position = d.int32();
        e.size = d.int32();
        const std::string_view field = d.raw(static_cast<size_t>(nameWidth_));
        e.name = cp1250ToUtf8(field.substr(0, field.find('\0')));
    }
    isOpen_ = true;
    return PackResult::kOk;
}

void PackFile::closePack() {
    file_.close();
    isOpen_ = false;
    path_.clear();
    comment_.clear();
    packedAt_ = {};
    nameWidth_ = 0;
    entries_.clear();
}

PackResult PackFile::readEntry(size_t index, std::string& out) const {
    out.clear();
    if (!isOpen_) return PackResult::kNotOpen;
    if (index >= entries_.size()) return PackResult::kReadError;
    const PackEntry& e = entries_[index];
    if (e.position < 1 || e.size < 0) return PackResult::kReadError;
    const uint64_t start = static_cast<uint64_t>(e.position) - 1;
    const auto size = static_cast<uint64_t>(e.size);
    if (start > file_.size() || size > file_.size() - start) return PackResult::kReadError;
    if (size > static_cast<uint64_t>(kMaxPackBytes)) return PackResult::kTooLarge;
    out = file_.readAt(start, size);
    if (out.size() != size) {
        out.clear();
        return PackResult::kReadError;
    }
    return PackResult::kOk;
}

PackResult PackFile::extractEntry(const std::string& folder, size_t index, bool restore) const {
    if (!isOpen_) return PackResult::kNotOpen;
    if (index >= entries_.size()) return PackResult::kReadError;
    const PackEntry& e = entries_[index];
    if (!isSafeEntryName(e.name)) return PackResult::kUnsafeName;
    std::string dir = normalizePath(folder);
    if (!folderExists(dir)) return PackResult::kWriteError;
    if (dir.back() != '/') dir += '/';
    const std::string target = dir + e.name;

    std::string bytes;
    if (const PackResult r = readEntry(index, bytes); r != PackResult::kOk) return r;

    // The rename below replaces a symbolic link rather than following it, but the save makes
    // the old target writable first, which would follow one: take links away beforehand.
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return PackResult::kWriteError;
        if (S_ISLNK(st.st_mode) && ::unlink(target.c_str()) != 0) return PackResult::kWriteError;
    }
    if (!saveFileAtomic(target, bytes, kTempSuffix)) return PackResult::kWriteError;
    ::chmod(target.c_str(), 0644);
    if (!restore) return PackResult::kOk;

    // Linux cannot set a birth time, so the creation stamp stays in the pack only.
    if (const std::optional<DateTime> t = e.modified.toDateTime()) {
        if (const std::optional<time_t> secs = toTimeT(*t)) {
            const timespec times[2] = {{*secs, 0}, {*secs, 0}};
            ::utimensat(AT_FDCWD, target.c_str(), times, 0);
        }
    }
    if ((e.attributes & kPackAttrReadOnly) != 0) ::chmod(target.c_str(), 0444);
    return PackResult::kOk;
}

PackResult PackFile::extractAll(const std::string& folder, bool restore) const {
    if (!isOpen_) return PackResult::kNotOpen;
    PackResult result = PackResult::kOk;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const PackResult r = extractEntry(folder, i, restore);
        if (result == PackResult::kOk) result = r;
    }
    return result;
}

}  // namespace tv
