// The sync planner: from what the event table holds (local), what the server reports (remote)
// and what both held after the last run (base), the actions of one run. Pure: no I/O.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tv {

enum class LocalSide : uint8_t {
    kUnchanged,  // bound, same fingerprint as at the last sync
    kChanged,    // bound, edited since
    kDeleted,    // deleted here since (a tombstone)
    kMissing,    // no record is bound to it and none was seen deleted
};

enum class RemoteSide : uint8_t {
    kUnchanged,  // same ETag as the base
    kChanged,    // a new ETag
    kAbsent,     // gone from the server
};

enum class SyncAction : uint8_t {
    kNothing,
    kUpload,          // our edit onto the server's copy (If-Match)
    kUploadNew,       // a new event (If-None-Match: *)
    kDownload,        // the server's edit into our record
    kDownloadNew,     // a new server event into the table
    kMerge,           // both edited: field by field against the base
    kDeleteRemote,    // deleted here: delete there (If-Match)
    kDeleteLocal,     // deleted there: delete here
    kRecreateLocal,   // deleted here, changed there (or lost here): the server's copy comes back
    kRecreateRemote,  // deleted there, changed here: ours goes back up
    kForget,          // gone on both sides
    kBindDuplicate,   // a new event on both sides is the same event: bind, merge without a base
    kSkipUnfit,       // a server object the table cannot hold: remembered, not shown
};

// One base item's action. `noDeletes` is the run after an uncertain binding: nothing is deleted
// on either side, what would be is kept or brought back.
SyncAction decide(LocalSide local, RemoteSide remote, bool noDeletes);

struct LocalView {
    int slot = -1;
    std::string uid;  // empty: not bound to any server object yet
    std::string fingerprint;
    std::string dupKey;
};

struct BaseView {
    std::string uid;
    std::string href;
    std::string etag;
    std::string synced;  // fingerprint of our record at the last sync
    bool unfit = false;
};

// A server object that is new or has a new ETag, read.
struct RemoteView {
    std::string href;
    std::string etag;
    std::string uid;
    std::string dupKey;  // of the record it reads as; empty when unfit
    bool unfit = false;
};

struct PlanInput {
    std::vector<LocalView> local;  // the syncable records
    std::vector<BaseView> base;
    std::vector<std::string> tombstones;    // uids deleted here
    std::vector<RemoteView> changed;        // new or changed on the server
    std::vector<std::string> removedHrefs;  // gone from the server
    bool noDeletes = false;
};

struct PlannedAction {
    SyncAction action = SyncAction::kNothing;
    std::string uid;
    int slot = -1;    // the local record, when there is one
    int remote = -1;  // index into PlanInput::changed, when the server's copy is new
    int base = -1;    // index into PlanInput::base
    friend bool operator==(const PlannedAction&, const PlannedAction&) = default;
};

// Every action of the run except kNothing, base items first in their order, then new local
// records, then new server objects.
std::vector<PlannedAction> planSync(const PlanInput& input);

// What the run would delete: on the server, and here.
struct DeleteCounts {
    int remote = 0;
    int local = 0;
};
DeleteCounts countDeletes(const std::vector<PlannedAction>& plan);

}  // namespace tv
