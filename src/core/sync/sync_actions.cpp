// A run's second half: each planned action against the server and, as local changes, the table.
#include "core/sync/field_merge.h"
#include "core/sync/sync_record.h"
#include "core/sync/sync_run.h"

namespace tv {
namespace {

constexpr int kPreconditionFailed = 412;
constexpr int kNotFound = 404;

// A server that gives no ETags still gets a write only over an object that exists.
std::string matchOf(const std::string& etag) {
    return etag.empty() ? std::string("*") : etag;
}

}  // namespace

const SnapshotRecord* SyncRun::localAt(int slot) const {
    const auto it = localBySlot_.find(slot);
    return it == localBySlot_.end() ? nullptr : &snap_.records[it->second];
}

SyncItem SyncRun::itemFor(const std::string& uid, const std::string& href, const std::string& etag,
                          const std::string& ics, const EventRecord& record) const {
    const std::string fp = fingerprint(record);
    return SyncItem{uid, href, etag, ics, fp, fp, duplicateKey(record), 0};
}

std::string SyncRun::newUid(const EventRecord& record) {
    for (int attempt = 0;; ++attempt) {
        std::string uid = deriveUid(record, attempt);
        if (itemByUid_.count(uid) == 0 && usedUids_.count(uid) == 0) {
            usedUids_[uid] = true;
            return uid;
        }
    }
}

std::string SyncRun::hrefFor(const std::string& uid) const {
    std::string name;
    for (char c : uid.substr(0, uid.find('@'))) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        name += plain ? c : '_';
    }
    std::string href = opt_.calendarHref;
    if (href.empty() || href.back() != '/') href += '/';
    return href + name + ".ics";
}

std::optional<RemoteObject> SyncRun::refetch(const std::string& href) {
    std::vector<DavObject> objects;
    ++result_.report.requests;
    const DavStatus st = dav_.multiget(opt_.calendarHref, {href}, objects);
    if (!st.ok() || objects.empty() || objects[0].status != 200) return std::nullopt;
    RemoteObject r;
    r.event = readIcsEvent(objects[0].ics, opt_.today);
    r.object = std::move(objects[0]);
    return r;
}

void SyncRun::addConflict(const std::string& uid, const EventRecord& local) {
    store_.addConflict({0, uid, opt_.nowText, local.name, newIcsEvent(local, uid, opt_.stampUtc)});
    ++result_.report.conflicts;
}

bool SyncRun::uploadNew(const PlannedAction& a, const SnapshotRecord& local) {
    // A server copy deleted under our edit goes back where it was, with what others stored.
    const SyncItem* old = nullptr;
    if (const auto it = itemByUid_.find(a.uid); !a.uid.empty() && it != itemByUid_.end()) {
        old = &items_[it->second];
    }
    std::string uid = a.uid.empty() ? newUid(local.record) : a.uid;
    std::string href = old != nullptr ? old->href : hrefFor(uid);
    for (int attempt = 0; attempt <= opt_.maxRetries; ++attempt) {
        std::string ics = old != nullptr && !old->base.empty()
                              ? applyRecordToIcs(old->base, local.record, opt_.stampUtc, opt_.today)
                              : std::string();
        if (ics.empty()) ics = newIcsEvent(local.record, uid, opt_.stampUtc);
        std::string etag;
        ++result_.report.requests;
        const DavStatus st = dav_.put(href, ics, {}, etag);
        if (st.ok()) {
            LocalChange c;
            c.kind = LocalChange::Kind::kBind;
            c.slot = local.slot;
            c.expected = fingerprint(local.record);
            c.uid = uid;
            c.put.push_back(itemFor(uid, href, etag, ics, local.record));
            c.removeTombstones.push_back(uid);
            result_.changes.push_back(std::move(c));
            ++result_.report.uploaded;
            return true;
        }
        if (st.http != kPreconditionFailed) return fail(SyncStop::kServer, st);
        // Something is there already. Ours, when an earlier write's answer was lost or the same
        // event came from another machine: then it is one event, merged.
        const std::optional<RemoteObject> there = refetch(href);
        if (!there) return fail(SyncStop::kServer, st);
        if (there->event.uid == uid) {
            SyncItem none;
            none.uid = uid;
            none.href = href;
            return merge(local, none, *there, false);
        }
        old = nullptr;
        uid = newUid(local.record);
        href = hrefFor(uid);
    }
    return fail(SyncStop::kServer, {kPreconditionFailed, "the server kept refusing a new event"});
}

bool SyncRun::upload(const PlannedAction&, const SnapshotRecord& local, const SyncItem& item) {
    std::string ics = applyRecordToIcs(item.base, local.record, opt_.stampUtc, opt_.today);
    if (ics.empty()) ics = newIcsEvent(local.record, item.uid, opt_.stampUtc);
    std::string etag;
    ++result_.report.requests;
    const DavStatus st = dav_.put(item.href, ics, matchOf(item.etag), etag);
    if (st.ok()) {
        LocalChange c;
        c.kind = LocalChange::Kind::kBind;
        c.slot = local.slot;
        c.expected = fingerprint(local.record);
        c.uid = item.uid;
        c.put.push_back(itemFor(item.uid, item.href, etag, ics, local.record));
        result_.changes.push_back(std::move(c));
        ++result_.report.updatedRemote;
        return true;
    }
    if (st.http != kPreconditionFailed && st.http != kNotFound) return fail(SyncStop::kServer, st);
    // The server's copy moved on since we listed: merge with the newer one.
    const std::optional<RemoteObject> there = refetch(item.href);
    if (!there) {
        PlannedAction again;
        again.uid = item.uid;
        return uploadNew(again, local);  // deleted meanwhile: our edit wins
    }
    return merge(local, item, *there, true);
}

bool SyncRun::merge(const SnapshotRecord& local, const SyncItem& item, RemoteObject remote,
                    bool haveBase) {
    IcsEvent base;
    if (haveBase) base = readIcsEvent(item.base, opt_.today);
    const EventRecord* baseRecord =
        haveBase && base.unfit == IcsUnfit::kNone ? &base.record : nullptr;
    const std::string uid = remote.event.uid.empty() ? item.uid : remote.event.uid;
    for (int attempt = 0;; ++attempt) {
        const MergeResult m = mergeFields(local.record, baseRecord, remote.event.record);
        std::string ics = remote.object.ics;
        std::string etag = remote.object.etag;
        if (m.remoteChanges) {
            ics = applyRecordToIcs(remote.object.ics, m.merged, opt_.stampUtc, opt_.today);
            ++result_.report.requests;
            const DavStatus st =
                dav_.put(remote.object.href, ics, matchOf(remote.object.etag), etag);
            if (st.http == kPreconditionFailed && attempt < opt_.maxRetries) {
                std::optional<RemoteObject> newer = refetch(remote.object.href);
                if (!newer) return fail(SyncStop::kServer, st);
                remote = std::move(*newer);
                continue;
            }
            if (!st.ok()) return fail(SyncStop::kServer, st);
            ++result_.report.updatedRemote;
        }
        if (m.clash) addConflict(uid, local.record);
        LocalChange c;
        c.kind = m.localChanges ? LocalChange::Kind::kUpdate : LocalChange::Kind::kBind;
        c.slot = local.slot;
        c.expected = fingerprint(local.record);
        c.uid = uid;
        c.record = m.merged;
        c.put.push_back(itemFor(uid, remote.object.href, etag, ics, m.merged));
        result_.changes.push_back(std::move(c));
        if (m.localChanges) ++result_.report.changed;
        return true;
    }
}

bool SyncRun::download(const PlannedAction& a, const RemoteObject& remote, bool asNew) {
    const std::string uid = remote.event.uid.empty() ? a.uid : remote.event.uid;
    const EventRecord& record = remote.event.record;
    LocalChange c;
    c.uid = uid;
    c.record = record;
    c.put.push_back(
        itemFor(uid, remote.object.href, remote.object.etag, remote.object.ics, record));
    c.removeTombstones.push_back(uid);
    const SnapshotRecord* local = asNew ? nullptr : localAt(a.slot);
    if (local == nullptr) {
        c.kind = LocalChange::Kind::kAdd;
        ++result_.report.added;
    } else {
        c.slot = local->slot;
        c.expected = fingerprint(local->record);
        // A change we cannot show (a location, another program's alarm) changes nothing here.
        c.kind = sameContent(local->record, record) ? LocalChange::Kind::kBind
                                                    : LocalChange::Kind::kUpdate;
        if (c.kind == LocalChange::Kind::kUpdate) ++result_.report.changed;
    }
    result_.changes.push_back(std::move(c));
    return true;
}

bool SyncRun::deleteRemote(const SyncItem& item) {
    ++result_.report.requests;
    const DavStatus st = dav_.remove(item.href, matchOf(item.etag));
    if (st.ok() || st.http == kNotFound) {
        StoreTransaction t(store_);
        store_.removeItem(item.uid);
        store_.removeTombstone(item.uid);
        if (!t.commit()) return fail(SyncStop::kStore, {0, store_.lastError()});
        ++result_.report.deletedRemote;
        return true;
    }
    if (st.http != kPreconditionFailed) return fail(SyncStop::kServer, st);
    // Changed there since: the change wins and the event comes back here.
    const std::optional<RemoteObject> there = refetch(item.href);
    if (!there) return fail(SyncStop::kServer, st);
    PlannedAction again;
    again.uid = item.uid;
    return download(again, *there, true);
}

void SyncRun::deleteLocal(const SnapshotRecord& local, const SyncItem& item) {
    LocalChange c;
    c.kind = LocalChange::Kind::kDelete;
    c.slot = local.slot;
    c.expected = fingerprint(local.record);
    c.uid = item.uid;
    c.removeItems.push_back(item.uid);
    result_.changes.push_back(std::move(c));
    ++result_.report.deleted;
}

void SyncRun::skipUnfit(const RemoteObject& remote, const std::string& uid) {
    SyncItem i;
    i.uid = uid.empty() ? "href:" + remote.object.href : uid;
    i.href = remote.object.href;
    i.etag = remote.object.etag;
    i.base = remote.object.ics;
    i.unfit = static_cast<int>(remote.event.unfit);
    store_.putItem(i);
    result_.report.notShown.push_back({i.unfit, 1});
}

bool SyncRun::carryOut(const PlannedAction& a) {
    const SnapshotRecord* local = localAt(a.slot);
    const SyncItem* item = a.base >= 0 ? &items_[static_cast<size_t>(a.base)] : nullptr;
    const RemoteObject* remote = a.remote >= 0 ? &remote_[static_cast<size_t>(a.remote)] : nullptr;
    switch (a.action) {
        case SyncAction::kNothing:
            return true;
        case SyncAction::kUploadNew:
        case SyncAction::kRecreateRemote:
            return local == nullptr || uploadNew(a, *local);
        case SyncAction::kUpload:
            return local == nullptr || item == nullptr || upload(a, *local, *item);
        case SyncAction::kMerge:
            return local == nullptr || item == nullptr || remote == nullptr ||
                   merge(*local, *item, *remote, true);
        case SyncAction::kBindDuplicate: {
            if (local == nullptr || remote == nullptr) return true;
            SyncItem none;
            none.uid = a.uid;
            none.href = remote->object.href;
            return merge(*local, none, *remote, false);
        }
        case SyncAction::kDownload:
            return remote == nullptr || download(a, *remote, false);
        case SyncAction::kDownloadNew:
            return remote == nullptr || download(a, *remote, true);
        case SyncAction::kRecreateLocal: {
            if (remote != nullptr) return download(a, *remote, true);
            if (item == nullptr) return true;
            // Nothing new on the server: the copy we have is the one to bring back.
            RemoteObject copy;
            copy.object = {item->href, item->etag, item->base, 200};
            copy.event = readIcsEvent(item->base, opt_.today);
            if (copy.event.unfit != IcsUnfit::kNone) return true;
            return download(a, copy, true);
        }
        case SyncAction::kDeleteRemote:
            return item == nullptr || deleteRemote(*item);
        case SyncAction::kDeleteLocal:
            if (local != nullptr && item != nullptr) deleteLocal(*local, *item);
            return true;
        case SyncAction::kForget: {
            StoreTransaction t(store_);
            store_.removeItem(a.uid);
            store_.removeTombstone(a.uid);
            return t.commit() || fail(SyncStop::kStore, {0, store_.lastError()});
        }
        case SyncAction::kSkipUnfit:
            if (remote != nullptr) skipUnfit(*remote, a.uid);
            return true;
    }
    return true;
}

}  // namespace tv
