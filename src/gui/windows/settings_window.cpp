#include "gui/windows/settings_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/ports/sound.h"
#include "core/settings/settings_close.h"
#include "gui/windows/font_sample.h"
#include "gui/windows/qt_text.h"

namespace tv {

SettingsWindow::SettingsWindow(WindowServices& services, SettingsWindowHooks hooks, QWidget* parent)
    : QDialog(parent), s_(services), h_(std::move(hooks)) {
    setObjectName(QStringLiteral("frmSets"));
    setWindowTitle(qtString(*s_.strings, "main_b_sets"));
    setModal(true);
    useNarrowFont(this);

    static const HashTable kNoTheme;
    c_ = readSettingsControls(*s_.settings, s_.theme != nullptr ? *s_.theme : kNoTheme);
    skins_ = listSkins(s_.programDir);
    sounds_ = listAlarmSounds(s_.programDir);

    pageList_ = new QListWidget(this);
    pageList_->setObjectName(QStringLiteral("SetsList"));
    frame_ = new QStackedWidget(this);
    frame_->addWidget(buildAppearancePage());
    frame_->addWidget(buildDisplayPage());
    frame_->addWidget(buildAlignPage());
    frame_->addWidget(buildTextPage());
    frame_->addWidget(buildBackgroundPage());
    frame_->addWidget(buildAlarmPage());
    frame_->addWidget(buildBackupPage());
    frame_->addWidget(buildProgramPage());
    frame_->addWidget(buildSyncPage());
    int listWidth = 0;
    for (size_t i = 0; i < kSettingsPages.size(); ++i) {
        const QString text = qtText(settingsPageText(*s_.strings, i));
        pageList_->addItem(text);
        listWidth = std::max(listWidth, pageList_->fontMetrics().horizontalAdvance(text));
    }
    pageList_->setFixedWidth(listWidth + 36);
    connect(pageList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        frame_->setCurrentIndex(row);
        c_.page = row;
        if (row == kBackupPage) refreshLastBackup();
        if (row == kSyncPage) refreshSyncStatus();
    });

    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("ComUnload"));
    setCaption(closeButton_, *s_.strings, "com_close");
    closeButton_->setDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });

    auto* top = new QHBoxLayout;
    top->addWidget(pageList_);
    top->addWidget(frame_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(closeButton_);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top, 1);
    root->addLayout(bottom);

    showPage(c_.page);
    showControls();
    resize(sizeHint().expandedTo(QSize(640, 460)));
}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::showPage(int page) {
    if (page < 0 || page >= static_cast<int>(kSettingsPages.size())) page = 0;
    pageList_->setCurrentRow(page);
    frame_->setCurrentIndex(page);
    c_.page = page;
    if (page == kBackupPage) refreshLastBackup();
    if (page == kSyncPage) refreshSyncStatus();
}

bool SettingsWindow::restored() const {
    return restoredHere_ || (h_.restoredSinceLoad != nullptr && *h_.restoredSinceLoad);
}

void SettingsWindow::watch(QCheckBox* box) {
    connect(box, &QCheckBox::toggled, this, [this] { refresh(); });
}
void SettingsWindow::watch(QRadioButton* option) {
    connect(option, &QRadioButton::toggled, this, [this] { refresh(); });
}
void SettingsWindow::watch(QComboBox* list) {
    connect(list, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
}

namespace {
void check(QAbstractButton* b, bool on) {
    if (b != nullptr) b->setChecked(on);
}
void choose(QComboBox* list, int index) {
    if (list != nullptr) list->setCurrentIndex(std::clamp(index, 0, list->count() - 1));
}
}  // namespace

void SettingsWindow::showControls() {
    showing_ = true;
    check(showDayCheck_, c_.showDay);
    check(showWeekCheck_, c_.showWeek);
    check(showNameCheck_, c_.showName);
    check(showNextNameCheck_, c_.showNextName);
    check(highlightDayCheck_, c_.highlightDay);
    check(highlightWeekCheck_, c_.highlightWeek);
    check(highlightNameCheck_, c_.highlightName);
    check(highlightNextNameCheck_, c_.highlightNextName);
    check(showWisdomCheck_, c_.showWisdom);
    check(c_.forecastCountsDown ? forecastCountsDownOption_ : forecastDateOption_, true);
    check(startpage_[static_cast<size_t>(c_.startPage)], true);
    check(showForecastCheck_, c_.showForecast);
    choose(forecastDaysCombo_, c_.forecastDays);
    check(askBeforeSavingPastCheck_, c_.askBeforeSavingPast);

    choose(eventAlignCombo_, c_.eventAlign);
    choose(forecastAlignCombo_, c_.forecastAlign);
    check(c_.themeFonts ? themeFontsOption_ : userFontsOption_, true);
    check(textShadowCheck_, c_.textShadow);
    choose(shadowTypeCombo_, c_.shadowType);

    choose(pictureChangeCombo_, c_.pictureChange);
    check(pictureSourceOptions_[static_cast<size_t>(c_.pictureSource)], true);
    userPictureFolderEdit_->setText(qtText(c_.userPictureFolder));
    check(userPictureSubfoldersCheck_, c_.userPictureSubfolders);
    check(userPictureNameCheck_, c_.userPictureName);
    check(userPictureScaleCheck_, c_.userPictureScale);

    check(alarmEnabledCheck_, c_.alarmEnabled);
    check(alarmSoundCheck_, c_.alarmSound);
    check(alarmOnTopCheck_, c_.alarmOnTop);
    check(alarmNotifyCheck_, c_.alarmNotify);
    check(alarmSoundRepeatCheck_, c_.alarmSoundRepeat);
    choose(alarmLengthCombo_, c_.alarmLength);
    check(alarmSoundSourceOptions_[static_cast<size_t>(c_.alarmSoundSource)], true);
    fillSoundList();

    check(centreWindowCheck_, c_.centreWindow);
    check(trayOneClickCheck_, c_.trayOneClick);
    check(trayIconCheck_, c_.trayIcon);
    check(autoStart_, c_.autoStart);
    check(scheduledShowingCheck_, c_.scheduledShowing);
    choose(scheduledHourCombo_, c_.scheduledHour);
    choose(scheduledMinuteCombo_, c_.scheduledMinute);
    check(scheduledWithoutFocusCheck_, c_.scheduledWithoutFocus);

    transparencySlider_->setValue(c_.transparency);
    transparencyValueLabel_->setText(QString::fromStdString(transparencyText(c_.transparency)));
    backupFolderEdit_->setText(qtText(c_.backupFolder));
    syncUrlEdit_->setText(qtText(c_.syncUrl));
    syncUserEdit_->setText(qtText(c_.syncUser));
    syncCalendarEdit_->setText(qtText(c_.syncCalendar));
    syncIntervalSpin_->setValue(c_.syncInterval);
    showing_ = false;
    refresh();
}

void SettingsWindow::collect() {
    c_.showDay = showDayCheck_->isChecked();
    c_.showWeek = showWeekCheck_->isChecked();
    c_.showName = showNameCheck_->isChecked();
    c_.showNextName = showNextNameCheck_->isChecked();
    c_.highlightDay = highlightDayCheck_->isChecked();
    c_.highlightWeek = highlightWeekCheck_->isChecked();
    c_.highlightName = highlightNameCheck_->isChecked();
    c_.highlightNextName = highlightNextNameCheck_->isChecked();
    c_.showWisdom = showWisdomCheck_->isChecked();
    c_.forecastCountsDown = forecastCountsDownOption_->isChecked();
    for (size_t i = 0; i < startpage_.size(); ++i)
        if (startpage_[i]->isChecked()) c_.startPage = static_cast<int>(i);
    c_.showForecast = showForecastCheck_->isChecked();
    c_.forecastDays = forecastDaysCombo_->currentIndex();
    c_.askBeforeSavingPast = askBeforeSavingPastCheck_->isChecked();

    c_.eventAlign = eventAlignCombo_->currentIndex();
    c_.forecastAlign = forecastAlignCombo_->currentIndex();
    c_.themeFonts = themeFontsOption_->isChecked();
    c_.textShadow = textShadowCheck_->isChecked();
    c_.shadowType = shadowTypeCombo_->currentIndex();

    c_.pictureChange = pictureChangeCombo_->currentIndex();
    c_.pictureSource = pictureSourceOptions_[1]->isChecked() ? 1 : 0;
    c_.userPictureFolder = userPictureFolderEdit_->text().trimmed().toStdString();
    c_.userPictureSubfolders = userPictureSubfoldersCheck_->isChecked();
    c_.userPictureName = userPictureNameCheck_->isChecked();
    c_.userPictureScale = userPictureScaleCheck_->isChecked();

    c_.alarmEnabled = alarmEnabledCheck_->isChecked();
    c_.alarmSound = alarmSoundCheck_->isChecked();
    c_.alarmOnTop = alarmOnTopCheck_->isChecked();
    c_.alarmNotify = alarmNotifyCheck_->isChecked();
    c_.alarmSoundRepeat = alarmSoundRepeatCheck_->isChecked();
    c_.alarmLength = alarmLengthCombo_->currentIndex();
    c_.alarmSoundSource = alarmSoundSourceOptions_[1]->isChecked() ? 1 : 0;
    // The built-in list keeps the last built-in choice while the custom sound is shown.
    if (c_.alarmSoundSource == 0 && alarmSoundList_->currentRow() >= 0 &&
        static_cast<size_t>(alarmSoundList_->currentRow()) < sounds_.size()) {
        c_.alarmSoundFile = sounds_[static_cast<size_t>(alarmSoundList_->currentRow())];
    }

    c_.centreWindow = centreWindowCheck_->isChecked();
    c_.trayOneClick = trayOneClickCheck_->isChecked();
    c_.trayIcon = trayIconCheck_->isChecked();
    c_.autoStart = autoStart_->isChecked();
    c_.scheduledShowing = scheduledShowingCheck_->isChecked();
    c_.scheduledHour = scheduledHourCombo_->currentIndex();
    c_.scheduledMinute = scheduledMinuteCombo_->currentIndex();
    c_.scheduledWithoutFocus = scheduledWithoutFocusCheck_->isChecked();

    c_.transparency = transparencySlider_->value();
    c_.backupFolder = backupFolderEdit_->text().trimmed().toStdString();
    c_.syncUrl = syncUrlEdit_->text().trimmed().toStdString();
    c_.syncUser = syncUserEdit_->text().trimmed().toStdString();
    c_.syncCalendar = syncCalendarEdit_->text().trimmed().toStdString();
    c_.syncInterval = syncIntervalSpin_->value();
}

void SettingsWindow::refresh() {
    if (showing_) return;
    collect();
    const SettingsEnabling e = applySettingsDependencies(c_);
    showing_ = true;
    trayIconCheck_->setChecked(c_.trayIcon);
    showing_ = false;

    highlightDayCheck_->setEnabled(e.highlightDay);
    highlightWeekCheck_->setEnabled(e.highlightWeek);
    highlightNameCheck_->setEnabled(e.highlightName);
    highlightNextNameCheck_->setEnabled(e.highlightNextName);
    forecastDaysCombo_->setEnabled(e.forecastDays);
    shadowTypeCombo_->setEnabled(e.shadowType);
    userPictureGroup_->setEnabled(e.userPicture);
    trayIconCheck_->setEnabled(e.trayIcon);
    scheduledHourCombo_->setEnabled(e.scheduled);
    scheduledMinuteCombo_->setEnabled(e.scheduled);
    scheduledWithoutFocusCheck_->setEnabled(e.scheduled);
    alarmOnTopCheck_->setEnabled(e.alarmOptions);
    alarmNotifyCheck_->setEnabled(e.alarmOptions);
    alarmSoundCheck_->setEnabled(e.alarmOptions);
    soundGroup_->setEnabled(e.soundControls);
    alarmSoundRepeatCheck_->setEnabled(e.soundControls);
    alarmLengthLabel_->setEnabled(e.repeatLength);
    alarmLengthCombo_->setEnabled(e.repeatLength);
    redrawSamples();
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    done(QDialog::Accepted);
    if (isVisible()) event->ignore();
}

void SettingsWindow::done(int result) {
    if (closing_) return;
    closing_ = true;
    collect();
    storeSyncPassword();
    applySettingsDependencies(c_);

    SettingsCloseContext ctx;
    ctx.settings = s_.settings;
    ctx.strings = s_.strings;
    ctx.box = s_.box;
    ctx.autostart = h_.autostart;
    ctx.sound = h_.sound;
    ctx.log = s_.log;
    ctx.executable = h_.executable;
    ctx.restoredSinceLoad = restored();
    HashTable* settings = s_.settings;
    const std::string path = s_.userDataDir + "settings.cfg";
    ctx.saveSettings = [settings, path] { return writeConfig(*settings, path); };
    ctx.reloadForSkin = [this] { reloadRequested_ = true; };

    const int row = skinList_->currentRow();
    const std::string selected = row >= 0 && static_cast<size_t>(row) < skins_.size()
                                     ? skins_[static_cast<size_t>(row)].folder
                                     : std::string();
    closeSettings(c_, selected, h_.activeSkin, ctx);
    QDialog::done(result);
}

}  // namespace tv
