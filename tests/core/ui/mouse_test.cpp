#include "core/ui/mouse.h"

#include <gtest/gtest.h>

#include "core/config/hash_table.h"
#include "core/ui/commands.h"
#include "core/ui/tooltips.h"

namespace tv {
namespace {

using K = UiAction;

Action act(K kind, int a = 0, int b = 0, std::string text = {}) {
    return Action{kind, a, b, std::move(text)};
}

HashTable skinTheme() {
    HashTable t;
    for (auto [k, v] : {std::pair{"picture_x", "20"},
                        {"picture_y", "40"},
                        {"picture_w", "600"},
                        {"picture_h", "400"},
                        {"cal_fields_x", "30"},
                        {"cal_fields_y", "100"},
                        {"cal_field_w", "80"},
                        {"cal_field_h", "50"},
                        {"wise_x", "100"},
                        {"wise_y", "200"},
                        {"wise_w", "300"},
                        {"wise_h", "100"},
                        {"tx_today2", "today2.bmp"},
                        {"calhome_w", "20"},
                        {"calhome_h", "20"},
                        {"calhomeleft_x", "25"},
                        {"calhomeleft_y", "45"},
                        {"calhomeright_x", "590"},
                        {"calhomeright_y", "45"}})
        t.add(k, v);
    return t;
}

class Mouse : public ::testing::Test {
protected:
    void SetUp() override {
        s.today = *Date::fromYmd(2024, 5, 17);
        s.shownYear = 2024;
        s.shownMonth = 5;
        s.screenMode = ScreenMode::kMonth;
        month.year = 2024;
        month.month = 5;
        for (int c = 0; c < kDayCells; ++c) {
            month.cells[static_cast<size_t>(c)].inMonth = c >= 2 && c < 33;
            month.cells[static_cast<size_t>(c)].tipText = "tip " + std::to_string(c);
        }
    }
    MainWindowState s;
    HashTable theme = skinTheme();
    WindowGeometry g = readWindowGeometry(theme);
    HashTable settings;
    MonthEvents month;
};

TEST_F(Mouse, GeometryDefaultsAreStoredInTheTheme) {
    EXPECT_EQ(g.titlebarHeight, 25);
    EXPECT_EQ(g.windowWidth, 740);
    EXPECT_FALSE(g.desktop);
    EXPECT_EQ(theme.item("window_width"), "740");
    EXPECT_EQ(theme.item("desktop"), "false");
}

TEST_F(Mouse, HitTestCoversSevenBySixFields) {
    EXPECT_EQ(monthCellAt(g, 30, 100), 0);
    EXPECT_EQ(monthCellAt(g, 109, 149), 0);
    EXPECT_EQ(monthCellAt(g, 110, 100), 1);
    EXPECT_EQ(monthCellAt(g, 30, 150), 7);
    EXPECT_EQ(monthCellAt(g, 30 + 7 * 80 - 1, 100 + 6 * 50 - 1), 41);
    EXPECT_EQ(monthCellAt(g, 29, 120), -1);
    EXPECT_EQ(monthCellAt(g, 30 + 7 * 80, 120), -1);
    EXPECT_EQ(monthCellAt(g, 40, 100 + 6 * 50), -1);
    WindowGeometry none;  // a skin without a grid never divides by zero
    EXPECT_EQ(monthCellAt(none, 0, 0), -1);
}

TEST_F(Mouse, RolloverFollowsTheCursorAcrossButtons) {
    EXPECT_EQ(buttonMouseMove(s, 4),
              (Actions{act(K::kPaintButton, 4, kLookOver), act(K::kStartRollover)}));
    EXPECT_TRUE(buttonMouseMove(s, 4).empty());
    EXPECT_EQ(buttonMouseMove(s, 5),
              (Actions{act(K::kPaintButton, 4, kLookUp), act(K::kPaintButton, 5, kLookOver),
                       act(K::kStartRollover)}));
    EXPECT_TRUE(rolloverTick(s, true).empty());
    EXPECT_EQ(rolloverTick(s, false),
              (Actions{act(K::kPaintButton, 5, kLookUp), act(K::kStopRollover)}));
    EXPECT_EQ(s.hoveredButton, -1);
}

TEST_F(Mouse, ReleaseOutsideTheButtonStillRunsTheCommand) {
    EXPECT_EQ(buttonMouseDown(s, 1),
              (Actions{act(K::kStopRollover), act(K::kPaintButton, 1, kLookDown)}));
    const Actions a = buttonMouseUp(s, 1, kMouseLeft, false, settings);
    EXPECT_EQ(s.shownMonth, 4);
    EXPECT_EQ(a.back(), act(K::kPaintButton, 1, kLookUp));

    const Actions inside = buttonMouseUp(s, 1, kMouseLeft, true, settings);
    EXPECT_EQ(s.shownMonth, 3);
    EXPECT_EQ(inside[inside.size() - 2], act(K::kPaintButton, 1, kLookOver));
    EXPECT_EQ(inside.back().kind, K::kStartRollover);

    buttonMouseUp(s, 1, kMouseRight, true, settings);  // only the left button commands
    EXPECT_EQ(s.shownMonth, 3);
}

TEST_F(Mouse, DraggingByTheTitleStripUnlessPinned) {
    EXPECT_TRUE(areaMouseDown(s, g, kMouseLeft, 100, 25).empty());  // below the strip
    EXPECT_FALSE(s.dragging);
    areaMouseDown(s, g, kMouseRight, 100, 10);
    EXPECT_FALSE(s.dragging);
    EXPECT_EQ(areaMouseDown(s, g, kMouseLeft, 740, 24), Actions{act(K::kBeginDrag)});
    EXPECT_TRUE(s.dragging);
    const Actions move = areaMouseMove(s, g, 760, 30, nullptr, nullptr, nullptr);
    EXPECT_EQ(move, (Actions{act(K::kMoveWindow, 20, 6)}));
    areaMouseUp(s, g, kMouseLeft, 760, 30, month);
    EXPECT_FALSE(s.dragging);

    g.desktop = true;
    EXPECT_TRUE(areaMouseDown(s, g, kMouseLeft, 100, 10).empty());
    EXPECT_FALSE(
        hasAction(areaMouseMove(s, g, 150, 10, nullptr, nullptr, nullptr), K::kMoveWindow));
}

TEST_F(Mouse, RightClickOpensTheDayMenuOnlyOnDaysOfTheMonth) {
    EXPECT_EQ(areaMouseUp(s, g, kMouseRight, 30 + 2 * 80, 100, month),
              (Actions{act(K::kOpenDayMenu, 2)}));
    // A neighbouring month's day, outside the grid, or the main screen: the main menu.
    EXPECT_EQ(areaMouseUp(s, g, kMouseRight, 30, 100, month), Actions{act(K::kOpenMainMenu)});
    EXPECT_EQ(areaMouseUp(s, g, kMouseRight, 5, 5, month), Actions{act(K::kOpenMainMenu)});
    s.screenMode = ScreenMode::kMain;
    EXPECT_EQ(areaMouseUp(s, g, kMouseRight, 30 + 2 * 80, 100, month),
              Actions{act(K::kOpenMainMenu)});
    EXPECT_TRUE(areaMouseUp(s, g, kMouseLeft, 30 + 2 * 80, 100, month).empty());
}

TEST_F(Mouse, ClickInTheWisdomBoxHidesIt) {
    EXPECT_TRUE(areaClick(s, g, 150, 250).empty());
    s.wisdom = {"Mondás+Szerző", true};
    EXPECT_TRUE(areaClick(s, g, 99, 250).empty());
    EXPECT_TRUE(s.wisdom.shown);
    EXPECT_EQ(areaClick(s, g, 399, 299), Actions{act(K::kRedraw)});
    EXPECT_FALSE(s.wisdom.shown);
}

TEST_F(Mouse, DoubleClickOnTheShownHomeMark) {
    EXPECT_TRUE(areaDoubleClick(s, g, 30, 50).empty());  // current month: no mark
    s.shownYear = 2025;                                  // later: the mark sits left
    EXPECT_TRUE(areaDoubleClick(s, g, 595, 50).empty());
    EXPECT_EQ(areaDoubleClick(s, g, 30, 50), (Actions{act(K::kRebuildMonth), act(K::kRedraw)}));
    EXPECT_EQ(s.shownYear, 2024);
    s.shownYear = 2023;  // earlier: right
    EXPECT_TRUE(areaDoubleClick(s, g, 30, 50).empty());
    EXPECT_FALSE(areaDoubleClick(s, g, 595, 50).empty());
    EXPECT_EQ(s.shownYear, 2024);

    s.shownYear = 2025;
    theme.remove("tx_today2");  // a skin that paints no marks has nothing to click
    EXPECT_TRUE(areaDoubleClick(s, readWindowGeometry(theme), 30, 50).empty());
}

TEST_F(Mouse, WheelPagesOnlyTheMonthScreen) {
    mouseWheel(s, true, false, settings);
    EXPECT_EQ(s.shownMonth, 4);
    mouseWheel(s, false, false, settings);
    mouseWheel(s, false, false, settings);
    EXPECT_EQ(s.shownMonth, 6);
    mouseWheel(s, true, true, settings);
    EXPECT_EQ(s.shownMonth, 5);
    mouseWheel(s, false, true, settings);
    EXPECT_EQ(s.shownYear, 2023);
    s.screenMode = ScreenMode::kMain;
    EXPECT_TRUE(mouseWheel(s, true, false, settings).empty());
    EXPECT_EQ(s.shownYear, 2023);
}

TEST_F(Mouse, DayTooltipFollowsTheField) {
    const Actions first = areaMouseMove(s, g, 30 + 3 * 80, 110, &month, nullptr, nullptr);
    EXPECT_EQ(first, (Actions{act(K::kRemoveDayTooltip), act(K::kSetDayTooltip, 3, 0, "tip 3")}));
    const Actions next = areaMouseMove(s, g, 30 + 4 * 80, 110, &month, nullptr, nullptr);
    EXPECT_EQ(next.back(), act(K::kSetDayTooltip, 4, 0, "tip 4"));
    month.cells[5].tipText.clear();
    EXPECT_EQ(areaMouseMove(s, g, 30 + 5 * 80, 110, &month, nullptr, nullptr).back(),
              act(K::kSetDayTooltip, 5, 0, ""));
    EXPECT_EQ(areaMouseMove(s, g, 5, 5, &month, nullptr, nullptr),
              Actions{act(K::kRemoveDayTooltip)});
    s.screenMode = ScreenMode::kMain;
    EXPECT_TRUE(areaMouseMove(s, g, 30 + 3 * 80, 110, &month, nullptr, nullptr).empty());
}

TEST_F(Mouse, NoDayTooltipAfterSwitchingToTheMainScreen) {
    const Actions a = buttonEvent(s, CommandCode::kSwitchScreen, settings);
    EXPECT_TRUE(hasAction(a, K::kRemoveDayTooltip));
    EXPECT_FALSE(hasAction(areaMouseMove(s, g, 30 + 3 * 80, 110, &month, nullptr, nullptr),
                           K::kSetDayTooltip));
}

}  // namespace
}  // namespace tv
