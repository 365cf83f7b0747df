// A whole calendar shell over fakes: temporary folders, a fake clock and platform, and window and
// tray hosts that record every call in order.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/app/app_state.h"
#include "core/app/window_host.h"
#include "core/ports/platform.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/fake_user_store.h"
#include "support/temp_dir.h"

namespace tv::test {

class RecordingWindow : public CalendarWindowHost {
public:
    void showSplash() override { calls.push_back("showSplash"); }
    void hideSplash() override { calls.push_back("hideSplash"); }
    void processEvents() override {}
    bool loadSkin(const std::string& skin) override {
        calls.push_back("loadSkin " + skin);
        return skinLoads;
    }
    void initCalendarWindow() override { calls.push_back("initCalendarWindow"); }
    void composeScreen() override { calls.push_back("composeScreen"); }
    void showWindow(bool focus) override {
        calls.push_back(focus ? "showWindow focus" : "showWindow nofocus");
    }
    void bringToFront() override { calls.push_back("bringToFront"); }
    void setMainTimer(bool on) override { calls.push_back(on ? "mainTimer on" : "mainTimer off"); }
    void setAutoRefresh(bool on) override {
        calls.push_back(on ? "autoRefresh on" : "autoRefresh off");
    }
    PixelRect windowRect() const override { return window; }
    PixelRect workArea() const override { return work; }
    PixelRect screen() const override { return screenRect; }
    void moveWindow(int x, int y) override {
        window.x = x;
        window.y = y;
        calls.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    }
    bool isFullScreenForeground() const override { return fullScreen; }
    void showUpdateNotice(const UpdateDialogModel&) override { calls.push_back("updateNotice"); }
    bool showSettingsModal() override {
        calls.push_back("settingsModal");
        return false;
    }
    void runCommand(CommandCode code) override {
        calls.push_back("command " + std::to_string(static_cast<int>(code)));
    }
    void refreshDay() override { calls.push_back("refreshDay"); }
    void redraw() override { calls.push_back("redraw"); }
    void refreshEvents() override { calls.push_back("refreshEvents"); }
    bool modalOpen() const override { return modal; }
    void flashTaskbar() override { calls.push_back("flashTaskbar"); }
    void setAlarmTimer(bool on) override {
        calls.push_back(on ? "alarmTimer on" : "alarmTimer off");
    }
    void stopTimers() override { calls.push_back("stopTimers"); }
    void saveThemeState() override { calls.push_back("saveThemeState"); }
    void releaseWindow() override { calls.push_back("releaseWindow"); }
    void closeAllWindows() override { calls.push_back("closeAllWindows"); }
    void endProcess() override { calls.push_back("endProcess"); }

    bool has(const std::string& call) const {
        for (const std::string& c : calls)
            if (c == call) return true;
        return false;
    }

    std::vector<std::string> calls;
    bool skinLoads = true;
    bool fullScreen = false;
    bool modal = false;
    PixelRect window{0, 0, 400, 300};
    PixelRect work{0, 0, 1920, 1040};
    PixelRect screenRect{0, 0, 1920, 1080};
};

class RecordingTray : public TrayHost {
public:
    void addIcon(const std::string& tip) override { calls.push_back("addIcon " + tip); }
    void removeIcon() override { calls.push_back("removeIcon"); }
    void showTrayMenu() override { calls.push_back("trayMenu"); }
    std::vector<std::string> calls;
};

// The strings the shell shows, so that tests see texts rather than keys.
inline constexpr const char* kTestStrings =
    "main_welcome_t = \"Üdvözöljük!\"\n"
    "main_welcome = \"Köszönjük, hogy a programot választotta.\"\n"
    "main_err_systime = \"A rendszeridő visszaállt.\"\n"
    "com_err_reg = \"Nem sikerült az automatikus indítás beállítása.\"\n"
    "com_error = \"Hiba\"\n";

struct AppHarness {
    AppHarness() : clock(FakeClock::at(2024, 3, 9, 8, 0, 0)), state(clock) {
        std::filesystem::create_directories(program.file("data"));
        program.write("data/hun_strings.dat", kTestStrings);
        platform.clock = &clock;
        platform.messageBox = &box;
        platform.shell = &shell;
        platform.userStore = &store;
        platform.autostart = &autostart;
        platform.sound = &sound;
        platform.download = &download;
        platform.singleInstance = &single;
        platform.paths.programDir = program.dir();
        platform.paths.userDataDir = data.dir() + "Brimcove Tempovirens/";
        platform.paths.executable = "/opt/tempovirens/tempovirens";
    }

    std::string userFile(const std::string& name) const {
        return platform.paths.userDataDir + name;
    }
    // The log's lines as written, the level-1 stamp "[s.ss] " removed.
    std::vector<std::string> logLines() const;
    // Whether `expected` appear in the log in this order (other lines may come between).
    bool logHasInOrder(const std::vector<std::string>& expected) const;
    bool logHas(const std::string& line) const { return logHasInOrder({line}); }

    TempDir data;
    TempDir program;
    FakeClock clock;
    FakeMessageBox box;
    FakeShell shell;
    FakeUserStore store;
    FakeAutostart autostart;
    FakeSound sound;
    FakeDownload download;
    FakeSingleInstance single;
    Platform platform;
    AppState state;
    RecordingWindow window;
    RecordingTray tray;
    AppContext ctx{state, platform, window, tray};
};

inline std::vector<std::string> AppHarness::logLines() const {
    std::vector<std::string> lines;
    std::ifstream in(state.log.path(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 2 && line[0] == '[') {
            const size_t close = line.find("] ");
            if (close != std::string::npos) line = line.substr(close + 2);
        }
        lines.push_back(line);
    }
    return lines;
}

inline bool AppHarness::logHasInOrder(const std::vector<std::string>& expected) const {
    size_t next = 0;
    for (const std::string& line : logLines()) {
        if (next < expected.size() && line == expected[next]) ++next;
    }
    return next == expected.size();
}

}  // namespace tv::test
