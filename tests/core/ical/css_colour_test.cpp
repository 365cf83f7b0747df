// COLOR names both ways: a name is known in any case but only whole, and the pure hues map to
// their own names.
#include "core/ical/css_colour.h"

#include <gtest/gtest.h>

namespace tv::ical {
namespace {

TEST(CssColour, NamesAreMatchedWholeInAnyCase) {
    EXPECT_EQ(hueOfCssColour("red"), 0);
    EXPECT_EQ(hueOfCssColour("Lime"), 120);
    EXPECT_EQ(hueOfCssColour("BLUE"), 240);
    EXPECT_EQ(hueOfCssColour("gray"), 0);  // no hue of its own
    EXPECT_EQ(hueOfCssColour("re"), std::nullopt);
    EXPECT_EQ(hueOfCssColour("reds"), std::nullopt);
    EXPECT_EQ(hueOfCssColour(""), std::nullopt);
}

TEST(CssColour, PureHuesAreTheirOwnNames) {
    EXPECT_EQ(nearestCssColour(0), "red");
    EXPECT_EQ(nearestCssColour(120), "lime");
    EXPECT_EQ(nearestCssColour(240), "blue");
    EXPECT_EQ(nearestCssColour(-120), "blue");  // hues go round
    EXPECT_EQ(nearestCssColour(360 + 120), "lime");
}

}  // namespace
}  // namespace tv::ical
