// A sync run asked for on the command line while the calendar runs: the real program runs as a
// child process on the offscreen platform with a Radicale beside it, and the tool hands the run
// over instead of writing the files itself.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QThread>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "gui/window_fixture.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "sync/radicale_server.h"

namespace tv {
namespace {

class SyncHandoverTest : public ::testing::Test {
protected:
    // The test's own network client needs an application object, also when it runs alone.
    static void SetUpTestSuite() { test::ensureApplication(); }
    void TearDown() override {
        if (child > 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
    }

    std::vector<std::pair<std::string, std::string>> environment() const {
        return {{"QT_QPA_PLATFORM", "offscreen"},
                {"TEMPOVIRENS_PROGRAM_DIR", TV_TEST_PROGRAM_DIR},
                {"XDG_DATA_HOME", home.file("data")},
                {"XDG_CONFIG_HOME", home.file("config")},
                {"XDG_CACHE_HOME", home.file("cache")},
                {"XDG_RUNTIME_DIR", home.file("runtime")},
                {"TEMPOVIRENS_SYNC_PASSWORD", test::kPassword},
                {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent"}};
    }
    std::string userDir() const { return home.file("data") + "/Brimcove Tempovirens/"; }

    // The tool with the calendar's environment.
    test::CommandResult cli(const std::string& args) const {
        std::string line;
        for (const auto& [key, value] : environment())
            line += key + "='" + value + "' ";
        return test::runShell(line + TV_CLI + " " + args + " 2>&1");
    }

    void startProgram() {
        child = test::startWithEnvironment(TV_PROGRAM, environment());
        ASSERT_GE(child, 0);
    }

    std::string log() const {
        std::string all;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(userDir() + "logs", ec)) {
            std::ifstream in(e.path(), std::ios::binary);
            all.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return all;
    }
    bool waitForLog(const std::string& text) const {
        for (int i = 0; i < 300; ++i) {
            if (log().find(text) != std::string::npos) return true;
            QThread::msleep(100);
        }
        return false;
    }

    test::RadicaleServer server;
    test::TempDir home;
    pid_t child = 0;
};

TEST_F(SyncHandoverTest, TheToolHandsTheRunToTheRunningCalendar) {
    ASSERT_TRUE(server.up());
    ASSERT_TRUE(server.makeCalendar(server.calendar()));
    std::filesystem::create_directories(home.file("runtime"));
    std::filesystem::permissions(home.file("runtime"), std::filesystem::perms::owner_all);
    std::filesystem::create_directories(userDir());
    std::ofstream(userDir() + "settings.cfg")
        << "Skin = \"metal_big\"\nSync_Url = \"" << server.url() << "\"\nSync_User = \""
        << test::kUser << "\"\nSync_Calendar = \"" << server.calendar()
        << "\"\nSync_Interval = \"0\"\n";
    ASSERT_EQ(cli("events add --name Fogorvos --date 2030-05-03").status, 0);

    startProgram();
    ASSERT_TRUE(waitForLog("loaded successfully"));
    const test::CommandResult run = cli("--json sync run");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("\"result\":\"ok\""), std::string::npos) << run.out;
    EXPECT_NE(log().find("Change from the command line: sync"), std::string::npos);

    QtCalDavClient dav(server.account());
    std::vector<DavEntry> entries;
    ASSERT_TRUE(dav.listEtags(server.calendar(), entries).ok());
    EXPECT_EQ(entries.size(), 1u);
    const test::CommandResult status = cli("--json sync status");
    EXPECT_NE(status.out.find("\"lastResult\":\"ok\""), std::string::npos) << status.out;
}

}  // namespace
}  // namespace tv
