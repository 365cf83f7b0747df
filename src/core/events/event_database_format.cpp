#include "core/events/event_database_format.h"

#include <algorithm>
#include <optional>

#include "core/app/version.h"
#include "core/config/binary_io.h"
#include "core/config/cp1250.h"

namespace tv {
namespace {

constexpr uint8_t kEventsMark = 0x00;
constexpr uint8_t kPictureMarksMark = 0x02;
constexpr uint8_t kWisdomMarksMark = 0x03;
constexpr uint8_t kEndMark = 0x00;
constexpr size_t kHeaderRest = 6 + 7 + 7;  // program version, two time stamps (not used)
// The smallest record: every text empty. Bounds what a lying count may make us reserve.
constexpr size_t kMinRecordBytes10 = 22;
constexpr size_t kMinRecordBytes11 = 26;

bool isAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// Most texts are plain ASCII, which is the same in both encodings: copying them whole instead of
// converting byte by byte keeps a full table well inside the load and save budgets.
std::string textOf(std::string_view bytes) {
    return isAscii(bytes) ? std::string(bytes) : cp1250ToUtf8(bytes);
}

std::string readText16(ByteReader& in) {
    const int16_t n = in.int16();
    return n < 1 ? std::string() : textOf(in.raw(static_cast<size_t>(n)));
}

std::string readText8(ByteReader& in) {
    return textOf(in.raw(in.byte()));
}

void writeText16(ByteWriter& out, std::string_view text) {
    if (!isAscii(text)) return out.text16(text);
    const size_t n = std::min(text.size(), size_t{32767});
    out.int16(static_cast<int>(n));
    out.raw(text.substr(0, n));
}

void writeText8(ByteWriter& out, std::string_view text) {
    if (!isAscii(text)) return out.text8(text);
    const size_t n = std::min(text.size(), size_t{255});
    out.byte(static_cast<uint8_t>(n));
    out.raw(text.substr(0, n));
}

// After the four texts every record has a fixed block: 14 bytes, and 4 more from version 1.1 on.
constexpr size_t kFixedBytes10 = 14;
constexpr size_t kFixedBytes11 = 18;

uint8_t u8(std::string_view b, size_t i) {
    return static_cast<uint8_t>(b[i]);
}
int16_t i16(std::string_view b, size_t i) {
    return decodeInt16(u8(b, i), u8(b, i + 1));
}

void put16(char* p, int v) {
    const uint16_t e = encodeInt16(v);
    p[0] = static_cast<char>(e >> 8);
    p[1] = static_cast<char>(e & 0xFF);
}

// Fields in file order; false when the data ran out inside the record.
bool readRecord(ByteReader& in, bool withLongFields, EventRecord& r) {
    r.category = in.byte();
    r.name = readText16(in);
    r.comment = readText16(in);
    r.picture = readText16(in);
    r.ruleKey = readText8(in);
    // One bounds check for the whole block rather than one per field.
    const std::string_view f = in.raw(withLongFields ? kFixedBytes11 : kFixedBytes10);
    if (in.truncated()) return false;
    r.year = i16(f, 0);
    r.month = i16(f, 2);
    r.day = u8(f, 4);
    r.forecastDays = i16(f, 5);
    r.anniversary = u8(f, 7);
    r.repeat = u8(f, 8);
    r.dayOff = u8(f, 9);
    r.active = u8(f, 10);
    r.alarmOn = u8(f, 11);
    r.alarmHour = u8(f, 12);
    r.alarmMinute = u8(f, 13);
    if (withLongFields) {
        r.extraDays = i16(f, 14);
        r.hue = i16(f, 16);
    }
    return true;
}

void writeRecord(ByteWriter& out, const EventRecord& r) {
    out.byte(r.category);
    writeText16(out, r.name);
    writeText16(out, r.comment);
    writeText16(out, r.picture);
    writeText8(out, r.ruleKey);
    char f[kFixedBytes11];
    put16(f, r.year);
    put16(f + 2, r.month);
    f[4] = static_cast<char>(r.day);
    put16(f + 5, r.forecastDays);
    f[7] = static_cast<char>(r.anniversary);
    f[8] = static_cast<char>(r.repeat);
    f[9] = static_cast<char>(r.dayOff);
    f[10] = static_cast<char>(r.active);
    f[11] = static_cast<char>(r.alarmOn);
    f[12] = static_cast<char>(r.alarmHour);
    f[13] = static_cast<char>(r.alarmMinute);
    put16(f + 14, r.extraDays);
    put16(f + 16, r.hue);
    out.raw(std::string_view(f, sizeof f));
}

void writeTimestamp(ByteWriter& out, DateTime t) {
    const Ymd d = t.date.ymd();
    out.int16(d.year);
    out.byte(static_cast<uint8_t>(d.month));
    out.byte(static_cast<uint8_t>(d.day));
    out.byte(static_cast<uint8_t>(t.hour()));
    out.byte(static_cast<uint8_t>(t.minute()));
    out.byte(static_cast<uint8_t>(t.sec()));
}

std::string at(size_t pos) {
    return " (byte " + std::to_string(pos) + ")";
}

EventDbReadReport cut(EventDbReadReport r, std::string note) {
    r.status = EventDbStatus::kCut;
    r.note = std::move(note);
    return r;
}

// A whole file ends in a shape we can find from its last byte backwards: 0x02, 400 marks, 0x03,
// the count n, n marks, 0x00. Knowing where it starts keeps a lying event count from reading the
// marks as events, and keeps the marks of a file whose events are damaged.
std::optional<size_t> findMarksTail(std::string_view b) {
    constexpr size_t kShortestTail = 1 + 400 + 1 + 2 + 1;
    if (b.size() < kShortestTail || b.back() != static_cast<char>(kEndMark)) return std::nullopt;
    const size_t longest = std::min(size_t{32767}, b.size() - kShortestTail);
    for (size_t n = 0; n <= longest; ++n) {
        const size_t countAt = b.size() - 1 - n - 2;
        const int stored = i16(b, countAt);
        if (stored != static_cast<int>(n) && !(n == 0 && stored < 0)) continue;
        const size_t start = countAt - 1 - 400 - 1;
        if (u8(b, countAt - 1) == kWisdomMarksMark && u8(b, start) == kPictureMarksMark) {
            return start;
        }
    }
    return std::nullopt;
}

// The claimed number of records, or fewer when they run out; empty, or what went wrong.
std::string readRecords(ByteReader& in, bool longFields, EventTable& table,
                        EventDbReadReport& report) {
    const size_t minBytes = longFields ? kMinRecordBytes11 : kMinRecordBytes10;
    table.records().reserve(
        std::min(static_cast<size_t>(report.claimedEvents), in.remaining() / minBytes + 1));
    for (int i = 0; i < report.claimedEvents; ++i) {
        const size_t start = in.position();
        EventRecord r;
        if (!readRecord(in, longFields, r)) {
            if (start == in.position() && in.atEnd()) {
                return "the file holds " + std::to_string(i) + " of the " +
                       std::to_string(report.claimedEvents) + " events it claims";
            }
            return "event " + std::to_string(i + 1) + " of " +
                   std::to_string(report.claimedEvents) + " is cut short" + at(start) + "; " +
                   std::to_string(i) + " events loaded";
        }
        if (!table.appendEventSlot()) break;  // cannot happen: the count is 16-bit
        EventRecord& slot = table.records().back();
        r.inUse = -1;
        r.slot = slot.slot;
        slot = std::move(r);
        ++report.loadedEvents;
    }
    return {};
}

}  // namespace

EventDbReadReport decodeEventDatabase(std::string_view bytes, EventTable& table) {
    table.clearEventTable();
    table.pictureMarks().fill(0);
    table.wisdomMarks().clear();

    EventDbReadReport report;
    if (bytes.substr(0, kEventDbMagic.size()) != kEventDbMagic) {
        report.status = EventDbStatus::kNoMagic;
        return report;
    }
    ByteReader in(bytes);
    in.skip(kEventDbMagic.size());
    report.major = in.byte();
    report.minor = in.byte();
    if (in.truncated()) return cut(report, "the file ends inside its header");
    if (report.major != kEventDbMajor || report.minor > kEventDbMinor) {
        report.status = EventDbStatus::kUnknownVersion;
        return report;
    }
    in.skip(kHeaderRest);
    if (in.truncated()) return cut(report, "the file ends inside its header");
    const bool longFields = report.minor >= 1;

    std::string damage;  // a problem in the events that still let us read the marks
    uint8_t mark = in.byte();
    if (mark == kEventsMark && !in.truncated()) {
        const int count = in.int16();
        if (in.truncated()) return cut(report, "the file ends before the event count");
        report.claimedEvents = std::max(count, 0);
        std::optional<size_t> tail = findMarksTail(bytes);
        if (tail && *tail < in.position()) tail.reset();
        ByteReader records(bytes.substr(0, tail.value_or(bytes.size())));
        records.skip(in.position());
        damage = readRecords(records, longFields, table, report);
        if (!tail) {
            if (!damage.empty()) return cut(report, damage);
            in = records;
        } else {
            if (damage.empty() && !records.atEnd()) {
                damage = std::to_string(records.remaining()) + " bytes after event " +
                         std::to_string(report.loadedEvents) + " were not read";
            }
            in = ByteReader(bytes);
            in.skip(*tail);
        }
        mark = in.byte();
    }
    if (mark == kPictureMarksMark && !in.truncated()) {
        const size_t start = in.position();
        std::string_view marks = in.raw(table.pictureMarks().size());
        if (in.truncated()) return cut(report, "the picture marks are cut short" + at(start));
        std::copy(marks.begin(), marks.end(), table.pictureMarks().begin());
        mark = in.byte();
    }
    if (mark == kWisdomMarksMark && !in.truncated()) {
        const size_t start = in.position();
        const int count = in.int16();
        std::string_view marks =
            count > 0 ? in.raw(static_cast<size_t>(count)) : std::string_view{};
        if (in.truncated()) return cut(report, "the wisdom marks are cut short" + at(start));
        table.wisdomMarks().assign(marks.begin(), marks.end());
        mark = in.byte();
    }
    if (in.truncated()) return cut(report, "the file ends before its end mark");
    if (mark != kEndMark) {
        return cut(report, "unknown section " + std::to_string(mark) + at(in.position() - 1) +
                               "; the rest was not read");
    }
    if (!in.atEnd()) {
        return cut(report,
                   std::to_string(in.remaining()) + " bytes after the end mark were not read");
    }
    if (!damage.empty()) return cut(report, damage);
    return report;
}

std::string encodeEventDatabase(const EventTable& table, DateTime written) {
    int count = 0;
    size_t textBytes = 0;
    for (const EventRecord& r : table.records()) {
        if (!r.used()) continue;
        ++count;
        textBytes += r.name.size() + r.comment.size() + r.picture.size() + r.ruleKey.size();
    }
    const auto& wisdom = table.wisdomMarks();
    // A 16-bit count; the wisdom list never comes near it.
    const size_t wisdomCount = std::min(wisdom.size(), size_t{32767});

    ByteWriter out;
    out.reserve(64 + textBytes + static_cast<size_t>(count) * kMinRecordBytes11 + 400 +
                wisdomCount);
    out.raw(kEventDbMagic);
    out.byte(kEventDbMajor);
    out.byte(kEventDbMinor);
    out.int16(kVersionMajor);
    out.int16(kVersionMinor);
    out.int16(kVersionRevision);
    writeTimestamp(out, written);
    writeTimestamp(out, written);

    out.byte(kEventsMark);
    out.int16(count);
    for (const EventRecord& r : table.records()) {
        if (r.used()) writeRecord(out, r);
    }
    out.byte(kPictureMarksMark);
    const auto& pictures = table.pictureMarks();
    out.raw(std::string_view(reinterpret_cast<const char*>(pictures.data()), pictures.size()));
    out.byte(kWisdomMarksMark);
    out.int16(static_cast<int>(wisdomCount));
    out.raw(std::string_view(reinterpret_cast<const char*>(wisdom.data()), wisdomCount));
    out.byte(kEndMark);
    return out.take();
}

}  // namespace tv
