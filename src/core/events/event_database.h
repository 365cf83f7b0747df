// "events.cdb": the event table and the two blocks of rotation marks, loaded once at start and
// rewritten whole after every change.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/calc/date.h"
#include "core/events/event_record.h"

namespace tv {

class Clock;
class FileOps;
class HashTable;
class Log;
class MessageBox;
class StringTable;

// What loading and saving need from the rest of the program.
struct EventDbContext {
    std::string userDataDir;  // ends with "/"
    const Clock* clock = nullptr;
    const StringTable* strings = nullptr;
    HashTable* settings = nullptr;  // for the legacy import of a fresh table
    Log* log = nullptr;             // may be null
    MessageBox* box = nullptr;      // may be null: questions are then answered No
    FileOps* files = nullptr;       // the real file calls when null
    // Told after every load and every save that succeeded (the sync binding follows the table).
    std::function<void(const EventTable&)> loaded;
    std::function<void(const EventTable&)> saved;
};

// The one way the program and every command of the tool put the context together.
inline EventDbContext eventDbContextFor(std::string userDataDir, const Clock& clock,
                                        const StringTable& strings, HashTable& settings,
                                        MessageBox* box = nullptr, Log* log = nullptr) {
    return EventDbContext{
        std::move(userDataDir), &clock, &strings, &settings, log, box, nullptr, {}, {}};
}

inline constexpr std::string_view kEventDbName = "events.cdb";
inline constexpr std::string_view kEventDbTempSuffix = "_temp";

// Loads userDataDir + "events.cdb" into the table (a fresh table with the built-in holidays when
// there is none). False means start-up must stop ("dberror"): the file exists but cannot be read,
// or its unknown version was answered No.
//
// A file that does not read whole is never silently replaced: when a whole "events.cdb_temp"
// (left by an unfinished save) exists, that one is loaded and becomes "events.cdb"; otherwise
// what was whole is loaded, what was cut is logged, and the damaged bytes are kept as
// "events.cdb.damaged-YYYYMMDD" before any save can overwrite them.
bool loadEventDatabase(EventTable& table, const EventDbContext& ctx);
// Writes the whole table through "events.cdb_temp"; false (after the log line and the message)
// when the save failed, leaving the old file as it was.
bool saveEventDatabase(const EventTable& table, const EventDbContext& ctx);

}  // namespace tv
