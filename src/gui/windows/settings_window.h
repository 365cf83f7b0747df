// The settings window: the eight settings pages. Which control edits which key, what switches what
// on and what closing writes are the core's settings-window logic; this window shows its state.
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
class QSpinBox;
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
    // Sync; each may be null (the page then only edits the settings).
    std::function<void(const std::string& password)> syncPassword;  // into the keyring
    std::function<void(QWidget* parent)> syncNow;
    std::function<void(QWidget* parent)> syncConflicts;
    std::function<std::string()> syncStatus;  // the last run, one line
};

class SettingsWindow : public QDialog {
    Q_OBJECT
public:
    SettingsWindow(WindowServices& services, SettingsWindowHooks hooks, QWidget* parent = nullptr);
    ~SettingsWindow() override;

    // True after the window closed with a skin to activate: the caller reloads the calendar.
    bool reloadRequested() const { return reloadRequested_; }
    const SettingsControls& controls() const { return c_; }
    // Shows the page of `page` position `page`.
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
    QWidget* buildSyncPage();

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
    void onPictureFolder();
    void onFontSampleClicked(int kind, const QPoint& globalPos);
    void onFontReset();
    void redrawSamples();
    void onAlignPicture(int type);
    void onBackupFolder();
    void onBackupSave();
    void onBackupRestore();
    void refreshLastBackup();
    void onSyncNow();
    void storeSyncPassword();
    void refreshSyncStatus();
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

    QListWidget* pageList_ = nullptr;
    QStackedWidget* frame_ = nullptr;
    QPushButton* closeButton_ = nullptr;

    // Appearance.
    QListWidget* skinList_ = nullptr;
    QLabel* skinPreview_ = nullptr;
    QLabel* skinInfo_ = nullptr;
    QPushButton* activateSkinButton_ = nullptr;
    QSlider* transparencySlider_ = nullptr;
    QLabel* transparencyValueLabel_ = nullptr;

    // Display.
    QCheckBox *showDayCheck_ = nullptr, *showWeekCheck_ = nullptr, *showNameCheck_ = nullptr,
              *showNextNameCheck_ = nullptr;
    QCheckBox *highlightDayCheck_ = nullptr, *highlightWeekCheck_ = nullptr,
              *highlightNameCheck_ = nullptr, *highlightNextNameCheck_ = nullptr;
    QCheckBox* showWisdomCheck_ = nullptr;
    QRadioButton *forecastDateOption_ = nullptr, *forecastCountsDownOption_ = nullptr;
    std::array<QRadioButton*, 3> startpage_{};
    QCheckBox* showForecastCheck_ = nullptr;
    QComboBox* forecastDaysCombo_ = nullptr;
    QCheckBox* askBeforeSavingPastCheck_ = nullptr;

    // Alignment.
    std::array<QPushButton*, kAlignPictures> layoutPictures_{};
    std::array<QVBoxLayout*, kAlignPictures> alignColumns_{};
    QWidget* alignLists_ = nullptr;
    QComboBox* eventAlignCombo_ = nullptr;
    QComboBox* forecastAlignCombo_ = nullptr;

    // Texts.
    QRadioButton *userFontsOption_ = nullptr, *themeFontsOption_ = nullptr;
    std::array<FontSample*, kFontStyleCount> samples_{};
    QPushButton* resetFontsButton_ = nullptr;
    QCheckBox* textShadowCheck_ = nullptr;
    QComboBox* shadowTypeCombo_ = nullptr;

    // Background.
    QComboBox* pictureChangeCombo_ = nullptr;
    std::array<QRadioButton*, 2> pictureSourceOptions_{};
    QGroupBox* userPictureGroup_ = nullptr;
    QLineEdit* userPictureFolderEdit_ = nullptr;
    QCheckBox *userPictureSubfoldersCheck_ = nullptr, *userPictureNameCheck_ = nullptr,
              *userPictureScaleCheck_ = nullptr;

    // Alarms.
    QCheckBox *alarmEnabledCheck_ = nullptr, *alarmSoundCheck_ = nullptr,
              *alarmOnTopCheck_ = nullptr, *alarmNotifyCheck_ = nullptr,
              *alarmSoundRepeatCheck_ = nullptr;
    QGroupBox* soundGroup_ = nullptr;
    std::array<QRadioButton*, 2> alarmSoundSourceOptions_{};
    QListWidget* alarmSoundList_ = nullptr;
    QPushButton *playSoundButton_ = nullptr, *stopSoundButton_ = nullptr,
                *customSoundButton_ = nullptr;
    QLabel* alarmLengthLabel_ = nullptr;
    QComboBox* alarmLengthCombo_ = nullptr;

    // Backup.
    QLineEdit* backupFolderEdit_ = nullptr;
    QLineEdit* backupFileEdit_ = nullptr;
    QLabel* lastBackupLabel_ = nullptr;

    // Program.
    QCheckBox *trayIconCheck_ = nullptr, *trayOneClickCheck_ = nullptr, *autoStart_ = nullptr,
              *scheduledShowingCheck_ = nullptr, *scheduledWithoutFocusCheck_ = nullptr,
              *centreWindowCheck_ = nullptr;
    QComboBox *scheduledHourCombo_ = nullptr, *scheduledMinuteCombo_ = nullptr;

    // Sync.
    QLineEdit *syncUrlEdit_ = nullptr, *syncUserEdit_ = nullptr, *syncPasswordEdit_ = nullptr,
              *syncCalendarEdit_ = nullptr;
    QSpinBox* syncIntervalSpin_ = nullptr;
    QLabel* syncStatusLabel_ = nullptr;
};

}  // namespace tv
