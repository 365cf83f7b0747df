// The settings window's logic: every control round-trips its key, the value lists map both
// ways, the dependencies lock and free the right controls, and the font styles fall back to the
// theme as the window and the reset button need.
#include "core/settings/settings_window.h"

#include <gtest/gtest.h>

#include "core/config/hash_table.h"
#include "core/config/string_table.h"

namespace tv {
namespace {

HashTable themeWith(std::initializer_list<std::pair<const char*, const char*>> keys) {
    HashTable t;
    for (const auto& [k, v] : keys)
        t.setItem(k, v);
    return t;
}

TEST(SettingsControls, EmptySettingsOpenWithTheDefaultsAndStoreEveryKey) {
    HashTable settings;
    const HashTable theme;
    const SettingsControls c = readSettingsControls(settings, theme);
    EXPECT_TRUE(c.showDay && c.showWeek && c.showName && c.showNextName && c.highlightName);
    EXPECT_FALSE(c.highlightDay || c.highlightWeek || c.highlightNextName);
    EXPECT_TRUE(c.showForecast);
    EXPECT_EQ(c.forecastDays, 7);
    EXPECT_TRUE(c.themeFonts);  // M_Default 2: the theme's fonts
    EXPECT_TRUE(c.textShadow);
    EXPECT_EQ(c.shadowType, 1);
    EXPECT_EQ(c.pictureChange, 8);  // one picture a day
    EXPECT_EQ(c.alarmSoundFile, "Bugle Call - Reveille");
    EXPECT_EQ(c.scheduledHour, 5);
    EXPECT_EQ(c.transparency, 100);
    for (const char* key :
         {"Today_Day", "CeremForecast", "M_Shadow", "BGPic_Replace", "AlarmSoundFile", "AS_Hour",
          "SettingsLastPage", "MB_Font", "MU_Italic", "Transparency", "Backup_Folder"}) {
        EXPECT_TRUE(settings.exists(key)) << key;
    }

    // Written back unchanged, the defaults read as the defaults.
    HashTable out;
    writeSettingsControls(c, out);
    EXPECT_EQ(out.item("CeremForecast"), "7");
    EXPECT_EQ(out.item("M_Default"), "2");
    EXPECT_EQ(out.item("M_Shadow"), "2");
    EXPECT_EQ(out.item("BGPic_Replace"), "1");
    EXPECT_EQ(out.item("AlarmSoundFile"), "Bugle Call - Reveille.wav");
    EXPECT_EQ(out.item("Cal_StartPage"), "1");
    EXPECT_EQ(out.item("ForecastMode"), "1");
    EXPECT_EQ(out.item("M_AlignType"), "1");
}

TEST(SettingsControls, ComposedValuesMapBothWays) {
    HashTable s;
    s.setItem("CeremForecast", "0");
    s.setItem("M_Shadow", "0");
    s.setItem("BGPic_Replace", "0");
    s.setItem("M_TextAlign1", "1");  // "right" is the third entry
    s.setItem("M_TextAlign2", "2");
    s.setItem("ForecastMode", "2");
    s.setItem("Cal_StartPage", "3");
    s.setItem("M_AlignType", "2");
    SettingsControls c = readSettingsControls(s, HashTable{});
    EXPECT_FALSE(c.showForecast);
    EXPECT_FALSE(c.textShadow);
    EXPECT_EQ(c.pictureChange, 0);
    EXPECT_EQ(c.eventAlign, 2);
    EXPECT_EQ(c.forecastAlign, 1);
    EXPECT_TRUE(c.forecastCountsDown);
    EXPECT_EQ(c.startPage, 2);
    EXPECT_EQ(c.layout, 2);

    c.showForecast = true;
    c.forecastDays = 3;
    c.textShadow = true;
    c.shadowType = 1;
    c.pictureChange = 8;
    HashTable out;
    writeSettingsControls(c, out);
    EXPECT_EQ(out.item("CeremForecast"), "3");
    EXPECT_EQ(out.item("M_Shadow"), "2");
    EXPECT_EQ(out.item("BGPic_Replace"), "1");
    EXPECT_EQ(out.item("M_TextAlign1"), "1");
    EXPECT_EQ(out.item("M_TextAlign2"), "2");
    EXPECT_EQ(out.item("ForecastMode"), "2");
    EXPECT_EQ(out.item("Cal_StartPage"), "3");

    // Unchecked boxes win over the list they guard.
    c.showForecast = false;
    c.textShadow = false;
    writeSettingsControls(c, out);
    EXPECT_EQ(out.item("CeremForecast"), "0");
    EXPECT_EQ(out.item("M_Shadow"), "0");
}

TEST(SettingsControls, HandEditedValuesFallBackInsteadOfBreakingTheLists) {
    HashTable s;
    for (const char* k : {"CeremForecast", "AS_Hour", "AS_Minute", "BGPic_Replace", "AlarmLength",
                          "SettingsLastPage", "M_Shadow"}) {
        s.setItem(k, "999");
    }
    s.setItem("Transparency", "3");
    const SettingsControls c = readSettingsControls(s, HashTable{});
    EXPECT_EQ(c.forecastDays, 7);
    EXPECT_EQ(c.scheduledHour, 5);
    EXPECT_EQ(c.scheduledMinute, 0);
    EXPECT_EQ(c.pictureChange, 8);
    EXPECT_EQ(c.alarmLength, 0);
    EXPECT_EQ(c.page, 0);
    EXPECT_EQ(c.shadowType, 1);
    EXPECT_EQ(c.transparency, kTransparencyMin);  // never an invisible window
}

TEST(SettingsControls, EveryBooleanControlWritesItsOwnKey) {
    // Flip one box at a time: exactly its key changes, so no two controls share a key.
    struct Box {
        bool SettingsControls::*member;
        const char* key;
    };
    const Box boxes[] = {
        {&SettingsControls::showDay, "Today_Day"},
        {&SettingsControls::showWeek, "Today_Week"},
        {&SettingsControls::showName, "Today_Name"},
        {&SettingsControls::showNextName, "Today_NextName"},
        {&SettingsControls::highlightDay, "Today_DayHL"},
        {&SettingsControls::highlightWeek, "Today_WeekHL"},
        {&SettingsControls::highlightName, "Today_NameHL"},
        {&SettingsControls::highlightNextName, "Today_NextNameHL"},
        {&SettingsControls::showWisdom, "Wise"},
        {&SettingsControls::askBeforeSavingPast, "SaveInPastPromt"},
        {&SettingsControls::userPictureSubfolders, "BGPic_SubFolder"},
        {&SettingsControls::userPictureName, "BGPic_Name"},
        {&SettingsControls::userPictureScale, "BGPic_FitMode"},
        {&SettingsControls::alarmEnabled, "AlarmEnabled"},
        {&SettingsControls::alarmSound, "AlarmSoundOn"},
        {&SettingsControls::alarmOnTop, "AlarmTop"},
        {&SettingsControls::alarmNotify, "AlarmNotify"},
        {&SettingsControls::alarmSoundRepeat, "AlarmSndRepeat"},
        {&SettingsControls::centreWindow, "Cal_WinCenter"},
        {&SettingsControls::trayOneClick, "TrayOneClick"},
        {&SettingsControls::trayIcon, "AS_TrayIcon"},
        {&SettingsControls::autoStart, "AS_AutoStart"},
        {&SettingsControls::scheduledShowing, "AS_OnTime"},
        {&SettingsControls::scheduledWithoutFocus, "AutoStartWindowMode"},
    };
    const SettingsControls base;
    HashTable before;
    writeSettingsControls(base, before);
    for (const Box& b : boxes) {
        SettingsControls c = base;
        c.*b.member = !(c.*b.member);
        HashTable after;
        writeSettingsControls(c, after);
        ASSERT_EQ(after.count(), before.count());
        for (int i = 1; i <= before.count(); ++i) {
            const std::string& key = before.keyByIndex(i);
            if (key == b.key) {
                EXPECT_EQ(after.item(key), c.*b.member ? "1" : "0") << key;
            } else {
                EXPECT_EQ(after.item(key), before.item(key)) << b.key << " changed " << key;
            }
        }
        // And the key reads back into the same box.
        EXPECT_EQ(readSettingsControls(after, HashTable{}).*b.member, c.*b.member) << b.key;
    }
}

TEST(SettingsDependencies, TrayIsLockedOnWhileAlarmsOrTheDailyShowingNeedIt) {
    SettingsControls c;
    c.trayIcon = false;
    c.alarmEnabled = true;
    SettingsEnabling e = applySettingsDependencies(c);
    EXPECT_TRUE(c.trayIcon);
    EXPECT_FALSE(e.trayIcon);

    c.alarmEnabled = false;
    c.scheduledShowing = true;
    e = applySettingsDependencies(c);
    EXPECT_FALSE(e.trayIcon);
    EXPECT_TRUE(e.scheduled);

    c.scheduledShowing = false;
    e = applySettingsDependencies(c);
    EXPECT_TRUE(e.trayIcon);
    EXPECT_TRUE(c.trayIcon);  // freed, not switched off
    EXPECT_FALSE(e.scheduled);
}

TEST(SettingsDependencies, SoundControlsNeedAlarmsThenSoundThenRepeat) {
    SettingsControls c;
    SettingsEnabling e = applySettingsDependencies(c);
    EXPECT_TRUE(e.alarmOptions && e.soundControls && e.repeatLength);
    c.alarmSoundRepeat = false;
    e = applySettingsDependencies(c);
    EXPECT_TRUE(e.soundControls);
    EXPECT_FALSE(e.repeatLength);
    c.alarmSoundRepeat = true;
    c.alarmSound = false;
    e = applySettingsDependencies(c);
    EXPECT_TRUE(e.alarmOptions);
    EXPECT_FALSE(e.soundControls || e.repeatLength);
    c.alarmSound = true;
    c.alarmEnabled = false;
    e = applySettingsDependencies(c);
    EXPECT_FALSE(e.alarmOptions || e.soundControls || e.repeatLength);
}

TEST(SettingsDependencies, GuardedListsFollowTheirBoxes) {
    SettingsControls c;
    c.showDay = false;
    c.showNextName = false;
    c.showForecast = false;
    c.textShadow = false;
    c.pictureSource = 0;
    SettingsEnabling e = applySettingsDependencies(c);
    EXPECT_FALSE(e.highlightDay || e.highlightNextName || e.forecastDays || e.shadowType ||
                 e.userPicture);
    EXPECT_TRUE(e.highlightWeek && e.highlightName);
    c.pictureSource = 1;
    EXPECT_TRUE(applySettingsDependencies(c).userPicture);
}

TEST(FontStyles, OpenFallsBackTo400ButResetAndThemeSamplesTo700) {
    const HashTable theme = themeWith({{"def_mb_font", "Liberation Sans"},
                                       {"def_mb_size", "13"},
                                       {"def_mb_color", "16777215"},
                                       {"def_mu_weight", "600"}});
    HashTable s;
    const FontStyle mb = readFontStyle(s, theme, kStyleMB);
    EXPECT_EQ(mb.face, "Liberation Sans");
    EXPECT_EQ(mb.size, 13);
    EXPECT_EQ(mb.weight, 400);
    EXPECT_FALSE(mb.italic);
    EXPECT_EQ(mb.color, 16777215);
    EXPECT_EQ(s.item("MB_Weight"), "400");  // stored as read
    EXPECT_EQ(themeFontStyle(theme, kStyleMB).weight, 700);
    EXPECT_EQ(themeFontStyle(theme, kStyleMU).weight, 600);

    // Without the theme's keys: "MS Sans Serif", and only MU is italic.
    HashTable s2;
    const HashTable none;
    EXPECT_EQ(readFontStyle(s2, none, kStyleMS).face, "MS Sans Serif");
    EXPECT_FALSE(readFontStyle(s2, none, kStyleMS).italic);
    EXPECT_TRUE(readFontStyle(s2, none, kStyleMU).italic);
}

TEST(FontStyles, UserValuesWinAndWriteBackAsTheyWereRead) {
    HashTable s;
    s.setItem("MS_Font", "DejaVu Serif");
    s.setItem("MS_Size", "9");
    s.setItem("MS_Weight", "1200");  // out of range: clamped
    s.setItem("MS_Italic", "true");
    s.setItem("MS_BGColor", "255");
    const FontStyle ms = readFontStyle(s, themeWith({{"def_ms_font", "Other"}}), kStyleMS);
    EXPECT_EQ(ms.face, "DejaVu Serif");
    EXPECT_EQ(ms.weight, 900);
    EXPECT_TRUE(ms.italic);
    EXPECT_EQ(ms.bgColor, 255);
    HashTable out;
    writeFontStyle(out, kStyleMS, ms);
    EXPECT_EQ(out.item("MS_Italic"), "true");
    EXPECT_EQ(out.item("MS_Size"), "9");
    EXPECT_EQ(readFontStyle(out, HashTable{}, kStyleMS), ms);
}

TEST(SettingsPages, ListTextsAndFrames) {
    StringTable strings;
    strings.table().setItem("sets_fr_appear", "Megjelenés");
    strings.table().setItem("sets_fr_disp", "Kijelzés");
    EXPECT_EQ(settingsPageText(strings, 0), "Megjelenés");
    EXPECT_EQ(settingsPageText(strings, 1), " - Kijelzés");
    EXPECT_EQ(settingsPageText(strings, 9), "");
    EXPECT_EQ(kSettingsPages[kBackupPage].textKey, "sets_fr_backup");
    EXPECT_EQ(kSettingsPages[kSyncPage].textKey, "sets_fr_sync");
}

}  // namespace
}  // namespace tv
