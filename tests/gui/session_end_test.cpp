// The end of a session as the desktop delivers it: the real program runs as a child process on
// the offscreen platform, gets a termination signal once it is up, and must save what a close
// saves and exit with status 0.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDate>
#include <filesystem>
#include <string>

#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "support/real_program.h"

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
    test::RealProgram program;
};

TEST_P(SessionEndTest, SavesLikeACloseAndExitsWithZero) {
    ASSERT_TRUE(program.start());
    ASSERT_TRUE(program.waitUntilLoaded());
    ASSERT_EQ(::kill(program.pid(), GetParam().number), 0);
    EXPECT_EQ(program.waitForExit(), 0);

    HashTable settings;
    ASSERT_TRUE(readConfig(settings, program.userFile("settings.cfg")));
    const std::string today = QDate::currentDate().toString(Qt::ISODate).toStdString();
    EXPECT_EQ(settings.item("LastRun"), today);
    EXPECT_EQ(settings.item("LastRunToday"), today);
    // The window's place and page, as a close stores them.
    EXPECT_FALSE(settings.item("Cal_LastX").empty());
    EXPECT_EQ(settings.item("Cal_LastPage"), "1");
    EXPECT_TRUE(std::filesystem::exists(program.userFile("events.cdb")));
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEndTest,
                         ::testing::Values(SignalCase{SIGTERM, "TERM"}, SignalCase{SIGINT, "INT"},
                                           SignalCase{SIGHUP, "HUP"}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tv
