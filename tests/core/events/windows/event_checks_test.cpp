// The rules the editor and the iCalendar import share.
#include <gtest/gtest.h>

#include <random>

#include "core/events/windows/event_checks.h"

namespace tv {
namespace {

// The key of a whole table search pairs exactly the events the editor's rule pairs.
TEST(EventChecks, theDuplicateKeyAgreesWithTheEditorsRule) {
    std::mt19937 rng(4);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    const std::vector<std::string> names = {"Anna", " anna ", "ANNA", "Ödön", "ödön\t", "Béla"};
    const auto random = [&] {
        EventRecord e;
        e.repeat = static_cast<uint8_t>(pick(0, 3));
        e.year = static_cast<int16_t>(pick(1999, 2000));
        e.month = static_cast<int16_t>(pick(1, 2));
        e.day = static_cast<uint8_t>(pick(1, 2));
        e.anniversary = static_cast<uint8_t>(pick(0, 1));
        e.name = names[static_cast<size_t>(pick(0, int(names.size()) - 1))];
        return e;
    };
    int same = 0;
    for (int i = 0; i < 20000; ++i) {
        const EventRecord a = random();
        const EventRecord b = random();
        ASSERT_EQ(sameUserEvent(a, b), userEventKey(a) == userEventKey(b))
            << a.name << "/" << b.name << " " << int(a.repeat) << "/" << int(b.repeat);
        same += sameUserEvent(a, b) ? 1 : 0;
    }
    EXPECT_GT(same, 500);  // the law was tested on pairs that are the same, too
}

TEST(EventChecks, theEditorsRefusalsOnNumbers) {
    EventValues v;
    v.kind = 1;
    v.month = 2;
    v.day = 29;
    EXPECT_EQ(checkEventValues(v)->key, "dates_err_leap1");
    v.kind = 0;
    v.year = 2023;
    EXPECT_EQ(checkEventValues(v)->key, "dates_err_leap2");
    v.year = 2024;
    EXPECT_FALSE(checkEventValues(v).has_value());
    v.kind = 3;
    v.month = 0;
    EXPECT_EQ(checkEventValues(v)->key, "months_err01");
    v.kind = 2;
    v.day = 33;
    EXPECT_EQ(checkEventValues(v)->key, "dates_err_noday1");
    v.day = 32;
    v.forecast = 366;
    EXPECT_EQ(checkEventValues(v)->key, "dates_err_forecast");
    v.forecast = 365;
    v.alarmOn = true;
    v.alarmMinute = 60;
    EXPECT_EQ(checkEventValues(v)->key, "dater_err_alert_m");
}

}  // namespace
}  // namespace tv
