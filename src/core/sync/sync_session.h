// One data folder's sync: its store, the binding of the loaded table, and what the calendar and
// the command-line tool do around a run (the snapshot before, the changes after, the outcome
// for the status line). The run itself (runSync) may happen on another thread with a store
// connection of its own.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/ports/caldav.h"
#include "core/sync/sync_apply.h"
#include "core/sync/sync_binding.h"
#include "core/sync/sync_engine.h"
#include "core/sync/sync_store.h"

namespace tv {

class HashTable;

// userDataDir + "sync.sqlite".
std::string syncStorePath(const std::string& userDataDir);

// The account from the settings; `ready` once address, user and calendar are set.
struct SyncAccountSettings {
    std::string url;
    std::string user;
    std::string calendar;
    int intervalMinutes = 15;
    bool ready() const { return !url.empty() && !user.empty() && !calendar.empty(); }
};
SyncAccountSettings readSyncSettings(HashTable& settings);

// A server calendar by the name a user gives it: its display name, the last part of its path
// ("/dav/anna/work/" is "work") or its whole path. An empty name fits every calendar of events.
// Task lists fit no name.
std::string calendarPathName(const DavCalendar& calendar);
bool calendarFits(const DavCalendar& calendar, std::string_view name);

// The keyring's name for the password of an account.
std::string syncSecretKey(const std::string& url, const std::string& user);

// The last run as the status line and the settings page show it.
struct SyncStatus {
    std::string lastTime;    // ISO date-time of the last finished run; empty: never
    std::string lastResult;  // "ok", or the stop's word ("network", "server", "confirm", ...)
    std::string lastError;   // the server's or the store's words
    std::string lastReport;  // "added changed deleted uploaded updated deleted-there conflicts"
    int conflicts = 0;
    bool uncertain = false;
};

std::string_view stopWord(SyncStop stop);

class SyncSession {
public:
    // Opens (or creates) the folder's store; false when it cannot be used.
    bool open(const std::string& userDataDir, std::string* error = nullptr);
    bool isOpen() const { return store_ != nullptr; }

    // After every load of events.cdb, before any save.
    void tableLoaded(const EventTable& table);
    // After every successful save of events.cdb.
    void tableSaved(const EventTable& table);
    // The run's starting point; an uncertain binding is re-matched first.
    SyncSnapshot snapshot(const EventTable& table);
    // The run's local changes, one save, and the outcome for the status line.
    ApplyOutcome finish(EventTable& table, const SyncResult& result,
                        const std::function<bool(const EventTable&)>& save,
                        const std::string& nowText);
    // A run that ended before it changed anything (a guard, an error): only the status line.
    void recordOutcome(const SyncReport& report, const std::string& nowText);

    SyncStatus status();
    // Our version of a clash back into the table (the next run sends it). The record's slot, or
    // nothing when there is no such entry or the table is full.
    std::optional<int> restoreConflict(EventTable& table, int64_t id, Date today);

    SyncStore& store() { return *store_; }
    SyncBinding& binding() { return binding_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::unique_ptr<SyncStore> store_;
    SyncBinding binding_;
};

}  // namespace tv
