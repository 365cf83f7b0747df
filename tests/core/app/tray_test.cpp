#include "core/app/tray.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "core/app/startup.h"

namespace tv {
namespace {

using test::AppHarness;
using ::testing::ElementsAre;

// A calendar in the tray with its window closed, at 04:59:50 on 2024-03-09.
struct TrayHarness : AppHarness {
    TrayHarness() {
        state.settings.add("AS_OnTime", "1");
        startCalendar(ctx, "");
        unloadCalendar(ctx, UnloadMode::kClose);
        clock.set(DateTime::of(Date::serial(2024, 3, 9), 4, 59, 50));
        window.calls.clear();
    }
    void tick(int seconds = kTrayTickSeconds) {
        clock.advanceSeconds(seconds);
        results.push_back(trayTick(ctx));
    }
    AlarmEntry alarmAt(int h, int m) {
        AlarmEntry a;
        a.slot = 0;
        a.name = "Fogorvos";
        a.year = 2024;
        a.month = 3;
        a.day = 9;
        a.hour = h;
        a.minute = m;
        return a;
    }
    std::vector<TickResult> results;
};

TEST(TrayTick, TheScheduledShowingHappensOnceInItsMinute) {
    TrayHarness h;
    ASSERT_FALSE(h.state.loaded);
    h.tick(5);   // 04:59:55
    h.tick(10);  // 05:00:05
    h.tick();    // 05:00:25, the same minute
    h.tick();    // 05:00:45
    EXPECT_THAT(h.results, ElementsAre(TickResult::kNothing, TickResult::kSchedule,
                                       TickResult::kNothing, TickResult::kNothing));
    EXPECT_TRUE(h.state.loaded);
    EXPECT_TRUE(h.logHas("fLoadUpCalendar(schedule)"));

    // Closed again within the minute: the minute was handled, the window stays down.
    unloadCalendar(h.ctx, UnloadMode::kClose);
    h.tick(5);
    EXPECT_FALSE(h.state.loaded);
}

TEST(TrayTick, NothingAtTheScheduledTimeWhenTheWindowIsUpOrTheShowingIsOff) {
    TrayHarness open;
    loadUpCalendar(open.ctx, LoadMode::kLaunchByUser);
    open.window.calls.clear();
    open.tick();
    EXPECT_THAT(open.results, ElementsAre(TickResult::kNothing));
    EXPECT_TRUE(open.window.calls.empty());

    TrayHarness off;
    off.state.settings.setItem("AS_OnTime", "0");
    refreshTrayForm(off.ctx);
    off.tick();
    EXPECT_FALSE(off.state.loaded);
}

TEST(TrayTick, AnAlarmWinsOverTheScheduledShowing) {
    TrayHarness h;
    h.state.lists.alarms.push_back(h.alarmAt(5, 0));
    h.tick();
    EXPECT_THAT(h.results, ElementsAre(TickResult::kAlarm));
    EXPECT_TRUE(h.logHas("fLoadUpCalendar(alert)"));
    EXPECT_FALSE(h.logHas("fLoadUpCalendar(schedule)"));
    EXPECT_EQ(h.state.window.screenMode, ScreenMode::kAlarm);
    EXPECT_TRUE(h.window.has("flashTaskbar"));
    EXPECT_TRUE(h.state.tray.busy);
    EXPECT_EQ(h.state.alarm.currentAlarm.name, "Fogorvos");
}

TEST(TrayTick, TheUpdateCheckWaitsForAQuietTickAfterTenMinutes) {
    TrayHarness h;
    h.state.settings.setItem("AS_OnTime", "0");
    refreshTrayForm(h.ctx);
    h.state.update.elapsed = 10'000'000;  // long past the weekly interval
    for (int i = 0; i < 30; ++i)
        h.tick();  // 600 s: not more than ten minutes yet
    EXPECT_FALSE(h.logHas("Check for newer version"));
    EXPECT_EQ(h.state.update.uptime, 600);

    // The alarm of the next tick's minute keeps the check back for that tick.
    const DateTime next = h.clock.now();
    h.state.lists.alarms.push_back(h.alarmAt(next.hour(), next.minute() + 1));
    h.tick(60);
    EXPECT_EQ(h.results.back(), TickResult::kAlarm);
    EXPECT_FALSE(h.logHas("Check for newer version"));
    h.tick();
    EXPECT_EQ(h.results.back(), TickResult::kUpdateCheck);
    EXPECT_TRUE(h.logHas("Check for newer version"));
}

TEST(TrayIcon, ClicksFollowTheOneClickSetting) {
    TrayHarness h;
    trayIconClicked(h.ctx, TrayClick::kDouble);
    EXPECT_FALSE(h.state.loaded);
    trayIconClicked(h.ctx, TrayClick::kSingle);
    EXPECT_TRUE(h.state.loaded);
    unloadCalendar(h.ctx, UnloadMode::kClose);

    h.state.settings.setItem("TrayOneClick", "0");
    refreshTrayForm(h.ctx);
    trayIconClicked(h.ctx, TrayClick::kSingle);
    EXPECT_FALSE(h.state.loaded);
    trayIconClicked(h.ctx, TrayClick::kDouble);
    EXPECT_TRUE(h.state.loaded);

    trayIconClicked(h.ctx, TrayClick::kRight);
    EXPECT_EQ(h.tray.calls.back(), "trayMenu");
}

TEST(SecondStart, OnlyTheTwoCommandsReachTheWindow) {
    TrayHarness h;
    for (const char* ignored : {"", "Launch", "launch ", "launch-dev2", "quit"}) {
        receiveText(h.ctx, ignored);
    }
    EXPECT_FALSE(h.state.loaded);
    EXPECT_FALSE(h.state.window.developer);

    receiveText(h.ctx, "launch");
    EXPECT_TRUE(h.state.loaded);
    EXPECT_FALSE(h.state.window.developer);
    h.window.calls.clear();
    receiveText(h.ctx, "launch-dev");  // already up: raised, and developer entries on
    EXPECT_TRUE(h.state.window.developer);
    EXPECT_THAT(h.window.calls, ElementsAre("bringToFront"));

    // Without the tray form nobody listens.
    h.state.settings.setItem("AS_TrayIcon", "0");
    refreshTrayForm(h.ctx);
    unloadCalendar(h.ctx, UnloadMode::kClose, UnloadIntent::kReload);
    receiveText(h.ctx, "launch");
    EXPECT_FALSE(h.state.loaded);
}

// The three settings, the entry before, and the entry after.
struct AutostartCase {
    const char* tray;
    const char* autoStart;
    const char* onTime;
    std::optional<std::string> before;
    std::optional<std::string> after;
    int writes;
};

TEST(Autostart, TheEntryFollowsTheSettings) {
    const std::string cmd = "/opt/tempovirens/tempovirens -boot";
    const AutostartCase cases[] = {
        {"0", "0", "0", cmd, std::nullopt, 0},
        {"0", "0", "0", std::nullopt, std::nullopt, 0},
        {"1", "0", "0", std::nullopt, cmd, 1},  // the tray alone wants a hidden start
        {"0", "1", "0", std::nullopt, cmd, 1},
        {"0", "0", "1", std::nullopt, cmd, 1},
        {"1", "1", "1", cmd, cmd, 0},  // already right: left alone
        {"0", "1", "0", "/old/place/tempovirens -boot", cmd, 1},
    };
    for (const AutostartCase& c : cases) {
        AppHarness h;
        h.state.settings.add("AS_TrayIcon", c.tray);
        h.state.settings.add("AS_AutoStart", c.autoStart);
        h.state.settings.add("AS_OnTime", c.onTime);
        h.autostart.entry = c.before;
        checkAutoStart(h.ctx);
        SCOPED_TRACE(std::string(c.tray) + c.autoStart + c.onTime + " " + c.before.value_or("-"));
        EXPECT_EQ(h.autostart.entry, c.after);
        EXPECT_EQ(h.autostart.writes, c.writes);
        EXPECT_TRUE(h.box.shown.empty());
    }
}

class FailingRemoval : public FakeAutostart {
public:
    bool remove() override { return false; }
};

TEST(Autostart, AFailedWriteOrRemovalSaysSoOnce) {
    AppHarness h;
    h.state.strings.loadFile(h.program.file("data/hun_strings.dat"));
    h.autostart.failWrites = true;
    checkAutoStart(h.ctx);
    ASSERT_EQ(h.box.shown.size(), 1u);
    EXPECT_EQ(h.box.shown[0].text, "Nem sikerült az automatikus indítás beállítása.");
    EXPECT_EQ(h.box.shown[0].title, "Hiba");
    EXPECT_EQ(h.box.shown[0].icon, MessageIcon::kWarning);

    AppHarness off;
    FailingRemoval entry;
    entry.entry = "/opt/tempovirens/tempovirens -boot";
    off.platform.autostart = &entry;
    off.state.settings.add("AS_TrayIcon", "0");
    off.state.settings.add("AS_AutoStart", "0");
    checkAutoStart(off.ctx);
    EXPECT_EQ(off.box.shown.size(), 1u);
}

TEST(Autostart, CommandQuotesWhatTheDesktopWouldSplit) {
    EXPECT_EQ(autostartCommand("/usr/bin/tempovirens"), "/usr/bin/tempovirens -boot");
    EXPECT_EQ(autostartCommand("/home/éva/Saját programok/tempovirens"),
              "\"/home/éva/Saját programok/tempovirens\" -boot");
    EXPECT_EQ(autostartCommand("/opt/a\"b$c/tv"), "\"/opt/a\\\"b\\$c/tv\" -boot");
    EXPECT_EQ(autostartCommand("/opt/100%/tv"), "/opt/100%%/tv -boot");
}

}  // namespace
}  // namespace tv
