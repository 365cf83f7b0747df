#include "core/render/screen.h"

#include <gtest/gtest.h>

#include "core/calc/today.h"
#include "core/names/wisdom.h"
#include "core/render/primitives.h"
#include "core/render/skin_fixture.h"
#include "core/render/text.h"
#include "platform/fake/fake_clock.h"

namespace tv {
namespace {

using test::kSmallTheme;
using test::SkinFixture;

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

TEST_F(ScreenTest, MainScreenOrder) {
    redrawScreen(sc, ScreenMode::kMain);
    const auto& ops = main().ops;
    ASSERT_GE(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, "copy");  // the background first
    EXPECT_EQ(ops[0].source, sc.skin.images[kImgMainBg].get());
    EXPECT_EQ(ops[1].text, "Naptár 2025");
    // Then the picture buffer into the picture area; no lines without entries.
    EXPECT_EQ(ops.back().source, sc.skin.pictureBuffer.get());
    EXPECT_EQ(ops.back().x, 10);
    EXPECT_EQ(ops.back().y, 60);
    EXPECT_FALSE(sc.skin.buttons[kBtnCalLeft].visible);
}

TEST_F(ScreenTest, TitleWithoutThemeCarriesTheNotice) {
    sc.skin.themeLoaded = false;
    drawTitle(sc);
    EXPECT_NE(main().findText("Naptár 2025    (no skin)"), nullptr);
}

TEST_F(ScreenTest, OneLineTodayTextSitsHalfALineAboveTheMiddle) {
    todayText = "Ma <r>Ábel</r> napja";
    drawTodayBlock(sc);
    const SurfaceOp* op = main().findText("Ma ");
    ASSERT_NE(op, nullptr);
    // today_size 12 -> 16 px font, line height 19: 40 - 9.5 rounds to 30 (half to even).
    EXPECT_EQ(op->y, 30);
}

TEST_F(ScreenTest, TodayTextBreaksAtTheBarNearestTheMiddle) {
    EXPECT_EQ(todayBreakPoint("aaaa|bb|cccccccc"), 8);
    EXPECT_EQ(todayBreakPoint("aaaaaa|bbbbb|c"), 7);  // equal distances: the one behind
    EXPECT_EQ(todayBreakPoint("no bars"), 0);
    // Wider than the picture (280 px at 8 px a character): two lines around the middle.
    todayText = std::string(20, 'a') + "|" + std::string(30, 'b');
    drawTodayBlock(sc);
    EXPECT_NE(main().findText(std::string(20, 'a')), nullptr);
    const SurfaceOp* second = main().findText(std::string(30, 'b'));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->y, 40);
    // Without a bar the first line is empty and the second holds it all.
    main().ops.clear();
    todayText = std::string(50, 'c');
    drawTodayBlock(sc);
    const SurfaceOp* whole = main().findText(std::string(50, 'c'));
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole->y, 40);
}

TEST_F(ScreenTest, LineBlocksGoHolidaysOwnEventsThenComing) {
    addEntry("Soon", 3, false);
    addEntry("Mine", 0, false, true);
    addEntry("Feast", 0, true);
    f.settings.setItem("M_Shadow", "0");
    drawMainScreen(sc);
    const SurfaceOp* feast = main().findText("Feast");
    const SurfaceOp* mine = main().findText("Mine");
    const SurfaceOp* soon = main().findText("Soon");
    ASSERT_TRUE(feast && mine && soon);
    EXPECT_EQ(feast->colour, 333u);
    EXPECT_EQ(feast->x, 20);  // picture_x + pic_padding_x
    EXPECT_EQ(feast->y, 66);
    EXPECT_EQ(mine->y, 66 + 19);
    // The bell comes first and the text follows it directly.
    const auto bells = main().of("bell");
    ASSERT_EQ(bells.size(), 1u);
    EXPECT_EQ(bells[0].x, 20);
    EXPECT_EQ(mine->x, 28);
    EXPECT_EQ(soon->y, 66 + 2 * 19 + 4);
    EXPECT_EQ(soon->colour, 555u);
}

TEST_F(ScreenTest, SecondLayoutJoinsTodaysHolidaysIntoACaption) {
    f.strings.table().setItem("main_d_and", " és ");
    addEntry("A", 0, true);
    addEntry("B", 0, true);
    f.settings.setItem("M_AlignType", "2");
    f.settings.setItem("M_Shadow", "0");
    drawMainScreen(sc);
    const SurfaceOp* caption = main().findText("A és B");
    ASSERT_NE(caption, nullptr);
    // Centred on the picture; above its foot by a line and 22 pixels.
    EXPECT_EQ(caption->x, 10 + 140 - 3 * 8);
    EXPECT_EQ(caption->y, 60 + 130 - 19 - 22);
}

TEST_F(ScreenTest, AlarmScreenTimeAndButtons) {
    alarmEntry.hour = 9;
    alarmEntry.minute = 5;
    alarmEntry.name = "Meeting";
    redrawScreen(sc, ScreenMode::kAlarm);
    EXPECT_NE(main().findText("9:05"), nullptr);
    EXPECT_NE(main().findText("Meeting"), nullptr);
    EXPECT_TRUE(sc.skin.buttons[kBtnAlarm].visible);
    EXPECT_FALSE(sc.skin.buttons[kBtnSwNames].visible);

    main().ops.clear();
    alarmEntry.hour = 14;
    alarmEntry.minute = 30;
    redrawScreen(sc, ScreenMode::kAlarm);
    EXPECT_NE(main().findText("14:30"), nullptr);
}

TEST_F(ScreenTest, LayoutTestSwitchesToTheAlarmScreenAndLeavingStopsTheAlarm) {
    int stops = 0;
    sc.leaveAlarm = [&] { ++stops; };
    tests.normalAlarm = true;
    clock.set(DateTime::of(Date::serial(2025, 1, 2), 7, 8, 0));
    redrawScreen(sc, ScreenMode::kMain);
    EXPECT_NE(main().findText("7:08"), nullptr);
    EXPECT_TRUE(sc.skin.buttons[kBtnAlarm].visible);  // the alarm screen was drawn
    EXPECT_FALSE(tests.normalAlarm);                  // and the sample is used up
    EXPECT_EQ(stops, 1);                              // the redraw began on the main screen
}

TEST_F(ScreenTest, WisdomBoxSplitsAtTheLastPlus) {
    wisdom.shown = true;
    wisdom.text = "Quote 1+1 is two+Author";
    drawWisdomBox(sc);
    const auto masked = main().of("masked");
    ASSERT_EQ(masked.size(), 1u);
    EXPECT_EQ(masked[0].x, 20);
    const SurfaceOp* author = main().findText("Author");
    ASSERT_NE(author, nullptr);
    EXPECT_EQ(author->colour, 7u);
    EXPECT_NE(main().findText("Quote 1+1 is two"), nullptr);

    main().ops.clear();
    wisdom.text = "No author mark";
    drawWisdomBox(sc);
    const SurfaceOp* only = main().findText("No author mark");
    ASSERT_NE(only, nullptr);
    EXPECT_EQ(only->colour, 7u);  // drawn as the author line
}

TEST_F(ScreenTest, RefreshStopsAfterTwentySeconds) {
    std::vector<Rect> looks;
    int ticks = 0;
    while (refreshScreen(sc, &looks))
        ++ticks;
    EXPECT_EQ(ticks, 6);  // 3000 .. 18000 keep going; 21000 stops
    EXPECT_EQ(sc.refreshElapsedMs, 0);
    EXPECT_FALSE(looks.empty());
}

TEST(Primitives, LinesAndColours) {
    FakeSurface s(50, 50);
    hLine(s, 10, 5, 0, 3, 1);
    vLine(s, 0, 10, 5, 3, 1);
    EXPECT_TRUE(s.ops.empty());
    hLine(s, 5, 10, 2, 3, 1);
    ASSERT_EQ(s.ops.size(), 1u);
    EXPECT_EQ(s.ops[0].w, 6);
    EXPECT_EQ(s.ops[0].h, 3);
    EXPECT_EQ(hsvToRgb(360, 1, 1), 255u);
    EXPECT_EQ(hsvToRgb(120, 1, 1), 0x00FF00u);
    EXPECT_EQ(luminance(0), 0);
    EXPECT_LT(luminance(hsvToRgb(240, 1, 0.5)), 128);  // dark blue
    EXPECT_GE(luminance(hsvToRgb(60, 1, 1)), 128);     // yellow
}

}  // namespace
}  // namespace tv
