// A run's first half: what changed on the server, reading it, the plan and the guards.
#include "core/sync/sync_engine.h"

#include <unordered_set>

#include "core/sync/sync_record.h"
#include "core/sync/sync_run.h"

namespace tv {
namespace {

// A side holding at least this many events that is suddenly empty makes the run ask first.
constexpr size_t kEmptyGuardMinimum = 2;
// A run that would delete more than this many events on one side, or more than a fifth of
// them, asks first.
constexpr int kDeleteGuardCount = 10;
constexpr int kDeleteGuardPercent = 20;

bool tooManyDeletes(int deletes, size_t of) {
    if (deletes > kDeleteGuardCount) return true;
    // A fifth of a handful is one event: the share counts from ten events on.
    return of >= static_cast<size_t>(kDeleteGuardCount) &&
           static_cast<size_t>(deletes) * 100 > of * kDeleteGuardPercent;
}

}  // namespace

SyncResult runSync(const SyncSnapshot& snapshot, CalDavClient& dav, SyncStore& store,
                   const SyncOptions& options) {
    return SyncRun(snapshot, dav, store, options).run();
}

bool SyncRun::fail(SyncStop stop, const DavStatus& status) {
    result_.report.stop = status.http == 0 && stop == SyncStop::kServer ? SyncStop::kNetwork : stop;
    result_.report.error = status.error;
    if (status.http != 0 && result_.report.error.empty()) {
        result_.report.error = "HTTP " + std::to_string(status.http);
    }
    return false;
}

bool SyncRun::cancelled() const {
    return opt_.cancel != nullptr && opt_.cancel->load();
}

bool SyncRun::fullListing(std::vector<DavEntry>& changed, std::vector<std::string>& removed) {
    DavCalendar state;
    ++result_.report.requests;
    DavStatus st = dav_.calendarState(opt_.calendarHref, state);
    if (!st.ok()) return fail(SyncStop::kServer, st);
    newCtag_ = state.ctag;
    newToken_.clear();  // a token we could not use is not kept
    const CollectionState known = store_.collection(opt_.calendarHref);
    // An unchanged ctag: nothing on the server changed, one round was enough.
    if (!state.ctag.empty() && state.ctag == known.ctag) return true;
    std::vector<DavEntry> entries;
    ++result_.report.requests;
    st = dav_.listEtags(opt_.calendarHref, entries);
    if (!st.ok()) return fail(SyncStop::kServer, st);
    std::unordered_set<std::string> present;
    for (DavEntry& e : entries) {
        present.insert(e.href);
        changed.push_back(std::move(e));
    }
    for (const SyncItem& i : items_) {
        if (present.count(i.href) == 0) removed.push_back(i.href);
    }
    return true;
}

bool SyncRun::listChanges(std::vector<DavEntry>& changed, std::vector<std::string>& removed) {
    const CollectionState known = store_.collection(opt_.calendarHref);
    newCtag_ = known.ctag;
    ++result_.report.requests;
    DavStatus st =
        dav_.syncCollection(opt_.calendarHref, known.syncToken, changed, removed, newToken_);
    if (st.ok() && !known.syncToken.empty()) return true;
    if (st.http == 0) return fail(SyncStop::kNetwork, st);
    if (!st.ok() && !known.syncToken.empty() && (st.http == 403 || st.http == 409)) {
        // The server forgot our token: start over with the whole list.
        changed.clear();
        removed.clear();
        ++result_.report.requests;
        st = dav_.syncCollection(opt_.calendarHref, {}, changed, removed, newToken_);
        if (st.http == 0) return fail(SyncStop::kNetwork, st);
    }
    if (st.ok()) {
        // A whole list: what we know and it lacks is gone.
        std::unordered_set<std::string> present;
        for (const DavEntry& e : changed)
            present.insert(e.href);
        for (const SyncItem& i : items_) {
            if (present.count(i.href) == 0) removed.push_back(i.href);
        }
        return true;
    }
    // A server that does not do sync-collection says so with a 4xx or 501; anything else is a
    // failure of its own.
    if (st.http != 501 && (st.http < 400 || st.http > 499)) return fail(SyncStop::kServer, st);
    changed.clear();
    removed.clear();
    return fullListing(changed, removed);
}

bool SyncRun::fetch(const std::vector<std::string>& hrefs, std::vector<RemoteObject>& out) {
    const size_t batch = static_cast<size_t>(opt_.batchSize > 0 ? opt_.batchSize : 100);
    for (size_t from = 0; from < hrefs.size(); from += batch) {
        if (cancelled()) {
            result_.report.stop = SyncStop::kCancelled;
            return false;
        }
        const std::vector<std::string> part(
            hrefs.begin() + static_cast<std::ptrdiff_t>(from),
            hrefs.begin() + static_cast<std::ptrdiff_t>(std::min(hrefs.size(), from + batch)));
        std::vector<DavObject> objects;
        ++result_.report.requests;
        const DavStatus st = dav_.multiget(opt_.calendarHref, part, objects);
        if (!st.ok()) return fail(SyncStop::kServer, st);
        for (DavObject& o : objects) {
            if (o.status == 404) {
                removed_.push_back(o.href);
                continue;
            }
            if (o.status < 200 || o.status >= 300) continue;  // read again next time
            RemoteObject r;
            r.event = readIcsEvent(o.ics, opt_.today);
            r.object = std::move(o);
            out.push_back(std::move(r));
        }
    }
    return true;
}

PlanInput SyncRun::planInput() {
    PlanInput in;
    for (const SnapshotRecord& r : snap_.records) {
        in.local.push_back({r.slot, r.uid, fingerprint(r.record), duplicateKey(r.record)});
    }
    for (const SyncItem& i : items_)
        in.base.push_back({i.uid, i.href, i.etag, i.synced, i.unfit != 0});
    in.tombstones = tombstones_;
    for (const RemoteObject& r : remote_) {
        const bool unfit = r.event.unfit != IcsUnfit::kNone;
        in.changed.push_back({r.object.href, r.object.etag, r.event.uid,
                              unfit ? std::string() : duplicateKey(r.event.record), unfit});
    }
    in.removedHrefs = removed_;
    in.noDeletes = snap_.uncertain;
    return in;
}

bool SyncRun::guardsStop(const std::vector<PlannedAction>& plan, size_t listed) {
    const DeleteCounts d = countDeletes(plan);
    result_.report.pendingDeletes = d.local + d.remote;
    if (opt_.confirmed) return false;
    size_t fitItems = 0;
    for (const SyncItem& i : items_)
        fitItems += i.unfit == 0 ? 1 : 0;
    const bool localEmpty = snap_.records.empty() && fitItems >= kEmptyGuardMinimum;
    const bool remoteEmpty =
        fitItems >= kEmptyGuardMinimum && listed == 0 && removed_.size() >= items_.size();
    if (localEmpty || remoteEmpty) {
        result_.report.stop = SyncStop::kConfirmEmpty;
        return true;
    }
    if (tooManyDeletes(d.remote, fitItems) || tooManyDeletes(d.local, snap_.records.size())) {
        result_.report.stop = SyncStop::kConfirmDeletes;
        return true;
    }
    return false;
}

void SyncRun::countPlan(const std::vector<PlannedAction>& plan) {
    SyncReport& r = result_.report;
    for (const PlannedAction& a : plan) {
        switch (a.action) {
            case SyncAction::kDownloadNew:
            case SyncAction::kRecreateLocal:
                ++r.added;
                break;
            case SyncAction::kDownload:
            case SyncAction::kMerge:
            case SyncAction::kBindDuplicate:
                ++r.changed;
                break;
            case SyncAction::kDeleteLocal:
                ++r.deleted;
                break;
            case SyncAction::kUploadNew:
            case SyncAction::kRecreateRemote:
                ++r.uploaded;
                break;
            case SyncAction::kUpload:
                ++r.updatedRemote;
                break;
            case SyncAction::kDeleteRemote:
                ++r.deletedRemote;
                break;
            case SyncAction::kSkipUnfit:
                r.notShown.push_back(
                    {static_cast<int>(remote_[static_cast<size_t>(a.remote)].event.unfit), 1});
                break;
            case SyncAction::kNothing:
            case SyncAction::kForget:
                break;
        }
    }
}

SyncResult SyncRun::run() {
    items_ = store_.items();
    tombstones_ = store_.tombstones();
    if (!store_.lastError().empty()) {
        result_.report.stop = SyncStop::kStore;
        result_.report.error = store_.lastError();
        return result_;
    }
    for (size_t i = 0; i < items_.size(); ++i)
        itemByUid_.emplace(items_[i].uid, i);
    for (size_t i = 0; i < snap_.records.size(); ++i) {
        localBySlot_.emplace(snap_.records[i].slot, i);
        if (!snap_.records[i].uid.empty()) usedUids_[snap_.records[i].uid] = true;
    }

    std::vector<DavEntry> changed;
    if (!listChanges(changed, removed_)) return result_;
    // Only what differs from what we have is read: our own writes come back with their ETags.
    std::unordered_map<std::string, const SyncItem*> byHref;
    for (const SyncItem& i : items_)
        byHref.emplace(i.href, &i);
    std::vector<std::string> toRead;
    for (const DavEntry& e : changed) {
        const auto known = byHref.find(e.href);
        if (known == byHref.end() || e.etag.empty() || e.etag != known->second->etag) {
            toRead.push_back(e.href);
        }
    }
    if (!fetch(toRead, remote_)) return result_;
    // A server that gives no ETags: content equal to the base is no change.
    std::erase_if(remote_, [&](const RemoteObject& r) {
        const auto known = byHref.find(r.object.href);
        return known != byHref.end() && r.object.ics == known->second->base;
    });

    const std::vector<PlannedAction> plan = planSync(planInput());
    if (guardsStop(plan, changed.size())) return result_;
    if (opt_.dryRun) {
        countPlan(plan);
        return result_;
    }
    for (const PlannedAction& a : plan) {
        if (cancelled()) {
            result_.report.stop = SyncStop::kCancelled;
            return result_;
        }
        if (!carryOut(a)) return result_;
    }
    result_.saveToken = true;
    result_.collection = {opt_.calendarHref, newCtag_, newToken_};
    result_.certain = snap_.uncertain;
    return result_;
}

}  // namespace tv
