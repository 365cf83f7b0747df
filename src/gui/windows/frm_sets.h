// `frmSets`: the eight settings pages. Which control edits which key, what switches what on and
// what closing writes are the core's settings-window logic; this window shows its state.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/settings/settings_sources.h"
#include "core/settings/settings_window.h"
#include "gui/windows/window_services.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QStackedWidget;
class QVBoxLayout;
class QWidget;

namespace tv {

class Autostart;
class FontSample;
class Sound;

// What the settings window needs beyond the shared window services.
struct SettingsWindowHooks {
    Sound* sound = nullptr;          // may be null: play and stop do nothing
    Autostart* autostart = nullptr;  // may be null: the log-on entry is left alone
    std::string executable;          // the program, for the log-on entry
    std::string homeDir;             // backups inside it are never refused
    std::string activeSkin;          // the skin the calendar shows now
    // Process-wide: a backup was restored since the calendar was last loaded. Set here by a
    // restore; the next load clears it. May be null (the window then keeps its own).
    bool* restoredSinceLoad = nullptr;
    std::function<void(int percent)> applyTransparency;  // live on the main window
    std::function<void()> saveAllData;         // events, window position, settings.cfg (backup)
    std::function<void()> reloadAfterRestore;  // the calendar again, from the restored files
};

class FrmSets : public QDialog {
    Q_OBJECT
public:
    FrmSets(WindowServices& services, SettingsWindowHooks hooks, QWidget* parent = nullptr);
    ~FrmSets() override;

    // True after the window closed with a skin to activate: the caller reloads the calendar.
    bool reloadRequested() const { return reloadRequested_; }
    const SettingsControls& controls() const { return c_; }
    // Shows the page of `SetsList` position `page`.
    void showPage(int page);

protected:
    void closeEvent(QCloseEvent* event) override;

public:
    void done(int result) override;

private:
    QWidget* buildAppearancePage();
    QWidget* buildDisplayPage();
    QWidget* buildAlignPage();
    QWidget* buildTextPage();
    QWidget* buildBackgroundPage();
    QWidget* buildAlarmPage();
    QWidget* buildBackupPage();
    QWidget* buildProgramPage();

    // Widgets from the model and back; every change runs the dependencies again.
    void showControls();
    void collect();
    void refresh();
    void watch(QCheckBox* box);
    void watch(QRadioButton* option);
    void watch(QComboBox* list);

    // Immediate actions.
    void onSkinSelected(int row);
    void onSkinActivate();
    void onTransparency(int value);
    void fillSoundList();
    void onPlaySound();
    void onCustomSound();
    void onPicFolder();
    void onFontSampleClicked(int kind, const QPoint& globalPos);
    void onFontReset();
    void redrawSamples();
    void onAlignPicture(int type);
    void onBackupFolder();
    void onBackupSave();
    void onBackupRestore();
    void refreshLastBackup();
    bool restored() const;

    WindowServices& s_;
    SettingsWindowHooks h_;
    SettingsControls c_;
    std::vector<SkinInfo> skins_;
    std::vector<std::string> sounds_;
    bool restoredHere_ = false;
    bool reloadRequested_ = false;
    bool closing_ = false;
    bool showing_ = false;  // widgets are being filled: their signals change nothing

    QListWidget* SetsList_ = nullptr;
    QStackedWidget* frame_ = nullptr;
    QPushButton* ComUnload_ = nullptr;

    // Appearance.
    QListWidget* SkinList_ = nullptr;
    QLabel* SkinPic_ = nullptr;
    QLabel* SkinInfo_ = nullptr;
    QPushButton* ComSkin_ = nullptr;
    QSlider* ScrlTransp_ = nullptr;
    QLabel* lblTranspValue_ = nullptr;

    // Display.
    QCheckBox *Cnap_ = nullptr, *Chet_ = nullptr, *Cnevnap_ = nullptr, *CnextName_ = nullptr;
    QCheckBox *CnapHL_ = nullptr, *ChetHL_ = nullptr, *CnevnapHL_ = nullptr,
              *CnextNameHL_ = nullptr;
    QCheckBox* Cbolcs_ = nullptr;
    QRadioButton *befMode2a_ = nullptr, *befMode2b_ = nullptr;
    std::array<QRadioButton*, 3> startpage_{};
    QCheckBox* Cubef_ = nullptr;
    QComboBox* CmbUbef_ = nullptr;
    QCheckBox* ChSavePast_ = nullptr;

    // Alignment.
    std::array<QPushButton*, kAlignPictures> picAlign_{};
    std::array<QVBoxLayout*, kAlignPictures> alignColumns_{};
    QWidget* alignLists_ = nullptr;
    QComboBox* cmbEventAlign_ = nullptr;
    QComboBox* cmbForecastAlign_ = nullptr;

    // Texts.
    QRadioButton *Mtype1_ = nullptr, *Mtype2_ = nullptr;
    std::array<FontSample*, kFontStyleCount> samples_{};
    QPushButton* ComReset_ = nullptr;
    QCheckBox* ChShadow_ = nullptr;
    QComboBox* cmbShadowType_ = nullptr;

    // Background.
    QComboBox* cmbBgReplace_ = nullptr;
    std::array<QRadioButton*, 2> optBG_{};
    QGroupBox* frUserPic_ = nullptr;
    QLineEdit* TUserPicSource_ = nullptr;
    QCheckBox *ChUserPicDir_ = nullptr, *ChUserPicName_ = nullptr, *ChUserPicScale_ = nullptr;

    // Alarms.
    QCheckBox *chAlertEnabled_ = nullptr, *chAlertSound_ = nullptr, *chAlarmFront_ = nullptr,
              *chSoundRepeat_ = nullptr;
    QGroupBox* frSound_ = nullptr;
    std::array<QRadioButton*, 2> optSoundSource_{};
    QListWidget* lstAlarmFiles_ = nullptr;
    QPushButton *cmdPlaySound_ = nullptr, *cmdStopSound_ = nullptr, *cmdCustomSnd_ = nullptr;
    QLabel* lblRepeatLength_ = nullptr;
    QComboBox* cmbRepeatLen_ = nullptr;

    // Backup.
    QLineEdit* TbackupOutDir_ = nullptr;
    QLineEdit* TbackupFile_ = nullptr;
    QLabel* lblBackupLastTime_ = nullptr;

    // Program.
    QCheckBox *ChShowSystemTray_ = nullptr, *ChTrayOneClick_ = nullptr, *autoStart_ = nullptr,
              *CautoStartFix_ = nullptr, *chAutoStartMode_ = nullptr, *ChAlwaysCenter_ = nullptr;
    QComboBox *ChAutoH_ = nullptr, *ChAutoM_ = nullptr;
};

}  // namespace tv
