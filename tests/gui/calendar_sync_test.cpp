// The running calendar syncing with a real Radicale: a run asked for (as the command-line tool's
// hand-over asks) uploads, brings a phone's event in with one save, and carries an edit out.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/app/app_contexts.h"
#include "core/app/app_state.h"
#include "core/calc/files.h"
#include "core/config/settings_keys.h"
#include "core/events/event_database.h"
#include "gui/app/calendar_app.h"
#include "gui/app/calendar_sync.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_services.h"
#include "support/calendar_home.h"
#include "support/qt_application.h"
#include "support/temp_dir.h"
#include "sync/radicale_server.h"

namespace tv::test {
namespace {

EventRecord oneTime(const std::string& name, int y, int m, int d) {
    EventRecord e;
    e.inUse = -1;
    e.name = name;
    e.year = static_cast<int16_t>(y);
    e.month = static_cast<int16_t>(m);
    e.day = static_cast<uint8_t>(d);
    e.forecastDays = 7;
    return e;
}

class CalendarSyncTest : public ::testing::Test {
protected:
    CalendarSyncTest() : clock(FakeClock::at(2025, 3, 9, 8, 0, 0)) {
        ensureApplication();
        home.set("TEMPOVIRENS_SYNC_PASSWORD", kPassword);
        home.set("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    }
    ~CalendarSyncTest() override {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void start(const EventTable& table) {
        EventDbContext db;
        db.userDataDir = userDir;
        db.clock = &clock;
        ASSERT_TRUE(saveEventDatabase(table, db));
        // The calendar is named, not given by its path: the first run finds it.
        std::ofstream(userDir + "settings.cfg")
            << "Skin = \"metal_big\"\nSync_Url = \"" << server.url() << "\"\nSync_User = \""
            << kUser << "\"\nSync_Calendar = \"Naptár\"\nSync_Interval = \"0\"\n";
        CalendarApp::Options options;
        options.singleInstance = false;
        options.splash = false;
        options.clock = &clock;
        app = std::make_unique<CalendarApp>(options);
        Platform& p = app->platform();
        p.messageBox = &box;
        p.dialogs = &dialogs;
        p.shell = &shell;
        p.sound = &sound;
        p.download = nullptr;
        app->endHook = [] {};
        app->start("");
    }
    size_t onServer() {
        QtCalDavClient dav(server.account());
        std::vector<DavEntry> entries;
        EXPECT_TRUE(dav.listEtags(server.calendar(), entries).ok());
        return entries.size();
    }

    RadicaleServer server;
    CalendarHome home;
    std::string userDir = home.userDir();
    FakeClock clock;
    FakeMessageBox box;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeSound sound;
    std::unique_ptr<CalendarApp> app;
};

TEST_F(CalendarSyncTest, TheCalendarSyncsInBothDirectionsWithOneSaveEach) {
    ASSERT_TRUE(server.up());
    ASSERT_TRUE(server.makeCalendar(server.calendar()));
    EventTable table;
    table.allocateEventSlot();
    table[0] = oneTime("Fogorvos", 2025, 5, 3);
    table.allocateEventSlot();
    table[1] = oneTime("Vizsga", 2025, 6, 1);
    start(table);
    SyncHost* sync = app->platform().sync;
    ASSERT_NE(sync, nullptr);

    const SyncReport first = sync->runAndWait(false, false);
    EXPECT_EQ(first.stop, SyncStop::kDone) << first.error;
    EXPECT_EQ(first.uploaded, 2);
    EXPECT_EQ(onServer(), 2u);
    EXPECT_EQ(read(app->state().settings, settings::Sync_Calendar), server.calendar());

    // A phone adds an event; the next run brings it into the table and onto the disk.
    QtCalDavClient phone(server.account());
    std::string etag;
    ASSERT_TRUE(
        phone
            .put(server.calendar() + "phone-1.ics",
                 "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VEVENT\r\n"
                 "UID:phone-1\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20250704\r\n"
                 "SUMMARY:Strand\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
                 {}, etag)
            .ok());
    const SyncReport second = sync->runAndWait(false, false);
    EXPECT_EQ(second.added, 1);
    std::string bytes;
    ASSERT_EQ(readWholeFile(userDir + "events.cdb", bytes), ReadResult::kOk);
    EXPECT_NE(bytes.find("Strand"), std::string::npos);

    // An edit here goes out; the status line says the run went well.
    EventTable& events = app->state().events;
    for (int s = 0; s < events.slotCount(); ++s) {
        if (events[s].used() && events[s].name == "Vizsga") events[s].comment = "B épület";
    }
    ASSERT_TRUE(saveEventDatabase(events, eventDbContextOf(app->context())));
    const SyncReport third = sync->runAndWait(false, false);
    EXPECT_EQ(third.updatedRemote, 1);
    EXPECT_NE(app->sync().statusLine().find("sikeres"), std::string::npos)
        << app->sync().statusLine();
}

}  // namespace
}  // namespace tv::test
