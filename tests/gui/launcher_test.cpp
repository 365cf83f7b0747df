// The `tempovirens` command: a second start hands over to the running calendar without loading
// Qt or any of the calendar's libraries, and a command without its calendar module says why.
#include <gtest/gtest.h>

#include <QThread>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/real_program.h"

namespace tv {
namespace {

size_t countOf(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(LauncherTest, ASecondStartHandsOverWithoutLoadingQt) {
    test::RealProgram program;
    ASSERT_TRUE(program.start());
    ASSERT_TRUE(program.waitUntilLoaded());
    const size_t loads = countOf(program.logText(), "fLoadUpCalendar(");

    // The loader names every library it looks for.
    std::string command = "env LD_DEBUG=libs";
    for (const auto& [key, value] : program.environment())
        command += " " + key + "='" + value + "'";
    const test::CommandResult second = test::runShell(command + " " TV_PROGRAM " 2>&1");
    EXPECT_EQ(second.status, 0) << second.out;
    EXPECT_EQ(second.out.find("libQt6"), std::string::npos) << second.out;
    EXPECT_EQ(second.out.find("libtempovirens_calendar"), std::string::npos);

    // The running calendar took the request: it brought its window up again.
    bool raised = false;
    for (int i = 0; i < 100 && !raised; ++i) {
        raised = countOf(program.logText(), "fLoadUpCalendar(") > loads;
        if (!raised) QThread::msleep(50);
    }
    EXPECT_TRUE(raised) << program.logText();
}

// The network, its TLS and proxy libraries and the keyring come only with the first use of what
// needs them (the online module); a start that goes nowhere online maps none of them.
TEST(LauncherTest, AStartMapsNoNetworkLibrary) {
    test::RealProgram program;
    ASSERT_TRUE(program.start());
    ASSERT_TRUE(program.waitUntilLoaded());
    std::ifstream maps("/proc/" + std::to_string(program.pid()) + "/maps");
    std::stringstream text;
    text << maps.rdbuf();
    ASSERT_NE(text.str().find("libtempovirens_calendar.so"), std::string::npos);
    EXPECT_EQ(text.str().find("libQt6Network"), std::string::npos);
    EXPECT_EQ(text.str().find("keychain"), std::string::npos);
    EXPECT_EQ(text.str().find("libtempovirens_online"), std::string::npos);
}

TEST(LauncherTest, WithoutItsCalendarModuleTheCommandSaysWhyAndFails) {
    test::TempDir bin;
    std::filesystem::copy_file(TV_PROGRAM, bin.file("tempovirens"));
    std::filesystem::permissions(bin.file("tempovirens"), std::filesystem::perms::owner_all);
    // No calendar runs in this runtime folder, so the command must load the module it lacks.
    const test::CommandResult r = test::runShell("env XDG_RUNTIME_DIR=" + bin.dir() + " " +
                                                 bin.file("tempovirens") + " 2>&1");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("nem tölthető be"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("libtempovirens_calendar.so"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace tv
