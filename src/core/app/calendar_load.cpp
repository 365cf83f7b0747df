#include "core/app/startup.h"

#include "core/app/load_step.h"

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

constexpr int kReachableTwips = 3000;

std::string seconds2(double s) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", s);
    return buf;
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
    log.write(head + std::string(kLogRuleWidth - head.size(), '='), 2);
    s.loaded = true;
    s.loadInProgress = true;
    s.activatedSinceLoad = false;

    if (s.loadUpFront) ctx.window.showSplash();
    ctx.window.processEvents();

    step(ctx, "fSetVariables", 1, [&] {
        setTodayState(s.today, clockNow(ctx), s.strings);
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
        const Date today = clockNow(ctx).date;
        write(s.settings, settings::LastRun, isoDate(today.addDays(-1)));
        write(s.settings, settings::LastRunToday, isoDate(today));
    }
    step(ctx, "fCheckLastRun", 1, [&] { checkLastRun(s, clockNow(ctx)); });

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

}  // namespace tv
