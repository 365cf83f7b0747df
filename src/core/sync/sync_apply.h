// The table's side of a run: the snapshot it starts from, and its local changes applied with one
// save, after which the store learns what the run did.
#pragma once

#include <functional>
#include <string>

#include "core/events/event_record.h"
#include "core/sync/sync_engine.h"

namespace tv {

class SyncBinding;
class SyncStore;

SyncSnapshot takeSnapshot(const EventTable& table, const SyncBinding& binding);

struct ApplyOutcome {
    bool saved = true;     // the table was saved (or nothing needed saving)
    bool recorded = true;  // the store took what the run learned
    int skipped = 0;       // changes for records edited here while the run talked to the server
};

// Applies the changes whose record is still as the snapshot had it (the others wait for the next
// run), saves the table once through `save` (which is expected to tell the binding, as every save
// does), then writes the run's store rows, its collection state and the time in one transaction.
ApplyOutcome applySyncResult(EventTable& table, SyncBinding& binding, SyncStore& store,
                             const SyncResult& result,
                             const std::function<bool(const EventTable&)>& save,
                             const std::string& nowText);

inline constexpr const char* kLastSyncMetaKey = "last_sync";

}  // namespace tv
