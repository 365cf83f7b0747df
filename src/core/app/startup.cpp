#include "core/app/startup.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <functional>

#include "core/app/app_contexts.h"
#include "core/app/app_state.h"
#include "core/app/change_receiver.h"
#include "core/app/tray.h"
#include "core/app/version.h"
#include "core/calc/calendar.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/config_file.h"
#include "core/config/legacy_import.h"
#include "core/config/settings_keys.h"
#include "core/events/event_database.h"
#include "core/names/picture_of_day.h"
#include "core/names/today_text.h"
#include "core/names/user_pictures.h"
#include "core/ports/platform.h"
#include "core/ports/text_measurer.h"

namespace tv {
namespace {

constexpr size_t kRuleWidth = 81;
constexpr int kReachableTwips = 3000;
constexpr std::string_view kSettingsFile = "settings.cfg";
constexpr std::string_view kLegacySettingsFile = "config.qzi";

std::string trimLower(std::string_view text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1])))
        --e;
    std::string out(text.substr(b, e - b));
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string seconds2(double s) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", s);
    return buf;
}

// "2024.03.09. 08:05:00"
std::string startupTimeText(DateTime t) {
    const Ymd d = t.date.ymd();
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d.%02d.%02d. %02d:%02d:%02d", d.year, d.month, d.day,
                  t.hour(), t.minute(), t.sec());
    return buf;
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

DateTime now(const AppContext& ctx) {
    return ctx.platform.clock->now();
}

// A step of the load: its name in the log, and an unexpected failure inside it logged under
// that name so that the rest of the start-up still runs.
void step(AppContext& ctx, std::string_view name, int level, const std::function<void()>& work) {
    if (level >= 0) ctx.state.log.write(name, level);
    try {
        work();
    } catch (const std::exception& e) {
        ctx.state.log.write("Error in '" + std::string(name) + "': " + e.what(), 0);
    }
}

UserPictureList& userPictureList(AppContext& ctx) {
    AppState& s = ctx.state;
    if (!s.userPictures) {
        UserPictureContext list;
        list.userDataDir = ctx.platform.paths.userDataDir;
        list.picturesDir = ctx.platform.paths.picturesDir;
        list.clock = ctx.platform.clock;
        list.log = &s.log;
        s.userPictures = std::make_unique<UserPictureList>(std::move(list));
    }
    return *s.userPictures;
}

void recordInstallation(AppContext& ctx) {
    UserStore* store = ctx.platform.userStore;
    if (store == nullptr) return;
    const std::string exe = baseName(ctx.platform.paths.executable);
    struct Value {
        std::string_view key;
        std::string text;
        int number;
        bool isText;
    };
    const Value values[] = {
        {installation::Install_Dir, ctx.platform.paths.programDir, 0, true},
        {installation::Exe_Name, exe.empty() ? "tempovirens" : exe, 0, true},
        {installation::versionMajor, {}, kVersionMajor, false},
        {installation::versionMinor, {}, kVersionMinor, false},
        {installation::versionRevision, {}, kVersionRevision, false},
    };
    for (const Value& v : values) {
        const std::string key(v.key);
        const bool ok = v.isText ? store->setString(key, v.text) : store->setInt(key, v.number);
        if (!ok) ctx.state.log.write("Error in 'fCheckProduct': cannot write " + key, 0);
    }
}

// One welcome event per installation. Only the first load of the first run adds it, and saves
// it at once: the reloads of that run (the tray, a skin) find it added, and a start after a crash
// before settings.cfg was written finds it in the table.
void addWelcomeEvent(AppContext& ctx) {
    AppState& s = ctx.state;
    if (s.welcomeAdded) return;
    s.welcomeAdded = true;
    const std::string name = s.strings.getString("main_welcome_t");
    const std::string picture = std::string(kAppPathMark) + "\\pictures\\welcome.jpg";
    for (int slot = 0; slot < s.events.slotCount(); ++slot) {
        const EventRecord& e = s.events[slot];
        if (e.used() && e.name == name && e.picture == picture) return;
    }
    const int slot = s.events.allocateEventSlot();
    if (slot < 0) return;
    EventRecord& e = s.events[slot];
    e.category = static_cast<uint8_t>(EventCategory::kUser);
    e.year = static_cast<int16_t>(s.today.year);
    e.month = static_cast<int16_t>(s.today.month);
    e.day = static_cast<uint8_t>(s.today.day);
    e.name = name;
    e.comment.clear();
    e.picture = picture;
    e.forecastDays = 0;
    e.anniversary = 0;
    e.repeat = 0;
    e.dayOff = 0;
    e.ruleKey.clear();
    e.active = 1;
    saveEventDatabase(s.events, eventDbContextOf(ctx));
}

// The page the load opens on: the first page, the month grid, or the alarm screen.
ScreenMode startPage(AppState& s, LoadMode mode) {
    if (mode == LoadMode::kAlert) return ScreenMode::kAlarm;
    int page = readInt(s.settings, settings::Cal_StartPage);
    if (page == 3) page = readInt(s.settings, settings::Cal_LastPage);
    return page == 1 ? ScreenMode::kMain : ScreenMode::kMonth;
}

// Whether this load may take the focus from what the user is doing.
bool mayComeToFront(AppContext& ctx, LoadMode mode) {
    AppState& s = ctx.state;
    if (mode == LoadMode::kSchedule) {
        const bool quiet = readInt(s.settings, settings::AutoStartWindowMode) == 1;
        return !(quiet || ctx.window.isFullScreenForeground());
    }
    if (mode == LoadMode::kAlert) {
        const bool onTop = readInt(s.settings, settings::AlarmTop) != 0;
        return onTop || !ctx.window.isFullScreenForeground();
    }
    return true;
}

void placeAndShow(AppContext& ctx, LoadMode mode) {
    AppState& s = ctx.state;
    if (s.loadUpFront) {
        ctx.window.hideSplash();
        s.log.write("Show window with focus", 0);
        ctx.window.showWindow(true);
    } else {
        s.log.write("Show window without focus", 0);
        ctx.window.showWindow(false);
    }
    ctx.window.setMainTimer(true);

    const bool centre = readInt(s.settings, settings::Cal_WinCenter) >= 1;
    int lastX = 0;
    int lastY = 0;
    if (!centre) {
        lastX = readInt(s.settings, settings::Cal_LastX);
        lastY = readInt(s.settings, settings::Cal_LastY);
    }
    const WindowPlacement p = placeWindow(centre, lastX, lastY, ctx.window.windowRect(),
                                          ctx.window.workArea(), ctx.window.screen());
    ctx.window.moveWindow(p.x, p.y);
    ctx.window.setAutoRefresh(mode == LoadMode::kBoot);
}

}  // namespace

void saveWindowPosition(AppContext& ctx) {
    AppState& s = ctx.state;
    // A table that was never read from events.cdb must not go over it.
    if (s.eventsLoaded) saveEventDatabase(s.events, eventDbContextOf(ctx));
    const PixelRect r = ctx.window.windowRect();
    write(s.settings, settings::Cal_LastX, std::to_string(r.x * kTwipsPerPixel));
    write(s.settings, settings::Cal_LastY, std::to_string(r.y * kTwipsPerPixel));
    write(s.settings, settings::Cal_LastPage,
          s.window.screenMode == ScreenMode::kMonth ? "2" : "1");
    saveSettings(ctx);
}

void saveCalendarData(AppContext& ctx) {
    AppState& s = ctx.state;
    if (s.loaded) {
        saveWindowPosition(ctx);
        return;
    }
    if (s.eventsLoaded) saveEventDatabase(s.events, eventDbContextOf(ctx));
    saveSettings(ctx);
}

bool calendarBusy(const AppState& s) {
    return s.loading || s.loadInProgress || s.applyingChange;
}

bool readUserSettings(AppContext& ctx) {
    AppState& s = ctx.state;
    const std::string& dir = ctx.platform.paths.userDataDir;
    const std::string cfg = dir + std::string(kSettingsFile);
    if (fileExists(cfg)) {
        readConfig(s.settings, cfg, ctx.platform.messageBox);
        return true;
    }
    if (fileExists(dir + std::string(kLegacySettingsFile))) {
        importLegacy(kLegacySettingsFile, LegacyImportContext{dir, &s.events, &s.settings, &s.log});
        return true;
    }
    return false;
}

bool saveSettings(AppContext& ctx) {
    return writeConfig(ctx.state.settings,
                       ctx.platform.paths.userDataDir + std::string(kSettingsFile));
}

UpdateContext makeUpdateContext(AppContext& ctx) {
    AppState& s = ctx.state;
    UpdateContext u;
    u.settings = &s.settings;
    u.clock = ctx.platform.clock;
    u.strings = &s.strings;
    u.log = &s.log;
    u.userStore = ctx.platform.userStore;
    u.programDir = ctx.platform.paths.programDir;
    u.skin = s.settings.item(settings::Skin.key);
    u.entries = s.events.eventCount();
    u.saveSettings = [&ctx] { return saveSettings(ctx); };
    return u;
}

WindowPlacement placeWindow(bool centre, int lastXTwips, int lastYTwips, const PixelRect& window,
                            const PixelRect& workArea, const PixelRect& screen) {
    if (centre) {
        return {workArea.x + (workArea.width - window.width) / 2,
                workArea.y + (workArea.height - window.height) / 2};
    }
    // The stored position is in twips; keep at least 3000 of them reachable, in this order.
    const int w = window.width * kTwipsPerPixel;
    const int h = window.height * kTwipsPerPixel;
    const int screenW = screen.width * kTwipsPerPixel;
    const int screenH = screen.height * kTwipsPerPixel;
    int left = lastXTwips;
    int top = lastYTwips;
    if (left + w < kReachableTwips) left = kReachableTwips - w;
    if (top + h < kReachableTwips) top = kReachableTwips - h;
    if (left + kReachableTwips > screenW) left = screenW - kReachableTwips;
    if (top + kReachableTwips > screenH) top = screenH - kReachableTwips;
    return {left / kTwipsPerPixel, top / kTwipsPerPixel};
}

MainOutcome startCalendar(AppContext& ctx, std::string_view commandLine) {
    AppState& s = ctx.state;
    Platform& p = ctx.platform;
    const std::string line = trimLower(commandLine);

    // A second start hands its request over and ends. The settings are not read yet, so the
    // tray flag's default decides.
    if (p.singleInstance != nullptr &&
        !p.singleInstance->becomePrimary(
            [&ctx](const std::string& message) { return receiveMessage(ctx, message); })) {
        if (readFlag(s.settings, settings::AS_TrayIcon)) {
            p.singleInstance->send(line == "-dev" ? "launch-dev" : "launch");
            return MainOutcome::kHandedOver;
        }
        if (p.messageBox != nullptr) {
            p.messageBox->show({std::string(kAlreadyRunning), std::string(kProgramName),
                                MessageButtons::kOk, MessageIcon::kInformation});
        }
        return MainOutcome::kRefused;
    }

    s.loading = true;
    std::copy(kColourHues.begin(), kColourHues.end(), s.hues.begin());
    s.commandLine = line;
    if (line == "-dev") s.window.developer = true;
    s.random.seed(clockSeed(*p.clock));

    const std::string& dataDir = p.paths.userDataDir;
    const std::string logsDir = dataDir + "logs/";
    cleanLogs(logsDir, *p.clock);
    createFolderPath(logsDir);
    const Ymd today = now(ctx).date.ymd();
    s.log.open(logsDir + Log::fileNameFor(today.year, today.month, today.day));

    const std::string rule(kRuleWidth, '=');
    s.log.write(rule, 2);
    s.log.write(rule, 2);
    s.log.write(std::string(kProgramName) + " version " + versionText(), 2);
    s.log.write("startup time: " + startupTimeText(now(ctx)), 2);
    if (!line.empty()) s.log.write("parameters: \"" + line + "\"", 0);

    // loadStrings writes its own step line.
    step(ctx, "fLoadStrings", -1,
         [&] { s.strings.loadStrings(p.paths.programDir, &s.log, p.messageBox); });
    step(ctx, "fCheckProduct", 2, [&] { recordInstallation(ctx); });
    step(ctx, "Load config file", 2, [&] {
        createFolderPath(dataDir);
        if (!readUserSettings(ctx)) s.firstRun = true;
        if (s.settings.itemAlt(settings::Skin.key, "").empty()) {
            write(s.settings, settings::Skin, kDefaultSkin);
            s.log.write("default theme was set (" + std::string(kDefaultSkin) + ")", 0);
        }
        updateStateAtStart(s.update, makeUpdateContext(ctx));
    });

    if (readFlag(s.settings, settings::AS_TrayIcon)) loadTrayForm(ctx);

    if (line != "-boot") {
        loadUpCalendar(ctx, LoadMode::kLaunchByUser);
    } else if (readFlag(s.settings, settings::AS_AutoStart)) {
        loadUpCalendar(ctx, LoadMode::kBoot);
    } else {
        s.loading = false;
        if (s.tray.loaded) return MainOutcome::kInTray;
        ctx.window.endProcess();
        s.ended = true;
        return MainOutcome::kEnded;
    }
    if (s.ended) return MainOutcome::kEnded;
    return s.loaded ? MainOutcome::kLoaded : MainOutcome::kInTray;
}

void loadUpCalendar(AppContext& ctx, LoadMode mode) {
    AppState& s = ctx.state;
    Platform& p = ctx.platform;
    Log& log = s.log;

    log.write("fLoadUpCalendar(" + std::string(logWord(mode)) + ")", 2);
    s.loadUpFront = mayComeToFront(ctx, mode);
    log.write(std::string("bLoadUpFront = ") + (s.loadUpFront ? "True" : "False"), 0);

    if (s.loaded) {
        if (mode == LoadMode::kRaise) {
            ctx.window.bringToFront();
            return;
        }
        if (!s.loadUpFront) return;
        log.write("SHOW WINDOW AND ASSIGN TO TOP", 0);
        ctx.window.bringToFront();
        return;
    }

    s.loadStart = p.clock->secondsSinceMidnight();
    log.setReferenceTime();
    const std::string head = "======= Load calendar window ";
    log.write(head + std::string(kRuleWidth - head.size(), '='), 2);
    s.loaded = true;
    s.loadInProgress = true;
    s.activatedSinceLoad = false;

    if (s.loadUpFront) ctx.window.showSplash();
    ctx.window.processEvents();

    step(ctx, "fSetVariables", 1, [&] {
        setTodayState(s.today, now(ctx), s.strings);
        s.names.load(p.paths.programDir);
    });

    // A database that cannot be read is never written over: no save, and the end.
    s.eventsLoaded = false;
    if (!loadEventDatabase(s.events, eventDbContextOf(ctx))) {
        unloadCalendar(ctx, UnloadMode::kDbError, UnloadIntent::kExit);
        unloadTrayForm(ctx);
        s.loading = false;
        s.loadInProgress = false;
        s.ended = true;
        ctx.window.endProcess();
        return;
    }

    s.eventsLoaded = true;
    if (s.firstRun) addWelcomeEvent(ctx);
    step(ctx, "fCheckAutoStart", -1, [&] { checkAutoStart(ctx); });

    if (mode == LoadMode::kRestore) {
        // The restored data counts as last seen yesterday.
        const Date today = now(ctx).date;
        write(s.settings, settings::LastRun, isoDate(today.addDays(-1)));
        write(s.settings, settings::LastRunToday, isoDate(today));
    }
    step(ctx, "fCheckLastRun", 1, [&] { checkLastRun(s, now(ctx)); });

    bool skinLoaded = false;
    step(ctx, "fgfxSetSkin", 1, [&] {
        if (readInt(s.settings, settings::SmallSkin) != 1) {
            skinLoaded = ctx.window.loadSkin(read(s.settings, settings::Skin));
        }
    });
    step(ctx, "fInitCalendarWindow", 1, [&] {
        if (skinLoaded) ctx.window.initCalendarWindow();
    });
    step(ctx, "fSetTodayText", 1,
         [&] { s.todayText = buildTodayText(s.today, s.settings, s.strings, s.names); });
    step(ctx, "fCheckEvents", 1, [&] { checkEvents(s.events, eventCheckContextOf(ctx), s.lists); });

    s.window.screenMode = startPage(s, mode);
    if (mode == LoadMode::kSkin) write(s.settings, settings::M_Default, "2");

    if (wisdomDueAtStartup(mode == LoadMode::kSkin || mode == LoadMode::kAlert, s.firstRun,
                           s.firstAppearanceToday, s.settings)) {
        step(ctx, "fPickStartupWisdom", -1, [&] {
            pickStartupWisdom(s.window.wisdom, s.settings, p.paths.programDir,
                              s.events.wisdomMarks(), s.random, &log);
            // The marks and LastWisdom reach the disk now: after a crash the saying must not
            // come again.
            saveEventDatabase(s.events, eventDbContextOf(ctx));
            saveSettings(ctx);
        });
    }

    step(ctx, "gfxLoadBgImg", 1, [&] { ctx.window.composeScreen(); });
    placeAndShow(ctx, mode);

    log.write("", 0);
    log.write(std::string(kProgramName) + " loaded successfully in " +
                  seconds2(p.clock->secondsSinceMidnight() - s.loadStart) + " sec.",
              2);
    ctx.window.processEvents();
    s.loadInProgress = false;

    UpdateContext update = makeUpdateContext(ctx);
    if (mode != LoadMode::kLaunchByUser && mode != LoadMode::kBoot)
        updateStateAtStart(s.update, update);
    if (auto notice = updateReminder(s.update, update, false)) {
        ctx.window.showUpdateNotice(*notice);
    }

    s.loading = false;
    if (mode == LoadMode::kSkin && ctx.window.showSettingsModal()) reloadForSkin(ctx);
}

void reloadForSkin(AppContext& ctx) {
    unloadCalendar(ctx, UnloadMode::kClose, UnloadIntent::kReload);
    loadUpCalendar(ctx, LoadMode::kSkin);
}

void unloadCalendar(AppContext& ctx, UnloadMode mode, UnloadIntent intent) {
    AppState& s = ctx.state;
    Log& log = s.log;
    if (!s.loaded) {
        log.write("Calendar is already unloaded", 0);
        return;
    }
    log.write("Unload calendar", 2);
    ctx.window.stopTimers();
    if (ctx.platform.sound != nullptr) ctx.platform.sound->stop();

    const bool dbError = mode == UnloadMode::kDbError;
    if (!dbError) ctx.window.saveThemeState();
    if (readFlag(s.settings, settings::AS_TrayIcon)) refreshTrayForm(ctx);

    // After a restore the files on disk are the backup's: nothing of ours may go over them.
    if (!dbError && mode != UnloadMode::kRestore) saveWindowPosition(ctx);

    ctx.window.releaseWindow();
    s.theme.removeAll();
    s.today = TodayState{};
    s.todayText.clear();
    s.window.wisdom = WisdomState{};
    // The event table and its lists stay: the tray's minute check rings from the alarm list, with
    // its marks of what has rung.

    s.loaded = false;
    s.activatedSinceLoad = false;
    log.write("Calendar unloaded successfully. sComs = " + std::string(logWord(mode)), 0);
    log.write("", 0);

    if (mode == UnloadMode::kRestore || intent != UnloadIntent::kClose) return;
    if (readInt(s.settings, settings::AS_TrayIcon) > 0) return;  // stays in the tray
    log.write("Ended", 0);
    s.ended = true;
    ctx.window.endProcess();
}

void checkLastRun(AppState& state, DateTime now) {
    HashTable& t = state.settings;
    const Date today = now.date;
    const std::string todayIso = isoDate(today);

    state.firstAppearanceToday = true;
    write(t, settings::LastAppear, read(t, settings::LastAppearNow));
    write(t, settings::LastAppearNow, isoDateTime(now));

    if (read(t, settings::LastRunToday) == todayIso) {
        state.firstAppearanceToday = false;
    } else if (!read(t, settings::LastAppear).empty()) {
        write(t, settings::LastRun, read(t, settings::LastRunToday));
        write(t, settings::LastRunToday, todayIso);
    } else {
        write(t, settings::LastRun, todayIso);
        write(t, settings::LastRunToday, todayIso);
    }

    const std::string lastRun = read(t, settings::LastRun);
    state.daysSinceLastRun = lastRun == todayIso ? 1 : daysBetween(parseDate(lastRun), today);
    state.timeMovedBackward = state.daysSinceLastRun < 0;
    if (state.timeMovedBackward) {
        state.log.write("System time has changed backward.", 0);
    } else {
        state.log.write("Days since last run: " + std::to_string(state.daysSinceLastRun), 0);
    }
}

PictureOfDay loadBackgroundPicture(AppContext& ctx, HashTable* theme, bool redraw) {
    AppState& s = ctx.state;
    PictureDay day;
    day.now = now(ctx);
    day.season = s.today.season;
    day.firstAppearanceToday = s.firstAppearanceToday;
    day.eventPicture = s.lists.dayPicture;
    PictureContext pc;
    pc.settings = &s.settings;
    pc.theme = theme;
    pc.strings = &s.strings;
    pc.marks = &s.events.pictureMarks();
    pc.random = &s.random;
    pc.images = ctx.platform.images;
    pc.userPictures = &userPictureList(ctx);
    pc.programDir = ctx.platform.paths.programDir;
    PictureOfDay picture = loadPictureOfDay(redraw, day, pc);
    if (picture.origin == PictureOrigin::kSeasonal)
        saveEventDatabase(s.events, eventDbContextOf(ctx));
    return picture;
}

bool checkDayChange(AppContext& ctx) {
    AppState& s = ctx.state;
    if (!s.loaded) return false;
    const DateTime t = now(ctx);
    if (t.date == s.today.currentDay) return false;

    s.log.write("Day changed: " + isoDate(t.date), 2);
    saveSettings(ctx);
    step(ctx, "fSetVariables", 1, [&] { setTodayState(s.today, t, s.strings); });
    step(ctx, "fCheckLastRun", 1, [&] { checkLastRun(s, t); });
    step(ctx, "fSetTodayText", 1,
         [&] { s.todayText = buildTodayText(s.today, s.settings, s.strings, s.names); });
    step(ctx, "fCheckEvents", 1, [&] { checkEvents(s.events, eventCheckContextOf(ctx), s.lists); });
    ctx.window.refreshDay();
    return true;
}

void firstActivation(AppContext& ctx) {
    AppState& s = ctx.state;
    Platform& p = ctx.platform;
    if (s.activatedSinceLoad) return;
    s.activatedSinceLoad = true;
    ctx.window.processEvents();

    if (s.firstAppearanceToday) {
        if (!s.lists.missed.empty()) {
            if (p.shell != nullptr) p.shell->beep();
            ctx.window.runCommand(10);
        }
        if (s.timeMovedBackward) {
            s.log.write("system time has been set backward", 0);
            if (p.messageBox != nullptr) {
                p.messageBox->show({s.strings.getString("main_err_systime"),
                                    std::string(kProgramName), MessageButtons::kOk,
                                    MessageIcon::kWarning});
            }
        }
    }
    // Once per process: a reload on the first day must not greet again.
    if (s.firstRun && !s.welcomeShown) {
        s.welcomeShown = true;
        if (p.messageBox != nullptr) {
            p.messageBox->show({s.strings.getString("main_welcome"), std::string(kProgramName),
                                MessageButtons::kOk, MessageIcon::kNone});
        }
        if (p.shell != nullptr) p.shell->openDocument(p.paths.programDir + "about_hun.html");
    }
}

void exitProgram(AppContext& ctx) {
    AppState& s = ctx.state;
    unloadCalendar(ctx, UnloadMode::kClose, UnloadIntent::kExit);
    unloadTrayForm(ctx);
    ctx.window.closeAllWindows();
    s.log.write("Application terminated by user.", 2);
    s.ended = true;
    ctx.window.endProcess();
}

}  // namespace tv
