#include <gtest/gtest.h>

#include "core/events/windows/event_editor.h"

namespace tv {
namespace {

TEST(nameDayEventOpen, PresetsTheDayInTheCurrentYear) {
    const EventListOpen open = nameDayEventOpen(8, 2, "Ábel névnapja", Date::serial(2025, 3, 1));
    EXPECT_EQ(open.mode, EventListOpenMode::kNewFromNameSearch);
    EXPECT_EQ(open.date, Date::serial(2025, 8, 2));
    EXPECT_EQ(open.name, "Ábel névnapja");
}

TEST(nameDayEventOpen, LeapDayOfACommonYearMovesToTheNextLeapYear) {
    // Rolling 29 February over to 1 March would preset the wrong name day.
    EXPECT_EQ(nameDayEventOpen(2, 29, "x", Date::serial(2025, 3, 1)).date,
              Date::serial(2028, 2, 29));
    EXPECT_EQ(nameDayEventOpen(2, 29, "x", Date::serial(2024, 1, 5)).date,
              Date::serial(2024, 2, 29));
}

}  // namespace
}  // namespace tv
