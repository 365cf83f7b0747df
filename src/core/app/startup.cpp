#include "core/app/startup.h"

#include "core/app/load_step.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <vector>

#include "core/app/app_contexts.h"
#include "core/app/app_state.h"
#include "core/app/change_receiver.h"
#include "core/app/hand_over.h"
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

constexpr std::string_view kSettingsFile = "settings.cfg";
constexpr std::string_view kLegacySettingsFile = "config.qzi";

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

// The installation values, written only when they differ from what the store holds: a start
// after the first then writes nothing, and a first start syncs the store once.
void recordInstallation(AppContext& ctx) {
    UserStore* store = ctx.platform.userStore;
    if (store == nullptr) return;
    const std::string exe = baseName(ctx.platform.paths.executable);
    const std::vector<UserValue> values = {
        {std::string(installation::Install_Dir), ctx.platform.paths.programDir},
        {std::string(installation::Exe_Name), exe.empty() ? std::string("tempovirens") : exe},
        {std::string(installation::versionMajor), int32_t{kVersionMajor}},
        {std::string(installation::versionMinor), int32_t{kVersionMinor}},
        {std::string(installation::versionRevision), int32_t{kVersionRevision}},
    };
    std::vector<UserValue> changed;
    for (const UserValue& v : values) {
        const auto* text = std::get_if<std::string>(&v.value);
        const bool same = text != nullptr ? store->getString(v.key) == *text
                                          : store->getInt(v.key) == std::get<int32_t>(v.value);
        if (!same) changed.push_back(v);
    }
    if (changed.empty() || store->setValues(changed)) return;
    for (const UserValue& v : changed)
        ctx.state.log.write("Error in 'fCheckProduct': cannot write " + v.key, 0);
}

}  // namespace

void step(AppContext& ctx, std::string_view name, int level, const std::function<void()>& work) {
    if (level >= 0) ctx.state.log.write(name, level);
    try {
        work();
    } catch (const std::exception& e) {
        ctx.state.log.write("Error in '" + std::string(name) + "': " + e.what(), 0);
    }
    ctx.window.stepDone();
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
    errno = 0;
    if (writeConfig(ctx.state.settings,
                    ctx.platform.paths.userDataDir + std::string(kSettingsFile))) {
        return true;
    }
    // The background saves (day change, unload) only log; the settings window says it aloud.
    const int error = errno;
    ctx.state.log.write("Error saving settings.cfg: " +
                            std::string(error != 0 ? std::strerror(error) : "unknown error"),
                        0);
    return false;
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
            p.singleInstance->send(launchMessage(line));
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
    const Ymd today = clockNow(ctx).date.ymd();
    s.log.open(logsDir + Log::fileNameFor(today.year, today.month, today.day));

    const std::string rule(kLogRuleWidth, '=');
    s.log.write(rule, 2);
    s.log.write(rule, 2);
    s.log.write(std::string(kProgramName) + " version " + versionText(), 2);
    s.log.write("startup time: " + startupTimeText(clockNow(ctx)), 2);
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
