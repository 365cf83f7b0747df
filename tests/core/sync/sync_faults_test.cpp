// Runs that meet a failing server, and random edits on two machines: once the fault is gone,
// every machine holds the same events, none lost, none doubled.
#include <gtest/gtest.h>

#include <random>

#include "platform/fake/fake_caldav.h"
#include "support/sync_machine.h"

namespace tv {
namespace {

using test::SyncMachine;
using test::userEvent;

class SyncFaults : public test::TwoMachines {
protected:
    void converge() { TwoMachines::converge(true); }
    void seed() {
        a.add(userEvent("Egy", 2025, 1, 1));
        a.add(userEvent("Kettő", 2025, 1, 2));
        converge();
    }
};

TEST_F(SyncFaults, ServerErrorsStopTheRunAndTheNextOneFinishes) {
    for (const char* op : {"sync", "multiget", "put"}) {
        for (int status : {500, 503, 0}) {
            SCOPED_TRACE(std::string(op) + " " + std::to_string(status));
            seed();
            b.add(userEvent(std::string("Új ") + op + std::to_string(status), 2025, 6, 1));
            a.edit(a.slotNamed("Egy"), [&](EventRecord& r) { r.comment += op; });
            a.sync(dav);
            server.faults.push_back({op, status, false});
            const SyncReport failed = b.sync(dav);
            EXPECT_EQ(failed.stop, status == 0 ? SyncStop::kNetwork : SyncStop::kServer);
            converge();
        }
    }
}

TEST_F(SyncFaults, AWriteTheServerAppliedButWhoseAnswerWasLostIsNotDoubled) {
    seed();
    a.add(userEvent("Elveszett válasz", 2025, 7, 1));
    server.faults.push_back({"put", 0, true});
    EXPECT_EQ(a.sync(dav).stop, SyncStop::kNetwork);
    EXPECT_EQ(server.objects.size(), 3u);
    converge();
    EXPECT_EQ(a.contents().size(), 3u);

    a.edit(a.slotNamed("Egy"), [](EventRecord& r) { r.hue = 30; });
    server.faults.push_back({"put", 0, true});
    a.sync(dav);
    converge();
    EXPECT_EQ(b.table()[b.slotNamed("Egy")].hue, 30);
}

TEST_F(SyncFaults, ADeleteWhoseAnswerWasLostEndsDeleted) {
    seed();
    a.remove(a.slotNamed("Kettő"));
    server.faults.push_back({"remove", 0, true});
    a.sync(dav);
    converge();
    EXPECT_EQ(a.contents().size(), 1u);
}

TEST_F(SyncFaults, AForgottenSyncTokenFallsBackToTheWholeList) {
    seed();
    server.forgetTokens();
    b.add(userEvent("Token után", 2025, 8, 1));
    converge();
    EXPECT_EQ(a.contents().size(), 3u);
}

TEST_F(SyncFaults, AServerWithoutSyncTokensOrEtagsStillConverges) {
    server.syncTokens = false;
    seed();
    const SyncReport idle = a.sync(dav);
    EXPECT_EQ(idle.requests, 2);  // sync-collection refused, then the unchanged ctag
    server.etagsInListing = false;
    a.edit(a.slotNamed("Egy"), [](EventRecord& r) { r.comment = "etag nélkül"; });
    b.edit(b.slotNamed("Kettő"), [](EventRecord& r) { r.forecastDays = 3; });
    converge();
    EXPECT_EQ(b.table()[b.slotNamed("Egy")].comment, "etag nélkül");
    EXPECT_EQ(a.table()[a.slotNamed("Kettő")].forecastDays, 3);
}

// Random edits, adds and deletes on both machines between runs, some runs cut short.
TEST_F(SyncFaults, RandomEditSequencesConverge) {
    for (unsigned seedValue = 1; seedValue <= 25; ++seedValue) {
        SCOPED_TRACE(seedValue);
        FakeCalDavServer s;
        FakeCalDavClient d(s);
        SyncMachine m[2];
        std::mt19937 rnd(seedValue);
        int names = 0;
        for (int step = 0; step < 30; ++step) {
            SyncMachine& x = m[rnd() % 2];
            std::vector<int> slots;
            for (int slot = 0; slot < x.table().slotCount(); ++slot) {
                if (isSyncable(x.table()[slot])) slots.push_back(slot);
            }
            const auto what = static_cast<unsigned>(rnd() % 10);
            if (what < 3 || slots.empty()) {
                x.add(userEvent("E" + std::to_string(++names), 2025, 1 + int(rnd() % 12),
                                1 + int(rnd() % 28)));
            } else if (what < 6) {
                const int slot = slots[rnd() % slots.size()];
                const auto field = static_cast<unsigned>(rnd() % 3);
                x.edit(slot, [&](EventRecord& r) {
                    if (field == 0) r.comment = "c" + std::to_string(rnd() % 100);
                    if (field == 1) r.day = static_cast<uint8_t>(1 + rnd() % 28);
                    if (field == 2) r.hue = static_cast<int16_t>(rnd() % 360);
                });
            } else if (what < 7) {
                x.remove(slots[rnd() % slots.size()]);
            } else if (what < 8) {
                x.reload();
            } else {
                if (rnd() % 4 == 0)
                    s.faults.push_back({rnd() % 2 ? "put" : "multiget", 0, rnd() % 2 == 0});
                x.sync(d, true);
            }
        }
        s.faults.clear();
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(m[0].sync(d, true).stop, SyncStop::kDone);
            ASSERT_EQ(m[1].sync(d, true).stop, SyncStop::kDone);
        }
        EXPECT_EQ(m[0].contents(), m[1].contents());
        EXPECT_EQ(s.objects.size(), m[0].contents().size());
    }
}

}  // namespace
}  // namespace tv
