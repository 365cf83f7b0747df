// tempovirens-cli ical: a table out to a file and into another user's table, the JSON report,
// and what a damaged file or a bad command line does.
#include <gtest/gtest.h>

#include "core/calc/files.h"
#include "core/events/event_database_format.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

class IcalCli : public ::testing::Test {
protected:
    test::TempDir from;
    test::TempDir to;

    test::CommandResult run(const test::TempDir& data, const std::string& args) {
        return test::runShell(std::string(TV_CLI) +
                              " --program-dir '" TV_TEST_PROGRAM_DIR
                              "' --today 2025-03-01 --data-dir '" +
                              data.dir() + "' " + args + " 2>&1");
    }

    EventTable tableOf(const test::TempDir& data) {
        std::string bytes;
        EventTable t;
        EXPECT_EQ(readWholeFile(data.dir() + "events.cdb", bytes), ReadResult::kOk);
        decodeEventDatabase(bytes, t);
        return t;
    }
};

int countUser(const EventTable& t) {
    int n = 0;
    for (const EventRecord& e : t.records())
        n += e.used() && e.kind() == EventCategory::kUser ? 1 : 0;
    return n;
}

TEST_F(IcalCli, exportedEventsImportIntoAnotherTableAndNotTwice) {
    ASSERT_EQ(run(from,
                  "events add --name 'Anya születésnapja' --date 1950-03-07 --repeat year "
                  "--anniversary --alarm 8:30")
                  .status,
              0);
    ASSERT_EQ(run(from, "events add --name Kirándulás --date 2025-07-01 --days 3").status, 0);
    const std::string file = from.file("naptar.ics");
    test::CommandResult r =
        run(from, "--json ical export '" + file + "' --holidays --from 2025 --to 2026");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "{\"events\":2,\"holidays\":36,\"file\":\"" + file + "\"}\n");

    r = run(to, "ical import '" + file + "' --dry-run --json");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("\"dry_run\":true"), std::string::npos);
    EXPECT_EQ(countUser(tableOf(to)), 0);

    r = run(to, "ical import '" + file + "' --json");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("{\"imported\":[{\"summary\":\"Anya születésnapja\""), 0u) << r.out;
    const EventTable t = tableOf(to);
    EXPECT_EQ(countUser(t), 2);
    r = run(to, "ical import '" + file + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("0 esemény került be a naptárba."), 0u) << r.out;
    EXPECT_EQ(countUser(tableOf(to)), 2);
}

TEST_F(IcalCli, aDamagedFileFailsWithItsLineAndChangesNothing) {
    to.write("rossz.ics",
             "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
             "DTSTART;VALUE=DATE:2025013\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    const test::CommandResult r = run(to, "--json ical import '" + to.file("rossz.ics") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\"line\":4"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Hibás a fájl 4. sora"), std::string::npos) << r.out;
}

TEST_F(IcalCli, badCommandLinesPrintTheUsage) {
    for (const char* args :
         {"ical", "ical export", "ical export a.ics --from 2025",
          "ical export a.ics --from 2026 --to 2025", "ical import", "ical import a.ics --what"}) {
        EXPECT_EQ(run(to, args).status, 2) << args;
    }
}

}  // namespace
}  // namespace tv
