#include "core/app/log.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/fake/fake_clock.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

TEST(Log, LevelsHaveTheirFormats) {
    test::TempDir dir;
    FakeClock clock = FakeClock::at(2024, 3, 9, 8, 0, 0);
    Log log(clock);
    log.open(dir.file("calendar_2024-03-09.log"));
    EXPECT_EQ(dir.read("calendar_2024-03-09.log"), "");
    log.write("detail", 0);
    clock.advanceSeconds(2);
    clock.setFraction(0.5);
    log.write("fSetVariables", 1);
    log.write("header", 2);
    log.write("deep", 3);
    log.write("ignored", 5);
    EXPECT_EQ(dir.read("calendar_2024-03-09.log"),
              "  detail\r\n\r\n[2.50] fSetVariables\r\nheader\r\n    deep\r\n");
}

TEST(Log, StampsCountFromTheLatestReference) {
    test::TempDir dir;
    FakeClock clock = FakeClock::at(2024, 3, 9, 23, 0, 0);
    Log log(clock);
    log.open(dir.file("a.log"));
    clock.advanceSeconds(600);
    log.setReferenceTime();  // the window starts to load
    clock.setFraction(0.25);
    log.write("step", 1);
    EXPECT_EQ(dir.read("a.log"), "\r\n[0.25] step\r\n");
}

TEST(Log, CleaningDeletesWeekOldLogsWithHalfDaysRoundedToEven) {
    test::TempDir dir;
    for (const char* name :
         {"calendar_2024-03-02.log", "calendar_2024-03-03.log", "calendar_2024-03-04.log",
          "calendar_2024-03-02.log.bak", "other_2024-01-01.log", "calendar_xxxx-01-01.log"}) {
        dir.write(name, "x");
    }
    std::filesystem::permissions(dir.file("calendar_2024-03-02.log"),
                                 std::filesystem::perms::owner_read);
    FakeClock noon = FakeClock::at(2024, 3, 9, 12, 0, 0);  // 6.5 days after the 3rd: stays
    cleanLogs(dir.dir(), noon);
    EXPECT_FALSE(std::filesystem::exists(dir.file("calendar_2024-03-02.log")));  // 7.5 days
    EXPECT_TRUE(std::filesystem::exists(dir.file("calendar_2024-03-03.log")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("calendar_2024-03-04.log")));

    FakeClock afternoon = FakeClock::at(2024, 3, 9, 13, 0, 0);  // 6.54 rounds to 7
    cleanLogs(dir.dir(), afternoon);
    EXPECT_FALSE(std::filesystem::exists(dir.file("calendar_2024-03-03.log")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("calendar_2024-03-04.log")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("calendar_2024-03-02.log.bak")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("other_2024-01-01.log")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("calendar_xxxx-01-01.log")));
    cleanLogs(dir.file("no-such-folder"), noon);  // nothing to do, no failure

    dir.write("calendar_2024-03-04.log", "x");
    FakeClock later = FakeClock::at(2024, 3, 20, 12, 0, 0);
    std::string folder = dir.dir();
    folder.pop_back();  // the folder without its trailing slash
    cleanLogs(folder, later);
    EXPECT_FALSE(std::filesystem::exists(dir.file("calendar_2024-03-04.log")));
}

}  // namespace
}  // namespace tv
