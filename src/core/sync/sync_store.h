// What sync remembers between runs, in SQLite beside events.cdb: per server object its UID,
// address, ETag, the last server copy (the base) and the fingerprints of our record; per
// collection its ctag and sync token; local deletions not yet carried out on the server; and the
// local versions that lost a clash, for the user to restore.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace tv {

inline constexpr std::string_view kSyncStoreName = "sync.sqlite";

struct SyncItem {
    std::string uid;
    std::string href;
    std::string etag;
    std::string base;    // the server copy as last seen or written
    std::string synced;  // fingerprint of our record when base was made
    std::string saved;   // fingerprint of the bound record as events.cdb last held it
    std::string dupKey;  // its duplicate key then
    int unfit = 0;       // an IcsUnfit: the object has no place in the event table
    friend bool operator==(const SyncItem&, const SyncItem&) = default;
};

struct CollectionState {
    std::string url;
    std::string ctag;
    std::string syncToken;
};

struct ConflictEntry {
    int64_t id = 0;
    std::string uid;
    std::string at;        // ISO date-time of the run
    std::string name;      // the event's name, for the list
    std::string localIcs;  // our version that lost
};

class SyncStore {
public:
    ~SyncStore();
    SyncStore(const SyncStore&) = delete;
    SyncStore& operator=(const SyncStore&) = delete;

    // Opens or creates the database; nothing when it cannot be opened or is not ours.
    static std::unique_ptr<SyncStore> open(const std::string& path, std::string* error = nullptr);

    // One transaction: every change between begin and commit lands whole or not at all.
    bool begin();
    bool commit();
    void rollback();

    std::vector<SyncItem> items();
    std::optional<SyncItem> item(std::string_view uid);
    bool putItem(const SyncItem& item);
    bool removeItem(std::string_view uid);
    bool setSaved(std::string_view uid, std::string_view saved, std::string_view dupKey);

    std::vector<std::string> tombstones();
    bool addTombstone(std::string_view uid);
    bool removeTombstone(std::string_view uid);

    CollectionState collection(std::string_view url);
    bool setCollection(const CollectionState& state);
    // Forgets every item, tombstone and token: a new server or collection starts afresh.
    bool resetCollectionData();

    std::optional<std::string> meta(std::string_view key);
    bool setMeta(std::string_view key, std::string_view value);

    std::vector<ConflictEntry> conflicts();
    bool addConflict(const ConflictEntry& entry);
    bool removeConflict(int64_t id);

    const std::string& lastError() const { return error_; }

private:
    explicit SyncStore(sqlite3* db) : db_(db) {}
    bool exec(const char* sql);
    class Statement;
    sqlite3* db_ = nullptr;
    std::string error_;
};

// A transaction that rolls back unless committed.
class StoreTransaction {
public:
    explicit StoreTransaction(SyncStore& store) : store_(store), open_(store.begin()) {}
    ~StoreTransaction() {
        if (open_) store_.rollback();
    }
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;
    bool ok() const { return open_; }
    bool commit() {
        if (!open_) return false;
        open_ = false;
        return store_.commit();
    }

private:
    SyncStore& store_;
    bool open_;
};

}  // namespace tv
