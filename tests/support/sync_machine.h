// One machine of the sync tests: an event table, its sync state in a folder of its own, the
// binding, and the saves and loads the calendar would do.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/ports/caldav.h"
#include "core/sync/field_merge.h"
#include "core/sync/sync_apply.h"
#include "core/sync/sync_binding.h"
#include "core/sync/sync_engine.h"
#include "core/sync/sync_record.h"
#include "core/sync/sync_store.h"
#include "platform/fake/fake_caldav.h"
#include "support/temp_dir.h"

namespace tv::test {

inline EventRecord userEvent(const std::string& name, int year, int month, int day) {
    EventRecord r;
    r.inUse = -1;
    r.name = name;
    r.year = static_cast<int16_t>(year);
    r.month = static_cast<int16_t>(month);
    r.day = static_cast<uint8_t>(day);
    r.forecastDays = 7;
    return r;
}

class SyncMachine {
public:
    explicit SyncMachine(std::string calendar = "/cal/") : calendar_(std::move(calendar)) {
        store_ = SyncStore::open(dir_.file("sync.sqlite"));
        EXPECT_NE(store_, nullptr);
        binding_.bindLoaded(table_, *store_);
    }

    SyncResult run(CalDavClient& dav, bool confirmed = false, bool dryRun = false) {
        SyncOptions o;
        o.calendarHref = calendar_;
        o.stampUtc = DateTime::of(Date::serial(2025, 1, 1), 12, 0, 0);
        o.today = Date::serial(2025, 1, 1);
        o.nowText = "2025-01-01T12:00:00";
        o.confirmed = confirmed;
        o.dryRun = dryRun;
        o.batchSize = 7;  // several rounds even for small tables
        // As the calendar's session does before every run.
        if (binding_.uncertain()) binding_.rematch(table_, *store_);
        SyncResult r = runSync(takeSnapshot(table_, binding_), dav, *store_, o);
        const ApplyOutcome a = applySyncResult(
            table_, binding_, *store_, r, [this](const EventTable& t) { return save(t); },
            o.nowText);
        EXPECT_TRUE(a.saved);
        EXPECT_TRUE(a.recorded);
        return r;
    }
    SyncReport sync(CalDavClient& dav, bool confirmed = false) {
        return run(dav, confirmed).report;
    }

    int add(const EventRecord& r) {
        const int slot = table_.allocateEventSlot();
        table_[slot] = r;
        table_[slot].inUse = -1;
        table_[slot].slot = static_cast<int16_t>(slot);
        save(table_);
        return slot;
    }
    void edit(int slot, const std::function<void(EventRecord&)>& change) {
        change(table_[slot]);
        save(table_);
    }
    void remove(int slot) {
        table_.deleteEvent(slot);
        save(table_);
    }
    // A save and a load: free slots go, the rest is renumbered, the binding is found again.
    void reload() {
        EventTable fresh;
        for (const EventRecord& r : table_.records()) {
            if (!r.used()) continue;
            fresh.appendEventSlot();
            EventRecord& into = fresh.records().back();
            const int16_t slot = into.slot;
            into = asStored(r);
            into.slot = slot;
        }
        table_ = fresh;
        binding_ = SyncBinding{};
        binding_.bindLoaded(table_, *store_);
    }
    // Another program rewrote the file (or a backup came back): same records, no saves seen.
    void replaceTable(const std::vector<EventRecord>& records) {
        table_ = EventTable{};
        for (const EventRecord& r : records) {
            const int slot = table_.allocateEventSlot();
            table_[slot] = r;
            table_[slot].inUse = -1;
            table_[slot].slot = static_cast<int16_t>(slot);
        }
        binding_ = SyncBinding{};
        binding_.bindLoaded(table_, *store_);
    }

    // The user events, as comparable text, sorted.
    std::vector<std::string> contents() const {
        std::vector<std::string> out;
        for (int s = 0; s < table_.slotCount(); ++s) {
            if (isSyncable(table_[s])) out.push_back(describe(table_[s]));
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    static std::string describe(const EventRecord& r) {
        const EventRecord s = asStored(r);
        return s.name + "|" + s.comment + "|" + std::to_string(s.repeat) + "|" +
               std::to_string(s.year) + "-" + std::to_string(s.month) + "-" +
               std::to_string(s.day) + "|a" + std::to_string(s.alarmOn) + "@" +
               std::to_string(s.alarmOn ? s.alarmHour : 0) + "|f" + std::to_string(s.forecastDays) +
               "|h" + std::to_string(s.hue);
    }
    int slotNamed(const std::string& name) const {
        for (int s = 0; s < table_.slotCount(); ++s) {
            if (isSyncable(table_[s]) && table_[s].name == name) return s;
        }
        return -1;
    }

    EventTable& table() { return table_; }
    SyncStore& store() { return *store_; }
    SyncBinding& binding() { return binding_; }
    int saves() const { return saves_; }

private:
    bool save(const EventTable& t) {
        ++saves_;
        return binding_.noteSaved(t, *store_);
    }

    std::string calendar_;
    TempDir dir_;
    EventTable table_;
    SyncBinding binding_;
    std::unique_ptr<SyncStore> store_;
    int saves_ = 0;
};

// Two machines that share one calendar on a fake server.
class TwoMachines : public ::testing::Test {
protected:
    // Both machines sync twice; then they and the server hold the same events. `confirmed`
    // lets through the runs that would otherwise stop to ask first.
    void converge(bool confirmed = false) {
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(a.sync(dav, confirmed).stop, SyncStop::kDone);
            ASSERT_EQ(b.sync(dav, confirmed).stop, SyncStop::kDone);
        }
        EXPECT_EQ(a.contents(), b.contents());
        EXPECT_EQ(server.objects.size(), a.contents().size());
    }

    FakeCalDavServer server;
    FakeCalDavClient dav{server};
    SyncMachine a;
    SyncMachine b;
};

}  // namespace tv::test
