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

}  // namespace

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
    day.now = clockNow(ctx);
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
    const DateTime t = clockNow(ctx);
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
            ctx.window.runCommand(CommandCode::kMissedEvents);
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

}  // namespace tv
