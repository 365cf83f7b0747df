// One sync run between the event table and one CalDAV calendar.
//
// The run works on a snapshot of the table, so the window can go on while it talks to the
// server. Server writes are recorded in the store as soon as the server confirmed them; what
// changes the table comes back as local changes, and the store rows that go with them are kept
// until the table has been saved with them (applySyncResult), so a crash at any point leaves a
// state the next run reads correctly.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "core/calc/date.h"
#include "core/events/event_record.h"
#include "core/sync/sync_store.h"

namespace tv {

class CalDavClient;

// A syncable record as the run sees it.
struct SnapshotRecord {
    int slot = -1;
    std::string uid;  // the binding's; empty when not bound
    EventRecord record;
};

struct SyncSnapshot {
    std::vector<SnapshotRecord> records;
    bool uncertain = false;  // the binding was re-matched: this run deletes nothing
};

struct SyncOptions {
    std::string calendarHref;
    bool dryRun = false;
    bool confirmed = false;  // the user said yes to what the guards stopped at
    DateTime stampUtc;       // DTSTAMP of what we write
    Date today;              // how a server repeat that starts later is read
    std::string nowText;     // ISO date-time of the run, for the conflicts list
    int batchSize = 100;     // objects per multiget
    int maxRetries = 3;      // writes that meet a newer server copy
    const std::atomic<bool>* cancel = nullptr;
};

enum class SyncStop : uint8_t {
    kDone,
    kConfirmEmpty,    // one side is suddenly empty: ask first
    kConfirmDeletes,  // the run would delete more than 10 events or 20 %: ask first
    kNetwork,         // no answer from the server
    kServer,          // the server refused (status in the report)
    kStore,           // the sync state could not be read or written
    kCancelled,
};

// Why a server event is not shown, with how many.
struct NotShown {
    int unfit = 0;  // an IcsUnfit
    int count = 0;
};

struct SyncReport {
    SyncStop stop = SyncStop::kDone;
    int added = 0;  // here
    int changed = 0;
    int deleted = 0;
    int uploaded = 0;  // there
    int updatedRemote = 0;
    int deletedRemote = 0;
    int conflicts = 0;
    int requests = 0;  // rounds to the server
    std::vector<NotShown> notShown;
    int pendingDeletes = 0;  // what the guards stopped at: deletions here plus there
    std::string error;       // the server's or the store's words
};

struct LocalChange {
    enum class Kind : uint8_t { kAdd, kUpdate, kDelete, kBind };
    Kind kind = Kind::kBind;
    int slot = -1;         // kUpdate, kDelete, kBind
    std::string expected;  // the slot's fingerprint in the snapshot: skipped if it moved on
    std::string uid;
    EventRecord record;         // kAdd, kUpdate
    std::vector<SyncItem> put;  // store rows once the table is saved with this change
    std::vector<std::string> removeItems;
    std::vector<std::string> removeTombstones;
};

struct SyncResult {
    SyncReport report;
    std::vector<LocalChange> changes;
    bool saveToken = false;  // the collection state below goes in with the changes
    CollectionState collection;
    bool certain = false;  // a run that deleted nothing brought an uncertain binding together
};

SyncResult runSync(const SyncSnapshot& snapshot, CalDavClient& dav, SyncStore& store,
                   const SyncOptions& options);

}  // namespace tv
