// Good Friday reaches older tables once: at the first start with this version, never again after
// the user switched it off, and never twice.
#include "core/events/feast_upgrade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/config/hash_table.h"
#include "core/events/event_database.h"
#include "core/events/event_database_format.h"
#include "core/events/holidays.h"
#include "core/events/legacy_qzi_builder.h"
#include "platform/fake/fake_clock.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

// The 24 events a table made before Good Friday starts with.
EventTable olderFreshTable() {
    EventTable t;
    createBuiltinHolidays(t, 0);
    for (int row = kFixedHolidayCount + 1; row < kGoodFridayRow; ++row)
        addBuiltinHolidayRow(t, row);
    return t;
}

int goodFridays(const EventTable& t) {
    return static_cast<int>(std::count_if(t.records().begin(), t.records().end(), [](auto& e) {
        return e.used() && e.ruleKey == kGoodFridayRule;
    }));
}

class FeastUpgrade : public ::testing::Test {
protected:
    FeastUpgrade() {
        ctx = {dir.dir(), &clock, nullptr, &settings, nullptr, nullptr, nullptr, {}, {}};
    }
    void writeTable(const EventTable& t) { dir.write("events.cdb", encode(t)); }
    std::string encode(const EventTable& t) const { return encodeEventDatabase(t, clock.now()); }
    EventTable onDisk() const {
        EventTable t;
        decodeEventDatabase(dir.read("events.cdb"), t);
        return t;
    }
    std::string mark() const { return settings.item("Feast_GoodFridayOffered"); }

    test::TempDir dir;
    FakeClock clock = FakeClock::at(2026, 3, 1, 9, 0, 0);
    HashTable settings;
    EventDbContext ctx;
};

TEST_F(FeastUpgrade, AFreshTableHasItAfterTheTenFeastsAndCountsAsOffered) {
    EventTable t;
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    // On purpose one more than the 24 events of the first versions.
    ASSERT_EQ(t.eventCount(), 25);
    EXPECT_EQ(t[24].ruleKey, kGoodFridayRule);
    EXPECT_EQ(mark(), "1");
}

TEST_F(FeastUpgrade, AnOlderTableGetsItOnceAndKeepsItSwitchedOff) {
    writeTable(olderFreshTable());
    EventTable t;
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    ASSERT_EQ(t.eventCount(), 25);
    EXPECT_EQ(t[24].ruleKey, kGoodFridayRule);
    EXPECT_EQ(t[24].active, 1);
    EXPECT_EQ(mark(), "1");
    EXPECT_EQ(goodFridays(onDisk()), 1);  // saved at once

    t.deleteEvent(24);  // switched off: feasts are never removed
    ASSERT_TRUE(saveEventDatabase(t, ctx));
    const std::string saved = dir.read("events.cdb");
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(t.eventCount(), 25);
    EXPECT_EQ(t[24].active, 0);

    // Settings lost (or never saved after the offer): the switched-off row still decides.
    settings.removeAll();
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(goodFridays(t), 1);
    EXPECT_EQ(t[24].active, 0);
    EXPECT_EQ(dir.read("events.cdb"), saved);  // nothing to save
    EXPECT_EQ(mark(), "1");
}

TEST_F(FeastUpgrade, ATableWithoutItAfterTheOfferStaysWithoutIt) {
    // An older backup restored by a user who had turned it down.
    writeTable(olderFreshTable());
    settings.setItem("Feast_GoodFridayOffered", "1");
    EventTable t;
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(t.eventCount(), 24);
    EXPECT_TRUE(goodFridayDeclined(t, settings));
}

TEST_F(FeastUpgrade, AnImportedFeastListGetsItOnce) {
    dir.write("unique.qzi", test::qziRecords(5, {{"easter", "t", "Húsvét", "", ""}}));
    EventTable t;
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(goodFridays(t), 1);
    EXPECT_EQ(t[t.slotCount() - 1].ruleKey, kGoodFridayRule);  // after what was imported
    EXPECT_EQ(goodFridays(onDisk()), 1);

    settings.removeAll();  // an old config.qzi imported again brings no mark
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(goodFridays(t), 1);
}

TEST_F(FeastUpgrade, ADamagedFileWaitsForAStartThatReadsItWhole) {
    const std::string bytes = encode(olderFreshTable());
    dir.write("events.cdb", bytes.substr(0, bytes.size() - 430));
    EventTable t;
    ASSERT_TRUE(loadEventDatabase(t, ctx));
    EXPECT_EQ(goodFridays(t), 0);
    EXPECT_FALSE(settings.exists("Feast_GoodFridayOffered"));
}

TEST(FeastUpgradeRules, DeclinedOnlyWhenSwitchedOffOrGoneAfterTheOffer) {
    HashTable settings;
    EventTable t = olderFreshTable();
    EXPECT_FALSE(goodFridayDeclined(t, settings));  // never offered
    EXPECT_TRUE(offerGoodFriday(t, settings));
    EXPECT_FALSE(offerGoodFriday(t, settings));  // once
    EXPECT_FALSE(goodFridayDeclined(t, settings));
    t[t.slotCount() - 1].active = 0;
    EXPECT_TRUE(goodFridayDeclined(t, settings));
    EXPECT_TRUE(goodFridayDeclined(olderFreshTable(), settings));
}

}  // namespace
}  // namespace tv
