// Whole runs between machines through the in-memory server.
#include <gtest/gtest.h>

#include "core/sync/event_ics.h"
#include "platform/fake/fake_caldav.h"
#include "support/sync_machine.h"

namespace tv {
namespace {

using test::userEvent;

using SyncEngine = test::TwoMachines;

TEST_F(SyncEngine, OneMachinesEventsReachTheOtherAndNothingMoreHappens) {
    a.add(userEvent("Fogorvos", 2025, 5, 3));
    a.add(userEvent("Anya", 1950, 2, 1));
    const SyncReport first = a.sync(dav);
    EXPECT_EQ(first.uploaded, 2);
    const SyncReport other = b.sync(dav);
    EXPECT_EQ(other.added, 2);
    EXPECT_EQ(a.contents(), b.contents());

    const int before = server.requests;
    const SyncReport idle = a.sync(dav);
    EXPECT_EQ(idle.requests, 1);  // one sync-collection round, nothing read or written
    EXPECT_EQ(server.requests - before, 1);
    EXPECT_EQ(b.sync(dav).added, 0);
}

TEST_F(SyncEngine, EditsOnBothSidesMergeFieldByField) {
    const int slot = a.add(userEvent("Fogorvos", 2025, 5, 3));
    converge();
    a.edit(slot, [](EventRecord& r) { r.comment = "Kossuth u. 3"; });
    b.edit(b.slotNamed("Fogorvos"), [](EventRecord& r) {
        r.alarmOn = 1;
        r.alarmHour = 8;
    });
    converge();
    const EventRecord& merged = b.table()[b.slotNamed("Fogorvos")];
    EXPECT_EQ(merged.comment, "Kossuth u. 3");
    EXPECT_EQ(merged.alarmHour, 8);
    EXPECT_TRUE(a.store().conflicts().empty());
}

TEST_F(SyncEngine, AClashKeepsTheServersVersionAndListsOurs) {
    const int slot = a.add(userEvent("Fogorvos", 2025, 5, 3));
    converge();
    b.edit(b.slotNamed("Fogorvos"), [](EventRecord& r) { r.day = 4; });
    b.sync(dav);
    a.edit(slot, [](EventRecord& r) { r.day = 5; });
    const SyncReport r = a.sync(dav);
    EXPECT_EQ(r.conflicts, 1);
    EXPECT_EQ(a.table()[slot].day, 4);
    const std::vector<ConflictEntry> lost = a.store().conflicts();
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(readIcsEvent(lost[0].localIcs, Date::serial(2025, 1, 1)).record.day, 5);
    converge();
}

TEST_F(SyncEngine, ADeleteThatMeetsAChangeKeepsTheEvent) {
    const int slot = a.add(userEvent("Fogorvos", 2025, 5, 3));
    converge();
    b.edit(b.slotNamed("Fogorvos"), [](EventRecord& r) { r.comment = "fontos"; });
    b.sync(dav);
    a.remove(slot);
    const SyncReport r = a.sync(dav);
    EXPECT_EQ(r.deletedRemote, 0);
    EXPECT_EQ(r.added, 1);
    converge();
    EXPECT_EQ(a.contents().size(), 1u);

    // And the other way round: deleted there while we edited here.
    b.remove(b.slotNamed("Fogorvos"));
    b.sync(dav);
    a.edit(a.slotNamed("Fogorvos"), [](EventRecord& e) { e.hue = 90; });
    EXPECT_EQ(a.sync(dav).uploaded, 1);
    converge();
    EXPECT_EQ(b.contents().size(), 1u);
}

TEST_F(SyncEngine, DeletionsTravelBothWays) {
    a.add(userEvent("Egy", 2025, 1, 1));
    const int two = a.add(userEvent("Kettő", 2025, 1, 2));
    converge();
    a.remove(two);
    EXPECT_EQ(a.sync(dav).deletedRemote, 1);
    EXPECT_EQ(b.sync(dav).deleted, 1);
    EXPECT_TRUE(a.store().tombstones().empty());
    converge();
}

TEST_F(SyncEngine, TheBindingSurvivesRenumberingAtLoad) {
    for (int d = 1; d <= 5; ++d)
        a.add(userEvent("Nap " + std::to_string(d), 2025, 1, d));
    converge();
    a.remove(1);
    a.remove(3);
    a.reload();
    EXPECT_FALSE(a.binding().uncertain());
    const SyncReport r = a.sync(dav);
    EXPECT_EQ(r.deletedRemote, 2);
    EXPECT_EQ(r.uploaded, 0);
    converge();
}

TEST_F(SyncEngine, AnUncertainBindingReMatchesAndDeletesNothing) {
    for (int d = 1; d <= 4; ++d)
        a.add(userEvent("Nap " + std::to_string(d), 2025, 1, d));
    converge();
    // Another tool rewrote the table: one event edited, one gone, one new.
    std::vector<EventRecord> records;
    for (int d = 1; d <= 3; ++d)
        records.push_back(userEvent("Nap " + std::to_string(d), 2025, 1, d));
    records[1].comment = "szerkesztve";
    records.push_back(userEvent("Új", 2025, 2, 1));
    a.replaceTable(records);
    EXPECT_TRUE(a.binding().uncertain());
    a.binding().rematch(a.table(), a.store());
    const SyncResult r = a.run(dav);
    EXPECT_EQ(r.report.deletedRemote, 0);
    EXPECT_EQ(r.report.deleted, 0);
    EXPECT_EQ(r.report.uploaded, 1);
    EXPECT_EQ(r.report.updatedRemote, 1);
    EXPECT_EQ(a.contents().size(), 5u);  // the lost one came back
    EXPECT_FALSE(a.binding().uncertain());
    converge();
}

// The binding is found again when the table is loaded, not only when the run starts: an edit
// the user makes in between (here a new date, so neither the content nor the duplicate key match
// any more) still belongs to the same server object.
TEST_F(SyncEngine, AnEditAfterAForeignRewriteStaysTheSameEvent) {
    a.add(userEvent("Fodrász", 2025, 3, 1));
    converge();
    std::vector<EventRecord> records{userEvent("Fodrász", 2025, 3, 1)};
    records[0].comment = "másik program";
    a.replaceTable(records);
    a.edit(a.slotNamed("Fodrász"), [](EventRecord& r) { r.day = 9; });
    converge();
    ASSERT_EQ(a.contents().size(), 1u);
    EXPECT_EQ(b.table()[b.slotNamed("Fodrász")].day, 9);
    EXPECT_EQ(b.table()[b.slotNamed("Fodrász")].comment, "másik program");
}

// Another tool moved an event to another day: neither the content nor the duplicate key find it
// again, but a name no other record has does.
TEST_F(SyncEngine, AForeignRewriteThatMovesADateKeepsOneEvent) {
    a.add(userEvent("Fodrász", 2025, 3, 1));
    a.add(userEvent("Edzés", 2025, 3, 2));
    converge();
    std::vector<EventRecord> records{userEvent("Fodrász", 2025, 3, 8),
                                     userEvent("Edzés", 2025, 3, 2)};
    a.replaceTable(records);
    converge();
    ASSERT_EQ(b.contents().size(), 2u);
    EXPECT_EQ(b.table()[b.slotNamed("Fodrász")].day, 8);
}

TEST_F(SyncEngine, FirstSyncOverTwoFilledCalendarsNeverDoubles) {
    a.add(userEvent("Anya", 2025, 2, 1));
    a.add(userEvent("Csak A", 2025, 3, 1));
    b.add(userEvent("  anya ", 2025, 2, 1));  // the editor's duplicate rule: the same event
    b.add(userEvent("Csak B", 2025, 4, 1));
    const SyncResult preview = b.run(dav, false, true);
    EXPECT_EQ(preview.report.uploaded, 2);
    EXPECT_TRUE(server.objects.empty());  // a dry run writes nothing
    converge();
    EXPECT_EQ(a.contents().size(), 3u);
}

TEST_F(SyncEngine, GuardsStopLargeDeletionsAndSuddenlyEmptySides) {
    for (int d = 1; d <= 12; ++d)
        a.add(userEvent("Nap " + std::to_string(d), 2025, 1, d));
    converge();
    for (int s = 0; s < 11; ++s)
        a.remove(s);
    const SyncReport stopped = a.sync(dav);
    EXPECT_EQ(stopped.stop, SyncStop::kConfirmDeletes);
    EXPECT_EQ(stopped.pendingDeletes, 11);
    EXPECT_EQ(server.objects.size(), 12u);
    EXPECT_EQ(a.sync(dav, true).deletedRemote, 11);

    for (auto it = server.objects.begin(); it != server.objects.end();)
        it = server.objects.erase(it);
    server.forgetTokens();
    b.sync(dav, true);  // b follows the deletions of a first
    EXPECT_EQ(b.sync(dav).stop, SyncStop::kDone);
}

TEST_F(SyncEngine, AnEmptiedServerMakesTheRunAsk) {
    a.add(userEvent("Egy", 2025, 1, 1));
    a.add(userEvent("Kettő", 2025, 1, 2));
    a.sync(dav);
    for (const auto& [href, o] : std::map(server.objects))
        server.drop(href);
    EXPECT_EQ(a.sync(dav).stop, SyncStop::kConfirmEmpty);
    EXPECT_EQ(a.contents().size(), 2u);
}

TEST_F(SyncEngine, ThePhonesEmojiAreNeverWrittenOverWithQuestionMarks) {
    const std::string phone =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:phone-1\r\n"
        "DTSTART;VALUE=DATE:20250510\r\nSUMMARY:Buli \xF0\x9F\x8E\x89\r\nLOCATION:Kert\r\n"
        "END:VEVENT\r\nEND:VCALENDAR\r\n";
    server.store("/cal/phone-1.ics", phone);
    EXPECT_EQ(a.sync(dav).added, 1);
    a.reload();  // the table keeps "Buli ?"
    a.edit(a.slotNamed("Buli ?"), [](EventRecord& r) { r.comment = "hozz italt"; });
    EXPECT_EQ(a.sync(dav).updatedRemote, 1);
    const std::string now = server.objects["/cal/phone-1.ics"].ics;
    EXPECT_NE(now.find("Buli \xF0\x9F\x8E\x89"), std::string::npos);
    EXPECT_NE(now.find("LOCATION:Kert"), std::string::npos);
    EXPECT_NE(now.find("hozz italt"), std::string::npos);
}

TEST_F(SyncEngine, EventsTheTableCannotHoldAreCountedNotShown) {
    server.store("/cal/w.ics",
                 "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:w\r\nDTSTART;VALUE=DATE:20250106\r\n"
                 "RRULE:FREQ=WEEKLY\r\nSUMMARY:Edzés\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    const SyncReport r = a.sync(dav);
    ASSERT_EQ(r.notShown.size(), 1u);
    EXPECT_EQ(r.notShown[0].unfit, static_cast<int>(IcsUnfit::kRepeatRule));
    EXPECT_TRUE(a.contents().empty());
    EXPECT_TRUE(a.sync(dav).notShown.empty());  // read once, not again
}

}  // namespace
}  // namespace tv
