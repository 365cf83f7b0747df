#include "core/events/alarms.h"

#include <gtest/gtest.h>

#include <set>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "platform/fake/fake_services.h"

namespace tv {
namespace {

const Date kToday = *Date::fromYmd(2025, 3, 9);

AlarmEntry alarm(std::string name, Date d, int h, int m) {
    AlarmEntry a;
    a.name = std::move(name);
    a.year = d.year();
    a.month = d.month();
    a.day = d.day();
    a.hour = h;
    a.minute = m;
    return a;
}

struct Ringer {
    HashTable settings;
    FakeSound sound;
    FakeShell shell;
    std::set<std::string> files = {"/opt/tv/sounds/Bugle Call - Reveille.wav"};
    int loads = 0;
    int redraws = 0;
    int flashes = 0;
    bool windowUp = false;
    AlarmState state;
    AlarmContext ctx;

    Ringer() {
        ctx.settings = &settings;
        ctx.sound = &sound;
        ctx.shell = &shell;
        ctx.programDir = "/opt/tv/";
        ctx.fileExists = [this](const std::string& p) { return files.count(p) > 0; };
        ctx.hooks.showAlarmScreen = [this] {
            ++loads;
            return windowUp;
        };
        ctx.hooks.redraw = [this] { ++redraws; };
        ctx.hooks.flashTaskbar = [this] { ++flashes; };
    }
    bool check(std::vector<AlarmEntry>& alarms, int h, int m, Date d = kToday) {
        return checkAlarms(alarms, DateTime::of(d, h, m, 0), state, ctx);
    }
};

TEST(Alarms, EveryAlarmOfTheMinuteIsMarkedAndTheLastOneShows) {
    Ringer r;
    std::vector<AlarmEntry> alarms = {alarm("first", kToday, 8, 0), alarm("other", kToday, 8, 1),
                                      alarm("second", kToday, 8, 0),
                                      alarm("tomorrow", kToday.addDays(1), 8, 0)};
    EXPECT_FALSE(r.check(alarms, 7, 59));
    EXPECT_TRUE(r.check(alarms, 8, 0));
    EXPECT_TRUE(alarms[0].passed);
    EXPECT_FALSE(alarms[1].passed);
    EXPECT_TRUE(alarms[2].passed);
    EXPECT_FALSE(alarms[3].passed);
    EXPECT_EQ(r.state.currentAlarm.name, "second");
    EXPECT_EQ(r.loads, 1);
    EXPECT_EQ(r.redraws, 0);  // the window was down: loading it draws it
    EXPECT_EQ(r.flashes, 1);
    EXPECT_TRUE(r.state.alarmActive);

    // Later ticks of the same minute, and the minute after, ring nothing again.
    EXPECT_FALSE(r.check(alarms, 8, 0));
    r.windowUp = true;
    EXPECT_TRUE(r.check(alarms, 8, 1));
    EXPECT_EQ(r.redraws, 1);
    EXPECT_FALSE(r.check(alarms, 8, 2));
    EXPECT_FALSE(r.check(alarms, 8, 1));
    EXPECT_EQ(r.loads, 2);

    // One whose time had passed when the lists were built stays quiet even at its minute.
    std::vector<AlarmEntry> late = {alarm("late", kToday, 9, 15)};
    late[0].passed = true;
    EXPECT_FALSE(r.check(late, 9, 15));
}

TEST(Alarms, OnlyALoopingSoundWithALengthIsCountedDown) {
    Ringer r;
    r.settings.setItem("AlarmLength", "2");
    startAlarm(r.state, r.ctx);
    ASSERT_EQ(r.sound.plays.size(), 1u);
    EXPECT_EQ(r.sound.plays[0].path, "/opt/tv/sounds/Bugle Call - Reveille.wav");
    EXPECT_TRUE(r.sound.plays[0].loop);
    EXPECT_TRUE(r.state.timerAlarmEnabled);
    for (int i = 0; i < 29; ++i)
        alarmTimerTick(r.state, r.ctx);
    EXPECT_EQ(r.sound.stops, 0);
    alarmTimerTick(r.state, r.ctx);
    EXPECT_EQ(r.sound.stops, 1);
    EXPECT_FALSE(r.state.timerAlarmEnabled);
    EXPECT_TRUE(r.state.alarmActive);  // the screen stays until dismissed

    Ringer untilDismissed;
    startAlarm(untilDismissed.state, untilDismissed.ctx);
    EXPECT_TRUE(untilDismissed.sound.plays[0].loop);
    EXPECT_FALSE(untilDismissed.state.timerAlarmEnabled);

    Ringer once;
    once.settings.setItem("AlarmLength", "3");
    once.settings.setItem("AlarmSndRepeat", "0");
    startAlarm(once.state, once.ctx);
    EXPECT_FALSE(once.sound.plays[0].loop);
    EXPECT_FALSE(once.state.timerAlarmEnabled);
}

TEST(Alarms, SoundFallsBackToTheDefaultFileThenToABeep) {
    Ringer r;
    r.settings.setItem("AlarmSoundFile", "Csengő.wav");
    r.files.insert("/opt/tv/sounds/Csengő.wav");
    EXPECT_EQ(alarmSoundPath(r.ctx), "/opt/tv/sounds/Csengő.wav");
    r.settings.setItem("AlarmSoundSet", "1");
    r.settings.setItem("CustomAlarmSound", "/home/u/own.wav");
    r.files.insert("/home/u/own.wav");
    EXPECT_EQ(alarmSoundPath(r.ctx), "/home/u/own.wav");
    r.files = {"/opt/tv/sounds/Bugle Call - Reveille.wav"};
    EXPECT_EQ(alarmSoundPath(r.ctx), "/opt/tv/sounds/Bugle Call - Reveille.wav");

    r.files.clear();
    startAlarm(r.state, r.ctx);
    EXPECT_TRUE(r.sound.plays.empty());
    EXPECT_EQ(r.shell.beeps, 1);

    Ringer quiet;
    quiet.settings.setItem("AlarmSoundOn", "0");
    startAlarm(quiet.state, quiet.ctx);
    EXPECT_TRUE(quiet.sound.plays.empty());
    EXPECT_EQ(quiet.shell.beeps, 0);
    EXPECT_EQ(quiet.flashes, 1);
}

TEST(Alarms, MissedWindowLines) {
    StringTable s;
    s.table().add("dates_list_day_m1", "tegnap");
    s.table().add("dates_list_day_m2", "tegnapelőtt");
    s.table().add("dates_list_past", "$1 napja");
    s.table().add("main_month_short_2", "márc.");
    s.table().add("missed_title", "Elmulasztott események");
    EventTable table;
    table.addBuiltinEvent(1, 3, 8, 0, 1, "", "Nőnap", "", "");
    std::vector<MissedEntry> missed = {{0, 3, ""}, {0, 2, ""}, {0, 1, ""}};
    MissedWindow w = buildMissedWindow(missed, table, kToday, s);
    EXPECT_EQ(w.title, "Elmulasztott események");
    // The days-ago column already places them: the short date leaves the year out.
    EXPECT_EQ(w.lines,
              (std::vector<std::string>{"3 napja\tNőnap\tmárc. 6.", "tegnapelőtt\tNőnap\tmárc. 7.",
                                        "tegnap\tNőnap\tmárc. 8."}));
}

}  // namespace
}  // namespace tv
