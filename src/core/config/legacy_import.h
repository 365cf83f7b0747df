// One-time import of the previous generation's ".qzi" files: "config.qzi" into the settings,
// "dates.qzi", "dates2.qzi", "ceremonies.qzi" and "unique.qzi" into the event table. The old files
// are only read, never changed.
#pragma once

#include <string>
#include <string_view>

namespace tv {

class EventTable;
class HashTable;
class Log;

struct LegacyImportContext {
    std::string userDataDir;        // ends with "/"; the old files sit beside the new ones
    EventTable* events = nullptr;   // receives the four event lists
    HashTable* settings = nullptr;  // receives "config.qzi", then written to settings.cfg
    Log* log = nullptr;             // may be null
};

// True when the file existed and was imported (an empty list counts); false when it is missing,
// its header is refused, or it does not hold the kind of list its name promises. A refused file
// changes nothing and logs nothing. The events are not saved here: that is the caller's business.
bool importLegacy(std::string_view fileName, const LegacyImportContext& ctx);

enum class LegacyKind { kRecordList = 0, kKeyValueList = 1 };

struct LegacyImportReport {
    bool imported = false;  // what importLegacy returns
    LegacyKind kind = LegacyKind::kRecordList;
    int claimed = 0;   // records or pairs the file states
    int whole = 0;     // records or pairs read whole (and taken, when their target wants them)
    std::string note;  // what was cut, for the log
};

// The import over the bytes of the file called `fileName` (which decides how they are read).
// Never reads past the end: a record or pair that does not fit is dropped with what follows.
LegacyImportReport importLegacyBytes(std::string_view fileName, std::string_view bytes,
                                     EventTable* events, HashTable* settings);

// The settings key an old "config.qzi" key became; empty for keys that are dropped.
std::string_view legacySettingKey(std::string_view oldKey);

}  // namespace tv
