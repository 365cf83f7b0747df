// Closing the settings window: the skin question, the restore that forbids writing, the log-on
// entry, the save, the sound; and the skin and sound lists the window offers.
#include "core/settings/settings_close.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/settings/settings_sources.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_services.h"
#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

struct CloseFixture : ::testing::Test {
    HashTable settings;
    StringTable strings;
    FakeMessageBox box;
    FakeAutostart autostart;
    FakeSound sound;
    test::TempDir dir;
    int reloads = 0;
    int saves = 0;

    SettingsCloseContext ctx() {
        SettingsCloseContext c;
        c.settings = &settings;
        c.strings = &strings;
        c.box = &box;
        c.autostart = &autostart;
        c.sound = &sound;
        c.executable = "/opt/tv/tempovirens";
        c.saveSettings = [this] {
            ++saves;
            return writeConfig(settings, dir.file("settings.cfg"));
        };
        c.reloadForSkin = [this] { ++reloads; };
        return c;
    }
};

TEST_F(CloseFixture, WritesEveryKeyTheEntryAndTheFileThenStopsTheSound) {
    SettingsControls c;
    c.showWisdom = false;
    c.page = 5;
    const SettingsCloseResult r = closeSettings(c, "metal_big", "metal_big", ctx());
    EXPECT_TRUE(box.shown.empty());  // the active skin is selected: no question
    EXPECT_TRUE(r.written && r.saved && r.autostartOk);
    EXPECT_FALSE(r.skinActivated);
    EXPECT_EQ(autostart.entry, "/opt/tv/tempovirens -boot");
    EXPECT_EQ(sound.stops, 1);

    HashTable file;
    ASSERT_TRUE(readConfig(file, dir.file("settings.cfg")));
    EXPECT_EQ(file.item("Wise"), "0");
    EXPECT_EQ(file.item("SettingsLastPage"), "5");
}

TEST_F(CloseFixture, InactiveSkinIsActivatedOnlyOnOk) {
    box.script = {MessageAnswer::kCancel};
    SettingsCloseResult r = closeSettings(SettingsControls{}, "paper_light", "metal_big", ctx());
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "sets_q_skinactivate");
    EXPECT_EQ(box.shown[0].buttons, MessageButtons::kOkCancel);
    EXPECT_FALSE(r.skinActivated);
    EXPECT_EQ(reloads, 0);
    EXPECT_FALSE(settings.exists("Skin"));
    EXPECT_TRUE(r.saved);  // Cancel only keeps the skin; the rest is still written

    box.script = {MessageAnswer::kOk};
    r = closeSettings(SettingsControls{}, "paper_light", "metal_big", ctx());
    EXPECT_TRUE(r.skinActivated);
    EXPECT_EQ(reloads, 1);
    HashTable file;
    ASSERT_TRUE(readConfig(file, dir.file("settings.cfg")));
    EXPECT_EQ(file.item("Skin"), "paper_light");  // saved with the rest
}

TEST_F(CloseFixture, AfterARestoreNothingIsWrittenOverTheRestoredFiles) {
    SettingsCloseContext c = ctx();
    c.restoredSinceLoad = true;
    SettingsControls controls;
    controls.showWisdom = false;
    const SettingsCloseResult r = closeSettings(controls, "metal_big", "metal_big", c);
    EXPECT_FALSE(r.written || r.saved);
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(settings.exists("Wise"));
    EXPECT_FALSE(autostart.entry);
    EXPECT_EQ(sound.stops, 1);  // the sound stops all the same
}

TEST_F(CloseFixture, AFailedSaveIsShownWithItsReason) {
    strings.table().add("com_err_cfgsave", "Nem sikerült menteni ($1).\\nA hiba oka:");
    dir.write("settings.cfg", "Wise = 1\r\n");
    test::FailingFileOps disk(test::FileStep::kRename, EROFS);
    SettingsCloseContext c = ctx();
    c.saveSettings = [&] { return writeConfig(settings, dir.file("settings.cfg"), true, disk); };
    SettingsControls controls;
    controls.showWisdom = false;
    const SettingsCloseResult r = closeSettings(controls, "metal_big", "metal_big", c);
    EXPECT_TRUE(r.written);
    EXPECT_FALSE(r.saved);
    EXPECT_EQ(dir.read("settings.cfg"), "Wise = 1\r\n");
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "Nem sikerült menteni (settings.cfg).\r\nA hiba oka:\r\n" +
                                     std::string(std::strerror(EROFS)));
    EXPECT_EQ(box.shown[0].buttons, MessageButtons::kOk);
}

TEST_F(CloseFixture, LogOnEntryFollowsTheSameRuleAsTheLoad) {
    // Any of tray, log-on start or daily showing wants the entry; none removes it.
    SettingsControls c;
    c.trayIcon = false;
    c.autoStart = false;
    c.scheduledShowing = false;
    autostart.entry = "/old/place/tempovirens -boot";
    closeSettings(c, "", "metal_big", ctx());
    EXPECT_FALSE(autostart.entry);

    c.trayIcon = true;
    closeSettings(c, "", "metal_big", ctx());
    EXPECT_EQ(autostart.entry, "/opt/tv/tempovirens -boot");
    const int writes = autostart.writes;
    closeSettings(c, "", "metal_big", ctx());
    EXPECT_EQ(autostart.writes, writes);  // already right: left alone

    autostart.entry.reset();
    autostart.failWrites = true;
    const SettingsCloseResult r = closeSettings(c, "", "metal_big", ctx());
    EXPECT_FALSE(r.autostartOk);
    ASSERT_FALSE(box.shown.empty());
    EXPECT_EQ(box.shown.back().text, "com_err_reg");
    EXPECT_EQ(box.shown.back().title, "com_error");
    EXPECT_TRUE(r.saved);
}

TEST(SettingsSources, SkinsNeedATheme_cfgAndReadTheirDescription) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("themes/b_skin"));
    std::filesystem::create_directories(dir.file("themes/a_skin"));
    std::filesystem::create_directories(dir.file("themes/empty"));
    dir.write("themes/b_skin/theme.cfg",
              "# header\n// comment\nskinnamehun = \"Második\"\nauthor=Éva\r\nversion = 2.1\n");
    // Windows-1250: "Első" with o double acute (0xF5).
    dir.write("themes/a_skin/theme.cfg",
              "skinname = \"Els\xF5\"\nskinnamehun = Other\npreviewimage = img\\p.png\n");
    const std::vector<SkinInfo> skins = listSkins(dir.dir());
    ASSERT_EQ(skins.size(), 2u);
    EXPECT_EQ(skins[0].folder, "a_skin");
    EXPECT_EQ(skins[0].name, "Első");
    EXPECT_EQ(skins[0].previewImage, dir.dir() + "themes/a_skin/img/p.png");
    EXPECT_EQ(skins[1].name, "Második");
    EXPECT_EQ(skins[1].author, "Éva");
    EXPECT_EQ(skins[1].version, "2.1");
    EXPECT_EQ(skins[1].previewImage, "");
    EXPECT_TRUE(listSkins(dir.file("missing/")).empty());
}

TEST(SettingsSources, SoundsAndTheFilePlayed) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("sounds/sub.wav"));
    dir.write("sounds/Chimes.wav", "x");
    dir.write("sounds/Bell.wav", "x");
    dir.write("sounds/notes.txt", "x");
    dir.write("sounds/LOUD.WAV", "x");  // its name could not be stored back
    const auto sounds = listAlarmSounds(dir.dir());
    EXPECT_EQ(sounds, (std::vector<std::string>{"Bell", "Chimes"}));
    EXPECT_EQ(alarmSoundChoicePath("/p/", 0, "Bell", "/x/my.wav"), "/p/sounds/Bell.wav");
    EXPECT_EQ(alarmSoundChoicePath("/p/", 1, "Bell", "C:\\x\\my.wav"), "C:/x/my.wav");
    EXPECT_EQ(alarmSoundChoicePath("/p/", 0, "", ""), "");
}

}  // namespace
}  // namespace tv
