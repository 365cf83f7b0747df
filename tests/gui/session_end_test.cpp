// The end of a session as the desktop delivers it: the real program runs as a child process on
// the offscreen platform, gets a termination signal once it is up, and must save what a close
// saves and exit with status 0.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDate>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

struct SignalCase {
    int number;
    const char* name;
    // gtest finds the printer by this name.
    friend void PrintTo(const SignalCase& c,
                        std::ostream* out) {  // NOLINT(readability-identifier-naming)
        *out << "SIG" << c.name;
    }
};

class SessionEndTest : public ::testing::TestWithParam<SignalCase> {
protected:
    void TearDown() override {
        if (child > 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
    }

    void startProgram() {
        std::filesystem::create_directories(home.file("runtime"));
        std::filesystem::permissions(home.file("runtime"), std::filesystem::perms::owner_all);
        const std::vector<std::pair<std::string, std::string>> own = {
            {"QT_QPA_PLATFORM", "offscreen"},
            {"TEMPOVIRENS_PROGRAM_DIR", TV_TEST_PROGRAM_DIR},
            {"XDG_DATA_HOME", home.file("data")},
            {"XDG_CONFIG_HOME", home.file("config")},
            {"XDG_CACHE_HOME", home.file("cache")},
            {"XDG_RUNTIME_DIR", home.file("runtime")}};
        child = test::startWithEnvironment(TV_PROGRAM, own);
        ASSERT_GE(child, 0);
    }

    std::string userFile(const std::string& name) const {
        return home.file("data") + "/Brimcove Tempovirens/" + name;
    }

    // The load's last line in the day's log.
    bool waitUntilLoaded() {
        const std::string logs = userFile("logs");
        for (int i = 0; i < 300; ++i) {
            std::error_code ec;
            for (const auto& e : std::filesystem::directory_iterator(logs, ec)) {
                std::string text;
                std::ifstream in(e.path(), std::ios::binary);
                text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
                if (text.find("loaded successfully") != std::string::npos) return true;
            }
            QThread::msleep(100);
        }
        return false;
    }

    // The exit status, or -1 for a child that was killed or did not end within 20 s.
    int waitForExit() {
        for (int i = 0; i < 200; ++i) {
            int status = 0;
            if (::waitpid(child, &status, WNOHANG) == child) {
                child = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            QThread::msleep(100);
        }
        return -1;
    }

    test::TempDir home;
    pid_t child = 0;
};

TEST_P(SessionEndTest, SavesLikeACloseAndExitsWithZero) {
    startProgram();
    ASSERT_TRUE(waitUntilLoaded());
    ASSERT_EQ(::kill(child, GetParam().number), 0);
    EXPECT_EQ(waitForExit(), 0);

    HashTable settings;
    ASSERT_TRUE(readConfig(settings, userFile("settings.cfg")));
    const std::string today = QDate::currentDate().toString(Qt::ISODate).toStdString();
    EXPECT_EQ(settings.item("LastRun"), today);
    EXPECT_EQ(settings.item("LastRunToday"), today);
    // The window's place and page, as a close stores them.
    EXPECT_FALSE(settings.item("Cal_LastX").empty());
    EXPECT_EQ(settings.item("Cal_LastPage"), "1");
    EXPECT_TRUE(std::filesystem::exists(userFile("events.cdb")));
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEndTest,
                         ::testing::Values(SignalCase{SIGTERM, "TERM"}, SignalCase{SIGINT, "INT"},
                                           SignalCase{SIGHUP, "HUP"}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tv
