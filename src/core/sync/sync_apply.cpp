#include "core/sync/sync_apply.h"

#include "core/sync/sync_binding.h"
#include "core/sync/sync_record.h"
#include "core/sync/sync_store.h"

namespace tv {

SyncSnapshot takeSnapshot(const EventTable& table, const SyncBinding& binding) {
    SyncSnapshot s;
    s.uncertain = binding.uncertain();
    for (int slot = 0; slot < table.slotCount(); ++slot) {
        if (!isSyncable(table[slot])) continue;
        s.records.push_back({slot, binding.uidOf(slot), table[slot]});
    }
    return s;
}

namespace {

bool stillAsSeen(const EventTable& table, const LocalChange& c) {
    return c.slot >= 0 && c.slot < table.slotCount() && isSyncable(table[c.slot]) &&
           fingerprint(table[c.slot]) == c.expected;
}

void place(EventRecord& into, const EventRecord& from, int slot) {
    into = from;
    into.inUse = -1;
    into.slot = static_cast<int16_t>(slot);
    into.category = static_cast<uint8_t>(EventCategory::kUser);
}

}  // namespace

ApplyOutcome applySyncResult(EventTable& table, SyncBinding& binding, SyncStore& store,
                             const SyncResult& result,
                             const std::function<bool(const EventTable&)>& save,
                             const std::string& nowText) {
    ApplyOutcome out;
    std::vector<const LocalChange*> applied;
    bool tableChanged = false;
    for (const LocalChange& c : result.changes) {
        switch (c.kind) {
            case LocalChange::Kind::kAdd: {
                const int slot = table.allocateEventSlot();
                if (slot < 0) {
                    ++out.skipped;  // the table is full
                    continue;
                }
                place(table[slot], c.record, slot);
                binding.bind(slot, c.uid, {});
                tableChanged = true;
                break;
            }
            case LocalChange::Kind::kUpdate:
                if (!stillAsSeen(table, c)) {
                    ++out.skipped;
                    continue;
                }
                place(table[c.slot], c.record, c.slot);
                binding.bind(c.slot, c.uid, {});
                tableChanged = true;
                break;
            case LocalChange::Kind::kDelete:
                if (!stillAsSeen(table, c)) {
                    ++out.skipped;
                    continue;
                }
                // Unbound first: a deletion the server asked for is no deletion to send back.
                binding.unbind(c.slot);
                table.deleteEvent(c.slot);
                tableChanged = true;
                break;
            case LocalChange::Kind::kBind:
                if (!stillAsSeen(table, c)) {
                    ++out.skipped;
                    continue;
                }
                binding.bind(c.slot, c.uid, {});
                break;
        }
        applied.push_back(&c);
    }
    if (tableChanged && save && !save(table)) {
        out.saved = false;
        return out;
    }
    StoreTransaction t(store);
    bool ok = t.ok();
    for (const LocalChange* c : applied) {
        for (const SyncItem& i : c->put)
            ok = ok && store.putItem(i);
        for (const std::string& uid : c->removeItems)
            ok = ok && store.removeItem(uid);
        for (const std::string& uid : c->removeTombstones)
            ok = ok && store.removeTombstone(uid);
    }
    // The token moves on only when every change it covers is in: a skipped change is read again.
    if (result.saveToken && out.skipped == 0) ok = ok && store.setCollection(result.collection);
    if (result.certain && out.skipped == 0) ok = ok && binding.markCertain(store);
    if (result.report.stop == SyncStop::kDone) ok = ok && store.setMeta(kLastSyncMetaKey, nowText);
    out.recorded = ok && t.commit();
    return out;
}

}  // namespace tv
