// Two machines and a phone sharing one calendar on a real Radicale.
#include <gtest/gtest.h>

#include "core/sync/event_ics.h"
#include "platform/qt/qt_caldav_client.h"
#include "support/run_command.h"
#include "support/sync_machine.h"
#include "sync/radicale_server.h"

namespace tv {
namespace {

using test::SyncMachine;
using test::userEvent;

class RadicaleSync : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.up()) << "Radicale did not start";
        ASSERT_TRUE(server.makeCalendar(server.calendar()));
    }
    void converge(SyncMachine& x, SyncMachine& y) {
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(x.sync(dav, true).stop, SyncStop::kDone);
            ASSERT_EQ(y.sync(dav, true).stop, SyncStop::kDone);
        }
        EXPECT_EQ(x.contents(), y.contents());
    }
    // The phone: python3-caldav on the same account.
    test::CommandResult phone(const std::string& action) {
        return test::runShell(std::string(test::kPython) + " " + TV_TEST_SOURCE_DIR +
                              "/tests/sync/phone_client.py " + server.url() + " " + test::kUser +
                              " " + test::kPassword + " " + server.calendar() + " " + action +
                              " 2>&1");
    }

    test::RadicaleServer server;
    QtCalDavClient dav{server.account()};
    SyncMachine a{server.calendar()};
    SyncMachine b{server.calendar()};
};

TEST_F(RadicaleSync, DiscoveryFindsTheCalendarFromTheServerAddress) {
    std::vector<DavCalendar> calendars;
    ASSERT_TRUE(dav.discover(calendars).ok());
    ASSERT_EQ(calendars.size(), 1u);
    EXPECT_EQ(calendars[0].href, server.calendar());
    EXPECT_EQ(calendars[0].displayName, "Naptár");
    EXPECT_FALSE(calendars[0].syncToken.empty());

    QtCalDavClient wrong({server.url(), test::kUser, "rossz"});
    std::vector<DavCalendar> none;
    EXPECT_EQ(wrong.discover(none).http, 401);
    EXPECT_FALSE(QtCalDavClient::allowedAddress(QUrl(QStringLiteral("http://example.org/"))));
    EXPECT_TRUE(QtCalDavClient::allowedAddress(QUrl(QStringLiteral("https://example.org/"))));
}

TEST_F(RadicaleSync, TwoMachinesShareEveryKindOfEvent) {
    a.add(userEvent("Fogorvos", 2025, 5, 3));
    EventRecord birthday = userEvent("Anya", 1950, 2, 1);
    birthday.repeat = static_cast<uint8_t>(RepeatKind::kYearly);
    birthday.anniversary = 1;
    birthday.alarmOn = 1;
    birthday.alarmHour = 8;
    a.add(birthday);
    EventRecord rent = userEvent("Lakbér", 0, 0, 32);
    rent.repeat = static_cast<uint8_t>(RepeatKind::kMonthly);
    a.add(rent);
    EventRecord trip = userEvent("Nyaralás", 2025, 7, 28);
    trip.extraDays = 6;
    trip.hue = 210;
    b.add(trip);
    converge(a, b);
    EXPECT_EQ(a.contents().size(), 4u);

    a.edit(a.slotNamed("Fogorvos"), [](EventRecord& r) { r.comment = "Kossuth u. 3"; });
    b.edit(b.slotNamed("Fogorvos"), [](EventRecord& r) { r.forecastDays = 2; });
    b.remove(b.slotNamed("Lakbér"));
    converge(a, b);
    EXPECT_EQ(a.contents().size(), 3u);
    EXPECT_EQ(a.table()[a.slotNamed("Fogorvos")].forecastDays, 2);
    EXPECT_EQ(b.table()[b.slotNamed("Fogorvos")].comment, "Kossuth u. 3");

    const SyncReport idle = a.sync(dav);
    EXPECT_EQ(idle.requests, 1);
}

TEST_F(RadicaleSync, ThePhonesDataSurvivesOurEdits) {
    const test::CommandResult added = phone("add");
    ASSERT_EQ(added.status, 0) << added.out;
    EXPECT_EQ(a.sync(dav).added, 1);
    a.reload();
    const int slot = a.slotNamed("Születésnap ?");
    ASSERT_GE(slot, 0);
    a.edit(slot, [](EventRecord& r) {
        r.comment = "torta";
        r.alarmOn = 1;
        r.alarmHour = 9;
    });
    EXPECT_EQ(a.sync(dav).updatedRemote, 1);
    // The other machine takes it in and edits it too: its write also starts from the server's copy.
    EXPECT_EQ(b.sync(dav).added, 1);
    b.edit(b.slotNamed("Születésnap ?"), [](EventRecord& r) { r.hue = 120; });
    EXPECT_EQ(b.sync(dav).updatedRemote, 1);
    EXPECT_EQ(a.sync(dav).changed, 1);
    EXPECT_EQ(a.table()[a.slotNamed("Születésnap ?")].hue, 120);
    EXPECT_EQ(a.table()[a.slotNamed("Születésnap ?")].comment, "torta");
    const test::CommandResult checked = phone("check");
    EXPECT_EQ(checked.status, 0) << checked.out;
}

}  // namespace
}  // namespace tv
