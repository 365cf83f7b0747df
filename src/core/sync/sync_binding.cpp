#include "core/sync/sync_binding.h"

#include <unordered_map>
#include <unordered_set>

#include "core/sync/sync_record.h"
#include "core/sync/sync_store.h"

namespace tv {
namespace {

const std::string kNoUid;
constexpr const char* kUncertain = "uncertain";

// The folded name at the head of a duplicate key ("name|repeat|date").
std::string namePart(const std::string& key) {
    const size_t last = key.rfind('|');
    if (last == std::string::npos || last == 0) return {};
    const size_t before = key.rfind('|', last - 1);
    return before == std::string::npos ? std::string() : key.substr(0, before);
}

}  // namespace

void SyncBinding::grow(int slotCount) {
    if (static_cast<int>(uids_.size()) < slotCount) {
        uids_.resize(static_cast<size_t>(slotCount));
        known_.resize(static_cast<size_t>(slotCount));
    }
}

bool SyncBinding::bindLoaded(const EventTable& table, SyncStore& store) {
    uids_.assign(static_cast<size_t>(table.slotCount()), {});
    known_.assign(static_cast<size_t>(table.slotCount()), {});
    const std::vector<SyncItem> items = store.items();
    if (!store.lastError().empty()) return false;
    const std::vector<std::string> tombs = store.tombstones();
    const std::unordered_set<std::string> deleted(tombs.begin(), tombs.end());
    std::unordered_multimap<std::string, const SyncItem*> bySaved;
    size_t expected = 0;
    for (const SyncItem& i : items) {
        if (i.unfit != 0 || deleted.count(i.uid) != 0) continue;
        bySaved.emplace(i.saved, &i);
        ++expected;
    }
    size_t found = 0;
    for (int slot = 0; slot < table.slotCount(); ++slot) {
        if (!isSyncable(table[slot])) continue;
        const std::string fp = fingerprint(table[slot]);
        const auto it = bySaved.find(fp);
        if (it == bySaved.end()) continue;
        bind(slot, it->second->uid, fp);
        bySaved.erase(it);
        ++found;
    }
    uncertain_ = found != expected || store.meta(kBindingMetaKey) == kUncertain;
    if (uncertain_) {
        markUncertain(store);
        // Re-match now, while the records still look as they were found: an edit the user makes
        // before the next run would otherwise hide a record from both of its keys.
        rematch(table, store);
    }
    return true;
}

bool SyncBinding::noteSaved(const EventTable& table, SyncStore& store) {
    grow(table.slotCount());
    StoreTransaction t(store);
    if (!t.ok()) return false;
    bool ok = true;
    for (size_t slot = 0; slot < uids_.size(); ++slot) {
        if (uids_[slot].empty()) continue;
        const int s = static_cast<int>(slot);
        if (s >= table.slotCount() || !isSyncable(table[s])) {
            ok = store.addTombstone(uids_[slot]) && ok;
            unbind(s);
            continue;
        }
        const std::string fp = fingerprint(table[s]);
        if (fp == known_[slot]) continue;
        ok = store.setSaved(uids_[slot], fp, duplicateKey(table[s])) && ok;
        known_[slot] = fp;
    }
    return ok && t.commit();
}

int SyncBinding::rematch(const EventTable& table, SyncStore& store) {
    grow(table.slotCount());
    const std::vector<std::string> tombs = store.tombstones();
    std::unordered_set<std::string> unavailable(tombs.begin(), tombs.end());
    for (const std::string& uid : uids_) {
        if (!uid.empty()) unavailable.insert(uid);
    }
    std::vector<SyncItem> items;
    for (SyncItem& i : store.items()) {
        if (i.unfit == 0 && unavailable.count(i.uid) == 0) items.push_back(std::move(i));
    }
    int bound = 0;
    // Exact content first, so that a duplicate key never takes an exact match's item; the name
    // alone last, and only where it is unique on both sides (another tool moved the date).
    for (int pass = 0; pass < 3; ++pass) {
        const auto recordKey = [&table, pass](int slot) {
            if (pass == 0) return fingerprint(table[slot]);
            return pass == 1 ? duplicateKey(table[slot]) : namePart(duplicateKey(table[slot]));
        };
        std::unordered_multimap<std::string, std::string> byKey;
        for (const SyncItem& i : items) {
            if (unavailable.count(i.uid) != 0) continue;
            byKey.emplace(pass == 0 ? i.synced : pass == 1 ? i.dupKey : namePart(i.dupKey), i.uid);
        }
        std::unordered_map<std::string, int> unboundRecords;
        for (int slot = 0; slot < table.slotCount(); ++slot) {
            if (isSyncable(table[slot]) && uidOf(slot).empty()) ++unboundRecords[recordKey(slot)];
        }
        for (int slot = 0; slot < table.slotCount(); ++slot) {
            if (!isSyncable(table[slot]) || !uidOf(slot).empty()) continue;
            const std::string key = recordKey(slot);
            const auto it = byKey.find(key);
            if (key.empty() || it == byKey.end()) continue;
            if (pass == 2 && (byKey.count(key) != 1 || unboundRecords[key] != 1)) continue;
            bind(slot, it->second, {});
            unavailable.insert(it->second);
            byKey.erase(it);
            ++bound;
        }
    }
    return bound;
}

bool SyncBinding::markCertain(SyncStore& store) {
    uncertain_ = false;
    return store.setMeta(kBindingMetaKey, "certain");
}

void SyncBinding::markUncertain(SyncStore& store) {
    uncertain_ = true;
    store.setMeta(kBindingMetaKey, kUncertain);
}

const std::string& SyncBinding::uidOf(int slot) const {
    if (slot < 0 || static_cast<size_t>(slot) >= uids_.size()) return kNoUid;
    return uids_[static_cast<size_t>(slot)];
}

int SyncBinding::slotOf(const std::string& uid) const {
    for (size_t i = 0; i < uids_.size(); ++i) {
        if (uids_[i] == uid) return static_cast<int>(i);
    }
    return -1;
}

void SyncBinding::bind(int slot, const std::string& uid, const std::string& fp) {
    if (slot < 0) return;
    grow(slot + 1);
    uids_[static_cast<size_t>(slot)] = uid;
    known_[static_cast<size_t>(slot)] = fp;
}

void SyncBinding::unbind(int slot) {
    if (slot < 0 || static_cast<size_t>(slot) >= uids_.size()) return;
    uids_[static_cast<size_t>(slot)].clear();
    known_[static_cast<size_t>(slot)].clear();
}

}  // namespace tv
