#include "core/names/today_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/calc/calendar.h"
#include "core/calc/today.h"
#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/names/name_table.h"

namespace tv {
namespace {

// Short templates, so that every part of the sentence shows where it came from.
class TodayTextTest : public ::testing::Test {
protected:
    TodayTextTest() {
        for (auto [k, v] : {std::pair{"main_t_date", "$1 $2 $3"},
                            {"main_t_dwmix", "(<md>$1</md>/<mw>$2</mw>)"},
                            {"main_t_day", "(<md>$1</md>)"},
                            {"main_t_week", "(<mw>$1</mw>)"},
                            {"main_t_name", "[<mn>$1</mn>]"},
                            {"main_t_nameleak", "[leap]"},
                            {"main_t_nname", "{<mnn>$1</mnn>}"},
                            {"main_t_nnameleak", "{leap}"},
                            {"main_t_now", "_now"},
                            {"main_month_1", "Feb"},
                            {"main_month_11", "Dec"},
                            {"main_days_2", "Tue"},
                            {"main_days_6", "Sat"}}) {
            strings.table().setItem(k, v);
        }
        std::string text;
        for (int i = 0; i < 365; ++i)
            text += "n" + std::to_string(i) + "\n";
        names.loadText(text);
    }

    std::string build(int y, int m, int d) {
        TodayState today;
        setTodayState(today, DateTime::of(Date::serial(y, m, d), 9, 0, 0), strings);
        return buildTodayText(today, settings, strings, names);
    }
    // Only the name parts, for the slot rules.
    std::string namesOnly(int y, int m, int d) {
        settings.setItem("Today_Day", "0");
        settings.setItem("Today_Week", "0");
        std::string s = build(y, m, d);
        return s.substr(s.find_first_of("[{"));
    }

    StringTable strings;
    HashTable settings;
    NameTable names;
};

TEST_F(TodayTextTest, TodayAndTomorrowTakeTheirSlotsByTheLeapDayRule) {
    // Today's names are highlighted by default, tomorrow's are not.
    EXPECT_EQ(namesOnly(2023, 1, 1), "[<r>n0</r>]{n1}.");
    EXPECT_EQ(namesOnly(2023, 12, 31), "[<r>n364</r>]{n0}.");
    EXPECT_EQ(namesOnly(2024, 12, 31), "[<r>n364</r>]{n0}.");
    EXPECT_EQ(namesOnly(2024, 2, 23), "[<r>n53</r>]{leap}.");
    EXPECT_EQ(namesOnly(2024, 2, 24), "[leap]{n54}.");
    EXPECT_EQ(namesOnly(2024, 2, 29), "[<r>n58</r>]{n59}.");
    EXPECT_EQ(namesOnly(2023, 2, 28), "[<r>n58</r>]{n59}.");
}

TEST_F(TodayTextTest, SwitchedOffNamesLeaveTheClosingVerb) {
    settings.setItem("Today_Name", "0");
    EXPECT_EQ(build(2024, 2, 24), "Feb 24 Sat(55/8)_now{n54}.");
    settings.setItem("Today_NextName", "0");
    settings.setItem("Today_Day", "0");
    settings.setItem("Today_Week", "0");
    EXPECT_EQ(build(2024, 2, 24), "Feb 24 Sat_now.");
    // Only "0" switches a part off in favour of the verb; another value just hides the part.
    settings.setItem("Today_Name", "2");
    settings.setItem("Today_NextName", "1");
    EXPECT_EQ(build(2024, 2, 24), "Feb 24 Sat{n54}.");
}

TEST_F(TodayTextTest, DayAndWeekClauseAndTheHighlightChoices) {
    settings.setItem("Today_Name", "0");
    settings.setItem("Today_NextName", "0");
    EXPECT_EQ(build(2024, 12, 31), "Dec 31 Tue(366/53)_now.");
    settings.setItem("Today_DayHL", "1");
    settings.setItem("Today_Week", "0");
    EXPECT_EQ(build(2024, 12, 31), "Dec 31 Tue(<r>366</r>)_now.");
    settings.setItem("Today_Day", "0");
    settings.setItem("Today_Week", "1");
    settings.setItem("Today_WeekHL", "1");
    EXPECT_EQ(build(2024, 12, 31), "Dec 31 Tue(<r>53</r>)_now.");

    settings.setItem("Today_Name", "1");
    settings.setItem("Today_NameHL", "0");
    settings.setItem("Today_NextName", "1");
    settings.setItem("Today_NextNameHL", "1");
    EXPECT_EQ(namesOnly(2023, 6, 1), "[n151]{<r>n152</r>}.");
}

// "a"/"az" before the week number follows how the number is read, through the article marker.
TEST_F(TodayTextTest, TheWeekTakesTheArticleItsNumberIsReadWith) {
    strings.table().setItem("main_t_week", ", $a1 <mw>$1.</mw> héten");
    strings.table().setItem("main_t_dwmix", ", az év <md>$1.</md> napja|$a2 <mw>$2.</mw> héten");
    settings.setItem("Today_Name", "0");
    settings.setItem("Today_NextName", "0");
    const std::pair<int, const char*> weeks[] = {{1, "az 1."},   {2, "a 2."},   {5, "az 5."},
                                                 {10, "a 10."},  {11, "a 11."}, {50, "az 50."},
                                                 {51, "az 51."}, {53, "az 53."}};
    for (const auto& [week, expected] : weeks) {
        Date d = Date::serial(2020, 1, 1);
        while (weekNumber(d) != week)
            d = d.addDays(1);
        const Ymd ymd = d.ymd();
        settings.setItem("Today_Day", "0");
        EXPECT_NE(build(ymd.year, ymd.month, ymd.day).find(std::string(", ") + expected + " héten"),
                  std::string::npos)
            << week;
        settings.setItem("Today_Day", "1");
        EXPECT_NE(build(ymd.year, ymd.month, ymd.day).find(std::string(" napja|") + expected),
                  std::string::npos)
            << week;
    }
}

TEST_F(TodayTextTest, MissingNamesLeaveEmptyNamesNotPlaceholders) {
    names.clear();
    EXPECT_EQ(namesOnly(2023, 5, 5), "[<r></r>]{}.");
    EXPECT_EQ(plainTodayText("az év <r>55.</r> napja|a 8. héten"), "az év 55. napja a 8. héten");
}

}  // namespace
}  // namespace tv
