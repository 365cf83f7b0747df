// Which record of the event table is which server object. Records have no identity of their own
// and are renumbered at every load, so the binding is kept per slot while the program runs and
// found again after a load through the fingerprint each record had at the last save. A binding
// that cannot be found again whole (a restore, a crash between two writes, another program's
// edit) is uncertain: the next run matches by content and deletes nothing.
#pragma once

#include <string>
#include <vector>

#include "core/events/event_record.h"

namespace tv {

class SyncStore;

class SyncBinding {
public:
    // After a load: each stored object takes the record whose fingerprint it saw at the last
    // save; when that leaves the binding uncertain, the rest are re-matched at once. False when
    // the store could not be read.
    bool bindLoaded(const EventTable& table, SyncStore& store);
    // After a save of events.cdb: bound records that are gone become local deletions, and the
    // saved fingerprints follow the table, in one transaction.
    bool noteSaved(const EventTable& table, SyncStore& store);
    // For an uncertain binding: unbound records take unbound stored objects by the fingerprint of
    // the last sync, then by the editor's duplicate key, then by a name that only one record and
    // one object still have. Returns how many were bound.
    int rematch(const EventTable& table, SyncStore& store);
    // A run after the re-match has brought both sides together again.
    bool markCertain(SyncStore& store);

    const std::string& uidOf(int slot) const;
    int slotOf(const std::string& uid) const;
    void bind(int slot, const std::string& uid, const std::string& fingerprint);
    void unbind(int slot);
    bool uncertain() const { return uncertain_; }
    void markUncertain(SyncStore& store);

private:
    void grow(int slotCount);
    std::vector<std::string> uids_;
    std::vector<std::string> known_;  // each bound record's fingerprint as last noted
    bool uncertain_ = false;
};

inline constexpr const char* kBindingMetaKey = "binding";

}  // namespace tv
