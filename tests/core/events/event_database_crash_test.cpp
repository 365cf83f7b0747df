// A save killed at any moment must leave the table of the save before it or of the save itself.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

#include "core/events/event_database.h"
#include "platform/fake/fake_clock.h"
#include "support/event_tables.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

bool sameTable(const EventTable& a, const EventTable& b) {
    return a.records() == b.records() && a.pictureMarks() == b.pictureMarks() &&
           a.wisdomMarks() == b.wisdomMarks();
}

TEST(EventDbCrash, KilledSavesLeaveTheTableBeforeOrAfter) {
    using Clock = std::chrono::steady_clock;
    test::TempDir dir;
    FakeClock clock;
    EventDbContext ctx;
    ctx.userDataDir = dir.dir();
    ctx.clock = &clock;
    const EventTable a = test::mixedEventTable(300, 0);
    const EventTable b = test::mixedEventTable(420, 1);
    ASSERT_TRUE(saveEventDatabase(a, ctx));

    // Spread the kills over about three saves, whatever this disk's flush costs.
    const auto start = Clock::now();
    ASSERT_TRUE(saveEventDatabase(b, ctx));
    ASSERT_TRUE(saveEventDatabase(a, ctx));
    const auto oneSave =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count() / 2;
    const auto window = static_cast<unsigned>(std::clamp<long>(oneSave * 3, 300, 20000));

    std::mt19937 rng(20240309);
    int sawA = 0;
    int sawB = 0;
    for (int kill = 0; kill < 200; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::alarm(30);  // never outlive a parent that died
            for (unsigned i = 0;; ++i)
                saveEventDatabase(i % 2 == 0 ? b : a, ctx);
        }
        ::usleep(static_cast<useconds_t>(rng() % window));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        EventTable loaded;
        ASSERT_TRUE(loadEventDatabase(loaded, ctx));
        const bool isA = sameTable(loaded, a);
        const bool isB = sameTable(loaded, b);
        ASSERT_TRUE(isA || isB) << "after kill " << kill << ": " << loaded.eventCount()
                                << " events";
        sawA += isA;
        sawB += isB;
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir.dir())) {
        EXPECT_EQ(entry.path().filename().string().find("damaged"), std::string::npos);
    }
    // Both tables came back, so the kills did land on both sides of a save's commit.
    EXPECT_GT(sawA, 0);
    EXPECT_GT(sawB, 0);
}

}  // namespace
}  // namespace tv
