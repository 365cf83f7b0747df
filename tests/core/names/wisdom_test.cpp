#include "core/names/wisdom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/app/log.h"
#include "core/config/hash_table.h"
#include "core/names/data_block_reader.h"
#include "core/names/data_block_writer.h"
#include "core/names/random_source.h"
#include "platform/fake/fake_clock.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

using Slots = std::vector<uint8_t>;

std::vector<std::string> sayings(int n) {
    std::vector<std::string> out;
    for (int i = 1; i <= n; ++i)
        out.push_back("Mondás " + std::to_string(i) + "+Szerző " + std::to_string(i));
    return out;
}

void openSayings(DataBlockReader& reader, int n) {
    std::string bytes;
    ASSERT_TRUE(buildDataBlock(sayings(n), bytes).ok());
    ASSERT_EQ(reader.openBytes(bytes), DataBlockOpen::kOpened);
}

size_t shown(const Slots& slots) {
    return static_cast<size_t>(std::count(slots.begin(), slots.end(), kWisdomShown));
}

// A generator whose next start is `start` for a table of `size` slots.
RandomSource startingAt(int32_t start, int32_t size) {
    for (uint64_t seed = 1;; ++seed) {
        RandomSource probe(seed);
        if (probe.below(size - 1) == start) return RandomSource(seed);
    }
}

TEST(Wisdom, FittingTheMarksToTheFileIsLogged) {
    test::TempDir dir;
    FakeClock clock;
    Log log(clock);
    log.open(dir.file("calendar.log"));
    Slots slots;
    fitWisdomSlots(slots, 365, &log);
    EXPECT_EQ(slots, Slots(365, 0));

    slots.assign(300, kWisdomShown);
    fitWisdomSlots(slots, 310, &log);  // a grown file keeps the round's marks
    EXPECT_EQ(shown(slots), 300u);
    EXPECT_EQ(slots.size(), 310u);
    fitWisdomSlots(slots, 300, &log);  // a shrunk one starts a new round
    EXPECT_EQ(slots, Slots(300, 0));
    fitWisdomSlots(slots, 300, &log);  // an unchanged one says nothing

    RandomSource random(1);
    EXPECT_FALSE(chooseWisdom(dir.dir(), slots, random, &log).opened);
    EXPECT_EQ(slots, Slots(300, 0));
    EXPECT_EQ(dir.read("calendar.log"),
              "  resize 'slots/wise', new size = 365\r\n"
              "  expand 'slots/wise', new size = 310\r\n"
              "  resize 'slots/wise', new size = 300\r\n"
              "  Can't open wise database!\r\n");
}

TEST(Wisdom, NoSayingRepeatsWithinARound) {
    constexpr int kEntries = 7;
    DataBlockReader reader;
    openSayings(reader, kEntries);
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        RandomSource random(seed);
        Slots slots;
        std::set<int32_t> round;
        for (int n = 0; n < 60; ++n) {
            const size_t before = shown(slots);
            const WisdomChoice c = chooseWisdom(reader, slots, random, nullptr);
            ASSERT_TRUE(c.entry >= 1 && c.entry <= kEntries);
            EXPECT_EQ(c.text, sayings(kEntries)[static_cast<size_t>(c.entry - 1)]);
            if (shown(slots) != before + 1) {
                // A new round: the last one ended with every saying shown but maybe the start.
                EXPECT_EQ(shown(slots), 1u);
                EXPECT_GE(before, kEntries - 1u) << "seed " << seed;
                round.clear();
            }
            EXPECT_TRUE(round.insert(c.entry).second) << "seed " << seed << " repeated " << c.entry;
        }
    }
}

TEST(Wisdom, ScansForwardFromTheStartAndWrapsAround) {
    DataBlockReader reader;
    openSayings(reader, 5);
    for (auto [start, want] : {std::pair{2, 3}, {3, 1}, {0, 1}, {1, 3}}) {
        Slots slots = {255, 0, 255, 0, 255};
        RandomSource random = startingAt(start, 5);
        EXPECT_EQ(chooseWisdom(reader, slots, random, nullptr).entry, want + 1) << start;
    }
    // The start slot is not taken even when it is the only free one: a new round begins.
    Slots slots = {255, 255, 0, 255, 255};
    RandomSource random = startingAt(2, 5);
    chooseWisdom(reader, slots, random, nullptr);
    EXPECT_EQ(shown(slots), 1u);

    openSayings(reader, 1);  // one saying is always the one
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(chooseWisdom(reader, slots, random, nullptr).entry, 1);
    openSayings(reader, 0);  // nothing to choose: the marks stay
    EXPECT_EQ(chooseWisdom(reader, slots, random, nullptr).entry, 0);
    EXPECT_EQ(slots, Slots{kWisdomShown});
}

TEST(Wisdom, StartUpRemembersTheSayingAndAMissingFileHidesTheMenuItem) {
    EXPECT_EQ(splitWisdom("Egy+egy kettő+Szerző").saying, "Egy+egy kettő");
    EXPECT_EQ(splitWisdom("Szerző nélkül").author, "");

    test::TempDir dir;
    std::filesystem::create_directory(dir.file("data"));
    HashTable settings;
    Slots slots;
    RandomSource random(5);
    WisdomState state;
    pickStartupWisdom(state, settings, dir.dir(), slots, random, nullptr);
    EXPECT_TRUE(state.shown);
    EXPECT_FALSE(lastWisdomOffered(settings));

    ASSERT_TRUE(writeDataBlockFile(dir.file("data/hun_wise.dat"), sayings(2)).ok());
    pickStartupWisdom(state, settings, dir.dir(), slots, random, nullptr);
    EXPECT_EQ(settings.item("LastWisdom"), state.text);
    EXPECT_TRUE(lastWisdomOffered(settings));
    settings.setItem("Wise", "0");
    EXPECT_FALSE(lastWisdomOffered(settings));
}

}  // namespace
}  // namespace tv
