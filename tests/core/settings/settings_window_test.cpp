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
        t.SetItem(k, v);
    return t;
}

TEST(SettingsControls, EmptySettingsOpenWithTheDefaultsAndStoreEveryKey) {
    HashTable settings;
    const HashTable theme;
    const SettingsControls c = readSettingsControls(settings, theme);
    EXPECT_TRUE(c.Cnap && c.Chet && c.Cnevnap && c.CnextName && c.CnevnapHL);
    EXPECT_FALSE(c.CnapHL || c.ChetHL || c.CnextNameHL);
    EXPECT_TRUE(c.Cubef);
    EXPECT_EQ(c.CmbUbef, 7);
    EXPECT_TRUE(c.Mtype2);  // M_Default 2: the theme's fonts
    EXPECT_TRUE(c.ChShadow);
    EXPECT_EQ(c.cmbShadowType, 1);
    EXPECT_EQ(c.cmbBgReplace, 8);  // one picture a day
    EXPECT_EQ(c.lstAlarmFiles, "Bugle Call - Reveille");
    EXPECT_EQ(c.ChAutoH, 5);
    EXPECT_EQ(c.ScrlTransp, 100);
    for (const char* key :
         {"Today_Day", "CeremForecast", "M_Shadow", "BGPic_Replace", "AlarmSoundFile", "AS_Hour",
          "SettingsLastPage", "MB_Font", "MU_Italic", "Transparency", "Backup_Folder"}) {
        EXPECT_TRUE(settings.Exists(key)) << key;
    }

    // Written back unchanged, the defaults read as the defaults.
    HashTable out;
    writeSettingsControls(c, out);
    EXPECT_EQ(out.Item("CeremForecast"), "7");
    EXPECT_EQ(out.Item("M_Default"), "2");
    EXPECT_EQ(out.Item("M_Shadow"), "2");
    EXPECT_EQ(out.Item("BGPic_Replace"), "1");
    EXPECT_EQ(out.Item("AlarmSoundFile"), "Bugle Call - Reveille.wav");
    EXPECT_EQ(out.Item("Cal_StartPage"), "1");
    EXPECT_EQ(out.Item("ForecastMode"), "1");
    EXPECT_EQ(out.Item("M_AlignType"), "1");
}

TEST(SettingsControls, ComposedValuesMapBothWays) {
    HashTable s;
    s.SetItem("CeremForecast", "0");
    s.SetItem("M_Shadow", "0");
    s.SetItem("BGPic_Replace", "0");
    s.SetItem("M_TextAlign1", "1");  // "right" is the third entry
    s.SetItem("M_TextAlign2", "2");
    s.SetItem("ForecastMode", "2");
    s.SetItem("Cal_StartPage", "3");
    s.SetItem("M_AlignType", "2");
    SettingsControls c = readSettingsControls(s, HashTable{});
    EXPECT_FALSE(c.Cubef);
    EXPECT_FALSE(c.ChShadow);
    EXPECT_EQ(c.cmbBgReplace, 0);
    EXPECT_EQ(c.cmbEventAlign, 2);
    EXPECT_EQ(c.cmbForecastAlign, 1);
    EXPECT_TRUE(c.befMode2b);
    EXPECT_EQ(c.startpage, 2);
    EXPECT_EQ(c.picAlign, 2);

    c.Cubef = true;
    c.CmbUbef = 3;
    c.ChShadow = true;
    c.cmbShadowType = 1;
    c.cmbBgReplace = 8;
    HashTable out;
    writeSettingsControls(c, out);
    EXPECT_EQ(out.Item("CeremForecast"), "3");
    EXPECT_EQ(out.Item("M_Shadow"), "2");
    EXPECT_EQ(out.Item("BGPic_Replace"), "1");
    EXPECT_EQ(out.Item("M_TextAlign1"), "1");
    EXPECT_EQ(out.Item("M_TextAlign2"), "2");
    EXPECT_EQ(out.Item("ForecastMode"), "2");
    EXPECT_EQ(out.Item("Cal_StartPage"), "3");

    // Unchecked boxes win over the list they guard.
    c.Cubef = false;
    c.ChShadow = false;
    writeSettingsControls(c, out);
    EXPECT_EQ(out.Item("CeremForecast"), "0");
    EXPECT_EQ(out.Item("M_Shadow"), "0");
}

TEST(SettingsControls, HandEditedValuesFallBackInsteadOfBreakingTheLists) {
    HashTable s;
    for (const char* k : {"CeremForecast", "AS_Hour", "AS_Minute", "BGPic_Replace", "AlarmLength",
                          "SettingsLastPage", "M_Shadow"}) {
        s.SetItem(k, "999");
    }
    s.SetItem("Transparency", "3");
    const SettingsControls c = readSettingsControls(s, HashTable{});
    EXPECT_EQ(c.CmbUbef, 7);
    EXPECT_EQ(c.ChAutoH, 5);
    EXPECT_EQ(c.ChAutoM, 0);
    EXPECT_EQ(c.cmbBgReplace, 8);
    EXPECT_EQ(c.cmbRepeatLen, 0);
    EXPECT_EQ(c.SetsList, 0);
    EXPECT_EQ(c.cmbShadowType, 1);
    EXPECT_EQ(c.ScrlTransp, kTransparencyMin);  // never an invisible window
}

TEST(SettingsControls, EveryBooleanControlWritesItsOwnKey) {
    // Flip one box at a time: exactly its key changes, so no two controls share a key.
    struct Box {
        bool SettingsControls::*member;
        const char* key;
    };
    const Box boxes[] = {
        {&SettingsControls::Cnap, "Today_Day"},
        {&SettingsControls::Chet, "Today_Week"},
        {&SettingsControls::Cnevnap, "Today_Name"},
        {&SettingsControls::CnextName, "Today_NextName"},
        {&SettingsControls::CnapHL, "Today_DayHL"},
        {&SettingsControls::ChetHL, "Today_WeekHL"},
        {&SettingsControls::CnevnapHL, "Today_NameHL"},
        {&SettingsControls::CnextNameHL, "Today_NextNameHL"},
        {&SettingsControls::Cbolcs, "Wise"},
        {&SettingsControls::ChSavePast, "SaveInPastPromt"},
        {&SettingsControls::ChUserPicDir, "BGPic_SubFolder"},
        {&SettingsControls::ChUserPicName, "BGPic_Name"},
        {&SettingsControls::ChUserPicScale, "BGPic_FitMode"},
        {&SettingsControls::chAlertEnabled, "AlarmEnabled"},
        {&SettingsControls::chAlertSound, "AlarmSoundOn"},
        {&SettingsControls::chAlarmFront, "AlarmTop"},
        {&SettingsControls::chSoundRepeat, "AlarmSndRepeat"},
        {&SettingsControls::ChAlwaysCenter, "Cal_WinCenter"},
        {&SettingsControls::ChTrayOneClick, "TrayOneClick"},
        {&SettingsControls::ChShowSystemTray, "AS_TrayIcon"},
        {&SettingsControls::autoStart, "AS_AutoStart"},
        {&SettingsControls::CautoStartFix, "AS_OnTime"},
        {&SettingsControls::chAutoStartMode, "AutoStartWindowMode"},
    };
    const SettingsControls base;
    HashTable before;
    writeSettingsControls(base, before);
    for (const Box& b : boxes) {
        SettingsControls c = base;
        c.*b.member = !(c.*b.member);
        HashTable after;
        writeSettingsControls(c, after);
        ASSERT_EQ(after.Count(), before.Count());
        for (int i = 1; i <= before.Count(); ++i) {
            const std::string& key = before.KeyByIndex(i);
            if (key == b.key) {
                EXPECT_EQ(after.Item(key), c.*b.member ? "1" : "0") << key;
            } else {
                EXPECT_EQ(after.Item(key), before.Item(key)) << b.key << " changed " << key;
            }
        }
        // And the key reads back into the same box.
        EXPECT_EQ(readSettingsControls(after, HashTable{}).*b.member, c.*b.member) << b.key;
    }
}

TEST(SettingsDependencies, TrayIsLockedOnWhileAlarmsOrTheDailyShowingNeedIt) {
    SettingsControls c;
    c.ChShowSystemTray = false;
    c.chAlertEnabled = true;
    SettingsEnabling e = applySettingsDependencies(c);
    EXPECT_TRUE(c.ChShowSystemTray);
    EXPECT_FALSE(e.ChShowSystemTray);

    c.chAlertEnabled = false;
    c.CautoStartFix = true;
    e = applySettingsDependencies(c);
    EXPECT_FALSE(e.ChShowSystemTray);
    EXPECT_TRUE(e.scheduled);

    c.CautoStartFix = false;
    e = applySettingsDependencies(c);
    EXPECT_TRUE(e.ChShowSystemTray);
    EXPECT_TRUE(c.ChShowSystemTray);  // freed, not switched off
    EXPECT_FALSE(e.scheduled);
}

TEST(SettingsDependencies, SoundControlsNeedAlarmsThenSoundThenRepeat) {
    SettingsControls c;
    SettingsEnabling e = applySettingsDependencies(c);
    EXPECT_TRUE(e.alarmOptions && e.soundControls && e.repeatLength);
    c.chSoundRepeat = false;
    e = applySettingsDependencies(c);
    EXPECT_TRUE(e.soundControls);
    EXPECT_FALSE(e.repeatLength);
    c.chSoundRepeat = true;
    c.chAlertSound = false;
    e = applySettingsDependencies(c);
    EXPECT_TRUE(e.alarmOptions);
    EXPECT_FALSE(e.soundControls || e.repeatLength);
    c.chAlertSound = true;
    c.chAlertEnabled = false;
    e = applySettingsDependencies(c);
    EXPECT_FALSE(e.alarmOptions || e.soundControls || e.repeatLength);
}

TEST(SettingsDependencies, GuardedListsFollowTheirBoxes) {
    SettingsControls c;
    c.Cnap = false;
    c.CnextName = false;
    c.Cubef = false;
    c.ChShadow = false;
    c.optBG = 0;
    SettingsEnabling e = applySettingsDependencies(c);
    EXPECT_FALSE(e.CnapHL || e.CnextNameHL || e.CmbUbef || e.cmbShadowType || e.userPicture);
    EXPECT_TRUE(e.ChetHL && e.CnevnapHL);
    c.optBG = 1;
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
    EXPECT_EQ(s.Item("MB_Weight"), "400");  // stored as read
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
    s.SetItem("MS_Font", "DejaVu Serif");
    s.SetItem("MS_Size", "9");
    s.SetItem("MS_Weight", "1200");  // out of range: clamped
    s.SetItem("MS_Italic", "true");
    s.SetItem("MS_BGColor", "255");
    const FontStyle ms = readFontStyle(s, themeWith({{"def_ms_font", "Other"}}), kStyleMS);
    EXPECT_EQ(ms.face, "DejaVu Serif");
    EXPECT_EQ(ms.weight, 900);
    EXPECT_TRUE(ms.italic);
    EXPECT_EQ(ms.bgColor, 255);
    HashTable out;
    writeFontStyle(out, kStyleMS, ms);
    EXPECT_EQ(out.Item("MS_Italic"), "true");
    EXPECT_EQ(out.Item("MS_Size"), "9");
    EXPECT_EQ(readFontStyle(out, HashTable{}, kStyleMS), ms);
}

TEST(SettingsPages, ListTextsAndFrames) {
    StringTable strings;
    strings.table().SetItem("sets_fr_appear", "Megjelenés");
    strings.table().SetItem("sets_fr_disp", "Kijelzés");
    EXPECT_EQ(settingsPageText(strings, 0), "Megjelenés");
    EXPECT_EQ(settingsPageText(strings, 1), " - Kijelzés");
    EXPECT_EQ(settingsPageText(strings, 8), "");
    EXPECT_EQ(kSettingsPages[kBackupPage].textKey, "sets_fr_backup");
}

}  // namespace
}  // namespace tv
