#include "core/render/skin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/names/wisdom.h"
#include "core/render/screen.h"
#include "core/render/skin_fixture.h"
#include "core/render/theme.h"

namespace tv {
namespace {

using test::kSmallTheme;
using test::SkinFixture;

TEST(ThemeValues, ReadIntegersColoursAndBooleans) {
    EXPECT_EQ(parseThemeInt("-12"), -12);
    EXPECT_EQ(parseThemeInt("+7"), 7);
    EXPECT_EQ(parseThemeInt(""), 0);
    EXPECT_EQ(parseThemeInt("12px"), 0);
    EXPECT_TRUE(parseThemeBool("TRUE"));
    EXPECT_FALSE(parseThemeBool("false"));
    EXPECT_TRUE(parseThemeBool("3"));
    EXPECT_FALSE(parseThemeBool("0"));
}

TEST(ThemeValues, MissingThemeKeyNamesTheFirstGap) {
    const auto missing = [](const std::string& text) {
        HashTable t;
        parseConfig(t, text);
        return missingThemeKey(t);
    };
    const std::string full = kSmallTheme;
    EXPECT_EQ(missing(full), "");
    const auto without = [&](const std::string& line) {
        std::string text = full;
        text.erase(text.find(line), line.size());
        return text;
    };
    EXPECT_EQ(missing(without("wise_say_align = 2\n")), "wise_say_align");
    EXPECT_EQ(missing(without("tx10_oy = 60\n")), "tx10_oy");  // a shown button needs its cut
    EXPECT_EQ(missing(full + "calhomeleft_x = 1\n"), "calhome_w");
    EXPECT_EQ(missing(full + "calhomeright_x = 1\ncalhome_w = 9\n"), "calhome_w");
    EXPECT_EQ(missing(full + "calhomeright_x = 1\ncalhome_w = 9\ncalhome_h = 9\n"), "");
    // A style with a shadow needs the shadow colour; short keys are no shadow style.
    const std::string noShadow = without("text_shadow_color = 4210752\n") + "x = 1\n";
    EXPECT_EQ(missing(noShadow), "");
    EXPECT_EQ(missing(noShadow + "today_shadow = 0\n"), "");
    EXPECT_EQ(missing(noShadow + "today_shadow = 1\n"), "text_shadow_color");
}

TEST(SetSkin, LoadsTheSkinItsSurfacesAndButtons) {
    SkinFixture f;
    f.writeSkin("small", kSmallTheme);
    Skin skin;
    ASSERT_TRUE(f.load(skin, "small"));
    EXPECT_TRUE(skin.themeLoaded);
    EXPECT_TRUE(f.box.shown.empty());
    EXPECT_EQ(skin.mainBuffer->width(), 300);
    EXPECT_EQ(skin.mainBuffer->height(), 200);
    EXPECT_EQ(skin.pictureBuffer->width(), 280);
    EXPECT_TRUE(skin.hasImage(kImgMainBg));
    EXPECT_FALSE(skin.hasImage(kImgToday2));  // no key: an empty image
    EXPECT_FALSE(skin.window.shaped);
    // The picture buffer starts as the background under the picture.
    const auto copies = SkinFixture::fake(*skin.pictureBuffer).of("copy");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].sx, 10);
    EXPECT_EQ(copies[0].sy, 60);
    EXPECT_EQ(copies[0].source, skin.images[kImgMainBg].get());
    // Buttons: placed when they have a position, the missed-events one stays hidden.
    EXPECT_TRUE(skin.buttons[kBtnExit].visible);
    EXPECT_EQ(skin.buttons[kBtnExit].x, 280);
    EXPECT_EQ(skin.buttons[kBtnExit].w, 16);
    EXPECT_EQ(skin.buttons[kBtnExit].tooltip, "com_close");
    EXPECT_FALSE(skin.buttons[kBtnAlert].visible);
    EXPECT_FALSE(skin.buttons[kBtnHome].visible);
    EXPECT_FALSE(skin.buttons[kBtnCalLeft].visible);
}

TEST(SetSkin, SkinWithoutThemeFileFallsBackToTheDefaultAndStoresIt) {
    SkinFixture f;
    f.writeSkin("metal_big", kSmallTheme);
    Skin skin;
    std::string name = "gone";
    ASSERT_TRUE(setSkin(skin, name, false, f.services()));
    EXPECT_EQ(name, "metal_big");
    EXPECT_EQ(f.settings.item("Skin"), "metal_big");
    EXPECT_TRUE(skin.themeLoaded);
}

TEST(SetSkin, SkinLackingARequiredKeyIsRefusedForTheDefaultSkin) {
    SkinFixture f;
    std::string theme = kSmallTheme;
    theme.replace(theme.find("alarm_title_w"), 13, "alarm_titleXw");
    f.writeSkin("broken", theme);
    std::string fallback = kSmallTheme;
    fallback.replace(fallback.find("window_width = 300"), 18, "window_width = 320");
    f.writeSkin("metal_big", fallback);
    f.strings.table().setItem("com_err_skincfg", "Bad skin: $1");
    f.settings.setItem("Skin", "broken");
    Skin skin;
    std::string name = "broken";
    ASSERT_TRUE(setSkin(skin, name, false, f.services()));
    ASSERT_EQ(f.box.shown.size(), 1u);
    EXPECT_EQ(f.box.shown[0].text, "Bad skin: broken");
    EXPECT_EQ(f.box.shown[0].icon, MessageIcon::kWarning);
    // Nothing of the refused skin is used: its images are never loaded.
    EXPECT_EQ(name, "metal_big");
    EXPECT_EQ(f.settings.item("Skin"), "metal_big");
    EXPECT_TRUE(skin.themeLoaded);
    EXPECT_EQ(skin.mainBuffer->width(), 320);
    EXPECT_FALSE(skin.theme.exists("alarm_titleXw"));
    for (const std::string& path : f.loader.loads)
        EXPECT_EQ(path.find("/broken/"), std::string::npos) << path;
}

TEST(SetSkin, BrokenDefaultSkinLeavesTheGridDefaultsAndNoWisdomBox) {
    SkinFixture f;
    std::string theme = kSmallTheme;
    theme.replace(theme.find("wise_say_w"), 10, "wise_sayXw");
    f.writeSkin("metal_big", theme);
    f.writeSkin("unreadable", "key = \"unterminated\nkey = twice\n");
    f.strings.table().setItem("com_err_skincfg", "Bad skin: $1");
    Skin skin;
    std::string name = "unreadable";
    ASSERT_TRUE(setSkin(skin, name, false, f.services()));
    ASSERT_EQ(f.box.shown.size(), 2u);  // one for each skin refused
    EXPECT_EQ(f.box.shown[0].text, "Bad skin: unreadable");
    EXPECT_EQ(f.box.shown[1].text, "Bad skin: metal_big");
    EXPECT_FALSE(skin.themeLoaded);
    EXPECT_EQ(themeInt(skin.theme, "picture_w"), 640);
    EXPECT_EQ(themeInt(skin.theme, "cal_field_h"), 65);
    EXPECT_FALSE(skin.theme.exists("wise_x"));
    EXPECT_EQ(skin.mainBuffer->width(), 648);  // the per-key defaults

    // The saying would be drawn one character a line at the window's corner: no box at all.
    Screen sc;
    sc.skin = std::move(skin);
    WisdomState wisdom;
    wisdom.text = "Saying+Author";
    wisdom.shown = true;
    sc.wisdom = &wisdom;
    drawWisdomBox(sc);
    EXPECT_TRUE(SkinFixture::fake(*sc.skin.mainBuffer).ops.empty());
}

TEST(SetSkin, ShapeFollowsTheRoundKeysAndTransparencyTheSetting) {
    SkinFixture f;
    f.writeSkin("round", std::string(kSmallTheme) + "window_round_x = 20\n");
    Skin skin;
    ASSERT_TRUE(f.load(skin, "round"));
    EXPECT_TRUE(skin.window.shaped);
    EXPECT_EQ(skin.window.roundX, 20);
    EXPECT_EQ(skin.window.roundY, 0);
    // Transparency 100 without a colour key: layered, fully opaque.
    EXPECT_TRUE(skin.window.layered);
    EXPECT_EQ(skin.window.opacity, 255);
    EXPECT_FALSE(skin.window.colourKeyed);

    f.settings.setItem("Transparency", "0");
    setTransparency(skin, f.settings);
    EXPECT_FALSE(skin.window.layered);
    EXPECT_FALSE(skin.window.hasOpacity);
    f.settings.setItem("Transparency", "1");  // the least there is: 2.55 rounds to 3
    setTransparency(skin, f.settings);
    EXPECT_TRUE(skin.window.layered && skin.window.hasOpacity);
    EXPECT_EQ(skin.window.opacity, 3);

    skin.theme.setItem("transparentcolor", "16711935");
    f.settings.setItem("Transparency", "50");
    setTransparency(skin, f.settings);
    EXPECT_TRUE(skin.window.colourKeyed);
    EXPECT_EQ(skin.window.colourKey, 16711935u);
    EXPECT_EQ(skin.window.opacity, 128);
}

TEST(SetSkin, StampsTheIconOnlyWithBothCoordinates) {
    SkinFixture f;
    FakeSurface icon(16, 16);
    f.writeSkin("iconx", std::string(kSmallTheme) + "titlebar_icon_x = 4\n");
    f.writeSkin("iconxy", std::string(kSmallTheme) + "titlebar_icon_x = 4\ntitlebar_icon_y = 3\n");
    SkinServices sv = f.services();
    sv.icon = &icon;
    Skin a, b;
    std::string na = "iconx", nb = "iconxy";
    setSkin(a, na, false, sv);
    setSkin(b, nb, false, sv);
    EXPECT_TRUE(SkinFixture::fake(*a.images[kImgMainBg]).of("keyed").empty());
    const auto keyed = SkinFixture::fake(*b.images[kImgMainBg]).of("keyed");
    ASSERT_EQ(keyed.size(), 1u);
    EXPECT_EQ(keyed[0].x, 4);
    EXPECT_EQ(keyed[0].y, 3);
    EXPECT_EQ(keyed[0].colour, kMagenta);
}

TEST(ButtonImage, LooksComeFromTheSheetAndOtherStatesCopyNothing) {
    SkinFixture f;
    f.writeSkin("small", kSmallTheme);
    Skin skin;
    f.load(skin, "small");
    Rect r;
    ASSERT_TRUE(setButtonImage(skin, 10, 1, r));
    EXPECT_EQ(r, (Rect{20, 40, 16, 14}));
    ASSERT_TRUE(setButtonImage(skin, 10, 2, r));
    EXPECT_EQ(r, (Rect{20, 60, 16, 14}));  // over: the down image's left edge
    EXPECT_FALSE(setButtonImage(skin, 10, 3, r));
}

TEST(SetSkin, OnlyTheFrameAndTheButtonsAreDecodedAtLoadTheRestOnFirstUse) {
    SkinFixture f;
    const std::string folder = f.writeSkin("small", kSmallTheme);
    f.loader.failures[folder + "cal.png"] = ImageLoadResult::kDamaged;
    Skin skin;
    ASSERT_TRUE(f.load(skin, "small"));
    EXPECT_THAT(f.loader.loads,
                ::testing::ElementsAre(folder + "main.png", folder + "buttons.png"));

    EXPECT_EQ(skin.image(kImgAlarmBg).width(), 300);
    EXPECT_EQ(skin.image(kImgAlarmBg).width(), 300);
    // A picture that cannot be decoded draws nothing and is tried once, not at every redraw.
    EXPECT_TRUE(skin.image(kImgCalBg).empty());
    EXPECT_FALSE(skin.hasImage(kImgCalBg));
    EXPECT_EQ(f.loader.loads.size(), 4u);

    // The frame's picture may go between redraws: it comes back decoded and stamped again.
    FakeSurface icon(16, 16);
    skin.stampIcon = &icon;
    skin.theme.setItem("titlebar_icon_x", "4");
    skin.theme.setItem("titlebar_icon_y", "3");
    skin.dropImage(kImgMainBg);
    EXPECT_EQ(skin.images[kImgMainBg], nullptr);
    ASSERT_TRUE(skin.hasImage(kImgMainBg));
    EXPECT_EQ(f.loader.loads.size(), 5u);
    EXPECT_EQ(SkinFixture::fake(*skin.images[kImgMainBg]).of("keyed").size(), 1u);

    // A window that goes away takes its pictures along; nothing is decoded for it again.
    skin.releaseImages();
    EXPECT_FALSE(skin.hasImage(kImgMainBg));
    EXPECT_EQ(f.loader.loads.size(), 5u);
}

}  // namespace
}  // namespace tv
