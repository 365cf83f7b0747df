#include "core/sync/sync_store.h"

#include <sqlite3.h>

namespace tv {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS collection(url TEXT PRIMARY KEY, ctag TEXT NOT NULL DEFAULT '',
                                      sync_token TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS item(uid TEXT PRIMARY KEY, href TEXT NOT NULL, etag TEXT NOT NULL,
                                base TEXT NOT NULL, synced TEXT NOT NULL, saved TEXT NOT NULL,
                                dup_key TEXT NOT NULL, unfit INTEGER NOT NULL DEFAULT 0);
CREATE INDEX IF NOT EXISTS item_href ON item(href);
CREATE TABLE IF NOT EXISTS tombstone(uid TEXT PRIMARY KEY);
CREATE TABLE IF NOT EXISTS conflict(id INTEGER PRIMARY KEY AUTOINCREMENT, uid TEXT NOT NULL,
                                    at TEXT NOT NULL, name TEXT NOT NULL, local TEXT NOT NULL);
)sql";

constexpr const char* kFormatKey = "format";
constexpr const char* kFormat = "1";

}  // namespace

// A prepared statement that finalizes itself; binds texts and integers by position from 1.
class SyncStore::Statement {
public:
    Statement(SyncStore& store, const char* sql) : store_(store) {
        if (sqlite3_prepare_v2(store.db_, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
            store.error_ = sqlite3_errmsg(store.db_);
            stmt_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& text(std::string_view value) {
        if (stmt_ != nullptr) {
            sqlite3_bind_text(stmt_, ++bound_, value.data(), static_cast<int>(value.size()),
                              SQLITE_TRANSIENT);
        }
        return *this;
    }
    Statement& number(int64_t value) {
        if (stmt_ != nullptr) sqlite3_bind_int64(stmt_, ++bound_, value);
        return *this;
    }
    // One step: true while a row came (and then the columns can be read).
    bool row() {
        if (stmt_ == nullptr) return false;
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) failed();
        return false;
    }
    // Runs a statement without rows.
    bool run() {
        if (stmt_ == nullptr) return false;
        const int rc = sqlite3_step(stmt_);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
            failed();
            return false;
        }
        return true;
    }
    std::string column(int i) const {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        return p != nullptr ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, i)))
                            : std::string();
    }
    int64_t integer(int i) const { return sqlite3_column_int64(stmt_, i); }

private:
    void failed() { store_.error_ = sqlite3_errmsg(store_.db_); }
    SyncStore& store_;
    sqlite3_stmt* stmt_ = nullptr;
    int bound_ = 0;
};

SyncStore::~SyncStore() {
    sqlite3_close(db_);
}

std::unique_ptr<SyncStore> SyncStore::open(const std::string& path, std::string* error) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(
        path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
        nullptr);
    if (rc != SQLITE_OK) {
        if (error != nullptr) *error = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return nullptr;
    }
    std::unique_ptr<SyncStore> store(new SyncStore(db));
    // The calendar and a sync run may both write: wait for each other rather than fail.
    sqlite3_busy_timeout(db, 5000);
    // Every commit reaches the disk before the run goes on to the next step.
    const bool ok = store->exec("PRAGMA journal_mode=WAL") &&
                    store->exec("PRAGMA synchronous=FULL") && store->exec(kSchema);
    const std::optional<std::string> format = ok ? store->meta(kFormatKey) : std::nullopt;
    if (!ok || (format && *format != kFormat) ||
        (!format && !store->setMeta(kFormatKey, kFormat))) {
        if (error != nullptr) {
            *error = store->error_.empty() ? "unknown sync state format" : store->error_;
        }
        return nullptr;
    }
    return store;
}

bool SyncStore::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
    error_ = message != nullptr ? message : "sqlite error";
    sqlite3_free(message);
    return false;
}

bool SyncStore::begin() {
    return exec("BEGIN IMMEDIATE");
}
bool SyncStore::commit() {
    if (exec("COMMIT")) return true;
    rollback();
    return false;
}
void SyncStore::rollback() {
    exec("ROLLBACK");
}

std::vector<SyncItem> SyncStore::items() {
    std::vector<SyncItem> out;
    Statement s(*this, "SELECT uid, href, etag, base, synced, saved, dup_key, unfit FROM item");
    while (s.row()) {
        out.push_back({s.column(0), s.column(1), s.column(2), s.column(3), s.column(4), s.column(5),
                       s.column(6), static_cast<int>(s.integer(7))});
    }
    return out;
}

std::optional<SyncItem> SyncStore::item(std::string_view uid) {
    Statement s(*this,
                "SELECT uid, href, etag, base, synced, saved, dup_key, unfit FROM item "
                "WHERE uid = ?");
    s.text(uid);
    if (!s.row()) return std::nullopt;
    return SyncItem{s.column(0), s.column(1), s.column(2), s.column(3),
                    s.column(4), s.column(5), s.column(6), static_cast<int>(s.integer(7))};
}

bool SyncStore::putItem(const SyncItem& i) {
    Statement s(*this, "INSERT OR REPLACE INTO item VALUES(?, ?, ?, ?, ?, ?, ?, ?)");
    s.text(i.uid).text(i.href).text(i.etag).text(i.base).text(i.synced).text(i.saved);
    s.text(i.dupKey).number(i.unfit);
    return s.run();
}

bool SyncStore::removeItem(std::string_view uid) {
    Statement s(*this, "DELETE FROM item WHERE uid = ?");
    s.text(uid);
    return s.run();
}

bool SyncStore::setSaved(std::string_view uid, std::string_view saved, std::string_view dupKey) {
    Statement s(*this, "UPDATE item SET saved = ?, dup_key = ? WHERE uid = ?");
    s.text(saved).text(dupKey).text(uid);
    return s.run();
}

std::vector<std::string> SyncStore::tombstones() {
    std::vector<std::string> out;
    Statement s(*this, "SELECT uid FROM tombstone");
    while (s.row())
        out.push_back(s.column(0));
    return out;
}

bool SyncStore::addTombstone(std::string_view uid) {
    Statement s(*this, "INSERT OR IGNORE INTO tombstone VALUES(?)");
    s.text(uid);
    return s.run();
}

bool SyncStore::removeTombstone(std::string_view uid) {
    Statement s(*this, "DELETE FROM tombstone WHERE uid = ?");
    s.text(uid);
    return s.run();
}

CollectionState SyncStore::collection(std::string_view url) {
    CollectionState out;
    out.url = std::string(url);
    Statement s(*this, "SELECT ctag, sync_token FROM collection WHERE url = ?");
    s.text(url);
    if (s.row()) {
        out.ctag = s.column(0);
        out.syncToken = s.column(1);
    }
    return out;
}

bool SyncStore::setCollection(const CollectionState& c) {
    Statement s(*this, "INSERT OR REPLACE INTO collection VALUES(?, ?, ?)");
    s.text(c.url).text(c.ctag).text(c.syncToken);
    return s.run();
}

bool SyncStore::resetCollectionData() {
    return exec("DELETE FROM item; DELETE FROM tombstone; DELETE FROM collection;");
}

std::optional<std::string> SyncStore::meta(std::string_view key) {
    Statement s(*this, "SELECT value FROM meta WHERE key = ?");
    s.text(key);
    if (!s.row()) return std::nullopt;
    return s.column(0);
}

bool SyncStore::setMeta(std::string_view key, std::string_view value) {
    Statement s(*this, "INSERT OR REPLACE INTO meta VALUES(?, ?)");
    s.text(key).text(value);
    return s.run();
}

std::vector<ConflictEntry> SyncStore::conflicts() {
    std::vector<ConflictEntry> out;
    Statement s(*this, "SELECT id, uid, at, name, local FROM conflict ORDER BY id");
    while (s.row())
        out.push_back({s.integer(0), s.column(1), s.column(2), s.column(3), s.column(4)});
    return out;
}

bool SyncStore::addConflict(const ConflictEntry& e) {
    Statement s(*this, "INSERT INTO conflict(uid, at, name, local) VALUES(?, ?, ?, ?)");
    s.text(e.uid).text(e.at).text(e.name).text(e.localIcs);
    return s.run();
}

bool SyncStore::removeConflict(int64_t id) {
    Statement s(*this, "DELETE FROM conflict WHERE id = ?");
    s.number(id);
    return s.run();
}

}  // namespace tv
