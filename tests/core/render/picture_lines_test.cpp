// The lines over the picture stay inside it: the cut to what fits with its "more" line, the
// width budget, and the holiday caption of the second layout.
#include "core/render/picture_lines.h"

#include <gtest/gtest.h>

#include "core/render/screen_fixture.h"

namespace tv {
namespace {

// The small skin's picture area is (10, 60) 280 x 130 with paddings 10 and 6: lines start at
// y 66 and end by y 184. Coming events are 11 pixels high (5 a character, 14 a line), today's
// 16 (8 a character, 19 a line). The wisdom box starts at y 120.
class PictureLinesTest : public test::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        f.strings.table().setItem("main_d_more", "… és még $1 esemény");
        f.strings.table().setItem("main_d_and", " és ");
        f.settings.setItem("M_Shadow", "0");
    }
    void addComing(int n) {
        for (int i = 0; i < n; ++i)
            addEntry("Coming " + std::to_string(i), 1 + i, false);
    }
    std::vector<SurfaceOp> lines() const {
        std::vector<SurfaceOp> r;
        for (const SurfaceOp& op : test::SkinFixture::fake(*sc.skin.mainBuffer).of("text"))
            if (op.y >= 60) r.push_back(op);
        return r;
    }
};

TEST_F(PictureLinesTest, ListThatFitsExactlyHasNoMoreLine) {
    // The coming events start 4 pixels lower: 70, 84, ... the eighth ends at 182.
    addComing(8);
    drawPictureLines(sc);
    const auto drawn = lines();
    ASSERT_EQ(drawn.size(), 8u);
    EXPECT_EQ(drawn.back().text, "Coming 7");
    EXPECT_EQ(drawn.back().y, 70 + 7 * 14);
}

TEST_F(PictureLinesTest, LongListEndsWithTheCountOfWhatIsLeftOut) {
    addComing(9);
    drawPictureLines(sc);
    auto drawn = lines();
    ASSERT_EQ(drawn.size(), 8u);
    EXPECT_EQ(drawn[6].text, "Coming 6");
    // The last place that fits says how many entries it stands for, in the block's font.
    EXPECT_EQ(drawn[7].text, "… és még 2 esemény");
    EXPECT_EQ(drawn[7].y, 70 + 7 * 14);
    EXPECT_EQ(drawn[7].colour, 555u);
    EXPECT_EQ(drawn[7].x, 20);

    forecast.clear();
    main().ops.clear();
    addComing(1000);
    drawPictureLines(sc);
    drawn = lines();
    ASSERT_EQ(drawn.size(), 8u);
    EXPECT_EQ(drawn.back().text, "… és még 993 esemény");
}

TEST_F(PictureLinesTest, TheWisdomBoxBelowTheLinesEndsTheList) {
    wisdom.text = "Saying+Author";
    wisdom.shown = true;
    addEntry("Feast", 0, true);  // 66 .. 85
    addComing(5);                // 89, 103 .. and the box begins at 120
    drawPictureLines(sc);
    const auto drawn = lines();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[1].text, "Coming 0");
    EXPECT_EQ(drawn[2].text, "… és még 4 esemény");
    EXPECT_LE(drawn[2].y + 14, 120);

    // Hidden by a click, the box leaves the whole room to the list again.
    wisdom.shown = false;
    main().ops.clear();
    drawPictureLines(sc);
    EXPECT_EQ(lines().size(), 6u);
}

TEST_F(PictureLinesTest, CutInTodaysBlockCountsTheComingEventsToo) {
    for (int i = 0; i < 7; ++i)
        addEntry("Mine " + std::to_string(i), 0, false);  // 19 pixels each: 66 .. 199
    addComing(3);
    drawPictureLines(sc);
    const auto drawn = lines();
    // A seventh line would end at 199, below 184: five entries, then the count of the other five
    // in the sixth place.
    ASSERT_EQ(drawn.size(), 6u);
    EXPECT_EQ(drawn[5].text, "… és még 5 esemény");
    EXPECT_EQ(drawn[5].colour, 111u);  // in the own events' font and colour
}

TEST_F(PictureLinesTest, SecondLayoutGivesUpComingEventsBeforeTodaysOwn) {
    // The coming events come first in this layout; cutting from the end would drop today's.
    f.settings.setItem("M_AlignType", "2");
    addEntry("Mine 0", 0, false);
    addEntry("Mine 1", 0, false);
    addComing(10);
    drawPictureLines(sc);
    const auto drawn = lines();
    // 66 + 5 x 14 = 136, then two lines of 19 end at 174; a sixth coming line would not leave room.
    ASSERT_EQ(drawn.size(), 7u);
    EXPECT_EQ(drawn[3].text, "Coming 3");
    EXPECT_EQ(drawn[4].text, "… és még 6 esemény");
    EXPECT_EQ(drawn[4].colour, 555u);
    EXPECT_EQ(drawn[5].text, "Mine 0");
    EXPECT_EQ(drawn[6].text, "Mine 1");
    EXPECT_LE(drawn[6].y + 19, 184);
}

TEST_F(PictureLinesTest, WidthBudgetKeepsTheRightMarginAndPadding) {
    sc.skin.theme.setItem("pic_margin_right", "40");
    addEntry(std::string(80, 'x'), 2, false);
    addEntry("Bell " + std::string(80, 'y'), 0, false, true);
    drawPictureLines(sc);
    // Right edge of the room: 10 + 280 - 40 - 10 = 240.
    const SurfaceOp* coming = nullptr;
    const SurfaceOp* mine = nullptr;
    const auto drawn = lines();  // the pointers below point into it
    for (const SurfaceOp& op : drawn)
        (op.text.front() == 'x' ? coming : mine) = &op;
    ASSERT_TRUE(coming && mine);
    const int comingRight = coming->x + 5 * static_cast<int>(coming->text.size());
    EXPECT_LE(comingRight, 240);
    EXPECT_GT(comingRight, 240 - 5);
    // The bell's width comes out of the same budget.
    EXPECT_EQ(mine->x, 20 + 8);
    EXPECT_LE(mine->x + 8 * static_cast<int>(mine->text.size()), 240);

    // Right-aligned, a short line ends at the same edge, not one left padding in from the frame.
    f.settings.setItem("M_TextAlign2", "1");
    forecast.clear();
    main().ops.clear();
    addEntry("abc", 2, false);
    drawPictureLines(sc);
    const SurfaceOp* right = main().findText("abc");
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(right->x + 3 * 5, 240);
}

TEST_F(PictureLinesTest, CaptionOfTheSecondLayoutClearsTheWisdomBox) {
    f.settings.setItem("M_AlignType", "2");
    addEntry("A", 0, true);
    addEntry("B", 0, true);
    addComing(10);
    drawPictureLines(sc);
    // Without the box: at the foot, and the list stops above it.
    const SurfaceOp* caption = main().findText("A és B");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->y, 60 + 130 - 19 - 22);
    for (const SurfaceOp& op : lines())
        if (&op != caption && op.text != "A és B") {
            EXPECT_LE(op.y + 14, caption->y) << op.text;
        }

    // With the box shown over the foot, the caption sits just above it.
    wisdom.text = "Saying+Author";
    wisdom.shown = true;
    main().ops.clear();
    drawPictureLines(sc);
    caption = main().findText("A és B");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->y, 120 - 19 - 4);
    const auto drawn = lines();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front().text, "Coming 0");
    for (const SurfaceOp& op : drawn)
        if (op.text != "A és B") {
            EXPECT_LE(op.y + 14, caption->y) << op.text;
        }
    EXPECT_NE(main().findText("… és még 9 esemény"), nullptr);
}

}  // namespace
}  // namespace tv
