#include "core/sync/sync_session.h"

#include "core/config/settings_keys.h"
#include "core/sync/event_ics.h"
#include "core/sync/sync_record.h"

namespace tv {
namespace {

constexpr const char* kResultKey = "last_result";
constexpr const char* kErrorKey = "last_error";
constexpr const char* kReportKey = "last_report";

std::string reportLine(const SyncReport& r) {
    std::string out;
    for (int n : {r.added, r.changed, r.deleted, r.uploaded, r.updatedRemote, r.deletedRemote,
                  r.conflicts}) {
        if (!out.empty()) out += ' ';
        out += std::to_string(n);
    }
    return out;
}

}  // namespace

std::string syncStorePath(const std::string& userDataDir) {
    std::string dir = userDataDir;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir + std::string(kSyncStoreName);
}

SyncAccountSettings readSyncSettings(HashTable& settings) {
    SyncAccountSettings s;
    s.url = read(settings, settings::Sync_Url);
    s.user = read(settings, settings::Sync_User);
    s.calendar = read(settings, settings::Sync_Calendar);
    s.intervalMinutes = readInt(settings, settings::Sync_Interval);
    if (s.intervalMinutes < 0) s.intervalMinutes = 0;
    return s;
}

std::string calendarPathName(const DavCalendar& calendar) {
    std::string last = calendar.href;
    while (!last.empty() && last.back() == '/')
        last.pop_back();
    return last.substr(last.find_last_of('/') + 1);
}

bool calendarFits(const DavCalendar& calendar, std::string_view name) {
    if (!calendar.events) return false;
    return name.empty() || name == calendar.displayName || name == calendar.href ||
           name == calendarPathName(calendar);
}

std::string syncSecretKey(const std::string& url, const std::string& user) {
    return "caldav:" + user + "@" + url;
}

std::string_view stopWord(SyncStop stop) {
    switch (stop) {
        case SyncStop::kDone:
            return "ok";
        case SyncStop::kConfirmEmpty:
            return "confirm-empty";
        case SyncStop::kConfirmDeletes:
            return "confirm-deletes";
        case SyncStop::kNetwork:
            return "network";
        case SyncStop::kServer:
            return "server";
        case SyncStop::kStore:
            return "store";
        case SyncStop::kCancelled:
            return "cancelled";
    }
    return "?";
}

bool SyncSession::open(const std::string& userDataDir, std::string* error) {
    path_ = syncStorePath(userDataDir);
    store_ = SyncStore::open(path_, error);
    return store_ != nullptr;
}

void SyncSession::tableLoaded(const EventTable& table) {
    binding_ = SyncBinding{};
    if (store_) binding_.bindLoaded(table, *store_);
}

void SyncSession::tableSaved(const EventTable& table) {
    if (store_) binding_.noteSaved(table, *store_);
}

SyncSnapshot SyncSession::snapshot(const EventTable& table) {
    if (store_ && binding_.uncertain()) binding_.rematch(table, *store_);
    return takeSnapshot(table, binding_);
}

ApplyOutcome SyncSession::finish(EventTable& table, const SyncResult& result,
                                 const std::function<bool(const EventTable&)>& save,
                                 const std::string& nowText) {
    const ApplyOutcome out = applySyncResult(table, binding_, *store_, result, save, nowText);
    recordOutcome(result.report, nowText);
    return out;
}

void SyncSession::recordOutcome(const SyncReport& report, const std::string& nowText) {
    if (!store_) return;
    StoreTransaction t(*store_);
    store_->setMeta(kResultKey, stopWord(report.stop));
    store_->setMeta(kErrorKey, report.error);
    store_->setMeta(kReportKey, reportLine(report));
    if (report.stop == SyncStop::kDone) store_->setMeta(kLastSyncMetaKey, nowText);
    t.commit();
}

SyncStatus SyncSession::status() {
    SyncStatus s;
    if (!store_) return s;
    s.lastTime = store_->meta(kLastSyncMetaKey).value_or("");
    s.lastResult = store_->meta(kResultKey).value_or("");
    s.lastError = store_->meta(kErrorKey).value_or("");
    s.lastReport = store_->meta(kReportKey).value_or("");
    s.conflicts = static_cast<int>(store_->conflicts().size());
    s.uncertain = binding_.uncertain();
    return s;
}

std::optional<int> SyncSession::restoreConflict(EventTable& table, int64_t id, Date today) {
    if (!store_) return std::nullopt;
    for (const ConflictEntry& c : store_->conflicts()) {
        if (c.id != id) continue;
        const IcsEvent ours = readIcsEvent(c.localIcs, today);
        if (ours.unfit != IcsUnfit::kNone) return std::nullopt;
        int slot = binding_.slotOf(c.uid);
        if (slot < 0 || !isSyncable(table[slot])) {
            slot = table.allocateEventSlot();
            if (slot < 0) return std::nullopt;
            binding_.bind(slot, c.uid, {});
        }
        table[slot] = ours.record;
        table[slot].inUse = -1;
        table[slot].slot = static_cast<int16_t>(slot);
        table[slot].category = static_cast<uint8_t>(EventCategory::kUser);
        store_->removeConflict(id);
        return slot;
    }
    return std::nullopt;
}

}  // namespace tv
