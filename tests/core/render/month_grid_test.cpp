#include "core/render/month_grid.h"

#include <gtest/gtest.h>

#include "core/calc/today.h"
#include "core/render/primitives.h"
#include "core/render/skin_fixture.h"

namespace tv {
namespace {

using test::kSmallTheme;
using test::SkinFixture;

// March 2025 starts on a Saturday: day d sits in cell d + 4.
class MonthGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.writeSkin("small", kSmallTheme);
        f.load(sc.skin, "small");
        sc.colours = readGridColours(sc.skin.theme);
        today.year = 2025;
        today.currentDay = Date::serial(2025, 3, 15);
        for (int i = 0; i < 12; ++i)
            today.monthNames[static_cast<size_t>(i)] = "m" + std::to_string(i + 1);
        for (int i = 0; i < 7; ++i)
            today.dayNames[static_cast<size_t>(i)] = "d" + std::to_string(i + 1);
        month.year = 2025;
        month.month = 3;
        month.offset = 6;
        month.length = 31;
        for (int c = 0; c < kDayCells; ++c) {
            DayCell& cell = month.cells[static_cast<size_t>(c)];
            cell.day = month.cellDate(c).day();
            cell.inMonth = month.cellDate(c).month() == 3;
        }
        sc.settings = &f.settings;
        sc.strings = &f.strings;
        sc.today = &today;
        sc.month = &month;
    }
    FakeSurface& main() { return SkinFixture::fake(*sc.skin.mainBuffer); }
    // The text drawn at a day field's number position.
    const SurfaceOp* dayNumber(int cell) {
        const int x = 10 + (cell % 7) * 40 + 2;
        const int y = 90 + (cell / 7) * 18 + 1;
        for (const SurfaceOp& op : main().ops)
            if (op.kind == "text" && op.x == x && op.y == y) return &op;
        return nullptr;
    }

    SkinFixture f;
    Screen sc;
    TodayState today;
    MonthEvents month;
};

TEST_F(MonthGridTest, TitleHeaderAndDayColours) {
    month.cells[20].holidayMark = 2;  // 15 March, Saturday: a public day off
    month.cells[13].holidayMark = 2;  // 8 March falls on a Saturday too; make a Sunday one:
    month.cells[13].holidayMark = 0;
    month.cells[6].holidayMark = 2;  // 2 March, a Sunday
    month.cells[12].holidayMark = 1;
    drawMonthGrid(sc);
    EXPECT_NE(main().findText("2025. m3"), nullptr);
    const SurfaceOp* sunday = main().findText("d1");
    ASSERT_NE(sunday, nullptr);
    EXPECT_EQ(sunday->x, 10 + 20 + 6 * 40 - 6);  // centred in column 6
    EXPECT_EQ(sunday->colour, 1003u);            // the user's Sunday colour by default
    EXPECT_EQ(dayNumber(0)->colour, 1005u);      // 24 February
    EXPECT_EQ(dayNumber(6)->colour, 1001u);      // a public day off beats Sunday
    EXPECT_EQ(dayNumber(12)->colour, 1002u);
    EXPECT_EQ(dayNumber(13)->colour, 1003u);
    EXPECT_EQ(dayNumber(14)->colour, 1004u);
    // Today's field carries the mark, keyed on magenta; no home button on this month.
    const auto keyed = main().of("keyed");
    ASSERT_EQ(keyed.size(), 1u);
    EXPECT_EQ(keyed[0].x, 10 + 5 * 40);
    EXPECT_EQ(keyed[0].y, 90 + 2 * 18);
    EXPECT_FALSE(sc.skin.buttons[kBtnHome].visible);
}

TEST_F(MonthGridTest, HomeMarkSitsOnTheSideTowardsToday) {
    sc.skin.theme.setItem("tx_today2", "today.png");
    sc.skin.theme.setItem("calhome_w", "10");
    sc.skin.theme.setItem("calhome_h", "10");
    sc.skin.theme.setItem("calhomeleft_x", "1");
    sc.skin.theme.setItem("calhomeleft_y", "2");
    sc.skin.theme.setItem("calhomeright_x", "100");
    sc.skin.theme.setItem("calhomeright_y", "2");
    sc.skin.theme.setItem("menuhome_x", "5");
    sc.skin.theme.setItem("menuhome_y", "5");
    today.currentDay = Date::serial(2025, 2, 10);  // the shown month lies after today's
    drawMonthGrid(sc);
    auto keyed = main().of("keyed");
    ASSERT_EQ(keyed.size(), 1u);
    EXPECT_EQ(keyed[0].x, 1);
    EXPECT_TRUE(sc.skin.buttons[kBtnHome].visible);
    main().ops.clear();
    today.currentDay = Date::serial(2025, 5, 10);
    drawMonthGrid(sc);
    keyed = main().of("keyed");
    ASSERT_EQ(keyed.size(), 1u);
    EXPECT_EQ(keyed[0].x, 100);
}

TEST_F(MonthGridTest, WeekNumbersUseLastYearsWeekInJanuary) {
    // January 2021 begins on a Friday: its first row is week 0 there, so it shows week 53.
    month.year = 2021;
    month.month = 1;
    month.offset = 5;
    drawMonthGrid(sc);
    const SurfaceOp* first = nullptr;
    for (const SurfaceOp& op : main().ops)
        if (op.kind == "text" && op.x == 2 && op.y == 90) first = &op;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text, "53.");
    EXPECT_NE(main().findText("1."), nullptr);
}

TEST_F(MonthGridTest, LongEventLinesPickTheirTextColourByLuminance) {
    auto line = [](int hue, const std::string& text) {
        return std::vector{FieldLine{FieldLineKind::kEvent, hue, text}};
    };
    sc.skin.theme.setItem("cal_long_val", "50");
    month.cells[10].lines = line(240, "Blue");  // dark blue at half value
    sc.skin.theme.setItem("cal_long_sat", "100");
    month.cells[11].lines = line(60, "Yellow");
    drawMonthGrid(sc);
    const SurfaceOp* blue = main().findText("Blue");
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(blue->colour, kWhite);
    const auto fills = main().of("fill");
    ASSERT_GE(fills.size(), 2u);
    EXPECT_EQ(fills[0].colour, hsvToRgb(240, 1, 0.5));
    const SurfaceOp* yellow = main().findText("Yellow");
    ASSERT_NE(yellow, nullptr);
    // 60 degrees at half value is olive: still bright enough for black text.
    EXPECT_EQ(yellow->colour, luminance(hsvToRgb(60, 1, 0.5)) < 128 ? kWhite : 0u);
}

TEST_F(MonthGridTest, BandsNestFiveLowerAndThreeFurtherIn) {
    LongBand outer{7, 9, true, true, 42, 3};
    LongBand inner{8, 9, true, true, 43, 2};
    month.bands = {outer, inner};
    drawMonthGrid(sc);
    std::vector<SurfaceOp> first, second;
    for (const SurfaceOp& op : main().of("fill"))
        (op.colour == 42 ? first : second).push_back(op);
    // Outer: cell 7 has a vertical start at its left edge and a line at y + 2.
    const int x7 = 10, y7 = 90 + 18;
    bool startLine = false;
    for (const SurfaceOp& op : first)
        if (op.x == x7 && op.y == y7 + 2 && op.w == 3) startLine = true;
    EXPECT_TRUE(startLine);
    // Inner starts in cell 8 one level down; cell 9 ends both, the inner 3 pixels further in.
    const int x8 = 50, x9 = 90;
    bool innerStart = false, innerEnd = false;
    for (const SurfaceOp& op : second) {
        if (op.x == x8 && op.y == y7 + 7 && op.w == 3) innerStart = true;
        if (op.x == x9 + 39 - 3 - 2 && op.w == 3) innerEnd = true;
    }
    EXPECT_TRUE(innerStart);
    EXPECT_TRUE(innerEnd);
}

TEST(MonthGridHitTest, MapsPointsToCells) {
    HashTable t;
    t.setItem("cal_fields_x", "10");
    t.setItem("cal_fields_y", "90");
    t.setItem("cal_field_w", "40");
    t.setItem("cal_field_h", "18");
    EXPECT_EQ(monthGridHit(t, 10, 90), 0);
    EXPECT_EQ(monthGridHit(t, 289, 197), 41);
    EXPECT_EQ(monthGridHit(t, 290, 100), -1);
    EXPECT_EQ(monthGridHit(t, 9, 100), -1);
}

}  // namespace
}  // namespace tv
