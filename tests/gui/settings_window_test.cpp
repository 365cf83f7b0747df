// The settings window driven as a user drives it: a box toggled and the key in settings.cfg
// after closing, the tray locked by the alarms, the skin question, the transparency slider,
// sounds, and a restore that reloads the calendar with the backup's files in place. Every page
// is also checked for clipped captions (and photographed when TV_SCREENSHOT_DIR is set).
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <cstdlib>
#include <filesystem>

#include "core/config/config_file.h"
#include "core/names/pack_file.h"
#include "core/settings/backup.h"
#include "gui/window_fixture.h"
#include "gui/windows/settings_window.h"

namespace tv {
namespace {

using test::child;

class SettingsWindowTest : public test::WindowTest {
protected:
    SettingsWindowTest() {
        // A program folder of our own: the real strings, two skins and two sounds.
        std::filesystem::create_directories(program.file("data"));
        std::filesystem::copy_file(programDir + "data/hun_strings.dat",
                                   program.file("data/hun_strings.dat"));
        for (const char* skin : {"metal_big", "paper_light"}) {
            std::filesystem::create_directories(program.file("themes/") + skin);
            program.write(std::string("themes/") + skin + "/theme.cfg",
                          std::string("skinname = \"") + skin + "\"\nauthor = \"Brimcove\"\n");
        }
        std::filesystem::create_directories(program.file("sounds"));
        program.write("sounds/Bugle Call - Reveille.wav", "RIFF");
        program.write("sounds/Chimes.wav", "RIFF");
        programDir = program.dir();
        s.programDir = programDir;

        // The active skin's fonts, for the samples and the reset.
        theme.setItem("def_mb_font", "Liberation Sans");
        theme.setItem("def_mb_size", "13");
        theme.setItem("def_mb_color", "16777215");
        s.theme = &theme;
        hooks.sound = &sound;
        hooks.autostart = &autostart;
        hooks.executable = "/opt/tempovirens/tempovirens";
        hooks.activeSkin = "metal_big";
        hooks.restoredSinceLoad = &restored;
        hooks.applyTransparency = [this](int v) { appliedOpacity = v; };
    }

    HashTable savedSettings() {
        HashTable t;
        EXPECT_TRUE(readConfig(t, data.file("settings.cfg")));
        return t;
    }

    test::TempDir program;
    HashTable theme;
    FakeSound sound;
    FakeAutostart autostart;
    bool restored = false;
    int appliedOpacity = -1;
    SettingsWindowHooks hooks;
};

TEST_F(SettingsWindowTest, ToggledBoxIsInSettingsCfgAfterClosing) {
    SettingsWindow w(s, hooks);
    w.show();
    auto* wise = child<QCheckBox>(&w, "Cbolcs");
    ASSERT_TRUE(wise->isChecked());
    w.showPage(1);
    QTest::mouseClick(wise, Qt::LeftButton, {}, QPoint(8, wise->height() / 2));
    EXPECT_FALSE(wise->isChecked());
    QTest::mouseClick(child<QPushButton>(&w, "ComUnload"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());

    const HashTable saved = savedSettings();
    EXPECT_EQ(saved.item("Wise"), "0");
    EXPECT_EQ(saved.item("SettingsLastPage"), "1");
    EXPECT_EQ(saved.item("AS_TrayIcon"), "1");
    EXPECT_EQ(autostart.entry, "/opt/tempovirens/tempovirens -boot");
    EXPECT_GE(sound.stops, 1);
    EXPECT_FALSE(w.reloadRequested());
}

TEST_F(SettingsWindowTest, OpensOnTheLastPageAndEscapeClosesWithTheSameWrite) {
    settings.setItem("SettingsLastPage", "5");
    settings.setItem("CeremForecast", "0");
    SettingsWindow w(s, hooks);
    w.show();
    EXPECT_EQ(child<QListWidget>(&w, "SetsList")->currentRow(), 5);
    auto* cubef = child<QCheckBox>(&w, "Cubef");
    auto* days = child<QComboBox>(&w, "CmbUbef");
    EXPECT_FALSE(cubef->isChecked());
    EXPECT_FALSE(days->isEnabled());
    cubef->setChecked(true);
    EXPECT_TRUE(days->isEnabled());
    days->setCurrentIndex(3);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_EQ(savedSettings().item("CeremForecast"), "3");
}

TEST_F(SettingsWindowTest, AlarmsAndTheDailyShowingLockTheTrayIconOn) {
    settings.setItem("AlarmEnabled", "0");
    settings.setItem("AS_OnTime", "0");
    SettingsWindow w(s, hooks);
    auto* tray = child<QCheckBox>(&w, "ChShowSystemTray");
    auto* alarms = child<QCheckBox>(&w, "chAlertEnabled");
    auto* daily = child<QCheckBox>(&w, "CautoStartFix");
    EXPECT_TRUE(tray->isEnabled());
    EXPECT_FALSE(child<QComboBox>(&w, "ChAutoH")->isEnabled());
    EXPECT_FALSE(child<QWidget>(&w, "frSound")->isEnabled());
    tray->setChecked(false);
    alarms->setChecked(true);
    EXPECT_TRUE(tray->isChecked());
    EXPECT_FALSE(tray->isEnabled());
    EXPECT_TRUE(child<QWidget>(&w, "frSound")->isEnabled());
    alarms->setChecked(false);
    daily->setChecked(true);
    EXPECT_FALSE(tray->isEnabled());
    EXPECT_TRUE(child<QComboBox>(&w, "ChAutoH")->isEnabled());
    daily->setChecked(false);
    EXPECT_TRUE(tray->isEnabled());
}

TEST_F(SettingsWindowTest, TransparencyActsAtOnceAndSoundsPlayTheChosenFile) {
    SettingsWindow w(s, hooks);
    auto* slider = child<QSlider>(&w, "ScrlTransp");
    slider->setValue(60);
    EXPECT_EQ(appliedOpacity, 60);
    EXPECT_EQ(settings.item("Transparency"), "60");
    EXPECT_EQ(child<QLabel>(&w, "lblTranspValue")->text(), "60%");

    auto* list = child<QListWidget>(&w, "lstAlarmFiles");
    ASSERT_GT(list->count(), 0);
    EXPECT_EQ(list->currentItem()->text(), "Bugle Call - Reveille");
    child<QPushButton>(&w, "cmdPlaySound")->click();
    ASSERT_EQ(sound.plays.size(), 1u);
    EXPECT_EQ(sound.plays[0].path, programDir + "sounds/Bugle Call - Reveille.wav");
    EXPECT_FALSE(sound.plays[0].loop);
    child<QPushButton>(&w, "cmdStopSound")->click();
    EXPECT_FALSE(sound.playing);

    dialogs.fileAnswers.push_back(std::string("/home/eva/csengo.wav"));
    child<QPushButton>(&w, "cmdCustomSnd")->click();
    EXPECT_EQ(settings.item("CustomAlarmSound"), "/home/eva/csengo.wav");
    EXPECT_TRUE(child<QRadioButton>(&w, "optSoundSource1")->isChecked());
    EXPECT_TRUE(list->item(0)->text().endsWith("/home/eva/csengo.wav"));
    child<QPushButton>(&w, "cmdPlaySound")->click();
    EXPECT_EQ(sound.plays.back().path, "/home/eva/csengo.wav");
}

TEST_F(SettingsWindowTest, AnotherSkinIsActivatedOnlyAfterTheQuestion) {
    SettingsWindow w(s, hooks);
    auto* skins = child<QListWidget>(&w, "SkinList");
    ASSERT_GE(skins->count(), 2);       // the program folder's two skins
    EXPECT_EQ(skins->currentRow(), 0);  // metal_big, the active one
    skins->setCurrentRow(1);
    EXPECT_FALSE(child<QLabel>(&w, "SkinInfo")->text().isEmpty());
    box.script = {MessageAnswer::kOk};
    w.done(QDialog::Accepted);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].buttons, MessageButtons::kOkCancel);
    EXPECT_TRUE(w.reloadRequested());
    EXPECT_EQ(savedSettings().item("Skin"), "paper_light");
}

TEST_F(SettingsWindowTest, FontResetTakesTheThemeValuesWith700) {
    settings.setItem("M_Default", "1");
    SettingsWindow w(s, hooks);
    EXPECT_EQ(w.controls().fonts[kStyleMB].weight, 400);  // the theme has no weight
    box.script = {MessageAnswer::kYes};
    child<QPushButton>(&w, "ComReset")->click();
    EXPECT_EQ(w.controls().fonts[kStyleMB].weight, 700);
    EXPECT_EQ(w.controls().fonts[kStyleMB].face, "Liberation Sans");
    w.done(QDialog::Accepted);
    EXPECT_EQ(savedSettings().item("MB_Weight"), "700");
}

TEST_F(SettingsWindowTest, BackupFolderRefusesSystemFoldersAndSaveWritesThePack) {
    SettingsWindow w(s, hooks);
    w.showPage(kBackupPage);
    auto* folder = child<QLineEdit>(&w, "TbackupOutDir");
    dialogs.folderAnswers.push_back(std::string("/usr/share"));
    child<QPushButton>(&w, "ComBackupNewDir")->click();
    EXPECT_TRUE(folder->text().isEmpty());
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, strings.getString("sets_bk_err_sysdir"));

    test::TempDir target;
    dialogs.folderAnswers.push_back(target.dir());
    child<QPushButton>(&w, "ComBackupNewDir")->click();
    EXPECT_EQ(folder->text().toStdString(), target.dir());
    child<QLineEdit>(&w, "TbackupFile")->setText("mentes.backup");
    child<QPushButton>(&w, "ComBackupSave")->click();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(target.file("mentes.backup"))));
    EXPECT_FALSE(settings.item("Backup_Last").empty());
    EXPECT_TRUE(child<QLabel>(&w, "lblBackupLastTime")
                    ->text()
                    .contains(QString::fromStdString(strings.getString("sets_bk_today"))));
}

TEST_F(SettingsWindowTest, RestoreReloadsWithTheBackupInPlaceAndClosingWritesNothing) {
    // A backup of another calendar: its settings say Wise = 0.
    test::TempDir other;
    other.write("settings.cfg", "Wise = 0\nSkin = \"metal_big\"\n");
    other.write("events.cdb", data.read("events.cdb"));
    const std::string pack = other.file("regi.backup");
    ASSERT_EQ(PackFile::pack(pack, {other.file("events.cdb"), other.file("settings.cfg")},
                             buildBackupComment(VersionNumber::running(), "gep", "eva"), clock),
              PackResult::kOk);

    std::string atReload;
    hooks.reloadAfterRestore = [&] {
        atReload = data.read("settings.cfg");
        settings.removeAll();
        readConfig(settings, data.file("settings.cfg"));
    };
    SettingsWindow w(s, hooks);
    w.showPage(kBackupPage);
    child<QCheckBox>(&w, "Cbolcs")->setChecked(true);
    dialogs.fileAnswers.push_back(pack);
    box.script = {MessageAnswer::kOk};
    child<QPushButton>(&w, "ComBackupRestore")->click();
    EXPECT_NE(atReload.find("Wise = 0"), std::string::npos);
    EXPECT_TRUE(restored);
    ASSERT_GE(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[0].text.find(strings.getString("sets_bk_q_restore2").substr(0, 10)), 0u);

    w.done(QDialog::Accepted);
    EXPECT_EQ(data.read("settings.cfg"), atReload);  // the window's copy did not go over it
}

// Every caption must fit its control on every page, or the Hungarian text is cut off.
TEST_F(SettingsWindowTest, EveryPageShowsItsCaptionsWhole) {
    // The installed skins and sounds when the build has made them, for true pictures.
    const std::string real = std::string(TV_TEST_PROGRAM_DIR) + "/";
    if (std::filesystem::exists(real + "themes/metal_big/theme.cfg")) {
        s.programDir = real;
        readConfig(theme, real + "themes/metal_big/theme.cfg");
    }
    SettingsWindow w(s, hooks);
    w.show();
    const char* shots = std::getenv("TV_SCREENSHOT_DIR");
    auto* pages = w.findChild<QStackedWidget*>();
    ASSERT_NE(pages, nullptr);
    for (int p = 0; p < pages->count(); ++p) {
        w.showPage(p);
        QApplication::processEvents();
        for (auto* b : pages->widget(p)->findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(&w) || b->text().isEmpty()) continue;
            EXPECT_GE(b->width(), b->minimumSizeHint().width())
                << "page " << p << ": " << b->text().toStdString();
        }
        for (auto* l : pages->widget(p)->findChildren<QLabel*>()) {
            if (!l->isVisibleTo(&w) || l->text().isEmpty() || l->wordWrap()) continue;
            EXPECT_GE(l->width(), l->sizeHint().width())
                << "page " << p << ": " << l->text().toStdString();
        }
        if (shots != nullptr) {
            QDir().mkpath(QString::fromLocal8Bit(shots));
            w.grab().save(
                QStringLiteral("%1/frmSets_page%2.png").arg(QString::fromLocal8Bit(shots)).arg(p));
        }
    }
}

}  // namespace
}  // namespace tv
