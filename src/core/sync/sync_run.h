// The inside of one run (sync_engine.cpp: listing, reading, planning, guards;
// sync_actions.cpp: carrying out each planned action).
#pragma once

#include <map>
#include <optional>
#include <unordered_map>

#include "core/ports/caldav.h"
#include "core/sync/event_ics.h"
#include "core/sync/sync_engine.h"
#include "core/sync/sync_plan.h"

namespace tv {

// A server object of this run, read.
struct RemoteObject {
    DavObject object;
    IcsEvent event;
};

class SyncRun {
public:
    SyncRun(const SyncSnapshot& snapshot, CalDavClient& dav, SyncStore& store,
            const SyncOptions& options)
        : snap_(snapshot), dav_(dav), store_(store), opt_(options) {}

    SyncResult run();

private:
    // sync_engine.cpp
    bool listChanges(std::vector<DavEntry>& changed, std::vector<std::string>& removed);
    bool fullListing(std::vector<DavEntry>& changed, std::vector<std::string>& removed);
    bool fetch(const std::vector<std::string>& hrefs, std::vector<RemoteObject>& out);
    PlanInput planInput();
    bool guardsStop(const std::vector<PlannedAction>& plan, size_t listed);
    void countPlan(const std::vector<PlannedAction>& plan);
    bool fail(SyncStop stop, const DavStatus& status);
    bool cancelled() const;

    // sync_actions.cpp
    bool carryOut(const PlannedAction& a);
    bool uploadNew(const PlannedAction& a, const SnapshotRecord& local);
    bool upload(const PlannedAction& a, const SnapshotRecord& local, const SyncItem& item);
    bool merge(const SnapshotRecord& local, const SyncItem& item, RemoteObject remote,
               bool haveBase);
    bool download(const PlannedAction& a, const RemoteObject& remote, bool asNew);
    bool deleteRemote(const SyncItem& item);
    void deleteLocal(const SnapshotRecord& local, const SyncItem& item);
    void skipUnfit(const RemoteObject& remote, const std::string& uid);
    void addConflict(const std::string& uid, const EventRecord& local);
    std::optional<RemoteObject> refetch(const std::string& href);
    std::string newUid(const EventRecord& record);
    std::string hrefFor(const std::string& uid) const;
    SyncItem itemFor(const std::string& uid, const std::string& href, const std::string& etag,
                     const std::string& ics, const EventRecord& record) const;
    const SnapshotRecord* localAt(int slot) const;

    const SyncSnapshot& snap_;
    CalDavClient& dav_;
    SyncStore& store_;
    const SyncOptions& opt_;
    SyncResult result_;

    std::vector<SyncItem> items_;
    std::unordered_map<std::string, size_t> itemByUid_;
    std::vector<std::string> tombstones_;
    std::vector<RemoteObject> remote_;
    std::vector<std::string> removed_;
    std::string newToken_;
    std::string newCtag_;
    std::unordered_map<int, size_t> localBySlot_;
    std::map<std::string, bool> usedUids_;
};

}  // namespace tv
