// A screen over the small skin of skin_fixture.h, bound to state the tests fill in.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/calc/today.h"
#include "core/names/wisdom.h"
#include "core/render/screen.h"
#include "core/render/skin_fixture.h"
#include "platform/fake/fake_clock.h"

namespace tv::test {

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.writeSkin("small", kSmallTheme);
        f.load(sc.skin, "small");
        f.strings.table().setItem("main_title", "Naptár $1");
        f.strings.table().setItem("main_title_noskin", "(no skin)");
        today.year = 2025;
        sc.settings = &f.settings;
        sc.strings = &f.strings;
        sc.today = &today;
        sc.forecast = &forecast;
        sc.wisdom = &wisdom;
        sc.todayText = &todayText;
        sc.alarm = &alarmEntry;
        sc.tests = &tests;
        sc.clock = &clock;
    }
    FakeSurface& main() { return SkinFixture::fake(*sc.skin.mainBuffer); }
    void addEntry(std::string text, int days, bool holiday, bool alarm = false) {
        ForecastEntry e;
        e.text = std::move(text);
        e.daysUntil = days;
        e.isHoliday = holiday;
        e.hasAlarm = alarm;
        forecast.push_back(e);
    }

    SkinFixture f;
    Screen sc;
    TodayState today;
    std::vector<ForecastEntry> forecast;
    WisdomState wisdom;
    std::string todayText;
    AlarmEntry alarmEntry;
    LayoutTests tests;
    FakeClock clock;
};

}  // namespace tv::test
