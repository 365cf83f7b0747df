// What sync knows of one event record: whether it travels at all, a fingerprint of its content
// and the editor's duplicate key. The record has no identity of its own (slots are renumbered at
// every load), so these are what binds a record to its server copy.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/events/event_record.h"

namespace tv {

// Only the user's own events travel; the built-in holidays and feasts never do.
bool isSyncable(const EventRecord& record);

// The record as events.cdb will hold it: texts pass through Windows-1250, so a character the
// code page cannot hold is "?" here as it will be after the next load.
EventRecord asStored(const EventRecord& record);

// A hash of every field sync carries, taken over the stored form: equal records have equal
// fingerprints before and after a save and a load. 16 lower-case hex digits.
std::string fingerprint(const EventRecord& record);

// The editor's duplicate rule as a key: two user events are the same event when their trimmed
// names match without regard to case, their repeat kinds match and so do the date fields that
// kind uses. Empty for records that do not travel.
std::string duplicateKey(const EventRecord& record);

// Whether two texts are the same once both are put into Windows-1250: a phone's emoji in the
// server copy against our "?" is no change.
bool sameBeyondCp1250(std::string_view stored, std::string_view other);

// 16 lower-case hex digits of a 64-bit hash of the text (not for secrets).
std::string textHash(std::string_view text);

}  // namespace tv
