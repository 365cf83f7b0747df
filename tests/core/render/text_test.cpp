#include "core/render/text.h"

#include <gtest/gtest.h>

#include "core/config/hash_table.h"
#include "platform/fake/fake_surface.h"

namespace tv {
namespace {

FakeSurface surfaceWithFont(int pixelSize = 12) {
    FakeSurface s(200, 100);
    FontSpec f;
    f.pixelSize = pixelSize;  // 6 pixels a character
    s.setFont(f);
    return s;
}

TEST(TextStyle, WeightRulesAndWisdomFallback) {
    HashTable theme;
    theme.setItem("a_weight", "300");
    theme.setItem("a_bold", "true");
    theme.setItem("b_bold", "false");
    theme.setItem("a_size", "12");
    FakeSurface s(10, 10);
    setTextStyle(s, theme, "a");
    EXPECT_EQ(s.font().weight, 300);
    EXPECT_EQ(s.font().pixelSize, 16);  // 12 points at 96 dpi
    setTextStyle(s, theme, "b");
    EXPECT_EQ(s.font().weight, 400);
    setTextStyle(s, theme, "c");
    EXPECT_EQ(s.font().weight, 700);
    EXPECT_EQ(s.font().face, "MS Sans Serif");

    theme.setItem("wise_say_font", "Nowhere Sans");
    s.missingFace = "Nowhere Sans";
    setTextStyle(s, theme, "wise_say");
    EXPECT_EQ(s.font().face, "Arial");
    EXPECT_EQ(s.font().pixelSize, 19);
    EXPECT_TRUE(s.font().italic);
}

TEST(drawText, AlignsAndDrawsTheStyleShadowFirst) {
    FakeSurface s = surfaceWithFont();
    s.setTextColor(5);
    drawText(s, 100, 10, "abcd", kAlignRight, 9);
    drawText(s, 100, 20, "abcd", kAlignCentre, 9);
    drawText(s, 100, 30, "abcd", 3, 9);
    ASSERT_EQ(s.ops.size(), 2u);
    EXPECT_EQ(s.ops[0].x, 76);
    EXPECT_EQ(s.ops[1].x, 88);

    s.ops.clear();
    s.styleShadow = true;
    drawText(s, 10, 10, "x", kAlignLeft, 9);
    ASSERT_EQ(s.ops.size(), 2u);
    EXPECT_EQ(s.ops[0].y, 11);
    EXPECT_EQ(s.ops[0].colour, 9u);
    EXPECT_EQ(s.ops[1].colour, 5u);  // the remembered colour is back
}

TEST(drawShadowed, PassesOfEachShadowType) {
    FakeSurface s = surfaceWithFont(16);  // 12 points: the small drop shadow
    drawShadowed(s, 50, 50, 1, 2, kShadowDrop, "ab", kAlignLeft, 0);
    ASSERT_EQ(s.ops.size(), 2u);
    EXPECT_EQ(s.ops[0].x, 52);
    EXPECT_EQ(s.ops[0].y, 51);
    EXPECT_EQ(s.ops[0].colour, 2u);
    EXPECT_EQ(s.ops[1].colour, 1u);
    s.ops.clear();
    drawShadowed(s, 50, 50, 1, 2, kShadowThick, "ab", kAlignLeft, 0);
    EXPECT_EQ(s.ops.size(), 9u);
    s.ops.clear();
    FontSpec big = s.font();
    big.pixelSize = 40;  // 30 points
    s.setFont(big);
    drawShadowed(s, 50, 50, 1, 2, kShadowDrop, "ab", kAlignLeft, 0);
    EXPECT_EQ(s.ops[0].x, 54);
    EXPECT_EQ(s.ops[0].y, 53);
}

TEST(drawTagged, CentresOnThePlainWidthAndHighlightsTheRun) {
    FakeSurface s = surfaceWithFont();
    drawTagged(s, 100, 10, 1, 2, 3, kShadowNone, "Ma <r>Ábel</r> napja", kAlignCentre, 0);
    // "Ma Ábel napja" is 13 characters, 78 pixels: it starts at 61.
    ASSERT_EQ(s.ops.size(), 3u);
    EXPECT_EQ(s.ops[0].text, "Ma ");
    EXPECT_EQ(s.ops[0].x, 61);
    EXPECT_EQ(s.ops[0].colour, 1u);
    EXPECT_EQ(s.ops[1].text, "Ábel");
    EXPECT_EQ(s.ops[1].x, 61 + 18);
    EXPECT_EQ(s.ops[1].colour, 3u);
    EXPECT_EQ(s.ops[2].text, " napja");
    EXPECT_EQ(s.ops[2].x, 61 + 42);
    EXPECT_EQ(s.ops[2].colour, 1u);

    s.ops.clear();
    drawTagged(s, 0, 0, 1, 2, 3, kShadowNone, "plain", kAlignLeft, 0);
    ASSERT_EQ(s.ops.size(), 1u);
    EXPECT_EQ(s.ops[0].text, "plain");
}

TEST(FitAndWrap, CutWithTheMarkAndBreakAtBlanks) {
    FakeSurface s = surfaceWithFont();
    EXPECT_EQ(fitText(s, "abc", 18, "..."), "abc");
    EXPECT_EQ(fitText(s, "abcdefgh", 36, ".."), "abcd..");
    EXPECT_EQ(fitText(s, "W", 3, ".."), "..");
    EXPECT_EQ(wrapText(s, "alma korte", 40), (std::vector<std::string>{"alma", "korte"}));
    EXPECT_EQ(wrapText(s, "abcdefghij", 24), (std::vector<std::string>{"abcd", "efgh", "ij"}));
    EXPECT_EQ(wrapText(s, "a\r\nb", 100), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(lineHeight(s), 15);
}

}  // namespace
}  // namespace tv
