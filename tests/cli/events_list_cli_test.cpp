// "events list/add/delete" as a whole process on a folder of its own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

struct Result {
    std::string out;
    std::string err;
    int status = -1;
};

class EventsWindowCli : public ::testing::Test {
protected:
    EventsWindowCli() {
        std::filesystem::create_directories(program.file("data"));
        program.write("data/hun_strings.dat",
                      "dates_list_future = \"$1 nap múlva\"\r\n"
                      "dates_list_day_m1 = \"tegnap\"\r\n"
                      "main_month_1 = \"február\"\r\n"
                      "main_month_2 = \"március\"\r\n"
                      "dates_err_leap2 = \"Nincs február 29.\"\r\n"
                      "dates_err_passed = \"Elmúlt.\"\r\n"
                      "dates_q_delete = \"Törli? $1\"\r\n");
    }

    Result run(const std::string& args) {
        Result r;
        const std::string errFile = data.file("stderr.txt");
        const std::string cmd = std::string(TV_CLI) + " --program-dir '" + program.dir() +
                                "' --data-dir '" + data.dir() + "' --today 2025-03-01 " + args +
                                " 2>'" + errFile + "'";
        const tv::test::CommandResult c = tv::test::runShell(cmd);
        r.out = c.out;
        r.status = c.status;
        r.err = data.read("stderr.txt");
        return r;
    }

    static int lines(const std::string& s) {
        return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
    }

    tv::test::TempDir program;
    tv::test::TempDir data;
};

TEST_F(EventsWindowCli, AFirstRunCreatesTheHolidaysAndAddedEventsAreListed) {
    Result r = run("events list --list 2");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lines(r.out), 25);  // the holidays and feasts, Good Friday among them
    EXPECT_TRUE(std::filesystem::exists(data.file("events.cdb")));
    EXPECT_EQ(run("events list").out, "");

    r = run("events add --name 'Béla' --date 1980-03-07 --repeat year --anniversary");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "25\n");
    EXPECT_EQ(run("events list").out, "6 nap múlva\tBéla\t44,9\t1980. március 7.\n");
    EXPECT_EQ(run("--json events list --sort date").out,
              "[{\"slot\":25,\"day\":\"6 nap múlva\",\"name\":\"Béla\",\"age\":\"44,9\","
              "\"date\":\"1980. március 7.\"}]\n");
}

TEST_F(EventsWindowCli, ARefusalPrintsTheMessageAndChangesNothing) {
    ASSERT_EQ(run("events list").status, 0);
    const std::string before = data.read("events.cdb");
    Result r = run("events add --name x --date 2023-02-29");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Nincs február 29.\n");
    EXPECT_EQ(data.read("events.cdb"), before);

    r = run("events add --name x --date 2025-02-28 --alarm 7:05");
    EXPECT_EQ(r.status, 1);  // the past-date question, unanswered
    EXPECT_NE(r.err.find("Elmúlt."), std::string::npos);
    EXPECT_EQ(data.read("events.cdb"), before);
    r = run("events add --name x --date 2025-02-28 --alarm 7:05 --yes");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(run("events list --list 1").out, "tegnap\t(7:05) x\t2025. február 28.\n");
}

TEST_F(EventsWindowCli, DeleteNeedsYesAndBadArgumentsAreUsageErrors) {
    ASSERT_EQ(run("events add --name Havi --date 2025-01-10 --repeat month").status, 0);
    Result r = run("events delete 25");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Törli? Havi"), std::string::npos);
    EXPECT_EQ(lines(run("events list").out), 1);
    EXPECT_EQ(run("events delete 25 --yes").status, 0);
    EXPECT_EQ(run("events list").out, "");
    EXPECT_EQ(run("events delete 25 --yes").status, 1);  // nothing there any more

    for (const char* bad :
         {"events", "events list --list 3", "events list --sort x", "events delete",
          "events add --name x", "events add --name x --date 2025-3",
          "events add --name x "
          "--date 2025-03-05 --repeat months",
          "events add --name x --date 2025-03-05 --days 2 "
          "--repeat year",
          "events add --name x --date 2025-03-05 --alarm 7"}) {
        EXPECT_EQ(run(bad).status, 2) << bad;
    }
}

}  // namespace
