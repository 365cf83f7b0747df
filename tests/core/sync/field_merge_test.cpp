#include "core/sync/field_merge.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

EventRecord event(const char* name) {
    EventRecord r;
    r.inUse = -1;
    r.name = name;
    r.year = 2025;
    r.month = 5;
    r.day = 3;
    r.forecastDays = 7;
    return r;
}

TEST(FieldMerge, EachSideKeepsWhatOnlyItChanged) {
    const EventRecord base = event("Fogorvos");
    EventRecord local = base;
    local.alarmOn = 1;
    local.alarmHour = 8;
    EventRecord remote = base;
    remote.comment = "Kossuth u. 3";
    const MergeResult m = mergeFields(local, &base, remote);
    EXPECT_FALSE(m.clash);
    EXPECT_TRUE(m.localChanges);
    EXPECT_TRUE(m.remoteChanges);
    EXPECT_EQ(m.merged.alarmHour, 8);
    EXPECT_EQ(m.merged.comment, "Kossuth u. 3");
}

TEST(FieldMerge, BothChangingOneGroupIsAClashTheServerWins) {
    const EventRecord base = event("Fogorvos");
    EventRecord local = base;
    local.day = 4;
    EventRecord remote = base;
    remote.day = 5;
    remote.month = 6;
    const MergeResult m = mergeFields(local, &base, remote);
    EXPECT_TRUE(m.clash);
    EXPECT_FALSE(m.remoteChanges);
    EXPECT_EQ(m.merged.day, 5);
    EXPECT_EQ(m.merged.month, 6);
}

TEST(FieldMerge, AlikeChangesAndCodePageLossAreNoClash) {
    const EventRecord base = event("Buli");
    EventRecord local = base;
    local.name = "Buli ?";  // what the table could keep of the phone's text
    local.hue = 120;
    EventRecord remote = base;
    remote.name = "Buli \xF0\x9F\x8E\x89";
    remote.hue = 120;
    const MergeResult m = mergeFields(local, &base, remote);
    EXPECT_FALSE(m.clash);
    EXPECT_FALSE(m.remoteChanges);  // the emoji are never written over with "?"
    EXPECT_EQ(m.merged.name, remote.name);
}

TEST(FieldMerge, WithoutABaseEveryDifferenceIsAClash) {
    EventRecord local = event("Anya");
    local.forecastDays = 3;
    const EventRecord remote = event("Anya");
    const MergeResult m = mergeFields(local, nullptr, remote);
    EXPECT_TRUE(m.clash);
    EXPECT_EQ(m.merged.forecastDays, 7);
    EXPECT_FALSE(mergeFields(remote, nullptr, remote).clash);
}

TEST(FieldMerge, AlarmTimesCountOnlyWhileTheAlarmIsOn) {
    EventRecord a = event("x");
    EventRecord b = a;
    b.alarmHour = 9;
    EXPECT_TRUE(sameContent(a, b));
    a.alarmOn = b.alarmOn = 1;
    EXPECT_FALSE(sameContent(a, b));
}

}  // namespace
}  // namespace tv
