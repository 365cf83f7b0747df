#include "core/sync/sync_plan.h"

#include <unordered_map>
#include <unordered_set>

namespace tv {

SyncAction decide(LocalSide local, RemoteSide remote, bool noDeletes) {
    switch (local) {
        case LocalSide::kUnchanged:
            switch (remote) {
                case RemoteSide::kUnchanged:
                    return SyncAction::kNothing;
                case RemoteSide::kChanged:
                    return SyncAction::kDownload;
                case RemoteSide::kAbsent:
                    return noDeletes ? SyncAction::kRecreateRemote : SyncAction::kDeleteLocal;
            }
            break;
        case LocalSide::kChanged:
            switch (remote) {
                case RemoteSide::kUnchanged:
                    return SyncAction::kUpload;
                case RemoteSide::kChanged:
                    return SyncAction::kMerge;
                case RemoteSide::kAbsent:
                    return SyncAction::kRecreateRemote;  // the change wins over the deletion
            }
            break;
        case LocalSide::kDeleted:
            switch (remote) {
                case RemoteSide::kUnchanged:
                    // After an uncertain binding the deletion waits for a run we can trust.
                    return noDeletes ? SyncAction::kNothing : SyncAction::kDeleteRemote;
                case RemoteSide::kChanged:
                    return SyncAction::kRecreateLocal;  // the change wins over the deletion
                case RemoteSide::kAbsent:
                    return SyncAction::kForget;
            }
            break;
        case LocalSide::kMissing:
            // No record is bound and none was seen deleted: never a reason to delete anything.
            return remote == RemoteSide::kAbsent ? SyncAction::kForget : SyncAction::kRecreateLocal;
    }
    return SyncAction::kNothing;
}

std::vector<PlannedAction> planSync(const PlanInput& in) {
    std::unordered_map<std::string, int> baseByUid;
    std::unordered_map<std::string, int> baseByHref;
    for (size_t i = 0; i < in.base.size(); ++i) {
        baseByUid.emplace(in.base[i].uid, static_cast<int>(i));
        baseByHref.emplace(in.base[i].href, static_cast<int>(i));
    }
    std::vector<RemoteSide> remoteSide(in.base.size(), RemoteSide::kUnchanged);
    std::vector<int> remoteOf(in.base.size(), -1);
    std::vector<int> newRemote;
    for (size_t i = 0; i < in.changed.size(); ++i) {
        const RemoteView& r = in.changed[i];
        int b = -1;
        if (const auto u = baseByUid.find(r.uid); !r.uid.empty() && u != baseByUid.end()) {
            b = u->second;
        } else if (const auto h = baseByHref.find(r.href); h != baseByHref.end()) {
            b = h->second;
        }
        if (b < 0) {
            newRemote.push_back(static_cast<int>(i));
            continue;
        }
        if (r.etag == in.base[static_cast<size_t>(b)].etag && !r.etag.empty()) continue;
        remoteSide[static_cast<size_t>(b)] = RemoteSide::kChanged;
        remoteOf[static_cast<size_t>(b)] = static_cast<int>(i);
    }
    for (const std::string& href : in.removedHrefs) {
        const auto b = baseByHref.find(href);
        if (b == baseByHref.end()) continue;
        remoteSide[static_cast<size_t>(b->second)] = RemoteSide::kAbsent;
        remoteOf[static_cast<size_t>(b->second)] = -1;
    }

    const std::unordered_set<std::string> tombs(in.tombstones.begin(), in.tombstones.end());
    std::unordered_map<std::string, const LocalView*> boundLocal;
    for (const LocalView& l : in.local) {
        if (!l.uid.empty() && baseByUid.count(l.uid) != 0) boundLocal.emplace(l.uid, &l);
    }

    std::vector<PlannedAction> plan;
    for (size_t i = 0; i < in.base.size(); ++i) {
        const BaseView& b = in.base[i];
        PlannedAction a;
        a.uid = b.uid;
        a.base = static_cast<int>(i);
        a.remote = remoteOf[i];
        const auto bound = boundLocal.find(b.uid);
        if (bound != boundLocal.end()) a.slot = bound->second->slot;
        if (b.unfit && bound == boundLocal.end()) {
            // Never in the table: follow the server only.
            if (remoteSide[i] == RemoteSide::kAbsent) {
                a.action = SyncAction::kForget;
            } else if (remoteSide[i] == RemoteSide::kChanged) {
                a.action = in.changed[static_cast<size_t>(a.remote)].unfit
                               ? SyncAction::kSkipUnfit
                               : SyncAction::kRecreateLocal;
            }
        } else {
            LocalSide local = LocalSide::kMissing;
            if (tombs.count(b.uid) != 0) {
                local = LocalSide::kDeleted;
            } else if (bound != boundLocal.end()) {
                local = bound->second->fingerprint == b.synced ? LocalSide::kUnchanged
                                                               : LocalSide::kChanged;
            }
            a.action = decide(local, remoteSide[i], in.noDeletes);
            // A server copy that became unreadable is not taken over our record.
            if (a.remote >= 0 && in.changed[static_cast<size_t>(a.remote)].unfit &&
                (a.action == SyncAction::kDownload || a.action == SyncAction::kMerge ||
                 a.action == SyncAction::kRecreateLocal)) {
                a.action = SyncAction::kSkipUnfit;
            }
        }
        if (a.action != SyncAction::kNothing) plan.push_back(a);
    }

    // New on both sides: the same UID (a write whose answer was lost) or the editor's duplicate
    // key (the first run over two filled calendars) makes them one event, never two.
    std::unordered_map<std::string, int> newByUid;
    std::unordered_multimap<std::string, int> newByKey;
    for (int r : newRemote) {
        const RemoteView& v = in.changed[static_cast<size_t>(r)];
        if (!v.uid.empty()) newByUid.emplace(v.uid, r);
        if (!v.unfit && !v.dupKey.empty()) newByKey.emplace(v.dupKey, r);
    }
    std::unordered_set<int> taken;
    for (const LocalView& l : in.local) {
        if (!l.uid.empty() && baseByUid.count(l.uid) != 0) continue;
        PlannedAction a;
        a.slot = l.slot;
        a.uid = l.uid;
        a.action = SyncAction::kUploadNew;
        int match = -1;
        if (const auto u = newByUid.find(l.uid); !l.uid.empty() && u != newByUid.end()) {
            match = u->second;
        } else {
            auto [first, last] = newByKey.equal_range(l.dupKey);
            for (auto it = first; it != last && match < 0; ++it) {
                if (taken.count(it->second) == 0) match = it->second;
            }
        }
        if (match >= 0 && taken.insert(match).second &&
            !in.changed[static_cast<size_t>(match)].unfit) {
            a.action = SyncAction::kBindDuplicate;
            a.remote = match;
            a.uid = in.changed[static_cast<size_t>(match)].uid;
        }
        plan.push_back(a);
    }
    for (int r : newRemote) {
        if (taken.count(r) != 0) continue;
        PlannedAction a;
        a.remote = r;
        a.uid = in.changed[static_cast<size_t>(r)].uid;
        a.action = in.changed[static_cast<size_t>(r)].unfit ? SyncAction::kSkipUnfit
                                                            : SyncAction::kDownloadNew;
        plan.push_back(a);
    }
    return plan;
}

DeleteCounts countDeletes(const std::vector<PlannedAction>& plan) {
    DeleteCounts c;
    for (const PlannedAction& a : plan) {
        if (a.action == SyncAction::kDeleteRemote) ++c.remote;
        if (a.action == SyncAction::kDeleteLocal) ++c.local;
    }
    return c;
}

}  // namespace tv
