// The calendar's promises over a whole run: alarms ring from the tray, one welcome per
// installation, the wisdom's marks on disk as soon as they change, the session's end saved once,
// and a restore that reloads what was restored (the old generation's files imported).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app_harness.h"
#include "core/app/restore_reload.h"
#include "core/app/session_end.h"
#include "core/app/startup.h"
#include "core/app/tray.h"
#include "core/calc/files.h"
#include "core/config/config_file.h"
#include "core/events/event_database.h"
#include "core/events/event_database_format.h"
#include "core/events/legacy_qzi_builder.h"
#include "core/names/data_block_writer.h"
#include "core/names/pack_file.h"
#include "core/settings/backup.h"

namespace tv {
namespace {

using test::AppHarness;

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
    return e;
}

// events.cdb (and settings.cfg, so that this is not the very first run) before the start.
void prepareUserFiles(AppHarness& h, const EventTable& table, const std::string& settings = "") {
    std::filesystem::create_directories(h.platform.paths.userDataDir);
    EventDbContext db;
    db.userDataDir = h.platform.paths.userDataDir;
    db.clock = &h.clock;
    ASSERT_TRUE(saveEventDatabase(table, db));
    std::ofstream(h.userFile("settings.cfg"), std::ios::binary)
        << "Skin = \"metal_big\"\n" + settings;
}

EventTable eventsOnDisk(const AppHarness& h) {
    std::string bytes;
    EventTable t;
    EXPECT_EQ(readWholeFile(h.userFile("events.cdb"), bytes), ReadResult::kOk);
    decodeEventDatabase(bytes, t);
    return t;
}

int countNamed(const EventTable& t, const std::string& name) {
    int n = 0;
    for (const EventRecord& e : t.records())
        n += e.used() && e.name == name ? 1 : 0;
    return n;
}

TEST(TrayAlarms, RingWithTheWindowClosedAndAgainNextMonth) {
    AppHarness h;  // 2024-03-09 08:00
    EventTable table;
    EventRecord& pills = addEvent(table, "Gyógyszer", RepeatKind::kMonthly, 2024, 1, 9);
    pills.alarmOn = 1;
    pills.alarmHour = 9;
    prepareUserFiles(h, table);
    ASSERT_EQ(startCalendar(h.ctx, ""), MainOutcome::kLoaded);
    unloadCalendar(h.ctx, UnloadMode::kClose);
    ASSERT_FALSE(h.state.loaded);

    h.clock.set(at(2024, 3, 9, 9, 0, 5));
    EXPECT_EQ(trayTick(h.ctx), TickResult::kAlarm);
    EXPECT_TRUE(h.state.loaded);
    EXPECT_EQ(h.state.window.screenMode, ScreenMode::kAlarm);
    EXPECT_EQ(h.state.alarm.currentAlarm.name, "Gyógyszer");
    unloadCalendar(h.ctx, UnloadMode::kClose);

    // A month in the tray: each new day carries the list on; the window stays closed.
    h.clock.set(at(2024, 3, 10, 0, 0, 10));
    EXPECT_EQ(trayTick(h.ctx), TickResult::kNothing);
    h.clock.set(at(2024, 4, 9, 8, 59, 50));
    EXPECT_EQ(trayTick(h.ctx), TickResult::kNothing);
    EXPECT_FALSE(h.state.loaded);
    h.clock.set(at(2024, 4, 9, 9, 0, 10));
    EXPECT_EQ(trayTick(h.ctx), TickResult::kAlarm);
    EXPECT_TRUE(h.state.loaded);
    EXPECT_TRUE(h.logHas("Alarm list for 2024-04-09"));
}

TEST(TrayAlarms, AStartAtLogOnWithoutTheWindowRingsToo) {
    AppHarness h;
    EventTable table;
    EventRecord& call = addEvent(table, "Hívás", RepeatKind::kOnce, 2024, 3, 9);
    call.alarmOn = 1;
    call.alarmHour = 8;
    call.alarmMinute = 30;
    prepareUserFiles(h, table, "AS_AutoStart = 0\n");
    ASSERT_EQ(startCalendar(h.ctx, "-boot"), MainOutcome::kInTray);
    EXPECT_FALSE(h.state.eventsLoaded);

    h.clock.set(at(2024, 3, 9, 8, 30, 1));
    EXPECT_EQ(trayTick(h.ctx), TickResult::kAlarm);
    EXPECT_EQ(h.state.alarm.currentAlarm.name, "Hívás");
}

TEST(Welcome, OneEventPerInstallationHoweverOftenTheWindowComesBack) {
    AppHarness h;
    startCalendar(h.ctx, "");
    ASSERT_TRUE(h.state.firstRun);
    // Already on disk before the window ever closes.
    EXPECT_EQ(countNamed(eventsOnDisk(h), "Üdvözöljük!"), 1);
    for (int i = 0; i < 5; ++i) {
        unloadCalendar(h.ctx, UnloadMode::kClose);
        loadUpCalendar(h.ctx, LoadMode::kRaise);
    }
    reloadForSkin(h.ctx);
    EXPECT_EQ(countNamed(h.state.events, "Üdvözöljük!"), 1);
    EXPECT_EQ(countNamed(eventsOnDisk(h), "Üdvözöljük!"), 1);

    // The first run ended before settings.cfg was written: the next start is a first run again,
    // and finds its welcome already there.
    std::filesystem::remove(h.userFile("settings.cfg"));
    AppState again(h.clock);
    AppContext ctx{again, h.platform, h.window, h.tray};
    startCalendar(ctx, "");
    ASSERT_TRUE(again.firstRun);
    EXPECT_EQ(countNamed(again.events, "Üdvözöljük!"), 1);
}

TEST(Wisdom, TheMarksAndTheSayingReachTheDiskWhenChosen) {
    AppHarness h;
    ASSERT_TRUE(writeDataBlockFile(h.program.file("data/hun_wise.dat"),
                                   {"Egy+Első", "Kettő+Második", "Három+Harmadik"})
                    .ok());
    prepareUserFiles(h, EventTable{});
    startCalendar(h.ctx, "");
    const std::string chosen = h.state.settings.item("LastWisdom");
    ASSERT_FALSE(chosen.empty());

    // Not a close yet: a crash now must not show the saying again.
    const EventTable saved = eventsOnDisk(h);
    ASSERT_EQ(saved.wisdomMarks().size(), 3u);
    EXPECT_EQ(std::count(saved.wisdomMarks().begin(), saved.wisdomMarks().end(), 255), 1);
    HashTable settings;
    ASSERT_TRUE(readConfig(settings, h.userFile("settings.cfg")));
    EXPECT_EQ(settings.item("LastWisdom"), chosen);
}

TEST(SessionEnd, TheCommitSavesAndGoesOnAndTheEndSavesOnce) {
    AppHarness h;
    startCalendar(h.ctx, "");
    commitSessionData(h.ctx);
    EXPECT_TRUE(h.state.loaded);
    HashTable saved;
    ASSERT_TRUE(readConfig(saved, h.userFile("settings.cfg")));
    EXPECT_EQ(saved.item("LastRun"), "2024-03-09");

    endSession(h.ctx, "SIGTERM");
    endSession(h.ctx, "quit");  // the application's own quit follows
    EXPECT_TRUE(h.state.ended);
    EXPECT_FALSE(h.state.loaded);
    EXPECT_EQ(std::count(h.window.calls.begin(), h.window.calls.end(), "endProcess"), 1);
    EXPECT_TRUE(h.logHasInOrder({"Session end (SIGTERM)", "Unload calendar", "  Ended"}));
    EXPECT_FALSE(h.logHas("Session end (quit)"));
}

TEST(SessionEnd, ATableNeverReadIsNeverWrittenOverTheFile) {
    AppHarness h;
    EventTable table;
    addEvent(table, "Megmarad", RepeatKind::kYearly, 2000, 1, 1);
    prepareUserFiles(h, table, "AS_AutoStart = 0\n");
    ASSERT_EQ(startCalendar(h.ctx, "-boot"), MainOutcome::kInTray);
    endSession(h.ctx, "SIGTERM");
    EXPECT_EQ(countNamed(eventsOnDisk(h), "Megmarad"), 1);
}

TEST(Restore, TheReloadReadsTheRestoredFilesAndWritesNothingOverThem) {
    AppHarness h;
    EventTable mine;
    addEvent(mine, "Saját", RepeatKind::kYearly, 2000, 5, 1);
    prepareUserFiles(h, mine);
    startCalendar(h.ctx, "");
    ASSERT_EQ(countNamed(h.state.events, "Saját"), 1);

    // The restore has put the backup's files in place.
    EventTable theirs;
    addEvent(theirs, "Visszaállított", RepeatKind::kYearly, 2000, 6, 1);
    prepareUserFiles(h, theirs, "Wise = 0\n");
    reloadAfterRestore(h.ctx);

    EXPECT_TRUE(h.state.loaded);
    EXPECT_EQ(countNamed(h.state.events, "Visszaállított"), 1);
    EXPECT_EQ(countNamed(h.state.events, "Saját"), 0);
    EXPECT_EQ(h.state.settings.item("Wise"), "0");
    EXPECT_EQ(countNamed(eventsOnDisk(h), "Visszaállított"), 1);
    // Counted as last seen yesterday.
    EXPECT_EQ(h.state.settings.item("LastRun"), "2024-03-08");
}

TEST(Restore, ABackupOfTheOldGenerationIsRestoredAndImported) {
    AppHarness h;
    startCalendar(h.ctx, "");
    test::TempDir old;
    old.write("config.qzi", test::qziPairs({{"skin", "paper_light"}, {"bolcsek", "0"}}));
    old.write("dates.qzi",
              test::qziRecords(10, {{"Nagymama", "", "4", "12", "", "", "1", "1950", "7", "1"}}));
    // Version 1.1 wrote no computer or user name.
    const std::string comment = buildBackupComment({1, 1, 0}, "", "").substr(0, 18);
    const std::string pack = old.file("regi.backup");
    ASSERT_EQ(
        PackFile::pack(pack, {old.file("config.qzi"), old.file("dates.qzi")}, comment, h.clock),
        PackResult::kOk);

    h.box.script = {MessageAnswer::kOk, MessageAnswer::kOk};
    BackupContext b;
    b.userDataDir = h.platform.paths.userDataDir;
    b.settings = &h.state.settings;
    b.strings = &h.state.strings;
    b.clock = &h.clock;
    b.box = &h.box;
    RestoreHooks hooks;
    hooks.reload = [&h] { reloadAfterRestore(h.ctx); };
    ASSERT_EQ(restoreBackup(b, pack, hooks), RestoreResult::kRestored);

    EXPECT_EQ(h.state.settings.item("Skin"), "paper_light");
    EXPECT_EQ(h.state.settings.item("Wise"), "0");
    EXPECT_EQ(countNamed(h.state.events, "Nagymama"), 1);
    EXPECT_EQ(countNamed(eventsOnDisk(h), "Nagymama"), 1);
    HashTable settings;
    ASSERT_TRUE(readConfig(settings, h.userFile("settings.cfg")));
    EXPECT_EQ(settings.item("Skin"), "paper_light");
}

}  // namespace
}  // namespace tv
