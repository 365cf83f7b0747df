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

}  // namespace

void step(AppContext& ctx, std::string_view name, int level, const std::function<void()>& work) {
    if (level >= 0) ctx.state.log.write(name, level);
    try {
        work();
    } catch (const std::exception& e) {
        ctx.state.log.write("Error in '" + std::string(name) + "': " + e.what(), 0);
    }
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
