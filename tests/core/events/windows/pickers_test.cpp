// The month picker, the band colour picker and the custom colours of the colour dialog.
#include <gtest/gtest.h>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/events/windows/colour_picker.h"
#include "core/events/windows/custom_colors.h"
#include "core/events/windows/month_picker.h"
#include "platform/fake/fake_services.h"

namespace tv {
namespace {

TEST(MonthPicker, MaskBitsAreMonthsAndAnEmptyChoiceKeepsTheDialogOpen) {
    MonthPicker p = openMonthPicker(0);
    p.checked[0] = p.checked[11] = true;
    EXPECT_EQ(confirmMonthPicker(p), 2049);
    p.checked.fill(false);
    EXPECT_FALSE(confirmMonthPicker(p));

    p = openMonthPicker(2049 | 1 << 5);
    EXPECT_EQ(p.given, 2081);
    EXPECT_TRUE(p.checked[0] && p.checked[5] && p.checked[11]);
    EXPECT_FALSE(p.checked[1]);
    StringTable s;
    auto boxes = describeMonthPicker(p, s);
    EXPECT_TRUE(boxes[5].bold);
    EXPECT_FALSE(boxes[6].bold);
    EXPECT_EQ(boxes[6].caption, "main_month_6");
    EXPECT_EQ(boxes[6].column, 1);
    EXPECT_EQ(boxes[6].row, 0);
    EXPECT_EQ(boxes[5].row, 5);
}

TEST(MonthPicker, SelectAllFillsTheGapsOrClearsAFullSet) {
    MonthPicker p = openMonthPicker(0xFFF & ~(1 << 7));  // eleven months
    toggleAllMonths(p);
    EXPECT_EQ(monthMaskOf(p), 0xFFF);
    toggleAllMonths(p);
    EXPECT_EQ(monthMaskOf(p), 0);
    toggleAllMonths(p);
    EXPECT_EQ(monthMaskOf(p), 0xFFF);
}

TEST(ColourPicker, FramesTheGivenHueOrTheFirstCell) {
    EXPECT_EQ(openColourPicker(190).selected, 7);
    ColourPicker p = openColourPicker(45);
    EXPECT_EQ(p.selected, 0);
    EXPECT_EQ(confirmColourPicker(p), 0);
    pickColourCell(p, 13);
    EXPECT_EQ(confirmColourPicker(p), 330);
    pickColourCell(p, 14);  // outside the palette
    pickColourCell(p, -1);
    EXPECT_EQ(confirmColourPicker(p), 330);
    EXPECT_EQ(p.given, 45);
}

TEST(ColourPicker, CellsSitInTwoRowsAndArePaintedLikeTheBands) {
    MonthTheme theme;
    auto cells = describeColourPicker(theme);
    EXPECT_EQ(cells[0].x, 2);
    EXPECT_EQ(cells[6].x, 182);
    EXPECT_EQ(cells[7].x, 2);
    EXPECT_EQ(cells[7].y, 32);
    EXPECT_EQ(cells[0].colour, 0x0000FFu);  // pure red
    EXPECT_EQ(cells[5].colour, 0x00FF00u);  // 120 degrees: green
    EXPECT_EQ(cells[9].colour, 0xFF0000u);  // 240 degrees: blue
    theme.longVal = 0;
    EXPECT_EQ(bandHueColour(120, theme), 0u);
}

TEST(CustomColours, NeverSavedGivesGreysAndTheTextRoundTripsInEitherCase) {
    CustomColourSet greys = parseCustomColors("nope");
    EXPECT_EQ(greys[0], 0xFFFFFF);
    EXPECT_EQ(greys[1], 0xEFEFEF);
    EXPECT_EQ(greys[15], 0x0F0F0F);

    CustomColourSet c = greys;
    c[3] = 0x123456;  // blue 0x12, green 0x34, red 0x56
    const std::string text = formatCustomColors(c);
    ASSERT_EQ(text.size(), 96u);
    EXPECT_EQ(text.substr(18, 6), "563412");
    std::string upper = text;
    for (char& ch : upper)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(parseCustomColors(upper), c);
    EXPECT_EQ(parseCustomColors("ff0000")[0], 0x0000FF);  // a short text: the rest black
    EXPECT_EQ(parseCustomColors("ff0000")[1], 0);
}

TEST(CustomColours, TheDialogReturnsTheChoiceOrTheGivenColourAndStoresTheSet) {
    FakeDialogs dialogs;
    HashTable settings;
    dialogs.colourAnswers = {0x00AA00, std::nullopt};
    EXPECT_EQ(chooseColorDialog(dialogs, settings, 0x123), 0x00AA00);
    EXPECT_EQ(settings.item("CustomColors"), formatCustomColors(parseCustomColors("nope")));
    EXPECT_EQ(chooseColorDialog(dialogs, settings, 0x123), 0x123);
}

}  // namespace
}  // namespace tv
