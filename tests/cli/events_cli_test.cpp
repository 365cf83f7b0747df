// forecast, month and alarms of tempovirens-cli over a user data folder of our own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "core/events/event_database.h"
#include "platform/fake/fake_clock.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

struct Result {
    std::string out;
    int status = -1;
};

class EventsCli : public ::testing::Test {
protected:
    test::TempDir dir;
    EventTable table;

    EventRecord& add(std::string name, RepeatKind repeat, int y, int m, int d) {
        EventRecord& e = table[table.allocateEventSlot()];
        e.name = std::move(name);
        e.repeat = static_cast<uint8_t>(repeat);
        e.year = static_cast<int16_t>(y);
        e.month = static_cast<int16_t>(m);
        e.day = static_cast<uint8_t>(d);
        return e;
    }
    void save() {
        FakeClock clock;
        EventDbContext ctx;
        ctx.userDataDir = dir.dir();
        ctx.clock = &clock;
        ASSERT_TRUE(saveEventDatabase(table, ctx));
    }
    Result run(const std::string& args) {
        Result r;
        const std::string cmd = std::string(TV_CLI) +
                                " --program-dir '" TV_TEST_PROGRAM_DIR "' --data-dir '" +
                                dir.dir() + "' " + args + " 2>/dev/null";
        const tv::test::CommandResult c = tv::test::runShell(cmd);
        r.out = c.out;
        r.status = c.status;
        return r;
    }
};

TEST_F(EventsCli, ForecastAnnouncesABirthdayAndListsMissedEvents) {
    EventRecord& anna = add("Anna", RepeatKind::kYearly, 1980, 3, 7);
    anna.anniversary = 1;
    anna.forecastDays = 7;
    add("Fogorvos", RepeatKind::kOnce, 2025, 2, 27);
    save();

    Result r = run("--today 2025-03-01 forecast --last-run 2025-02-25");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Anna – (45) még 6 nap\n\ntegnapelőtt\tFogorvos\tfebr. 27.\n");

    r = run("--today 2025-03-01 --json forecast");
    EXPECT_EQ(r.out,
              "{\"forecast\":[{\"text\":\"Anna – (45) még 6 nap\",\"daysUntil\":6,"
              "\"isHoliday\":false,\"hasAlarm\":false,\"sortKey\":\"202503079999Anna\"}],"
              "\"missed\":[]}\n");
}

TEST_F(EventsCli, MonthPrintsEveryCellAndTheBands) {
    add("Anna", RepeatKind::kYearly, 1980, 3, 7).anniversary = 1;
    EventRecord& trip = add("Túra", RepeatKind::kOnce, 2025, 2, 27);
    trip.extraDays = 3;
    trip.hue = 120;
    save();

    Result r = run("--today 2025-03-01 --json month 2025-03");
    EXPECT_EQ(r.status, 0);
    // 1 March 2025 is a Saturday: day 7 sits in cell 11.
    EXPECT_NE(r.out.find("{\"cell\":11,\"day\":7,\"inMonth\":true,\"userMark\":true,"
                         "\"holidayMark\":0,\"eventTotal\":1,\"lines\":[\"Anna (45)\"],"
                         "\"tipText\":\"• Anna (45)\"}"),
              std::string::npos);
    EXPECT_NE(r.out.find("\"bands\":[{\"firstCell\":5,\"lastCell\":6,\"startsHere\":false,"
                         "\"endsHere\":true,"),
              std::string::npos);

    r = run("--today 2025-03-01 month 2025-03");
    EXPECT_NE(r.out.find("\n11\t7\t1\t1\t0\t1\n\tAnna (45)\n12\t8\t1\t0\t0\t0\n"),
              std::string::npos);
    EXPECT_EQ(run("month 2025-13").status, 2);
    EXPECT_EQ(run("month 2025-03 --bogus").status, 2);
}

TEST_F(EventsCli, AnUnknownFileVersionFailsAndLeavesTheFileAlone) {
    std::string bytes = "QZCALENDAR_DB\x01\x07";
    bytes += std::string(40, '\0');
    dir.write("events.cdb", bytes);
    EXPECT_EQ(run("forecast").status, 1);
    EXPECT_EQ(dir.read("events.cdb"), bytes);
}

}  // namespace
}  // namespace tv
