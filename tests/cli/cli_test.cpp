// tempovirens-cli as a whole process: outputs, exit codes, JSON.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

struct Result {
    std::string out;
    int status = -1;
};

Result run(const std::string& args) {
    Result r;
    const std::string cmd = std::string(TV_CLI) + " " + args + " 2>/dev/null";
    const tv::test::CommandResult c = tv::test::runShell(cmd);
    r.out = c.out;
    r.status = c.status;
    return r;
}

TEST(Cli, CalendarArithmetic) {
    EXPECT_EQ(run("easter 2285").out, "2285-03-22\n");
    EXPECT_EQ(run("easter 1700").out, run("easter 1700").out);  // Julian years answer too
    EXPECT_EQ(run("week 2020-12-31").out, "53\n");
    EXPECT_EQ(run("week 2021-01-01").out, "0\n");
    EXPECT_EQ(run("feast ADVENT4 2023").out, "2023-12-24\n");
    EXPECT_EQ(run("feast kidsday 2022").out, "2022-05-29\n");
    EXPECT_EQ(run("feast goodfriday 2026").out, "2026-04-03\n");
    EXPECT_EQ(run("--json easter 2024").out, "{\"year\":2024,\"date\":\"2024-03-31\"}\n");
}

TEST(Cli, ExitCodesSeparateBadArgumentsFromFailedWork) {
    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("nosuch").status, 2);
    EXPECT_EQ(run("easter").status, 2);
    EXPECT_EQ(run("easter 20x4").status, 2);
    EXPECT_EQ(run("week 2021-02-30").status, 2);
    EXPECT_EQ(run("--today 2024-13-01 easter 2024").status, 2);
    EXPECT_EQ(run("feast pentecost 2024").status, 1);
    EXPECT_EQ(run("config dump /nonexistent/x.cfg").status, 1);
    EXPECT_EQ(run("easter 2024").status, 0);
}

TEST(Cli, ConfigDumpPrintsWhatWasReadEvenWhenTheReadFails) {
    tv::test::TempDir dir;
    dir.write("a.cfg", "one = 1\r\ntwo = \"2 // x\"\r\none = again\r\nthree = 3\r\n");
    Result r = run("config dump '" + dir.file("a.cfg") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "one\t1\ntwo\t2 // x\n");
}

TEST(Cli, StringsAndSinceUseTheProgramFoldersTable) {
    tv::test::TempDir dir;
    std::filesystem::create_directories(dir.file("data"));
    dir.write("data/hun_strings.dat",
              "time_spent_md = \"$1 hónap és $2 nap\"\r\nhello = \"Szia\\n$1!\"\r\n");
    const std::string opt = "--program-dir '" + dir.dir() + "' ";
    EXPECT_EQ(run(opt + "strings hello Béla").out, "Szia\nBéla!\n");
    EXPECT_EQ(run(opt + "strings missing_key").out, "missing_key\n");
    EXPECT_EQ(run(opt + "--today 2024-03-09 since 2023-03-10").out, "11 hónap és 28 nap\n");
    EXPECT_EQ(run(opt + "--json strings hello").out,
              "{\"key\":\"hello\",\"exists\":true,\"text\":\"Szia\\r\\n$1!\"}\n");
}

}  // namespace
