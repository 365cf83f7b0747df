#include "core/render/screen.h"

#include <gtest/gtest.h>

#include "core/render/primitives.h"
#include "core/render/screen_fixture.h"
#include "core/render/text.h"

namespace tv {
namespace {

using test::ScreenTest;
using test::SkinFixture;

TEST_F(ScreenTest, MainScreenOrder) {
    const Surface* background = &sc.skin.image(kImgMainBg);
    redrawScreen(sc, ScreenMode::kMain);
    const auto& ops = main().ops;
    ASSERT_GE(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, "copy");  // the background first
    EXPECT_EQ(ops[0].source, background);
    // Copied, the frame's picture is let go; the next redraw decodes it again.
    EXPECT_EQ(sc.skin.images[kImgMainBg], nullptr);
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
    EXPECT_EQ(todayBreakPoint("ab|"), 3);  // the last character counts
    EXPECT_EQ(todayBreakPoint("|ab"), 1);  // and the first
    EXPECT_EQ(todayBreakPoint("ő|"), 2);   // positions are characters, not bytes
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
    // The bell comes first and the text follows it directly. It keeps a thin outline in the
    // shadow colour even when its line has none, or a bright sky swallows it.
    const auto bells = main().of("bell");
    ASSERT_EQ(bells.size(), 5u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(bells[i].colour, 222u);
    EXPECT_EQ(bells[0].x, 19);
    EXPECT_EQ(bells[4].x, 20);
    EXPECT_EQ(bells[4].y, 66 + 19);
    EXPECT_EQ(bells[4].colour, 111u);
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
    sc.skin.theme.setItem("menualarm_x", "100");  // a skin that places the alarm button
    sc.skin.theme.setItem("menualarm_y", "2");
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

// Regression: the main screen hid the paging arrows and the names switch, and nothing showed
// them again on the month screen, so the mouse could not leave the current month.
TEST_F(ScreenTest, EachScreenShowsItsOwnButtons) {
    // The screen-bound buttons, placed where a skin would put them.
    for (const char* b : {"calleft", "calright", "menualarm", "menuswname"}) {
        sc.skin.theme.setItem(std::string(b) + "_x", "100");
        sc.skin.theme.setItem(std::string(b) + "_y", "2");
    }
    auto shown = [&] {
        std::string s;
        for (int i : {kBtnCalLeft, kBtnCalRight, kBtnAlarm, kBtnSwNames})
            s += sc.skin.buttons[i].visible ? '1' : '0';
        return s;
    };
    redrawScreen(sc, ScreenMode::kMain);
    EXPECT_EQ(shown(), "0000");
    redrawScreen(sc, ScreenMode::kMonth);
    EXPECT_EQ(shown(), "1101");
    redrawScreen(sc, ScreenMode::kAlarm);
    EXPECT_EQ(shown(), "0010");
    redrawScreen(sc, ScreenMode::kMonth);
    EXPECT_EQ(shown(), "1101");
    EXPECT_TRUE(sc.skin.buttons[kBtnExit].visible);  // not bound to a screen

    // A skin without the names switch leaves it hidden on the month screen too.
    sc.skin.theme.remove("menuswname_x");
    redrawScreen(sc, ScreenMode::kMonth);
    EXPECT_EQ(shown(), "1100");
}

// The small skin: the time at y 70 ends at 86; the title (16 pixels a line, 33 characters)
// is centred on 110; the comment starts at 140 with 16-pixel lines; the picture ends at 190.
TEST_F(ScreenTest, AlarmTitleIsLaidOutFromItsWrappedHeight) {
    auto titleLines = [&] {
        std::vector<SurfaceOp> r;
        for (const SurfaceOp& op : main().of("text"))
            if (op.text.rfind("word", 0) == 0) r.push_back(op);
        return r;
    };
    auto words = [](int n) {
        std::string t;
        for (int i = 0; i < n; ++i)
            t += (i > 0 ? " word" : "word") + std::to_string(i % 10);
        return t;
    };
    alarmEntry.comment = "Comment";
    // One line keeps its place: centred on 110.
    alarmEntry.name = words(2);
    drawAlarmScreen(sc);
    ASSERT_EQ(titleLines().size(), 1u);
    EXPECT_EQ(titleLines()[0].y, 110 - 8);
    EXPECT_EQ(main().findText("Comment")->y, 140);

    // Two lines would end at 126: they move up to leave a comment line of air above 140.
    main().ops.clear();
    alarmEntry.name = words(8);
    drawAlarmScreen(sc);
    auto lines = titleLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].y, 140 - 16 - 32);
    EXPECT_EQ(main().findText("Comment")->y, 140);

    // Three lines do not fit between the time (ends at 86) and the air above the comment (124):
    // two stay, the second marked as cut, and the comment keeps its place under the rule.
    main().ops.clear();
    alarmEntry.name = words(14);
    drawAlarmScreen(sc);
    lines = titleLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].y, 124 - 32);
    EXPECT_EQ(lines[1].text.substr(lines[1].text.size() - 3), "...");
    EXPECT_EQ(main().findText("Comment")->y, 140);
}

TEST_F(ScreenTest, AlarmCommentStopsAtThePictureAndTheAlarmButton) {
    alarmEntry.name = "Title";
    for (int i = 0; i < 60; ++i)
        alarmEntry.comment += "lorem ";
    drawAlarmScreen(sc);
    std::vector<SurfaceOp> comment;
    for (const SurfaceOp& op : main().of("text"))
        if (op.text.rfind("lorem", 0) == 0) comment.push_back(op);
    // 140 and 156 fit above 190; the last line kept says that more follows.
    ASSERT_EQ(comment.size(), 3u);
    EXPECT_EQ(comment[2].y, 172);
    EXPECT_EQ(comment[2].text.substr(comment[2].text.size() - 3), "...");

    // A button standing in the comment's way ends it at its top.
    sc.skin.theme.setItem("menualarm_x", "100");
    sc.skin.theme.setItem("menualarm_y", "160");
    sc.skin.buttons[kBtnAlarm].x = 100;
    sc.skin.buttons[kBtnAlarm].y = 160;
    sc.skin.buttons[kBtnAlarm].w = 50;
    main().ops.clear();
    drawAlarmScreen(sc);
    comment.clear();
    for (const SurfaceOp& op : main().of("text"))
        if (op.text.rfind("lorem", 0) == 0) comment.push_back(op);
    ASSERT_EQ(comment.size(), 1u);
    EXPECT_EQ(comment[0].y, 140);
}

TEST_F(ScreenTest, LayoutTestSwitchesToTheAlarmScreenAndLeavingStopsTheAlarm) {
    sc.skin.theme.setItem("menualarm_x", "100");  // a skin that places the alarm button
    sc.skin.theme.setItem("menualarm_y", "2");
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

TEST_F(ScreenTest, ExtremeAlarmTestRepeatsTheCommentAsFarAsItsRoomHolds) {
    sc.skin.theme.setItem("alarm_com_w", "100000");  // one line per paragraph
    const auto commentLines = [&] {
        std::vector<std::string> out;
        for (const SurfaceOp& op : main().of("text"))
            if (op.x == 20 && op.y >= 140) out.push_back(op.text);
        return out;
    };
    tests.normalAlarm = true;  // one-shot: the redraw clears it
    redrawScreen(sc, ScreenMode::kMain);
    const std::vector<std::string> one = commentLines();
    ASSERT_EQ(one.size(), 1u);
    tests.extremeAlarm = true;
    main().ops.clear();
    redrawScreen(sc, ScreenMode::kMain);
    // Five paragraphs: the comment keeps the lines its room holds, the last one marked as cut.
    const std::vector<std::string> five = commentLines();
    ASSERT_GE(five.size(), 2u);
    ASSERT_LE(five.size(), 5u);
    for (size_t i = 0; i + 1 < five.size(); ++i)
        EXPECT_EQ(five[i], one[0]);
    if (five.size() < 5) {
        EXPECT_EQ(five.back(), one[0] + "...");
    }
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
