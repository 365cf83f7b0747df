#include "core/app/startup.h"
#include "core/app/hand_over.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "app_harness.h"
#include "core/app/tray.h"
#include "core/calc/text_format.h"
#include "core/config/config_file.h"
#include "core/config/settings_keys.h"

namespace tv {
namespace {

using test::AppHarness;
using ::testing::ElementsAre;

const std::string kRule(81, '=');
const std::string kLoadRule = "======= Load calendar window " + std::string(52, '=');

// The whole log of a first start by the user, the one place that spells every line out (time
// stamps aside). Other starts are checked by what they add, keep in order or leave out.
std::vector<std::string> firstLaunchLog() {
    return {kRule,
            kRule,
            "Tempovirens version " + versionText(),
            "startup time: 2024.03.09. 08:00:00",
            "",
            "fLoadStrings",
            "fCheckProduct",
            "Load config file",
            "  default theme was set (metal_big)",
            "System tray icon added",
            "fLoadUpCalendar(launch_by_user)",
            "  bLoadUpFront = True",
            kLoadRule,
            "",
            "fSetVariables",
            "  A new event table with 25 events",
            "",
            "fCheckAutoStart",
            "",
            "fCheckLastRun",
            "  Days since last run: 1",
            "",
            "fgfxSetSkin",
            "",
            "fInitCalendarWindow",
            "",
            "fSetTodayText",
            "",
            "fCheckEvents",
            "",
            "gfxLoadBgImg",
            "  Show window with focus",
            "  ",
            "Tempovirens loaded successfully in 0.00 sec."};
}

// The step lines: what is neither blank nor a detail indented under its step.
std::vector<std::string> stepsOf(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (!l.empty() && l[0] != ' ') out.push_back(l);
    }
    return out;
}

// The lines from the last "fLoadUpCalendar(<mode>)" on.
std::vector<std::string> loadSection(const std::vector<std::string>& lines,
                                     const std::string& mode) {
    const std::string head = "fLoadUpCalendar(" + mode + ")";
    for (size_t i = lines.size(); i-- > 0;) {
        if (lines[i] == head) return {lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end()};
    }
    return {};
}

TEST(Startup, FirstLaunchWritesEveryStepInOrder) {
    AppHarness h;
    EXPECT_EQ(startCalendar(h.ctx, "  "), MainOutcome::kLoaded);
    EXPECT_EQ(h.logLines(), firstLaunchLog());

    EXPECT_THAT(h.window.calls,
                ElementsAre("showSplash", "loadSkin metal_big", "initCalendarWindow",
                            "composeScreen", "hideSplash", "showWindow focus", "mainTimer on",
                            "move 760,370", "autoRefresh off"));
    EXPECT_THAT(h.tray.calls, ElementsAre("addIcon Tempovirens"));
    EXPECT_TRUE(h.state.loaded);
    EXPECT_FALSE(h.state.loading);
    EXPECT_EQ(h.state.hues[13], 330);

    // The installation is recorded and the log-on entry made.
    EXPECT_EQ(h.store.getString("Tempovirens/Install_Dir"), h.platform.paths.programDir);
    EXPECT_EQ(h.store.getString("Tempovirens/Exe_Name"), "tempovirens");
    EXPECT_EQ(h.autostart.entry, "/opt/tempovirens/tempovirens -boot");
}

TEST(Startup, FirstRunAddsTheWelcomeEventAndCountsOneDay) {
    AppHarness h;
    startCalendar(h.ctx, "");
    ASSERT_TRUE(h.state.firstRun);
    const EventRecord* welcome = nullptr;
    for (const EventRecord& e : h.state.events.records())
        if (e.used() && e.name == "Üdvözöljük!") welcome = &e;
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(welcome->category, 0);
    EXPECT_EQ(welcome->year, 2024);
    EXPECT_EQ(welcome->month, 3);
    EXPECT_EQ(welcome->day, 9);
    EXPECT_EQ(welcome->picture, "<AppPath>\\pictures\\welcome.jpg");
    EXPECT_EQ(welcome->repeat, 0);
    EXPECT_EQ(welcome->active, 1);

    EXPECT_EQ(h.state.settings.item("LastRun"), "2024-03-09");
    EXPECT_EQ(h.state.settings.item("LastRunToday"), "2024-03-09");
    EXPECT_EQ(h.state.daysSinceLastRun, 1);
    // No wisdom on the very first run.
    EXPECT_FALSE(h.state.settings.exists("Wise"));

    // The first activation greets once and opens the help page, as the greeting promises: the
    // window host shows it with or without a handler for it.
    firstActivation(h.ctx);
    firstActivation(h.ctx);
    ASSERT_EQ(h.box.shown.size(), 1u);
    EXPECT_EQ(h.box.shown[0].text, "Köszönjük, hogy a programot választotta.");
    EXPECT_EQ(h.box.shown[0].icon, MessageIcon::kNone);
    EXPECT_TRUE(h.window.has("help " + h.platform.paths.programDir + "about_hun.html"));
}

TEST(Startup, SettingsAreReadWithTheirDefaultsAndSavedOnClose) {
    AppHarness h;
    startCalendar(h.ctx, "");
    unloadCalendar(h.ctx, UnloadMode::kClose);
    HashTable saved;
    ASSERT_TRUE(readConfig(saved, h.userFile("settings.cfg")));
    const std::pair<const char*, const char*> expected[] = {
        {"AS_TrayIcon", "1"},   {"AS_AutoStart", "1"}, {"AS_OnTime", "0"},
        {"AS_Hour", "5"},       {"AS_Minute", "0"},    {"TrayOneClick", "1"},
        {"Skin", "metal_big"},  {"SmallSkin", "0"},    {"Cal_StartPage", "1"},
        {"Cal_WinCenter", "1"}, {"Cal_LastPage", "1"}, {"LastRunToday", "2024-03-09"},
        {"Cal_LastX", "11400"}, {"Cal_LastY", "5550"}, {"LastAppearNow", "2024-03-09T08:00:00"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(saved.item(key), value) << key;
    // Stored position is in twips: 760 x 15 and 370 x 15.
    EXPECT_TRUE(h.state.tray.loaded);
    EXPECT_FALSE(h.window.has("endProcess"));
}

TEST(Startup, ExistingSettingsAreLoadedAndSteerTheLoad) {
    AppHarness h;
    std::filesystem::create_directories(h.platform.paths.userDataDir);
    HashTable s;
    s.add("Skin", "wood");
    s.add("Cal_WinCenter", "0");
    s.add("Cal_LastX", "-30000");
    s.add("Cal_LastY", "600");
    s.add("Cal_StartPage", "3");
    s.add("Cal_LastPage", "2");
    s.add("LastAppearNow", "2024-03-04T10:00:00");
    s.add("LastRunToday", "2024-03-04");
    ASSERT_TRUE(writeConfig(s, h.userFile("settings.cfg")));

    startCalendar(h.ctx, "");
    EXPECT_FALSE(h.state.firstRun);
    EXPECT_TRUE(h.window.has("loadSkin wood"));
    EXPECT_FALSE(h.logHas("  default theme was set (metal_big)"));
    // Far to the left: the right edge comes back to 3000 twips (400 px = 6000 twips wide).
    EXPECT_TRUE(h.window.has("move -200,40"));
    EXPECT_EQ(h.state.window.screenMode, ScreenMode::kMonth);  // the last page
    EXPECT_EQ(h.state.daysSinceLastRun, 5);
    EXPECT_TRUE(h.logHas("  Days since last run: 5"));
    EXPECT_EQ(h.state.settings.item("LastRun"), "2024-03-04");
}

// The lines and calls by which each mode word differs from a plain start by the user.
struct ModeCase {
    LoadMode mode;
    std::function<void(AppHarness&)> before;
    std::vector<std::string> logInOrder;  // within the mode's load section
    std::vector<std::string> absentLog;   // nowhere in it
    std::vector<std::string> calls;
    std::vector<std::string> absentCalls;
};

class LoadModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(LoadModes, LogAndWindow) {
    const ModeCase& c = GetParam();
    AppHarness h;
    startCalendar(h.ctx, "-boot");  // AS_AutoStart defaults to 1: the window loads with "boot"
    h.state.activatedSinceLoad = true;
    if (c.mode != LoadMode::kRaise)
        unloadCalendar(h.ctx, UnloadMode::kClose, UnloadIntent::kReload);
    h.window.calls.clear();
    if (c.before) c.before(h);
    loadUpCalendar(h.ctx, c.mode);

    const std::string word(logWord(c.mode));
    const std::vector<std::string> section = loadSection(h.logLines(), word);
    ASSERT_FALSE(section.empty()) << ::testing::PrintToString(h.logLines());
    // A load runs the steps of the first start's load, in its order; a window already up is
    // only raised.
    std::vector<std::string> steps = loadSection(firstLaunchLog(), "launch_by_user");
    steps = stepsOf(steps);
    steps.front() = "fLoadUpCalendar(" + word + ")";
    if (c.mode == LoadMode::kRaise) steps.resize(1);
    EXPECT_EQ(stepsOf(section), steps);
    size_t next = 0;
    for (const std::string& line : section) {
        if (next < c.logInOrder.size() && line == c.logInOrder[next]) ++next;
    }
    EXPECT_EQ(next, c.logInOrder.size()) << ::testing::PrintToString(section);
    for (const std::string& line : c.absentLog) {
        EXPECT_EQ(std::count(section.begin(), section.end(), line), 0) << line;
    }
    for (const std::string& call : c.calls)
        EXPECT_TRUE(h.window.has(call)) << call << ::testing::PrintToString(h.window.calls);
    for (const std::string& call : c.absentCalls)
        EXPECT_FALSE(h.window.has(call)) << call;
}

const std::string kFront = "  bLoadUpFront = True";
const std::string kBehind = "  bLoadUpFront = False";
const std::string kFocus = "  Show window with focus";
const std::string kNoFocus = "  Show window without focus";

INSTANTIATE_TEST_SUITE_P(
    Startup, LoadModes,
    ::testing::Values(ModeCase{LoadMode::kBoot,
                               nullptr,
                               {kFront, kFocus},
                               {kBehind, kNoFocus},
                               {"autoRefresh on", "showSplash"},
                               {"autoRefresh off"}},
                      ModeCase{LoadMode::kSchedule,
                               [](AppHarness& h) {
                                   h.state.settings.setItem("AutoStartWindowMode", "1");
                               },
                               {kBehind, kNoFocus},
                               {kFront, kFocus},
                               {"showWindow nofocus", "autoRefresh off"},
                               {"showSplash", "showWindow focus"}},
                      ModeCase{LoadMode::kSchedule,  // a full-screen program keeps the focus
                               [](AppHarness& h) { h.window.fullScreen = true; },
                               {kBehind, kNoFocus},
                               {kFront, kFocus},
                               {"showWindow nofocus"},
                               {}},
                      ModeCase{LoadMode::kAlert,
                               [](AppHarness& h) { h.window.fullScreen = true; },
                               {kBehind, kNoFocus},
                               {kFront, kFocus},
                               {"showWindow nofocus"},
                               {}},
                      ModeCase{LoadMode::kAlert,  // AlarmTop takes the front even then
                               [](AppHarness& h) {
                                   h.window.fullScreen = true;
                                   h.state.settings.setItem("AlarmTop", "1");
                               },
                               {kFront, kFocus},
                               {kBehind, kNoFocus},
                               {"showWindow focus"},
                               {}},
                      ModeCase{LoadMode::kRestore,
                               nullptr,
                               {"fCheckLastRun", "  Days since last run: 1", kFocus},
                               {},
                               {"showWindow focus"},
                               {}},
                      ModeCase{LoadMode::kSkin, nullptr, {kFront}, {}, {"settingsModal"}, {}},
                      ModeCase{LoadMode::kRaise,  // wanted again while up: only raised
                               nullptr,
                               {kFront},
                               {kFocus, kNoFocus},
                               {"bringToFront"},
                               {"showSplash", "composeScreen"}}));

TEST(Startup, ModeWordsSetTheirState) {
    AppHarness h;
    startCalendar(h.ctx, "");
    unloadCalendar(h.ctx, UnloadMode::kClose, UnloadIntent::kReload);
    loadUpCalendar(h.ctx, LoadMode::kAlert);
    EXPECT_EQ(h.state.window.screenMode, ScreenMode::kAlarm);

    unloadCalendar(h.ctx, UnloadMode::kRestore);
    loadUpCalendar(h.ctx, LoadMode::kRestore);
    EXPECT_EQ(h.state.settings.item("LastRun"), "2024-03-08");

    unloadCalendar(h.ctx, UnloadMode::kClose, UnloadIntent::kReload);
    h.state.settings.setItem("M_Default", "0");
    loadUpCalendar(h.ctx, LoadMode::kSkin);
    EXPECT_EQ(h.state.settings.item("M_Default"), "2");
}

TEST(Startup, ALoadedWindowOnlyComesForwardWhenItMay) {
    AppHarness h;
    startCalendar(h.ctx, "");
    h.window.calls.clear();
    h.window.fullScreen = true;
    loadUpCalendar(h.ctx, LoadMode::kSchedule);
    EXPECT_TRUE(h.window.calls.empty());
    loadUpCalendar(h.ctx, LoadMode::kLaunchByUser);
    EXPECT_THAT(h.window.calls, ElementsAre("bringToFront"));
    EXPECT_TRUE(h.logHas("  SHOW WINDOW AND ASSIGN TO TOP"));
}

TEST(Startup, BootWithoutAutoStartShowsNoWindow) {
    for (const char* tray : {"1", "0"}) {
        AppHarness h;
        std::filesystem::create_directories(h.platform.paths.userDataDir);
        HashTable s;
        s.add("AS_AutoStart", "0");
        s.add("AS_TrayIcon", tray);
        writeConfig(s, h.userFile("settings.cfg"));
        const MainOutcome out = startCalendar(h.ctx, " -BOOT ");
        EXPECT_FALSE(h.state.loaded);
        EXPECT_FALSE(h.window.has("showWindow focus"));
        EXPECT_TRUE(h.logHas("  parameters: \"-boot\""));
        if (std::string(tray) == "1") {
            EXPECT_EQ(out, MainOutcome::kInTray);
            EXPECT_FALSE(h.window.has("endProcess"));
        } else {
            EXPECT_EQ(out, MainOutcome::kEnded);
            EXPECT_TRUE(h.window.has("endProcess"));
        }
    }
}

TEST(Startup, ASecondStartHandsOverOrRefuses) {
    AppHarness h;
    h.single.primary = false;
    EXPECT_EQ(startCalendar(h.ctx, "-DEV"), MainOutcome::kHandedOver);
    EXPECT_THAT(h.single.sent, ElementsAre("launch-dev"));
    EXPECT_FALSE(h.state.log.isOpen());

    AppHarness other;
    other.single.primary = false;
    EXPECT_EQ(startCalendar(other.ctx, "-boot"), MainOutcome::kHandedOver);
    EXPECT_THAT(other.single.sent, ElementsAre("launch"));

    AppHarness noTray;
    noTray.single.primary = false;
    noTray.state.settings.add("AS_TrayIcon", "0");
    EXPECT_EQ(startCalendar(noTray.ctx, ""), MainOutcome::kRefused);
    ASSERT_EQ(noTray.box.shown.size(), 1u);
    EXPECT_EQ(noTray.box.shown[0].text, "A program már fut!");
    EXPECT_TRUE(noTray.single.sent.empty());

    // The hand-over before the toolkit starts sends what the ordinary one sends.
    EXPECT_EQ(handOverMessage(" -DEV "), "launch-dev");
    EXPECT_EQ(handOverMessage("-boot"), "launch");
}

TEST(Startup, AnUnreadableEventDatabaseEndsWithoutSaving) {
    AppHarness h;
    // A folder where the file should be cannot be read as one.
    std::filesystem::create_directories(h.userFile("events.cdb"));
    EXPECT_EQ(startCalendar(h.ctx, ""), MainOutcome::kEnded);
    EXPECT_TRUE(h.logHasInOrder({"fSetVariables", "Unload calendar",
                                 "  Calendar unloaded successfully. sComs = dberror",
                                 "System tray icon removed"}))
        << ::testing::PrintToString(h.logLines());
    EXPECT_FALSE(h.window.has("saveThemeState"));
    EXPECT_TRUE(h.window.has("endProcess"));
    EXPECT_FALSE(std::filesystem::exists(h.userFile("settings.cfg")));
}

TEST(Startup, ClosingEndsOnlyWithoutTheTrayAndNeverOnReload) {
    AppHarness h;
    startCalendar(h.ctx, "");
    h.state.settings.setItem("AS_TrayIcon", "0");
    reloadForSkin(h.ctx);
    EXPECT_FALSE(h.window.has("endProcess"));
    EXPECT_TRUE(h.state.loaded);

    h.state.window.screenMode = ScreenMode::kMonth;
    unloadCalendar(h.ctx, UnloadMode::kClose);
    EXPECT_TRUE(h.logHasInOrder(
        {"Unload calendar", "  Calendar unloaded successfully. sComs = ", "  ", "  Ended"}));
    EXPECT_TRUE(h.window.has("endProcess"));
    EXPECT_EQ(h.state.settings.item("Cal_LastPage"), "2");

    unloadCalendar(h.ctx, UnloadMode::kClose);
    EXPECT_TRUE(h.logHas("  Calendar is already unloaded"));
}

TEST(Startup, TheExitEndsEvenWithTheTrayOn) {
    AppHarness h;
    startCalendar(h.ctx, "");
    exitProgram(h.ctx);
    EXPECT_TRUE(h.logHasInOrder(
        {"Unload calendar", "System tray icon removed", "Application terminated by user."}));
    EXPECT_THAT(h.tray.calls, ElementsAre("addIcon Tempovirens", "removeIcon"));
    EXPECT_TRUE(h.window.has("closeAllWindows"));
    EXPECT_TRUE(h.window.has("endProcess"));
    EXPECT_FALSE(h.logHas("  Ended"));
}

// The last-run keys before the check, and what it makes of them on 2024-03-09.
struct LastRunCase {
    const char* lastAppearNow;
    const char* lastRunToday;
    int days;
    bool firstToday;
    const char* lastRun;
};

TEST(Startup, LastRunBookkeeping) {
    const LastRunCase cases[] = {
        {"", "", 1, true, "2024-03-09"},                                // never ran
        {"2024-03-08T22:00:00", "2024-03-08", 1, true, "2024-03-08"},   // yesterday
        {"2024-02-28T22:00:00", "2024-02-28", 10, true, "2024-02-28"},  // over leap day
        {"2024-03-09T07:00:00", "2024-03-09", 8, false, "2024-03-01"},  // earlier today
        {"2024-03-10T07:00:00", "2024-03-10", -1, true, "2024-03-10"},  // clock set back
    };
    for (const LastRunCase& c : cases) {
        AppHarness h;
        h.state.log.open(h.data.file("run.log"));
        h.state.settings.add("LastAppearNow", c.lastAppearNow);
        h.state.settings.add("LastRunToday", c.lastRunToday);
        h.state.settings.add("LastRun", "2024-03-01");
        checkLastRun(h.state, h.clock.now());
        SCOPED_TRACE(c.lastRunToday);
        EXPECT_EQ(h.state.daysSinceLastRun, c.days);
        EXPECT_EQ(h.state.firstAppearanceToday, c.firstToday);
        EXPECT_EQ(h.state.settings.item("LastRun"), c.lastRun);
        EXPECT_EQ(h.state.settings.item("LastAppear"), c.lastAppearNow);
        EXPECT_EQ(h.state.settings.item("LastAppearNow"), "2024-03-09T08:00:00");
        EXPECT_EQ(h.state.timeMovedBackward, c.days < 0);
        EXPECT_EQ(h.logHas("  System time has changed backward."), c.days < 0);
    }
}

TEST(Startup, FirstActivationReportsMissedEventsAndTheClock) {
    AppHarness h;
    std::filesystem::create_directories(h.platform.paths.userDataDir);
    HashTable s;
    s.add("LastAppearNow", "2024-03-10T07:00:00");
    s.add("LastRunToday", "2024-03-10");
    writeConfig(s, h.userFile("settings.cfg"));
    startCalendar(h.ctx, "");
    h.state.lists.missed.push_back(MissedEntry{0, 2, "000002x"});
    firstActivation(h.ctx);
    EXPECT_EQ(h.shell.beeps, 1);
    EXPECT_TRUE(h.window.has("command 10"));
    EXPECT_TRUE(h.logHas("  system time has been set backward"));
    ASSERT_EQ(h.box.shown.size(), 1u);
    EXPECT_EQ(h.box.shown[0].text, "A rendszeridő visszaállt.");
    EXPECT_EQ(h.box.shown[0].icon, MessageIcon::kWarning);

    // Once per load.
    firstActivation(h.ctx);
    EXPECT_EQ(h.shell.beeps, 1);
}

TEST(Startup, ASettingsSaveThatFailsIsLoggedWithItsReason) {
    AppHarness h;
    startCalendar(h.ctx, "");
    std::filesystem::remove(h.userFile("settings.cfg"));
    std::filesystem::create_directory(h.userFile("settings.cfg"));  // in the rename's way
    EXPECT_FALSE(saveSettings(h.ctx));
    EXPECT_TRUE(h.logHas("  Error saving settings.cfg: " + std::string(std::strerror(EISDIR))))
        << h.logLines().back();
    EXPECT_FALSE(std::filesystem::exists(h.userFile("settings.cfg.tmp")));
}

TEST(Startup, DayChangeRunsTheDaysStepsAgain) {
    AppHarness h;
    startCalendar(h.ctx, "");
    h.clock.advanceSeconds(3600);
    EXPECT_FALSE(checkDayChange(h.ctx));
    h.clock.advanceDays(1);
    EXPECT_TRUE(checkDayChange(h.ctx));
    EXPECT_EQ(h.state.today.day, 10);
    EXPECT_TRUE(h.window.has("refreshDay"));
    EXPECT_EQ(h.state.settings.item("LastRunToday"), "2024-03-10");
    EXPECT_TRUE(std::filesystem::exists(h.userFile("settings.cfg")));
    EXPECT_FALSE(checkDayChange(h.ctx));
}

TEST(Placement, CentredOrKeptReachable) {
    const PixelRect window{0, 0, 400, 300};
    const PixelRect work{0, 40, 1920, 1000};
    const PixelRect screen{0, 0, 1920, 1080};
    auto at = [&](bool centre, int x, int y) {
        const WindowPlacement p = placeWindow(centre, x, y, window, work, screen);
        return std::to_string(p.x) + "," + std::to_string(p.y);
    };
    EXPECT_EQ(at(true, 0, 0), "760,390");
    EXPECT_EQ(at(false, 1500, 3000), "100,200");  // on the screen: kept
    // 3000 twips of its corner still show, and the title strip stays below the work area's top.
    EXPECT_EQ(at(false, -20000, -20000), "-200,40");
    EXPECT_EQ(at(false, 99999, 99999), "1720,880");  // 3000 twips from the far edges
    // A window narrower than 3000 twips is pulled in until 3000 twips of it show: 1500 + 1500.
    const PixelRect small{0, 0, 100, 100};
    const WindowPlacement p = placeWindow(false, -20000, -20000, small, work, screen);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 100);
    const WindowPlacement exact = placeWindow(false, 1499, 1500, small, work, screen);
    EXPECT_EQ(exact.x, 100);  // 1499 + 1500 falls short by one twip
    EXPECT_EQ(exact.y, 100);  // exactly 3000: left where it is
}

// Regression: at 2x scale a big skin is taller than the work area, and centring put its title
// strip, the only handle of the frameless window, above the screen.
TEST(Placement, TitleStripStaysInsideTheWorkArea) {
    const PixelRect work{0, 30, 960, 510};  // 1920 x 1080 at 2x, a panel on top
    const PixelRect screen{0, 0, 960, 540};
    auto at = [&](bool centre, const PixelRect& window, int x = 0, int y = 0) {
        const WindowPlacement p = placeWindow(centre, x, y, window, work, screen, 25);
        return std::to_string(p.x) + "," + std::to_string(p.y);
    };
    EXPECT_EQ(at(true, {0, 0, 740, 564}), "110,30");   // hangs from the top
    EXPECT_EQ(at(true, {0, 0, 1000, 400}), "0,85");    // wider than the area: its left edge
    EXPECT_EQ(at(true, {0, 0, 400, 300}), "280,135");  // fits: centred as ever
    // A stored position above the area comes down to it.
    EXPECT_EQ(at(false, {0, 0, 400, 300}, 1500, -20000), "100,30");
}

}  // namespace
}  // namespace tv
