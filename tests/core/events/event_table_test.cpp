#include <gtest/gtest.h>

#include "core/events/event_record.h"

namespace tv {
namespace {

EventTable tableOf(int n) {
    EventTable t;
    for (int i = 0; i < n; ++i) {
        t.appendEventSlot();
        t.records().back().inUse = -1;
        t.records().back().name = "e" + std::to_string(i);
    }
    return t;
}

// Regression: free slots did not count against the limit, so appending after deletions could
// make slot numbers that no longer fit in 16 bits.
TEST(EventTable, FreeSlotsCountAgainstTheSlotLimit) {
    EventTable t = tableOf(EventTable::kMaxSlots);
    t.deleteEvent(10);
    EXPECT_FALSE(t.appendEventSlot());
    EXPECT_EQ(t.slotCount(), EventTable::kMaxSlots);
    EXPECT_EQ(t.allocateEventSlot(), 10);
    EXPECT_EQ(t.allocateEventSlot(), -1);
}

}  // namespace
}  // namespace tv
