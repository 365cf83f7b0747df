// The running calendar's sync, as a change handed over by the command-line tool reaches it.
#pragma once

#include <optional>

#include "core/sync/sync_engine.h"

namespace tv {

class SyncHost {
public:
    virtual ~SyncHost() = default;
    // Runs now (or waits for the run under way, then runs) and returns when it has ended.
    virtual SyncReport runAndWait(bool dryRun, bool confirmed) = 0;
    // An entry of the conflicts list back into the table; the event's slot.
    virtual std::optional<int> restoreConflict(int id) = 0;
    // events.cdb was read into the table, or the table was written to it.
    virtual void tableLoaded(const EventTable& table) = 0;
    virtual void tableSaved(const EventTable& table) = 0;
    // The table is about to be replaced by restored files.
    virtual void bindingUncertain() = 0;
};

}  // namespace tv
