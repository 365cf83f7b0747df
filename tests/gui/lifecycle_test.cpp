// The whole calendar from start to end, as a user meets it: the real CalendarApp on the
// offscreen platform, real files in a fresh data folder, and a clock of the test's own. Alarms
// ring with the window closed to the tray, a restore from the settings window brings the
// backup's events back, the window reopened on the first day greets with one welcome event, and
// the command-line tool's change reaches the running calendar instead of being overwritten.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/app/tray.h"
#include "core/calc/files.h"
#include "core/events/event_database.h"
#include "core/events/event_database_format.h"
#include "core/events/legacy_qzi_builder.h"
#include "core/names/pack_file.h"
#include "core/settings/backup.h"
#include "core/ui/window_state.h"
#include "gui/app/calendar_app.h"
#include "gui/main_window.h"
#include "gui/windows/settings_window.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_services.h"
#include "platform/qt/qt_sound.h"
#include "support/calendar_home.h"
#include "support/qt_application.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace tv::test {
namespace {

DateTime at(int y, int m, int d, int h, int mi, int s = 0) {
    return DateTime::of(Date::serial(y, m, d), h, mi, s);
}

EventRecord& addEvent(EventTable& t, const std::string& name, RepeatKind repeat, int y, int m,
                      int d) {
    EventRecord& e = t[t.allocateEventSlot()];
    e.name = name;
    e.repeat = static_cast<uint8_t>(repeat);
    e.year = static_cast<int16_t>(y);
    e.month = static_cast<int16_t>(m);
    e.day = static_cast<uint8_t>(d);
    e.forecastDays = 7;
    return e;
}

int countNamed(const EventTable& t, const std::string& name) {
    int n = 0;
    for (const EventRecord& e : t.records())
        n += e.used() && e.name == name ? 1 : 0;
    return n;
}

bool forecastShows(const AppState& s, const std::string& name) {
    for (const ForecastEntry& f : s.lists.forecast)
        if (f.text.find(name) != std::string::npos) return true;
    return false;
}

class LifecycleTest : public ::testing::Test {
protected:
    LifecycleTest() : clock(FakeClock::at(2024, 3, 9, 8, 0, 0)) { ensureApplication(); }
    ~LifecycleTest() override {
        app.reset();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The user's files before the start; with settings.cfg this is not the first run. They are
    // this version's: Good Friday was offered already, so the table stays as the test made it.
    void userFiles(const EventTable& table, bool settings = true) {
        EventDbContext db;
        db.userDataDir = userDir;
        db.clock = &clock;
        ASSERT_TRUE(saveEventDatabase(table, db));
        if (settings) {
            std::ofstream(userDir + "settings.cfg")
                << "Skin = \"metal_big\"\nFeast_GoodFridayOffered = 1\n";
        }
    }
    // The user's files with one monthly event that rings at 9:00 on the 9th.
    void monthlyAlarmAtNine(const std::string& name) {
        EventTable table;
        EventRecord& e = addEvent(table, name, RepeatKind::kMonthly, 2024, 1, 9);
        e.alarmOn = 1;
        e.alarmHour = 9;
        userFiles(table);
    }
    EventTable eventsOnDisk() const {
        std::string bytes;
        EventTable t;
        EXPECT_EQ(readWholeFile(userDir + "events.cdb", bytes), ReadResult::kOk);
        decodeEventDatabase(bytes, t);
        return t;
    }

    CalendarApp& start(bool singleInstance = false) {
        CalendarApp::Options options;
        options.singleInstance = singleInstance;
        options.splash = false;
        options.clock = &clock;
        app = std::make_unique<CalendarApp>(options);
        Platform& p = app->platform();
        p.messageBox = &box;
        p.dialogs = &dialogs;
        p.shell = &shell;
        if (!realSound) p.sound = &sound;
        p.download = nullptr;
        app->endHook = [this] { ++ends; };
        outcome = app->start("");
        settle();
        return *app;
    }
    static void settle() {
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    void closeToTray() {
        QTest::keyClick(app->window(), Qt::Key_Escape);
        settle();
    }
    // The tray form's 20-second tick at the clock's time.
    TickResult tick(DateTime t) {
        clock.set(t);
        const TickResult r = trayTick(app->context());
        settle();
        return r;
    }

    CalendarHome home;
    std::string userDir = home.userDir();
    FakeClock clock;
    FakeMessageBox box;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeSound sound;
    bool realSound = false;  // the program's own sound service instead of the fake
    std::unique_ptr<CalendarApp> app;
    MainOutcome outcome = MainOutcome::kEnded;
    int ends = 0;
};

TEST_F(LifecycleTest, AlarmsRingFromTheTrayAndAMonthlyOneAgainNextMonth) {
    monthlyAlarmAtNine("Gyógyszer");
    CalendarApp& a = start();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    closeToTray();
    ASSERT_FALSE(a.state().loaded);
    ASSERT_NE(a.trayForm(), nullptr);

    EXPECT_EQ(tick(at(2024, 3, 9, 8, 59, 50)), TickResult::kNothing);
    EXPECT_EQ(tick(at(2024, 3, 9, 9, 0, 10)), TickResult::kAlarm);
    ASSERT_NE(a.window(), nullptr);
    EXPECT_TRUE(a.window()->isVisible());
    EXPECT_EQ(a.ui().screenMode, ScreenMode::kAlarm);
    EXPECT_TRUE(a.window()->button(kBtnAlarm)->isVisible());
    EXPECT_EQ(a.state().alarm.currentAlarm.name, "Gyógyszer");
    EXPECT_FALSE(sound.plays.empty());

    // Dismissed and closed; a month passes with only the tray running.
    closeToTray();
    ASSERT_FALSE(a.state().loaded);
    EXPECT_EQ(tick(at(2024, 3, 20, 12, 0, 0)), TickResult::kNothing);
    EXPECT_EQ(tick(at(2024, 4, 9, 8, 59, 55)), TickResult::kNothing);
    EXPECT_FALSE(a.state().loaded);
    EXPECT_EQ(tick(at(2024, 4, 9, 9, 0, 15)), TickResult::kAlarm);
    ASSERT_NE(a.window(), nullptr);
    EXPECT_EQ(a.ui().screenMode, ScreenMode::kAlarm);
    EXPECT_EQ(a.state().alarm.currentAlarm.month, 4);
}

// The alarm's sound goes through the player module, loaded by the first alarm and not before:
// the program's own sound service and the program folder's sound file, nothing faked.
TEST_F(LifecycleTest, TheFirstAlarmLoadsTheSoundPlayer) {
    monthlyAlarmAtNine("Fogorvos");
    realSound = true;
    CalendarApp& a = start();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    auto* player = dynamic_cast<QtSound*>(a.platform().sound);
    ASSERT_NE(player, nullptr);
    EXPECT_FALSE(player->loaded()) << "a start that rings nothing loads no audio library";
    closeToTray();
    EXPECT_EQ(tick(at(2024, 3, 9, 9, 0, 10)), TickResult::kAlarm);
    EXPECT_TRUE(player->loaded()) << player->loadError();
    EXPECT_EQ(shell.beeps, 0) << "a sound that does not play falls back to a beep";
}

TEST_F(LifecycleTest, ReopeningOnTheFirstDayKeepsOneWelcomeEvent) {
    CalendarApp& a = start();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    ASSERT_TRUE(a.state().firstRun);
    const std::string welcome = a.state().strings.getString("main_welcome_t");
    for (int i = 0; i < 5; ++i) {
        closeToTray();
        trayIconClicked(a.context(), TrayClick::kSingle);
        settle();
        ASSERT_TRUE(a.state().loaded);
    }
    EXPECT_EQ(countNamed(a.state().events, welcome), 1);
    exitProgram(a.context());
    settle();
    EXPECT_EQ(countNamed(eventsOnDisk(), welcome), 1);
}

// The backup the restore reads: this version's files, or the old generation's ".qzi" files.
struct BackupCase {
    const char* label;
    bool oldGeneration;
    friend void PrintTo(const BackupCase& c, std::ostream* out) { *out << c.label; }
};

class RestoreTest : public LifecycleTest, public ::testing::WithParamInterface<BackupCase> {
protected:
    // A backup holding one event, "Visszaállított", three days ahead.
    std::string makeBackup() {
        const std::string name = "Visszaállított";
        if (GetParam().oldGeneration) {
            backups.write("config.qzi", qziPairs({{"bolcsek", "0"}}));
            backups.write("dates.qzi",
                          qziRecords(10, {{name, "", "3", "12", "", "", "0", "2024", "7", "0"}}));
            const std::string comment = buildBackupComment({1, 1, 0}, "", "").substr(0, 18);
            EXPECT_EQ(PackFile::pack(backups.file("regi.backup"),
                                     {backups.file("config.qzi"), backups.file("dates.qzi")},
                                     comment, clock),
                      PackResult::kOk);
            return backups.file("regi.backup");
        }
        EventTable theirs;
        addEvent(theirs, name, RepeatKind::kOnce, 2024, 3, 12);
        EventDbContext db;
        db.userDataDir = backups.dir();
        db.clock = &clock;
        EXPECT_TRUE(saveEventDatabase(theirs, db));
        backups.write("settings.cfg", "Wise = 0\nSkin = \"metal_big\"\n");
        EXPECT_EQ(PackFile::pack(backups.file("uj.backup"),
                                 {backups.file("events.cdb"), backups.file("settings.cfg")},
                                 buildBackupComment(VersionNumber::running(), "gep", "eva"), clock),
                  PackResult::kOk);
        return backups.file("uj.backup");
    }
    TempDir backups;
};

TEST_P(RestoreTest, TheSettingsWindowsRestoreBringsTheBackupBack) {
    EventTable mine;
    addEvent(mine, "Saját", RepeatKind::kOnce, 2024, 3, 11);
    userFiles(mine);
    const std::string pack = makeBackup();
    CalendarApp& a = start();
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    ASSERT_TRUE(forecastShows(a.state(), "Saját"));

    dialogs.fileAnswers.push_back(pack);
    box.script = {MessageAnswer::kOk, MessageAnswer::kOk};  // the question, then "done"
    bool restored = false;
    QTimer::singleShot(0, [&restored] {
        auto* sets = qobject_cast<SettingsWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(sets, nullptr);
        sets->showPage(kBackupPage);
        sets->findChild<QPushButton*>(QStringLiteral("ComBackupRestore"))->click();
        restored = true;
        sets->done(QDialog::Accepted);
    });
    QTest::keyClick(a.window(), Qt::Key_S);  // the settings window, modal until closed
    settle();
    ASSERT_TRUE(restored);

    // In memory, on the screen and, after the exit, in events.cdb.
    ASSERT_TRUE(a.state().loaded);
    EXPECT_EQ(countNamed(a.state().events, "Visszaállított"), 1);
    EXPECT_EQ(countNamed(a.state().events, "Saját"), 0);
    EXPECT_TRUE(forecastShows(a.state(), "Visszaállított"));
    EXPECT_FALSE(forecastShows(a.state(), "Saját"));
    EXPECT_TRUE(a.window()->isVisible());
    EXPECT_EQ(a.state().settings.item("Wise"), "0");
    exitProgram(a.context());
    settle();
    EXPECT_EQ(countNamed(eventsOnDisk(), "Visszaállított"), 1);
    EXPECT_EQ(countNamed(eventsOnDisk(), "Saját"), 0);
}

INSTANTIATE_TEST_SUITE_P(Backups, RestoreTest,
                         ::testing::Values(BackupCase{"ThisVersion", false},
                                           BackupCase{"OldGeneration", true}),
                         [](const auto& param) { return std::string(param.param.label); });

// Runs the command-line tool as its own process while this thread serves the calendar's event
// loop, as the desktop would.
CommandResult runToolBeside(const std::string& args) {
    CommandResult result;
    std::atomic<bool> done{false};
    std::thread t([&] {
        result = runShell(std::string(TV_CLI) + " --program-dir '" TV_TEST_PROGRAM_DIR "' " + args +
                          " 2>&1");
        done = true;
    });
    QDeadlineTimer guard(60000);
    while (!done && !guard.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    t.join();
    return result;
}

TEST_F(LifecycleTest, TheToolsChangeGoesThroughTheRunningCalendar) {
    userFiles(EventTable{});
    CalendarApp& a = start(true);
    ASSERT_EQ(outcome, MainOutcome::kLoaded);

    CommandResult r = runToolBeside("events add --name Fogorvos --date 2024-03-12 --alarm 9:30");
    ASSERT_EQ(r.status, 0) << r.out;
    const int slot = std::stoi(r.out);
    ASSERT_EQ(countNamed(a.state().events, "Fogorvos"), 1);
    EXPECT_EQ(a.state().events[slot].name, "Fogorvos");
    EXPECT_TRUE(forecastShows(a.state(), "Fogorvos"));  // redrawn with it

    // A change the calendar refuses is refused by the tool too, and nothing is written.
    r = runToolBeside("events delete " + std::to_string(slot));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(countNamed(a.state().events, "Fogorvos"), 1);

    // The calendar writes the backup, and remembers it; a restore of it reloads the calendar.
    const std::string pack = home.dir() + "mentes.backup";
    r = runToolBeside("backup '" + pack + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(std::filesystem::exists(pack));
    EXPECT_FALSE(a.state().settings.item("Backup_Last").empty());
    ASSERT_EQ(runToolBeside("events add --name Később --date 2024-03-13").status, 0);
    r = runToolBeside("restore '" + pack + "' --yes");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(a.state().loaded);
    EXPECT_EQ(countNamed(a.state().events, "Később"), 0);
    EXPECT_TRUE(forecastShows(a.state(), "Fogorvos"));

    exitProgram(a.context());
    settle();
    EXPECT_EQ(countNamed(eventsOnDisk(), "Fogorvos"), 1);
    // The request file went with the answer.
    for (const auto& entry : std::filesystem::directory_iterator(home.runtimeDir()))
        EXPECT_EQ(entry.path().filename().string().find("tempovirens-change-"), std::string::npos);
}

TEST_F(LifecycleTest, AnIcalImportGoesThroughTheRunningCalendarWithItsReport) {
    userFiles(EventTable{});
    CalendarApp& a = start(true);
    ASSERT_EQ(outcome, MainOutcome::kLoaded);
    const std::string ics = home.dir() + "be.ics";
    std::ofstream(ics) << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n"
                          "BEGIN:VEVENT\r\nUID:1\r\nDTSTAMP:20240101T000000Z\r\n"
                          "DTSTART;VALUE=DATE:20240312\r\nSUMMARY:Fogorvos\r\nEND:VEVENT\r\n"
                          "BEGIN:VEVENT\r\nUID:2\r\nDTSTAMP:20240101T000000Z\r\n"
                          "DTSTART;VALUE=DATE:20240311\r\nRRULE:FREQ=WEEKLY\r\n"
                          "SUMMARY:Úszás\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

    CommandResult r = runToolBeside("--json ical import '" + ics + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("\"imported\":[{\"summary\":\"Fogorvos\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"code\":\"frequency\""), std::string::npos) << r.out;
    EXPECT_EQ(countNamed(a.state().events, "Fogorvos"), 1);
    EXPECT_TRUE(forecastShows(a.state(), "Fogorvos"));
    EXPECT_EQ(countNamed(eventsOnDisk(), "Fogorvos"), 1);  // saved at once

    r = runToolBeside("ical import '" + ics + "' --nearest");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(countNamed(a.state().events, "Fogorvos"), 1);  // a duplicate now
    EXPECT_EQ(countNamed(a.state().events, "Úszás"), 1);
    for (const auto& entry : std::filesystem::directory_iterator(home.runtimeDir()))
        EXPECT_EQ(entry.path().filename().string().find("tempovirens-ical-report-"),
                  std::string::npos);
    exitProgram(a.context());
    settle();
}

}  // namespace
}  // namespace tv::test
