// The settings pages of alarms, backups and the program's start.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/calc/date.h"
#include "core/calc/text_format.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/ports/clock.h"
#include "core/ports/shell.h"
#include "core/ports/sound.h"
#include "core/settings/settings_sources.h"
#include "gui/windows/qt_text.h"
#include "gui/windows/settings_widgets.h"
#include "gui/windows/settings_window.h"

namespace tv {

QWidget* SettingsWindow::buildAlarmPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 5, body);

    alarmEnabledCheck_ = makeCheck(page, s, "chAlertEnabled", "sets_alarm_enabled");
    body->addWidget(alarmEnabledCheck_);
    QLabel* info = makeLabel(page, s, "sets_alarm_info", true);
    body->addLayout(indented(info));
    alarmOnTopCheck_ = makeCheck(page, s, "chAlarmFront", "sets_alarm_top");
    alarmNotifyCheck_ = makeCheck(page, s, "chAlarmNotify", "sets_alarm_notify");
    alarmSoundCheck_ = makeCheck(page, s, "chAlertSound", "sets_alarm_sound");
    body->addLayout(indented(alarmOnTopCheck_));
    body->addLayout(indented(alarmNotifyCheck_));
    body->addLayout(indented(alarmSoundCheck_));
    for (QCheckBox* b : {alarmEnabledCheck_, alarmOnTopCheck_, alarmNotifyCheck_, alarmSoundCheck_})
        watch(b);

    soundGroup_ = makeGroup(page, s, "sets_alarm_frsound");
    soundGroup_->setObjectName(QStringLiteral("frSound"));
    auto* g = new QGridLayout(soundGroup_);
    alarmSoundSourceOptions_[0] =
        makeOption(soundGroup_, s, "optSoundSource0", "sets_alarm_sndset1");
    alarmSoundSourceOptions_[1] =
        makeOption(soundGroup_, s, "optSoundSource1", "sets_alarm_sndset2");
    g->addWidget(alarmSoundSourceOptions_[0], 0, 0);
    g->addWidget(alarmSoundSourceOptions_[1], 0, 1);
    alarmSoundList_ = new QListWidget(soundGroup_);
    alarmSoundList_->setObjectName(QStringLiteral("lstAlarmFiles"));
    alarmSoundList_->setMinimumHeight(alarmSoundList_->fontMetrics().height() * 5);
    alarmSoundList_->setMaximumHeight(alarmSoundList_->fontMetrics().height() * 9);
    g->addWidget(alarmSoundList_, 1, 0, 3, 2);
    playSoundButton_ =
        new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), {}, soundGroup_);
    playSoundButton_->setObjectName(QStringLiteral("cmdPlaySound"));
    stopSoundButton_ =
        new QPushButton(style()->standardIcon(QStyle::SP_MediaStop), {}, soundGroup_);
    stopSoundButton_->setObjectName(QStringLiteral("cmdStopSound"));
    for (QPushButton* b : {playSoundButton_, stopSoundButton_})
        b->setAutoDefault(false);
    customSoundButton_ = makeButton(soundGroup_, s, "cmdCustomSnd", "sets_alarm_custom");
    auto* buttons = new QVBoxLayout;
    auto* playStop = new QHBoxLayout;
    playStop->addWidget(playSoundButton_);
    playStop->addWidget(stopSoundButton_);
    playStop->addStretch(1);
    buttons->addLayout(playStop);
    buttons->addWidget(customSoundButton_);
    buttons->addStretch(1);
    g->addLayout(buttons, 1, 2, 3, 1);
    g->setColumnStretch(1, 1);
    body->addLayout(indented(soundGroup_));
    connect(alarmSoundSourceOptions_[1], &QRadioButton::toggled, this, [this] {
        if (showing_) return;
        refresh();
        fillSoundList();
    });
    connect(alarmSoundList_, &QListWidget::currentRowChanged, this, [this] { refresh(); });
    connect(playSoundButton_, &QPushButton::clicked, this, &SettingsWindow::onPlaySound);
    connect(stopSoundButton_, &QPushButton::clicked, this, [this] {
        if (h_.sound != nullptr) h_.sound->stop();
    });
    connect(customSoundButton_, &QPushButton::clicked, this, &SettingsWindow::onCustomSound);

    auto* repeat = new QHBoxLayout;
    alarmSoundRepeatCheck_ = makeCheck(page, s, "chSoundRepeat", "sets_alarm_repeat");
    alarmLengthLabel_ = makeLabel(page, s, "sets_alarm_length");
    alarmLengthLabel_->setObjectName(QStringLiteral("lblRepeatLength"));
    alarmLengthCombo_ = makeKeyList(page, s, "cmbRepeatLen", "sets_alarm_len", kRepeatLengths);
    repeat->addSpacing(20);
    repeat->addWidget(alarmSoundRepeatCheck_);
    repeat->addSpacing(12);
    repeat->addWidget(alarmLengthLabel_);
    repeat->addWidget(alarmLengthCombo_);
    repeat->addStretch(1);
    watch(alarmSoundRepeatCheck_);
    watch(alarmLengthCombo_);
    body->addLayout(repeat);
    body->addStretch(1);
    return page;
}

void SettingsWindow::fillSoundList() {
    const bool wasShowing = showing_;
    showing_ = true;
    alarmSoundList_->clear();
    if (alarmSoundSourceOptions_[1]->isChecked()) {
        const std::string custom = read(*s_.settings, settings::CustomAlarmSound);
        alarmSoundList_->addItem(qtString(*s_.strings, "sets_alarm_lstcust") + ' ' +
                                 qtText(custom));
        alarmSoundList_->setCurrentRow(0);
    } else {
        for (size_t i = 0; i < sounds_.size(); ++i) {
            alarmSoundList_->addItem(qtText(sounds_[i]));
            if (sounds_[i] == c_.alarmSoundFile)
                alarmSoundList_->setCurrentRow(static_cast<int>(i));
        }
        if (alarmSoundList_->currentRow() < 0 && !sounds_.empty())
            alarmSoundList_->setCurrentRow(0);
    }
    showing_ = wasShowing;
}

QWidget* SettingsWindow::buildBackupPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, static_cast<size_t>(kBackupPage), body);

    auto* g = new QGridLayout;
    g->addWidget(makeLabel(page, s, "sets_saveto"), 0, 0);
    backupFolderEdit_ = new QLineEdit(page);
    backupFolderEdit_->setObjectName(QStringLiteral("TbackupOutDir"));
    g->addWidget(backupFolderEdit_, 0, 1);
    auto* newDir = makeButton(page, s, "ComBackupNewDir", "sets_bk_newdir");
    g->addWidget(newDir, 0, 2);
    g->addWidget(makeLabel(page, s, "sets_bk_filename"), 1, 0);
    backupFileEdit_ = new QLineEdit(page);
    backupFileEdit_->setObjectName(QStringLiteral("TbackupFile"));
    backupFileEdit_->setToolTip(qtText(s.captionOf("sets_bk_filename").tooltip));
    if (s_.clock != nullptr) {
        backupFileEdit_->setText(qtText(defaultBackupFileName(isoDate(s_.clock->now().date))));
    }
    g->addWidget(backupFileEdit_, 1, 1);
    auto* save = makeButton(page, s, "ComBackupSave", "sets_bk_save");
    g->addWidget(save, 1, 2);
    g->setColumnStretch(1, 1);
    body->addLayout(g);
    lastBackupLabel_ = new QLabel(page);
    lastBackupLabel_->setObjectName(QStringLiteral("lblBackupLastTime"));
    lastBackupLabel_->setWordWrap(true);
    body->addWidget(lastBackupLabel_);

    QGroupBox* restore = makeGroup(page, s, "sets_bk_restore");
    auto* r = new QHBoxLayout(restore);
    auto* restoreButton = makeButton(restore, s, "ComBackupRestore", "sets_bk_b_restore");
    r->addWidget(restoreButton);
    r->addStretch(1);
    body->addSpacing(8);
    body->addWidget(restore);
    body->addStretch(1);

    connect(newDir, &QPushButton::clicked, this, &SettingsWindow::onBackupFolder);
    connect(save, &QPushButton::clicked, this, &SettingsWindow::onBackupSave);
    connect(restoreButton, &QPushButton::clicked, this, &SettingsWindow::onBackupRestore);
    return page;
}

QWidget* SettingsWindow::buildProgramPage() {
    const StringTable& s = *s_.strings;
    QVBoxLayout* body = nullptr;
    QWidget* page = makeSettingsPage(s, 7, body);

    QGroupBox* start = makeGroup(page, s, "sets_autostart");
    auto* g = new QVBoxLayout(start);
    trayIconCheck_ = makeCheck(start, s, "ChShowSystemTray", "sets_trayicon");
    trayOneClickCheck_ = makeCheck(start, s, "ChTrayOneClick", "sets_trayoneclick");
    autoStart_ = makeCheck(start, s, "autoStart", "sets_autostart1");
    g->addWidget(trayIconCheck_);
    g->addLayout(indented(trayOneClickCheck_));
    g->addWidget(autoStart_);

    auto* daily = new QHBoxLayout;
    scheduledShowingCheck_ = makeCheck(start, s, "CautoStartFix", "sets_autostart2");
    scheduledHourCombo_ = makeNumberList(start, "ChAutoH", 0, 23, false);
    scheduledMinuteCombo_ = makeNumberList(start, "ChAutoM", 0, 59, true);
    daily->addWidget(scheduledShowingCheck_);
    daily->addWidget(scheduledHourCombo_);
    daily->addWidget(new QLabel(QStringLiteral(":"), start));
    daily->addWidget(scheduledMinuteCombo_);
    daily->addStretch(1);
    g->addLayout(daily);
    scheduledWithoutFocusCheck_ = makeCheck(start, s, "chAutoStartMode", "sets_autostart_mode");
    g->addLayout(indented(scheduledWithoutFocusCheck_));
    g->addLayout(indented(makeLabel(start, s, "sets_autostart2_inf", true)));
    for (QCheckBox* b : {trayIconCheck_, trayOneClickCheck_, autoStart_, scheduledShowingCheck_,
                         scheduledWithoutFocusCheck_}) {
        watch(b);
    }
    watch(scheduledHourCombo_);
    watch(scheduledMinuteCombo_);
    body->addWidget(start);

    centreWindowCheck_ = makeCheck(page, s, "ChAlwaysCenter", "sets_wincenter");
    watch(centreWindowCheck_);
    body->addWidget(centreWindowCheck_);

    auto* clock = makeButton(page, s, "ComSystemTime", "sets_systemclock");
    auto* row = new QHBoxLayout;
    row->addWidget(clock);
    row->addStretch(1);
    body->addSpacing(8);
    body->addLayout(row);
    body->addStretch(1);
    connect(clock, &QPushButton::clicked, this, [this] {
        // Where the desktop has no such settings, say so with the bell.
        if (s_.shell != nullptr && !s_.shell->openDateTimeSettings()) s_.shell->beep();
    });
    return page;
}

}  // namespace tv
