// "events.cdb" as bytes: the table and both blocks of rotation marks to bytes and back, with no
// file access, so tests and fuzzers work on the exact bytes the program writes.
#pragma once

#include <string>
#include <string_view>

#include "core/calc/date.h"
#include "core/events/event_record.h"

namespace tv {

inline constexpr std::string_view kEventDbMagic = "QZCALENDAR_DB";
inline constexpr int kEventDbMajor = 1;
inline constexpr int kEventDbMinor = 1;  // we write 1.1 and read 1.0 and 1.1

enum class EventDbStatus {
    kWhole,           // every byte accounted for, up to the end mark
    kCut,             // the data ends early or holds bytes we cannot place: what was whole is in
                      // the table, `note` says what was not
    kNoMagic,         // not an event database at all: the table is empty
    kUnknownVersion,  // a format version we do not read: the table is empty
};

struct EventDbReadReport {
    EventDbStatus status = EventDbStatus::kWhole;
    int major = 0;
    int minor = 0;
    int claimedEvents = 0;  // the record count the file states
    int loadedEvents = 0;
    std::string note;  // for the log when status is kCut
};

// Replaces the table's events and marks with what the bytes hold. Never reads past the end:
// a record, a mark block or a text that does not fit is dropped whole.
EventDbReadReport decodeEventDatabase(std::string_view bytes, EventTable& table);

// The whole file in format 1.1: used slots in slot order, free slots left out. `written` is the
// time stamp of the header.
std::string encodeEventDatabase(const EventTable& table, DateTime written);

}  // namespace tv
