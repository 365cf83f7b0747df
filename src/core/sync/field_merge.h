// Three-way merge of one event, field group by field group, against the last common version.
#pragma once

#include "core/events/event_record.h"

namespace tv {

struct MergeResult {
    EventRecord merged;
    bool clash = false;          // both sides changed one group differently: the server's won
    bool localChanges = false;   // merged differs from the local record
    bool remoteChanges = false;  // merged differs from the server's copy
};

// Groups: name, comment, dates (repeat, year, month, day, anniversary, length), notice days,
// colour, picture, alarm. A group one side left as the base had takes the other side's value;
// a group both changed alike is taken; a group both changed differently is a clash and takes the
// server's. Without a base every difference is a clash. Texts that differ only in what
// Windows-1250 cannot hold are equal, and the server's spelling is kept.
MergeResult mergeFields(const EventRecord& local, const EventRecord* base,
                        const EventRecord& remote);

// Whether two records say the same in every group.
bool sameContent(const EventRecord& a, const EventRecord& b);

}  // namespace tv
